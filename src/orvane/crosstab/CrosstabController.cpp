// SPDX-License-Identifier: Apache-2.0
#include "orvane/crosstab/CrosstabController.h"

#include "orvane/crosstab/CrosstabRenderer.h"
#include "orvane/crosstab/OrvaneCrosstabState.h"
#include "orvane/crosstab/VisibleCells.h"
#include "orvane/host/core/CLog.h"

#include <climits>

namespace orvane {

namespace {
constexpr const char* SOURCE = "orvane/crosstab/CrosstabController";
}

std::shared_ptr<CrosstabController> CrosstabController::create(const std::shared_ptr<CrosstabRenderer>& renderer) {
    std::shared_ptr<CrosstabController> c(new CrosstabController());
    c->renderer_ = renderer;
    return c;
}

std::shared_ptr<OrvaneCrosstabState> CrosstabController::getState() const {
    auto r = getRenderer();
    auto* grid = r ? r->getCrosstabNode() : nullptr;
    if (!grid) return nullptr;
    auto cells = VisibleCells::create();
    int64_t r0 = -1, r1 = -1;
    int c0 = -1, c1 = -1;
    grid->GetMinMaxVisibleRowColIndices(r0, r1, c0, c1);
    // An empty window (no cells, or a frame too small for one) is all zero.
    if (r0 >= 0 && r1 >= r0 && c0 >= 0 && c1 >= c0) {
        cells->verticalIndex.set(int(std::min<int64_t>(r0, INT_MAX)));
        cells->verticalCells.set(int(std::min<int64_t>(r1 - r0 + 1, INT_MAX)));
        cells->horizontalIndex.set(c0);
        cells->horizontalCells.set(c1 - c0 + 1);
    }
    auto state = OrvaneCrosstabState::create();
    state->visibleCells.set(cells);
    return state;
}

bool CrosstabController::setState(const std::shared_ptr<OrvaneCrosstabState>& state) {
    auto r = getRenderer();
    if (!r) return false;
    auto cells = state ? state->visibleCells.get() : nullptr;
    if (!cells) {
        ORVANE_LOG(CLog::ERRORS, SOURCE, "Crosstab state without visible cells was not applied.");
        return false;
    }
    const int row = cells->verticalIndex.get(), rows = cells->verticalCells.get();
    const int column = cells->horizontalIndex.get(), columns = cells->horizontalCells.get();
    if (row < 0 || rows < 0 || column < 0 || columns < 0 || rows > INT_MAX - row || columns > INT_MAX - column) {
        ORVANE_LOG(CLog::ERRORS, SOURCE,
                   "Crosstab state with a negative or too large window was not applied: rows " + std::to_string(row) + "+" +
                       std::to_string(rows) + ", columns " + std::to_string(column) + "+" + std::to_string(columns) + ".");
        return false;
    }
    r->setVisibleWindow(row, row + rows, column, column + columns);
    return true;
}

} // namespace orvane
