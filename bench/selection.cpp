// SPDX-License-Identifier: Apache-2.0
// Benchmarks of selection: applying a selection to a million rows (where-clause
// evaluation, the row-state write and the one change event), taking the
// selection back from a million rows of which a tenth are selected, and the
// snap values of a date slider over 100 years.
#include "orvane/axis/ZxAxis.h"
#include "orvane/host/data/DataSet.h"
#include "orvane/host/data/ExpressionBuilder.h"
#include "orvane/host/data/RowStates.h"
#include "orvane/host/format/Formatter.h"
#include "orvane/prompts/PromptUtilities.h"
#include "orvane/selection/DataSetSelectionController.h"
#include "orvane/selection/Selection.h"
#include "orvane/selection/SelectionChangeEvent.h"
#include "orvane/selection/SelectionOptions.h"

#include <benchmark/benchmark.h>

#include <random>
#include <string>

using namespace orvane;
using B = ExpressionBuilder;

namespace {

constexpr size_t kRows = 1'000'000;

// region: 8 values; category: 500 values; units: 1 to 100.
std::shared_ptr<DataSet> makeData() {
    static std::shared_ptr<DataSet> cached;
    if (cached) return cached;
    std::mt19937_64 rng(11);
    const char* regions[] = {"North", "South", "East", "West", "Central", "North East", "South West", "Overseas"};
    std::vector<std::string> region(kRows), category(kRows);
    std::vector<double> units(kRows);
    for (size_t i = 0; i < kRows; ++i) {
        region[i] = regions[rng() % 8];
        category[i] = "item " + std::to_string(rng() % 500);
        units[i] = static_cast<double>(1 + rng() % 100);
    }
    auto ds = DataSet::create("sales");
    ds->addColumn(Column::createCharacter("region", region));
    ds->addColumn(Column::createCharacter("category", category));
    ds->addColumn(Column::createNumeric("units", units));
    ds->ensureRowStates();
    cached = ds;
    return ds;
}

SelectionController::DataSetList listOf(const std::shared_ptr<DataSet>& ds) {
    return std::make_shared<std::vector<std::shared_ptr<DataSet>>>(std::vector<std::shared_ptr<DataSet>>{ds});
}

void BM_ApplySelection_1M(benchmark::State& state) {
    auto ds = makeData();
    ds->getRowStates()->clear(0);  // each run starts from nothing selected
    auto c = DataSetSelectionController::create(listOf(ds));
    int events = 0;
    c->addEventListener(SelectionController::SELECTION_CHANGED,
                        FunctionEventCallback::create([&](const std::shared_ptr<PortableEvent>&) { ++events; }));
    auto narrow = Selection::create();
    narrow->dataName = ds->getName();
    narrow->expression = B::and_(B::in(B::var("region"), {B::const_("East"), B::const_("West"), B::const_("North")}),
                                 B::between(B::var("units"), B::const_(20.0), B::const_(60.0)));
    auto wide = Selection::create();
    wide->dataName = ds->getName();
    wide->expression = B::and_(B::in(B::var("region"), {B::const_("East"), B::const_("West"), B::const_("South")}),
                               B::between(B::var("units"), B::const_(10.0), B::const_(70.0)));
    auto one = std::make_shared<SelectionController::Selections>(SelectionController::Selections{narrow});
    auto two = std::make_shared<SelectionController::Selections>(SelectionController::Selections{wide});
    auto options = c->getDefaultOptions();
    bool flip = false;
    for (auto _ : state) {
        // Alternating selections: every application changes the rows and sends one event.
        c->applySelections(flip ? two : one, options);
        flip = !flip;
    }
    if (events != static_cast<int>(state.iterations())) state.SkipWithError("not one event per application");
    state.SetItemsProcessed(static_cast<int64_t>(state.iterations() * kRows));
    state.counters["selected"] = static_cast<double>(ds->getRowStates()->getSelectedCount());
}
BENCHMARK(BM_ApplySelection_1M)->Unit(benchmark::kMillisecond);

void BM_GetSelections_1M_10pct_500Values(benchmark::State& state) {
    auto ds = makeData();
    auto c = DataSetSelectionController::create(listOf(ds));
    std::mt19937_64 rng(5);
    RowBitmap rows(kRows);
    for (size_t i = 0; i < kRows; ++i)
        if (rng() % 10 == 0) rows.set(i);
    ds->getRowStates()->setSelection(rows);
    auto options = SelectionOptions::create();
    options->expectedDataNames = MonitoredVector<std::shared_ptr<const std::string>>::create({ds->getName()});
    options->expectedVariableNames = MonitoredVector<std::shared_ptr<const std::string>>::create(
        {std::make_shared<const std::string>("category")});
    size_t length = 0;
    for (auto _ : state) {
        auto s = c->getSelections(options);
        length = (*s)[0]->expression.get()->getOperands().size();
        benchmark::DoNotOptimize(s);
    }
    state.counters["values"] = static_cast<double>(length - 1);
}
BENCHMARK(BM_GetSelections_1M_10pct_500Values)->Unit(benchmark::kMillisecond);

void BM_SliderSnapValues_100YearsOfDays(benchmark::State& state) {
    auto format = Formatter::create("DATE9.");
    double lo = static_cast<double>(ZxAxis::ziddmdy(1, 1, 1950)), hi = static_cast<double>(ZxAxis::ziddmdy(12, 31, 2049));
    size_t n = 0;
    for (auto _ : state) {
        auto v = PromptUtilities::getSliderSnapValues(lo, hi, format);
        n = v ? v->size() : 0;
        benchmark::DoNotOptimize(v);
    }
    state.counters["values"] = static_cast<double>(n);
}
BENCHMARK(BM_SliderSnapValues_100YearsOfDays)->Unit(benchmark::kMillisecond);

void BM_SliderSnapValues_100YearsOfMonths(benchmark::State& state) {
    auto format = Formatter::create("MONYY7.");
    double lo = static_cast<double>(ZxAxis::ziddmdy(1, 1, 1950)), hi = static_cast<double>(ZxAxis::ziddmdy(12, 31, 2049));
    for (auto _ : state) benchmark::DoNotOptimize(PromptUtilities::getSliderSnapValues(lo, hi, format));
}
BENCHMARK(BM_SliderSnapValues_100YearsOfMonths)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
