// SPDX-License-Identifier: Apache-2.0
#include "orvane/datagrid/DataGridRenderer.h"

#include "orvane/accessibility/DataGridAccessibilityController.h"
#include "orvane/datagrid/DataGridCellContentEvent.h"
#include "orvane/datagrid/DataGridColumnInfo.h"
#include "orvane/datagrid/GridColumnInfoManager.h"
#include "orvane/datagrid/GridDisplayOptions.h"
#include "orvane/datagrid/GridUtilities.h"
#include "orvane/displaylist/DisplayListEditor.h"
#include "orvane/host/core/AbstractEventCallback.h"
#include "orvane/host/core/AbstractProperty.h"
#include "orvane/host/core/CLog.h"
#include "orvane/host/core/PortableEvent.h"
#include "orvane/host/data/Column.h"
#include "orvane/host/data/RowStates.h"
#include "orvane/host/data/SortContext.h"
#include "orvane/host/io/ResourceManager.h"
#include "orvane/host/style/Dimension.h"
#include "orvane/host/style/Style.h"
#include "orvane/view/TextStyle.h"

#include <algorithm>
#include <cmath>

namespace orvane {

namespace {
constexpr const char* SOURCE = "datagrid/DataGridRenderer";

std::string message(const std::string& key) { return GridUtilities::message(key); }
float dpi() { return GridUtilities::displayScale(); }
float dimensionPixels(const std::shared_ptr<StyleChain>& chain, int id, float fallback) {
    return GridUtilities::dimensionPixels(chain, id, fallback);
}

// The font of a region: TextStyle reads 32 family, 31 size, 34 bold,
// 33 italic, 52 underline.
void setFont(displaylist::TqDataGrid& grid, int component, int col, const TextStyle& t, int lineBreakMode) {
    grid.SetFont(component, col, t.fontName, t.fontSize, t.bold, t.italic, t.underline, lineBreakMode);
}
} // namespace

DataGridRenderer::DataGridRenderer() = default;

DataGridRenderer::~DataGridRenderer() {
    for (auto& [target, l] : listeners_) target->removeEventListener(l.first, l.second);
    if (style_ && styleListener_) style_->removeEventListener(Style::STYLE_CHANGED, styleListener_);
}

std::shared_ptr<DataGridRenderer> DataGridRenderer::create() { return std::make_shared<DataGridRenderer>(); }

std::shared_ptr<AccessibilityController> DataGridRenderer::createAccessibilityController() {
    return DataGridAccessibilityController::create(std::dynamic_pointer_cast<DataGridRenderer>(shared_from_this()));
}

void DataGridRenderer::setModel(const std::shared_ptr<DataGrid>& model) {
    model_ = model;
    listen();
    setNeedsUpdateDisplayList(true);
}

void DataGridRenderer::listen() {
    for (auto& [target, l] : listeners_) target->removeEventListener(l.first, l.second);
    listeners_.clear();
    std::weak_ptr<DataGridRenderer> weak = std::dynamic_pointer_cast<DataGridRenderer>(shared_from_this());
    if (!cellContentListener_) {
        // Cell-content events are dispatched from this view (by the cell
        // callback), so they are heard here. Held apart from listeners_,
        // which would keep this view alive through itself.
        cellContentListener_ = FunctionEventCallback::create([weak](const std::shared_ptr<PortableEvent>& e) {
            if (auto self = weak.lock()) self->cellContentChanged(e);
        });
        addEventListener(DataGridCellContentEvent::GRID_CELL_CONTENT, cellContentListener_);
    }
    auto add = [&](const std::shared_ptr<EventDispatcher>& target, int type, std::function<void()> fn) {
        if (!target) return;
        auto cb = FunctionEventCallback::create([fn](const std::shared_ptr<PortableEvent>&) { fn(); });
        target->addEventListener(type, cb);
        listeners_.push_back({target, {type, cb}});
    };
    auto redraw = [weak] {
        if (auto self = weak.lock()) {
            self->setNeedsUpdateDisplayList(true);
            // The listeners follow the model's data set and style.
            if (self->model_ && self->model_->dataSet.get() != self->dataSet_) self->listen();
            if (self->model_ && self->model_->style.get() != self->style_) self->handleStyleChange();
        }
    };
    if (model_) {
        add(model_, AbstractProperty::CHANGE_EVENT, redraw);
        add(model_, DataGrid::SORT_CHANGED, redraw);
        dataSet_ = model_->dataSet.get();
    }
    handleStyleChange();
    if (dataSet_) {
        add(dataSet_, DataSet::CHANGED, redraw);
        // The data set re-announces its row states' changes, so row states
        // created later are heard too.
        add(dataSet_, RowStates::SELECTED_CHANGED, [weak] {
            if (auto self = weak.lock()) self->rowStatesChanged();
        });
    }
}

void DataGridRenderer::handleStyleChange() {
    auto style = model_ ? model_->style.get() : nullptr;
    if (style != style_) {
        if (style_ && styleListener_) style_->removeEventListener(Style::STYLE_CHANGED, styleListener_);
        style_ = style;
        if (style_) {
            if (!styleListener_) {
                std::weak_ptr<DataGridRenderer> weak = std::dynamic_pointer_cast<DataGridRenderer>(shared_from_this());
                styleListener_ = FunctionEventCallback::create([weak](const std::shared_ptr<PortableEvent>&) {
                    if (auto self = weak.lock()) self->handleStyleChange();
                });
            }
            style_->addEventListener(Style::STYLE_CHANGED, styleListener_);
        }
    }
    setNeedsUpdateDisplayList(true);
}

void DataGridRenderer::cellContentChanged(const std::shared_ptr<PortableEvent>& event) {
    auto* e = dynamic_cast<DataGridCellContentEvent*>(event.get());
    if (!e || e->getType() != DataGridCellContentEvent::GRID_CELL_CONTENT || !callback_ || !dataSet_) return;
    callback_->createAndUpdateCellVisual(*e);
}

std::vector<std::string> DataGridRenderer::getOrderedColumnNames() const {
    std::vector<std::string> names;
    if (!model_) return names;
    if (auto ordered = model_->orderedColumnNames.get(); ordered && !ordered->empty()) {
        for (const auto& n : *ordered)
            if (n) names.push_back(*n);
    } else if (auto ds = model_->dataSet.get()) {
        for (const auto& n : ds->getColumnNames())
            if (n) names.push_back(*n);
    }
    // Reordered columns (a user's drag) permute the display order.
    if (auto manager = model_->columnInfoManager.get()) {
        if (auto order = manager->getReorderedColumnIndicies(); order && order->size() == names.size()) {
            std::vector<std::string> moved;
            for (int i : *order)
                if (i >= 0 && size_t(i) < names.size()) moved.push_back(names[size_t(i)]);
            if (moved.size() == names.size()) names.swap(moved);
        }
    }
    return names;
}

int DataGridRenderer::getOrderedColumnIndex(int displayColumn) const {
    if (!callback_ || displayColumn < 0 || size_t(displayColumn) >= callback_->getColumns().size()) return -1;
    return callback_->getColumns()[size_t(displayColumn)].dataIndex;
}

displaylist::TqScrollBarController* DataGridRenderer::getScrollBarController() const {
    return grid_ ? grid_->GetScrollBarController() : nullptr;
}

float DataGridRenderer::userWidth(const DataGridColumnInfo* info) const {
    // A width a user set is stored without the display's scale.
    if (info && info->columnWidth.get() >= 0) return float(info->columnWidth.get()) * dpi();
    return -1.0f;
}

void DataGridRenderer::applyStyles(displaylist::TqDataGrid& grid) {
    auto table = model_->tableStyle.get();
    auto header = model_->headerStyle.get();
    auto totals = model_->totalStyle.get();
    // Display options (23): concise hides empty rows, plain turns wrapping
    // off, retainNewLines keeps line breaks.
    auto options = GridDisplayOptions::fromString(table ? table->getStringValue(23, "") : std::string());
    int lineBreak = options->retainNewLines.get() ? displaylist::TqDataGrid::LINE_BREAK_RETAIN_NEW_LINES
                                                  : displaylist::TqDataGrid::LINE_BREAK_NORMAL;
    TextStyle cells = TextStyle::from(table);
    if (!table || !table->hasAttribute(31)) cells.fontSize = 9.0f;
    setFont(grid, displaylist::TqDataGrid::COMPONENT_CELL, -1, cells, lineBreak);
    setFont(grid, displaylist::TqDataGrid::COMPONENT_ROW_NUMBER, -1, cells, lineBreak);
    TextStyle head = TextStyle::from(header ? header : table);
    if (!header || !header->hasAttribute(31)) head.fontSize = cells.fontSize;
    if (!header || !header->hasAttribute(34)) head.bold = true;
    setFont(grid, displaylist::TqDataGrid::COMPONENT_HEADER, -1, head, lineBreak);
    TextStyle tot = TextStyle::from(totals ? totals : table);
    if (!totals || !totals->hasAttribute(31)) tot.fontSize = cells.fontSize;
    if (!totals || !totals->hasAttribute(34)) tot.bold = true;
    setFont(grid, displaylist::TqDataGrid::COMPONENT_TOTAL, -1, tot, lineBreak);
    grid.SetColumnColors(displaylist::TqDataGrid::COMPONENT_CELL, -1, cells.color, displaylist::TQ_COLOR_NONE);
    grid.SetHeaderColors(head.color, header ? header->getColor(8, 0xe8ecf1) : 0xe8ecf1);
    grid.SetTotalsColors(tot.color, totals ? totals->getColor(8, 0xf3f5f8) : 0xf3f5f8);
    grid.SetDefaultCellColors(table ? table->getColor(7, 0) : 0, table ? table->getColor(16, 0) : 0);
    uint32_t lineColor = table ? table->getColor(38, 0xd4d4d4) : 0xd4d4d4;
    grid.SetGridLines(table && table->getUnsigned(42, 0) == 1, !table || table->getUnsigned(43, 1) != 0, lineColor);
    grid.SetFurtherGridLines(table && table->getUnsigned(11, 0) != 0, table ? table->getColor(10, 0xd4d4d4) : 0xd4d4d4);
    grid.SetFrameColor(table && table->hasAttribute(38) ? lineColor : 0x606060);
    grid.SetLineWrapping(!options->plain.get());
    grid.SetShowEmptyRowsColumns(!options->concise.get(), !options->concise.get());
    auto selection = model_->selectionStyle.get();
    grid.SetSelectionColor(selection ? selection->getColor(8, 0xabafb4) : 0xabafb4);
    if (auto bars = model_->scrollbarStyle.get()) {
        auto* sb = grid.GetScrollBarController();
        sb->SetBackgroundColor(bars->getColor(8, 0x888888));
        uint32_t c = bars->getColor(24, 0x888888);
        sb->SetSliderFillColor(c);
        sb->SetSliderHoverColor(c);
        sb->SetSliderPressedColor(c);
        sb->SetScrollLineColor(c);
        sb->SetOutlineColor(c);
    }
    // The paddings reach the grid in this rebuild, before it measures.
    hPad_ = dimensionPixels(table, 82, 5.0f * dpi());
    vPad_ = dimensionPixels(table, 84, 5.0f * dpi());
    grid.SetCellPadding(int(hPad_), int(vPad_));
}

void DataGridRenderer::renderEmpty(displaylist::TqDataGrid& grid) {
    grid.SetNumGridRowsAndColumns(5, 5);
    for (int i = 0; i < 5; ++i) {
        grid.InitColumnWidth(i, DEFAULT_COLUMN_WIDTH * dpi());
        if (model_->headersVisible.get()) grid.SetColumnHeader(i, "");
    }
}

void DataGridRenderer::measureColumns(displaylist::TqDataGrid& grid,
                                      const std::vector<DataGridCellCallback::ColumnBinding>& cols) {
    const float maxHeader = MAX_HEADER_WIDTH * dpi();
    std::vector<bool> userSet(cols.size(), false);
    for (size_t c = 0; c < cols.size(); ++c) {
        int col = int(c);
        float w = userWidth(cols[c].info.get());
        if (w >= 0.0f) {
            userSet[c] = true;
        } else if (cols[c].info && grid.GetColumnType(col) == displaylist::TqDataGrid::COLUMN_PICTURE &&
                   cols[c].info->columnType.get() == ColumnContentType::ICON) {
            // Image cells: room for an image of the row's height, and the header.
            w = std::max(MIN_ROW_HEIGHT * dpi() + 2.0f * hPad_,
                          std::min(maxHeader, grid.MeasureColumnWidth(displaylist::TqDataGrid::COMPONENT_HEADER, col, 0, 0)));
        } else {
            w = grid.MeasureColumnWidth(displaylist::TqDataGrid::COMPONENT_CELL, col, 0, WIDTH_SAMPLE_ROWS);
            w = std::max(w, std::min(maxHeader, grid.MeasureColumnWidth(displaylist::TqDataGrid::COMPONENT_HEADER, col, 0, 0)));
            if (model_->totalsVisible.get() && model_->columnAutoFill.get())
                w = std::max(w, grid.MeasureColumnWidth(displaylist::TqDataGrid::COMPONENT_TOTAL, col, 0, 0));
            // A bar next to its text needs room of its own.
            if (cols[c].info && cols[c].info->cellVisual.get() == CellVisualType::BAR &&
                cols[c].info->cellVisualPosition.get() != CellVisualPosition::REPLACE)
                w *= 2.0f;
        }
        grid.InitColumnWidth(col, w);
    }
    if (!model_->columnAutoFill.get() || cols.empty()) return;
    // Fill the frame: one column takes it all; otherwise narrow columns grow
    // most (by weight), none beyond three quarters of the frame.
    float frameW = getFrame().width;
    float rn = grid.GetRowNumberColumnWidth();
    if (cols.size() == 1) {
        grid.InitColumnWidth(0, std::max(grid.GetColumnWidth(0), frameW - (rn > 0.0f ? rn : hPad_)));
        return;
    }
    float cap = 0.75f * frameW;
    float used = rn;
    std::vector<float> weight(cols.size(), 0.0f);
    float totalWeight = 0.0f;
    for (size_t c = 0; c < cols.size(); ++c) {
        float w = grid.GetColumnWidth(int(c));
        if (!userSet[c] && w > cap) {
            grid.InitColumnWidth(int(c), cap);
            w = cap;
        }
        used += w;
        if (userSet[c]) continue;
        float s = dpi();
        weight[c] = w < 20 * s ? 2.0f : w < 80 * s ? 1.8f : w < 150 * s ? 1.6f : w < 250 * s ? 1.4f : w < 400 * s ? 1.2f : 1.0f;
        totalWeight += weight[c];
    }
    float free = frameW - used;
    if (free <= 0.0f || totalWeight <= 0.0f) return;
    for (size_t c = 0; c < cols.size(); ++c) {
        float w = grid.GetColumnWidth(int(c));
        if (weight[c] <= 0.0f || w >= cap - 1.0f) continue;
        grid.InitColumnWidth(int(c), std::min(cap, w + weight[c] / totalWeight * free));
    }
}

void DataGridRenderer::updateDisplayList(const std::shared_ptr<displaylist::DisplayListEditor>& editor) {
    if (!editor) return;
    if (grid_) {
        scrollX_ = grid_->GetScrollX();
        scrollY_ = grid_->GetScrollY();
    }
    Rect frame = getFrame();
    int savedMode = editor->getDrawingMode();
    editor->setDrawingMode(3);
    int id = displaylist::DisplayListEditor::generateUniqueDisplayNodeId(1);
    grid_ = displaylist::TqRef<displaylist::TqDataGrid>(
        new displaylist::TqDataGrid(0.0f, 0.0f, std::max(frame.width, 0.0f), std::max(frame.height, 0.0f), id));
    displaylist::TqDataGrid& grid = *grid_;
    if (!model_) {
        editor->setDrawingMode(savedMode);
        return;
    }
    if (model_->dataSet.get() != dataSet_) listen();
    callback_ = DataGridCellCallback::create();
    callback_->setGrid(&grid);
    callback_->setScale(dpi());
    callback_->setView(std::dynamic_pointer_cast<BaseView>(shared_from_this()));
    callback_->setEnableCellCallback(model_->enableCellCallback.get());
    callback_->setImageDirectory(imageDirectory_);
    if (auto manager = model_->columnInfoManager.get())
        if (auto rules = manager->getRulesMap()) callback_->setDisplayRulesFrom(*rules);
    callback_->setDataSet(dataSet_);

    grid.SetMinRowHeight(MIN_ROW_HEIGHT * dpi());
    grid.SetTotalsOnTop(model_->totalsPosition.get() == TotalsPosition::TOP);
    grid.SetShowRowNumbers(model_->showRowNumbers.get());
    grid.SetShowColumnHeaders(model_->headersVisible.get());
    std::string rowTexts[2] = {message("scroll.row.txt"), message("scroll.column.txt")};
    grid.SetScrollTexts(rowTexts[0], rowTexts[1]);
    auto label = model_->rowNumberHeaderLabel.get();
    grid.SetRowNumberHeaderText(label ? *label : message("datagrid.rowNumbers.header.txt"));
    grid.SetCellCallback(callback_.get());
    grid.SetFixedColumnCount(model_->fixedColumnCount.get());
    applyStyles(grid);

    std::vector<std::string> names = getOrderedColumnNames();
    size_t rows = dataSet_ ? dataSet_->getRowCount() : 0;
    if (!dataSet_ || (rows == 0 && names.empty())) {
        renderEmpty(grid);
        editor->addNode(grid_.get());
        editor->setDrawingMode(savedMode);
        return;
    }
    std::shared_ptr<std::vector<unsigned>> sortMap;
    std::vector<std::shared_ptr<SortContext>> sorts;
    if (auto state = model_->sortState.get()) {
        sortMap = state->getRelationalSortIndices();
        sorts = state->getRelationalSortsForAxis(0);
        if (sortMap && sortMap->size() != rows) sortMap.reset();  // stale: computed for other data
    }
    callback_->setSortIndices(sortMap);

    grid.SetNumGridRowsAndColumns(std::max<int64_t>(int64_t(rows), 1), int(names.size()));
    std::vector<DataGridCellCallback::ColumnBinding> cols;
    auto columnStyles = model_->columnStyles.get();
    for (size_t c = 0; c < names.size(); ++c) {
        DataGridCellCallback::ColumnBinding b;
        b.column = dataSet_->getColumnWithName(names[c]);
        b.dataIndex = dataSet_->getIndexOfColumnWithName(names[c]);
        if (!b.column && std::find(missingLogged_.begin(), missingLogged_.end(), names[c]) == missingLogged_.end()) {
            missingLogged_.push_back(names[c]);
            ORVANE_LOG(CLog::ERRORS, SOURCE, "The table names a column \"" + names[c] + "\" the data set does not have");
        }
        b.info = b.dataIndex >= 0 ? model_->getColumnInfo(b.dataIndex) : nullptr;
        if (columnStyles && c < columnStyles->size()) b.style = (*columnStyles)[c];
        if (!b.style) b.style = model_->tableStyle.get();
        int col = int(c);
        std::string header = b.column ? *b.column->getLabel() : names[c];
        if (b.info && b.info->presentationLabel.get()) header = *b.info->presentationLabel.get();
        grid.SetColumnHeader(col, header);
        if (b.column) {
            b.compactFormat = GridUtilities::compactFormatForColumn(*b.column, b.info.get());
            if (b.column->isNumeric()) grid.SetColumnAlignment(col, 2);
            // Totals of measures (data usage 2), by their aggregation.
            if (model_->totalsVisible.get() && b.column->isNumeric() && b.column->getDataUsage() == 2 &&
                (!b.info || b.info->totalVisible.get() || !b.info->totalVisible.hasValue())) {
                int agg = b.column->getAggregation();
                double total = b.column->getTotalValue() ? b.column->getTotalValue()->getNumber()
                                                          : GridUtilities::computeTotal(*b.column, agg);
                std::string labelText;
                if (model_->totalsLabelVisible.get()) {
                    std::string key = GridUtilities::getTotalLabelKey(agg);
                    if (!key.empty()) labelText = message(key);
                }
                grid.SetColumnTotal(col, labelText, GridUtilities::formatNumericValue(*b.column, total, b.compactFormat));
            }
            if (b.info) {
                switch (b.info->cellVisual.get()) {
                case CellVisualType::BAR:
                    if (b.column->isNumeric())
                        grid.SetColumnType(col, b.info->cellVisualPosition.get() == CellVisualPosition::REPLACE
                                                    ? displaylist::TqDataGrid::COLUMN_PICTURE
                                                    : displaylist::TqDataGrid::COLUMN_PICTURE_AND_TEXT);
                    grid.SetColumnPictureOnRight(col, b.info->cellVisualPosition.get() == CellVisualPosition::RIGHT);
                    break;
                case CellVisualType::RICHTEXT:
                    // Drawn as pictures of the markup; the plain texts (eager
                    // for the first rows, below) size the column and answer picks.
                    grid.SetColumnType(col, displaylist::TqDataGrid::COLUMN_PICTURE);
                    break;
                default: break;
                }
                // Image cells: the column's texts name image files, drawn in
                // place of the text.
                if (b.info->columnType.get() == ColumnContentType::ICON && !b.column->isNumeric())
                    grid.SetColumnType(col, displaylist::TqDataGrid::COLUMN_PICTURE);
            }
            // Sort indicators: the first context is the primary sort.
            for (size_t s = 0; s < sorts.size(); ++s) {
                if (!sorts[s] || !sorts[s]->getColumnName() || *sorts[s]->getColumnName() != names[c]) continue;
                auto dir = sorts[s]->getDirection();
                if (dir == SortDirection::NONE) continue;
                bool up = dir == SortDirection::ASCENDING;
                grid.SetColumnSortIndicator(col, s == 0 ? (up ? 1 : 2) : (up ? 3 : 4));
            }
        }
        // Column styles: fonts and colours of the column's cells.
        if (columnStyles && c < columnStyles->size() && (*columnStyles)[c]) {
            TextStyle t = TextStyle::from((*columnStyles)[c]);
            if (!(*columnStyles)[c]->hasAttribute(31)) t.fontSize = 9.0f;
            setFont(grid, displaylist::TqDataGrid::COMPONENT_CELL, col, t, displaylist::TqDataGrid::LINE_BREAK_NORMAL);
            grid.SetColumnColors(displaylist::TqDataGrid::COMPONENT_CELL, col, t.color,
                                 (*columnStyles)[c]->getColor(8, displaylist::TQ_COLOR_NONE));
        }
        cols.push_back(std::move(b));
    }
    callback_->setColumns(cols);
    for (size_t c = 0; c < cols.size(); ++c) {
        if (!cols[c].column) continue;
        // A placeholder row (one row matching all values) shows no text in
        // the columns that hold the placeholder.
        if (DataGridCellCallback::isMatchesAllColumn(*cols[c].column, rows)) grid.SetCellStringEntry(0, int(c), "");
        else if (cols[c].info && cols[c].info->cellVisual.get() == CellVisualType::RICHTEXT)
            for (size_t r = 0; r < std::min<size_t>(rows, EAGER_RICH_TEXT_ROWS); ++r)
                callback_->CellContentCallback(int(c), int(r), &grid);
    }
    if (rows == 0) {
        // Columns without rows: one empty row under the headers.
        for (size_t c = 0; c < names.size(); ++c) grid.SetCellStringEntry(0, int(c), "");
    }
    measureColumns(grid, cols);
    grid.SetScrollPosition(scrollX_, scrollY_);
    if (pendingState_) {
        grid.SetScrollPosition(grid.GetColumnTranslationOffset(state_.column), grid.GetRowTranslationOffset(state_.row));
        pendingState_ = false;
    }
    grid.MeasureVariableRowHeights();
    grid.MeasureColumnHeaderHeight();
    rowStatesChanged();
    editor->addNode(grid_.get());
    scrollX_ = grid.GetScrollX();
    scrollY_ = grid.GetScrollY();
    editor->setDrawingMode(savedMode);
    dispatchEvent(std::make_shared<PortableEvent>(CONTROLLER_EVENT));
}

Size DataGridRenderer::getPreferredSize(const Size& constraint) {
    // The whole table, measured by a rebuild into a private list.
    auto editor = displaylist::DisplayListEditor::create(nullptr);
    Rect saved = getFrame();
    float w = constraint.width > 0.0f ? constraint.width : 1024.0f;
    setFrame({saved.x, saved.y, w, 100.0f});
    updateDisplayList(editor);
    Size s;
    if (grid_) {
        auto v = grid_->GetDataGridVirtualPageSize(0);
        s = {static_cast<float>(std::min(v.width, 16384.0)), static_cast<float>(std::min(v.height, 16384.0))};
    }
    setFrame(saved);
    setNeedsUpdateDisplayList(true);
    return s;
}

void DataGridRenderer::setScrollPosition(double x, double y) {
    if (!std::isfinite(x) || !std::isfinite(y)) return;
    scrollX_ = std::max(0.0, x);
    scrollY_ = std::max(0.0, y);
    if (grid_) grid_->SetScrollPosition(scrollX_, scrollY_);
    invalidateFrameBuffer();
}

DataGridRenderer::State DataGridRenderer::getState() const {
    State s;
    if (!grid_) return s;
    int64_t r0, r1;
    int c0, c1;
    grid_->GetMinMaxVisibleRowColIndices(r0, r1, c0, c1);
    s.row = std::max<int64_t>(r0, 0);
    // The first scrolling column shown (frozen ones are always shown).
    int f = grid_->GetFixedColumnCount();
    double x = grid_->GetScrollX();
    s.column = f;
    while (s.column + 1 < grid_->GetNumColumns() && grid_->GetColumnTranslationOffset(s.column + 1) <= x) ++s.column;
    if (s.column >= grid_->GetNumColumns()) s.column = 0;
    return s;
}

void DataGridRenderer::setState(const State& state) {
    state_ = state;
    pendingState_ = true;
    // Scroll now too, so that a render without a rebuild shows it.
    if (grid_) {
        grid_->SetScrollPosition(grid_->GetColumnTranslationOffset(state.column),
                                 grid_->GetRowTranslationOffset(state.row));
        scrollX_ = grid_->GetScrollX();
        scrollY_ = grid_->GetScrollY();
    }
    setNeedsUpdateDisplayList(true);
}

bool DataGridRenderer::canPage(bool forward) const {
    if (!grid_) return false;
    if (!forward) return grid_->GetScrollY() > 0.0;
    auto v = grid_->GetDataGridVirtualPageSize(0);
    return grid_->GetScrollY() + getFrame().height < v.height - 0.5;
}

bool DataGridRenderer::page(bool forward) {
    if (!canPage(forward)) return false;
    double pageHeight = std::max(1.0, double(getFrame().height) - grid_->GetColumnHeaderHeight() - grid_->GetTotalsHeight());
    setScrollPosition(grid_->GetScrollX(), grid_->GetScrollY() + (forward ? pageHeight : -pageHeight));
    return true;
}

void DataGridRenderer::pageToEnd() {
    if (grid_) setScrollPosition(grid_->GetScrollX(), grid_->GetRowTranslationOffset(grid_->GetNumRows()));
}

void DataGridRenderer::rowStatesChanged() {
    if (!grid_) return;
    grid_->ClearSelectedRows();
    auto states = dataSet_ ? dataSet_->getRowStates() : nullptr;
    if (states) {
        std::vector<int> selected = states->getSelectedIndices();
        if (!selected.empty()) {
            // Data rows to display rows through the inverse of the sort map.
            std::vector<int64_t> displayOf;
            auto model = model_ ? model_->sortState.get() : nullptr;
            auto map = model ? model->getRelationalSortIndices() : nullptr;
            if (map && map->size() == dataSet_->getRowCount()) {
                displayOf.assign(map->size(), -1);
                for (size_t d = 0; d < map->size(); ++d)
                    if ((*map)[d] < displayOf.size()) displayOf[(*map)[d]] = int64_t(d);
            }
            for (int r : selected) {
                int64_t d = displayOf.empty() ? r : (size_t(r) < displayOf.size() ? displayOf[size_t(r)] : -1);
                if (d >= 0) grid_->SetRowSelected(d, true);
            }
        }
    }
    invalidateFrameBuffer();
}

void DataGridRenderer::clearSelections(bool writeRowStates, bool redraw) {
    if (grid_) grid_->ClearSelectedRows();
    if (writeRowStates && dataSet_ && dataSet_->getRowStates()) dataSet_->getRowStates()->clear();
    if (redraw) invalidateFrameBuffer();
}

std::string DataGridRenderer::getPickText(uint64_t pickId) const {
    if (!grid_ || !callback_) return {};
    int comp = displaylist::TqDataGrid::ConvertPickIDtoComponentID(pickId);
    int col = displaylist::TqDataGrid::GetColumnFromPickID(pickId);
    if (comp == displaylist::TqDataGrid::COMPONENT_HEADER) return grid_->GetColumnHeader(col);
    if (comp == displaylist::TqDataGrid::COMPONENT_TOTAL) return grid_->GetColumnTotalText(col);
    if (comp != displaylist::TqDataGrid::COMPONENT_CELL || col < 0 || size_t(col) >= callback_->getColumns().size())
        return {};
    const auto& b = callback_->getColumns()[size_t(col)];
    int64_t row = displaylist::TqDataGrid::GetRowFromPickID(pickId);
    size_t dataRow = callback_->dataRowOf(int(std::min<int64_t>(row, INT32_MAX)));
    if (!b.column || dataRow >= b.column->getRowCount()) return {};
    if (b.column->isMissingAtIndex(dataRow)) return message("missingValue.txt");
    return GridUtilities::getValueForFormat(*b.column, dataRow, b.compactFormat);
}

bool DataGridRenderer::isPickSelected(uint64_t pickId) const {
    return grid_ && displaylist::TqDataGrid::ConvertPickIDtoComponentID(pickId) == 0 &&
           grid_->IsRowSelected(displaylist::TqDataGrid::GetRowFromPickID(pickId));
}

} // namespace orvane
