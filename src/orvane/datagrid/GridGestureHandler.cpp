// SPDX-License-Identifier: Apache-2.0
#include "orvane/datagrid/GridGestureHandler.h"

#include "orvane/datagrid/GridFocusEvent.h"
#include "orvane/displaylist/TqDataGrid.h"
#include "orvane/displaylist/TqScrollBarController.h"
#include "orvane/host/input/CursorManager.h"
#include "orvane/host/input/KeyEvent.h"
#include "orvane/host/input/KeyManager.h"
#include "orvane/view/BaseView.h"
#include "orvane/view/ShowContextMenuEvent.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace orvane {

using displaylist::TqDataGrid;

GridGestureHandler::~GridGestureHandler() = default;

// ---------------------------------------------------------------- helpers

displaylist::TqDataGrid* GridGestureHandler::liveGrid() const {
    if (!getView()) return nullptr;
    return getDataGridNode();
}

Point GridGestureHandler::toScreen(const Point& local) const {
    auto* grid = getDataGridNode();
    float h = grid ? grid->GetFrame().height : 0.0f;
    return {local.x, h - local.y};
}

bool GridGestureHandler::isModifierHeld(const Gesture* gesture, int keyCode) {
    int bit = keyCode == KeyCode::MULTI_SELECT ? KeyModifier::MULTI_SELECT
              : keyCode == KeyCode::RANGE_SELECT ? KeyModifier::RANGE_SELECT
                                                 : 0;
    if (gesture && bit && (gesture->getModifiers() & bit)) return true;
    return KeyManager::getSharedInstance()->isPressed(keyCode);
}

int GridGestureHandler::wheelSteps(int delta) {
    if (delta == 0) return 0;
    // |INT_MIN| does not fit an int: work in 64 bits.
    int64_t magnitude = std::llabs(int64_t(delta));
    int64_t steps = magnitude <= 239 ? 1 : std::min<int64_t>(magnitude / 120, MAX_WHEEL_STEPS);
    return int(delta < 0 ? -steps : steps);
}

bool GridGestureHandler::isMultiSelectEnabled() const {
    auto view = getView();
    return view && view->getMultiSelectEnabled();
}

int GridGestureHandler::getModelFixedColumnCount() const {
    auto* grid = getDataGridNode();
    return grid ? grid->GetFixedColumnCount() : 0;
}

void GridGestureHandler::setModelFixedColumnCount(int count) {
    if (auto* grid = getDataGridNode()) grid->SetFixedColumnCount(count);
}

void GridGestureHandler::moveColumn(int, int) {}
bool GridGestureHandler::handleHeaderTap(uint64_t, bool) { return false; }
bool GridGestureHandler::activateHeader(uint64_t headerId) { return handleHeaderTap(headerId, false); }
bool GridGestureHandler::makeSelection(const std::vector<uint64_t>&, bool, bool) { return false; }
void GridGestureHandler::updateColumnWidth(int, float) {}
void GridGestureHandler::updateRowHeight(int64_t, float) {}
void GridGestureHandler::updateRowHeaderColumnWidth(int, float) {}
void GridGestureHandler::relayout() {}

void GridGestureHandler::scrollTo(double x, double y) {
    if (auto* grid = getDataGridNode()) grid->SetScrollPosition(std::max(0.0, x), std::max(0.0, y));
    invalidate();
}

void GridGestureHandler::setFocusedCell(uint64_t id) {
    if (auto* grid = getDataGridNode()) grid->SetFocusedCell(id);
}

void GridGestureHandler::invalidate() {
    if (auto view = getView()) view->invalidateFrameBuffer();
}

void GridGestureHandler::setLastSelectedIndex(uint64_t id) {
    if (auto* grid = getDataGridNode()) grid->SetLastSelectedIndex(id);
}

void GridGestureHandler::setShowFocusRect(bool show) {
    if (auto* grid = getDataGridNode()) grid->SetShowFocusRect(show);
}

void GridGestureHandler::announceFocus(int type, uint64_t id) {
    auto view = getView();
    if (!view) return;
    view->dispatchEvent(GridFocusEvent::create(type, id, TqDataGrid::ConvertPickIDtoComponentID(id),
                                               TqDataGrid::GetRowFromPickID(id), TqDataGrid::GetColumnFromPickID(id)));
}

