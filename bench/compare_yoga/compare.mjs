// Runs the responsive layout benchmark of this project and lays out an
// equivalent flex-wrap tree with Yoga (yoga-layout, WebAssembly) under
// Node.js, in the same run, and reports the time per node of both and their
// ratio. Usage (after `npm install` in this folder):
//   node compare.mjs [path/to/bench_layout_responsive]
// The tree: a root 1600 wide holding 100 containers, four per line and 300
// high; each container holds 100 leaves that wrap into lines by their minimum
// widths (40 to 80 pixels), grow by their weights and are at least 20 high.
import { execFileSync } from 'node:child_process';
import { fileURLToPath } from 'node:url';
import path from 'node:path';
import Yoga, { Align, Direction, FlexDirection, Wrap } from 'yoga-layout';

const here = path.dirname(fileURLToPath(import.meta.url));
const benchPath = process.argv[2] ?? path.join(here, '..', '..', 'build', 'bin', 'bench_layout_responsive');

const CONTAINERS = 100;
const LEAVES = 100;
const NODES = 1 + CONTAINERS + CONTAINERS * LEAVES;
const WEIGHTS = [1, 2, 1, 3, 1, 2, 1, 3, 1, 2];

// ---- this project --------------------------------------------------------
function runOrvane() {
  const out = execFileSync(benchPath, [
    '--benchmark_filter=BM_ResponsiveFullLayout$',
    '--benchmark_format=json',
    '--benchmark_min_time=2',
  ], { encoding: 'utf8', stdio: ['ignore', 'pipe', 'ignore'] });
  const json = JSON.parse(out);
  const b = json.benchmarks.find((x) => x.name === 'BM_ResponsiveFullLayout');
  const toNs = { ns: 1, us: 1e3, ms: 1e6, s: 1e9 }[b.time_unit];
  return {
    cpuNsPerNode: (b.cpu_time * toNs) / NODES,
    wallNsPerNode: (b.real_time * toNs) / NODES,
    iterations: b.iterations,
  };
}

// ---- Yoga ------------------------------------------------------------------
function buildYogaTree() {
  const root = Yoga.Node.create();
  root.setWidth(1600);
  root.setHeight(8000);
  root.setFlexDirection(FlexDirection.Row);
  root.setFlexWrap(Wrap.Wrap);
  root.setAlignContent(Align.FlexStart);
  for (let c = 0; c < CONTAINERS; ++c) {
    const box = Yoga.Node.create();
    box.setWidthPercent(25);  // four per line, as the root's four weights
    box.setHeight(300);
    box.setFlexDirection(FlexDirection.Row);
    box.setFlexWrap(Wrap.Wrap);
    box.setAlignContent(Align.FlexStart);
    for (let i = 0; i < LEAVES; ++i) {
      const leaf = Yoga.Node.create();
      leaf.setFlexBasis(0);
      leaf.setFlexGrow(WEIGHTS[i % WEIGHTS.length]);
      leaf.setFlexShrink(1);
      leaf.setMinWidth(40 + ((i * 7 + c) % 5) * 10);
      leaf.setMinHeight(20);
      box.insertChild(leaf, i);
    }
    root.insertChild(box, c);
  }
  return root;
}

function runYoga() {
  const root = buildYogaTree();
  let width = 1600;
  const step = () => {
    // A different width each time, so that every node is laid out again.
    width = width === 1600 ? 1601 : 1600;
    root.setWidth(width);
    root.calculateLayout(undefined, undefined, Direction.LTR);
  };
  for (let i = 0; i < 20; ++i) step();  // warm up
  let iterations = 0;
  const cpu0 = process.cpuUsage();
  const t0 = performance.now();
  while (performance.now() - t0 < 2000) {
    step();
    ++iterations;
  }
  const wallMs = performance.now() - t0;
  const cpu = process.cpuUsage(cpu0);
  const cpuMs = (cpu.user + cpu.system) / 1000;
  // A check that the layout really ran: the first leaf of the first box.
  const first = root.getChild(0).getChild(0).getComputedLayout();
  root.freeRecursive();
  return {
    cpuNsPerNode: (cpuMs * 1e6) / iterations / NODES,
    wallNsPerNode: (wallMs * 1e6) / iterations / NODES,
    iterations,
    sample: first,
  };
}

const orvane = runOrvane();
const yoga = runYoga();
const f = (v) => v.toFixed(1).padStart(8);
console.log(`Responsive layout of ${NODES} nodes (100 containers x 100 wrapping children), full pass`);
console.log(`                         CPU ns/node   wall ns/node   iterations`);
console.log(`libOrvaneUI (C++)       ${f(orvane.cpuNsPerNode)}       ${f(orvane.wallNsPerNode)}       ${orvane.iterations}`);
console.log(`yoga-layout (Node wasm) ${f(yoga.cpuNsPerNode)}       ${f(yoga.wallNsPerNode)}       ${yoga.iterations}`);
console.log(`ratio Yoga / libOrvaneUI: ${(yoga.cpuNsPerNode / orvane.cpuNsPerNode).toFixed(2)} (CPU), ` +
            `${(yoga.wallNsPerNode / orvane.wallNsPerNode).toFixed(2)} (wall); above 1 means libOrvaneUI is faster`);
console.log(`Yoga sample (first leaf): ${JSON.stringify(yoga.sample)}`);
