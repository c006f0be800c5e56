// Times one step of a year range brushed over 1,000,000 rows (years 1960 to
// 2059), moving the upper end back and forth over 40 years a year a step, so
// that every step changes the selected rows, in:
//   - the Orvane range slider prompt (bench_prompts): the snap, the prompt's
//     selection controller and the row-state write
//     (BM_RangeThumbSelectionStep_1M), and the same with the redraw of the
//     prompt and of a table over the data (BM_RangeThumbDragStep_1M);
//   - crossfilter2 (a year dimension, filterRange, then the filtered row
//     count, as a linked view would read it).
// Prints milliseconds per step (CPU time for the C++ side) and the ratios.
//
//   cd bench/compare_prompts && npm install && node run.mjs [path/to/bench_prompts]
import { spawnSync } from "node:child_process";
import { existsSync } from "node:fs";
import { dirname, resolve } from "node:path";
import { fileURLToPath } from "node:url";
import crossfilter from "crossfilter2";

const here = dirname(fileURLToPath(import.meta.url));
const program = resolve(process.argv[2] ?? resolve(here, "../../build/bin/bench_prompts"));
if (!existsSync(program)) {
  console.error(`compare_prompts: ${program} not found; build with -DORVANE_BUILD_BENCH=ON first`);
  process.exit(1);
}

const N = 1_000_000;
let seed = 22;
const rand = () => ((seed = (seed * 1103515245 + 12345) % 2147483648) / 2147483648);
const rows = new Array(N);
for (let i = 0; i < N; i++) rows[i] = { year: 1960 + Math.floor(rand() * 100), units: 1 + Math.floor(rand() * 100) };

const cf = crossfilter(rows);
const byYear = cf.dimension((d) => d.year);
const all = cf.groupAll();
let step = 0, direction = -1;
const once = () => {
  step += direction;
  if (step <= -40 || step >= 0) direction = -direction;
  byYear.filterRange([1960, 2059 + step + 1]);  // both ends included
  if (all.value() === 0) throw new Error("nothing selected");
};
for (let i = 0; i < 20; i++) once();  // warm up
const start = process.hrtime.bigint();
let runs = 0;
while (process.hrtime.bigint() - start < 2_000_000_000n) {
  once();
  runs++;
}
const crossfilterMs = Number(process.hrtime.bigint() - start) / 1e6 / runs;

const cpp = spawnSync(program, ["--benchmark_format=json", "--benchmark_min_time=2"], { encoding: "utf8" });
if (cpp.status !== 0) {
  console.error(`compare_prompts: ${program} failed:\n${cpp.stderr}`);
  process.exit(1);
}
const results = Object.fromEntries(JSON.parse(cpp.stdout).benchmarks.map((b) => [b.name.split("/")[0], b]));
const selection = results.BM_RangeThumbSelectionStep_1M;
const drag = results.BM_RangeThumbDragStep_1M;

console.log(`one step of a year range over ${N.toLocaleString("en")} rows:`);
const line = (label, ms) => console.log(`  ${label.padEnd(62)} ${ms.toFixed(2).padStart(8)} ms`);
line("Orvane range slider: snap, selection, row states (CPU)", selection.cpu_time);
line("Orvane range slider: the same and the redraw with a table (CPU)", drag.cpu_time);
line("crossfilter2 1.5 (filterRange + filtered count, wall)", crossfilterMs);
console.log(`  crossfilter2 / Orvane selection step: ${(crossfilterMs / selection.cpu_time).toFixed(2)}`);
console.log(`  goal: a step within one frame at 60 Hz (16.7 ms): ${drag.cpu_time < 16.7 ? "met" : "missed"}`);
