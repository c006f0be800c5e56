// SPDX-License-Identifier: Apache-2.0
// What `orvane serve` sends for the bundled report: a whole frame as SVG, and
// the delta after one row of its table is selected (what a tap on a row
// sends once the table takes taps), with the time to draw and compare.
#include "FrameDelta.h"

#include "orvane/datagrid/DataGrid.h"
#include "orvane/datagrid/DataGridRenderer.h"
#include "orvane/displaylist/DisplayListRenderer.h"
#include "orvane/host/data/DataSet.h"
#include "orvane/report/Report.h"
#include "orvane/view/BaseView.h"

#include <benchmark/benchmark.h>

#include <stdexcept>

namespace {

using namespace orvane;

std::shared_ptr<Report> bundled() {
    std::vector<std::string> errors;
    auto report = Report::open(std::string(ORVANE_SOURCE_DIR) + "/examples/report/report.xml", errors);
    if (!report) throw std::runtime_error("the bundled report does not open");
    report->layout(1024);
    report->render();
    return report;
}

std::shared_ptr<DataGridRenderer> firstTable(const std::shared_ptr<BaseView>& root) {
    std::vector<std::shared_ptr<BaseView>> pending{root};
    while (!pending.empty()) {
        auto view = pending.back();
        pending.pop_back();
        if (auto table = std::dynamic_pointer_cast<DataGridRenderer>(view)) return table;
        if (auto subviews = view ? view->getSubviews() : nullptr)
            for (const auto& v : *subviews) pending.push_back(v);
    }
    return nullptr;
}

void FullFrame(benchmark::State& state) {
    auto report = bundled();
    size_t bytes = 0;
    for (auto _ : state) {
        report->render();
        std::string svg = report->getRenderer()->getDisplayListSVGString();
        bytes = svg.size();
        benchmark::DoNotOptimize(svg);
    }
    state.counters["svg_bytes"] = static_cast<double>(bytes);
}
BENCHMARK(FullFrame)->Unit(benchmark::kMillisecond);

// Selecting one row, drawing and sending the delta: alternately rows 2 and 3.
void OneRowSelectionDelta(benchmark::State& state) {
    auto report = bundled();
    auto table = firstTable(report->getRootView());
    if (!table) {
        state.SkipWithError("the bundled report has no table");
        return;
    }
    auto rows = table->getModel()->dataSet.get()->ensureRowStates();
    std::string before = report->getRenderer()->getDisplayListSVGString();
    size_t full = before.size(), delta = 0;
    int row = 2;
    for (auto _ : state) {
        rows->setSelectedIndices({row});
        row = row == 2 ? 3 : 2;
        report->render();
        std::string after = report->getRenderer()->getDisplayListSVGString();
        const auto d = orvane::tool::FrameDelta::between(before, after);
        delta = d.insertedBytes();
        before = std::move(after);
    }
    state.counters["full_bytes"] = static_cast<double>(full);
    state.counters["delta_bytes"] = static_cast<double>(delta);
}
BENCHMARK(OneRowSelectionDelta)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
