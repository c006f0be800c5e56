// SPDX-License-Identifier: Apache-2.0
#include "orvane/accessibility/CrosstabAccessibilityController.h"

#include "orvane/accessibility/AccessibilityElement.h"
#include "orvane/accessibility/AccessibilityMessages.h"
#include "orvane/crosstab/Crosstab.h"
#include "orvane/crosstab/CrosstabPickResultEntry.h"
#include "orvane/crosstab/CrosstabRenderer.h"
#include "orvane/displaylist/TqCrosstab.h"
#include "orvane/host/data/Column.h"
#include "orvane/host/data/DataSet.h"
#include "orvane/view/PickResult.h"
#include "orvane/view/PickedNodeInfo.h"
#include "orvane/host/data/DataTreeNode.h"
#include "orvane/host/data/DataValue.h"
#include "orvane/host/data/Hierarchy.h"
#include "orvane/host/data/Level.h"
#include "orvane/view/BaseView.h"
#include "orvane/view/DisplayTreeNode.h"

#include <algorithm>
#include <cmath>
#include <unordered_set>

namespace orvane {

namespace {
bool isTotal(const std::shared_ptr<DataTreeNode>& node) {
    auto display = std::dynamic_pointer_cast<DisplayTreeNode>(node);
    return display && display->getNodeType() != NodeType::NONE;
}

// The node whose expand state the hierarchy keeps: a display node's data node.
std::shared_ptr<DataTreeNode> dataNodeOf(const std::shared_ptr<DataTreeNode>& node) {
    auto display = std::dynamic_pointer_cast<DisplayTreeNode>(node);
    auto data = display ? display->getDataTreeNode() : nullptr;
    return data ? data : node;
}

// Rows (or columns) drawn under a header: its leaves, a collapsed member
// counting as one. Columns count a leaf's measures.
int drawnLeaves(const std::shared_ptr<DataTreeNode>& node, bool measures, int depth = 0) {
    if (!node) return 0;
    if (node->isLeaf() || node->isCollapsed() || depth > 64) {
        auto display = std::dynamic_pointer_cast<DisplayTreeNode>(node);
        return measures && display && display->getSpan() > 1 ? display->getSpan() : 1;
    }
    int n = 0;
    for (const auto& c : node->getChildren()) n += drawnLeaves(c, measures, depth + 1);
    return std::max(n, 1);
}
} // namespace

std::shared_ptr<CrosstabAccessibilityController> CrosstabAccessibilityController::create(
    const std::shared_ptr<BaseView>& view, const std::shared_ptr<Crosstab>& crosstab) {
    auto c = std::make_shared<CrosstabAccessibilityController>();
    c->attach(view);
    c->crosstab_ = crosstab;
    c->setModel(crosstab);
    c->setObjectDescription(AccessibilityMessages::text("accessibility.objectType.crosstab.txt"));
    c->setIncludeOffscreenNodesInImageMap(true);
    return c;
}

AccessibilityController::ElementList CrosstabAccessibilityController::getAccessibilityElements(
    AccessibilityDetailType::type detail) {
    switch (detail) {
    case AccessibilityDetailType::DATA_ELEMENTS: return getGridAccessibilityElements();
    case AccessibilityDetailType::CROSSTAB_ROW_HEADER: return getHeaderAccessibilityElements(Axis::ROW);
    case AccessibilityDetailType::CROSSTAB_COLUMN_HEADER: return getHeaderAccessibilityElements(Axis::COLUMN);
    case AccessibilityDetailType::CROSSTAB_ROW_AXIS_LABEL_HEADER: return getAxisLabelHeaderAccessibilityElements(Axis::ROW);
    case AccessibilityDetailType::CROSSTAB_COLUMN_AXIS_LABEL_HEADER:
        return getAxisLabelHeaderAccessibilityElements(Axis::COLUMN);
    default: return {};
    }
}

AccessibilityController::ElementList CrosstabAccessibilityController::getGridAccessibilityElements() {
    return TableAccessibilityController::getAccessibilityElements(AccessibilityDetailType::DATA_ELEMENTS);
}

AccessibilityController::ElementList CrosstabAccessibilityController::elementsOfComponent(int component) {
    ElementList out;
    for (const auto& e : getGridAccessibilityElements())
        if (e && displaylist::TqDataGrid::ConvertPickIDtoComponentID(e->getDetailIndex()) == component) out.push_back(e);
    return out;
}

AccessibilityController::ElementList CrosstabAccessibilityController::getHeaderAccessibilityElements(Axis axis) {
    return elementsOfComponent(axis == Axis::ROW ? displaylist::TqCrosstab::COMPONENT_ROW_HEADER
                                                 : displaylist::TqCrosstab::COMPONENT_COLUMN_HEADER);
}

AccessibilityController::ElementList CrosstabAccessibilityController::getAxisLabelHeaderAccessibilityElements(Axis axis) {
    // The corner's labels of the row levels and of the column levels.
    return elementsOfComponent(axis == Axis::ROW ? displaylist::TqCrosstab::COMPONENT_ROW_AXIS_HEADER
                                                 : displaylist::TqCrosstab::COMPONENT_COLUMN_AXIS_HEADER);
}

std::shared_ptr<Hierarchy> CrosstabAccessibilityController::getHierarchy(Axis axis) const {
    auto c = getCrosstab();
    if (!c) return nullptr;
    return axis == Axis::ROW ? c->rowHierarchy.get() : c->columnHierarchy.get();
}

int CrosstabAccessibilityController::getAxisLevelCount(Axis axis) const {
    auto c = getCrosstab();
    if (!c) return 0;
    auto levels = axis == Axis::ROW ? c->rowAxisLevels.get() : c->columnAxisLevels.get();
    if (levels && !levels->empty()) return int(levels->size());
    auto h = getHierarchy(axis);
    return h ? int(h->getLevelsDown().size()) : 0;
}

std::string CrosstabAccessibilityController::getValueLabel(const std::shared_ptr<DataValue>& value,
                                                           const std::string& formatted) const {
    if (value && (value->isMissing() || value->isSparse()))
        return AccessibilityMessages::text("accessibility.table.missingValue.txt");
    if (!formatted.empty()) return formatted;
    return value ? value->toString() : std::string();
}

std::string CrosstabAccessibilityController::getLabelFromNode(const std::shared_ptr<DataTreeNode>& node) const {
    if (!node) return {};
    auto value = node->getDataValue();
    std::string text = node->getPresentableText();
    if (!value && text.empty()) return {};
    return getValueLabel(value, text);
}

std::string CrosstabAccessibilityController::getLevelLabel(Axis axis, const std::shared_ptr<DataTreeNode>& node) const {
    if (!node) return {};
    if (isTotal(node))
        return AccessibilityMessages::text(axis == Axis::ROW ? "accessibility.crosstab.rowTotal.txt"
                                                             : "accessibility.crosstab.columnTotal.txt");
    auto hierarchy = getHierarchy(axis);
    std::vector<std::string> parts;
    // The data tree's path carries the level names (display nodes copy only labels).
    for (const auto& n : dataNodeOf(node)->getUniqueNodePath()) {
        if (!n || !n->getParent()) continue;  // the root stands for every row
        std::string name;
        if (const auto& levelName = n->getLevelName()) {
            name = *levelName;
            if (auto level = hierarchy ? hierarchy->getLevelForName(*levelName) : nullptr)
                if (level->getLabel() && !level->getLabel()->empty()) name = *level->getLabel();
        }
        std::string value = getLabelFromNode(n);
        if (value.empty() && n->getLabel()) value = *n->getLabel();
        parts.push_back(name.empty() ? value : name + " = " + value);
    }
    return AccessibilityMessages::join(parts, ", ");
}

void CrosstabAccessibilityController::getHeaderSpans(Axis axis, const std::shared_ptr<DataTreeNode>& node,
                                                     int& columnSpan, int& rowSpan) const {
    columnSpan = rowSpan = 1;
    if (!node) return;
    // Levels the header covers across its axis.
    const int levels = getAxisLevelCount(axis);
    int covered = 1;
    if (levels > 0) {
        const int level = std::max(1, node->getLevel());
        if (node->isLeaf() || node->isCollapsed()) covered = std::max(1, levels - level + 1);
        else covered = std::max(1, node->getChildren().front()->getLevel() - level);
    }
    // Cells it covers along its axis, as drawn.
    const int cells = drawnLeaves(node, axis == Axis::COLUMN);
    if (axis == Axis::ROW) {
        columnSpan = covered;
        rowSpan = cells;
    } else {
        columnSpan = cells;
        rowSpan = covered;
    }
}

std::string CrosstabAccessibilityController::describeSpans(int columnSpan, int rowSpan) {
    const std::string c = AccessibilityMessages::number(columnSpan), r = AccessibilityMessages::number(rowSpan);
    if (columnSpan >= 2 && rowSpan >= 2) return AccessibilityMessages::text("accessibility.crosstab.rowColumnSpans.txt", {c, r});
    if (rowSpan >= 2) return AccessibilityMessages::text("accessibility.crosstab.rowSpans.txt", {r});
    if (columnSpan >= 2) return AccessibilityMessages::text("accessibility.crosstab.columnSpans.txt", {c});
    return {};
}

std::string CrosstabAccessibilityController::describeExpansion(Axis axis, const std::shared_ptr<DataTreeNode>& node) const {
    if (!node || isTotal(node)) return {};
    auto data = dataNodeOf(node);
    auto hierarchy = getHierarchy(axis);
    if (data->isCollapsed())
        return hierarchy && hierarchy->canExpand(data) ? AccessibilityMessages::text("accessibility.crosstab.collapsed.txt")
                                                       : std::string();
    return data->hasChildren() ? AccessibilityMessages::text("accessibility.crosstab.expanded.txt") : std::string();
}

std::string CrosstabAccessibilityController::describeHeader(Axis axis, const std::shared_ptr<DataTreeNode>& node) const {
    if (!node) return {};
    int columnSpan, rowSpan;
    getHeaderSpans(axis, node, columnSpan, rowSpan);
    auto hierarchy = getHierarchy(axis);
    auto data = dataNodeOf(node);
    bool drill = !isTotal(node) && hierarchy && hierarchy->canDrillDown(data);
    return AccessibilityMessages::join({AccessibilityMessages::text(axis == Axis::ROW ? "accessibility.crosstab.rowHeader.txt"
                                                                 : "accessibility.crosstab.columnHeader.txt"),
                   AccessibilityMessages::text("accessibility.crosstab.level.txt",
                                               {AccessibilityMessages::number(std::max(1, node->getLevel()))}),
                   getLevelLabel(axis, node), describeExpansion(axis, node),
                   drill ? AccessibilityMessages::text("accessibility.crosstab.drillable.txt") : std::string(),
                   describeSpans(columnSpan, rowSpan)});
}

std::string CrosstabAccessibilityController::describeAxisLabelHeader(Axis axis, int level) const {
    auto hierarchy = getHierarchy(axis);
    std::string label;
    if (hierarchy) {
        auto levels = hierarchy->getLevelsDown();
        if (level >= 0 && size_t(level) < levels.size() && levels[size_t(level)]) {
            const auto& l = levels[size_t(level)];
            label = l->getLabel() && !l->getLabel()->empty() ? *l->getLabel() : l->getName() ? *l->getName() : "";
        }
    }
    return AccessibilityMessages::join({AccessibilityMessages::text(axis == Axis::ROW ? "accessibility.crosstab.rowCategory.txt"
                                                                 : "accessibility.crosstab.columnCategory.txt"),
                   label});
}

std::string CrosstabAccessibilityController::describeMeasureHeader(const std::shared_ptr<DataTreeNode>& columnLeaf,
                                                                   const std::string& measure, int sortIndicator) const {
    auto c = getCrosstab();
    bool transposed = c && c->transpose.get();
    Axis axis = transposed ? Axis::ROW : Axis::COLUMN;
    std::string sort;
    if (sortIndicator == 1) sort = AccessibilityMessages::text("accessibility.table.sortAscending.txt");
    if (sortIndicator == 2) sort = AccessibilityMessages::text("accessibility.table.sortDescending.txt");
    return AccessibilityMessages::join({AccessibilityMessages::text(transposed ? "accessibility.crosstab.rowHeader.txt"
                                                          : "accessibility.crosstab.columnHeader.txt"),
                   getLevelLabel(axis, columnLeaf),
                   AccessibilityMessages::text("accessibility.crosstab.level.txt",
                                               {AccessibilityMessages::number(getAxisLevelCount(axis) + 1)}),
                   measure, sort});
}

std::string CrosstabAccessibilityController::describeDataCell(const std::shared_ptr<DataTreeNode>& rowLeaf,
                                                              const std::shared_ptr<DataTreeNode>& columnLeaf,
                                                              const std::string& valueLabel, bool selected) const {
    return AccessibilityMessages::join({getLevelLabel(Axis::ROW, rowLeaf), getLevelLabel(Axis::COLUMN, columnLeaf), valueLabel,
                   selected ? AccessibilityMessages::text("accessibility.crosstab.cellSelected.txt") : std::string()});
}

// ---------------------------------------------------------------- the grid

using displaylist::TqCrosstab;
using displaylist::TqDataGrid;

std::shared_ptr<CrosstabAccessibilityController> CrosstabAccessibilityController::create(
    const std::shared_ptr<CrosstabRenderer>& renderer) {
    auto c = create(std::static_pointer_cast<BaseView>(renderer), renderer ? renderer->getModel() : nullptr);
    c->renderer_ = renderer;
    return c;
}

std::shared_ptr<Crosstab> CrosstabAccessibilityController::getCrosstab() const {
    if (auto r = renderer_.lock(); r && r->getModel()) return r->getModel();
    return crosstab_.lock();
}

TqCrosstab* CrosstabAccessibilityController::getDataGridNode() const {
    auto r = renderer_.lock();
    return r ? r->getCrosstabNode() : nullptr;
}

CrosstabAccessibilityController::Layout CrosstabAccessibilityController::layout() const {
    Layout l;
    auto r = renderer_.lock();
    const TqCrosstab* grid = getDataGridNode();
    if (!r || !grid || !getView()) return l;
    // A crosstab without data draws placeholder cells: none of them is spoken.
    if (r->getRowLeafNodes().empty() && r->getColumnLeafNodes().empty()) return l;
    l.headerRows = grid->GetNumCrosstabColumnHeaderRows();
    l.measureRows = grid->GetShowColumnHeaders() ? 1 : 0;
    l.dataRows = grid->GetNumRows();
    l.headerColumns = grid->GetNumCrosstabRowHeaderColumns();
    l.dataColumns = grid->GetNumColumns();
    return l;
}

int64_t CrosstabAccessibilityController::getGridRowCount() const {
    Layout l = layout();
    return l.headerRows + l.measureRows + l.dataRows;
}

int64_t CrosstabAccessibilityController::getGridColumnCount() const {
    Layout l = layout();
    return l.headerColumns + l.dataColumns;
}

uint64_t CrosstabAccessibilityController::getGridDetail(int64_t row, int64_t column) const {
    const TqCrosstab* grid = getDataGridNode();
    Layout l = layout();
    const int64_t top = l.headerRows + l.measureRows;
    if (!grid || row < 0 || column < 0 || row >= top + l.dataRows || column >= l.headerColumns + l.dataColumns)
        return NO_DETAIL;
    uint64_t id = TqDataGrid::NO_PICK_ID;
    if (row < top && column < l.headerColumns) {
        // The corner: row-level labels along its bottom, column-level labels
        // down its right edge.
        if (!grid->GetShowAxisHeaders()) return NO_DETAIL;
        if (row == top - 1) id = TqCrosstab::GetHeaderPickID(TqCrosstab::COMPONENT_ROW_AXIS_HEADER, 0, int(column), 0);
        else if (column == l.headerColumns - 1 && row < l.headerRows)
            id = TqCrosstab::GetHeaderPickID(TqCrosstab::COMPONENT_COLUMN_AXIS_HEADER, 0, int(row), 0);
    } else if (row < l.headerRows) {
        int cell = grid->GetCellAt(TqCrosstab::AXIS_COLUMN, int(row), column - l.headerColumns);
        if (const auto* c = grid->GetCrosstabCell(cell))
            id = TqCrosstab::GetHeaderPickID(TqCrosstab::COMPONENT_COLUMN_HEADER, c->first, c->level, 0);
    } else if (row < top) {
        id = TqDataGrid::GetPickID(0, int(column - l.headerColumns), TqDataGrid::COMPONENT_HEADER);
    } else if (column < l.headerColumns) {
        int cell = grid->GetCellAt(TqCrosstab::AXIS_ROW, int(column), row - top);
        if (const auto* c = grid->GetCrosstabCell(cell))
            id = TqCrosstab::GetHeaderPickID(TqCrosstab::COMPONENT_ROW_HEADER, c->first, c->level, 0);
    } else {
        id = TqDataGrid::GetPickID(row - top, int(column - l.headerColumns), TqDataGrid::COMPONENT_CELL);
        if (!grid->IsCellSelectable(id)) return NO_DETAIL;
    }
    return id == TqDataGrid::NO_PICK_ID ? NO_DETAIL : id;
}

bool CrosstabAccessibilityController::getGridPosition(uint64_t detail, int64_t& row, int64_t& column) const {
    const TqCrosstab* grid = getDataGridNode();
    Layout l = layout();
    if (!grid || detail == NO_DETAIL || l.headerColumns + l.dataColumns == 0) return false;
    const int64_t top = l.headerRows + l.measureRows;
    const int comp = TqDataGrid::ConvertPickIDtoComponentID(detail);
    const int level = TqCrosstab::GetLevelFromPickID(detail);
    const int64_t r = TqDataGrid::GetRowFromPickID(detail);
    const int c = TqDataGrid::GetColumnFromPickID(detail);
    switch (comp) {
    case TqDataGrid::COMPONENT_CELL:
        if (r >= l.dataRows || c >= l.dataColumns) return false;
        row = top + r, column = l.headerColumns + c;
        break;
    case TqDataGrid::COMPONENT_HEADER:
        if (!l.measureRows || c >= l.dataColumns) return false;
        row = l.headerRows, column = l.headerColumns + c;
        break;
    case TqCrosstab::COMPONENT_COLUMN_HEADER:
    case TqCrosstab::COMPONENT_ROW_HEADER: {
        const auto* cell = grid->GetCrosstabCell(grid->GetCellForPickID(detail));
        if (!cell) return false;
        bool rows = comp == TqCrosstab::COMPONENT_ROW_HEADER;
        row = rows ? top + cell->first : cell->level;
        column = rows ? cell->level : l.headerColumns + cell->first;
        break;
    }
    case TqCrosstab::COMPONENT_ROW_AXIS_HEADER:
        if (level >= l.headerColumns || top == 0) return false;
        row = top - 1, column = level;
        break;
    case TqCrosstab::COMPONENT_COLUMN_AXIS_HEADER:
        if (level >= l.headerRows || l.headerColumns == 0) return false;
        row = level, column = l.headerColumns - 1;
        break;
    default: return false;
    }
    return true;
}

void CrosstabAccessibilityController::scrollToDetail(uint64_t detail, bool step) {
    TqCrosstab* grid = getDataGridNode();
    auto r = renderer_.lock();
    if (!grid || !r) return;
    // Headers scroll with the data area: show the row or column they start.
    const int comp = TqDataGrid::ConvertPickIDtoComponentID(detail);
    uint64_t cell = detail;
    bool keepX = false, keepY = false;
    if (comp == TqCrosstab::COMPONENT_ROW_HEADER || comp == TqCrosstab::COMPONENT_COLUMN_HEADER) {
        const auto* c = grid->GetCrosstabCell(grid->GetCellForPickID(detail));
        if (!c) return;
        bool rows = comp == TqCrosstab::COMPONENT_ROW_HEADER;
        cell = rows ? TqDataGrid::GetPickID(c->first, 0, TqDataGrid::COMPONENT_CELL)
                    : TqDataGrid::GetPickID(0, int(c->first), TqDataGrid::COMPONENT_HEADER);
        keepX = rows, keepY = !rows;
    } else if (comp != TqDataGrid::COMPONENT_CELL && comp != TqDataGrid::COMPONENT_HEADER) {
        return;  // the corner does not scroll
    }
    TqDataGrid::ScrollOffset to = scrollOffsetShowing(*grid, cell, step);
    r->setScrollPosition(keepX ? grid->GetScrollX() : to.x, keepY ? grid->GetScrollY() : to.y);
}

void CrosstabAccessibilityController::focusShown(const std::shared_ptr<AccessibilityElement>& element) {
    if (TqCrosstab* grid = getDataGridNode(); grid && element) {
        grid->SetFocusedCell(element->getDetailIndex());
        grid->SetShowFocusRect(true);
    }
}

bool CrosstabAccessibilityController::getEntryForDetail(uint64_t detail, displaylist::TqImageMapEntryStruct& entry) const {
    const TqCrosstab* grid = getDataGridNode();
    int64_t r, c;
    if (!grid || !getGridPosition(detail, r, c)) return false;
    entry.nodeId = static_cast<unsigned int>(std::max(grid->GetNodeId(), 0));
    entry.detailIndex = detail;
    entry.points.clear();
    // Screen rectangles run from the crosstab's top left, y down. A cell
    // scrolled out of the window keeps its outline (where it would be), so
    // that a host can page to it and a reader can place it.
    Rect s = grid->GetScreenRectForPickID(detail);
    entry.onScreen = grid->IsPickOnScreen(detail);
    if (s.width > 0.0f && s.height > 0.0f) {
        Rect f = grid->GetFrame();
        float x = f.x + s.x, y = f.y + f.height - s.y - s.height;
        entry.points = {{x, y}, {x + s.width, y}, {x + s.width, y + s.height}, {x, y + s.height}};
    }
    return true;
}

std::vector<displaylist::TqImageMapEntryStruct> CrosstabAccessibilityController::getImageMapEntries() {
    std::vector<displaylist::TqImageMapEntryStruct> out;
    const TqCrosstab* grid = getDataGridNode();
    Layout l = layout();
    if (!grid || l.headerColumns + l.dataColumns == 0) return out;
    // The header rows and the data rows in view; the row-header columns and
    // the data columns in view. Spanning headers once, at their first cell.
    std::vector<int64_t> rows, cols;
    const int64_t top = l.headerRows + l.measureRows;
    for (int64_t r = 0; r < top; ++r) rows.push_back(r);
    int64_t r0, r1;
    int c0, c1;
    grid->GetMinMaxVisibleRowColIndices(r0, r1, c0, c1);
    // With the off-screen nodes, also the data row on either side of the
    // window and the column on either side: one navigation step reaches them.
    const bool ring = includeOffscreenNodesInImageMap();
    if (r0 >= 0)
        for (int64_t r = std::max<int64_t>(0, ring ? r0 - 1 : r0); r <= (ring ? r1 + 1 : r1) && r < l.dataRows; ++r)
            rows.push_back(top + r);
    for (int64_t c = 0; c < l.headerColumns; ++c) cols.push_back(c);
    for (int c : grid->GetVisibleColumns(ring)) cols.push_back(l.headerColumns + c);
    std::unordered_set<uint64_t> seen;
    for (int64_t r : rows) {
        for (int64_t c : cols) {
            uint64_t d = getGridDetail(r, c);
            if (d == NO_DETAIL || !seen.insert(d).second) continue;
            displaylist::TqImageMapEntryStruct e;
            if (getEntryForDetail(d, e) && (e.onScreen || includeOffscreenNodesInImageMap())) out.push_back(std::move(e));
        }
    }
    return out;
}

std::shared_ptr<AccessibilityElement> CrosstabAccessibilityController::getAccessibilityElementByEntry(
    const displaylist::TqImageMapEntryStruct& entry) {
    auto r = renderer_.lock();
    const TqCrosstab* grid = getDataGridNode();
    auto view = getView();
    int64_t gridRow, gridCol;
    if (!r || !grid || !view || !getGridPosition(entry.detailIndex, gridRow, gridCol)) return nullptr;
    auto pick = r->getPickEntry(entry.detailIndex);
    if (!pick) return nullptr;
    const uint64_t id = entry.detailIndex;
    const int comp = TqDataGrid::ConvertPickIDtoComponentID(id);
    std::string label, hint, role = AccessibilityElement::ROLE_CELL, sort;
    bool selected = false;
    int expanded = AccessibilityElement::NOT_EXPANDABLE;
    switch (comp) {
    case TqDataGrid::COMPONENT_CELL: {
        const int64_t row = TqDataGrid::GetRowFromPickID(id);
        const int col = TqDataGrid::GetColumnFromPickID(id);
        selected = grid->IsCellSelected(row, col);
        // Formatted but without a value: a missing number.
        bool missing = pick->text.empty() || (pick->getFormattedValue() && !pick->getValue());
        std::string value = missing ? AccessibilityMessages::text("accessibility.table.missingValue.txt") : pick->text;
        label = describeDataCell(r->getRowLeafAt(row), r->getColumnLeafAt(col), value, selected);
        hint = AccessibilityMessages::text("accessibility.crosstab.selectCell.hint.txt");
        break;
    }
    case TqDataGrid::COMPONENT_HEADER: {
        const int col = TqDataGrid::GetColumnFromPickID(id);
        int indicator = grid->GetColumnSortIndicator(col);
        label = describeMeasureHeader(r->getColumnLeafAt(col), pick->text, indicator);
        role = AccessibilityElement::ROLE_COLUMN_HEADER;
        sort = indicator == 1 ? AccessibilityElement::SORT_ASCENDING
               : indicator == 2 ? AccessibilityElement::SORT_DESCENDING
                                : AccessibilityElement::SORT_NONE;
        break;
    }
    case TqCrosstab::COMPONENT_ROW_HEADER:
    case TqCrosstab::COMPONENT_COLUMN_HEADER: {
        Axis axis = comp == TqCrosstab::COMPONENT_ROW_HEADER ? Axis::ROW : Axis::COLUMN;
        std::shared_ptr<DataTreeNode> node = pick->displayTreeNode;
        label = describeHeader(axis, node);
        role = axis == Axis::ROW ? AccessibilityElement::ROLE_ROW_HEADER : AccessibilityElement::ROLE_COLUMN_HEADER;
        std::string state = describeExpansion(axis, node);
        if (!state.empty())
            expanded = dataNodeOf(node)->isCollapsed() ? AccessibilityElement::COLLAPSED : AccessibilityElement::EXPANDED;
        break;
    }
    case TqCrosstab::COMPONENT_ROW_AXIS_HEADER:
    case TqCrosstab::COMPONENT_COLUMN_AXIS_HEADER: {
        bool rows = comp == TqCrosstab::COMPONENT_ROW_AXIS_HEADER;
        label = AccessibilityMessages::join({AccessibilityMessages::text(rows ? "accessibility.crosstab.rowCategory.txt"
                                                         : "accessibility.crosstab.columnCategory.txt"),
                        pick->text});
        role = rows ? AccessibilityElement::ROLE_ROW_HEADER : AccessibilityElement::ROLE_COLUMN_HEADER;
        break;
    }
    default: return nullptr;
    }
    auto result = PickResult::create();
    result->addEntry(pick);
    CellFacts facts;
    facts.role = role;
    facts.row = gridRow, facts.column = gridCol, facts.columnCount = getGridColumnCount();
    facts.sort = sort;
    facts.selected = selected;
    facts.expanded = expanded;
    facts.value = pick->text;
    return makeCellElement(entry, label, hint, result, facts);
}

std::vector<uint64_t> CrosstabAccessibilityController::getSeriesDetails(uint64_t detail, bool column,
                                                                        size_t limit) const {
    std::vector<uint64_t> out;
    int64_t gridRow, gridCol;
    Layout l = layout();
    if (!getGridPosition(detail, gridRow, gridCol)) return out;
    const int64_t top = l.headerRows + l.measureRows;
    if (column && gridCol >= l.headerColumns) {
        for (int64_t r = 0; r < l.dataRows && out.size() < limit; ++r)
            if (uint64_t d = getGridDetail(top + r, gridCol); d != NO_DETAIL) out.push_back(d);
    } else if (!column && gridRow >= top) {
        for (int64_t c = 0; c < l.dataColumns && out.size() < limit; ++c)
            if (uint64_t d = getGridDetail(gridRow, l.headerColumns + c); d != NO_DETAIL) out.push_back(d);
    }
    return out;
}

double CrosstabAccessibilityController::getNumericValue(uint64_t detail) const {
    auto r = renderer_.lock();
    if (!r || TqDataGrid::ConvertPickIDtoComponentID(detail) != TqDataGrid::COMPONENT_CELL) return NAN;
    auto pick = r->getPickEntry(detail);
    auto v = pick ? pick->getValue() : nullptr;
    return v && v->isNumeric() && !v->isMissing() && !v->isSparse() ? v->getNumber() : NAN;
}

} // namespace orvane
