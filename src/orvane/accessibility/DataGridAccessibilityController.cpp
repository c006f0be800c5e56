// SPDX-License-Identifier: Apache-2.0
#include "orvane/accessibility/DataGridAccessibilityController.h"

#include "orvane/accessibility/AccessibilityElement.h"
#include "orvane/accessibility/AccessibilityMessages.h"
#include "orvane/datagrid/DataGrid.h"
#include "orvane/datagrid/DataGridCellCallback.h"
#include "orvane/datagrid/DataGridColumnInfo.h"
#include "orvane/datagrid/DataGridRenderer.h"
#include "orvane/datagrid/GridUtilities.h"
#include "orvane/displaylist/TqDataGrid.h"
#include "orvane/host/data/Column.h"
#include "orvane/host/data/DataSet.h"
#include "orvane/view/PickResult.h"
#include "orvane/view/PickedNodeInfo.h"

#include <algorithm>
#include <cmath>

namespace orvane {

using displaylist::TqDataGrid;

namespace {
const DataGridCellCallback::ColumnBinding* binding(const std::shared_ptr<DataGridRenderer>& r, int column) {
    if (!r || !r->getCellCallback() || column < 0) return nullptr;
    const auto& cols = r->getCellCallback()->getColumns();
    return size_t(column) < cols.size() ? &cols[size_t(column)] : nullptr;
}
} // namespace

std::shared_ptr<DataGridAccessibilityController> DataGridAccessibilityController::create(
    const std::shared_ptr<DataGridRenderer>& renderer) {
    auto c = make(renderer);
    c->renderer_ = renderer;
    return c;
}

std::shared_ptr<DataGridAccessibilityController> DataGridAccessibilityController::create(
    const std::shared_ptr<BaseView>& view, std::function<TqDataGrid*()> gridSource) {
    auto c = make(view);
    c->gridSource_ = std::move(gridSource);
    return c;
}

std::shared_ptr<DataGridAccessibilityController> DataGridAccessibilityController::make(
    const std::shared_ptr<BaseView>& view) {
    auto c = std::make_shared<DataGridAccessibilityController>();
    c->attach(view);
    c->setObjectDescription(AccessibilityMessages::text("accessibility.objectType.dataGrid.txt"));
    c->setIncludeOffscreenNodesInImageMap(true);
    return c;
}

TqDataGrid* DataGridAccessibilityController::getDataGridNode() const {
    if (gridSource_) return getView() ? gridSource_() : nullptr;
    auto r = renderer_.lock();
    return r ? r->getDataGridNode() : nullptr;
}

int64_t DataGridAccessibilityController::getDataRowCount() const {
    const TqDataGrid* grid = getDataGridNode();
    if (!grid) return 0;
    auto r = renderer_.lock();
    if (!r) return grid->GetNumRows();
    // The table's own rows: the grid draws a blank row for a table without any.
    auto model = r->getModel();
    auto data = model ? model->dataSet.get() : nullptr;
    if (!data || getDataColumnCount() == 0) return 0;
    return std::min<int64_t>(int64_t(data->getRowCount()), grid->GetNumRows());
}

int DataGridAccessibilityController::getDataColumnCount() const {
    const TqDataGrid* grid = getDataGridNode();
    if (!grid) return 0;
    auto r = renderer_.lock();
    if (!r) return grid->GetNumColumns();
    // Without columns bound to data the grid shows placeholder columns only.
    auto callback = r->getCellCallback();
    int bound = callback ? int(callback->getColumns().size()) : 0;
    return std::min(bound, grid->GetNumColumns());
}

DataGridAccessibilityController::Layout DataGridAccessibilityController::layout() const {
    Layout l;
    const TqDataGrid* grid = getDataGridNode();
    if (!grid || !getView()) return l;
    l.columns = getDataColumnCount();
    if (l.columns == 0) return l;
    l.headerRows = grid->GetShowColumnHeaders() ? 1 : 0;
    bool totals = grid->HasTotals();
    l.topTotals = totals && grid->GetTotalsOnTop() ? 1 : 0;
    l.bottomTotals = totals && !grid->GetTotalsOnTop() ? 1 : 0;
    l.dataRows = getDataRowCount();
    return l;
}

int64_t DataGridAccessibilityController::getGridRowCount() const {
    Layout l = layout();
    return l.columns == 0 ? 0 : l.headerRows + l.topTotals + l.dataRows + l.bottomTotals;
}

int64_t DataGridAccessibilityController::getGridColumnCount() const { return layout().columns; }

uint64_t DataGridAccessibilityController::getGridDetail(int64_t row, int64_t column) const {
    const TqDataGrid* grid = getDataGridNode();
    Layout l = layout();
    if (!grid || row < 0 || column < 0 || column >= l.columns) return NO_DETAIL;
    int col = int(column);
    if (grid->GetColumnWidth(col) <= 0.0f) return NO_DETAIL;  // a hidden column
    uint64_t id = TqDataGrid::NO_PICK_ID;
    if (row < l.headerRows) {
        id = TqDataGrid::GetPickID(0, col, TqDataGrid::COMPONENT_HEADER);
    } else if (row < l.headerRows + l.topTotals) {
        return TqDataGrid::GetPickID(0, col, TqDataGrid::COMPONENT_TOTAL);
    } else if (row < l.headerRows + l.topTotals + l.dataRows) {
        id = TqDataGrid::GetPickID(row - l.headerRows - l.topTotals, col, TqDataGrid::COMPONENT_CELL);
    } else if (row < l.headerRows + l.topTotals + l.dataRows + l.bottomTotals) {
        return TqDataGrid::GetPickID(0, col, TqDataGrid::COMPONENT_TOTAL);
    }
    return id != TqDataGrid::NO_PICK_ID && grid->IsCellSelectable(id) ? id : NO_DETAIL;
}

bool DataGridAccessibilityController::getGridPosition(uint64_t detail, int64_t& row, int64_t& column) const {
    Layout l = layout();
    if (detail == NO_DETAIL || l.columns == 0) return false;
    int comp = TqDataGrid::ConvertPickIDtoComponentID(detail);
    int64_t r = TqDataGrid::GetRowFromPickID(detail);
    int c = TqDataGrid::GetColumnFromPickID(detail);
    if (c < 0 || c >= l.columns) return false;
    switch (comp) {
    case TqDataGrid::COMPONENT_HEADER:
        if (!l.headerRows || r != 0) return false;
        row = 0;
        break;
    case TqDataGrid::COMPONENT_TOTAL:
        if (r != 0 || !(l.topTotals || l.bottomTotals)) return false;
        row = l.topTotals ? l.headerRows : l.headerRows + l.dataRows;
        break;
    case TqDataGrid::COMPONENT_CELL:
        if (r < 0 || r >= l.dataRows) return false;
        row = l.headerRows + l.topTotals + r;
        break;
    default: return false;
    }
    column = c;
    return true;
}

bool DataGridAccessibilityController::isRightToLeft() const {
    const TqDataGrid* grid = getDataGridNode();
    return grid && grid->IsRightToLeft();
}

void DataGridAccessibilityController::scrollToDetail(uint64_t detail, bool step) {
    TqDataGrid* grid = getDataGridNode();
    if (!grid) return;
    const double x0 = grid->GetScrollX(), y0 = grid->GetScrollY();
    TqDataGrid::ScrollOffset to = scrollOffsetShowing(*grid, detail, step);
    if (to.x == x0 && to.y == y0 && grid->GetScrollX() == x0 && grid->GetScrollY() == y0) return;
    setScroll(to.x, to.y);
}

void DataGridAccessibilityController::setScroll(double x, double y) {
    TqDataGrid* grid = getDataGridNode();
    if (!grid) return;
    // Through the renderer, which keeps the position across its rebuilds.
    if (auto r = renderer_.lock()) {
        r->setScrollPosition(x, y);
    } else {
        grid->SetScrollPosition(x, y);
        if (auto view = getView()) view->invalidateFrameBuffer();
    }
}

void DataGridAccessibilityController::pageToEnd(bool end) {
    if (TqDataGrid* grid = getDataGridNode())
        setScroll(grid->GetScrollX(), end ? grid->GetRowTranslationOffset(grid->GetNumRows()) : 0.0);
}

int64_t DataGridAccessibilityController::getEnteredRow(int64_t fromRow, int64_t toRow) const {
    const TqDataGrid* grid = getDataGridNode();
    Layout l = layout();
    const int64_t firstData = l.headerRows + l.topTotals, endData = firstData + l.dataRows;
    if (!grid || l.dataRows == 0) return toRow;
    const bool fromTop = fromRow < firstData, fromBottom = fromRow >= endData;
    if (!(fromTop && toRow == firstData) && !(fromBottom && toRow == endData - 1)) return toRow;
    int64_t r0, r1;
    int c0, c1;
    grid->GetMinMaxVisibleRowColIndices(r0, r1, c0, c1);
    if (r0 < 0) return toRow;
    // The first (last) row shown whole, else the one partly shown.
    int64_t edge = fromTop ? r0 : std::min(r1, l.dataRows - 1);
    int64_t whole = fromTop ? edge + 1 : edge - 1;
    auto fully = [&](int64_t r) {
        TqDataGrid::ScrollOffset s = grid->GetScrollOffsetForCell(TqDataGrid::GetPickID(r, 0, TqDataGrid::COMPONENT_CELL));
        return s.y == grid->GetScrollY();
    };
    if (!fully(edge) && whole >= 0 && whole < l.dataRows && whole >= r0 && whole <= r1 && fully(whole)) edge = whole;
    return firstData + edge;
}

void DataGridAccessibilityController::focusShown(const std::shared_ptr<AccessibilityElement>& element) {
    if (TqDataGrid* grid = getDataGridNode(); grid && element) {
        grid->SetFocusedCell(element->getDetailIndex());
        grid->SetShowFocusRect(true);
    }
}

std::vector<displaylist::TqImageMapEntryStruct> DataGridAccessibilityController::getImageMapEntries() {
    std::vector<displaylist::TqImageMapEntryStruct> entries;
    columnTexts_.clear();
    rowCountText_.clear();
    const TqDataGrid* grid = getDataGridNode();
    if (!grid || getGridColumnCount() == 0) return entries;
    grid->GetImageMapEntries(entries, includeOffscreenNodesInImageMap());
    // Placeholder cells of an empty table are not the table's.
    int64_t r, c;
    entries.erase(std::remove_if(entries.begin(), entries.end(),
                                 [&](const auto& e) { return !getGridPosition(e.detailIndex, r, c); }),
                  entries.end());
    return entries;
}

bool DataGridAccessibilityController::getEntryForDetail(uint64_t detail,
                                                        displaylist::TqImageMapEntryStruct& entry) const {
    const TqDataGrid* grid = getDataGridNode();
    int64_t r, c;
    Rect bounds;
    if (!grid || !getGridPosition(detail, r, c) || !grid->GetCellBounds(detail, bounds)) return false;
    entry.nodeId = static_cast<unsigned int>(std::max(grid->GetNodeId(), 0));
    entry.detailIndex = detail;
    entry.onScreen = grid->IsCellOnScreen(detail);
    entry.points = {{bounds.x, bounds.y}, {bounds.maxX(), bounds.y}, {bounds.maxX(), bounds.maxY()}, {bounds.x, bounds.maxY()}};
    return true;
}

std::string DataGridAccessibilityController::cellText(int64_t row, int column, bool& missing) const {
    missing = false;
    auto r = renderer_.lock();
    if (const auto* b = binding(r, column)) {
        size_t dataRow = r->getCellCallback()->dataRowOf(int(std::min<int64_t>(row, INT32_MAX)));
        if (!b->column || dataRow >= b->column->getRowCount() || b->column->isMissingAtIndex(dataRow)) {
            missing = true;
            return AccessibilityMessages::text("accessibility.table.missingValue.txt");
        }
        return GridUtilities::getValueForFormat(*b->column, dataRow, b->compactFormat);
    }
    const TqDataGrid* grid = getDataGridNode();
    std::string text = grid ? grid->GetCellText(row, column) : std::string();
    if (text.empty()) {
        missing = true;
        return AccessibilityMessages::text("accessibility.table.missingValue.txt");
    }
    return text;
}

std::shared_ptr<AccessibilityElement> DataGridAccessibilityController::getAccessibilityElementByEntry(
    const displaylist::TqImageMapEntryStruct& entry) {
    const TqDataGrid* grid = getDataGridNode();
    auto view = getView();
    int64_t gridRow, gridCol;
    if (!grid || !view || !getGridPosition(entry.detailIndex, gridRow, gridCol)) return nullptr;
    const uint64_t id = entry.detailIndex;
    const int comp = TqDataGrid::ConvertPickIDtoComponentID(id);
    const int64_t row = TqDataGrid::GetRowFromPickID(id);
    const int col = TqDataGrid::GetColumnFromPickID(id);
    const int64_t rows = getDataRowCount();
    const int cols = getDataColumnCount();
    auto r = renderer_.lock();
    const auto* b = binding(r, col);
    const std::string header = grid->GetColumnHeader(col);
    if (cols != cachedColumns_ || rows != cachedRows_) {
        columnTexts_.clear();
        rowCountText_.clear();
        cachedColumns_ = cols, cachedRows_ = rows;
    }
    std::string& columnText = columnTexts_[col];
    if (columnText.empty())
        columnText = AccessibilityMessages::text(
            "accessibility.table.column.txt",
            {AccessibilityMessages::number(double(col) + 1.0), AccessibilityMessages::number(double(cols))});
    if (rowCountText_.empty()) rowCountText_ = AccessibilityMessages::number(double(rows));

    std::vector<std::string> parts;
    std::string hint, value, role = AccessibilityElement::ROLE_CELL, sort;
    bool selected = false;
    auto pickEntry = PickResultEntry::create();
    pickEntry->setLabel(std::make_shared<const std::string>(header));
    switch (comp) {
    case TqDataGrid::COMPONENT_CELL: {
        bool missing = false;
        value = cellText(row, col, missing);
        selected = grid->IsRowSelected(row);
        parts.push_back(AccessibilityMessages::text(
            "accessibility.table.row.txt",
            {AccessibilityMessages::number(double(row) + 1.0), rowCountText_}));
        parts.push_back(columnText);
        parts.push_back(header.empty() ? value : header + " = " + value);
        if (selected) parts.push_back(AccessibilityMessages::text("accessibility.datagrid.rowSelected.txt"));
        if (b && b->info && b->info->sparkLine.get())
            parts.push_back(AccessibilityMessages::text("accessibility.table.containsSparkline.txt"));
        if (b && b->info && b->info->sparkKPI.get())
            parts.push_back(AccessibilityMessages::text("accessibility.table.containsKPI.txt"));
        hint = AccessibilityMessages::text("accessibility.table.selectRow.hint.txt");
        break;
    }
    case TqDataGrid::COMPONENT_HEADER: {
        role = AccessibilityElement::ROLE_COLUMN_HEADER;
        value = header;
        parts = {columnText, AccessibilityMessages::text("accessibility.table.header.txt"), header};
        static const char* const sortKeys[] = {"", "accessibility.table.sortPrimaryAscending.txt",
                                               "accessibility.table.sortPrimaryDescending.txt",
                                               "accessibility.table.sortSecondaryAscending.txt",
                                               "accessibility.table.sortSecondaryDescending.txt"};
        int indicator = grid->GetColumnSortIndicator(col);
        sort = AccessibilityElement::SORT_NONE;
        if (indicator >= 1 && indicator <= 4) {
            parts.push_back(AccessibilityMessages::text(sortKeys[indicator]));
            sort = indicator == 1   ? AccessibilityElement::SORT_ASCENDING
                   : indicator == 2 ? AccessibilityElement::SORT_DESCENDING
                                    : AccessibilityElement::SORT_OTHER;
        }
        // A column sorts by its header unless its record turns that off.
        bool sortable = !(b && b->info && b->info->interactiveHeader.hasValue() && !b->info->interactiveHeader.get());
        if (sortable) hint = AccessibilityMessages::text("accessibility.table.sortEnabled.hint.txt");
        break;
    }
    case TqDataGrid::COMPONENT_TOTAL: {
        value = grid->GetColumnTotalText(col);
        parts.push_back(columnText);
        if (value.empty()) {
            parts.push_back(AccessibilityMessages::text("accessibility.table.noTotal.txt"));
        } else {
            parts.push_back(AccessibilityMessages::text("accessibility.table.columnTotal.txt"));
            parts.push_back(header.empty() ? value : header + " = " + value);
        }
        break;
    }
    default: return nullptr;
    }
    if (!value.empty()) pickEntry->setFormattedValue(std::make_shared<const std::string>(value));
    auto pick = PickResult::create();
    pick->addEntry(pickEntry);
    Rect bounds;
    if (grid->GetCellBounds(id, bounds)) pick->setDisplayListNodeBounds(bounds);
    CellFacts facts;
    facts.role = role;
    facts.row = gridRow, facts.column = gridCol, facts.columnCount = cols;
    facts.sort = sort;
    facts.selected = selected;
    facts.value = value;
    return makeCellElement(entry, AccessibilityMessages::join(parts), hint, pick, facts);
}

std::vector<uint64_t> DataGridAccessibilityController::getSeriesDetails(uint64_t detail, bool column,
                                                                        size_t limit) const {
    std::vector<uint64_t> out;
    int64_t gridRow, gridCol;
    if (!getGridPosition(detail, gridRow, gridCol)) return out;
    const int comp = TqDataGrid::ConvertPickIDtoComponentID(detail);
    Layout l = layout();
    if (column) {
        for (int64_t r = 0; r < l.dataRows && out.size() < limit; ++r) {
            uint64_t d = getGridDetail(l.headerRows + l.topTotals + r, gridCol);
            if (d != NO_DETAIL) out.push_back(d);
        }
    } else if (comp == TqDataGrid::COMPONENT_CELL) {
        for (int64_t c = 0; c < l.columns && out.size() < limit; ++c) {
            uint64_t d = getGridDetail(gridRow, c);
            if (d != NO_DETAIL) out.push_back(d);
        }
    }
    return out;
}

double DataGridAccessibilityController::getNumericValue(uint64_t detail) const {
    if (TqDataGrid::ConvertPickIDtoComponentID(detail) != TqDataGrid::COMPONENT_CELL) return NAN;
    auto r = renderer_.lock();
    const auto* b = binding(r, TqDataGrid::GetColumnFromPickID(detail));
    if (!b || !b->column || !b->column->isNumeric()) return NAN;
    size_t dataRow = r->getCellCallback()->dataRowOf(int(std::min<int64_t>(TqDataGrid::GetRowFromPickID(detail), INT32_MAX)));
    if (dataRow >= b->column->getRowCount() || b->column->isMissingAtIndex(dataRow)) return NAN;
    return b->column->getNumberAtIndex(dataRow);
}

} // namespace orvane
