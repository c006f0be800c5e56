// SPDX-License-Identifier: Apache-2.0
#include "orvane/crosstab/CrosstabGestureHandler.h"

#include "orvane/accessibility/AccessibilityFocusChangeEvent.h"
#include "orvane/accessibility/CrosstabAccessibilityController.h"
#include "orvane/crosstab/CrosstabRenderer.h"
#include "orvane/host/core/CLog.h"
#include "orvane/host/core/PortableEvent.h"
#include "orvane/datagrid/GridUtilities.h"
#include "orvane/host/input/GestureRecognizerType.h"
#include "orvane/host/input/KeyManager.h"

#include <algorithm>
#include <cmath>

namespace orvane {

namespace {
using G = displaylist::TqCrosstab;
constexpr const char* SOURCE = "orvane/crosstab/CrosstabGestureHandler";

const char* eventName(int type) {
    switch (type) {
    case CrosstabGestureHandler::ACCESSIBILITY_SORT: return "SORT";
    case CrosstabGestureHandler::ACCESSIBILITY_DATA_CELL: return "DATA_CELL";
    case CrosstabGestureHandler::ACCESSIBILITY_EXPAND: return "EXPAND";
    case CrosstabGestureHandler::ACCESSIBILITY_COLLAPSE: return "COLLAPSE";
    default: return "DRILL_DOWN";
    }
}
// The accessibility element of a pick id (null when the view has none).
std::shared_ptr<AccessibilityElement> elementFor(CrosstabRenderer& r, uint64_t pickId) {
    auto controller = std::dynamic_pointer_cast<CrosstabAccessibilityController>(r.getAccessibilityController());
    displaylist::TqImageMapEntryStruct entry;
    if (!controller || pickId == CrosstabGestureHandler::NO_FOCUS || !controller->getEntryForDetail(pickId, entry))
        return nullptr;
    return controller->getAccessibilityElementByEntry(entry);
}
} // namespace

std::shared_ptr<CrosstabGestureHandler> CrosstabGestureHandler::create(const std::shared_ptr<CrosstabRenderer>& renderer) {
    std::shared_ptr<CrosstabGestureHandler> h(new CrosstabGestureHandler());
    h->renderer_ = renderer;
    h->setView(renderer);
    if (renderer) {
        Rect f = renderer->getFrame();
        h->setFrame({0.0f, 0.0f, f.width, f.height});
    }
    return h;
}

int CrosstabGestureHandler::getRequiredGestureRecognizerTypes() const {
    return GestureRecognizerType::TAP | GestureRecognizerType::PAN;
}

std::shared_ptr<CrosstabRenderer> CrosstabGestureHandler::getRenderer() const { return renderer_.lock(); }

void CrosstabGestureHandler::setFocus(uint64_t pickId) {
    focus_ = pickId;
    if (auto r = getRenderer(); r && r->getCrosstabNode()) {
        r->getCrosstabNode()->SetFocusedCell(G::ConvertPickIDtoComponentID(pickId) == G::COMPONENT_CELL ? pickId
                                                                                                     : G::NO_PICK_ID);
        r->getCrosstabNode()->SetShowFocusRect(pickId != NO_FOCUS);
    }
}

void CrosstabGestureHandler::makeSelection(const std::vector<uint64_t>& pickIds, bool additive, bool toggle) {
    auto r = getRenderer();
    if (!r) return;
    if (!r->getSelectedCells().empty() && !additive) r->clearSelections();
    r->updateSelection(pickIds, additive, toggle);
}

bool CrosstabGestureHandler::handleTap(const Tap& tap) {
    auto r = getRenderer();
    if (!r) return false;
    // Taps come in view coordinates (y up); the crosstab's are y down.
    Point at = tap.getLocation();
    auto entry = r->pickAt({at.x, r->getFrame().height - at.y});
    if (!entry) return false;
    using T = CrosstabPickResultEntry::Type;
    if (entry->buttonType != CrosstabPickResultEntry::ButtonType::NONE) {
        const std::string name = CrosstabPickResultEntry::buttonTypeName(entry->buttonType);
        const size_t before = r->getRowLeafNodes().size();
        const int columnsBefore = r->getCrosstabNode() ? r->getCrosstabNode()->GetNumColumns() : 0;
        const bool done = r->performButton(*entry);
        // The rebuild happens on the next render; count what the model shows now.
        size_t after = 0;
        if (auto m = r->getModel(); m && m->dataSet.get()) after = m->dataSet.get()->getRowCount();
        lastAction_ = std::string(done ? "" : "refused: ") + name + " " + entry->text;
        if (done && entry->buttonType <= CrosstabPickResultEntry::ButtonType::DRILLDOWN)
            lastAction_ += " (rows " + std::to_string(before) + " -> " + std::to_string(after) + ", columns " +
                           std::to_string(columnsBefore) + ")";
        return done;
    }
    if (entry->type == T::DATA_CELL) {
        const auto& sel = r->getSelectedCells();
        const bool only = sel.size() == 1 && sel.front().first == entry->row && sel.front().second == entry->column;
        if (only) {
            makeSelection({}, false, false);
            lastAction_ = "cleared the selection";
        } else {
            makeSelection({entry->pickId}, false, false);
            lastAction_ = "selected " + entry->text + " (" + std::to_string(r->getSourceRows(entry->row, entry->column).size()) +
                          " source rows)";
        }
        setFocus(entry->pickId);
        return true;
    }
    // A header label drawn as a link drills into its member.
    if ((entry->type == T::ROW_HEADER || entry->type == T::COLUMN_HEADER) && r->getCrosstabNode()) {
        const auto* cell = r->getCrosstabNode()->GetCrosstabCell(entry->index);
        if (cell && cell->hyperlink) {
            const int axis = entry->type == T::ROW_HEADER ? 0 : 1;
            const bool done = r->drillDown(axis, entry->displayTreeNode);
            lastAction_ = std::string(done ? "drill " : "refused: drill ") + entry->text;
            return done;
        }
    }
    setFocus(entry->pickId);
    lastAction_ = std::string("focused ") + CrosstabPickResultEntry::typeName(entry->type) + " " + entry->text;
    return false;
}

void CrosstabGestureHandler::resizeRowHeaderLevel(int level, float width) {
    auto r = getRenderer();
    if (!r || !r->getCrosstabNode() || !std::isfinite(width)) return;
    // The row headers never take the room the data needs.
    const float most = std::max(MIN_COLUMN_WIDTH, r->getMaximumAllowedRowHeaderWidth());
    r->updateRowHeaderSizes(level, std::clamp(width, MIN_COLUMN_WIDTH, most));
}

void CrosstabGestureHandler::resizeDataColumn(int column, float width) {
    auto r = getRenderer();
    if (!r || !std::isfinite(width)) return;
    r->updateColumnWidth(column, std::max(MIN_COLUMN_WIDTH, width));
}

bool CrosstabGestureHandler::handlePan(const Pan& pan) {
    auto r = getRenderer();
    auto* grid = r ? r->getCrosstabNode() : nullptr;
    auto model = r ? r->getModel() : nullptr;
    if (!grid || !model) return false;
    // Pans come in view coordinates (y up); the crosstab's are y down.
    const Point at{pan.getLocation().x, r->getFrame().height - pan.getLocation().y};
    if (!std::isfinite(at.x) || !std::isfinite(at.y)) return false;
    const int state = pan.getState();
    if (state == GestureRecognizerState::BEGAN) {
        resizeLevel_ = resizeColumn_ = -1;
        lastTranslation_ = {};
        startPoint_ = at;
        if (model->allowColumnResizing.get()) {
            const int level = grid->GetRowHeaderSeparatorAtScreenPosition(at.x, at.y);
            const Point d = grid->ToDataArea(at.x, at.y);
            if (level >= 0) {
                resizeLevel_ = level;
                startWidth_ = grid->GetCrosstabRowHeaderColumnWidth(level);
            } else if (at.y >= grid->GetTotalColumnHeaderHeight() && grid->IsPointInHeaderRegion(d.x, d.y)) {
                const int col = grid->GetColumnIndexAtScreenPosition(d.x, d.y, true);
                if (col >= 0) {
                    resizeColumn_ = col;
                    startWidth_ = grid->GetColumnWidth(col);
                }
            }
        }
    }
    if (isResizing()) {
        const float dx = at.x - startPoint_.x;
        if (resizeLevel_ >= 0) resizeRowHeaderLevel(resizeLevel_, startWidth_ + dx);
        else resizeDataColumn(resizeColumn_, startWidth_ + dx);
        if (state == GestureRecognizerState::ENDED) {
            lastAction_ = resizeLevel_ >= 0 ? "row header " + std::to_string(resizeLevel_) + " width " +
                                                  std::to_string(std::lround(grid->GetCrosstabRowHeaderColumnWidth(resizeLevel_)))
                                            : "column " + std::to_string(resizeColumn_) + " width " +
                                                  std::to_string(std::lround(grid->GetColumnWidth(resizeColumn_)));
            resizeLevel_ = resizeColumn_ = -1;
        }
        return true;
    }
    // Any other pan scrolls: the content follows the finger (y up in the view).
    const Point t = pan.getTranslation();
    const float dx = t.x - lastTranslation_.x, dy = t.y - lastTranslation_.y;
    lastTranslation_ = state == GestureRecognizerState::ENDED ? Point{} : t;
    if (!std::isfinite(dx) || !std::isfinite(dy)) return false;
    r->setScrollPosition(grid->GetScrollX() - dx, grid->GetScrollY() + dy);
    return true;
}

bool CrosstabGestureHandler::resizeFromKeyboard(int key) {
    if (key != KEY_LEFT && key != KEY_RIGHT) return false;
    if (!KeyManager::getSharedInstance()->isPressed(KEY_RESIZE_MODIFIER)) return false;
    auto r = getRenderer();
    auto model = r ? r->getModel() : nullptr;
    auto* grid = r ? r->getCrosstabNode() : nullptr;
    if (!grid || !model || !model->allowColumnResizing.get() || focus_ == NO_FOCUS) return false;
    const float step = (key == KEY_LEFT ? -RESIZE_STEP : RESIZE_STEP) * GridUtilities::displayScale();
    switch (G::ConvertPickIDtoComponentID(focus_)) {
    case G::COMPONENT_ROW_HEADER: {
        const auto* cell = grid->GetCrosstabCell(grid->GetCellForPickID(focus_));
        if (!cell) return false;
        // An indented crosstab has one row-header column.
        const int level = grid->GetIndentedRowHeaders() ? 0 : cell->level;
        resizeRowHeaderLevel(level, grid->GetCrosstabRowHeaderColumnWidth(level) + step);
        return true;
    }
    case G::COMPONENT_ROW_AXIS_HEADER: {
        const int level = grid->GetIndentedRowHeaders() ? 0 : G::GetLevelFromPickID(focus_);
        if (level < 0 || level >= grid->GetNumCrosstabRowHeaderColumns()) return false;
        resizeRowHeaderLevel(level, grid->GetCrosstabRowHeaderColumnWidth(level) + step);
        return true;
    }
    case G::COMPONENT_COLUMN_HEADER: {
        // A spanning header moves its right edge: the last column under it.
        const auto* cell = grid->GetCrosstabCell(grid->GetCellForPickID(focus_));
        if (!cell || cell->first < 0 || cell->extent <= 0) return false;
        const int col = int(cell->first + cell->extent - 1);
        resizeDataColumn(col, grid->GetColumnWidth(col) + step);
        return true;
    }
    case G::COMPONENT_HEADER: {
        const int col = G::GetColumnFromPickID(focus_);
        if (col < 0 || col >= grid->GetNumColumns()) return false;
        resizeDataColumn(col, grid->GetColumnWidth(col) + step);
        return true;
    }
    default: return false;
    }
}

void CrosstabGestureHandler::fire(int type, const std::string& value) {
    auto r = getRenderer();
    if (!r) return;
    if (CLog::isEnabled(CLog::INFO))
        CLog::log(CLog::INFO, SOURCE, 238,
                  std::string("Fire ACCESSIBILITY_") + eventName(type) + ", the value of element is " + value);
    r->dispatchEvent(AccessibilityFocusChangeEvent::create(type, r.get(), elementFor(*r, focus_)));
}

void CrosstabGestureHandler::announceFocus(uint64_t pickId) {
    auto r = getRenderer();
    if (!r) return;
    r->dispatchEvent(AccessibilityFocusChangeEvent::create(AccessibilityFocusChangeEvent::ACCESSIBILITY_FOCUS_CHANGE,
                                                           r.get(), elementFor(*r, pickId)));
}

bool CrosstabGestureHandler::handleKeyPress(int keyCode) {
    if (keyCode < 46 || keyCode > 71) return false;
    uint64_t before = focus_;
    std::string actionBefore = lastAction_;
    uint64_t next = getNextSelectedCellIndex(keyCode);
    if (next != NO_FOCUS) {
        setFocus(next);
        // A move is told to assistive technology, and to a person.
        if (next != before) {
            announceFocus(next);
            if (lastAction_ == actionBefore) {
                auto r = getRenderer();
                auto entry = r ? r->getPickEntry(next) : nullptr;
                if (entry) lastAction_ = std::string("focus on ") + CrosstabPickResultEntry::typeName(entry->type) + " " + entry->text;
            }
        }
    }
    return next != NO_FOCUS || focus_ != before || lastAction_ != actionBefore;
}

uint64_t CrosstabGestureHandler::getNavigationNextSelectedCellIndex(int key) const {
    auto r = getRenderer();
    auto* grid = r ? r->getCrosstabNode() : nullptr;
    if (!grid || focus_ == NO_FOCUS) return NO_FOCUS;
    const int comp = G::ConvertPickIDtoComponentID(focus_);
    if (comp == G::COMPONENT_ROW_AXIS_HEADER || comp == G::COMPONENT_COLUMN_AXIS_HEADER)
        return axisLabelNeighbour(*grid, comp, G::GetLevelFromPickID(focus_), key);
    if (comp == G::COMPONENT_CELL || comp == G::COMPONENT_HEADER) {
        int64_t row = comp == G::COMPONENT_CELL ? G::GetRowFromPickID(focus_) : -1;
        int col = G::GetColumnFromPickID(focus_);
        switch (key) {
        case KEY_LEFT:
            if (col > 0) return G::GetPickID(std::max<int64_t>(row, 0), col - 1, comp);
            // From the first column to the row header of the row; from the
            // first measure header to the row-axis label beside it.
            if (comp == G::COMPONENT_CELL) return headerPick(0, r->getRowLeafAt(row));
            return axisLabelPick(*grid, G::COMPONENT_ROW_AXIS_HEADER, axisLabelCount(*grid, 0) - 1);
        case KEY_RIGHT: return col + 1 < grid->GetNumColumns() ? G::GetPickID(std::max<int64_t>(row, 0), col + 1, comp) : NO_FOCUS;
        case KEY_DOWN:
            if (comp == G::COMPONENT_HEADER) return G::GetPickID(0, col, G::COMPONENT_CELL);
            return row + 1 < grid->GetNumRows() ? G::GetPickID(row + 1, col, comp) : NO_FOCUS;
        case KEY_UP:
            if (comp == G::COMPONENT_CELL && row > 0) return G::GetPickID(row - 1, col, comp);
            // From the top row to the column header leaf of the column.
            return headerPick(1, r->getColumnLeafAt(col));
        default: return NO_FOCUS;
        }
    }
    if (comp != G::COMPONENT_ROW_HEADER && comp != G::COMPONENT_COLUMN_HEADER) return NO_FOCUS;
    const int axis = comp == G::COMPONENT_ROW_HEADER ? 0 : 1;
    auto entry = r->getPickEntry(focus_);
    auto node = entry ? std::static_pointer_cast<DataTreeNode>(entry->displayTreeNode) : nullptr;
    if (!node) return NO_FOCUS;
    auto sibling = [&](bool next) -> std::shared_ptr<DataTreeNode> {
        auto p = node->getParent();
        if (!p) return nullptr;
        const auto& kids = p->getChildren();
        auto it = std::find(kids.begin(), kids.end(), node);
        if (it == kids.end()) return nullptr;
        if (next) return it + 1 != kids.end() ? *(it + 1) : nullptr;
        return it != kids.begin() ? *(it - 1) : nullptr;
    };
    auto parent = [&]() -> std::shared_ptr<DataTreeNode> {
        auto p = node->getParent();
        return p && p->getParent() ? p : nullptr;  // the root has no cell
    };
    auto firstChild = [&]() -> std::shared_ptr<DataTreeNode> {
        return node->hasChildren() ? node->getChildren().front() : nullptr;
    };
    std::shared_ptr<DataTreeNode> target;
    const bool rows = axis == 0;
    switch (key) {
    case KEY_UP: target = rows ? sibling(false) : parent(); break;
    case KEY_DOWN: target = rows ? sibling(true) : firstChild(); break;
    case KEY_LEFT: target = rows ? parent() : sibling(false); break;
    case KEY_RIGHT: target = rows ? firstChild() : sibling(true); break;
    default: break;
    }
    return target ? headerPick(axis, target) : NO_FOCUS;
}

int CrosstabGestureHandler::axisLabelCount(const G& grid, int axis) {
    if (!grid.GetShowAxisHeaders()) return 0;
    if (axis == 0) return grid.GetIndentedRowHeaders() ? std::min(grid.GetNumCrosstabRowHeaderColumns(), 1)
                                                       : grid.GetNumCrosstabRowHeaderColumns();
    return grid.GetNumCrosstabColumnHeaderRows();
}

uint64_t CrosstabGestureHandler::axisLabelPick(const G& grid, int component, int level) {
    const int axis = component == G::COMPONENT_ROW_AXIS_HEADER ? 0 : 1;
    if (level < 0 || level >= axisLabelCount(grid, axis)) return NO_FOCUS;
    return G::GetHeaderPickID(component, 0, level, 0);
}

uint64_t CrosstabGestureHandler::axisLabelNeighbour(const G& grid, int component, int level, int key) {
    const bool rows = component == G::COMPONENT_ROW_AXIS_HEADER;
    if (level < 0 || level >= axisLabelCount(grid, rows ? 0 : 1)) return NO_FOCUS;
    // The row-axis labels stand side by side in the measure-header row, each
    // over its level's column; the column-axis labels stand one above the
    // other, each left of its level's row. Along its axis a key goes to the
    // neighbouring level's label; across it, to the level's first header.
    const int last = axisLabelCount(grid, rows ? 0 : 1) - 1;
    const int back = rows ? KEY_LEFT : KEY_UP, forward = rows ? KEY_RIGHT : KEY_DOWN;
    const int into = rows ? KEY_DOWN : KEY_RIGHT, out = rows ? KEY_UP : KEY_LEFT;
    if (key == back) return axisLabelPick(grid, component, level - 1);
    if (key == into) {
        // Indented rows share one column: the label leads to the top level.
        const int headerLevel = rows && grid.GetIndentedRowHeaders() ? 0 : level;
        int best = -1;
        for (int i = 0; i < grid.GetCrosstabCellCount(); ++i) {
            const auto* c = grid.GetCrosstabCell(i);
            if (c && c->axis == (rows ? 0 : 1) && c->level == headerLevel && c->first >= 0 &&
                (best < 0 || c->first < grid.GetCrosstabCell(best)->first))
                best = i;
        }
        if (best < 0) return NO_FOCUS;
        const auto* c = grid.GetCrosstabCell(best);
        return G::GetHeaderPickID(rows ? G::COMPONENT_ROW_HEADER : G::COMPONENT_COLUMN_HEADER, c->first, c->level, 0);
    }
    if (key == forward) {
        if (level < last) return axisLabelPick(grid, component, level + 1);
        if (!rows) {
            // Below the last column level: the row-axis labels, else the data.
            const uint64_t below = axisLabelPick(grid, G::COMPONENT_ROW_AXIS_HEADER, 0);
            if (below != NO_FOCUS) return below;
        }
        if (grid.GetNumColumns() <= 0) return NO_FOCUS;
        return grid.GetShowColumnHeaders() ? CrosstabRenderer::getDetailIndex(0, 0, G::COMPONENT_HEADER)
                                           : CrosstabRenderer::getDetailIndex(0, 0, G::COMPONENT_CELL);
    }
    // Up from the row-axis labels: the last column-axis label above them.
    if (key == out && rows) return axisLabelPick(grid, G::COMPONENT_COLUMN_AXIS_HEADER, axisLabelCount(grid, 1) - 1);
    return NO_FOCUS;
}

uint64_t CrosstabGestureHandler::headerPick(int axis, const std::shared_ptr<DataTreeNode>& node) const {
    auto r = getRenderer();
    if (!r || !node) return NO_FOCUS;
    uint64_t id = r->getPickIdForNode(axis, node);
    return id == G::NO_PICK_ID ? NO_FOCUS : id;
}

uint64_t CrosstabGestureHandler::getNextSelectedCellIndex(int key) {
    auto r = getRenderer();
    auto model = r ? r->getModel() : nullptr;
    if (!r || !model || !r->getCrosstabNode()) return NO_FOCUS;
    // Nothing focused yet: the first data cell.
    if (focus_ == NO_FOCUS) {
        focus_ = G::GetPickID(0, 0, G::COMPONENT_CELL);
        if (key >= KEY_LEFT && key <= KEY_UP) return focus_;
    }
    const int comp = G::ConvertPickIDtoComponentID(focus_);
    const bool header = comp == G::COMPONENT_ROW_HEADER || comp == G::COMPONENT_COLUMN_HEADER;
    const int axis = comp == G::COMPONENT_ROW_HEADER ? 0 : 1;
    auto entry = r->getPickEntry(focus_);
    auto display = entry ? entry->displayTreeNode : nullptr;
    auto data = display ? display->getDataTreeNode() : nullptr;
    auto h = header ? r->getHierarchy(axis) : nullptr;
    switch (key) {
    case KEY_ENTER:
        if (header) {
            if (!data || !h) return NO_FOCUS;
            const std::string label = display->getPresentableText();
            // A member without children is not expanded: it cannot collapse.
            if (data->isCollapsed() || !data->hasChildren()) {
                // A collapsed member that cannot expand: nothing.
                if (!h->canExpand(data)) return NO_FOCUS;
                fire(ACCESSIBILITY_EXPAND, label);
                if (perform_ && r->expand(axis, display)) lastAction_ = "expanded " + label;
            } else {
                fire(ACCESSIBILITY_COLLAPSE, label);
                if (perform_ && r->collapse(axis, display)) lastAction_ = "collapsed " + label;
            }
            uint64_t again = headerPick(axis, r->findNode(axis, [&] {
                std::string path;
                for (const auto& n : data->getUniqueNodePath()) path += (path.empty() ? "" : "/") + n->getPresentableText();
                return path;
            }()));
            return again != NO_FOCUS ? again : focus_;
        }
        if (comp == G::COMPONENT_HEADER || comp == G::COMPONENT_ROW_AXIS_HEADER || comp == G::COMPONENT_COLUMN_AXIS_HEADER) {
            fire(ACCESSIBILITY_SORT, entry ? entry->text : std::string());
            lastAction_ = "sort requested on " + (entry ? entry->text : std::string());
            return focus_;
        }
        return NO_FOCUS;
    case KEY_SPACE:
        if (header) {
            if (!data || !h || !h->canDrillDown(data)) return NO_FOCUS;
            const std::string label = display->getPresentableText();
            fire(ACCESSIBILITY_DRILL_DOWN, label);
            if (perform_ && r->drillDown(axis, display)) lastAction_ = "drilled into " + label;
            return G::GetPickID(0, 0, G::COMPONENT_CELL);
        }
        if (comp == G::COMPONENT_CELL) {
            fire(ACCESSIBILITY_DATA_CELL, entry ? entry->text : std::string());
            makeSelection({focus_}, false, true);
            lastAction_ = "toggled " + (entry ? entry->text : std::string());
            return focus_;
        }
        return NO_FOCUS;
    case KEY_HOME:
        if (header) return headerPick(axis, DataTreeNode::getParentNodeAtLevel(display, 1));
        if (comp == G::COMPONENT_CELL && !model->transpose.get())
            return headerPick(0, DataTreeNode::getParentNodeAtLevel(r->getRowLeafAt(G::GetRowFromPickID(focus_)), 1));
        return NO_FOCUS;
    case KEY_END:
        if (header && display) {
            auto leaves = display->getDepthFirstListOfAllLeafNodesUnderThisNode();
            if (leaves.empty()) return NO_FOCUS;
            uint64_t leafPick = headerPick(axis, leaves.front());
            if (leafPick == NO_FOCUS) return NO_FOCUS;
            int64_t first = G::GetRowFromPickID(leafPick);
            return axis == 0 ? G::GetPickID(first, 0, G::COMPONENT_CELL) : G::GetPickID(0, int(first), G::COMPONENT_CELL);
        }
        return NO_FOCUS;
    case KEY_LEFT:
    case KEY_RIGHT:
        // With the resizing modifier the focused header's column is resized
        // and the focus stays.
        if (resizeFromKeyboard(key)) {
            lastAction_ = "resized " + (entry ? entry->text : std::string());
            return focus_;
        }
        return getNavigationNextSelectedCellIndex(key);
    case KEY_DOWN:
    case KEY_UP: return getNavigationNextSelectedCellIndex(key);
    default: return NO_FOCUS;
    }
}

} // namespace orvane