void GridGestureHandler::showContextMenu(uint64_t) {
    if (auto view = getView())
        view->dispatchEvent(ShowContextMenuEvent::create(ShowContextMenuEvent::SHOW_CONTEXT_MENU, nullptr));
}

// ---------------------------------------------------------------- taps

bool GridGestureHandler::handleTap(const Tap& tap) {
    TqDataGrid* grid = liveGrid();
    if (!grid) return false;
    const Point s = toScreen(tap.getLocation());
    const bool ended = tap.getState() == GestureRecognizerState::ENDED;
    if (grid->GetShowFocusRect() && ended) setShowFocusRect(false);
    const uint64_t hit = grid->GetPickIDAtScreenPosition(s.x, s.y);
    if (ended) setLastSelectedIndex(hit);
    if ((resizing_ || moving_) && handleMoveResize(tap)) return true;

    const bool multi = isModifierHeld(&tap, KeyCode::MULTI_SELECT);
    if (tap.getTapCount() == 2 || (tap.getType() & GestureRecognizerType::DOUBLE_TAP)) {
        // On a header separator: the column takes the width of its content.
        int col = grid->GetColumnHeaderIndexAtScreenPosition(s.x, s.y, true);
        if (col >= 0) {
            float w = std::clamp(grid->GetPreferredColumnWidth(col), MIN_COLUMN_WIDTH, MAX_PREFERRED_COLUMN_WIDTH);
            grid->SetColumnWidth(col, w, true);
            updateColumnWidth(col, w);
            relayout();
            invalidate();
            return true;
        }
        return makeSelection(s, !multi, false, true);
    }
    if (grid->AreScrollBarsShown()) {
        auto* bars = grid->GetScrollBarController();
        if (bars && bars->handleTap(tap.getLocation())) {
            scrollTo(grid->GetScrollX(), grid->GetScrollY());
            return true;
        }
    }
    if (grid->IsPointInHeaderRegion(s.x, s.y)) {
        setLastSelectedIndex(NO_CELL);
        if (!ended || TqDataGrid::ConvertPickIDtoComponentID(hit) != TqDataGrid::COMPONENT_HEADER) return false;
        return handleHeaderTap(hit, multi);
    }
    const bool overLink = grid->IsOverHyperLinkText(s.x, s.y);
    bool selected = false;
    if (!overLink && ended) selected = makeSelection(s, !multi, isModifierHeld(&tap, KeyCode::RANGE_SELECT), false);
    return overLink || selected;
}

bool GridGestureHandler::makeSelection(const Point& screen, bool replace, bool range, bool fromDoubleTap) {
    TqDataGrid* grid = liveGrid();
    if (!grid) return false;
    const uint64_t hit = grid->GetPickIDAtScreenPosition(screen.x, screen.y);
    std::vector<uint64_t> ids;
    if (hit != NO_CELL) ids.push_back(hit);
    const bool multiSelect = isMultiSelectEnabled();
    if (range && multiSelect && hit != NO_CELL && grid->GetRangeAnchor() != NO_CELL) {
        auto block = getShiftBlockSelection(grid->GetRangeAnchor(), hit);
        if (!block.empty()) ids.swap(block);
    }
    // Without multi-select every selection replaces the last one; with it, a
    // held add modifier (replace false) adds, to a cell or to a range.
    const bool changed = makeSelection(ids, !multiSelect || replace, fromDoubleTap);
    setLastSelectedIndex(hit);
    if (!range) grid->SetRangeAnchor(hit);
    return changed;
}

std::vector<uint64_t> GridGestureHandler::getShiftBlockSelection(uint64_t anchor, uint64_t hit) const {
    std::vector<uint64_t> out;
    if (TqDataGrid::ConvertPickIDtoComponentID(anchor) != TqDataGrid::COMPONENT_CELL ||
        TqDataGrid::ConvertPickIDtoComponentID(hit) != TqDataGrid::COMPONENT_CELL)
        return out;
    int64_t a = TqDataGrid::GetRowFromPickID(anchor), b = TqDataGrid::GetRowFromPickID(hit);
    int col = TqDataGrid::GetColumnFromPickID(hit);
    // A table selects rows: one cell per row of the block, the hit cell last.
    int64_t step = a <= b ? 1 : -1;
    out.reserve(size_t(std::llabs(b - a) + 1));
    for (int64_t r = a; r != b; r += step) out.push_back(TqDataGrid::GetPickID(r, col, TqDataGrid::COMPONENT_CELL));
    out.insert(out.begin(), hit);
    return out;
}

