// SPDX-License-Identifier: Apache-2.0
// Benchmarks of the data layer: CSV reading, sorting, formatting, where-clause
// evaluation and row-state memory. bench/compare_pandas.py runs them next to
// pandas on the same file.
//
//   bench_data_layer [benchmark flags]        uses $ORVANE_BENCH_CSV or writes
//                                              a 1,000,000-row file in /tmp
//   bench_data_layer --generate FILE [ROWS [QUOTED_EVERY EMPTY_EVERY]]
//                                             writes the benchmark file only: a
//                                             quoted customer with a comma every
//                                             QUOTED_EVERY rows (997), an empty
//                                             field every EMPTY_EVERY rows (never)
//   bench_data_layer --peak FILE THREADS      reads FILE once and prints the
//                                             memory held by the columns and the
//                                             peak resident memory of the read
#include "orvane/host/data/CSVReader.h"
#include "orvane/host/data/DataSet.h"
#include "orvane/host/data/Expression.h"
#include "orvane/host/data/AbstractWhereClauseExpression.h"
#include "orvane/host/format/FormatterFactory.h"
#include "orvane/host/data/RowBitmap.h"
#include "orvane/host/data/RowStates.h"
#include "orvane/host/data/SortState.h"

#include <benchmark/benchmark.h>
#include <malloc.h>
#include <sys/resource.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <random>
#include <string>
#include <vector>

using namespace orvane;

namespace {

// 10 columns, 5 numbers and 5 strings: order_id, region (8 values), product
// (2000), customer (~50,000), channel (4), order_date (ISO text), quantity,
// unit_price, revenue, discount.
bool generate(const std::string& path, long rows, long quotedEvery = 997, long emptyEvery = 0) {
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) return false;
    std::mt19937_64 rng(7);
    auto pick = [&](int n) { return static_cast<int>(rng() % static_cast<uint64_t>(n)); };
    auto uniform = [&] { return static_cast<double>(rng() >> 11) / 9007199254740992.0; };
    const char* regions[] = {"North", "South", "East", "West", "Central", "North East", "South West", "Overseas"};
    const char* channels[] = {"Online", "Retail", "Partner", "Phone"};
    const char* first[] = {"Anna", "Ben",  "Chloé", "David", "Emma", "Farid", "Greta", "Hugo", "Ines", "Jonas",
                           "Kira", "Lars", "Mona",  "Nils",  "Olga", "Paul",  "Quinn", "Rosa", "Sven", "Tara"};
    const char* last[] = {"Smith", "Müller", "García", "Rossi", "Dubois", "Nowak", "Jensen", "Silva", "Kowalski", "Novak"};
    std::fputs("order_id,region,product,customer,channel,order_date,quantity,unit_price,revenue,discount\n", f);
    char customer[96];
    for (long i = 0; i < rows; ++i) {
        int q = 1 + pick(50);
        double p = std::round((1 + uniform() * 499) * 100) / 100;
        double d = std::round(uniform() * 0.3 * 1000) / 1000;
        std::snprintf(customer, sizeof customer, i % quotedEvery == 0 ? "\"%s %s %d, Jr.\"" : "%s %s %d", first[pick(20)],
                      last[pick(10)], 1 + pick(250));
        if (emptyEvery > 0 && i % emptyEvery == 0) {
            // Channel and discount left empty.
            std::fprintf(f, "%ld,%s,Product %04d,%s,%.0s,20%02d-%02d-%02d,%d,%.2f,%.2f,\n", 100000 + i,
                         regions[pick(8)], pick(2000), customer, channels[pick(4)], 15 + pick(10), 1 + pick(12),
                         1 + pick(28), q, p, q * p * (1 - d));
            continue;
        }
        std::fprintf(f, "%ld,%s,Product %04d,%s,%s,20%02d-%02d-%02d,%d,%.2f,%.2f,%.3f\n", 100000 + i, regions[pick(8)],
                     pick(2000), customer, channels[pick(4)], 15 + pick(10), 1 + pick(12), 1 + pick(28), q, p,
                     q * p * (1 - d), d);
    }
    return std::fclose(f) == 0;
}

const std::string& csvPath() {
    static const std::string path = [] {
        if (const char* env = std::getenv("ORVANE_BENCH_CSV")) return std::string(env);
        std::string p = "/tmp/orvane_bench_data_layer.csv";
        if (!std::ifstream(p)) generate(p, 1000000);
        return p;
    }();
    return path;
}

