// SPDX-License-Identifier: Apache-2.0
// Benchmarks of the hierarchy engine's crossings on 1,000,000 rows x 10
// columns: two row levels (region, 7 members; product, 500), one column level
// (year, 10), measures revenue and quantity. bench/compare_crosstab.py runs
// them next to pandas and DuckDB on the same file and checks the figures.
//
//   bench_crosstab [benchmark flags]          uses $ORVANE_BENCH_CROSSTAB_CSV or
//                                              generates the rows in memory
//   bench_crosstab --generate FILE [ROWS]     writes the benchmark file only
//   bench_crosstab --dump FILE OUT            writes every crossing (totals and
//                                              subtotals) of revenue for sum,
//                                              mean, median, min, max, count, std
#include "orvane/host/data/Aggregation.h"
#include "orvane/host/data/CSVReader.h"
#include "orvane/host/data/DataSet.h"
#include "orvane/host/data/HierarchyDataSet.h"
#include "orvane/host/data/InMemoryCrossingEngine.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <random>
#include <string>
#include <vector>

using namespace orvane;

namespace {

const char* kRegions[] = {"North", "South", "East", "West", "Central", "Overseas", "Online"};
const char* kChannels[] = {"Online", "Retail", "Partner", "Phone"};

// One row of the benchmark data, from its index (the same for the file and
// the in-memory table).
struct RowMaker {
    std::mt19937_64 rng{19};
    int pick(int n) { return static_cast<int>(rng() % static_cast<uint64_t>(n)); }
    double uniform() { return static_cast<double>(rng() >> 11) / 9007199254740992.0; }
};

bool generate(const std::string& path, long rows) {
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) return false;
    RowMaker m;
    std::fputs("order_id,region,product,customer,channel,year,quantity,unit_price,revenue,discount\n", f);
    for (long i = 0; i < rows; ++i) {
        int region = m.pick(7), product = m.pick(500), customer = m.pick(50000), channel = m.pick(4);
        int year = 2015 + m.pick(10);
        int q = 1 + m.pick(50);
        double p = std::round((1 + m.uniform() * 499) * 100) / 100;
        double d = std::round(m.uniform() * 0.3 * 1000) / 1000;
        // About 1 in 200 revenues is missing.
        bool missing = m.pick(200) == 0;
        std::fprintf(f, "%ld,%s,Product %03d,Customer %05d,%s,%d,%d,%.2f,", 100000 + i, kRegions[region], product,
                     customer, kChannels[channel], year, q, p);
        if (missing) std::fputs(",", f);
        else std::fprintf(f, "%.2f,", q * p * (1 - d));
        std::fprintf(f, "%.3f\n", d);
    }
    return std::fclose(f) == 0;
}

std::shared_ptr<DataSet> load() {
    static std::shared_ptr<DataSet> data;
    if (data) return data;
    std::string path;
    if (const char* env = std::getenv("ORVANE_BENCH_CROSSTAB_CSV")) path = env;
    else {
        path = "/tmp/orvane_bench_crosstab.csv";
        if (!generate(path, 1000000)) std::abort();
    }
    CSVReader::Options options;
    options.readMetadataFile = false;
    auto result = CSVReader::readFile(path, options);
    if (!result.ok()) {
        std::fprintf(stderr, "bench_crosstab: %s\n", result.error.c_str());
        std::abort();
    }
    data = result.dataSet;
    return data;
}

struct Crosstab {
    std::shared_ptr<DataSet> data = load();
    std::shared_ptr<Hierarchy> rows = Hierarchy::create("rows", std::vector<std::string>{"region", "product"}, data);
    std::shared_ptr<Hierarchy> cols = Hierarchy::create("cols", std::vector<std::string>{"year"}, data);
    std::shared_ptr<InMemoryCrossingEngine> engine = std::make_shared<InMemoryCrossingEngine>();
    std::shared_ptr<HierarchyDataSet> hds;
    Crosstab(std::vector<std::string> measures, std::vector<int> codes, bool totals, bool expand = true) {
        hds = HierarchyDataSet::create(data, {rows, cols}, std::move(measures));
        hds->setMeasureAggregations(std::move(codes));
        hds->setCrossingEngine(engine);
        for (auto& h : {rows, cols})
            for (auto& l : h->getLevels()) l->setOmitSubtotal(!totals);
        if (expand) rows->getExpandedState()->expandAll();
    }
    std::shared_ptr<DataSet> cross() { return hds->getNormalizedCrossings(rows, cols, false, false, nullptr); }
};

