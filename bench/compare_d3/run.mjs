// Prints, for each numeric range of ranges.json, the ticks of the Orvane axis
// engine (znaxis, at most 6 ticks) next to d3's (ticks(lo, hi, 6), and the
// ticks of a linear scale niced to 6 ticks, which like znaxis covers the whole
// range), then the time per call of each and their ratio.
//
//   cd bench/compare_d3 && npm install && node run.mjs [path/to/bench_axis_compare]
//
// The C++ side is the bench_axis_compare program of the build (default
// ../../build/bin/bench_axis_compare); R's labeling::extended is added as a
// third column when Rscript and the labeling package are installed.
import { spawnSync } from "node:child_process";
import { readFileSync, existsSync } from "node:fs";
import { dirname, resolve } from "node:path";
import { fileURLToPath } from "node:url";
import { ticks } from "d3-array";
import { scaleLinear } from "d3-scale";

const here = dirname(fileURLToPath(import.meta.url));
const ranges = JSON.parse(readFileSync(resolve(here, "ranges.json"), "utf8"));
const program = resolve(process.argv[2] ?? resolve(here, "../../build/bin/bench_axis_compare"));
if (!existsSync(program)) {
  console.error(`compare_d3: ${program} not found; build the project first (ninja -C build bench_axis_compare)`);
  process.exit(1);
}

// The C++ engine: ticks and times, one JSON line per range.
const cpp = spawnSync(program, { input: ranges.map(([a, b]) => `${a} ${b}`).join("\n") + "\n", encoding: "utf8" });
if (cpp.status !== 0) {
  console.error(`compare_d3: ${program} failed:\n${cpp.stderr}`);
  process.exit(1);
}
const orvane = cpp.stdout.trim().split("\n").map((l) => JSON.parse(l));

// Nanoseconds per call, measured as on the C++ side: batches grown to 2 ms
// (which also warms the code up), then the best of 41 batches.
function nsPerCall(f) {
  let n = 100;
  for (;;) {
    const t0 = process.hrtime.bigint();
    for (let i = 0; i < n; ++i) f();
    if (Number(process.hrtime.bigint() - t0) > 2e6 || n > 2 ** 30) break;
    n *= 2;
  }
  let best = Infinity;
  for (let round = 0; round < 41; ++round) {
    const t0 = process.hrtime.bigint();
    for (let i = 0; i < n; ++i) f();
    best = Math.min(best, Number(process.hrtime.bigint() - t0) / n);
  }
  return best;
}

function niceTicks(lo, hi) {
  return scaleLinear().domain([lo, hi]).nice(6).ticks(6);
}

// R's extended labeling (Talbot, Lin, Hanrahan), when it is installed.
function labelingExtended() {
  const script = `suppressMessages(library(labeling)); r <- read.table(file("stdin")); ` +
    `for (i in seq_len(nrow(r))) cat(format(extended(r[i,1], r[i,2], m = 6), digits = 15), "\\n")`;
  const res = spawnSync("Rscript", ["-e", script], {
    input: ranges.map(([a, b]) => `${a} ${b}`).join("\n") + "\n",
    encoding: "utf8",
  });
  if (res.error || res.status !== 0) return null;
  return res.stdout.trim().split("\n").map((l) => l.trim().split(/\s+/).map(Number));
}

const fmt = (v) => (Math.abs(v) >= 1e6 || (Math.abs(v) < 1e-3 && v !== 0) ? v.toExponential(3).replace(/\.?0+e/, "e") : `${+v.toPrecision(10)}`);
const list = (a) => a.map(fmt).join(" ");
const extended = labelingExtended();

let sumOrvane = 0, sumOrvaneTicks = 0, sumD3 = 0, sumD3Nice = 0;
console.log("Ticks per range (orvane znaxis at most 6 | d3 ticks(lo, hi, 6) | d3 linear scale niced to 6" +
  (extended ? " | R labeling::extended(m = 6)" : "") + ")\n");
ranges.forEach(([lo, hi], i) => {
  const o = orvane[i];
  const d = ticks(lo, hi, 6);
  const n = niceTicks(lo, hi);
  const dNs = nsPerCall(() => ticks(lo, hi, 6));
  const nNs = nsPerCall(() => niceTicks(lo, hi));
  sumOrvane += o.ns;
  sumOrvaneTicks += o.nsTicks;
  sumD3 += dNs;
  sumD3Nice += nNs;
  const same = list(o.ticks) === list(n) ? "  (same as d3 nice)" : "";
  console.log(`[${fmt(lo)}, ${fmt(hi)}]${same}`);
  console.log(`  orvane   : ${list(o.ticks)}`);
  console.log(`  d3 ticks : ${list(d)}`);
  console.log(`  d3 nice  : ${list(n)}`);
  if (extended) console.log(`  extended : ${list(extended[i])}`);
  console.log(`  ns/call  : orvane ${o.ns.toFixed(1)} (with tick list ${o.nsTicks.toFixed(1)}) | ` +
    `d3 ticks ${dNs.toFixed(1)} | d3 nice+ticks ${nNs.toFixed(1)}`);
});
const k = ranges.length;
console.log(`\nMean time per call over ${k} ranges:`);
console.log(`  orvane znaxis              ${(sumOrvane / k).toFixed(1)} ns`);
console.log(`  orvane znaxis + tick list  ${(sumOrvaneTicks / k).toFixed(1)} ns`);
console.log(`  d3 ticks                   ${(sumD3 / k).toFixed(1)} ns`);
console.log(`  d3 scale nice + ticks      ${(sumD3Nice / k).toFixed(1)} ns`);
console.log(`Ratio d3 ticks / orvane znaxis + tick list: ${(sumD3 / sumOrvaneTicks).toFixed(2)}x`);
console.log(`Ratio d3 nice+ticks / orvane znaxis + tick list: ${(sumD3Nice / sumOrvaneTicks).toFixed(2)}x`);
