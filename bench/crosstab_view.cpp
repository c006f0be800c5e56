// SPDX-License-Identifier: Apache-2.0
// Benchmarks of the crosstab view over 1,000,000 source rows: region (7) x
// product (500) down, year (10) across, revenue and quantity summed, totals
// and subtotals, every member expanded (3,508 rows x 22 columns).
//   BM_CrosstabFrame          one 1024 x 768 frame at a new scroll position
//                             (the visible cells and headers recorded)
//   BM_CrosstabExpandCollapse collapse and expand one region, rebuild, draw
//   BM_CrosstabSelectCell     select a region subtotal cell (about 14,000
//                             source rows), redraw the selection and a linked
//                             list table over the same rows
//   BM_CrosstabSelectAfterRebuild  the same right after a rebuild (nothing
//                             kept: the selected rows are split down the
//                             data trees, crossing sizes counted again)
#include "orvane/crosstab/CrosstabDefinition.h"
#include "orvane/crosstab/CrosstabRenderer.h"
#include "orvane/datagrid/DataGrid.h"
#include "orvane/datagrid/DataGridRenderer.h"
#include "orvane/displaylist/DisplayListEditor.h"
#include "orvane/host/data/Column.h"
#include "orvane/host/data/DataSet.h"
#include "orvane/host/data/RowStates.h"

#include <benchmark/benchmark.h>

#include <random>

using namespace orvane;
using G = displaylist::TqCrosstab;

namespace {

const char* kRegions[] = {"North", "South", "East", "West", "Central", "Overseas", "Online"};

std::shared_ptr<DataSet> rows(size_t n) {
    std::mt19937_64 rng(7);
    std::vector<std::string> region(n), product(n), year(n);
    std::vector<double> revenue(n), quantity(n);
    char buf[32];
    for (size_t i = 0; i < n; ++i) {
        region[i] = kRegions[rng() % 7];
        std::snprintf(buf, sizeof buf, "Product %03d", int(rng() % 500));
        product[i] = buf;
        year[i] = std::to_string(2015 + int(rng() % 10));
        quantity[i] = double(1 + rng() % 50);
        revenue[i] = quantity[i] * double(1 + rng() % 500);
    }
    auto ds = DataSet::create("orders");
    ds->addColumn(Column::createCharacter("region", region));
    ds->addColumn(Column::createCharacter("product", product));
    ds->addColumn(Column::createCharacter("year", year));
    ds->addColumn(Column::createNumeric("revenue", revenue));
    ds->addColumn(Column::createNumeric("quantity", quantity));
    ds->setRowStates(RowStates::create(n));
    return ds;
}

struct View {
    std::shared_ptr<DataSet> data = rows(1000000);
    std::shared_ptr<CrosstabRenderer> view = CrosstabRenderer::create();
    std::shared_ptr<DataGrid> tableModel = DataGrid::create();
    std::shared_ptr<DataGridRenderer> table;
    View() {
        tableModel->dataSet.set(data);
        table = tableModel->createRenderer();
        table->setFrame({0.0f, 0.0f, 1024.0f, 768.0f});
        table->updateDisplayList(displaylist::DisplayListEditor::create(nullptr));
        CrosstabDefinition def;
        def.rows = {"region", "product"};
        def.columns = {"year"};
        def.measures = {"revenue:sum", "quantity:sum"};
        def.totals = def.subtotals = true;
        def.expanded = {"*"};
        std::string error;
        view->setModel(def.build(data, error));
        view->setFrame({0.0f, 0.0f, 1024.0f, 768.0f});
        render();
    }
    void render() { view->updateDisplayList(displaylist::DisplayListEditor::create(nullptr)); }
};

View& shared() {
    static View v;
    return v;
}

void BM_CrosstabFrame(benchmark::State& state) {
    auto& v = shared();
    auto* grid = v.view->getCrosstabNode();
    std::mt19937 rng(3);
    const double maxY = grid->GetRowTranslationOffset(grid->GetNumRows());
    for (auto _ : state) {
        grid->SetScrollPosition(0.0, double(rng() % 1000000) / 1000000.0 * maxY);
        benchmark::DoNotOptimize(grid->GetVisibleContent());
        benchmark::DoNotOptimize(grid->GetHeaderContent());
    }
}
BENCHMARK(BM_CrosstabFrame)->Unit(benchmark::kMillisecond);

void BM_CrosstabExpandCollapse(benchmark::State& state) {
    auto& v = shared();
    for (auto _ : state) {
        v.view->collapse(0, v.view->findNode(0, "East"));
        v.render();
        v.view->expand(0, v.view->findNode(0, "East"));
        v.render();
        benchmark::DoNotOptimize(v.view->getCrosstabNode()->GetHeaderContent());
    }
    state.counters["redraws"] = benchmark::Counter(2.0, benchmark::Counter::kIsIterationInvariantRate);
}
BENCHMARK(BM_CrosstabExpandCollapse)->Unit(benchmark::kMillisecond);

int64_t eastSubtotal(const CrosstabRenderer& view) {
    const auto& leaves = view.getRowLeafNodes();
    for (size_t i = 0; i < leaves.size(); ++i)
        if (leaves[i]->getPresentableText() == "Subtotal East") return int64_t(i);
    return -1;
}

void selectAndRedraw(View& v, int64_t row) {
    v.view->updateSelection({G::GetPickID(row, 0, G::COMPONENT_CELL)}, false, false);
    benchmark::DoNotOptimize(v.view->getCrosstabNode()->GetHeaderContent());
    // The linked table heard the row states; its visible rows are redrawn.
    benchmark::DoNotOptimize(v.table->getDataGridNode()->GetVisibleContent());
}

void BM_CrosstabSelectCell(benchmark::State& state) {
    auto& v = shared();
    const int64_t row = eastSubtotal(*v.view);
    for (auto _ : state) selectAndRedraw(v, row);
    state.counters["source_rows"] = double(v.data->getRowStates()->getSelectedCount());
    state.counters["table_rows_marked"] = double(v.table->getDataGridNode()->GetSelectedRowCount());
}
BENCHMARK(BM_CrosstabSelectCell)->Unit(benchmark::kMillisecond);

void BM_CrosstabSelectAfterRebuild(benchmark::State& state) {
    auto& v = shared();
    for (auto _ : state) {
        state.PauseTiming();
        v.data->getRowStates()->clear();  // nothing selected: the rebuild builds no index
        v.render();
        const int64_t row = eastSubtotal(*v.view);
        state.ResumeTiming();
        selectAndRedraw(v, row);
    }
}
BENCHMARK(BM_CrosstabSelectAfterRebuild)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