size_t fileSize(const std::string& path) {
    std::ifstream in(path, std::ios::binary | std::ios::ate);
    return in ? static_cast<size_t>(in.tellg()) : 0;
}

const std::shared_ptr<DataSet>& loaded() {
    static const std::shared_ptr<DataSet> ds = CSVReader::readFile(csvPath()).dataSet;
    return ds;
}

// Reading the file with 1 and 2 threads.
void CsvRead(benchmark::State& state) {
    size_t bytes = fileSize(csvPath());
    CSVReader::Options options;
    options.threads = static_cast<unsigned>(state.range(0));
    for (auto _ : state) {
        auto r = CSVReader::readFile(csvPath(), options);
        if (!r.ok()) state.SkipWithError(r.error.c_str());
        benchmark::DoNotOptimize(r.dataSet);
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * bytes));
    state.counters["rows"] = static_cast<double>(loaded() ? loaded()->getRowCount() : 0);
}
BENCHMARK(CsvRead)
    ->ArgName("threads")
    ->Arg(1)
    ->Arg(2)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3)
    ->MeasureProcessCPUTime()
    ->UseRealTime();

void SortStringThenNumber(benchmark::State& state) {
    const auto& ds = loaded();
    std::vector<std::shared_ptr<SortContext>> keys{SortContext::create("product", SortDirection::ASCENDING),
                                                   SortContext::create("revenue", SortDirection::ASCENDING)};
    ds->getColumnWithName("product")->getCollationRanks();  // the collation is computed once per dictionary
    for (auto _ : state) benchmark::DoNotOptimize(SortState::sortRows(*ds, keys));
    state.SetItemsProcessed(static_cast<int64_t>(state.iterations() * ds->getRowCount()));
}
BENCHMARK(SortStringThenNumber)->Unit(benchmark::kMillisecond)->UseRealTime();

void SortStringThenNumberColdCollation(benchmark::State& state) {
    const auto& ds = loaded();
    std::vector<std::shared_ptr<SortContext>> keys{SortContext::create("product", SortDirection::ASCENDING),
                                                   SortContext::create("revenue", SortDirection::ASCENDING)};
    for (auto _ : state) {
        state.PauseTiming();
        auto product = ds->getColumnWithName("product")->copy();  // a copy has no collation yet
        auto fresh = DataSet::create();
        fresh->addColumn(product);
        fresh->addColumn(ds->getColumnWithName("revenue")->copy());
        state.ResumeTiming();
        benchmark::DoNotOptimize(SortState::sortRows(*fresh, keys));
    }
    state.SetItemsProcessed(static_cast<int64_t>(state.iterations() * ds->getRowCount()));
}
BENCHMARK(SortStringThenNumberColdCollation)->Unit(benchmark::kMillisecond)->UseRealTime();

std::vector<double> numbers() {
    std::mt19937_64 rng(3);
    std::vector<double> v(1000000);
    for (auto& x : v) x = (static_cast<double>(rng() % 2000000000) - 1e9) / 100.0;
    return v;
}

std::vector<double> days() {
    std::mt19937_64 rng(5);
    std::vector<double> v(1000000);
    for (auto& x : v) x = static_cast<double>(rng() % 40000) - 5000;
    return v;
}

void FormatComma12_2(benchmark::State& state) {
    auto v = numbers();
    auto f = FormatterFactory::getFormatter("COMMA12.2");
    for (auto _ : state)
        for (double x : v) benchmark::DoNotOptimize(f->format(x));
    state.SetItemsProcessed(static_cast<int64_t>(state.iterations() * v.size()));
}
BENCHMARK(FormatComma12_2)->Unit(benchmark::kMillisecond);

void FormatDate9(benchmark::State& state) {
    auto v = days();
    auto f = FormatterFactory::getFormatter("DATE9.");
    for (auto _ : state)
        for (double x : v) benchmark::DoNotOptimize(f->format(x));
    state.SetItemsProcessed(static_cast<int64_t>(state.iterations() * v.size()));
}
BENCHMARK(FormatDate9)->Unit(benchmark::kMillisecond);

void FormatNumericValueByName(benchmark::State& state) {
    auto v = numbers();
    for (auto _ : state)
        for (double x : v) benchmark::DoNotOptimize(DataValue::formatNumericValue(x, "COMMA12.2"));
    state.SetItemsProcessed(static_cast<int64_t>(state.iterations() * v.size()));
}
BENCHMARK(FormatNumericValueByName)->Unit(benchmark::kMillisecond);

