// SPDX-License-Identifier: Apache-2.0
// Table gestures: the frame after a tap that selects one row of a
// 1,000,000-row table (tap, row-state write, highlight, redraw), and a wheel
// step and a key step in a 100,000,000-row grid (scroll and the rebuilt
// visible window).
#include "orvane/datagrid/DataGrid.h"
#include "orvane/datagrid/DataGridGestureHandler.h"
#include "orvane/datagrid/DataGridRenderer.h"
#include "orvane/displaylist/DisplayListRenderer.h"
#include "orvane/displaylist/TqDataGrid.h"
#include "orvane/displaylist/TqRef.h"
#include "orvane/host/data/Column.h"
#include "orvane/host/data/DataSet.h"
#include "orvane/host/data/RowStates.h"
#include "orvane/host/input/KeyEvent.h"
#include "orvane/view/BaseView.h"

#include <benchmark/benchmark.h>

#include <string>
#include <vector>

using namespace orvane;
using displaylist::TqDataGrid;

namespace {

std::shared_ptr<DataSet> bigData(size_t rows) {
    auto ds = DataSet::create("big");
    std::vector<double> id(rows), amount(rows);
    std::vector<std::string> region(rows);
    const char* names[] = {"East", "West", "North", "South"};
    for (size_t i = 0; i < rows; ++i) {
        id[i] = double(i);
        amount[i] = double((i * 7919) % 100000) / 10.0;
        region[i] = names[i % 4];
    }
    ds->addColumn(Column::createNumeric("id", id));
    ds->addColumn(Column::createCharacter("region", region));
    ds->addColumn(Column::createNumeric("amount", amount, "COMMA10.1"));
    ds->ensureRowStates();
    return ds;
}

// A handler over a bare grid of any size (the table view's own handler
// needs a data set of that many rows).
class GridOnlyHandler : public GridGestureHandler {
public:
    explicit GridOnlyHandler(TqDataGrid* grid) : grid_(grid) {}
    TqDataGrid* getDataGridNode() const override { return grid_; }

private:
    TqDataGrid* grid_;
};

struct HugeGrid {
    std::shared_ptr<BaseView> view = BaseView::create();
    displaylist::TqRef<TqDataGrid> grid{new TqDataGrid(0, 0, 800, 600, 1)};
    std::shared_ptr<GridOnlyHandler> handler = std::make_shared<GridOnlyHandler>(grid.get());
    HugeGrid() {
        grid->SetNumGridRowsAndColumns(100000000, 6);
        for (int c = 0; c < 6; ++c) {
            grid->SetColumnHeader(c, "column " + std::to_string(c));
            grid->InitColumnWidth(c, 120);
        }
        view->setFrame({0, 0, 800, 600});
        handler->setView(view);
        grid->SetScrollPosition(0, grid->GetRowTranslationOffset(50000000));
        grid->GetVisibleContent();
    }
};

void BM_TapSelectsOneRowFrame_1M(benchmark::State& state) {
    auto renderer = displaylist::DisplayListRenderer::create(false);
    auto model = DataGrid::create();
    model->dataSet.set(bigData(1000000));
    model->columnAutoFill.set(false);
    auto view = model->createRenderer();
    renderer->setViewport(0, 0, 800, 600);
    view->setDisplayListRenderer(renderer);
    view->setFrame({0, 0, 800, 600});
    view->render();
    auto handler = view->getGestureHandler();
    auto& grid = *view->getDataGridNode();
    float rowH = grid.GetRowHeight(-1);
    float top = grid.GetColumnHeaderHeight();
    int i = 0;
    for (auto _ : state) {
        float y = top + rowH * float(i++ % 10) + rowH / 2;
        handler->handleTap(Tap({60.0f, 600.0f - y}));
        view->render();
    }
    state.counters["selected"] = double(model->dataSet.get()->getRowStates()->getSelectedCount());
}
BENCHMARK(BM_TapSelectsOneRowFrame_1M)->Unit(benchmark::kMicrosecond);

void BM_WheelStep_100M(benchmark::State& state) {
    HugeGrid g;
    int i = 0;
    for (auto _ : state) {
        g.handler->handleMouseWheel(MouseWheel({100, 300}, {0, (i++ & 1) ? -120.0f : 120.0f}));
        benchmark::DoNotOptimize(g.grid->GetVisibleContent());
    }
}
BENCHMARK(BM_WheelStep_100M)->Unit(benchmark::kMicrosecond);

// Alternating keys from a focused cell in the middle of the grid.
void keySteps(benchmark::State& state, int forward, int back) {
    HugeGrid g;
    g.grid->SetFocusedCell(TqDataGrid::GetPickID(50000000, 2, TqDataGrid::COMPONENT_CELL));
    int i = 0;
    for (auto _ : state) {
        g.handler->handleKeyPress(KeyEvent::create(KeyEvent::KeyPressed, (i++ & 1) ? back : forward));
        benchmark::DoNotOptimize(g.grid->GetVisibleContent());
    }
}

void BM_KeyStep_100M(benchmark::State& state) { keySteps(state, KeyCode::PAGE_DOWN, KeyCode::PAGE_UP); }
BENCHMARK(BM_KeyStep_100M)->Unit(benchmark::kMicrosecond);

void BM_ArrowKeyStep_100M(benchmark::State& state) { keySteps(state, KeyCode::DOWN, KeyCode::UP); }
BENCHMARK(BM_ArrowKeyStep_100M)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