bool GridGestureHandler::handleLongPress(const LongPress& press) {
    TqDataGrid* grid = liveGrid();
    if (!grid) return false;
    const Point s = toScreen(press.getLocation());
    if (resizing_ || moving_) return handleMoveResize(press);
    if (press.getState() == GestureRecognizerState::BEGAN && grid->GetColumnHeaderIndexAtScreenPosition(s.x, s.y, false) >= 0 &&
        handleMoveResize(press))
        return true;
    if (press.getState() == GestureRecognizerState::ENDED) {
        makeSelection(s, true, false, false);
        return true;
    }
    return false;
}

// ---------------------------------------------------------------- pans and the wheel

bool GridGestureHandler::handlePan(const Pan& pan) {
    TqDataGrid* grid = liveGrid();
    if (!grid) return false;
    const bool continued = (pan.getType() & GestureRecognizerType::CONTINUED_PAN) != 0;
    if (resizing_ || moving_) return continued ? true : handleMoveResize(pan);
    const int state = pan.getState();
    if (state == GestureRecognizerState::BEGAN) {
        lastTranslation_ = {};
        scrollBarPan_ = false;
        // A pan from a separator resizes, from a header (when columns move) moves.
        if (!continued && beginMoveResize(*grid, toScreen(pan.getLocation()))) return true;
    }
    auto* bars = grid->GetScrollBarController();
    if (bars && grid->AreScrollBarsShown() && (state == GestureRecognizerState::BEGAN || scrollBarPan_)) {
        if (bars->handlePan(pan.getLocation(), pan.getTranslation(), state)) {
            scrollBarPan_ = state != GestureRecognizerState::ENDED;
            scrollTo(grid->GetScrollX(), grid->GetScrollY());
            if (!scrollBarPan_) bars->SetDragging(false);
            return true;
        }
        scrollBarPan_ = false;
    }
    // The content follows the finger: the translation since the last step.
    Point t = pan.getTranslation();
    float dx = t.x - lastTranslation_.x, dy = t.y - lastTranslation_.y;
    lastTranslation_ = t;
    if (!std::isfinite(dx) || !std::isfinite(dy)) return false;
    if (grid->IsRightToLeft()) dx = -dx;
    scrollTo(grid->GetScrollX() - dx, grid->GetScrollY() + dy);
    if (state == GestureRecognizerState::ENDED) {
        lastTranslation_ = {};
        if (bars) bars->SetDragging(false);
    }
    return true;
}

bool GridGestureHandler::handleMouseWheel(const MouseWheel& wheel) {
    TqDataGrid* grid = liveGrid();
    if (!grid) return false;
    float d = wheel.getDelta().y;
    if (!std::isfinite(d)) return false;
    int steps = wheelSteps(int(std::clamp(std::lround(d), -1000000L, 1000000L)));
    if (steps == 0) return false;
    scrollTo(grid->GetScrollX(), grid->GetScrollY() + double(steps) * grid->GetRowHeight(-1));
    return true;
}

bool GridGestureHandler::handlePrerecognizedTouches(const std::vector<Point>& touches) {
    TqDataGrid* grid = liveGrid();
    if (!grid || !grid->AreScrollBarsShown()) return false;
    auto* bars = grid->GetScrollBarController();
    if (!bars || !bars->handleTouches(touches)) return false;
    invalidate();
    return true;
}

bool GridGestureHandler::handlePointerHover(const PointerHover& hover) {
    TqDataGrid* grid = liveGrid();
    if (!grid) return false;
    const Point s = toScreen(hover.getLocation());
    auto cursor = CursorManager::getSharedInstance();
    int shape = CursorShape::DEFAULT;
    if (hover.getState() != GestureRecognizerState::ENDED) {
        const float lx = grid->IsRightToLeft() ? grid->GetFrame().width - s.x : s.x;
        if (grid->GetColumnHeaderIndexAtScreenPosition(s.x, s.y, true) >= 0 ||
            grid->GetRowHeaderVerticalSeparatorIndexAtScreenPosition(s.x, s.y) >= 0)
            shape = CursorShape::RESIZE_COLUMN;
        else if (grid->GetShowRowNumbers() && lx < grid->GetRowNumberColumnWidth() &&
                 grid->GetRowIndexAtScreenPosition(s.x, s.y, true) >= 0)
            shape = CursorShape::RESIZE_ROW;
    }
    if (shape != CursorShape::DEFAULT) {
        cursor->setCursor(shape);
        hoverCursor_ = true;
    } else if (hoverCursor_) {
        cursor->resetCursor();
        hoverCursor_ = false;
    }
    bool link = hover.getState() != GestureRecognizerState::ENDED && grid->IsOverHyperLinkText(s.x, s.y);
    if (link) grid->SetHyperLinkTextHighlight(grid->GetPickIDAtScreenPosition(s.x, s.y));
    else grid->ClearHyperLinkTextHighlight();
    invalidate();
    return link || shape != CursorShape::DEFAULT;
}

