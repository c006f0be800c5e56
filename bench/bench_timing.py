# SPDX-License-Identifier: Apache-2.0
"""Timing shared by the peer comparison scripts (compare_pandas.py,
compare_crosstab.py): the best of several runs of a Python callable, and the
figures of a Google Benchmark binary run with JSON output."""
import json
import os
import subprocess
import sys
import time


def best(fn, repeat):
    """Best wall-clock and CPU time (seconds) of repeat runs of fn()."""
    wall, cpu = [], []
    for _ in range(repeat):
        w, c = time.perf_counter(), time.process_time()
        fn()
        wall.append(time.perf_counter() - w)
        cpu.append(time.process_time() - c)
    return min(wall), min(cpu)


class BenchmarkRuns:
    """Runs a Google Benchmark binary once with JSON output (in tmp) and
    answers the best time of each benchmark, in seconds."""

    _SCALE = {"ms": 1e-3, "us": 1e-6, "ns": 1e-9, "s": 1.0}

    def __init__(self, bench, tmp, repeat, env=None, who="bench"):
        out = os.path.join(tmp, os.path.basename(bench) + ".json")
        run = subprocess.run([bench, "--benchmark_out=" + out, "--benchmark_out_format=json",
                              "--benchmark_repetitions=%d" % repeat],
                             env=env, stdout=subprocess.DEVNULL, stderr=subprocess.PIPE, text=True)
        if run.returncode != 0:
            sys.exit("%s: %s failed:\n%s" % (who, os.path.basename(bench), run.stderr))
        with open(out) as f:
            self.runs = [b for b in json.load(f)["benchmarks"] if b.get("run_type") == "iteration"]

    def matching(self, name, exact=False):
        """The runs of the benchmark called name (or whose name starts with it)."""
        found = [b for b in self.runs if (b["run_name"] == name if exact else b["run_name"].startswith(name))]
        if not found:
            sys.exit("no benchmark run named %s" % name)
        return found

    def seconds(self, name, field="real_time", exact=False):
        """The best real_time or cpu_time of the benchmark, in seconds."""
        found = self.matching(name, exact)
        return min(b[field] * self._SCALE[b["time_unit"]] for b in found)
