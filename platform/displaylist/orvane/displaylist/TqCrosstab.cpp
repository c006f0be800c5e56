// SPDX-License-Identifier: Apache-2.0
#include "orvane/displaylist/TqCrosstab.h"

#include "orvane/displaylist/TqCanvas.h"
#include "orvane/displaylist/TqGroup.h"
#include "orvane/displaylist/TqLine.h"
#include "orvane/displaylist/TqPickQuery.h"
#include "orvane/displaylist/TqRectangle.h"
#include "orvane/displaylist/TqSvgWriter.h"
#include "orvane/displaylist/TqText.h"
#include "orvane/host/text/TextEngine.h"
#include "orvane/host/text/TextLayout.h"

#include <algorithm>
#include <cmath>
#include <unordered_set>

namespace displaylist {

namespace {
constexpr size_t MAX_LABEL = 1024;
// The outline of the keyboard's focused cell, the colour of a table's.
constexpr uint32_t FOCUS_COLOR = 0x202020;

float finiteOr(float v, float fallback) { return std::isfinite(v) ? v : fallback; }

uint64_t cellKey(int64_t row, int col) { return (uint64_t(row) << 20) | uint64_t(col); }

void line(TqGroup& g, float x1, float y1, float x2, float y2, uint32_t color, float width = 1.0f) {
    auto* l = new TqLine(x1, y1, x2, y2);
    l->SetColor(color);
    l->SetWidth(width);
    g.AddChild(l);
}
} // namespace

TqCrosstab::TqCrosstab(float x, float y, float width, float height, int nodeId)
    : TqDataGrid(x, y, width, height, nodeId) {
    for (int i = 0; i < 9; ++i) {
        headerText_[i] = 0x202020;
        headerFill_[i] = 0xe7e7e7;
    }
    headerFill_[COMPONENT_ROW_AXIS_HEADER] = headerFill_[COMPONENT_COLUMN_AXIS_HEADER] = 0xd9dce1;
    headerText_[COMPONENT_TOTAL] = 0x111111;
    headerFill_[COMPONENT_TOTAL] = 0xcfe3d8;
    outer_ = {x, y, std::max(0.0f, finiteOr(width, 0.0f)), std::max(0.0f, finiteOr(height, 0.0f))};
    relayout();
}

TqCrosstab::~TqCrosstab() = default;

void TqCrosstab::InvalidateCache() const {
    TqDataGrid::InvalidateCache();
    headersDirty_ = true;
}

void TqCrosstab::SetFrame(float x, float y, float width, float height) {
    if (!std::isfinite(x) || !std::isfinite(y)) return;
    outer_ = {x, y, std::max(0.0f, finiteOr(width, 0.0f)), std::max(0.0f, finiteOr(height, 0.0f))};
    relayout();
}

void TqCrosstab::SetDisplayScale(float scale) {
    scale_ = std::isfinite(scale) && scale > 0.0f ? scale : 1.0f;
    headersDirty_ = true;
}

void TqCrosstab::relayout() {
    // The data area: what the row headers (left) and the column-header rows
    // (top) leave of the frame.
    float rw = std::min(GetTotalRowHeaderWidth(), outer_.width);
    float ch = std::min(GetTotalColumnHeaderHeight(), outer_.height);
    TqDataGrid::SetFrame(outer_.x + rw, outer_.y, outer_.width - rw, outer_.height - ch);
    headersDirty_ = true;
    GeometryChanged();
}

// ---------------------------------------------------------------- header areas

void TqCrosstab::SetNumCrosstabRowHeaderColumns(int count) {
    count = std::clamp(count, 0, MAX_LEVELS);
    rowLevelWidths_.resize(size_t(count), 100.0f * scale_);
    rowAxisLabels_.resize(size_t(count));
    rowAxisSort_.resize(size_t(count), 0);
    relayout();
}

void TqCrosstab::SetNumCrosstabColumnHeaderRows(int count) {
    count = std::clamp(count, 0, MAX_LEVELS);
    columnLevelHeights_.resize(size_t(count), std::ceil(lineHeight() + 2.0f * float(GetVerticalPadding())));
    columnAxisLabels_.resize(size_t(count));
    columnAxisSort_.resize(size_t(count), 0);
    relayout();
}

void TqCrosstab::SetCrosstabRowAxisHeaderStringEntry(int level, const std::string& label) {
    if (level < 0 || size_t(level) >= rowAxisLabels_.size()) return;
    rowAxisLabels_[size_t(level)] = label.substr(0, MAX_LABEL);
    headersDirty_ = true;
}

void TqCrosstab::SetCrosstabColumnAxisHeaderStringEntry(int level, const std::string& label) {
    if (level < 0 || size_t(level) >= columnAxisLabels_.size()) return;
    columnAxisLabels_[size_t(level)] = label.substr(0, MAX_LABEL);
    headersDirty_ = true;
}

std::string TqCrosstab::GetCrosstabAxisHeaderString(int axis, int level) const {
    const auto& v = axis == AXIS_ROW ? rowAxisLabels_ : columnAxisLabels_;
    return level >= 0 && size_t(level) < v.size() ? v[size_t(level)] : std::string();
}

void TqCrosstab::SetCrosstabAxisHeaderSortIndicator(int axis, int level, int code) {
    auto& v = axis == AXIS_ROW ? rowAxisSort_ : columnAxisSort_;
    if (level < 0 || size_t(level) >= v.size()) return;
    v[size_t(level)] = std::clamp(code, 0, 2);
    headersDirty_ = true;
}

int TqCrosstab::GetCrosstabAxisHeaderSortIndicator(int axis, int level) const {
    const auto& v = axis == AXIS_ROW ? rowAxisSort_ : columnAxisSort_;
    return level >= 0 && size_t(level) < v.size() ? v[size_t(level)] : 0;
}

void TqCrosstab::SetShowAxisHeaders(bool show) {
    showAxisHeaders_ = show;
    headersDirty_ = true;
}

void TqCrosstab::SetIndentedRowHeaders(bool indented, float indent) {
    indented_ = indented;
    indent_ = std::isfinite(indent) && indent >= 0.0f ? indent : 8.0f;
    relayout();
}

void TqCrosstab::SetIndentedColumnHeaders(bool indented) {
    indentedColumns_ = indented;
    relayout();
}

void TqCrosstab::SetButtonSize(float size) {
    if (std::isfinite(size) && size > 0.0f) buttonSize_ = size;
    headersDirty_ = true;
}

void TqCrosstab::ClearContent() {
    SetCellCallback(nullptr);
    SetNumGridRowsAndColumns(0, 0);
    cells_.clear();
    roots_[AXIS_ROW].clear();
    roots_[AXIS_COLUMN].clear();
    rowLevelWidths_.clear();
    columnLevelHeights_.clear();
    rowAxisLabels_.clear();
    columnAxisLabels_.clear();
    rowAxisSort_.clear();
    columnAxisSort_.clear();
    selectedCells_.clear();
    finished_ = false;
    relayout();
}

void TqCrosstab::InvalidateRowHeader() {
    for (auto& c : cells_)
        if (c.axis == AXIS_ROW) c = Cell{}, c.axis = -1;
    roots_[AXIS_ROW].clear();
    finished_ = false;
    headersDirty_ = true;
}

void TqCrosstab::InvalidateColumnHeader() {
    for (auto& c : cells_)
        if (c.axis == AXIS_COLUMN) c = Cell{}, c.axis = -1;
    roots_[AXIS_COLUMN].clear();
    finished_ = false;
    headersDirty_ = true;
}

int TqCrosstab::addCell(int axis, const std::string& label, int parent, int64_t leafIndex, int span, bool hyperlink) {
    if (parent >= 0 && (size_t(parent) >= cells_.size() || cells_[size_t(parent)].axis != axis)) parent = -1;
    // Cells of an invalidated axis are dropped when both axes were cleared.
    if (roots_[0].empty() && roots_[1].empty()) cells_.clear();
    Cell c;
    c.label = label.substr(0, MAX_LABEL);
    c.axis = axis;
    c.parent = parent;
    c.level = parent >= 0 ? cells_[size_t(parent)].level + 1 : 0;
    c.leaf = leafIndex >= 0;
    c.first = leafIndex;
    c.extent = c.leaf ? std::max(span, 0) : 0;
    c.hyperlink = hyperlink;
    int id = static_cast<int>(cells_.size());
    cells_.push_back(std::move(c));
    if (parent >= 0) cells_[size_t(parent)].children.push_back(id);
    else roots_[axis].push_back(id);
    finished_ = false;
    headersDirty_ = true;
    return id;
}

int TqCrosstab::AddCrosstabRowHeaderStringEntry(const std::string& label, int parent, int64_t leafIndex, int span,
                                                bool hyperlink) {
    return addCell(AXIS_ROW, label, parent, leafIndex, span, hyperlink);
}

int TqCrosstab::AddCrosstabColumnHeaderStringEntry(const std::string& label, int parent, int64_t leafIndex, int span,
                                                   bool hyperlink) {
    return addCell(AXIS_COLUMN, label, parent, leafIndex, span, hyperlink);
}

void TqCrosstab::AddCrosstabCellButton(int cell, int buttonType) {
    if (cell < 0 || size_t(cell) >= cells_.size() || buttonType <= BUTTON_NONE || buttonType > BUTTON_PAGE_DOWN_END)
        return;
    auto& b = cells_[size_t(cell)].buttons;
    if (std::find(b.begin(), b.end(), buttonType) == b.end()) b.push_back(buttonType);
    headersDirty_ = true;
}

void TqCrosstab::RemoveCrosstabCellButton(int cell, int buttonType) {
    if (cell < 0 || size_t(cell) >= cells_.size()) return;
    auto& b = cells_[size_t(cell)].buttons;
    auto it = std::find(b.begin(), b.end(), buttonType);
    if (it == b.end()) return;
    b.erase(it);
    headersDirty_ = true;
}

void TqCrosstab::SetCrosstabCellTotal(int cell, bool total) {
    if (cell < 0 || size_t(cell) >= cells_.size()) return;
    cells_[size_t(cell)].total = total;
    headersDirty_ = true;
}

const TqCrosstab::Cell* TqCrosstab::GetCrosstabCell(int cell) const {
    if (cell < 0 || size_t(cell) >= cells_.size() || cells_[size_t(cell)].axis < 0) return nullptr;
    finish();
    return &cells_[size_t(cell)];
}

void TqCrosstab::finish() const {
    if (finished_) return;
    finished_ = true;
    auto& cells = const_cast<std::vector<Cell>&>(cells_);
    for (int axis = 0; axis < 2; ++axis) {
        leafOf_[axis].clear();
        byLevel_[axis].clear();
        depth_[axis] = 0;
        int64_t limit = axis == AXIS_ROW ? GetNumRows() : GetNumColumns();
        // Parents span their leaves: computed bottom up, children first.
        std::vector<std::pair<int, bool>> stack;
        for (auto it = roots_[axis].rbegin(); it != roots_[axis].rend(); ++it) stack.push_back({*it, false});
        while (!stack.empty()) {
            auto [id, done] = stack.back();
            stack.pop_back();
            Cell& c = cells[size_t(id)];
            if (!done && !c.children.empty()) {
                stack.push_back({id, true});
                for (auto it = c.children.rbegin(); it != c.children.rend(); ++it) stack.push_back({*it, false});
                continue;
            }
            if (!c.children.empty()) {
                int64_t lo = -1, hi = -1;
                for (int ch : c.children) {
                    const Cell& k = cells[size_t(ch)];
                    if (k.first < 0) continue;
                    lo = lo < 0 ? k.first : std::min(lo, k.first);
                    hi = std::max(hi, k.first + k.extent);
                }
                c.first = lo;
                c.extent = lo < 0 ? 0 : hi - lo;
            }
            depth_[axis] = std::max(depth_[axis], c.level + 1);
            if (size_t(c.level) >= byLevel_[axis].size()) byLevel_[axis].resize(size_t(c.level) + 1);
            byLevel_[axis][size_t(c.level)].push_back(id);
            if (c.leaf && c.first >= 0 && c.first < limit) {
                int64_t end = std::min(limit, c.first + c.extent);
                if (leafOf_[axis].size() < size_t(end)) leafOf_[axis].resize(size_t(end), -1);
                for (int64_t i = c.first; i < end; ++i) leafOf_[axis][size_t(i)] = id;
            }
        }
        for (auto& level : byLevel_[axis])
            std::sort(level.begin(), level.end(), [&](int a, int b) { return cells[size_t(a)].first < cells[size_t(b)].first; });
    }
}

int TqCrosstab::GetLeafCell(int axis, int64_t index) const {
    if (axis != AXIS_ROW && axis != AXIS_COLUMN) return -1;
    finish();
    const auto& v = leafOf_[axis];
    return index >= 0 && size_t(index) < v.size() ? v[size_t(index)] : -1;
}

int TqCrosstab::GetCellAt(int axis, int level, int64_t index) const {
    int id = GetLeafCell(axis, index);
    while (id >= 0 && cells_[size_t(id)].level > level) id = cells_[size_t(id)].parent;
    if (id >= 0 && cells_[size_t(id)].level == level) return id;
    // A leaf above the level stretches over it.
    id = GetLeafCell(axis, index);
    return id >= 0 && cells_[size_t(id)].level < level ? id : -1;
}

// ---------------------------------------------------------------- sizes

void TqCrosstab::SetCrosstabRowHeaderColumnWidth(int level, float width) {
    if (level < 0 || size_t(level) >= rowLevelWidths_.size() || !std::isfinite(width)) return;
    rowLevelWidths_[size_t(level)] = std::clamp(width, 0.0f, 16384.0f);
    relayout();
}

float TqCrosstab::GetCrosstabRowHeaderColumnWidth(int level) const {
    return level >= 0 && size_t(level) < rowLevelWidths_.size() ? rowLevelWidths_[size_t(level)] : 0.0f;
}

void TqCrosstab::SetCrosstabColumnHeaderRowHeight(int level, float height) {
    if (level < 0 || size_t(level) >= columnLevelHeights_.size() || !std::isfinite(height)) return;
    columnLevelHeights_[size_t(level)] = std::clamp(height, 0.0f, 4096.0f);
    relayout();
}

float TqCrosstab::GetCrosstabColumnHeaderRowHeight(int level) const {
    return level >= 0 && size_t(level) < columnLevelHeights_.size() ? columnLevelHeights_[size_t(level)] : 0.0f;
}

float TqCrosstab::GetTotalRowHeaderWidth() const {
    if (rowLevelWidths_.empty()) return 0.0f;
    if (indented_) return rowLevelWidths_.front();
    float w = 0.0f;
    for (float v : rowLevelWidths_) w += v;
    return w;
}

float TqCrosstab::GetTotalColumnHeaderHeight() const {
    if (indentedColumns_ && !columnLevelHeights_.empty()) return columnLevelHeights_.front();
    float h = 0.0f;
    for (float v : columnLevelHeights_) h += v;
    return h;
}

float TqCrosstab::lineHeight() const {
    return orvane::TextEngine::instance().getFont(fontFamily_, fontSize_, fontBold_, fontItalic_).getMetrics().lineHeight;
}

float TqCrosstab::textWidth(const std::string& text, bool bold) const {
    if (text.empty()) return 0.0f;
    auto font = orvane::TextEngine::instance().getFont(fontFamily_, fontSize_, bold || fontBold_, fontItalic_);
    return orvane::TextLayout::measure(font, text, {}).width;
}

float TqCrosstab::buttonSide(float cellHeight) const {
    float h = std::min(cellHeight, std::ceil(lineHeight() + 2.0f * float(GetVerticalPadding())));
    return std::clamp(h - 6.0f, 8.0f, buttonSize_);
}

float TqCrosstab::MeasureHeaderCellWidth(int cell) const {
    const Cell* c = GetCrosstabCell(cell);
    if (!c) return 0.0f;
    float pad = float(GetHorizontalPadding());
    float w = std::ceil(textWidth(c->label, c->total)) + 2.0f * pad;
    float side = buttonSide(GetRowHeight(-1));
    for (int b : c->buttons)
        if (b != BUTTON_CELL) w += side + pad;
    if (isIndented(*c)) w += float(c->level) * indent_;
    return w;
}

float TqCrosstab::MeasureRowHeaderColumnWidth(int level, int64_t sample) const {
    finish();
    float widest = 0.0f;
    if (showAxisHeaders_ && level >= 0 && size_t(level) < rowAxisLabels_.size())
        widest = std::ceil(textWidth(rowAxisLabels_[size_t(level)], true)) + 2.0f * float(GetHorizontalPadding()) +
                 (rowAxisSort_[size_t(level)] ? SORT_INDICATOR_ROOM : 0.0f);
    if (level < 0 || size_t(level) >= byLevel_[AXIS_ROW].size()) return widest;
    int64_t seen = 0;
    for (int id : byLevel_[AXIS_ROW][size_t(level)]) {
        if (sample >= 0 && seen++ >= sample) break;
        widest = std::max(widest, MeasureHeaderCellWidth(id));
    }
    return widest;
}

float TqCrosstab::MeasureColumnAxisLabelWidth() const {
    finish();
    float widest = 0.0f;
    if (!showAxisHeaders_) return widest;
    for (size_t i = 0; i < columnAxisLabels_.size(); ++i)
        widest = std::max(widest, std::ceil(textWidth(columnAxisLabels_[i], true)) + 2.0f * float(GetHorizontalPadding()) +
                                      (i < columnAxisSort_.size() && columnAxisSort_[i] ? SORT_INDICATOR_ROOM : 0.0f));
    return widest;
}

float TqCrosstab::MeasureColumnHeaderRowHeight(int) const {
    return std::ceil(lineHeight() + 2.0f * float(GetVerticalPadding()));
}

void TqCrosstab::SetHeaderFont(const std::string& family, float size, bool bold, bool italic) {
    if (!family.empty()) fontFamily_ = family;
    if (std::isfinite(size) && size > 0.0f) fontSize_ = size;
    fontBold_ = bold;
    fontItalic_ = italic;
    headersDirty_ = true;
}

void TqCrosstab::SetCrosstabHeaderColors(int component, uint32_t textColor, uint32_t fillColor) {
    if (component != COMPONENT_TOTAL && (component < COMPONENT_COLUMN_HEADER || component > COMPONENT_COLUMN_AXIS_HEADER))
        return;
    headerText_[component] = textColor;
    headerFill_[component] = fillColor;
    headersDirty_ = true;
}

void TqCrosstab::SetSeparatorColor(uint32_t color) {
    separatorColor_ = color;
    headersDirty_ = true;
}

TqDataGrid::VirtualSize TqCrosstab::GetCrosstabVirtualPageSize() const {
    VirtualSize v = GetDataGridVirtualPageSize(0);
    v.width += GetTotalRowHeaderWidth();
    v.height += GetTotalColumnHeaderHeight();
    return v;
}

// ---------------------------------------------------------------- selection

void TqCrosstab::SetCellSelected(int64_t row, int col, bool selected) {
    if (row < 0 || row >= GetNumRows() || col < 0 || col >= GetNumColumns()) return;
    uint64_t k = cellKey(row, col);
    auto it = std::lower_bound(selectedCells_.begin(), selectedCells_.end(), k);
    bool present = it != selectedCells_.end() && *it == k;
    if (selected && !present) selectedCells_.insert(it, k);
    else if (!selected && present) selectedCells_.erase(it);
    headersDirty_ = true;
}

bool TqCrosstab::IsCellSelected(int64_t row, int col) const {
    return std::binary_search(selectedCells_.begin(), selectedCells_.end(), cellKey(row, col));
}

void TqCrosstab::ClearSelectedCells() {
    selectedCells_.clear();
    headersDirty_ = true;
}

// ---------------------------------------------------------------- geometry

double TqCrosstab::rowScreenTop(int64_t row) const {
    return double(GetTotalColumnHeaderHeight()) + GetColumnHeaderHeight() + GetRowTranslationOffset(row) - GetScrollY();
}

double TqCrosstab::columnScreenLeft(int col) const {
    return double(GetTotalRowHeaderWidth()) + GetRowNumberColumnWidth() + GetColumnTranslationOffset(col) - GetScrollX();
}

bool TqCrosstab::cellRect(int cell, double& x, double& y, double& w, double& h) const {
    const Cell* c = GetCrosstabCell(cell);
    if (!c || c->first < 0) return false;
    if (c->axis == AXIS_ROW) {
        int lv = indented_ ? 0 : std::min<int>(c->level, int(rowLevelWidths_.size()) - 1);
        if (lv < 0) return false;
        x = 0.0;
        for (int i = 0; i < lv; ++i) x += rowLevelWidths_[size_t(i)];
        w = c->leaf || indented_ ? double(GetTotalRowHeaderWidth()) - x : rowLevelWidths_[size_t(lv)];
        y = rowScreenTop(c->first);
        h = rowScreenTop(std::min(c->first + c->extent, GetNumRows())) - y;
    } else {
        int lv = indentedColumns_ ? 0 : std::min<int>(c->level, int(columnLevelHeights_.size()) - 1);
        if (lv < 0) return false;
        y = 0.0;
        for (int i = 0; i < lv; ++i) y += columnLevelHeights_[size_t(i)];
        h = c->leaf || indentedColumns_ ? double(GetTotalColumnHeaderHeight()) - y : columnLevelHeights_[size_t(lv)];
        x = columnScreenLeft(int(std::min<int64_t>(c->first, GetNumColumns())));
        w = columnScreenLeft(int(std::min<int64_t>(c->first + c->extent, GetNumColumns()))) - x;
    }
    return w > 0.0 && h > 0.0;
}

int TqCrosstab::rowLevelAt(double x) const {
    if (indented_) return x >= 0.0 && x < GetTotalRowHeaderWidth() ? 0 : -1;
    double left = 0.0;
    for (size_t i = 0; i < rowLevelWidths_.size(); ++i) {
        if (x >= left && x < left + rowLevelWidths_[i]) return int(i);
        left += rowLevelWidths_[i];
    }
    return -1;
}

int TqCrosstab::columnLevelAt(double y) const {
    if (indentedColumns_) return y >= 0.0 && y < GetTotalColumnHeaderHeight() ? 0 : -1;
    double top = 0.0;
    for (size_t i = 0; i < columnLevelHeights_.size(); ++i) {
        if (y >= top && y < top + columnLevelHeights_[i]) return int(i);
        top += columnLevelHeights_[i];
    }
    return -1;
}

Rect TqCrosstab::toNode(double x, double y, double w, double h) const {
    return {static_cast<float>(outer_.x + x), static_cast<float>(outer_.y + outer_.height - y - h), static_cast<float>(w),
            static_cast<float>(h)};
}

Point TqCrosstab::ToDataArea(float x, float y) const {
    return {x - GetTotalRowHeaderWidth(), y - GetTotalColumnHeaderHeight()};
}

std::vector<TqCrosstab::ButtonPlace> TqCrosstab::placeButtons(const Cell& c, double left, double top, double right,
                                                               double lineH, float side, double& textLeft,
                                                               double& textRight) const {
    std::vector<ButtonPlace> out;
    const double pad = GetHorizontalPadding();
    const double by = top + (lineH - side) / 2.0;
    textLeft = left + pad + (isIndented(c) ? c.level * indent_ : 0.0);
    textRight = right - pad;
    for (int b : c.buttons) {
        if (b == BUTTON_CELL || isPageButton(b)) continue;
        out.push_back({b, textLeft, by});
        textLeft += side + pad;
    }
    // Paging buttons in their own order (to the start, back, on, to the
    // end), right-aligned so that they sit beside the data they page.
    static const int order[] = {BUTTON_PAGE_UP_END, BUTTON_PAGE_UP, BUTTON_PAGE_DOWN, BUTTON_PAGE_DOWN_END};
    int count = 0;
    for (int b : order) count += std::find(c.buttons.begin(), c.buttons.end(), b) != c.buttons.end() ? 1 : 0;
    double bx = right - pad - count * double(side) - std::max(0, count - 1) * 2.0;
    if (count > 0) textRight = bx - pad;
    for (int b : order) {
        if (std::find(c.buttons.begin(), c.buttons.end(), b) == c.buttons.end()) continue;
        out.push_back({b, bx, by});
        bx += side + 2.0;
    }
    return out;
}

int TqCrosstab::hitButton(int cell, double x, double y) const {
    const Cell* c = GetCrosstabCell(cell);
    double cx, cy, cw, chh;
    if (!c || !cellRect(cell, cx, cy, cw, chh)) return BUTTON_NONE;
    double areaTop = c->axis == AXIS_ROW ? GetTotalColumnHeaderHeight() + GetColumnHeaderHeight() : 0.0;
    double areaLeft = c->axis == AXIS_COLUMN ? GetTotalRowHeaderWidth() : 0.0;
    double areaRight = c->axis == AXIS_ROW ? std::min<double>(GetTotalRowHeaderWidth(), outer_.width) : outer_.width;
    double top = std::max(cy, areaTop), left = std::max(cx, areaLeft), right = std::min(cx + cw, areaRight);
    double lineH = c->axis == AXIS_ROW ? std::min(chh, double(GetRowHeight(c->first))) : chh;
    float side = buttonSide(float(lineH));
    double textLeft, textRight;
    for (const auto& b : placeButtons(*c, left, top, right, lineH, side, textLeft, textRight))
        if (x >= b.x - 2 && x <= b.x + side + 2 && y >= b.y - 2 && y <= b.y + side + 2) return b.type;
    for (int b : c->buttons)
        if (b == BUTTON_CELL) return BUTTON_CELL;
    return BUTTON_NONE;
}

// ---------------------------------------------------------------- pick ids

uint64_t TqCrosstab::GetHeaderPickID(int component, int64_t leaf, int level, int button) {
    if (level < 0 || level > MAX_LEVELS || button < 0 || button > 15) return NO_PICK_ID;
    return GetPickID(std::max<int64_t>(leaf, 0), level | (button << 8), component);
}

int TqCrosstab::GetLevelFromPickID(uint64_t id) { return id == NO_PICK_ID ? -1 : GetColumnFromPickID(id) & 0xff; }

int TqCrosstab::GetButtonFromPickID(uint64_t id) {
    int comp = ConvertPickIDtoComponentID(id);
    if (comp != COMPONENT_COLUMN_HEADER && comp != COMPONENT_ROW_HEADER) return BUTTON_NONE;
    return (GetColumnFromPickID(id) >> 8) & 0xf;
}

int TqCrosstab::GetCellForPickID(uint64_t id) const {
    int comp = ConvertPickIDtoComponentID(id);
    if (comp != COMPONENT_COLUMN_HEADER && comp != COMPONENT_ROW_HEADER) return -1;
    return GetCellAt(comp == COMPONENT_ROW_HEADER ? AXIS_ROW : AXIS_COLUMN, GetLevelFromPickID(id), GetRowFromPickID(id));
}

uint64_t TqCrosstab::GetCrosstabPickIDAtScreenPosition(float x, float y) const {
    if (!std::isfinite(x) || !std::isfinite(y) || x < 0.0f || y < 0.0f || x >= outer_.width || y >= outer_.height)
        return NO_PICK_ID;
    finish();
    double rw = GetTotalRowHeaderWidth(), ch = GetTotalColumnHeaderHeight();
    double mh = GetColumnHeaderHeight();
    if (x >= rw && y >= ch) {
        Point p = ToDataArea(x, y);
        return GetPickIDAtScreenPosition(p.x, p.y);
    }
    if (x < rw && y < ch + mh) {
        // The corner: axis-label headers of the columns (one per column
        // level row) and of the rows (in the measure-header row).
        if (!showAxisHeaders_) return NO_PICK_ID;
        if (y < ch) {
            int lv = columnLevelAt(y);
            return lv < 0 ? NO_PICK_ID : GetHeaderPickID(COMPONENT_COLUMN_AXIS_HEADER, 0, lv, 0);
        }
        int lv = rowLevelAt(x);
        return lv < 0 ? NO_PICK_ID : GetHeaderPickID(COMPONENT_ROW_AXIS_HEADER, 0, lv, 0);
    }
    if (x < rw) {
        Point p = ToDataArea(std::max(0.0f, float(rw)), y);
        int64_t row = GetRowIndexAtScreenPosition(0.0f, p.y, false);
        if (row < 0) return NO_PICK_ID;
        int cell = -1;
        if (indented_) {
            cell = GetLeafCell(AXIS_ROW, row);
        } else {
            int lv = rowLevelAt(x);
            if (lv < 0) return NO_PICK_ID;
            cell = GetCellAt(AXIS_ROW, lv, row);
            // The last level column holds the leaves of every deeper level.
            if (cell < 0 && lv == int(rowLevelWidths_.size()) - 1) cell = GetLeafCell(AXIS_ROW, row);
        }
        if (cell < 0) return NO_PICK_ID;
        const Cell& c = cells_[size_t(cell)];
        return GetHeaderPickID(COMPONENT_ROW_HEADER, c.first, c.level, hitButton(cell, x, y));
    }
    // Column-header rows.
    int lv = columnLevelAt(y);
    if (lv < 0) return NO_PICK_ID;
    int col = GetColumnIndexAtScreenPosition(float(x - rw), 0.0f, false);
    if (col < 0) return NO_PICK_ID;
    int cell = indentedColumns_ ? GetLeafCell(AXIS_COLUMN, col) : GetCellAt(AXIS_COLUMN, lv, col);
    if (cell < 0 && lv == int(columnLevelHeights_.size()) - 1) cell = GetLeafCell(AXIS_COLUMN, col);
    if (cell < 0) return NO_PICK_ID;
    const Cell& c = cells_[size_t(cell)];
    return GetHeaderPickID(COMPONENT_COLUMN_HEADER, c.first, c.level, hitButton(cell, x, y));
}

Rect TqCrosstab::GetScreenRectForPickID(uint64_t id) const {
    int comp = ConvertPickIDtoComponentID(id);
    double x = 0, y = 0, w = 0, h = 0;
    double rw = GetTotalRowHeaderWidth(), ch = GetTotalColumnHeaderHeight();
    switch (comp) {
    case COMPONENT_CELL:
    case COMPONENT_HEADER: {
        int col = GetColumnFromPickID(id);
        int64_t row = GetRowFromPickID(id);
        if (col < 0 || col >= GetNumColumns()) return {};
        x = columnScreenLeft(col);
        w = GetColumnWidth(col);
        if (comp == COMPONENT_HEADER) {
            y = ch;
            h = GetColumnHeaderHeight();
        } else {
            if (row < 0 || row >= GetNumRows()) return {};
            y = rowScreenTop(row);
            h = GetRowHeight(row);
        }
        break;
    }
    case COMPONENT_COLUMN_HEADER:
    case COMPONENT_ROW_HEADER:
        if (!cellRect(GetCellForPickID(id), x, y, w, h)) return {};
        break;
    case COMPONENT_ROW_AXIS_HEADER: {
        int lv = GetLevelFromPickID(id);
        if (lv < 0 || size_t(lv) >= rowLevelWidths_.size()) return {};
        for (int i = 0; i < lv && !indented_; ++i) x += rowLevelWidths_[size_t(i)];
        w = indented_ ? rw : rowLevelWidths_[size_t(lv)];
        y = ch;
        h = GetColumnHeaderHeight();
        break;
    }
    case COMPONENT_COLUMN_AXIS_HEADER: {
        int lv = GetLevelFromPickID(id);
        if (lv < 0 || size_t(lv) >= columnLevelHeights_.size() || (indentedColumns_ && lv > 0)) return {};
        for (int i = 0; i < lv; ++i) y += columnLevelHeights_[size_t(i)];
        w = rw;
        h = columnLevelHeights_[size_t(lv)];
        break;
    }
    default: return {};
    }
    return {float(x), float(y), float(w), float(h)};
}

bool TqCrosstab::IsPickOnScreen(uint64_t id) const {
    const Rect r = GetScreenRectForPickID(id);
    if (!(r.width > 0.0f && r.height > 0.0f)) return false;
    switch (ConvertPickIDtoComponentID(id)) {
    case COMPONENT_CELL:
    case COMPONENT_HEADER: return IsCellOnScreen(id);
    case COMPONENT_ROW_HEADER:
    case COMPONENT_COLUMN_HEADER: {
        // A header scrolls with the data rows (or columns) it spans: it shows
        // while one of them does.
        const Cell* c = GetCrosstabCell(GetCellForPickID(id));
        if (!c) return false;
        int64_t r0, r1;
        int c0, c1;
        GetMinMaxVisibleRowColIndices(r0, r1, c0, c1);
        const int64_t first = c->first, last = c->first + std::max<int64_t>(c->extent, 1) - 1;
        if (c->axis == AXIS_ROW) return r0 >= 0 && first <= r1 && last >= r0;
        return c0 >= 0 && first <= c1 && last >= c0;
    }
    default: return true;
    }
}

std::string TqCrosstab::GetPickText(uint64_t id) const {
    int comp = ConvertPickIDtoComponentID(id);
    switch (comp) {
    case COMPONENT_CELL: return GetCellText(GetRowFromPickID(id), GetColumnFromPickID(id));
    case COMPONENT_HEADER: return GetColumnHeader(GetColumnFromPickID(id));
    case COMPONENT_COLUMN_HEADER:
    case COMPONENT_ROW_HEADER: {
        const Cell* c = GetCrosstabCell(GetCellForPickID(id));
        return c ? c->label : std::string();
    }
    case COMPONENT_ROW_AXIS_HEADER: return GetCrosstabAxisHeaderString(AXIS_ROW, GetLevelFromPickID(id));
    case COMPONENT_COLUMN_AXIS_HEADER: return GetCrosstabAxisHeaderString(AXIS_COLUMN, GetLevelFromPickID(id));
    default: return {};
    }
}

bool TqCrosstab::IsCrosstabCellTextTruncated(uint64_t id) const {
    Rect r = GetScreenRectForPickID(id);
    if (r.width <= 0.0f) return false;
    int comp = ConvertPickIDtoComponentID(id);
    float room = r.width - 2.0f * float(GetHorizontalPadding());
    float need = 0.0f;
    if (comp == COMPONENT_ROW_HEADER || comp == COMPONENT_COLUMN_HEADER) {
        int cell = GetCellForPickID(id);
        need = MeasureHeaderCellWidth(cell) - 2.0f * float(GetHorizontalPadding());
    } else {
        need = textWidth(GetPickText(id), comp != COMPONENT_CELL);
    }
    return need > room + 0.5f;
}

int TqCrosstab::GetRowHeaderSeparatorAtScreenPosition(float x, float y) const {
    if (!std::isfinite(x) || !std::isfinite(y) || y < 0.0f || y >= outer_.height) return -1;
    double edge = 0.0;
    for (size_t i = 0; i < rowLevelWidths_.size(); ++i) {
        edge += rowLevelWidths_[i];
        if (indented_ && i > 0) break;
        if (std::fabs(edge - x) <= GetSeparatorTolerance()) return int(i);
        if (indented_) break;
    }
    return -1;
}

// ---------------------------------------------------------------- drawing

void TqCrosstab::rebuildHeaders() const {
    finish();
    headers_ = TqRef<TqGroup>(new TqGroup());
    TqGroup& g = *headers_;
    const double W = outer_.width, H = outer_.height;
    const double rw = std::min<double>(GetTotalRowHeaderWidth(), W), ch = std::min<double>(GetTotalColumnHeaderHeight(), H);
    const double mh = GetColumnHeaderHeight();
    const double pad = GetHorizontalPadding(), vpad = GetVerticalPadding();
    const double bodyTop = ch + mh;
    builtX_ = GetScrollX();
    builtY_ = GetScrollY();
    headersDirty_ = false;
    if (W <= 0.0 || H <= 0.0) return;
    int64_t r0, r1;
    int c0, c1;
    GetMinMaxVisibleRowColIndices(r0, r1, c0, c1);

    auto clipGroup = [&](double x, double y, double w, double h) {
        return AddClipGroup(g, toNode(x, y, std::max(0.0, w), std::max(0.0, h)));
    };
    auto local = [&](TqGroup* cg, double x, double y, double w, double h) { return InGroup(*cg, toNode(x, y, w, h)); };
    auto text = [&](TqGroup* cg, const std::string& s, double x, double y, double w, double h, int align, bool bold,
                    uint32_t color, bool underline) {
        if (s.empty() || w <= 0.0) return;
        Rect r = local(cg, x, y, w, h);
        int anchor = align == 0 ? TqAnchor::TOP_LEFT : align == 1 ? TqAnchor::TOP_CENTER : TqAnchor::TOP_RIGHT;
        float ax = align == 0 ? r.x : align == 1 ? r.x + r.width / 2 : r.maxX();
        auto* t = new TqText(s, ax, r.maxY(), anchor);
        t->SetFontName(fontFamily_);
        t->SetFontSize(fontSize_);
        t->SetBold(bold || fontBold_);
        t->SetItalic(fontItalic_);
        t->SetUnderline(underline);
        t->SetColor(color);
        t->SetTextAlignment(align);
        t->SetMaxSize(r.width, std::max(r.height, 1.0f));
        cg->AddChild(t);
    };
    auto box = [&](TqGroup* cg, double x, double y, double w, double h, uint32_t fill) {
        Rect r = local(cg, x, y, w, h);
        if (fill != TQ_COLOR_NONE) {
            auto* bg = new TqRectangle(r.x, r.y, r.width, r.height);
            bg->SetFillColor(fill);
            cg->AddChild(bg);
        }
        // Separators on the right and bottom edges.
        line(*cg, r.maxX() - 0.5f, r.y, r.maxX() - 0.5f, r.maxY(), separatorColor_);
        line(*cg, r.x, r.y + 0.5f, r.maxX(), r.y + 0.5f, separatorColor_);
    };
    auto button = [&](TqGroup* cg, int type, int axis, double x, double y, float side) {
        Rect r = local(cg, x, y, side, side);
        auto* b = new TqRectangle(r.x, r.y, r.width, r.height);
        b->SetFillColor(0xffffff);
        b->SetOutline(true);
        b->SetOutlineColor(0x7a8088);
        cg->AddChild(b);
        float cx = r.x + r.width / 2, cy = r.y + r.height / 2, a = std::max(2.0f, side * 0.28f);
        const uint32_t ink = 0x2a2f36;
        switch (type) {
        case BUTTON_EXPAND:
            line(*cg, cx - a, cy, cx + a, cy, ink, 1.5f);
            line(*cg, cx, cy - a, cx, cy + a, ink, 1.5f);
            break;
        case BUTTON_COLLAPSE: line(*cg, cx - a, cy, cx + a, cy, ink, 1.5f); break;
        case BUTTON_DRILL:
            // A chevron pointing down: into the member.
            line(*cg, cx - a, cy + a * 0.5f, cx, cy - a * 0.5f, ink, 1.5f);
            line(*cg, cx, cy - a * 0.5f, cx + a, cy + a * 0.5f, ink, 1.5f);
            break;
        default: {
            // Paging: a chevron (one page) or a chevron against a bar (to
            // the end), pointing where the rows (up, down) or the columns
            // (left, right) move in. Node coordinates: y grows upwards.
            const bool back = type == BUTTON_PAGE_UP || type == BUTTON_PAGE_UP_END;
            const bool end = type == BUTTON_PAGE_UP_END || type == BUTTON_PAGE_DOWN_END;
            const float d = a * 0.5f;
            if (axis == AXIS_ROW) {
                const float s = back ? 1.0f : -1.0f;  // tip up for back
                line(*cg, cx - a, cy - s * d, cx, cy + s * d, ink, 1.5f);
                line(*cg, cx, cy + s * d, cx + a, cy - s * d, ink, 1.5f);
                if (end) line(*cg, cx - a, cy + s * (d + 2.0f), cx + a, cy + s * (d + 2.0f), ink, 1.5f);
            } else {
                const float s = back ? -1.0f : 1.0f;  // tip left for back
                line(*cg, cx - s * d, cy + a, cx + s * d, cy, ink, 1.5f);
                line(*cg, cx + s * d, cy, cx - s * d, cy - a, ink, 1.5f);
                if (end) line(*cg, cx + s * (d + 2.0f), cy + a, cx + s * (d + 2.0f), cy - a, ink, 1.5f);
            }
        }
        }
    };
    // A level's sort indicator, centred in the room that ends at `right`.
    auto sortIndicator = [&](TqGroup* cg, int code, double right, double y, double h) {
        if (!code || right - SORT_INDICATOR_ROOM < 0.0) return;
        Rect r = local(cg, right - SORT_INDICATOR_ROOM, y, SORT_INDICATOR_ROOM, h);
        AddSortIndicator(*cg, r.x + r.width / 2, r.y + r.height / 2, code);
    };
    // One header cell: fill, separators, buttons, then the label in what is
    // left of its visible part.
    auto drawCell = [&](TqGroup* cg, int id, double areaLeft, double areaTop, double areaRight, double areaBottom) {
        const Cell& c = cells_[size_t(id)];
        double x, y, w, h;
        if (!cellRect(id, x, y, w, h)) return;
        int comp = c.axis == AXIS_ROW ? COMPONENT_ROW_HEADER : COMPONENT_COLUMN_HEADER;
        uint32_t fill = c.total ? headerFill_[COMPONENT_TOTAL] : headerFill_[comp];
        uint32_t ink = c.total ? headerText_[COMPONENT_TOTAL] : headerText_[comp];
        box(cg, x, y, w, h, fill);
        double vx = std::max(x, areaLeft), vy = std::max(y, areaTop);
        double vr = std::min(x + w, areaRight), vb = std::min(y + h, areaBottom);
        if (vr <= vx || vb <= vy) return;
        double lineH = c.axis == AXIS_ROW ? std::min(h, double(GetRowHeight(c.first))) : h;
        float side = buttonSide(float(lineH));
        double tx, tr;
        for (const auto& b : placeButtons(c, vx, vy, vr, lineH, side, tx, tr)) button(cg, b.type, c.axis, b.x, b.y, side);
        // Centred column labels, except beside buttons and in the indented
        // layout (where the indent shows the level).
        int align = c.axis == AXIS_ROW || !c.buttons.empty() || isIndented(c) ? 0 : 1;
        double tw = tr - tx;
        double ty = vy + vpad;
        // Links (members to drill into) in a link colour.
        text(cg, c.label, tx, ty, tw, std::max(1.0, std::min(lineH, vb - vy) - 2 * vpad), align, c.total,
             c.hyperlink ? 0x1f4f99u : ink, c.hyperlink);
    };

    // Row headers: the cells covering the visible rows, each drawn once.
    if (rw > 0.0 && r0 >= 0 && H > bodyTop) {
        TqGroup* cg = clipGroup(0, bodyTop, rw, H - bodyTop);
        std::unordered_set<int> drawn;
        for (int64_t r = r0; r <= r1; ++r) {
            for (int id = GetLeafCell(AXIS_ROW, r); id >= 0; id = cells_[size_t(id)].parent) {
                if (indented_ && !cells_[size_t(id)].leaf) break;
                if (!drawn.insert(id).second) break;  // its ancestors are drawn too
                drawCell(cg, id, 0, bodyTop, rw, H);
                if (indented_) break;
            }
        }
    }
    // Column headers.
    if (ch > 0.0 && c0 >= 0 && W > rw) {
        TqGroup* cg = clipGroup(rw, 0, W - rw, ch);
        std::unordered_set<int> drawn;
        for (int c = c0; c <= c1; ++c) {
            for (int id = GetLeafCell(AXIS_COLUMN, c); id >= 0; id = cells_[size_t(id)].parent) {
                if (indentedColumns_ && !cells_[size_t(id)].leaf) break;
                if (!drawn.insert(id).second) break;
                drawCell(cg, id, rw, 0, W, ch);
                if (indentedColumns_) break;
            }
        }
    }
    // The corner: column-axis labels (right-aligned, one per column level
    // row) and row-axis labels in the measure-header row.
    if (rw > 0.0 && bodyTop > 0.0) {
        TqGroup* cg = clipGroup(0, 0, rw, std::min(bodyTop, H));
        double y = 0.0;
        size_t levels = indentedColumns_ ? std::min<size_t>(1, columnLevelHeights_.size()) : columnLevelHeights_.size();
        for (size_t i = 0; i < levels; ++i) {
            double h = columnLevelHeights_[i];
            box(cg, 0, y, rw, h, headerFill_[COMPONENT_COLUMN_AXIS_HEADER]);
            if (showAxisHeaders_) {
                // The level's sort indicator at the right end; the label,
                // right-aligned, ends before it. Indented: every level's
                // label in the one row.
                std::string label = columnAxisLabels_[i];
                if (indentedColumns_)
                    for (size_t k = 1; k < columnAxisLabels_.size(); ++k) label += " / " + columnAxisLabels_[k];
                const double room = columnAxisSort_[i] ? SORT_INDICATOR_ROOM : 0.0;
                text(cg, label, pad, y + vpad, rw - 2 * pad - room, h - 2 * vpad, 2, true,
                     headerText_[COMPONENT_COLUMN_AXIS_HEADER], false);
                sortIndicator(cg, columnAxisSort_[i], rw - pad, y, h);
            }
            y += h;
        }
        double x = 0.0;
        size_t n = indented_ ? std::min<size_t>(1, rowLevelWidths_.size()) : rowLevelWidths_.size();
        for (size_t i = 0; i < n; ++i) {
            double w = indented_ ? rw : rowLevelWidths_[i];
            box(cg, x, ch, w, mh, headerFill_[COMPONENT_ROW_AXIS_HEADER]);
            if (showAxisHeaders_) {
                std::string label = rowAxisLabels_[i];
                if (indented_)
                    for (size_t k = 1; k < rowAxisLabels_.size(); ++k) label += " / " + rowAxisLabels_[k];
                const double room = rowAxisSort_[i] ? SORT_INDICATOR_ROOM : 0.0;
                text(cg, label, x + pad, ch + vpad, w - 2 * pad - room, mh - 2 * vpad, 0, true,
                     headerText_[COMPONENT_ROW_AXIS_HEADER], false);
                sortIndicator(cg, rowAxisSort_[i], x + w - pad, ch, mh);
            }
            x += w;
        }
    }
    // Selected data cells: a tint and an outline over the cell.
    if (!selectedCells_.empty() && r0 >= 0 && c0 >= 0 && W > rw && H > bodyTop) {
        TqGroup* cg = clipGroup(rw, bodyTop, W - rw, H - bodyTop);
        for (int64_t r = r0; r <= r1; ++r) {
            auto it = std::lower_bound(selectedCells_.begin(), selectedCells_.end(), cellKey(r, c0));
            for (; it != selectedCells_.end() && int64_t(*it >> 20) == r; ++it) {
                int c = int(*it & ((1u << 20) - 1));
                if (c > c1) break;
                Rect rr = local(cg, columnScreenLeft(c), rowScreenTop(r), GetColumnWidth(c), GetRowHeight(r));
                auto* tint = new TqRectangle(rr.x, rr.y, rr.width, rr.height);
                tint->SetFillColor(GetSelectionColor());
                tint->SetOpacity(0.35f);
                tint->SetOutline(true);
                tint->SetOutlineColor(0x1f5fbf);
                tint->SetOutlineWidth(2.0f);
                cg->AddChild(tint);
            }
        }
    }
    // The keyboard's focused data cell: an outline as a table draws its own.
    builtFocus_ = GetShowFocusRect() ? GetFocusedCell() : NO_PICK_ID;
    if (builtFocus_ != NO_PICK_ID && ConvertPickIDtoComponentID(builtFocus_) == COMPONENT_CELL && r0 >= 0 && c0 >= 0 &&
        W > rw && H > bodyTop) {
        const int64_t r = GetRowFromPickID(builtFocus_);
        const int c = GetColumnFromPickID(builtFocus_);
        if (r >= r0 && r <= r1 && c >= c0 && c <= c1) {
            TqGroup* cg = clipGroup(rw, bodyTop, W - rw, H - bodyTop);
            Rect rr = local(cg, columnScreenLeft(c) + 1.0, rowScreenTop(r) + 1.0, GetColumnWidth(c) - 2.0,
                            GetRowHeight(r) - 2.0);
            auto* frame = new TqRectangle(rr.x, rr.y, rr.width, rr.height);
            frame->SetOutline(true);
            frame->SetOutlineColor(FOCUS_COLOR);
            frame->SetOutlineWidth(2.0f);
            cg->AddChild(frame);
        }
    }
    // The edges between the header areas and the data.
    if (rw > 0.0) line(g, float(outer_.x + rw) - 0.5f, outer_.y, float(outer_.x + rw) - 0.5f, outer_.maxY(), 0x9aa0a8);
    if (bodyTop > 0.0) {
        Rect r = toNode(0, bodyTop, W, 0);
        line(g, r.x, r.y + 0.5f, r.maxX(), r.y + 0.5f, 0x9aa0a8);
    }
}

const TqGroup* TqCrosstab::GetHeaderContent() const {
    if (scrollListener_ && (builtX_ != GetScrollX() || builtY_ != GetScrollY())) scrollListener_();
    if (headersDirty_ || !finished_ || !headers_ || builtX_ != GetScrollX() || builtY_ != GetScrollY() ||
        builtFocus_ != (GetShowFocusRect() ? GetFocusedCell() : NO_PICK_ID))
        rebuildHeaders();
    return headers_.get();
}

Rect TqCrosstab::GetBounds() const { return outer_; }

void TqCrosstab::Draw(TqCanvas& canvas) const {
    TqDataGrid::Draw(canvas);
    canvas.pushClip(outer_);
    canvas.drawNode(*GetHeaderContent());
    canvas.popClip();
}

void TqCrosstab::WriteSVG(TqSvgWriter& svg) const {
    TqDataGrid::WriteSVG(svg);
    svg.writeNode(*GetHeaderContent());
}

bool TqCrosstab::HitTest(const TqPickQuery& query) const { return query.intersectsRect(outer_); }

void TqCrosstab::Pick(const TqPickQuery& query, std::vector<TqSelectionInfoStruct>& out, bool frontMostOnly) const {
    if (!IsVisible() || GetNodeId() < 0 || !query.intersectsRect(outer_)) return;
    Rect q = query.getBounds();
    // A point or small aperture: the crosstab's own hit test at its centre;
    // a larger rectangle: the data cells under it through the grid.
    float cx = q.x + q.width / 2.0f - outer_.x;
    float cy = outer_.y + outer_.height - (q.y + q.height / 2.0f);
    if (q.width <= 4.0f && q.height <= 4.0f) {
        uint64_t id = GetCrosstabPickIDAtScreenPosition(cx, cy);
        if (id != NO_PICK_ID) out.push_back({static_cast<unsigned int>(GetNodeId()), id});
        return;
    }
    TqDataGrid::Pick(query, out, frontMostOnly);
}

} // namespace displaylist
