// SPDX-License-Identifier: Apache-2.0
// Benchmarks of operating prompts: one step of dragging a range slider's
// thumb over a million rows, as a reader's pointer moves (the snap, the
// selection through the prompt's controller, the row-state write, and the
// redraw of the prompt and of a table over the same data), and the same
// steps without the table and the drawing. bench/compare_prompts runs
// crossfilter2's range filter on the same data for comparison.
#include "orvane/datagrid/DataGrid.h"
#include "orvane/datagrid/DataGridRenderer.h"
#include "orvane/displaylist/DisplayListRenderer.h"
#include "orvane/host/data/Column.h"
#include "orvane/host/data/DataSet.h"
#include "orvane/host/data/RowStates.h"
#include "orvane/host/input/GestureRecognizerType.h"
#include "orvane/prompts/RangeSliderRenderer.h"
#include "orvane/report/ReportPrompt.h"
#include "orvane/view/BaseView.h"

#include <benchmark/benchmark.h>

#include <random>
#include <string>

using namespace orvane;

namespace {

constexpr size_t kRows = 1'000'000;

// year: 1960 to 2059; region: 8 values; units: 1 to 100.
std::shared_ptr<DataSet> makeData() {
    std::mt19937_64 rng(22);
    const char* regions[] = {"North", "South", "East", "West", "Central", "North East", "South West", "Overseas"};
    std::vector<std::string> region(kRows);
    std::vector<double> year(kRows), units(kRows);
    for (size_t i = 0; i < kRows; ++i) {
        region[i] = regions[rng() % 8];
        year[i] = static_cast<double>(1960 + rng() % 100);
        units[i] = static_cast<double>(1 + rng() % 100);
    }
    auto ds = DataSet::create("sales");
    ds->addColumn(Column::createCharacter("region", region));
    ds->addColumn(Column::createNumeric("year", year));
    ds->addColumn(Column::createNumeric("units", units));
    ds->ensureRowStates();
    return ds;
}

// A range slider over the years (null, the run marked failed, when it cannot be made).
std::shared_ptr<ReportPrompt> yearRange(const std::shared_ptr<DataSet>& ds, benchmark::State& state) {
    ReportPrompt::Settings s;
    s.kind = ReportPrompt::Kind::RANGE;
    s.column = "year";
    std::string error;
    auto prompt = ReportPrompt::create(s, ds, error);
    if (!prompt) state.SkipWithError(error.c_str());
    return prompt;
}

void BM_RangeThumbDragStep_1M(benchmark::State& state) {
    auto ds = makeData();
    auto prompt = yearRange(ds, state);
    if (!prompt) return;
    // A page with the prompt over a table of the same data.
    auto root = BaseView::create();
    root->setDisplayListRenderer(displaylist::DisplayListRenderer::create(false));
    root->setFrame({0, 0, 1024, 768});
    auto grid = DataGrid::create();
    grid->dataSet = ds;
    auto table = grid->createRenderer();
    root->addSubview(prompt->getHostView());
    root->addSubview(table);
    prompt->getHostView()->setFrame({0, 700, 1024, 60});
    table->setFrame({0, 0, 1024, 690});
    prompt->start();
    root->render();

    auto slider = std::static_pointer_cast<RangeSliderRenderer>(prompt->getView());
    const float y = slider->trackCentre();
    const Point start{slider->getThumbPosition(true), y};
    prompt->drag(GestureRecognizerState::BEGAN, start, start);
    // Back and forth over 40 years, one year (about 10 pixels) a step, so
    // every step changes the selection.
    int step = 0, direction = -1;
    size_t selected = 0;
    for (auto _ : state) {
        step += direction;
        if (step <= -40 || step >= 0) direction = -direction;
        const Point at{start.x + static_cast<float>(step) * 10.0f, y};
        prompt->drag(GestureRecognizerState::CHANGED, start, at);
        root->render();
        selected = prompt->getSelectedRowCount();
        benchmark::DoNotOptimize(selected);
    }
    prompt->drag(GestureRecognizerState::ENDED, start, start);
    state.counters["rows"] = static_cast<double>(kRows);
    state.counters["selected"] = static_cast<double>(selected);
}
BENCHMARK(BM_RangeThumbDragStep_1M)->Unit(benchmark::kMillisecond)->MinTime(2.0);

// The same steps with no table and no drawing: the snap, the controller and
// the row-state write alone (what a filtering library does per step).
void BM_RangeThumbSelectionStep_1M(benchmark::State& state) {
    auto ds = makeData();
    auto prompt = yearRange(ds, state);
    if (!prompt) return;
    prompt->getHostView()->setFrame({0, 0, 1024, 60});
    prompt->start();
    auto slider = std::static_pointer_cast<RangeSliderRenderer>(prompt->getView());
    const Point start{slider->getThumbPosition(true), slider->trackCentre()};
    prompt->drag(GestureRecognizerState::BEGAN, start, start);
    int step = 0, direction = -1;
    for (auto _ : state) {
        step += direction;
        if (step <= -40 || step >= 0) direction = -direction;
        prompt->drag(GestureRecognizerState::CHANGED, start, {start.x + static_cast<float>(step) * 10.0f, start.y});
        benchmark::DoNotOptimize(prompt->getSelectedRowCount());
    }
    prompt->drag(GestureRecognizerState::ENDED, start, start);
}
BENCHMARK(BM_RangeThumbSelectionStep_1M)->Unit(benchmark::kMillisecond)->MinTime(2.0);

} // namespace

BENCHMARK_MAIN();
