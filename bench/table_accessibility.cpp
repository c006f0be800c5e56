// SPDX-License-Identifier: Apache-2.0
// Table accessibility under virtualisation: composing the element list of a
// 1024 x 768 view of a table of 10^4 to 10^8 rows (scrolled to its middle),
// with every label spoken, and one navigation step (next cell, down a row)
// including the page turns it causes.
#include "orvane/accessibility/AccessibilityElement.h"
#include "orvane/accessibility/DataGridAccessibilityController.h"
#include "orvane/displaylist/TqDataGrid.h"
#include "orvane/displaylist/TqRef.h"
#include "orvane/host/data/DataGridDisplayRules.h"
#include "orvane/package/OrvaneUIPackage.h"
#include "orvane/view/BaseView.h"

#include <benchmark/benchmark.h>

#include <string>

using namespace orvane;
using displaylist::TqDataGrid;

namespace {

class NumberedCells : public DataGridDisplayRules {
public:
    void CellContentCallback(int column, int row, void* grid) override {
        static_cast<TqDataGrid*>(grid)->SetStringEntryFromCallback(row, column, std::to_string(row * 7 + column));
    }
};

// A view that draws its own grid (no data set could hold 10^8 rows).
struct Table {
    std::shared_ptr<BaseView> view = BaseView::create();
    NumberedCells cells;
    displaylist::TqRef<TqDataGrid> grid{new TqDataGrid(0, 0, 1024, 768, 9)};
    std::shared_ptr<DataGridAccessibilityController> a11y;
    explicit Table(int64_t rows) {
        OrvaneUIPackage::instance();
        view->setFrame({0, 0, 1024, 768});
        grid->SetNumGridRowsAndColumns(rows, 10);
        grid->SetDefaultRowHeight(24);
        grid->SetCellCallback(&cells);
        for (int c = 0; c < 10; ++c) {
            grid->InitColumnWidth(c, 110);
            grid->SetColumnHeader(c, "Column " + std::to_string(c));
        }
        grid->Layout();
        grid->SetScrollPosition(0, double(rows / 2) * 24.0);
        TqDataGrid* own = grid.get();
        a11y = DataGridAccessibilityController::create(view, [own] { return own; });
    }
};

void BM_ElementList1024x768(benchmark::State& state) {
    Table t(state.range(0));
    size_t chars = 0, count = 0;
    for (auto _ : state) {
        auto elements = t.a11y->getAccessibilityElements();
        count = elements.size();
        for (const auto& e : elements) chars += e->getAccessibilityLabel().size();
        benchmark::DoNotOptimize(chars);
    }
    state.counters["elements"] = double(count);
}
BENCHMARK(BM_ElementList1024x768)->Arg(10000)->Arg(1000000)->Arg(100000000)->Unit(benchmark::kMicrosecond);

void BM_NavigationStep(benchmark::State& state) {
    Table t(100000000);
    const auto type = state.range(0) == 0 ? AccessibilityControllerNavigationType::NEXT
                                          : AccessibilityControllerNavigationType::CELL_DOWN;
    t.a11y->getAccessibilityElement(AccessibilityControllerNavigationType::NEXT);
    for (auto _ : state) benchmark::DoNotOptimize(t.a11y->getAccessibilityElement(type));
    state.SetLabel(state.range(0) == 0 ? "next cell" : "cell down (a page turn every ~30 steps)");
}
BENCHMARK(BM_NavigationStep)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
