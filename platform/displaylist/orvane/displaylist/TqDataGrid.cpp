// SPDX-License-Identifier: Apache-2.0
#include "orvane/displaylist/TqDataGrid.h"

#include "orvane/displaylist/TqCanvas.h"
#include "orvane/displaylist/TqGroup.h"
#include "orvane/displaylist/TqLine.h"
#include "orvane/displaylist/TqPickQuery.h"
#include "orvane/displaylist/TqRectangle.h"
#include "orvane/displaylist/TqSvgWriter.h"
#include "orvane/displaylist/TqText.h"
#include "orvane/host/core/CLog.h"
#include "orvane/host/data/DataGridDisplayRules.h"
#include "orvane/host/text/TextEngine.h"
#include "orvane/host/text/TextLayout.h"

#include <algorithm>
#include <cmath>

namespace displaylist {

namespace {
constexpr const char* SOURCE = "displaylist/TqDataGrid";
const std::string EMPTY;
// Texts longer than this are cut before they are measured or drawn: a cell
// shows a few hundred characters at most.
constexpr size_t MAX_CELL_TEXT = 4096;
// Callback texts kept before the store is emptied (eager texts stay).
constexpr size_t MAX_CALLBACK_TEXTS = 200000;

orvane::Font fontOf(const std::string& family, float size, bool bold, bool italic) {
    return orvane::TextEngine::instance().getFont(family, size, bold, italic);
}

float sanePositive(float v, float fallback) { return std::isfinite(v) && v > 0.0f ? v : fallback; }
} // namespace

TqDataGrid::TqDataGrid(float x, float y, float width, float height, int nodeId)
    : controller_(new TqController2D()), scrollBars_(new TqScrollBarController()) {
    SetNodeId(nodeId);
    scrollBars_->SetController2D(controller_.get());
    for (int c = 0; c < 4; ++c) defaultFonts_[c].size = 9.0f;
    defaultFonts_[COMPONENT_HEADER].bold = true;
    defaultFonts_[COMPONENT_TOTAL].bold = true;
    defaultColors_[COMPONENT_CELL] = {0x000000, TQ_COLOR_NONE};
    defaultColors_[COMPONENT_ROW_NUMBER] = {0x606060, 0xf2f2f2};
    defaultColors_[COMPONENT_HEADER] = {0x000000, 0xe8e8e8};
    defaultColors_[COMPONENT_TOTAL] = {0x000000, 0xf2f2f2};
    SetFrame(x, y, width, height);
}

TqDataGrid::~TqDataGrid() = default;

void TqDataGrid::InvalidateCache() const { dirty_ = true; }

float TqDataGrid::defaultRowHeight() const {
    if (rowHeightSet_ > 0.0f) return rowHeightSet_;
    float line = std::ceil(lineHeight(fontFor(COMPONENT_CELL, -1)));
    return std::max(minRowHeight_, line + 2.0f * float(vPad_));
}

void TqDataGrid::changed() {
    dirty_ = true;
    // Sizes that depend on fonts and paddings, kept for the many lookups.
    rnWidth_ = showRowNumbers_ && rnWidthSet_ >= 0.0f ? rnWidthSet_ : measureRowNumberColumn();
    defaultHeaderHeight_ = std::ceil(lineHeight(fontFor(COMPONENT_HEADER, -1))) + 2.0f * float(vPad_);
    totalsHeight_ = std::max(minRowHeight_, std::ceil(lineHeight(fontFor(COMPONENT_TOTAL, -1))) + 2.0f * float(vPad_));
    double h = defaultRowHeight();
    if (h != rows_.GetDefaultSize()) rows_.SetDefaultSize(h);
    syncScrolling();
    GeometryChanged();
}

// ---------------------------------------------------------------- settings

void TqDataGrid::SetFrame(float x, float y, float width, float height) {
    if (!checkFinite("grid frame", {x, y, width, height})) return;
    frame_ = {x, y, std::max(width, 0.0f), std::max(height, 0.0f)};
    changed();
}

void TqDataGrid::SetHorizontalOrigin(float x) {
    if (!checkFinite("grid origin", {x})) return;
    origin_ = x;
    changed();
}

void TqDataGrid::SetTotalsOnTop(bool top) {
    totalsOnTop_ = top;
    changed();
}

void TqDataGrid::SetShowEmptyRowsColumns(int rows, int columns) {
    showEmptyRows_ = rows != 0;
    showEmptyColumns_ = columns != 0;
    // Hidden empty rows are rows of no height.
    for (int64_t r : emptyRows_) {
        if (showEmptyRows_) rows_.ClearSize(r);
        else rows_.SetSize(r, 0.0);
    }
    changed();
}

void TqDataGrid::SetRowEmpty(int64_t row, bool empty) {
    if (row < 0 || row >= rows_.GetCount()) return;
    if (empty) {
        emptyRows_.insert(row);
        if (!showEmptyRows_) rows_.SetSize(row, 0.0);
    } else if (emptyRows_.erase(row) && !showEmptyRows_) {
        rows_.ClearSize(row);
    }
    changed();
}

void TqDataGrid::SetShowRowNumbers(bool show) {
    showRowNumbers_ = show;
    changed();
}

void TqDataGrid::SetShowColumnHeaders(bool show) {
    showHeaders_ = show;
    changed();
}

void TqDataGrid::SetRowNumberHeaderText(const std::string& text) {
    rowNumberHeader_ = text.substr(0, MAX_CELL_TEXT);
    changed();
}

void TqDataGrid::SetScrollTexts(const std::string& rowText, const std::string& columnText) {
    scrollRowText_ = rowText;
    scrollColumnText_ = columnText;
}

void TqDataGrid::SetFixedColumnCount(int count) {
    fixedColumns_ = std::max(0, count);
    changed();
}

void TqDataGrid::SetCellPadding(int horizontal, int vertical) {
    hPad_ = std::clamp(horizontal, 0, 1000);
    vPad_ = std::clamp(vertical, 0, 1000);
    changed();
}

void TqDataGrid::SetLineWrapping(bool wrap) {
    wrap_ = wrap;
    changed();
}

void TqDataGrid::SetRightToLeft(bool rtl) {
    rtl_ = rtl;
    changed();
}

void TqDataGrid::SetNumGridRowsAndColumns(int64_t rows, int columns) {
    if (rows < 0 || rows > MAX_ROWS || columns < 0 || columns > MAX_COLUMNS) {
        ORVANE_LOG(orvane::CLog::ERRORS, SOURCE,
                   "Grid size " + std::to_string(rows) + " x " + std::to_string(columns) + " out of range; clamped");
    }
    rows = std::clamp<int64_t>(rows, 0, MAX_ROWS);
    columns = std::clamp(columns, 0, MAX_COLUMNS);
    rows_.Reset(rows, defaultRowHeight());
    columns_.Reset(columns, 100.0);
    columnData_.assign(static_cast<size_t>(columns), Column());
    totals_.clear();
    texts_.clear();
    eager_.clear();
    pictures_.clear();
    hyperlinks_.clear();
    emptyRows_.clear();
    selectedRows_.clear();
    selectedCount_ = 0;
    anchor_ = focus_ = last_ = hyperlinkHighlight_ = NO_PICK_ID;
    dragCol_ = -1;
    headerHeight_ = -1.0f;
    changed();
}

// ---------------------------------------------------------------- content

void TqDataGrid::SetColumnHeader(int col, const std::string& text) {
    if (col < 0 || col >= GetNumColumns()) return;
    columnData_[size_t(col)].header = text.substr(0, MAX_CELL_TEXT);
    changed();
}

const std::string& TqDataGrid::GetColumnHeader(int col) const {
    return col >= 0 && col < GetNumColumns() ? columnData_[size_t(col)].header : EMPTY;
}

void TqDataGrid::SetColumnTotal(int col, const std::string& label, const std::string& value) {
    if (col < 0 || col >= GetNumColumns()) return;
    Column& c = columnData_[size_t(col)];
    c.hasTotal = true;
    c.totalLabel = label.substr(0, MAX_CELL_TEXT);
    c.totalValue = value.substr(0, MAX_CELL_TEXT);
    totals_[col] = true;
    changed();
}

std::string TqDataGrid::GetColumnTotalText(int col) const {
    if (col < 0 || col >= GetNumColumns() || !columnData_[size_t(col)].hasTotal) return {};
    const Column& c = columnData_[size_t(col)];
    if (c.totalLabel.empty()) return c.totalValue;
    if (c.totalValue.empty()) return c.totalLabel;
    return c.totalLabel + " " + c.totalValue;
}

void TqDataGrid::SetCellStringEntry(int64_t row, int col, const std::string& text) {
    if (row < 0 || row >= GetNumRows() || col < 0 || col >= GetNumColumns()) return;
    texts_[key(row, col)] = text.substr(0, MAX_CELL_TEXT);
    eager_.insert(key(row, col));
    // A text changes no size (row heights are measured on request), so the
    // layout and the scroll bars stay: a crosstab sets tens of thousands.
    dirty_ = true;
    GeometryChanged();
}

void TqDataGrid::SetStringEntryFromCallback(int64_t row, int col, const std::string& text) {
    if (row < 0 || row >= GetNumRows() || col < 0 || col >= GetNumColumns()) return;
    texts_[key(row, col)] = text.substr(0, MAX_CELL_TEXT);
    dirty_ = true;
}

bool TqDataGrid::HasCellText(int64_t row, int col) const { return texts_.count(key(row, col)) != 0; }

const std::string& TqDataGrid::GetCellText(int64_t row, int col) const {
    if (row < 0 || row >= GetNumRows() || col < 0 || col >= GetNumColumns()) return EMPTY;
    uint64_t k = key(row, col);
    auto it = texts_.find(k);
    if (it != texts_.end()) return it->second;
    if (texts_.size() >= MAX_CALLBACK_TEXTS) const_cast<TqDataGrid*>(this)->ClearCallbackTexts();
    if (callback_) {
        ++callbackCount_;
        callback_->CellContentCallback(col, static_cast<int>(std::min<int64_t>(row, INT32_MAX)),
                                       const_cast<TqDataGrid*>(this));
    }
    // Mark the cell as asked even when the callback had nothing to say.
    return texts_.try_emplace(k).first->second;
}

void TqDataGrid::ClearCallbackTexts() {
    for (auto it = texts_.begin(); it != texts_.end();) {
        if (eager_.count(it->first)) ++it;
        else it = texts_.erase(it);
    }
    dirty_ = true;
}

void TqDataGrid::SetColumnSortIndicator(int col, int code) {
    if (col < 0 || col >= GetNumColumns()) return;
    columnData_[size_t(col)].sort = (code >= SORT_NONE && code <= SORT_SECONDARY_DESCENDING) ? code : SORT_NONE;
    changed();
}

int TqDataGrid::GetColumnSortIndicator(int col) const {
    return col >= 0 && col < GetNumColumns() ? columnData_[size_t(col)].sort : SORT_NONE;
}

void TqDataGrid::SetColumnType(int col, int type) {
    if (col < 0 || col >= GetNumColumns()) return;
    columnData_[size_t(col)].type = type;
    changed();
}

int TqDataGrid::GetColumnType(int col) const {
    return col >= 0 && col < GetNumColumns() ? columnData_[size_t(col)].type : 0;
}

void TqDataGrid::SetColumnAlignment(int col, int alignment) {
    if (col < 0 || col >= GetNumColumns()) return;
    columnData_[size_t(col)].alignment = std::clamp(alignment, 0, 2);
    changed();
}

void TqDataGrid::SetColumnPictureOnRight(int col, bool right) {
    if (col < 0 || col >= GetNumColumns()) return;
    columnData_[size_t(col)].pictureRight = right;
    changed();
}

int TqDataGrid::GetColumnAlignment(int col) const {
    return col >= 0 && col < GetNumColumns() ? columnData_[size_t(col)].alignment : 0;
}

void TqDataGrid::SetCellPicture(int64_t row, int col, TqGeometry* picture) {
    if (row < 0 || row >= GetNumRows() || col < 0 || col >= GetNumColumns()) return;
    if (picture) pictures_[key(row, col)] = TqRef<TqGeometry>(picture);
    else pictures_.erase(key(row, col));
    dirty_ = true;
}

TqGeometry* TqDataGrid::GetCellPicture(int64_t row, int col) const {
    auto it = pictures_.find(key(row, col));
    return it == pictures_.end() ? nullptr : it->second.get();
}

void TqDataGrid::SetCellHyperlink(int64_t row, int col, bool link) {
    if (link) hyperlinks_.insert(key(row, col));
    else hyperlinks_.erase(key(row, col));
}

// ---------------------------------------------------------------- styles

void TqDataGrid::SetFont(int component, int col, const std::string& family, float size, bool bold, bool italic,
                         bool underline, int lineBreakMode) {
    if (component < 0 || component > 3) return;
    FontSpec f;
    f.family = family.empty() ? std::string("Arial") : family;
    f.size = sanePositive(size, 9.0f);
    f.bold = bold;
    f.italic = italic;
    f.underline = underline;
    f.lineBreakMode = lineBreakMode;
    if (col < 0) {
        defaultFonts_[component] = f;
        for (Column& c : columnData_) c.ownFont[component] = false;
    } else if (col < GetNumColumns()) {
        columnData_[size_t(col)].fonts[component] = f;
        columnData_[size_t(col)].ownFont[component] = true;
    }
    changed();
}

void TqDataGrid::SetColumnColors(int component, int col, uint32_t textColor, uint32_t fillColor) {
    if (component < 0 || component > 3) return;
    if (col < 0) {
        defaultColors_[component] = {textColor, fillColor};
    } else if (col < GetNumColumns()) {
        columnData_[size_t(col)].colors[component] = {textColor, fillColor};
    }
    changed();
}

void TqDataGrid::SetDefaultCellColors(uint32_t first, uint32_t second) {
    band1_ = first;
    band2_ = second;
    changed();
}

void TqDataGrid::SetHeaderColors(uint32_t textColor, uint32_t fillColor) {
    defaultColors_[COMPONENT_HEADER] = {textColor, fillColor};
    changed();
}

void TqDataGrid::SetTotalsColors(uint32_t textColor, uint32_t fillColor) {
    defaultColors_[COMPONENT_TOTAL] = {textColor, fillColor};
    changed();
}

void TqDataGrid::SetSelectionColor(uint32_t rgb) {
    selectionColor_ = rgb;
    changed();
}

void TqDataGrid::SetGridLines(bool first, bool second, uint32_t color) {
    lineFirst_ = first;
    lineSecond_ = second;
    lineColor_ = color;
    changed();
}

void TqDataGrid::SetFurtherGridLines(bool on, uint32_t color) {
    lineFurther_ = on;
    furtherColor_ = color;
    changed();
}

void TqDataGrid::SetFrameColor(uint32_t rgb) {
    frameColor_ = rgb;
    changed();
}

// ---------------------------------------------------------------- measurement

const TqDataGrid::FontSpec& TqDataGrid::fontFor(int component, int col) const {
    if (col >= 0 && col < GetNumColumns() && columnData_[size_t(col)].ownFont[component])
        return columnData_[size_t(col)].fonts[component];
    return defaultFonts_[component];
}

float TqDataGrid::lineHeight(const FontSpec& f) const {
    return fontOf(f.family, f.size, f.bold, f.italic).getMetrics().lineHeight;
}

float TqDataGrid::textWidth(const FontSpec& f, const std::string& text) const {
    if (text.empty()) return 0.0f;
    orvane::Font font = fontOf(f.family, f.size, f.bold, f.italic);
    return orvane::TextLayout::measure(font, text, {}).width;
}

float TqDataGrid::MeasureColumnWidth(int component, int col, int64_t firstRow, int64_t lastRow) const {
    if (col < 0 || col >= GetNumColumns()) return 0.0f;
    const FontSpec& f = fontFor(component, col);
    float widest = 0.0f;
    switch (component) {
    case COMPONENT_HEADER: {
        widest = textWidth(f, columnData_[size_t(col)].header);
        // Room for the sort indicator.
        if (columnData_[size_t(col)].sort != SORT_NONE) widest += SORT_INDICATOR_ROOM;
        break;
    }
    case COMPONENT_TOTAL: widest = textWidth(f, GetColumnTotalText(col)); break;
    case COMPONENT_CELL: {
        firstRow = std::max<int64_t>(firstRow, 0);
        lastRow = std::min<int64_t>(lastRow, GetNumRows() - 1);
        for (int64_t r = firstRow; r <= lastRow; ++r) widest = std::max(widest, textWidth(f, GetCellText(r, col)));
        break;
    }
    default: return 0.0f;
    }
    return std::ceil(widest) + 2.0f * float(hPad_);
}

float TqDataGrid::GetPreferredColumnWidth(int col) const {
    int64_t r0 = 0, r1 = -1;
    int c0 = 0, c1 = 0;
    GetMinMaxVisibleRowColIndices(r0, r1, c0, c1);
    if (r0 < 0) r1 = std::min<int64_t>(GetNumRows() - 1, 100), r0 = 0;
    float w = MeasureColumnWidth(COMPONENT_CELL, col, r0, r1);
    w = std::max(w, MeasureColumnWidth(COMPONENT_HEADER, col, 0, 0));
    if (totalsShown()) w = std::max(w, MeasureColumnWidth(COMPONENT_TOTAL, col, 0, 0));
    return w;
}

void TqDataGrid::InitColumnWidth(int col, float width) { SetColumnWidth(col, width, true); }

void TqDataGrid::SetColumnWidth(int col, float width, bool relayout) {
    if (col < 0 || col >= GetNumColumns()) return;
    if (!std::isfinite(width) || width < 0.0f) {
        ORVANE_LOG(orvane::CLog::ERRORS, SOURCE, "Column width must be a finite length >= 0; 0 used");
        width = 0.0f;
    }
    columns_.SetSize(col, width);
    // Pictures were made for the old width.
    for (auto it = pictures_.begin(); it != pictures_.end();) {
        if (int(it->first & (MAX_COLUMNS - 1)) == col) it = pictures_.erase(it);
        else ++it;
    }
    if (relayout) changed();
    else dirty_ = true;
}

float TqDataGrid::GetColumnWidth(int col) const { return static_cast<float>(columns_.GetSize(col)); }

float TqDataGrid::GetRowNumberColumnWidth() const { return rnWidth_; }

void TqDataGrid::SetRowNumberColumnWidth(float width) {
    rnWidthSet_ = std::isfinite(width) && width >= 0.0f ? width : -1.0f;
    changed();
}

float TqDataGrid::measureRowNumberColumn() const {
    if (!showRowNumbers_) return 0.0f;
    const FontSpec& f = fontFor(COMPONENT_ROW_NUMBER, -1);
    float w = std::max(textWidth(f, std::to_string(std::max<int64_t>(GetNumRows(), 1))),
                       textWidth(fontFor(COMPONENT_HEADER, -1), rowNumberHeader_));
    return std::ceil(w) + 2.0f * float(hPad_);
}

float TqDataGrid::GetRowHeight(int64_t row) const {
    if (row >= 0) return static_cast<float>(rows_.GetSize(row));
    return static_cast<float>(rows_.GetDefaultSize());
}

void TqDataGrid::SetRowHeight(int64_t row, float height) {
    if (!std::isfinite(height) || height < 0.0f) {
        ORVANE_LOG(orvane::CLog::ERRORS, SOURCE, "Row height must be a finite length >= 0; ignored");
        return;
    }
    rows_.SetSize(row, height);
    changed();
}

void TqDataGrid::SetDefaultRowHeight(float height) {
    rowHeightSet_ = std::isfinite(height) && height > 0.0f ? height : -1.0f;
    changed();
}

void TqDataGrid::SetMinRowHeight(float height) {
    minRowHeight_ = sanePositive(height, 16.0f);
    changed();
}

std::vector<std::pair<int64_t, float>> TqDataGrid::MeasureVariableRowHeights() {
    std::vector<std::pair<int64_t, float>> set;
    if (!wrap_) return set;
    std::set<int64_t> rows;
    for (uint64_t k : eager_) rows.insert(int64_t(k >> 20));
    int64_t r0, r1;
    int c0, c1;
    GetMinMaxVisibleRowColIndices(r0, r1, c0, c1);
    if (r0 >= 0)
        for (int64_t r = r0; r <= std::min(GetNumRows() - 1, r1); ++r) rows.insert(r);
    double base = rows_.GetDefaultSize();
    for (int64_t r : rows) {
        if (!showEmptyRows_ && emptyRows_.count(r)) continue;
        float tallest = 0.0f;
        for (int c = 0; c < GetNumColumns(); ++c) {
            // A picture in place of the text: the text is not drawn, so it
            // needs no room.
            if (GetColumnType(c) == COLUMN_PICTURE) continue;
            const std::string& t = GetCellText(r, c);
            if (t.empty()) continue;
            const FontSpec& f = fontFor(COMPONENT_CELL, c);
            orvane::TextLayoutOptions o;
            o.flags = orvane::TextFlags::WRAP;
            o.maxWidth = std::max(1.0f, GetColumnWidth(c) - 2.0f * float(hPad_));
            tallest = std::max(tallest, orvane::TextLayout::measure(fontOf(f.family, f.size, f.bold, f.italic), t, o).height);
        }
        float h = std::ceil(tallest) + 2.0f * float(vPad_);
        if (h > base + 0.5) {
            rows_.SetSize(r, h);
            set.emplace_back(r, h);
        }
    }
    if (!set.empty()) changed();
    return set;
}

float TqDataGrid::MeasureColumnHeaderHeight() {
    float tallest = lineHeight(fontFor(COMPONENT_HEADER, -1));
    for (int c = 0; c < GetNumColumns(); ++c) {
        const std::string& t = columnData_[size_t(c)].header;
        if (t.empty()) continue;
        const FontSpec& f = fontFor(COMPONENT_HEADER, c);
        orvane::TextLayoutOptions o;
        o.flags = orvane::TextFlags::WRAP;
        o.maxWidth = std::max(1.0f, GetColumnWidth(c) - 2.0f * float(hPad_) -
                                        (columnData_[size_t(c)].sort ? SORT_INDICATOR_ROOM : 0.0f));
        o.maxLines = 3;
        tallest = std::max(tallest, orvane::TextLayout::measure(fontOf(f.family, f.size, f.bold, f.italic), t, o).height);
    }
    headerHeight_ = std::ceil(tallest) + 2.0f * float(vPad_);
    changed();
    return headerHeight_;
}

float TqDataGrid::headerHeight() const {
    if (!showHeaders_) return 0.0f;
    return headerHeight_ > 0.0f ? headerHeight_ : defaultHeaderHeight_;
}

float TqDataGrid::totalsHeight() const { return totalsShown() ? totalsHeight_ : 0.0f; }

float TqDataGrid::GetColumnHeaderHeight() const { return headerHeight(); }
float TqDataGrid::GetTotalsHeight() const { return totalsHeight(); }

void TqDataGrid::Layout() { changed(); }

// ---------------------------------------------------------------- geometry

int TqDataGrid::fixedCount() const { return std::min(fixedColumns_, GetNumColumns()); }

double TqDataGrid::fixedWidth() const { return GetRowNumberColumnWidth() + columns_.Offset(fixedCount()); }

double TqDataGrid::bodyTop() const { return headerHeight() + (totalsOnTop_ ? totalsHeight() : 0.0f); }

double TqDataGrid::bodyHeight() const {
    return std::max(0.0, double(frame_.height) - headerHeight() - totalsHeight() - horizontalBarSpace());
}

double TqDataGrid::horizontalBarSpace() const {
    // The horizontal bar lies along the bottom edge when the columns overflow;
    // rows and bottom totals end above it, so it never covers them.
    double overflow = columns_.Total() - columns_.Offset(fixedCount()) - GetScrollAreaWidth();
    return overflow > 0.0 ? double(scrollBars_->GetBarThickness()) : 0.0;
}

double TqDataGrid::GetScrollAreaWidth() const { return std::max(0.0, double(frame_.width) - fixedWidth()); }
double TqDataGrid::GetScrollAreaHeight() const { return bodyHeight(); }

TqDataGrid::VirtualSize TqDataGrid::GetDataGridVirtualPageSize(int) const {
    VirtualSize v;
    v.width = GetRowNumberColumnWidth() + columns_.Total();
    // The horizontal bar's band is part of the page when the columns overflow.
    v.height = headerHeight() + totalsHeight() + rows_.Total() + horizontalBarSpace();
    return v;
}

double TqDataGrid::GetColumnTranslationOffset(int col) const {
    int f = fixedCount();
    if (col <= f) return 0.0;
    return columns_.Offset(std::min(col, GetNumColumns())) - columns_.Offset(f);
}

double TqDataGrid::GetRowTranslationOffset(int64_t row) const { return rows_.Offset(std::max<int64_t>(row, 0)); }

void TqDataGrid::syncScrolling() const {
    // The scroll range: what does not fit the scrolling area.
    double maxX = std::max(0.0, columns_.Total() - columns_.Offset(fixedCount()) - GetScrollAreaWidth());
    double maxY = std::max(0.0, rows_.Total() - bodyHeight());
    double vw = double(frame_.width) + maxX, vh = double(frame_.height) + maxY;
    scrollBars_->SetFrame({0.0f, 0.0f, frame_.width, frame_.height});
    scrollBars_->SetContentSize(static_cast<float>(vw), static_cast<float>(vh));
    // The bars hold floats; the controller keeps the exact range.
    controller_->SetViewportSize(frame_.width, frame_.height);
    controller_->SetContentSizeExact(vw, vh);
    scrollBars_->SyncFromController();
}

void TqDataGrid::SetScrollPosition(double x, double y) {
    if (!std::isfinite(x) || !std::isfinite(y)) return;
    syncScrolling();
    controller_->SetTranslationExact(-x, y);
    scrollBars_->SyncFromController();
    dirty_ = true;
    GeometryChanged();
}

double TqDataGrid::GetScrollX() const { return -controller_->GetTranslationX(); }
double TqDataGrid::GetScrollY() const { return controller_->GetTranslationY(); }

bool TqDataGrid::AreScrollBarsShown() const {
    return controller_->GetMaxScrollX() > 0.0 || controller_->GetMaxScrollY() > 0.0;
}

double TqDataGrid::columnLeft(int col) const {
    double rn = GetRowNumberColumnWidth();
    if (col < fixedCount()) return rn + columns_.Offset(col);
    return rn + columns_.Offset(col) - GetScrollX();
}

double TqDataGrid::rowTop(int64_t row) const { return bodyTop() + rows_.Offset(row) - GetScrollY(); }

double TqDataGrid::totalsTop() const {
    if (totalsOnTop_) return headerHeight();
    // After the last row; held at the bottom of the frame when the rows are
    // taller than the frame.
    double afterRows = headerHeight() + rows_.Total() - GetScrollY();
    return std::min(afterRows, double(frame_.height) - horizontalBarSpace() - totalsHeight());
}

double TqDataGrid::logicalX(float x) const { return rtl_ ? double(frame_.width) - double(x) : double(x); }

int TqDataGrid::columnAt(double x) const {
    double rn = GetRowNumberColumnWidth();
    if (x < rn) return -1;
    int f = fixedCount();
    double fw = fixedWidth();
    if (x < fw) return static_cast<int>(columns_.IndexAt(x - rn));
    double pos = x - rn + GetScrollX();
    int64_t c = columns_.IndexAt(pos);
    if (c >= 0 && c < f) {
        // Hidden under the frozen columns: the first scrolling column that
        // holds the position.
        c = columns_.IndexAt(std::max(pos, columns_.Offset(f)));
    }
    return static_cast<int>(c);
}

TqDataGrid::Hit TqDataGrid::hitAt(double x, double y) const {
    Hit h;
    if (x < 0.0 || y < 0.0 || x >= frame_.width || y >= frame_.height) return h;
    bool onRowNumbers = showRowNumbers_ && x < GetRowNumberColumnWidth();
    int col = onRowNumbers ? -1 : columnAt(x);
    if (!onRowNumbers && col < 0) return h;
    double hh = headerHeight();
    if (y < hh) {
        h.component = COMPONENT_HEADER;
        h.col = onRowNumbers ? -1 : col;
        h.row = 0;
        if (onRowNumbers) h.component = COMPONENT_ROW_NUMBER, h.row = -1;
        return h;
    }
    if (totalsShown()) {
        double t = totalsTop();
        if (y >= t && y < t + totalsHeight()) {
            h.component = onRowNumbers ? COMPONENT_ROW_NUMBER : COMPONENT_TOTAL;
            h.row = onRowNumbers ? -1 : 0;
            h.col = col;
            return h;
        }
        if (!totalsOnTop_ && y >= t) return h;
    }
    double top = bodyTop();
    if (y < top) return h;
    int64_t row = rows_.IndexAt(y - top + GetScrollY());
    if (row < 0) return h;
    h.row = row;
    h.col = onRowNumbers ? 0 : col;
    h.component = onRowNumbers ? COMPONENT_ROW_NUMBER : COMPONENT_CELL;
    return h;
}

void TqDataGrid::SetSeparatorTolerance(float tolerance) { tolerance_ = sanePositive(tolerance, 4.0f); }

int TqDataGrid::GetColumnIndexAtScreenPosition(float x, float y, bool separator) const {
    if (!std::isfinite(x) || !std::isfinite(y) || y < 0.0f || y >= frame_.height) return -1;
    double lx = logicalX(x);
    if (!separator) return lx >= 0.0 && lx < frame_.width ? columnAt(lx) : -1;
    // The column whose right edge is nearest, within the tolerance.
    int best = -1;
    double bestD = tolerance_;
    int c = columnAt(lx);
    int from = std::max(0, (c < 0 ? 0 : c) - 1), to = std::min(GetNumColumns() - 1, (c < 0 ? 0 : c) + 1);
    if (c < 0 && lx >= GetRowNumberColumnWidth()) from = std::max(0, GetNumColumns() - 2), to = GetNumColumns() - 1;
    for (int i = from; i <= to; ++i) {
        if (columns_.GetSize(i) <= 0.0) continue;
        double d = std::fabs(columnLeft(i) + columns_.GetSize(i) - lx);
        if (d <= bestD) best = i, bestD = d;
    }
    return best;
}

int TqDataGrid::GetColumnHeaderIndexAtScreenPosition(float x, float y, bool separator) const {
    if (!showHeaders_ || !std::isfinite(y) || y < 0.0f || y >= headerHeight()) return -1;
    return GetColumnIndexAtScreenPosition(x, y, separator);
}

int64_t TqDataGrid::GetRowIndexAtScreenPosition(float x, float y, bool separator) const {
    if (!std::isfinite(x) || !std::isfinite(y)) return -1;
    double top = bodyTop();
    double pos = double(y) - top + GetScrollY();
    if (y < top || y >= frame_.height) return -1;
    if (totalsShown() && !totalsOnTop_ && y >= totalsTop()) return -1;
    if (!separator) return rows_.IndexAt(pos);
    return rows_.SeparatorAt(pos, tolerance_);
}

int TqDataGrid::GetRowHeaderVerticalSeparatorIndexAtScreenPosition(float x, float y) const {
    if (!showRowNumbers_ || !std::isfinite(x) || !std::isfinite(y) || y < 0.0f || y >= frame_.height) return -1;
    return std::fabs(logicalX(x) - GetRowNumberColumnWidth()) <= tolerance_ ? 0 : -1;
}

bool TqDataGrid::IsPointInHeaderRegion(float x, float y) const {
    return showHeaders_ && std::isfinite(x) && std::isfinite(y) && x >= 0.0f && x < frame_.width && y >= 0.0f &&
           y < headerHeight();
}

uint64_t TqDataGrid::GetPickIDAtScreenPosition(float x, float y) const {
    if (!std::isfinite(x) || !std::isfinite(y)) return NO_PICK_ID;
    Hit h = hitAt(logicalX(x), y);
    if (h.component < 0 || h.row < 0 || h.col < 0) return NO_PICK_ID;
    return GetPickID(h.row, h.col, h.component);
}

bool TqDataGrid::IsOverHyperLinkText(float x, float y) const {
    uint64_t id = GetPickIDAtScreenPosition(x, y);
    if (id == NO_PICK_ID || ConvertPickIDtoComponentID(id) != COMPONENT_CELL) return false;
    return hyperlinks_.count(key(GetRowFromPickID(id), GetColumnFromPickID(id))) != 0;
}

void TqDataGrid::SetHyperLinkTextHighlight(uint64_t pickId) {
    hyperlinkHighlight_ = pickId;
    dirty_ = true;
}

void TqDataGrid::ClearHyperLinkTextHighlight() {
    hyperlinkHighlight_ = NO_PICK_ID;
    dirty_ = true;
}

int TqDataGrid::GetColumnDropIndexAtScreenPosition(float x) const {
    if (!std::isfinite(x) || GetNumColumns() == 0) return -1;
    double lx = logicalX(x);
    int best = 0;
    double bestD = INFINITY;
    for (int i = 0; i <= GetNumColumns(); ++i) {
        double edge = i < GetNumColumns() ? columnLeft(i) : columnLeft(i - 1) + columns_.GetSize(i - 1);
        double d = std::fabs(edge - lx);
        if (d < bestD) best = i, bestD = d;
        if (GetNumColumns() > 4096 && edge > lx + frame_.width) break;
    }
    return best;
}

void TqDataGrid::GetMinMaxVisibleRowColIndices(int64_t& minRow, int64_t& maxRow, int& minCol, int& maxCol) const {
    minRow = maxRow = -1;
    minCol = maxCol = -1;
    double bh = bodyHeight();
    if (bh > 0.0 && GetNumRows() > 0) {
        double y0 = GetScrollY();
        minRow = rows_.IndexAt(y0);
        if (minRow >= 0) {
            double yEnd = std::min(y0 + bh, rows_.Total());
            maxRow = rows_.IndexAt(std::nextafter(yEnd, 0.0));
            if (maxRow < minRow) maxRow = minRow;
        }
    }
    if (GetNumColumns() == 0 || frame_.width <= 0.0f) return;
    double rn = GetRowNumberColumnWidth();
    if (rn >= frame_.width) return;
    int f = fixedCount();
    minCol = f > 0 ? 0 : -1;
    maxCol = f > 0 ? std::min(f - 1, static_cast<int>(columns_.IndexAt(std::max(0.0, double(frame_.width) - rn - 1e-9)))) : -1;
    if (maxCol < 0 && f > 0) maxCol = f - 1;
    double sw = GetScrollAreaWidth();
    if (sw > 0.0 && f < GetNumColumns()) {
        double x0 = columns_.Offset(f) + GetScrollX();
        int64_t a = columns_.IndexAt(x0);
        double xEnd = std::min(x0 + sw, columns_.Total());
        int64_t b = columns_.IndexAt(std::nextafter(xEnd, 0.0));
        if (a >= 0) {
            if (minCol < 0) minCol = static_cast<int>(a);
            maxCol = static_cast<int>(std::max(a, b));
        }
    }
}

TqDataGrid::ScrollOffset TqDataGrid::GetScrollOffsetForCell(uint64_t id) const {
    ScrollOffset s{GetScrollX(), GetScrollY()};
    if (id == NO_PICK_ID) return s;
    int comp = ConvertPickIDtoComponentID(id);
    int64_t row = GetRowFromPickID(id);
    int col = GetColumnFromPickID(id);
    if ((comp == COMPONENT_CELL || comp == COMPONENT_ROW_NUMBER) && row >= 0 && row < GetNumRows()) {
        double top = rows_.Offset(row), bottom = rows_.Offset(row + 1);
        double bh = bodyHeight();
        if (top < s.y) s.y = top;
        else if (bottom > s.y + bh) s.y = std::max(top, bottom - bh) == top && bottom - top > bh ? top : bottom - bh;
    }
    if (comp != COMPONENT_ROW_NUMBER && col >= fixedCount() && col < GetNumColumns()) {
        double left = GetColumnTranslationOffset(col), right = left + columns_.GetSize(col);
        double sw = GetScrollAreaWidth();
        if (left < s.x) s.x = left;
        else if (right > s.x + sw) s.x = right - left > sw ? left : right - sw;
    }
    return s;
}

// ---------------------------------------------------------------- pick ids

uint64_t TqDataGrid::GetPickID(int64_t row, int col, int component) {
    if (row < 0 || row >= MAX_ROWS || col < 0 || col >= MAX_COLUMNS || component < 0 || component > 14)
        return NO_PICK_ID;
    return (uint64_t(component) << 60) | (uint64_t(row) << 20) | uint64_t(col);
}

int TqDataGrid::ConvertPickIDtoComponentID(uint64_t id) { return id == NO_PICK_ID ? -1 : int(id >> 60); }

int64_t TqDataGrid::GetRowFromPickID(uint64_t id) {
    return id == NO_PICK_ID ? -1 : int64_t((id >> 20) & (uint64_t(MAX_ROWS) - 1));
}

int TqDataGrid::GetColumnFromPickID(uint64_t id) { return id == NO_PICK_ID ? -1 : int(id & (MAX_COLUMNS - 1)); }

bool TqDataGrid::IsCellSelectable(uint64_t id) const {
    int comp = ConvertPickIDtoComponentID(id);
    int64_t row = GetRowFromPickID(id);
    int col = GetColumnFromPickID(id);
    if (col < 0 || col >= GetNumColumns()) return false;
    switch (comp) {
    case COMPONENT_CELL: return row >= 0 && row < GetNumRows() && rows_.GetSize(row) > 0.0;
    case COMPONENT_HEADER: return showHeaders_;
    case COMPONENT_TOTAL: return columnData_[size_t(col)].hasTotal;
    default: return false;
    }
}

// ---------------------------------------------------------------- image map

bool TqDataGrid::GetCellBounds(uint64_t id, Rect& out) const {
    int comp = ConvertPickIDtoComponentID(id);
    int64_t row = GetRowFromPickID(id);
    int col = GetColumnFromPickID(id);
    if (col < 0 || col >= GetNumColumns()) return false;
    double x = columnLeft(col), w = columns_.GetSize(col);
    switch (comp) {
    case COMPONENT_CELL:
        if (row < 0 || row >= GetNumRows()) return false;
        out = toNode(x, rowTop(row), w, rows_.GetSize(row));
        return true;
    case COMPONENT_HEADER:
        if (!showHeaders_) return false;
        out = toNode(x, 0.0, w, headerHeight());
        return true;
    case COMPONENT_TOTAL:
        if (!totalsShown()) return false;
        out = toNode(x, totalsTop(), w, totalsHeight());
        return true;
    default: return false;
    }
}

bool TqDataGrid::IsCellOnScreen(uint64_t id) const {
    int comp = ConvertPickIDtoComponentID(id);
    int64_t row = GetRowFromPickID(id);
    int col = GetColumnFromPickID(id);
    if (col < 0 || col >= GetNumColumns() || frame_.width <= 0.0f || frame_.height <= 0.0f) return false;
    // Horizontally: frozen columns show right of the row numbers, scrolling
    // ones only right of the frozen area.
    double left = columnLeft(col), right = left + columns_.GetSize(col);
    double areaLeft = col < fixedCount() ? GetRowNumberColumnWidth() : fixedWidth();
    if (!(right > areaLeft && left < double(frame_.width)) || right <= left) return false;
    const double bottom = double(frame_.height) - horizontalBarSpace();
    switch (comp) {
    case COMPONENT_CELL: {
        if (row < 0 || row >= GetNumRows()) return false;
        double top = rowTop(row), h = rows_.GetSize(row);
        double bodyBottom = totalsShown() && !totalsOnTop_ ? totalsTop() : bottom;
        return h > 0.0 && top + h > bodyTop() && top < std::min(bodyBottom, bottom);
    }
    case COMPONENT_HEADER: return showHeaders_ && headerHeight() > 0.0f;
    case COMPONENT_TOTAL: {
        if (!totalsShown()) return false;
        double top = totalsTop();
        return top < bottom && top + totalsHeight() > headerHeight();
    }
    default: return false;
    }
}

std::vector<int> TqDataGrid::GetVisibleColumns(bool ring) const {
    std::vector<int> cols;
    const int n = GetNumColumns();
    if (n == 0 || frame_.width <= 0.0f) return cols;
    const int f = fixedCount();
    const double rn = GetRowNumberColumnWidth();
    for (int c = 0; c < f; ++c)
        if (columns_.GetSize(c) > 0.0 && rn + columns_.Offset(c) < double(frame_.width)) cols.push_back(c);
    const double sw = GetScrollAreaWidth();
    if (f >= n || sw <= 0.0) return cols;
    const double x0 = columns_.Offset(f) + GetScrollX();
    int64_t a = columns_.IndexAt(x0);
    if (a < 0) return cols;
    const double xEnd = std::min(x0 + sw, columns_.Total());
    int64_t b = std::max(a, columns_.IndexAt(std::nextafter(xEnd, 0.0)));
    if (ring) {
        a = std::max<int64_t>(f, a - 1);
        b = std::min<int64_t>(n - 1, b + 1);
    }
    for (int64_t c = std::max<int64_t>(a, f); c <= b; ++c)
        if (columns_.GetSize(c) > 0.0) cols.push_back(static_cast<int>(c));
    return cols;
}

void TqDataGrid::GetImageMapEntries(std::vector<TqImageMapEntryStruct>& out, bool includeOffscreen) const {
    const std::vector<int> cols = GetVisibleColumns(includeOffscreen);
    if (cols.empty() || GetNodeId() < 0) return;
    auto add = [&](int64_t row, int col, int component) {
        uint64_t id = GetPickID(row, col, component);
        // A totals row names every column, those without a total too.
        if (component != COMPONENT_TOTAL && !IsCellSelectable(id)) return;
        bool on = IsCellOnScreen(id);
        if (!on && !includeOffscreen) return;
        Rect r;
        if (!GetCellBounds(id, r)) return;
        TqImageMapEntryStruct e;
        e.nodeId = static_cast<unsigned int>(GetNodeId());
        e.detailIndex = id;
        e.onScreen = on;
        e.points = {{r.x, r.y}, {r.maxX(), r.y}, {r.maxX(), r.maxY()}, {r.x, r.maxY()}};
        out.push_back(std::move(e));
    };
    auto totals = [&] {
        if (totalsShown())
            for (int c : cols) add(0, c, COMPONENT_TOTAL);
    };
    if (showHeaders_)
        for (int c : cols) add(0, c, COMPONENT_HEADER);
    if (totalsOnTop_) totals();
    int64_t r0, r1;
    int c0, c1;
    GetMinMaxVisibleRowColIndices(r0, r1, c0, c1);
    if (r0 >= 0) {
        if (includeOffscreen) {
            r0 = std::max<int64_t>(0, r0 - 1);
            r1 = std::min<int64_t>(GetNumRows() - 1, r1 + 1);
        }
        for (int64_t r = r0; r <= r1; ++r)
            for (int c : cols) add(r, c, COMPONENT_CELL);
    }
    if (!totalsOnTop_) totals();
}

// ---------------------------------------------------------------- selection

void TqDataGrid::SetRowSelected(int64_t row, bool selected) {
    if (row < 0 || row >= GetNumRows()) return;
    const auto r = static_cast<uint64_t>(row);
    const size_t word = static_cast<size_t>(r >> 6);
    const uint64_t bit = uint64_t(1) << (r & 63);
    if (word >= selectedRows_.size()) {
        if (!selected) return;
        selectedRows_.resize(word + 1, 0);
    }
    const bool was = (selectedRows_[word] & bit) != 0;
    if (was == selected) return;
    if (selected) {
        selectedRows_[word] |= bit;
        ++selectedCount_;
    } else {
        selectedRows_[word] &= ~bit;
        --selectedCount_;
    }
    dirty_ = true;
}

void TqDataGrid::ClearSelectedRows() {
    // The words stay allocated: a selection that changes as a pointer moves
    // is marked again right after.
    std::fill(selectedRows_.begin(), selectedRows_.end(), 0);
    selectedCount_ = 0;
    dirty_ = true;
}

void TqDataGrid::SetSelectedRows(const std::vector<uint64_t>& words) {
    const int64_t rows = std::max<int64_t>(0, GetNumRows());
    const size_t keep = std::min(words.size(), static_cast<size_t>((rows + 63) / 64));
    selectedRows_.assign(words.begin(), words.begin() + static_cast<std::ptrdiff_t>(keep));
    if (keep > 0 && rows % 64) selectedRows_.back() &= (uint64_t(1) << (rows % 64)) - 1;
    selectedCount_ = 0;
    for (uint64_t w : selectedRows_) selectedCount_ += static_cast<size_t>(__builtin_popcountll(w));
    dirty_ = true;
}

void TqDataGrid::SetFocusedCell(uint64_t id) {
    focus_ = id;
    dirty_ = true;
}

void TqDataGrid::SetShowFocusRect(bool show) {
    showFocus_ = show;
    dirty_ = true;
}

void TqDataGrid::DragColumn(int col, float dx) {
    if (col < 0 || col >= GetNumColumns() || !std::isfinite(dx)) return;
    dragCol_ = col;
    dragDx_ = rtl_ ? -dx : dx;
    dirty_ = true;
}

int TqDataGrid::DropColumn(int col) {
    if (dragCol_ < 0 || col != dragCol_) {
        dragCol_ = -1;
        dirty_ = true;
        return -1;
    }
    // The column's dragged left edge snaps to the nearest boundary.
    double left = columnLeft(col) + dragDx_;
    double center = left + columns_.GetSize(col) / 2.0;
    int target = 0;
    for (int i = 0; i < GetNumColumns(); ++i) {
        double mid = columnLeft(i) + columns_.GetSize(i) / 2.0;
        if (center > mid) target = i + 1;
    }
    // Positions after removing the column from its place.
    if (target > col) --target;
    target = std::clamp(target, 0, GetNumColumns() - 1);
    dragCol_ = -1;
    dragDx_ = 0.0f;
    dirty_ = true;
    return target == col ? -1 : target;
}

// ---------------------------------------------------------------- drawing

Rect TqDataGrid::toNode(double x, double y, double w, double h) const {
    // Frame pixels from the top left (y down) to node coordinates (y up).
    double lx = rtl_ ? double(frame_.width) - x - w : x;
    return {static_cast<float>(frame_.x + lx), static_cast<float>(frame_.y + frame_.height - y - h),
            static_cast<float>(w), static_cast<float>(h)};
}

void TqDataGrid::drawCell(TqGroup& g, const Rect& r, int component, int64_t row, int col, const std::string& text,
                          DataGridCellInfoStruct* info) const {
    const FontSpec& base = fontFor(component, col < 0 ? -1 : col);
    Colors colors = defaultColors_[component];
    if (col >= 0 && col < GetNumColumns()) {
        const Colors& own = columnData_[size_t(col)].colors[component];
        if (own.text != TQ_COLOR_NONE) colors.text = own.text;
        if (own.fill != TQ_COLOR_NONE) colors.fill = own.fill;
    }
    FontSpec f = base;
    uint32_t fill = colors.fill;
    uint32_t textColor = colors.text == TQ_COLOR_NONE ? 0 : colors.text;
    if (component == COMPONENT_CELL) {
        // Band colours of 0 (the style default) mean no band.
        if (fill == TQ_COLOR_NONE) {
            uint32_t band = (row % 2 == 0) ? band1_ : band2_;
            fill = band == 0 ? TQ_COLOR_NONE : band;
        }
        if (IsRowSelected(row)) fill = selectionColor_;
    }
    TqGeometry* picture = nullptr;
    if (info) {
        if (info->fillColor != TQ_COLOR_NONE) fill = info->fillColor & 0xffffffu;
        if (info->textColor != TQ_COLOR_NONE) textColor = info->textColor & 0xffffffu;
        if (!info->fontFamily.empty()) f.family = info->fontFamily;
        if (info->fontSize > 0.0f && std::isfinite(info->fontSize)) f.size = info->fontSize;
        f.bold = info->bold;
        f.italic = info->italic;
        f.underline = info->underline;
        picture = GetCellPicture(row, col);
    }
    if (fill != TQ_COLOR_NONE) {
        auto* bg = new TqRectangle(r.x, r.y, r.width, r.height);
        bg->SetFillColor(fill);
        g.AddChild(bg);
    }
    int type = (component == COMPONENT_CELL && col >= 0) ? GetColumnType(col) : COLUMN_TEXT;
    float pad = float(hPad_);
    Rect textArea{r.x + pad, r.y + float(vPad_), std::max(0.0f, r.width - 2.0f * pad),
                  std::max(0.0f, r.height - 2.0f * float(vPad_))};
    if (picture) {
        // The picture fills the cell (type 4) or one half of it (type 5: the
        // left half, or the right one for pictures placed after the text;
        // mirrored right to left).
        bool both = type == COLUMN_PICTURE_AND_TEXT;
        float pw = both ? r.width / 2.0f : r.width;
        bool right = both && col >= 0 && col < GetNumColumns() && columnData_[size_t(col)].pictureRight;
        if (rtl_) right = !right;
        auto* holder = new TqGroup(right ? r.x + r.width - pw : r.x, r.y, pw, r.height);
        holder->SetClipping(true);
        holder->AddChild(picture);
        g.AddChild(holder);
        if (!both) return;
        if (!right) textArea.x += pw;
        textArea.width = std::max(0.0f, textArea.width - pw);
    }
    if (text.empty() || textArea.width <= 0.0f) return;
    int alignment = (col >= 0 && col < GetNumColumns() && component != COMPONENT_ROW_NUMBER)
                        ? columnData_[size_t(col)].alignment
                        : (component == COMPONENT_ROW_NUMBER ? 2 : 0);
    if (rtl_) alignment = 2 - alignment;
    bool wrapIt = wrap_ && component == COMPONENT_CELL;
    int anchor = alignment == 0 ? TqAnchor::TOP_LEFT : alignment == 1 ? TqAnchor::TOP_CENTER : TqAnchor::TOP_RIGHT;
    float ax = alignment == 0 ? textArea.x : alignment == 1 ? textArea.x + textArea.width / 2 : textArea.maxX();
    auto* t = new TqText(text, ax, textArea.maxY(), anchor);
    t->SetFontName(f.family);
    t->SetFontSize(f.size);
    t->SetBold(f.bold);
    t->SetItalic(f.italic);
    t->SetUnderline(f.underline || (hyperlinkHighlight_ != NO_PICK_ID &&
                                    hyperlinkHighlight_ == GetPickID(row, col, component)));
    t->SetColor(textColor);
    t->SetTextAlignment(alignment);
    if (wrapIt) t->SetFlags(orvane::TextFlags::WRAP);
    t->SetMaxSize(textArea.width, std::max(textArea.height, 1.0f));
    g.AddChild(t);
}

static void addRule(TqGroup& g, float x1, float y1, float x2, float y2, uint32_t color) {
    auto* l = new TqLine(x1, y1, x2, y2);
    l->SetColor(color);
    l->SetWidth(1.0f);
    g.AddChild(l);
}

TqGroup* TqDataGrid::AddClipGroup(TqGroup& parent, Rect clip) {
    clip.width = std::max(0.0f, clip.width);
    clip.height = std::max(0.0f, clip.height);
    auto* group = new TqGroup(clip.x, clip.y, clip.width, clip.height);
    group->SetClipping(true);
    parent.AddChild(group);
    return group;
}

Rect TqDataGrid::InGroup(const TqGroup& group, const Rect& node) {
    Point t = group.GetTranslation();
    return Rect{node.x - t.x, node.y - t.y, node.width, node.height};
}

void TqDataGrid::AddSortIndicator(TqGroup& g, float cx, float cy, int code) {
    // A small filled triangle made of shrinking rules; secondary sorts grey.
    if (code == SORT_NONE) return;
    bool up = code == TqDataGrid::SORT_PRIMARY_ASCENDING || code == TqDataGrid::SORT_SECONDARY_ASCENDING;
    uint32_t color = code <= TqDataGrid::SORT_PRIMARY_DESCENDING ? 0x303030 : 0x9a9a9a;
    for (int i = 0; i < 4; ++i) {
        float half = 3.5f - float(i);
        float y = up ? cy - 2.0f + float(i) : cy + 2.0f - float(i);
        addRule(g, cx - half, y, cx + half, y, color);
    }
}

void TqDataGrid::rebuild() const {
    content_ = TqRef<TqGroup>(new TqGroup());
    TqGroup& g = *content_;
    double W = frame_.width, H = frame_.height;
    if (W <= 0.0 || H <= 0.0) {
        dirty_ = false;
        return;
    }
    double rn = GetRowNumberColumnWidth();
    int f = fixedCount();
    double fw = fixedWidth();
    double hh = headerHeight();
    double th = totalsHeight();
    double top = bodyTop();
    int64_t r0, r1;
    int c0, c1;
    GetMinMaxVisibleRowColIndices(r0, r1, c0, c1);
    std::vector<int> cols;
    if (c0 >= 0)
        for (int c = c0; c <= c1; ++c)
            if (columns_.GetSize(c) > 0.0) cols.push_back(c);

    // Clip groups: the scrolling columns and the frozen ones, each drawn in
    // the body, header and totals bands.
    auto band = [&](double y, double h, double x0, double x1) {
        return AddClipGroup(g, toNode(x0, y, std::max(0.0, x1 - x0), std::max(0.0, h)));
    };
    // Cells are recorded in frame coordinates; each band group translates
    // by its own origin, so undo it.
    auto local = [&](TqGroup* cg, double x, double y, double w, double h) { return InGroup(*cg, toNode(x, y, w, h)); };

    double bodyBottom = totalsShown() && !totalsOnTop_ ? totalsTop() : H - horizontalBarSpace();
    double bodyH = std::max(0.0, std::min(bodyBottom, H) - top);
    // Body: scrolling part first, then the frozen part over it.
    for (int pass = 0; pass < 2; ++pass) {
        bool frozen = pass == 1;
        double x0 = frozen ? rn : fw, x1 = frozen ? fw : W;
        if (x1 <= x0 || bodyH <= 0.0 || r0 < 0) continue;
        TqGroup* cg = band(top, bodyH, x0, x1);
        for (int64_t r = r0; r <= r1; ++r) {
            double h = rows_.GetSize(r);
            if (h <= 0.0) continue;
            double y = rowTop(r);
            for (int c : cols) {
                if ((c < f) != frozen) continue;
                double x = columnLeft(c), w = columns_.GetSize(c);
                DataGridCellInfoStruct info;
                info.width = static_cast<int>(w);
                info.height = static_cast<int>(h);
                const FontSpec& fs = fontFor(COMPONENT_CELL, c);
                info.fontFamily = fs.family;
                info.fontSize = fs.size;
                info.bold = fs.bold;
                info.italic = fs.italic;
                info.underline = fs.underline;
                int type = GetColumnType(c);
                bool wantsPicture = (type & COLUMN_PICTURE) && !GetCellPicture(r, c);
                info.needsImageTexture = wantsPicture;
                // The text first (K1), then the display rules (K2).
                const std::string& text = (type & COLUMN_TEXT) || !(type & COLUMN_PICTURE) ? GetCellText(r, c) : EMPTY;
                if (callback_)
                    callback_->DisplayRuleCallback(c, static_cast<int>(std::min<int64_t>(r, INT32_MAX)), &info);
                drawCell(*cg, local(cg, x, y, w, h), COMPONENT_CELL, r, c, text, &info);
                if (lineSecond_) {
                    Rect lr = local(cg, x + w - 0.5, y, 0, h);
                    addRule(*cg, lr.x, lr.y, lr.x, lr.maxY(), lineColor_);
                }
            }
            if (lineFirst_) {
                Rect lr = local(cg, x0, y + h - 0.5, x1 - x0, 0);
                addRule(*cg, lr.x, lr.y, lr.maxX(), lr.y, lineColor_);
            }
        }
    }
    // Row numbers.
    if (showRowNumbers_ && rn > 0.0 && r0 >= 0 && bodyH > 0.0) {
        TqGroup* cg = band(top, bodyH, 0, rn);
        for (int64_t r = r0; r <= r1; ++r) {
            double h = rows_.GetSize(r);
            if (h <= 0.0) continue;
            drawCell(*cg, local(cg, 0, rowTop(r), rn, h), COMPONENT_ROW_NUMBER, r, -1, std::to_string(r + 1), nullptr);
            if (lineFirst_) {
                Rect lr = local(cg, 0, rowTop(r) + h - 0.5, rn, 0);
                addRule(*cg, lr.x, lr.y, lr.maxX(), lr.y, lineColor_);
            }
        }
    }
    // Header and totals bands.
    auto fixedBand = [&](double y, double h, int component) {
        if (h <= 0.0 || y >= H) return;
        for (int pass = 0; pass < 2; ++pass) {
            bool frozen = pass == 1;
            double x0 = frozen ? rn : fw, x1 = frozen ? fw : W;
            if (x1 <= x0) continue;
            TqGroup* cg = band(y, h, x0, x1);
            for (int c : cols) {
                if ((c < f) != frozen) continue;
                double x = columnLeft(c), w = columns_.GetSize(c);
                std::string text = component == COMPONENT_HEADER ? columnData_[size_t(c)].header : GetColumnTotalText(c);
                Rect cell = local(cg, x, y, w, h);
                int sort = component == COMPONENT_HEADER ? columnData_[size_t(c)].sort : SORT_NONE;
                Rect textCell = cell;
                if (sort != SORT_NONE) textCell.width = std::max(0.0f, textCell.width - SORT_INDICATOR_ROOM);
                if (rtl_ && sort != SORT_NONE) textCell.x += SORT_INDICATOR_ROOM;
                // The fill spans the whole cell even when the indicator takes room.
                if (sort != SORT_NONE) {
                    uint32_t fill = defaultColors_[component].fill;
                    const Colors& own = columnData_[size_t(c)].colors[component];
                    if (own.fill != TQ_COLOR_NONE) fill = own.fill;
                    if (fill != TQ_COLOR_NONE) {
                        auto* bg = new TqRectangle(cell.x, cell.y, cell.width, cell.height);
                        bg->SetFillColor(fill);
                        cg->AddChild(bg);
                    }
                }
                drawCell(*cg, textCell, component, 0, c, text, nullptr);
                if (sort != SORT_NONE) {
                    float sx = rtl_ ? cell.x + 4.0f + float(hPad_) / 2 : cell.maxX() - 4.0f - float(hPad_) / 2;
                    AddSortIndicator(*cg, sx, cell.y + cell.height / 2.0f, sort);
                }
                if (lineSecond_) {
                    Rect lr = local(cg, x + w - 0.5, y, 0, h);
                    addRule(*cg, lr.x, lr.y, lr.x, lr.maxY(), lineColor_);
                }
            }
        }
        if (rn > 0.0) {
            TqGroup* cg = band(y, h, 0, rn);
            drawCell(*cg, local(cg, 0, y, rn, h), component == COMPONENT_HEADER ? COMPONENT_HEADER : COMPONENT_TOTAL, 0,
                     -1, component == COMPONENT_HEADER ? rowNumberHeader_ : std::string(), nullptr);
        }
    };
    if (showHeaders_) fixedBand(0, hh, COMPONENT_HEADER);
    if (totalsShown()) fixedBand(totalsTop(), th, COMPONENT_TOTAL);

    // Rules around the fixed bands, the frozen edge and the frame.
    double contentW = std::min(W, rn + columns_.Total() - GetScrollX());
    double contentBottom = std::min(H - horizontalBarSpace(), std::max(totalsShown() && !totalsOnTop_ ? totalsTop() + th : 0.0,
                                                top + rows_.Total() - GetScrollY()));
    auto hRule = [&](double y, uint32_t color) {
        Rect r = toNode(0, y, contentW, 0);
        addRule(g, r.x, r.y, r.maxX(), r.y, color);
    };
    auto vRule = [&](double x, uint32_t color) {
        Rect r = toNode(x, 0, 0, contentBottom);
        addRule(g, r.x, r.y, r.x, r.maxY(), color);
    };
    if (lineFurther_) {
        if (showHeaders_) hRule(hh - 0.5, furtherColor_);
        if (totalsShown()) hRule(totalsOnTop_ ? top - 0.5 : totalsTop() + 0.5, furtherColor_);
    }
    if (rn > 0.0) vRule(rn - 0.5, frameColor_);
    if (f > 0) vRule(fw - 0.5, frameColor_);
    if (frameColor_ != TQ_COLOR_NONE && contentW > 0.0 && contentBottom > 0.0) {
        Rect fr = toNode(0.5, 0.5, contentW - 1.0, contentBottom - 1.0);
        auto* outline = new TqRectangle(fr.x, fr.y, fr.width, fr.height);
        outline->SetOutline(true);
        outline->SetOutlineColor(frameColor_);
        g.AddChild(outline);
    }

    // Column being dragged: a translucent copy of its header over the band.
    if (dragCol_ >= 0 && dragCol_ < GetNumColumns() && showHeaders_) {
        double x = columnLeft(dragCol_) + dragDx_, w = columns_.GetSize(dragCol_);
        Rect r = toNode(x, 0, w, std::min(H, contentBottom));
        auto* ghost = new TqRectangle(r.x, r.y, r.width, r.height);
        ghost->SetFillColor(0x808080);
        ghost->SetOpacity(0.25f);
        ghost->SetOutline(true);
        ghost->SetOutlineColor(0x404040);
        g.AddChild(ghost);
    }

    // Focus rectangle.
    if (showFocus_ && focus_ != NO_PICK_ID) {
        int comp = ConvertPickIDtoComponentID(focus_);
        int64_t row = GetRowFromPickID(focus_);
        int col = GetColumnFromPickID(focus_);
        if (col >= 0 && col < GetNumColumns()) {
            double y = comp == COMPONENT_HEADER ? 0.0 : comp == COMPONENT_TOTAL ? totalsTop() : rowTop(row);
            double h = comp == COMPONENT_HEADER ? hh : comp == COMPONENT_TOTAL ? th : rows_.GetSize(row);
            if (y + h > 0.0 && y < H) {
                Rect r = toNode(columnLeft(col) + 1.0, y + 1.0, columns_.GetSize(col) - 2.0, h - 2.0);
                auto* fr = new TqRectangle(r.x, r.y, r.width, r.height);
                fr->SetOutline(true);
                fr->SetOutlineColor(focusColor_);
                fr->SetOutlineWidth(2.0f);
                g.AddChild(fr);
            }
        }
    }

    // Scroll bars over the content.
    if (AreScrollBarsShown()) {
        auto* bars = new TqGroup(frame_.x, frame_.y, frame_.width, frame_.height);
        bars->AddChild(scrollBars_.get());
        g.AddChild(bars);
    }
    builtX_ = GetScrollX();
    builtY_ = GetScrollY();
    dirty_ = false;
}

const TqGroup* TqDataGrid::GetVisibleContent() const {
    if (dirty_ || !content_ || builtX_ != GetScrollX() || builtY_ != GetScrollY()) rebuild();
    return content_.get();
}

Rect TqDataGrid::GetBounds() const { return frame_; }

void TqDataGrid::Draw(TqCanvas& canvas) const {
    canvas.pushClip(frame_);
    canvas.drawNode(*GetVisibleContent());
    canvas.popClip();
}

void TqDataGrid::WriteSVG(TqSvgWriter& svg) const { svg.writeNode(*GetVisibleContent()); }

bool TqDataGrid::HitTest(const TqPickQuery& query) const { return query.intersectsRect(frame_); }

void TqDataGrid::Pick(const TqPickQuery& query, std::vector<TqSelectionInfoStruct>& out, bool frontMostOnly) const {
    if (!IsVisible() || GetNodeId() < 0 || !query.intersectsRect(frame_)) return;
    Rect q = query.getBounds();
    // The query's corners in frame pixels from the top left.
    auto toFrame = [&](float nx, float ny) {
        double x = double(nx) - frame_.x;
        if (rtl_) x = double(frame_.width) - x;
        return std::pair<double, double>{x, double(frame_.y) + frame_.height - double(ny)};
    };
    auto [ax, ay] = toFrame(q.x, q.maxY());
    auto [bx, by] = toFrame(q.maxX(), q.y);
    double x0 = std::max(0.0, std::min(ax, bx)), x1 = std::min(double(frame_.width) - 1e-6, std::max(ax, bx));
    double y0 = std::max(0.0, ay), y1 = std::min(double(frame_.height) - 1e-6, by);
    if (x1 < x0 || y1 < y0) return;
    std::vector<uint64_t> seen;
    auto report = [&](double x, double y) {
        Hit h = hitAt(x, y);
        if (h.component < 0 || h.row < 0 || h.col < 0) return false;
        uint64_t id = GetPickID(h.row, h.col, h.component);
        if (std::find(seen.begin(), seen.end(), id) != seen.end()) return false;
        seen.push_back(id);
        out.push_back({static_cast<unsigned int>(GetNodeId()), id});
        return frontMostOnly;
    };
    if (report(x0, y0) || (x1 == x0 && y1 == y0)) return;
    // Walk the cells the rectangle touches, row band by row band (at most
    // what is visible).
    const double step = 1.0;
    for (double y = y0; y <= y1;) {
        for (double x = x0; x <= x1;) {
            if (report(x, y)) return;
            int c = columnAt(x);
            double next = c >= 0 ? columnLeft(c) + columns_.GetSize(c) : (x < GetRowNumberColumnWidth() ? GetRowNumberColumnWidth() : x1 + step);
            x = std::max(next, x + step);
        }
        Hit h = hitAt(x0, y);
        double next = y + step;
        if (h.component == COMPONENT_CELL || (h.component == COMPONENT_ROW_NUMBER && h.row >= 0))
            next = std::max(next, rowTop(h.row) + rows_.GetSize(h.row));
        else if (h.component == COMPONENT_HEADER)
            next = std::max(next, double(headerHeight()));
        else if (h.component == COMPONENT_TOTAL)
            next = std::max(next, totalsTop() + totalsHeight());
        y = next;
    }
}

size_t TqDataGrid::GetMemoryBytes() const {
    size_t bytes = sizeof(*this) + rows_.GetMemoryBytes() + columns_.GetMemoryBytes();
    bytes += columnData_.capacity() * sizeof(Column);
    for (const Column& c : columnData_) bytes += c.header.capacity() + c.totalLabel.capacity() + c.totalValue.capacity();
    bytes += texts_.size() * (sizeof(std::pair<const uint64_t, std::string>) + 2 * sizeof(void*));
    bytes += selectedRows_.capacity() * sizeof(uint64_t);
    bytes += (emptyRows_.size() + eager_.size()) * (8 + 4 * sizeof(void*));
    return bytes;
}

} // namespace displaylist
