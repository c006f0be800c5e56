#!/usr/bin/python3
# SPDX-License-Identifier: Apache-2.0
"""Runs the data-layer benchmarks and the same work in pandas (and the CSV read
in DuckDB) on the same file, in one run, and prints the figures side by side.

    bench/compare_pandas.py [--build BUILD_DIR] [--rows N] [--repeat K]
                            [--mixed] [--duckdb NODE_MODULES_DIR]

The CSV file (10 columns: 5 numbers, 5 strings) is written by
bench_data_layer --generate, read by every side, and removed afterwards;
--mixed writes a quoted field with a comma every 97 rows and empty fields
every 13. --duckdb names a folder where `npm install @duckdb/node-api` was
run: DuckDB's read_csv is then timed with 1 and 2 threads through
bench/compare_duckdb.mjs. Times are the best of K runs; wall-clock and CPU
time (of every thread) are both shown because the machine may be shared, with
the load average at the start and the end. The memory peak of one read (growth
of the peak resident memory) is measured in a fresh process for each side.
"""
import argparse
import json
import os
import subprocess
import sys
import tempfile

import pandas as pd

from bench_timing import BenchmarkRuns, best


# Peak resident memory growth of one pandas.read_csv, in a fresh process.
PANDAS_PEAK = """
import json, resource, sys
import pandas as pd
before = resource.getrusage(resource.RUSAGE_SELF).ru_maxrss
df = pd.read_csv(sys.argv[1])
after = resource.getrusage(resource.RUSAGE_SELF).ru_maxrss
print(json.dumps({"held": int(df.memory_usage(deep=True).sum()), "peak_growth": (after - before) * 1024}))
"""


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    ap = argparse.ArgumentParser()
    ap.add_argument("--build", default=os.path.join(here, "..", "build"))
    ap.add_argument("--rows", type=int, default=1000000)
    ap.add_argument("--repeat", type=int, default=3)
    ap.add_argument("--mixed", action="store_true")
    ap.add_argument("--duckdb", default=None)
    args = ap.parse_args()
    load_start = os.getloadavg()
    bench = os.path.join(args.build, "bin", "bench_data_layer")
    if not os.path.exists(bench):
        sys.exit("compare_pandas: %s is not built" % bench)

    with tempfile.TemporaryDirectory() as tmp:
        csv = os.path.join(tmp, "orders.csv")
        gen = [bench, "--generate", csv, str(args.rows)] + (["97", "13"] if args.mixed else [])
        subprocess.run(gen, check=True)
        size = os.path.getsize(csv)

        # Memory peak of one read, each in a fresh process.
        ours_peak = {}
        for threads in (1, 2):
            out = subprocess.run([bench, "--peak", csv, str(threads)], check=True, capture_output=True, text=True)
            ours_peak[threads] = json.loads(out.stdout)
        pandas_peak = json.loads(subprocess.run([sys.executable, "-c", PANDAS_PEAK, csv], check=True,
                                                capture_output=True, text=True).stdout)

        # C++ side: Google Benchmark, JSON output.
        gbench = BenchmarkRuns(bench, tmp, args.repeat, env=dict(os.environ, ORVANE_BENCH_CSV=csv),
                               who="compare_pandas")
        seconds = gbench.seconds

        # pandas side, same file, same process tree.
        frame = {}

        def read():
            frame["df"] = pd.read_csv(csv)

        pd_read = best(read, args.repeat)
        df = frame["df"]
        duck = {}
        if args.duckdb:
            script = os.path.join(here, "compare_duckdb.mjs")
            for threads in (1, 2):
                out = subprocess.run(["node", script, args.duckdb, csv, str(threads), str(args.repeat)],
                                     check=True, capture_output=True, text=True)
                duck[threads] = json.loads(out.stdout)
        pd_sort = best(lambda: df.sort_values(["product", "revenue"], kind="stable"), args.repeat)

    read = {t: (seconds("CsvRead/threads:%d/" % t, "real_time"), seconds("CsvRead/threads:%d/" % t, "cpu_time"))
            for t in (1, 2)}
    sort_wall, sort_cpu = seconds("SortStringThenNumber/", "real_time"), seconds("SortStringThenNumber/", "cpu_time")
    cold_wall = seconds("SortStringThenNumberColdCollation", "real_time")
    mb = size / 1e6
    comma = seconds("FormatComma12_2", "cpu_time") / 1e6 * 1e9
    date = seconds("FormatDate9", "cpu_time") / 1e6 * 1e9
    byname = seconds("FormatNumericValueByName", "cpu_time") / 1e6 * 1e9
    snp = seconds("SnprintfBaseline", "cpu_time") / 1e6 * 1e9
    rows = args.rows
    where_s = rows / seconds("WhereStringInAndBetween", "cpu_time")
    where_n = rows / seconds("WhereNumberInAndBetween", "cpu_time")
    bpr = gbench.matching("RowStates10M")[0]["bytes_per_row"]

    print("Data layer vs pandas %s%s, %d rows x 10 columns%s, %.1f MB, best of %d"
          % (pd.__version__, " and DuckDB" if duck else "", rows, " (mixed)" if args.mixed else "", mb, args.repeat))
    print("Load average %.2f at the start, %.2f at the end (%d cores)" % (load_start[0], os.getloadavg()[0],
                                                                           os.cpu_count()))
    print("")
    for t in (1, 2):
        wall, cpu = read[t]
        print("CSV read, %d thread%s ours %7.1f MB/s wall %7.1f MB/s cpu | pandas %7.1f MB/s wall %7.1f MB/s cpu"
              % (t, " " if t == 1 else "s", mb / wall, mb / cpu, mb / pd_read[0], mb / pd_read[1]))
        print("                    ratio (pandas time / ours): %.2fx wall, %.2fx cpu" % (pd_read[0] / wall, pd_read[1] / cpu))
        if t in duck:
            d = duck[t]
            print("                    DuckDB %d thread%s %7.1f MB/s wall %7.1f MB/s cpu; ratio (DuckDB time / ours): %.2fx wall, %.2fx cpu"
                  % (t, " " if t == 1 else "s", mb / d["wall"], mb / d["cpu"], d["wall"] / wall, d["cpu"] / cpu))
    for t in (1, 2):
        p = ours_peak[t]
        print("CSV memory, %d thread%s ours: columns %.1f MB, peak growth %.1f MB (%.2fx the columns)"
              % (t, " " if t == 1 else "s", p["held"] / 1e6, p["peak_growth"] / 1e6, p["peak_growth"] / p["held"]))
    print("                    pandas: frame %.1f MB, peak growth %.1f MB; ours / pandas peak: %.2f"
          % (pandas_peak["held"] / 1e6, pandas_peak["peak_growth"] / 1e6,
             max(ours_peak[1]["peak_growth"], ours_peak[2]["peak_growth"]) / pandas_peak["peak_growth"]))
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
