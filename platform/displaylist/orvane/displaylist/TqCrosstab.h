// SPDX-License-Identifier: Apache-2.0
#pragma once
#include "orvane/displaylist/DisplayListExport.h"
#include "orvane/displaylist/TqDataGrid.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace displaylist {

/// A crosstab as one display-list node: a TqDataGrid for the data area (its
/// header row is the measure-header row) with a row-header area on the left
/// (one column per row level, or one indented column), a column-header area
/// on top (one row per column level), and the corner axis-label headers
/// (component 7 for the row levels, 8 for the column levels).
///
/// The data area keeps everything of the grid: double-precision offsets,
/// 64-bit pick ids, visible-window drawing and cell callbacks only for drawn
/// cells. The header areas follow the grid's scroll position and draw only
/// the header cells that cover visible rows or columns; a cell that spans
/// more than is visible keeps its label in the visible part.
///
/// Header cells form two trees added parent first. A leaf names its first
/// grid row (row axis) or first grid column (column axis) and its span; a
/// parent spans all of its leaves. A leaf above the deepest level stretches
/// over the remaining level columns (rows) of its axis.
///
/// Pick ids (the grid's layout: component in the top 4 bits, then 40 bits of
/// row and 20 of column): header cells use component 5 (column header) or 6
/// (row header), the cell's first leaf as the row and its level in the low
/// 8 bits of the column, with the button that was hit above them (bits 8 to
/// 11; 0 for the cell itself). Axis-label headers use 7 or 8 with the level
/// as the column.
///
/// Screen positions are pixels from the top left of the whole crosstab (y
/// down); the grid's own F... hit tests take positions in its data area.
class ORVANE_DISPLAYLIST_EXPORT TqCrosstab : public TqDataGrid {
public:
    static constexpr int COMPONENT_COLUMN_HEADER = 5;
    static constexpr int COMPONENT_ROW_HEADER = 6;
    static constexpr int COMPONENT_ROW_AXIS_HEADER = 7;
    static constexpr int COMPONENT_COLUMN_AXIS_HEADER = 8;
    static constexpr int AXIS_ROW = 0;
    static constexpr int AXIS_COLUMN = 1;
    /// Header button codes: 0 none, 1 the cell itself reacts (nothing drawn),
    /// 2 drill down, 3 expand, 4 collapse, then the paging buttons.
    static constexpr int BUTTON_NONE = 0;
    static constexpr int BUTTON_CELL = 1;
    static constexpr int BUTTON_DRILL = 2;
    static constexpr int BUTTON_EXPAND = 3;
    static constexpr int BUTTON_COLLAPSE = 4;
    static constexpr int BUTTON_PAGE_UP = 5;
    static constexpr int BUTTON_PAGE_UP_END = 6;
    static constexpr int BUTTON_PAGE_DOWN = 7;
    static constexpr int BUTTON_PAGE_DOWN_END = 8;
    static constexpr int MAX_LEVELS = 255;

    /// One header cell.
    struct Cell {
        std::string label;
        int axis = AXIS_ROW;
        int parent = -1;
        std::vector<int> children;
        int level = 0;        ///< depth below the root, from 0
        int64_t first = -1;   ///< first grid row or column it covers
        int64_t extent = 0;   ///< rows or columns it covers
        bool leaf = false;
        bool hyperlink = false;
        bool total = false;   ///< a total or subtotal header (drawn bold)
        std::vector<int> buttons;
    };

    TqCrosstab(float x, float y, float width, float height, int nodeId);

    const char* GetKindName() const override { return "crosstab"; }

    /// The whole crosstab's frame (the data area is what the headers leave).
    void SetFrame(float x, float y, float width, float height);
    Rect GetFrame() const { return outer_; }
    void SetDisplayScale(float scale);

    // ---- header areas
    void SetNumCrosstabRowHeaderColumns(int count);
    void SetNumCrosstabColumnHeaderRows(int count);
    int GetNumCrosstabRowHeaderColumns() const { return static_cast<int>(rowLevelWidths_.size()); }
    int GetNumCrosstabColumnHeaderRows() const { return static_cast<int>(columnLevelHeights_.size()); }
    void SetCrosstabRowAxisHeaderStringEntry(int level, const std::string& label);
    void SetCrosstabColumnAxisHeaderStringEntry(int level, const std::string& label);
    std::string GetCrosstabAxisHeaderString(int axis, int level) const;
    /// Sort indicator of an axis level (0 none, 1 ascending, 2 descending),
    /// drawn at the end of the level's axis-label header.
    void SetCrosstabAxisHeaderSortIndicator(int axis, int level, int code);
    int GetCrosstabAxisHeaderSortIndicator(int axis, int level) const;
    void SetShowAxisHeaders(bool show);
    bool GetShowAxisHeaders() const { return showAxisHeaders_; }
    /// Row headers in one column, each level indented by `indent` pixels.
    void SetIndentedRowHeaders(bool indented, float indent);
    bool GetIndentedRowHeaders() const { return indented_; }
    /// Column headers in one row: only the leaves are drawn, each level's
    /// label indented by the row headers' indent (a parent stands as its
    /// summary leaf, which comes first in the indented layout).
    void SetIndentedColumnHeaders(bool indented);
    bool GetIndentedColumnHeaders() const { return indentedColumns_; }
    /// Buttons are drawn this size at most (they shrink to fit a row).
    void SetButtonSize(float size);