void run(benchmark::State& state, std::vector<int> codes, bool totals) {
    Crosstab x({"revenue", "quantity"}, std::move(codes), totals);
    size_t cells = 0;
    for (auto _ : state) {
        x.engine->invalidate();   // no reuse: every crossing from source rows
        auto out = x.cross();
        cells = out->getRowCount() * out->getColumnCount();
        benchmark::DoNotOptimize(out);
    }
    state.counters["cells"] = static_cast<double>(cells);
    state.counters["rows"] = static_cast<double>(x.data->getRowCount());
}

void BM_CrossingsSumMean(benchmark::State& s) { run(s, {Aggregation::SUM, Aggregation::AVERAGE}, true); }
void BM_CrossingsSumMeanNoTotals(benchmark::State& s) { run(s, {Aggregation::SUM, Aggregation::AVERAGE}, false); }
void BM_CrossingsMedianDistinct(benchmark::State& s) { run(s, {Aggregation::MEDIAN, Aggregation::DISTINCT}, true); }

void BM_BuildTrees(benchmark::State& state) {
    auto data = load();
    for (auto _ : state) {
        auto rows = Hierarchy::create("rows", std::vector<std::string>{"region", "product"}, data);
        auto cols = Hierarchy::create("cols", std::vector<std::string>{"year"}, data);
        auto hds = HierarchyDataSet::create(data, {rows, cols}, {"revenue"});
        benchmark::DoNotOptimize(hds);
    }
}

// Expanding (then collapsing) one region of a built crosstab whose regions
// are collapsed: the crossings of the other leaves are reused.
void BM_ExpandCollapseOneMember(benchmark::State& state) {
    Crosstab x({"revenue", "quantity"}, {Aggregation::SUM, Aggregation::AVERAGE}, true, false);
    x.cross();
    auto member = x.rows->getExpandedState()->getChildren()[0];
    for (auto _ : state) {
        x.rows->expand(member);
        benchmark::DoNotOptimize(x.cross());
        x.rows->collapse(member);
        benchmark::DoNotOptimize(x.cross());
    }
    state.counters["per_action_us"] =
        benchmark::Counter(static_cast<double>(state.iterations()) * 2, benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

int dump(const std::string& path, const std::string& out) {
    setenv("ORVANE_BENCH_CROSSTAB_CSV", path.c_str(), 1);
    const int codes[] = {Aggregation::SUM, Aggregation::AVERAGE, Aggregation::MEDIAN, Aggregation::MINIMUM,
                         Aggregation::MAXIMUM, Aggregation::COUNT, Aggregation::STD};
    std::vector<std::string> names;
    std::vector<int> codeList;
    for (int c : codes) {
        names.push_back("revenue");
        codeList.push_back(c);
    }
    Crosstab x(names, codeList, true);
    auto cells = x.cross();
    auto rowLeaves = HierarchyDataSet::getLeaves(x.rows, false, nullptr);
    auto colLeaves = HierarchyDataSet::getLeaves(x.cols, false, nullptr);
    std::FILE* f = std::fopen(out.c_str(), "wb");
    if (!f) return 1;
    std::fputs("region,product,year,stat,value\n", f);
    auto keyOf = [](const CrossingEngine::Leaf& l, int depth) -> std::string {
        if (l.kind == CrossingEngine::LeafKind::TOTAL || !l.node) return "*";
        auto path = l.node->getUniqueNodePath();
        return depth < static_cast<int>(path.size()) ? path[static_cast<size_t>(depth)]->getPresentableText() : "*";
    };
    for (size_t r = 0; r < rowLeaves.size(); ++r)
        for (size_t c = 0; c < colLeaves.size(); ++c)
            for (size_t m = 0; m < codeList.size(); ++m) {
                auto col = cells->getColumn(static_cast<int>(c * codeList.size() + m));
                std::fprintf(f, "%s,%s,%s,%s,%.17g\n", keyOf(rowLeaves[r], 0).c_str(), keyOf(rowLeaves[r], 1).c_str(),
                             keyOf(colLeaves[c], 0).c_str(), std::string(Aggregation::name(codeList[m])).c_str(),
                             col->getNumberAtIndex(r));
            }
    return std::fclose(f) == 0 ? 0 : 1;
}

} // namespace

BENCHMARK(BM_BuildTrees)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CrossingsSumMean)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CrossingsSumMeanNoTotals)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CrossingsMedianDistinct)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ExpandCollapseOneMember)->Unit(benchmark::kMicrosecond);

int main(int argc, char** argv) {
    if (argc >= 3 && std::strcmp(argv[1], "--generate") == 0)
        return generate(argv[2], argc >= 4 ? std::atol(argv[3]) : 1000000) ? 0 : 1;
    if (argc >= 4 && std::strcmp(argv[1], "--dump") == 0) return dump(argv[2], argv[3]);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
