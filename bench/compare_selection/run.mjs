// Times applying "region in (3 values) and units between a and b" to
// 1,000,000 rows (8 regions, units 1 to 100), alternating two such
// selections so that every application changes the selected rows, in:
//   - the Orvane selection controller (bench_selection, BM_ApplySelection_1M),
//   - crossfilter2 (two dimensions, filterFunction + filterRange, then the
//     filtered row count, as a linked view would read it),
//   - a plain JavaScript loop over typed arrays into a byte per row.
// Prints milliseconds per application (CPU time for the C++ side) and rows
// per second, and the ratios to the Orvane figure.
//
//   cd bench/compare_selection && npm install && node run.mjs [path/to/bench_selection]
import { spawnSync } from "node:child_process";
import { existsSync } from "node:fs";
import { dirname, resolve } from "node:path";
import { fileURLToPath } from "node:url";
import crossfilter from "crossfilter2";

const here = dirname(fileURLToPath(import.meta.url));
const program = resolve(process.argv[2] ?? resolve(here, "../../build/bin/bench_selection"));
if (!existsSync(program)) {
  console.error(`compare_selection: ${program} not found; build with -DORVANE_BUILD_BENCH=ON first`);
  process.exit(1);
}

const N = 1_000_000;
const names = ["North", "South", "East", "West", "Central", "North East", "South West", "Overseas"];
let seed = 11;
const rand = () => ((seed = (seed * 1103515245 + 12345) % 2147483648) / 2147483648);
const regionCode = new Uint8Array(N);
const units = new Float64Array(N);
const rows = new Array(N);
for (let i = 0; i < N; i++) {
  regionCode[i] = Math.floor(rand() * 8);
  units[i] = 1 + Math.floor(rand() * 100);
  rows[i] = { region: names[regionCode[i]], units: units[i] };
}
const selections = [
  { regions: new Set(["East", "West", "North"]), lo: 20, hi: 60 },
  { regions: new Set(["East", "West", "South"]), lo: 10, hi: 70 },
];

function time(label, fn) {
  for (let i = 0; i < 4; i++) fn(i);  // warm up
  const start = process.hrtime.bigint();
  let runs = 0;
  while (process.hrtime.bigint() - start < 2_000_000_000n) fn(runs++);
  const ms = Number(process.hrtime.bigint() - start) / 1e6 / runs;
  return { label, ms };
}

const cf = crossfilter(rows);
const byRegion = cf.dimension((d) => d.region);
const byUnits = cf.dimension((d) => d.units);
const crossfilterResult = time("crossfilter2 1.5 (filterFunction + filterRange + count)", (i) => {
  const s = selections[i % 2];
  byRegion.filterFunction((r) => s.regions.has(r));
  byUnits.filterRange([s.lo, s.hi + 1e-9]);
  if (cf.allFiltered().length === 0) throw new Error("nothing selected");
});

const selected = new Uint8Array(N);
const loopResult = time("plain JavaScript loop over typed arrays", (i) => {
  const s = selections[i % 2];
  const want = new Uint8Array(8);
  names.forEach((n, k) => (want[k] = s.regions.has(n) ? 1 : 0));
  for (let r = 0; r < N; r++) selected[r] = want[regionCode[r]] & (units[r] >= s.lo) & (units[r] <= s.hi);
});

const cpp = spawnSync(program, ["--benchmark_filter=BM_ApplySelection_1M", "--benchmark_format=json", "--benchmark_min_time=1"], {
  encoding: "utf8",
});
if (cpp.status !== 0) {
  console.error(`compare_selection: ${program} failed:\n${cpp.stderr}`);
  process.exit(1);
}
const bench = JSON.parse(cpp.stdout).benchmarks[0];
const orvane = { label: "Orvane DataSetSelectionController (CPU time)", ms: bench.cpu_time };
const wall = { label: "Orvane DataSetSelectionController (wall time)", ms: bench.real_time };

console.log(`applying a selection to ${N.toLocaleString("en")} rows:`);
for (const r of [orvane, wall, loopResult, crossfilterResult]) {
  const perSecond = (N / (r.ms / 1000) / 1e6).toFixed(0);
  const ratio = (r.ms / orvane.ms).toFixed(2);
  console.log(`  ${r.label.padEnd(58)} ${r.ms.toFixed(2).padStart(8)} ms  ${perSecond.padStart(6)} M rows/s  x${ratio}`);
}
