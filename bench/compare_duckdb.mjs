// Reads a CSV file into a DuckDB table with read_csv, the way
// bench/compare_pandas.py times the other readers, and prints the best wall
// and process CPU time in seconds as JSON.
//
//   node bench/compare_duckdb.mjs MODULES_DIR FILE THREADS REPEAT
//
// MODULES_DIR is the folder where `npm install @duckdb/node-api` was run
// (never a dependency of the library).
import { createRequire } from 'node:module';
import { pathToFileURL } from 'node:url';
import path from 'node:path';

const [modules, file, threads, repeat] = process.argv.slice(2);
const require = createRequire(path.join(path.resolve(modules), 'package.json'));
const { DuckDBInstance } = await import(pathToFileURL(require.resolve('@duckdb/node-api')).href);

const instance = await DuckDBInstance.create(':memory:', { threads: String(threads) });
const connection = await instance.connect();
const quoted = file.replaceAll("'", "''");
let wall = Infinity, cpu = Infinity, rows = 0;
for (let i = 0; i < Number(repeat); ++i) {
    const c0 = process.cpuUsage();
    const w0 = performance.now();
    await connection.run(`CREATE OR REPLACE TABLE t AS SELECT * FROM read_csv('${quoted}')`);
    const w = (performance.now() - w0) / 1e3;
    const used = process.cpuUsage(c0);
    wall = Math.min(wall, w);
    cpu = Math.min(cpu, (used.user + used.system) / 1e6);
}
const result = await connection.runAndReadAll('SELECT count(*) FROM t');
rows = Number(result.getRows()[0][0]);
console.log(JSON.stringify({ wall, cpu, rows, threads: Number(threads) }));