// ---------------------------------------------------------------- moving and resizing

void GridGestureHandler::clearMoveResize() {
    resizeColumn_ = moveColumn_ = rowHeaderSeparator_ = -1;
    resizeRow_ = -1;
    resizing_ = moving_ = moveStarted_ = false;
}

bool GridGestureHandler::beginMoveResize(TqDataGrid& grid, const Point& s) {
    clearMoveResize();
    startPoint_ = s;
    auto cursor = CursorManager::getSharedInstance();
    const float lx = grid.IsRightToLeft() ? grid.GetFrame().width - s.x : s.x;
    // Row separators are taken on the row-number column only, so that a pan
    // over the rows scrolls.
    if (grid.GetShowRowNumbers() && lx < grid.GetRowNumberColumnWidth() - grid.GetSeparatorTolerance()) {
        int64_t row = grid.GetRowIndexAtScreenPosition(s.x, s.y, true);
        if (row >= 0) {
            resizeRow_ = row;
            startHeight_ = grid.GetRowHeight(row);
            resizing_ = true;
            cursor->setCursor(CursorShape::RESIZE_ROW);
            return true;
        }
    }
    if (grid.GetRowHeaderVerticalSeparatorIndexAtScreenPosition(s.x, s.y) >= 0) {
        rowHeaderSeparator_ = 0;
        startWidth_ = grid.GetRowNumberColumnWidth();
        resizing_ = true;
        cursor->setCursor(CursorShape::RESIZE_COLUMN);
        return true;
    }
    // Column separators are taken in the header row (or anywhere when the
    // table shows no headers).
    if (grid.IsPointInHeaderRegion(s.x, s.y) || !grid.GetShowColumnHeaders()) {
        int col = grid.GetColumnIndexAtScreenPosition(s.x, s.y, true);
        if (col >= 0) {
            resizeColumn_ = col;
            startWidth_ = grid.GetColumnWidth(col);
            resizing_ = true;
            cursor->setCursor(CursorShape::RESIZE_COLUMN);
            return true;
        }
    }
    int header = grid.GetColumnHeaderIndexAtScreenPosition(s.x, s.y, false);
    if (header >= 0 && allowsColumnReorder()) {
        moveColumn_ = header;
        moving_ = true;
        moveStarted_ = true;
        grid.DragColumn(header, 0.0f);
        invalidate();
        cursor->setCursor(CursorShape::MOVE);
        return true;
    }
    return false;
}

bool GridGestureHandler::handleMoveResize(const Gesture& gesture) {
    TqDataGrid* grid = liveGrid();
    if (!grid) return false;
    const Point s = toScreen(gesture.getLocation());
    if (!std::isfinite(s.x) || !std::isfinite(s.y)) return false;
    const int state = gesture.getState();
    if (state == GestureRecognizerState::BEGAN) return beginMoveResize(*grid, s);
    if (!resizing_ && !moving_) return false;
    float dx = s.x - startPoint_.x;
    if (grid->IsRightToLeft()) dx = -dx;
    const float dy = s.y - startPoint_.y;
    if (resizing_) {
        if (resizeColumn_ >= 0) {
            grid->SetColumnWidth(resizeColumn_, std::max(MIN_COLUMN_WIDTH, startWidth_ + dx), true);
        } else if (resizeRow_ >= 0) {
            grid->SetRowHeight(resizeRow_, std::max(grid->GetMinRowHeight(), startHeight_ + dy));
        } else if (rowHeaderSeparator_ >= 0) {
            grid->SetRowNumberColumnWidth(std::max(MIN_COLUMN_WIDTH, startWidth_ + dx));
        }
    } else {
        grid->DragColumn(moveColumn_, dx);
    }
    invalidate();
    if (state == GestureRecognizerState::ENDED) endMoveResize(*grid, s);
    return true;
}

