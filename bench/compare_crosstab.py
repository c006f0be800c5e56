#!/usr/bin/python3
# SPDX-License-Identifier: Apache-2.0
"""Runs the crosstab benchmarks, pandas.pivot_table(margins=True) and DuckDB's
GROUP BY ROLLUP on the same data in one run, prints the times side by side,
and checks that every crossing (totals and subtotals included) matches pandas
to 1e-9 relative for sum, mean, median, min, max, count and std.

    bench/compare_crosstab.py [--build BUILD_DIR] [--rows N] [--repeat K]

The CSV file (1,000,000 rows x 10 columns; rows region (7) x product (500),
columns year (10), measures revenue and quantity) is written by
bench_crosstab --generate, read by all three, and removed afterwards. DuckDB
runs from bench/compare_duckdb (npm install there first); it is skipped when
node or the package is missing.
"""
import argparse
import json
import math
import os
import subprocess
import sys
import tempfile

import pandas as pd

from bench_timing import BenchmarkRuns, best


def pandas_crossings(df, aggfunc):
    """The crossings with totals and subtotals: pivot_table(margins=True) gives
    the members and the grand totals; a second pivot by region gives the
    region subtotals (pandas has no subtotals of its own)."""
    full = pd.pivot_table(df, index=["region", "product"], columns="year", values=list(aggfunc),
                          aggfunc=aggfunc, margins=True)
    sub = pd.pivot_table(df, index=["region"], columns="year", values=list(aggfunc), aggfunc=aggfunc, margins=True)
    return full, sub