    /// Empties the crosstab for a rebuild while the node itself is kept:
    /// the data grid (rows, columns, texts), both header trees, the axis
    /// levels and their labels, the selected cells and the cell callback.
    /// Frame, scroll position, fonts and colours stay.
    void ClearContent();
    /// Clear the cells of one axis (their texts, spans and buttons).
    void InvalidateRowHeader();
    void InvalidateColumnHeader();
    /// Adds a header cell under `parent` (-1: a top-level cell) and returns
    /// its handle. A leaf passes its first grid row or column as `leafIndex`
    /// and the rows or columns it covers as `span`; a parent passes -1.
    int AddCrosstabRowHeaderStringEntry(const std::string& label, int parent, int64_t leafIndex, int span = 1,
                                        bool hyperlink = false);
    int AddCrosstabColumnHeaderStringEntry(const std::string& label, int parent, int64_t leafIndex, int span = 1,
                                           bool hyperlink = false);
    void AddCrosstabCellButton(int cell, int buttonType);
    /// Removes one button of a header cell (nothing when it has none).
    void RemoveCrosstabCellButton(int cell, int buttonType);
    void SetCrosstabCellTotal(int cell, bool total);
    int GetCrosstabCellCount() const { return static_cast<int>(cells_.size()); }
    /// The cell of a handle; null for an unknown one.
    const Cell* GetCrosstabCell(int cell) const;
    /// The leaf cell that covers a grid row or column of an axis, -1 when none.
    int GetLeafCell(int axis, int64_t index) const;
    /// The cell of an axis at a level that covers a grid row or column.
    int GetCellAt(int axis, int level, int64_t index) const;

    // ---- sizes
    void SetCrosstabRowHeaderColumnWidth(int level, float width);
    float GetCrosstabRowHeaderColumnWidth(int level) const;
    void SetCrosstabColumnHeaderRowHeight(int level, float height);
    float GetCrosstabColumnHeaderRowHeight(int level) const;
    float GetTotalRowHeaderWidth() const;
    float GetTotalColumnHeaderHeight() const;
    /// Preferred width of a row-header level column: its widest cell among
    /// the first `sample` rows (and the axis label) plus the paddings and
    /// the room of its buttons.
    float MeasureRowHeaderColumnWidth(int level, int64_t sample) const;
    /// Width the corner needs for the column levels' axis labels (0 when
    /// axis headers are hidden).
    float MeasureColumnAxisLabelWidth() const;
    /// Preferred height of a column-header row: the line height plus paddings.
    float MeasureColumnHeaderRowHeight(int level) const;
    /// The width a header cell's label needs (text, paddings, buttons).
    float MeasureHeaderCellWidth(int cell) const;
    /// Font of the header areas (component 5/6 cells and 7/8 axis labels).
    void SetHeaderFont(const std::string& family, float size, bool bold, bool italic);
    /// Colours of a header component (5 to 8), or of total and subtotal
    /// header cells with COMPONENT_TOTAL.
    void SetCrosstabHeaderColors(int component, uint32_t textColor, uint32_t fillColor);
    void SetSeparatorColor(uint32_t color);
    /// The whole content: headers and data.
    VirtualSize GetCrosstabVirtualPageSize() const;

    // ---- cell selection (data cells)
    void SetCellSelected(int64_t row, int col, bool selected);
    bool IsCellSelected(int64_t row, int col) const;
    void ClearSelectedCells();
    size_t GetSelectedCellCount() const { return selectedCells_.size(); }

    // ---- picking and hit tests (screen positions of the whole crosstab)
    uint64_t GetCrosstabPickIDAtScreenPosition(float x, float y) const;
    static uint64_t GetHeaderPickID(int component, int64_t leaf, int level, int button);
    static int GetLevelFromPickID(uint64_t id);
    static int GetButtonFromPickID(uint64_t id);
    /// The header cell a pick id names, -1 for none.
    int GetCellForPickID(uint64_t id) const;
    /// The rectangle of a pick (screen position, y down), also for a cell
    /// scrolled out of the window (it then lies outside the frame or under
    /// the headers); empty for a pick the crosstab does not have.
    Rect GetScreenRectForPickID(uint64_t id) const;
    /// Whether any part of the pick shows: data cells and measure headers in
    /// the data area's window, row headers beside a visible data row, column
    /// headers above a visible data column; axis-label headers always.
    bool IsPickOnScreen(uint64_t id) const;
    bool IsCrosstabCellTextTruncated(uint64_t id) const;
    /// The text shown for a pick.
    std::string GetPickText(uint64_t id) const;
    /// The row-header level column whose right edge is within the separator
    /// tolerance of x, else -1.
    int GetRowHeaderSeparatorAtScreenPosition(float x, float y) const;
    /// Converts a screen position of the crosstab to one of the data area.
    Point ToDataArea(float x, float y) const;