void GridGestureHandler::endMoveResize(TqDataGrid& grid, const Point&) {
    if (resizing_) {
        if (resizeColumn_ >= 0) updateColumnWidth(resizeColumn_, grid.GetColumnWidth(resizeColumn_));
        else if (resizeRow_ >= 0) updateRowHeight(resizeRow_, grid.GetRowHeight(resizeRow_));
        else if (rowHeaderSeparator_ >= 0) updateRowHeaderColumnWidth(rowHeaderSeparator_, grid.GetRowNumberColumnWidth());
    } else if (moving_) {
        const int from = moveColumn_;
        const int target = grid.DropColumn(from);
        const int fixed = getModelFixedColumnCount();
        if (target < 0) {
            grid.SetFixedColumnCount(fixed);
        } else {
            // Crossing the frozen boundary moves the boundary with the column.
            if (from < fixed && target >= fixed) setModelFixedColumnCount(fixed - 1);
            else if (from >= fixed && target < fixed) setModelFixedColumnCount(fixed + 1);
            moveColumn(from, target);
        }
    }
    CursorManager::getSharedInstance()->resetCursor();
    clearMoveResize();
    relayout();
    invalidate();
}

// ---------------------------------------------------------------- keys

bool GridGestureHandler::handleKeyPress(const std::shared_ptr<PortableEvent>& event) {
    auto* key = dynamic_cast<KeyEvent*>(event.get());
    if (!key || key->getType() != KeyEvent::KeyPressed) return false;
    TqDataGrid* grid = liveGrid();
    if (!grid) return false;
    int code = key->getKeyCode();
    if (code < KeyCode::FIRST_NAVIGATION || code > KeyCode::LAST_NAVIGATION) return false;
    auto keys = KeyManager::getSharedInstance();
    if (code == KeyCode::CONTEXT_MENU) {
        if (key->hasModifier(KeyModifier::RANGE_SELECT) || keys->isPressed(KeyCode::RANGE_SELECT)) return false;
        showContextMenu(grid->GetFocusedCell());
        keys->setHandledLastAction();
        return true;
    }
    switch (code) {
    case KeyCode::ENTER: case KeyCode::TAB: case KeyCode::UP: case KeyCode::DOWN: case KeyCode::LEFT:
    case KeyCode::RIGHT: case KeyCode::HOME: case KeyCode::END: case KeyCode::PAGE_UP: case KeyCode::PAGE_DOWN: break;
    default: return false;
    }
    // Right to left, the left arrow walks towards later columns.
    if (grid->IsRightToLeft() && (code == KeyCode::LEFT || code == KeyCode::RIGHT))
        code = code == KeyCode::LEFT ? KeyCode::RIGHT : KeyCode::LEFT;
    const uint64_t id = getNextSelectedCellIndex(code);
    if (id == NO_CELL) return false;
    auto offset = grid->GetScrollOffsetForCell(id);
    scrollTo(offset.x, offset.y);
    setFocusedCell(id);
    setShowFocusRect(true);
    if (code == KeyCode::ENTER && TqDataGrid::ConvertPickIDtoComponentID(id) == TqDataGrid::COMPONENT_HEADER) {
        announceFocus(GridFocusEvent::ACCESSIBILITY_SORT, id);
        activateHeader(id);
    } else {
        announceFocus(GridFocusEvent::ACCESSIBILITY_FOCUS_CHANGE, id);
    }
    setLastSelectedIndex(id);
    keys->setHandledLastAction();
    invalidate();
    return true;
}

uint64_t GridGestureHandler::getNextSelectedCellIndex(int keyCode) {
    TqDataGrid* grid = liveGrid();
    if (!grid || grid->GetNumColumns() <= 0) return NO_CELL;
    uint64_t from = grid->GetFocusedCell();
    if (from == NO_CELL || !grid->IsCellSelectable(from)) from = grid->GetLastSelectedIndex();
    if (from == NO_CELL || !grid->IsCellSelectable(from)) {
        // No cell yet: the first key lands on the first cell.
        for (int c = 0; c < grid->GetNumColumns(); ++c) {
            uint64_t id = TqDataGrid::GetPickID(0, c, TqDataGrid::COMPONENT_CELL);
            if (grid->GetNumRows() > 0 && grid->IsCellSelectable(id)) return id;
        }
        return NO_CELL;
    }
    return stepFrom(*grid, from, keyCode);
}

