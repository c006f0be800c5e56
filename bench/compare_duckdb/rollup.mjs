// Times DuckDB's GROUP BY ROLLUP over the crosstab benchmark data: the same
// crossings as bench_crosstab (region x product rows with subtotals and a
// total, year columns with a total), on a table already loaded, with the
// given thread counts. Prints one JSON object.
//
//   node rollup.mjs FILE.csv [REPEAT] [THREADS...]
import { DuckDBInstance } from '@duckdb/node-api';

const [file, repeatText = '5', ...threadTexts] = process.argv.slice(2);
if (!file) {
  console.error('usage: node rollup.mjs FILE.csv [REPEAT] [THREADS...]');
  process.exit(2);
}
const repeat = Number(repeatText);
const threads = threadTexts.length ? threadTexts.map(Number) : [1, 2];

const queries = {
  sum_mean: 'SELECT region, product, year, SUM(revenue) AS s, AVG(quantity) AS m FROM t ' +
    'GROUP BY ROLLUP(region, product), ROLLUP(year)',
  median_distinct: 'SELECT region, product, year, MEDIAN(revenue) AS s, COUNT(DISTINCT quantity) AS m FROM t ' +
    'GROUP BY ROLLUP(region, product), ROLLUP(year)',
};

const instance = await DuckDBInstance.create(':memory:');
const con = await instance.connect();
const quoted = file.replace(/'/g, "''");
await con.run(`CREATE TABLE t AS SELECT * FROM read_csv('${quoted}', header = true)`);
const result = { rows: Number((await (await con.runAndReadAll('SELECT COUNT(*) FROM t')).getRows())[0][0]) };
for (const n of threads) {
  await con.run(`SET threads = ${n}`);
  for (const [name, sql] of Object.entries(queries)) {
    let best = Infinity, groups = 0;
    for (let i = 0; i < repeat; ++i) {
      const t0 = process.hrtime.bigint();
      const reader = await con.runAndReadAll(sql);
      const ms = Number(process.hrtime.bigint() - t0) / 1e6;
      groups = reader.getRows().length;
      best = Math.min(best, ms);
    }
    result[`${name}_threads${n}_ms`] = best;
    result[`${name}_groups`] = groups;
  }
}
console.log(JSON.stringify(result));
