// SPDX-License-Identifier: Apache-2.0
#include "orvane/accessibility/TableAccessibilityController.h"

#include "orvane/accessibility/AccessibilityElement.h"
#include "orvane/accessibility/SonificationElement.h"
#include "orvane/accessibility/SonificationTone.h"
#include "orvane/accessibility/SonificationToneMapper.h"
#include "orvane/host/core/GeometryUtilities.h"
#include "orvane/view/PickedNodeInfo.h"

#include <algorithm>
#include <cmath>

namespace orvane {

using Nav = AccessibilityControllerNavigationType;

uint64_t TableAccessibilityController::findCell(int64_t row, int64_t column, int64_t dRow, int64_t dColumn,
                                               uint64_t skip) const {
    const int64_t rows = getGridRowCount(), cols = getGridColumnCount();
    for (int64_t k = 0; k < MAX_SKIP; ++k) {
        if (row < 0 || row >= rows || column < 0 || column >= cols) return NO_DETAIL;
        uint64_t d = getGridDetail(row, column);
        if (d != NO_DETAIL && d != skip) return d;
        row += dRow;
        column += dColumn;
    }
    return NO_DETAIL;
}

uint64_t TableAccessibilityController::firstCell(bool fromEnd) const {
    const int64_t rows = getGridRowCount(), cols = getGridColumnCount();
    if (rows <= 0 || cols <= 0) return NO_DETAIL;
    // Row by row from the chosen end (a row may hold no focusable cell).
    for (int64_t k = 0; k < std::min(rows, MAX_SKIP); ++k) {
        int64_t r = fromEnd ? rows - 1 - k : k;
        uint64_t d = fromEnd ? findCell(r, cols - 1, 0, -1) : findCell(r, 0, 0, 1);
        if (d != NO_DETAIL) return d;
    }
    return NO_DETAIL;
}

int TableAccessibilityController::getNextIndex(NavigationType type) {
    if (getView() == nullptr) return NO_INDEX;
    int64_t row = -1, col = -1;
    const bool focused = hasFocus() && getGridPosition(focusedDetail(), row, col);
    const int64_t rows = getGridRowCount(), cols = getGridColumnCount();
    if (rows <= 0 || cols <= 0) return NO_INDEX;
    uint64_t target = NO_DETAIL;
    bool step = false;
    // Right and left as drawn: a right-to-left table runs its columns leftwards.
    const int64_t right = isRightToLeft() ? -1 : 1;
    switch (type) {
    case Nav::FIRST:
    case Nav::LAST:
        target = firstCell(type == Nav::LAST);
        if (target != NO_DETAIL) pageToEnd(type == Nav::LAST);
        break;
    case Nav::NEXT:
    case Nav::PREVIOUS: {
        if (!focused) return NO_INDEX;
        const int64_t d = type == Nav::NEXT ? 1 : -1;
        int64_t r = row, c = col;
        for (int64_t k = 0; k < MAX_SKIP && target == NO_DETAIL; ++k) {
            c += d;
            if (c >= cols) c = 0, ++r;
            if (c < 0) c = cols - 1, --r;
            if (r < 0 || r >= rows) break;
            if (r != row) {
                // Into another row: where fixed rows meet scrolling ones, the
                // row drawn next to them.
                int64_t entered = getEnteredRow(row, r);
                if (entered != r) r = entered, c = d > 0 ? 0 : cols - 1;
            }
            target = getGridDetail(r, c);
            if (target == focusedDetail()) target = NO_DETAIL;  // still inside a spanning header
        }
        if (target == NO_DETAIL && getLoopOn() && (r < 0 || r >= rows)) {
            target = firstCell(d < 0);
            if (target != NO_DETAIL) pageToEnd(d < 0);
        }
        step = true;
        break;
    }
    case Nav::CELL_UP:
    case Nav::CELL_DOWN:
    case Nav::CELL_LEFT:
    case Nav::CELL_RIGHT: {
        if (!focused) return NO_INDEX;
        int64_t dr = type == Nav::CELL_UP ? -1 : type == Nav::CELL_DOWN ? 1 : 0;
        int64_t dc = type == Nav::CELL_LEFT ? -right : type == Nav::CELL_RIGHT ? right : 0;
        target = findCell(dr ? getEnteredRow(row, row + dr) : row, col + dc, dr, dc, focusedDetail());
        if (target == NO_DETAIL && getLoopOn()) {
            // Round to the other end of the column or row.
            int64_t r = dr > 0 ? 0 : dr < 0 ? rows - 1 : row;
            int64_t c = dc > 0 ? 0 : dc < 0 ? cols - 1 : col;
            target = findCell(r, c, dr, dc, focusedDetail());
            if (target != NO_DETAIL && dr) pageToEnd(dr < 0);
        }
        step = true;
        break;
    }
    case Nav::LOCAL_FIRST:
    case Nav::LOCAL_LAST:
        if (!focused) return NO_INDEX;
        target = type == Nav::LOCAL_FIRST ? findCell(row, 0, 0, 1) : findCell(row, cols - 1, 0, -1);
        break;
    default: return NO_INDEX;
    }
    if (target == NO_DETAIL) return NO_INDEX;
    scrollToDetail(target, step);
    setFocusedDetail(target);
    rebuildElements();
    return findDetail(target);
}

displaylist::TqDataGrid::ScrollOffset TableAccessibilityController::scrollOffsetShowing(displaylist::TqDataGrid& grid,
                                                                                      uint64_t cell, bool step) {
    using displaylist::TqDataGrid;
    const double y0 = grid.GetScrollY();
    TqDataGrid::ScrollOffset to = grid.GetScrollOffsetForCell(cell);
    if (step && to.y != y0 && TqDataGrid::ConvertPickIDtoComponentID(cell) == TqDataGrid::COMPONENT_CELL) {
        // A one-cell move off the window turns a whole page, as a reader
        // paging through the table expects; then the cell is shown whole.
        double page = std::max(1.0, grid.GetScrollAreaHeight());
        grid.SetScrollPosition(to.x, y0 + (to.y > y0 ? page : -page));
        to = grid.GetScrollOffsetForCell(cell);
    }
    return to;
}

std::shared_ptr<AccessibilityElement> TableAccessibilityController::makeCellElement(
    const displaylist::TqImageMapEntryStruct& entry, const std::string& label, const std::string& hint,
    const std::shared_ptr<PickResult>& pick, const CellFacts& facts) {
    auto element = createAccessibilityElement(getView(), label, hint, pick, entry.points,
                                              PickedNodeInfo::create(entry.nodeId, entry.detailIndex));
    element->setGridPosition(facts.role, facts.row + 1, facts.column + 1, getGridRowCount(), facts.columnCount);
    element->setSort(facts.sort);
    element->setSelected(facts.selected);
    element->setExpanded(facts.expanded);
    element->setValueText(facts.value);
    element->setOnScreen(entry.onScreen);
    return element;
}

int TableAccessibilityController::getDefaultNavigationIndex(NavigationType type) {
    int64_t row, col;
    const bool focused = hasFocus() && getGridPosition(focusedDetail(), row, col);
    if (!focused && type != Nav::FIRST && type != Nav::LAST) {
        // Nothing focused: start on screen, at the first element (or the last
        // for PREVIOUS), whatever the move asked.
        clearFocus();
        rebuildElements();
        return AccessibilityController::getDefaultNavigationIndex(type == Nav::PREVIOUS ? Nav::PREVIOUS : Nav::NEXT);
    }
    int index = getNextIndex(type);
    if (index != NO_INDEX || !focused) return index;
    // At an edge the focus stays where it is.
    rebuildElements();
    return currentIndex_;
}

std::shared_ptr<AccessibilityElement> TableAccessibilityController::getCurrentAccessibilityElement() {
    return AccessibilityController::getCurrentAccessibilityElement();
}

std::shared_ptr<AccessibilityElement> TableAccessibilityController::getAccessibilityElementFromIndex(int index) {
    if (elements_.empty()) rebuildElements();
    if (index < 0 || size_t(index) >= elements_.size()) return nullptr;
    return elements_[size_t(index)];
}

AccessibilityController::ElementList TableAccessibilityController::getAccessibilityElementsFromIndex(int index) {
    ElementList out;
    auto element = getAccessibilityElementFromIndex(index);
    int64_t row, col;
    if (!element || !getGridPosition(element->getDetailIndex(), row, col)) return out;
    for (const auto& e : elements_) {
        int64_t r, c;
        if (e && getGridPosition(e->getDetailIndex(), r, c) && r == row) out.push_back(e);
    }
    return out;
}

AccessibilityController::ElementList TableAccessibilityController::getAccessibilityElements(
    AccessibilityDetailType::type detail) {
    ElementList out;
    if (detail != AccessibilityDetailType::DATA_ELEMENTS || !getView()) return out;
    std::vector<displaylist::TqImageMapEntryStruct> entries = getImageMapEntries();
    // The focused cell stays in the list when it scrolled away, in its place
    // in grid order, so that navigation can go on from it.
    int64_t fr, fc;
    if (hasFocus() && getGridPosition(focusedDetail(), fr, fc)) {
        bool present = std::any_of(entries.begin(), entries.end(),
                                   [&](const auto& e) { return e.detailIndex == focusedDetail(); });
        displaylist::TqImageMapEntryStruct own;
        if (!present && getEntryForDetail(focusedDetail(), own)) {
            own.onScreen = false;
            auto at = std::find_if(entries.begin(), entries.end(), [&](const auto& e) {
                int64_t r, c;
                return getGridPosition(e.detailIndex, r, c) && (r > fr || (r == fr && c > fc));
            });
            entries.insert(at, std::move(own));
        }
    }
    out.reserve(entries.size());
    for (const auto& entry : entries)
        if (auto e = getAccessibilityElementByEntry(entry)) out.push_back(std::move(e));
    return out;
}

std::shared_ptr<AccessibilityElement> TableAccessibilityController::getAccessibilityElementAt(float x, float y,
                                                                                              bool focus) {
    rebuildElements();
    for (const auto& e : elements_) {
        if (!e || !e->isOnScreen() || e->getPoints().empty()) continue;
        const auto& pts = e->getPoints();
        if (!GeometryUtilities::polygonContainsPoint(pts.data(), pts.size(), {x, y})) continue;
        if (focus) focusIndex(findDetail(e->getDetailIndex()), true);
        return e;
    }
    return nullptr;
}

void TableAccessibilityController::setFocus(const std::shared_ptr<AccessibilityElement>& element) {
    int64_t row, col;
    if (!element || !element->getNodeInfo() || !getView() || !getGridPosition(element->getDetailIndex(), row, col))
        return;
    scrollToDetail(element->getDetailIndex(), false);
    setFocusedDetail(element->getDetailIndex());
    rebuildElements();
}

bool TableAccessibilityController::isOnScreen(const std::shared_ptr<AccessibilityElement>& element) {
    return element && getView() && element->isOnScreen();
}

std::vector<double> TableAccessibilityController::getSeriesValues(const std::shared_ptr<AccessibilityElement>& element,
                                                                  bool column, size_t limit) {
    std::vector<double> values;
    if (!element || !getView()) return values;
    for (uint64_t d : getSeriesDetails(element->getDetailIndex(), column, limit)) values.push_back(getNumericValue(d));
    return values;
}

TableAccessibilityController::SonificationList TableAccessibilityController::sonify(
    const std::shared_ptr<AccessibilityElement>& element, bool column, size_t limit) {
    SonificationList out;
    if (!element || !getView()) return out;
    std::vector<uint64_t> details = getSeriesDetails(element->getDetailIndex(), column, limit);
    std::vector<double> values;
    values.reserve(details.size());
    double lo = INFINITY, hi = -INFINITY;
    for (uint64_t d : details) {
        double v = getNumericValue(d);
        values.push_back(v);
        if (std::isfinite(v)) lo = std::min(lo, v), hi = std::max(hi, v);
    }
    auto mapper = SonificationToneMapper::create(SonificationScale::PENTATONIC, SonificationStyle::PIANO,
                                                 std::isfinite(lo) ? lo : NAN, std::isfinite(hi) ? hi : NAN);
    for (size_t i = 0; i < details.size(); ++i) {
        auto s = SonificationElement::create();
        displaylist::TqImageMapEntryStruct entry;
        if (getEntryForDetail(details[i], entry)) s->setAccessibilityElement(getAccessibilityElementByEntry(entry));
        // Not a number (missing, or text in a number column): the missing tone.
        s->setTone(std::isfinite(values[i]) ? mapper->map(values[i]) : SonificationTone::createMissing());
        float pan = 0.0f;
        if (!column && details.size() > 1) pan = -1.0f + 2.0f * float(i) / float(details.size() - 1);
        if (!column && isRightToLeft()) pan = -pan;
        s->setStereoPanValue(pan);
        out.push_back(std::move(s));
    }
    return out;
}

} // namespace orvane