    // ---- node
    Rect GetBounds() const override;
    void Draw(TqCanvas& canvas) const override;
    void WriteSVG(TqSvgWriter& svg) const override;
    bool HitTest(const TqPickQuery& query) const override;
    void Pick(const TqPickQuery& query, std::vector<TqSelectionInfoStruct>& out, bool frontMostOnly) const override;
    /// The drawing nodes of the header areas and the selection overlay.
    const TqGroup* GetHeaderContent() const;
    /// Called before the header areas are redrawn for a new scroll position
    /// (whoever scrolled: a gesture, the scroll bars, the keys), so that the
    /// owner can move what follows the visible window (paging buttons).
    void SetScrollListener(std::function<void()> listener) { scrollListener_ = std::move(listener); }

protected:
    ~TqCrosstab() override;
    void InvalidateCache() const override;

private:
    int addCell(int axis, const std::string& label, int parent, int64_t leafIndex, int span, bool hyperlink);
    void finish() const;
    void relayout();
    void rebuildHeaders() const;
    float buttonSide(float cellHeight) const;
    float textWidth(const std::string& text, bool bold) const;
    float lineHeight() const;
    /// Cell rectangles in screen pixels (y down), unclipped.
    bool cellRect(int cell, double& x, double& y, double& w, double& h) const;
    double rowScreenTop(int64_t row) const;
    double columnScreenLeft(int col) const;
    int rowLevelAt(double x) const;
    int columnLevelAt(double y) const;
    Rect toNode(double x, double y, double w, double h) const;
    int hitButton(int cell, double x, double y) const;
    /// One drawn button of a header cell: its code and top-left corner.
    struct ButtonPlace {
        int type;
        double x, y;
    };
    /// Places the buttons of a cell whose visible part runs from `left` to
    /// `right`, starting at `top`, one line `lineH` high: expand, collapse
    /// and drill at the start, the paging buttons at the end. Gives the room
    /// left for the label between `textLeft` and `textRight`. Drawing and
    /// hit testing share it, so a button is hit where it is drawn.
    std::vector<ButtonPlace> placeButtons(const Cell& c, double left, double top, double right, double lineH,
                                          float side, double& textLeft, double& textRight) const;
    static bool isPageButton(int type) { return type >= BUTTON_PAGE_UP && type <= BUTTON_PAGE_DOWN_END; }

    Rect outer_;
    float scale_ = 1.0f;
    std::vector<float> rowLevelWidths_;
    std::vector<float> columnLevelHeights_;
    std::vector<std::string> rowAxisLabels_;
    std::vector<std::string> columnAxisLabels_;
    std::vector<int> rowAxisSort_;
    std::vector<int> columnAxisSort_;
    bool showAxisHeaders_ = true;
    bool indented_ = false;
    bool indentedColumns_ = false;
    /// Whether a cell is drawn indented (one line, its level as an indent).
    bool isIndented(const Cell& c) const { return c.axis == AXIS_ROW ? indented_ : indentedColumns_; }
    float indent_ = 8.0f;
    float buttonSize_ = 26.0f;
    std::string fontFamily_ = "Arial";
    float fontSize_ = 9.0f;
    bool fontBold_ = false;
    bool fontItalic_ = false;
    uint32_t headerText_[9];
    uint32_t headerFill_[9];
    uint32_t separatorColor_ = 0xd4d4d4;

    std::vector<Cell> cells_;
    std::vector<int> roots_[2];
    mutable bool finished_ = true;
    mutable std::vector<int> leafOf_[2];           ///< grid row/column -> leaf cell
    mutable std::vector<std::vector<int>> byLevel_[2];  ///< cells by level, in order
    mutable int depth_[2] = {0, 0};
    std::vector<uint64_t> selectedCells_;          ///< sorted keys
    mutable TqRef<TqGroup> headers_;
    mutable bool headersDirty_ = true;
    mutable double builtX_ = -1.0, builtY_ = -1.0;
    std::function<void()> scrollListener_;
    mutable uint64_t builtFocus_ = NO_PICK_ID;  ///< the focused cell drawn (when shown)
};

} // namespace displaylist