uint64_t GridGestureHandler::stepFrom(TqDataGrid& grid, uint64_t from, int keyCode) const {
    const int comp = TqDataGrid::ConvertPickIDtoComponentID(from);
    const int64_t row = TqDataGrid::GetRowFromPickID(from);
    const int col = TqDataGrid::GetColumnFromPickID(from);
    const int64_t rows = grid.GetNumRows();
    const int cols = grid.GetNumColumns();
    auto cell = [](int64_t r, int c) { return TqDataGrid::GetPickID(r, c, TqDataGrid::COMPONENT_CELL); };
    // The nearest selectable cell of the column from r on, walking by step.
    auto rowFrom = [&](int64_t r, int64_t step) -> uint64_t {
        for (; r >= 0 && r < rows; r += step)
            if (grid.IsCellSelectable(cell(r, col))) return cell(r, col);
        return NO_CELL;
    };
    auto total = [&]() -> uint64_t {
        uint64_t id = TqDataGrid::GetPickID(0, col, TqDataGrid::COMPONENT_TOTAL);
        return grid.IsCellSelectable(id) ? id : NO_CELL;
    };
    auto header = [&]() -> uint64_t {
        uint64_t id = TqDataGrid::GetPickID(0, col, TqDataGrid::COMPONENT_HEADER);
        return grid.IsCellSelectable(id) ? id : NO_CELL;
    };
    auto sameRow = [&](int c) { return TqDataGrid::GetPickID(row, c, comp); };
    // The nearest selectable cell of this row from c on, walking by step.
    auto columnFrom = [&](int c, int step) -> uint64_t {
        for (; c >= 0 && c < cols; c += step)
            if (grid.IsCellSelectable(sameRow(c))) return sameRow(c);
        return NO_CELL;
    };
    const bool topTotals = grid.GetTotalsOnTop();
    switch (keyCode) {
    case KeyCode::ENTER: return from;
    case KeyCode::RIGHT: return columnFrom(col + 1, 1);
    case KeyCode::LEFT: return columnFrom(col - 1, -1);
    case KeyCode::HOME: return columnFrom(0, 1);
    case KeyCode::END: return columnFrom(cols - 1, -1);
    case KeyCode::TAB: {
        uint64_t next = columnFrom(col + 1, 1);
        if (next != NO_CELL || comp != TqDataGrid::COMPONENT_CELL) return next;
        for (int64_t r = row + 1; r < rows; ++r)
            for (int c = 0; c < cols; ++c)
                if (grid.IsCellSelectable(cell(r, c))) return cell(r, c);
        return NO_CELL;
    }
    case KeyCode::UP:
        if (comp == TqDataGrid::COMPONENT_HEADER) return NO_CELL;
        if (comp == TqDataGrid::COMPONENT_TOTAL) return topTotals ? header() : rowFrom(rows - 1, -1);
        if (uint64_t up = rowFrom(row - 1, -1); up != NO_CELL) return up;
        if (topTotals && total() != NO_CELL) return total();
        return header();
    case KeyCode::DOWN:
        if (comp == TqDataGrid::COMPONENT_HEADER) {
            if (topTotals && total() != NO_CELL) return total();
            return rowFrom(0, 1);
        }
        if (comp == TqDataGrid::COMPONENT_TOTAL) return topTotals ? rowFrom(0, 1) : NO_CELL;
        if (uint64_t down = rowFrom(row + 1, 1); down != NO_CELL) return down;
        return topTotals ? NO_CELL : total();
    case KeyCode::PAGE_UP:
    case KeyCode::PAGE_DOWN: {
        const bool downwards = keyCode == KeyCode::PAGE_DOWN;
        if (comp != TqDataGrid::COMPONENT_CELL) return downwards ? rowFrom(0, 1) : rowFrom(rows - 1, -1);
        // By the rows visible whole (at least one).
        int64_t r0, r1;
        int c0, c1;
        grid.GetMinMaxVisibleRowColIndices(r0, r1, c0, c1);
        int64_t page = std::max<int64_t>(1, r1 - r0);
        int64_t target = std::clamp<int64_t>(row + (downwards ? page : -page), 0, std::max<int64_t>(rows - 1, 0));
        if (target == row) return NO_CELL;
        uint64_t id = rowFrom(target, downwards ? 1 : -1);
        return id != NO_CELL ? id : rowFrom(target, downwards ? -1 : 1);
    }
    default: return NO_CELL;
    }
}

} // namespace orvane
