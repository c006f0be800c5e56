#!/usr/bin/python3
"""Runs the data-layer benchmarks and the same work in pandas on the same file,
in one run, and prints the figures side by side.

    bench/compare_pandas.py [--build BUILD_DIR] [--rows N] [--repeat K]

The CSV file (10 columns: 5 numbers, 5 strings) is written by
bench_data_layer --generate, read by both sides, and removed afterwards.
Times are the best of K runs; wall-clock and CPU time are both shown because
the machine may be shared.
"""
import argparse
import json
import os
import subprocess
import sys
import tempfile
import time

import pandas as pd


def best(fn, repeat):
    wall, cpu = [], []
    for _ in range(repeat):
        w, c = time.perf_counter(), time.process_time()
        fn()
        wall.append(time.perf_counter() - w)
        cpu.append(time.process_time() - c)
    return min(wall), min(cpu)


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    ap = argparse.ArgumentParser()
    ap.add_argument("--build", default=os.path.join(here, "..", "build"))
    ap.add_argument("--rows", type=int, default=1000000)
    ap.add_argument("--repeat", type=int, default=3)
    args = ap.parse_args()
    bench = os.path.join(args.build, "bin", "bench_data_layer")
    if not os.path.exists(bench):
        sys.exit("compare_pandas: %s is not built" % bench)

    with tempfile.TemporaryDirectory() as tmp:
        csv = os.path.join(tmp, "orders.csv")
        subprocess.run([bench, "--generate", csv, str(args.rows)], check=True)
        size = os.path.getsize(csv)

        # C++ side: Google Benchmark, JSON output.
        out = os.path.join(tmp, "bench.json")
        env = dict(os.environ, ORVANE_BENCH_CSV=csv)
        run = subprocess.run([bench, "--benchmark_out=" + out, "--benchmark_out_format=json",
                              "--benchmark_repetitions=%d" % args.repeat],
                             env=env, stdout=subprocess.DEVNULL, stderr=subprocess.PIPE, text=True)
        if run.returncode != 0:
            sys.exit("compare_pandas: bench_data_layer failed:\n" + run.stderr)
        with open(out) as f:
            runs = [b for b in json.load(f)["benchmarks"] if b.get("run_type") == "iteration"]

        def ours(name, field):
            vals = [b[field] for b in runs if b["run_name"].startswith(name)]
            return min(vals)

        def ours_ms(name, field):
            b = next(b for b in runs if b["run_name"].startswith(name))
            scale = {"ms": 1e-3, "us": 1e-6, "ns": 1e-9, "s": 1.0}[b["time_unit"]]
            return ours(name, field) * scale

        # pandas side, same file, same process tree.
        frame = {}

        def read():
            frame["df"] = pd.read_csv(csv)

        pd_read = best(read, args.repeat)
        df = frame["df"]
        pd_sort = best(lambda: df.sort_values(["product", "revenue"], kind="stable"), args.repeat)

    read_wall, read_cpu = ours_ms("CsvRead", "real_time"), ours_ms("CsvRead", "cpu_time")
    sort_wall, sort_cpu = ours_ms("SortStringThenNumber/", "real_time"), ours_ms("SortStringThenNumber/", "cpu_time")
    cold_wall = ours_ms("SortStringThenNumberColdCollation", "real_time")
    mb = size / 1e6
    comma = ours_ms("FormatComma12_2", "cpu_time") / 1e6 * 1e9
    date = ours_ms("FormatDate9", "cpu_time") / 1e6 * 1e9
    byname = ours_ms("FormatNumericValueByName", "cpu_time") / 1e6 * 1e9
    snp = ours_ms("SnprintfBaseline", "cpu_time") / 1e6 * 1e9
    rows = args.rows
    where_s = rows / ours_ms("WhereStringInAndBetween", "cpu_time")
    where_n = rows / ours_ms("WhereNumberInAndBetween", "cpu_time")
    bpr = next(b for b in runs if b["run_name"].startswith("RowStates10M"))["bytes_per_row"]

    print("Data layer vs pandas %s, %d rows x 10 columns, %.1f MB, best of %d" % (pd.__version__, rows, mb, args.repeat))
    print("")
    print("CSV read            ours %7.1f MB/s wall %7.1f MB/s cpu | pandas %7.1f MB/s wall %7.1f MB/s cpu"
          % (mb / read_wall, mb / read_cpu, mb / pd_read[0], mb / pd_read[1]))
    print("                    ratio (pandas time / ours): %.2fx wall, %.2fx cpu" % (pd_read[0] / read_wall, pd_read[1] / read_cpu))
    print("Sort string,number  ours %7.1f ms wall (%.1f ms with a fresh collation) %7.1f ms cpu | pandas %7.1f ms wall %7.1f ms cpu"
          % (sort_wall * 1e3, cold_wall * 1e3, sort_cpu * 1e3, pd_sort[0] * 1e3, pd_sort[1] * 1e3))
    print("                    ratio (pandas time / ours): %.2fx wall, %.2fx cpu" % (pd_sort[0] / sort_wall, pd_sort[1] / sort_cpu))
    print("Format COMMA12.2    %6.1f ns/value (%.2fx snprintf)  via the name lookup %6.1f ns/value" % (comma, comma / snp, byname))
    print("Format DATE9.       %6.1f ns/value (%.2fx snprintf)" % (date, date / snp))
    print("snprintf(\"%%.2f\")    %6.1f ns/value" % snp)
    print("Where-clause        string in (20) and between: %.0f M rows/s; number in (20) and between: %.0f M rows/s"
          % (where_s / 1e6, where_n / 1e6))
    print("RowStates 10M rows  %.4f bytes/row" % bpr)


if __name__ == "__main__":
    main()