// The reference: a bare snprintf("%.2f") into a buffer.
void SnprintfBaseline(benchmark::State& state) {
    auto v = numbers();
    char buf[64];
    for (auto _ : state)
        for (double x : v) {
            benchmark::DoNotOptimize(std::snprintf(buf, sizeof buf, "%.2f", x));
            benchmark::ClobberMemory();
        }
    state.SetItemsProcessed(static_cast<int64_t>(state.iterations() * v.size()));
}
BENCHMARK(SnprintfBaseline)->Unit(benchmark::kMillisecond);

void whereClause(benchmark::State& state, const std::string& text) {
    const auto& ds = loaded();
    auto clause = Expression::parse(text)->toWhereClause(ds);
    if (!clause) {
        state.SkipWithError("no where-clause");
        return;
    }
    RowBitmap rows;
    std::string error;
    size_t selected = 0;
    for (auto _ : state) {
        ds->evaluate(*clause, rows, error);
        selected = rows.count();
        benchmark::DoNotOptimize(selected);
    }
    state.SetItemsProcessed(static_cast<int64_t>(state.iterations() * ds->getRowCount()));
    state.counters["selected"] = static_cast<double>(selected);
}

std::string products() {
    std::string s;
    for (int i = 0; i < 20; ++i) {
        char buf[32];
        std::snprintf(buf, sizeof buf, "%s\"Product %04d\"", i ? ", " : "", i * 97);
        s += buf;
    }
    return s;
}

void WhereStringInAndBetween(benchmark::State& state) {
    whereClause(state, "\"product\" in (" + products() + ") and \"revenue\" between 100 and 5000");
}
BENCHMARK(WhereStringInAndBetween)->Unit(benchmark::kMillisecond);

void WhereNumberInAndBetween(benchmark::State& state) {
    whereClause(state, "\"quantity\" in (1, 3, 5, 7, 9, 11, 13, 15, 17, 19, 21, 23, 25, 27, 29, 31, 33, 35, 37, 39) "
                       "and \"unit_price\" between 10 and 200");
}
BENCHMARK(WhereNumberInAndBetween)->Unit(benchmark::kMillisecond);

void RowStates10M(benchmark::State& state) {
    const size_t n = 10000000;
    RowBitmap every3(n);
    for (size_t i = 0; i < n; i += 3) every3.set(i);
    size_t bytes = 0;
    for (auto _ : state) {
        auto rs = RowStates::create(n);
        rs->setSelection(every3);
        bytes = rs->getMemoryUsage();
        benchmark::DoNotOptimize(rs->getSelectedCount());
    }
    state.counters["bytes_per_row"] = static_cast<double>(bytes) / static_cast<double>(n);
    state.counters["bytes"] = static_cast<double>(bytes);
}
BENCHMARK(RowStates10M)->Unit(benchmark::kMillisecond);

} // namespace

// Memory of one read: the heap the loaded columns hold afterwards and the
// growth of the peak resident memory during the read, in bytes, as JSON.
int peak(const char* path, unsigned threads) {
    struct rusage before, after;
    getrusage(RUSAGE_SELF, &before);
    const size_t heapBefore = mallinfo2().uordblks + mallinfo2().hblkhd;
    CSVReader::Options options;
    options.threads = threads;
    options.createRowStates = false;
    auto r = CSVReader::readFile(path, options);
    if (!r.ok()) {
        std::fprintf(stderr, "bench_data_layer: %s\n", r.error.c_str());
        return 1;
    }
    getrusage(RUSAGE_SELF, &after);
    struct mallinfo2 m = mallinfo2();
    const size_t held = m.uordblks + m.hblkhd - heapBefore;
    std::printf("{\"held\": %zu, \"peak_growth\": %ld, \"rows\": %zu}\n", held,
                (after.ru_maxrss - before.ru_maxrss) * 1024L, r.dataSet->getRowCount());
    return 0;
}

int main(int argc, char** argv) {
    if (argc >= 3 && std::strcmp(argv[1], "--generate") == 0) {
        long rows = argc >= 4 ? std::atol(argv[3]) : 1000000;
        long quotedEvery = argc >= 5 ? std::max(1L, std::atol(argv[4])) : 997;
        long emptyEvery = argc >= 6 ? std::atol(argv[5]) : 0;
        if (!generate(argv[2], rows, quotedEvery, emptyEvery)) {
            std::fprintf(stderr, "bench_data_layer: cannot write %s\n", argv[2]);
            return 1;
        }
        return 0;
    }
    if (argc >= 4 && std::strcmp(argv[1], "--peak") == 0) return peak(argv[2], static_cast<unsigned>(std::atoi(argv[3])));
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