def check(dump_csv, df):
    """Compares every figure of bench_crosstab --dump with pandas."""
    ours = pd.read_csv(dump_csv, dtype={"region": str, "product": str, "year": str})
    stats = {"sum": "sum", "mean": "mean", "median": "median", "min": "min", "max": "max", "count": "count",
             "std": "std"}
    frame = df.assign(year=df["year"].astype(str))
    expected = {}
    for keys in (["region", "product", "year"], ["region", "product"], ["region", "year"], ["region"], ["year"], []):
        if keys:
            g = frame.groupby(keys)["revenue"].agg(list(stats.values()))
            for idx, row in g.iterrows():
                idx = idx if isinstance(idx, tuple) else (idx,)
                k = dict(zip(keys, idx))
                key = (k.get("region", "*"), k.get("product", "*"), k.get("year", "*"))
                for s in stats:
                    expected[key + (s,)] = row[stats[s]]
        else:
            r = frame["revenue"].agg(list(stats.values()))
            for s in stats:
                expected[("*", "*", "*", s)] = r[stats[s]]
    bad, checked = 0, 0
    for region, product, year, stat, value in ours.itertuples(index=False):
        key = (region, product, year, stat)
        if key not in expected:
            continue   # an empty crossing (sparse) has no pandas group
        want = float(expected[key])
        # A crossing whose values are all missing has no sum here (as in SQL);
        # pandas gives 0.0 for it.
        if stat == "sum" and expected.get(key[:3] + ("count",)) == 0:
            want = math.nan
        checked += 1
        same = (math.isnan(value) and math.isnan(want)) or abs(value - want) <= 1e-9 * max(1.0, abs(want))
        if not same:
            bad += 1
            if bad <= 10:
                print("  mismatch", key, value, want)
    return checked, bad, len(expected)


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    ap = argparse.ArgumentParser()
    ap.add_argument("--build", default=os.path.join(here, "..", "build"))
    ap.add_argument("--rows", type=int, default=1000000)
    ap.add_argument("--repeat", type=int, default=3)
    args = ap.parse_args()
    bench = os.path.join(args.build, "bin", "bench_crosstab")
    if not os.path.exists(bench):
        sys.exit("compare_crosstab: %s is not built (configure with -DORVANE_BUILD_BENCH=ON)" % bench)

    with tempfile.TemporaryDirectory() as tmp:
        csv = os.path.join(tmp, "crosstab.csv")
        subprocess.run([bench, "--generate", csv, str(args.rows)], check=True)

        gbench = BenchmarkRuns(bench, tmp, args.repeat, env=dict(os.environ, ORVANE_BENCH_CROSSTAB_CSV=csv),
                               who="compare_crosstab")

        def ours_ms(name, field="real_time"):
            return gbench.seconds(name, field, exact=True) * 1e3

        df = pd.read_csv(csv)
        pd_sum = best(lambda: pandas_crossings(df, {"revenue": "sum", "quantity": "mean"}), args.repeat)
        pd_sum_margins = best(lambda: pd.pivot_table(df, index=["region", "product"], columns="year",
                                                     values=["revenue", "quantity"],
                                                     aggfunc={"revenue": "sum", "quantity": "mean"}, margins=True),
                              args.repeat)
        pd_med = best(lambda: pandas_crossings(df, {"revenue": "median", "quantity": "nunique"}), args.repeat)

        duck = None
        node_dir = os.path.join(here, "compare_duckdb")
        if os.path.isdir(os.path.join(node_dir, "node_modules", "@duckdb", "node-api")):
            r = subprocess.run(["node", os.path.join(node_dir, "rollup.mjs"), csv, str(max(args.repeat, 3)), "1", "2"],
                               stdout=subprocess.PIPE, stderr=subprocess.PIPE, text=True)
            if r.returncode == 0:
                duck = json.loads(r.stdout)
            else:
                print("DuckDB skipped:", r.stderr.strip()[:300])
        else:
            print("DuckDB skipped: run npm install in bench/compare_duckdb")

        dump = os.path.join(tmp, "dump.csv")
        subprocess.run([bench, "--dump", csv, dump], check=True)
        checked, bad, groups = check(dump, df)

    sm, smc = ours_ms("BM_CrossingsSumMean"), ours_ms("BM_CrossingsSumMean", "cpu_time")
    nt, ntc = ours_ms("BM_CrossingsSumMeanNoTotals"), ours_ms("BM_CrossingsSumMeanNoTotals", "cpu_time")
    md, mdc = ours_ms("BM_CrossingsMedianDistinct"), ours_ms("BM_CrossingsMedianDistinct", "cpu_time")
    tr = ours_ms("BM_BuildTrees", "cpu_time")
    ex_wall = ours_ms("BM_ExpandCollapseOneMember") / 2
    ex_cpu = ours_ms("BM_ExpandCollapseOneMember", "cpu_time") / 2
    print("Crosstab crossings, %d rows x 10 columns; rows region (7) x product (500) with subtotals and total,"
          " columns year (10) with total; best of %d; pandas %s" % (args.rows, args.repeat, pd.__version__))
    print("Times are wall-clock / CPU (the machine may be shared; DuckDB reports wall-clock only).")
    print("")
    print("sum + mean           ours %7.1f / %7.1f ms | pandas %7.1f / %7.1f ms (margins only %.1f ms): %.1fx / %.1fx faster"
          % (sm, smc, pd_sum[0] * 1e3, pd_sum[1] * 1e3, pd_sum_margins[0] * 1e3, pd_sum[0] * 1e3 / sm,
             pd_sum[1] * 1e3 / smc))
    if duck:
        d1, d2 = duck["sum_mean_threads1_ms"], duck["sum_mean_threads2_ms"]
        print("                     DuckDB ROLLUP %7.1f ms with 1 thread (%.2fx ours), %7.1f ms with 2 (%.2fx ours)"
              % (d1, d1 / sm, d2, d2 / sm))
    print("median + distinct    ours %7.1f / %7.1f ms (%.2fx sum + mean) | pandas %7.1f / %7.1f ms: %.1fx / %.1fx faster"
          % (md, mdc, mdc / smc, pd_med[0] * 1e3, pd_med[1] * 1e3, pd_med[0] * 1e3 / md, pd_med[1] * 1e3 / mdc))
    if duck:
        d1, d2 = duck["median_distinct_threads1_ms"], duck["median_distinct_threads2_ms"]
        print("                     DuckDB ROLLUP %7.1f ms with 1 thread (%.2fx ours), %7.1f ms with 2 (%.2fx ours)"
              % (d1, d1 / md, d2, d2 / md))
    print("totals and subtotals: %.2fx (CPU) the cost without them (%.1f ms CPU)" % (smc / ntc, ntc))
    print("building the data trees: %.1f ms CPU" % tr)
    print("expand or collapse one region of the built crosstab: %.3f ms wall, %.3f ms CPU" % (ex_wall, ex_cpu))
    print("figures checked against pandas: %d of %d groups, %d mismatches beyond 1e-9 relative"
          % (checked, groups, bad))
    if bad:
        sys.exit(1)


if __name__ == "__main__":
    main()
