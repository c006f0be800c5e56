// SPDX-License-Identifier: Apache-2.0
// List tables: the cost of a frame must follow what is visible, not the
// number of rows.
//   BM_TableFrame/rows/at     full rebuild of a 1024 x 768 table view of 10
//                             numeric columns plus building its visible
//                             nodes, scrolled to the top (0), middle (1) or
//                             last row (2); counters: texts asked
//   BM_GridFrame/rows/at      the same on the grid node alone, its texts
//                             formatted by a callback (up to 10^8 rows, which
//                             no in-memory data set of this machine holds);
//                             counters: texts asked, node bytes
//   BM_ScrollOneRow/rows      one row further and the visible nodes rebuilt
//   BM_SortRebuild            sort change of 10^6 rows and the full rebuild
#include "orvane/datagrid/DataGrid.h"
#include "orvane/datagrid/DataGridRenderer.h"
#include "orvane/displaylist/DisplayListEditor.h"
#include "orvane/displaylist/DisplayListRenderer.h"
#include "orvane/displaylist/TqDataGrid.h"
#include "orvane/host/data/Column.h"
#include "orvane/host/data/DataGridDisplayRules.h"
#include "orvane/host/data/DataSet.h"
#include "orvane/host/format/Formatter.h"

#include <benchmark/benchmark.h>

#include <map>

using namespace orvane;
using displaylist::TqDataGrid;

namespace {

constexpr int COLUMNS = 10;

std::shared_ptr<DataSet> numbers(size_t rows) {
    static std::map<size_t, std::shared_ptr<DataSet>> cache;
    auto& ds = cache[rows];
    if (ds) return ds;
    ds = DataSet::create();
    for (int c = 0; c < COLUMNS; ++c) {
        std::vector<double> v(rows);
        for (size_t r = 0; r < rows; ++r) v[r] = double((r * 2654435761u + size_t(c) * 97u) % 100000) / 100.0;
        ds->addColumn(Column::createNumeric("c" + std::to_string(c), v, "COMMA10.2"));
    }
    return ds;
}

struct Table {
    std::shared_ptr<displaylist::DisplayListRenderer> renderer = displaylist::DisplayListRenderer::create(false);
    std::shared_ptr<DataGrid> model = DataGrid::create();
    std::shared_ptr<DataGridRenderer> view;
    explicit Table(size_t rows) {
        model->dataSet.set(numbers(rows));
        view = model->createRenderer();
        renderer->setViewport(0, 0, 1024, 768);
        view->setDisplayListRenderer(renderer);
        view->setFrame({0, 0, 1024, 768});
    }
    void frame() {
        auto editor = renderer->getEditor();
        editor->deleteNode(-1);
        view->updateDisplayList(editor);
        benchmark::DoNotOptimize(view->getDataGridNode()->GetVisibleContent());
    }
};

double targetY(double total, int at) { return at == 0 ? 0.0 : at == 1 ? total / 2.0 : total; }

// Numbers formatted on demand, as the table's callback does.
class NumberCallback : public DataGridDisplayRules {
public:
    std::shared_ptr<Formatter> format = Formatter::create("COMMA10.2");
    void CellContentCallback(int column, int row, void* grid) override {
        double v = double((size_t(row) * 2654435761u + size_t(column) * 97u) % 100000) / 100.0;
        static_cast<TqDataGrid*>(grid)->SetStringEntryFromCallback(row, column, format->format(v));
    }
    void DisplayRuleCallback(int, int, DataGridCellInfoStruct*) override {}
};

displaylist::TqRef<TqDataGrid> makeGrid(int64_t rows, NumberCallback& cb) {
    displaylist::TqRef<TqDataGrid> g(new TqDataGrid(0, 0, 1024, 768, 1));
    g->SetShowRowNumbers(true);
    g->SetCellCallback(&cb);
    g->SetNumGridRowsAndColumns(rows, COLUMNS);
    for (int c = 0; c < COLUMNS; ++c) {
        g->SetColumnHeader(c, "Column " + std::to_string(c));
        g->SetColumnAlignment(c, 2);
        g->InitColumnWidth(c, std::max(g->MeasureColumnWidth(TqDataGrid::COMPONENT_CELL, c, 0, 100),
                                       g->MeasureColumnWidth(TqDataGrid::COMPONENT_HEADER, c, 0, 0)));
    }
    g->MeasureColumnHeaderHeight();
    return g;
}

} // namespace

static void BM_TableFrame(benchmark::State& state) {
    Table t(size_t(state.range(0)));
    t.frame();
    double y = targetY(t.view->getDataGridNode()->GetRowTranslationOffset(state.range(0)), int(state.range(1)));
    t.view->setScrollPosition(0, y);
    t.frame();
    int64_t asked = t.view->getCellCallback()->getTextCount();
    for (auto _ : state) t.frame();
    state.counters["texts"] = double(asked);
}
BENCHMARK(BM_TableFrame)
    ->ArgsProduct({{1000, 1000000}, {0, 1, 2}})
    ->Unit(benchmark::kMillisecond);

static void BM_GridFrame(benchmark::State& state) {
    NumberCallback cb;
    int64_t rows = state.range(0);
    int64_t asked = 0;
    size_t bytes = 0;
    for (auto _ : state) {
        auto g = makeGrid(rows, cb);
        g->SetScrollPosition(0, targetY(g->GetRowTranslationOffset(rows), int(state.range(1))));
        benchmark::DoNotOptimize(g->GetVisibleContent());
        asked = g->GetCallbackCount();
        bytes = g->GetMemoryBytes();
    }
    state.counters["texts"] = double(asked);
    state.counters["node_bytes"] = double(bytes);
}
BENCHMARK(BM_GridFrame)
    ->ArgsProduct({{1000, 1000000, 100000000}, {0, 1, 2}})
    ->Unit(benchmark::kMillisecond);

static void BM_ScrollOneRow(benchmark::State& state) {
    NumberCallback cb;
    auto g = makeGrid(state.range(0), cb);
    g->SetScrollPosition(0, g->GetRowTranslationOffset(state.range(0) / 2));
    g->GetVisibleContent();
    double step = g->GetRowHeight(-1);
    double y = g->GetScrollY();
    for (auto _ : state) {
        y += step;
        if (y > g->GetRowTranslationOffset(state.range(0)) - 2000) y = 0;
        g->SetScrollPosition(0, y);
        benchmark::DoNotOptimize(g->GetVisibleContent());
    }
}
BENCHMARK(BM_ScrollOneRow)->Arg(1000)->Arg(1000000)->Arg(100000000)->Unit(benchmark::kMicrosecond);

static void BM_SortRebuild(benchmark::State& state) {
    Table t(size_t(state.range(0)));
    t.frame();
    bool up = true;
    for (auto _ : state) {
        t.model->sortByColumn("c3", up ? SortDirection::ASCENDING : SortDirection::DESCENDING, false);
        up = !up;
        t.frame();
    }
}
BENCHMARK(BM_SortRebuild)->Arg(1000000)->Unit(benchmark::kMillisecond)->Iterations(5);

BENCHMARK_MAIN();
