// SPDX-License-Identifier: Apache-2.0
#pragma once
#include "orvane/displaylist/DisplayListExport.h"
#include "orvane/displaylist/TqController2D.h"
#include "orvane/displaylist/TqGeometry.h"
#include "orvane/displaylist/TqGridAxis.h"
#include "orvane/displaylist/TqImageMapEntryStruct.h"
#include "orvane/displaylist/TqRef.h"
#include "orvane/displaylist/TqScrollBarController.h"
#include "orvane/host/data/DataGridCellInfoStruct.h"

#include <cstdint>
#include <map>
#include <set>
#include <string>
#include <unordered_map>
#include <unordered_set>
#include <vector>

namespace orvane {
class DataGridDisplayRules;
}

namespace displaylist {

class TqGroup;

/// A table as one display-list node: a header row, an optional totals row
/// (under the header or after the last row), an optional row-number column,
/// frozen columns and a scrolling area. Only the visible window is turned
/// into drawing nodes (rectangles, texts, lines), which are rebuilt when
/// something changed and drawn, written to SVG and picked like any other node.
///
/// Geometry. Rows and columns are two TqGridAxis (default size plus sparse
/// overrides), so a table of 10^8 rows costs what is visible. Offsets, the
/// virtual page size and the scroll position are doubles; drawing nodes are
/// placed relative to the visible window, so the floats they hold stay small.
///
/// Coordinates. "Screen positions" (the F... hit tests, GetScrollOffsetForCell)
/// are pixels from the top left of the grid's frame, y down. Picks through the
/// node (Pick) use the node's own coordinates (y up, frame at (x, y, w, h)).
/// In right-to-left mode the columns run from the right edge.
///
/// Content. Texts are stored sparsely. A cell the grid draws or measures and
/// whose text is not stored is asked for through the cell callback
/// (DataGridDisplayRules::CellContentCallback), which answers with
/// SetStringEntryFromCallback; each cell is asked once until the grid is
/// resized (SetNumGridRowsAndColumns) or ClearCallbackTexts. Before drawing a
/// cell the grid fills a DataGridCellInfoStruct with its size, colours and
/// font and calls DisplayRuleCallback; it then draws with what the record
/// says (fill, text colour, font, a taller row for a picture).
///
/// Pictures. Columns of type 4 (the picture replaces the text) or 5 (picture
/// and text) ask for a picture in the record until the cell has one
/// (SetCellPicture); the grid keeps one picture per cell.
///
/// Grid lines: flag 1 (SetGridLines first) draws a horizontal rule under every
/// data row, flag 2 (second) a vertical rule after every column, both in the
/// grid-line colour; the further flag draws the rules under the header row and
/// over a bottom totals row (above the first row for totals on top) in its own
/// colour. The frame colour outlines the whole table.
///
/// Pick ids (64-bit, the detail index of a pick): component in the top 4
/// bits, row in the next 40, column in the low 20. Components: 0 data cell,
/// 1 row-number cell, 2 column header, 3 total.
class ORVANE_DISPLAYLIST_EXPORT TqDataGrid : public TqGeometry {
public:
    static constexpr int COMPONENT_CELL = 0;
    static constexpr int COMPONENT_ROW_NUMBER = 1;
    static constexpr int COMPONENT_HEADER = 2;
    static constexpr int COMPONENT_TOTAL = 3;
    static constexpr int64_t MAX_ROWS = int64_t(1) << 40;
    static constexpr int MAX_COLUMNS = 1 << 20;
    /// "No cell" (the -1 of callers that keep ints).
    static constexpr uint64_t NO_PICK_ID = ~uint64_t(0);
    /// Column types (bits).
    static constexpr int COLUMN_TEXT = 1;
    static constexpr int COLUMN_PICTURE = 4;
    static constexpr int COLUMN_PICTURE_AND_TEXT = 5;
    /// Sort indicators.
    static constexpr int SORT_NONE = 0;
    static constexpr int SORT_PRIMARY_ASCENDING = 1;
    static constexpr int SORT_PRIMARY_DESCENDING = 2;
    static constexpr int SORT_SECONDARY_ASCENDING = 3;
    static constexpr int SORT_SECONDARY_DESCENDING = 4;
    /// Line-break modes of SetFont.
    static constexpr int LINE_BREAK_NORMAL = 0;
    static constexpr int LINE_BREAK_RETAIN_NEW_LINES = 1;
    static constexpr int LINE_BREAK_UNUSED = 4;

    TqDataGrid(float x, float y, float width, float height, int nodeId);

    const char* GetKindName() const override { return "datagrid"; }

    // ---- frame and grid-wide settings
    void SetFrame(float x, float y, float width, float height);
    Rect GetFrame() const { return frame_; }
    void SetHorizontalOrigin(float x);
    float GetHorizontalOrigin() const { return origin_; }
    void SetTotalsOnTop(bool top);
    bool GetTotalsOnTop() const { return totalsOnTop_; }
    void SetShowEmptyRowsColumns(int rows, int columns);
    bool GetShowEmptyRows() const { return showEmptyRows_; }
    void SetShowRowNumbers(bool show);
    bool GetShowRowNumbers() const { return showRowNumbers_; }
    void SetShowColumnHeaders(bool show);
    bool GetShowColumnHeaders() const { return showHeaders_; }
    void SetRowNumberHeaderText(const std::string& text);
    void SetScrollTexts(const std::string& rowText, const std::string& columnText);
    void SetCellCallback(orvane::DataGridDisplayRules* callback) { callback_ = callback; }
    orvane::DataGridDisplayRules* GetCellCallback() const { return callback_; }
    void SetFixedColumnCount(int count);
    int GetFixedColumnCount() const { return fixedColumns_; }
    void SetCellPadding(int horizontal, int vertical);
    int GetHorizontalPadding() const { return hPad_; }
    int GetVerticalPadding() const { return vPad_; }
    void SetLineWrapping(bool wrap);
    bool GetLineWrapping() const { return wrap_; }
    void SetRightToLeft(bool rtl);
    bool IsRightToLeft() const { return rtl_; }
    /// Sizes the grid (rows up to 2^40, columns up to 2^20) and clears every
    /// per-cell state: texts, pictures, selection, sizes.
    void SetNumGridRowsAndColumns(int64_t rows, int columns);
    int64_t GetNumRows() const { return rows_.GetCount(); }
    int GetNumColumns() const { return static_cast<int>(columns_.GetCount()); }

    // ---- content
    void SetColumnHeader(int col, const std::string& text);
    const std::string& GetColumnHeader(int col) const;
    /// A totals row is shown when at least one column has a total.
    void SetColumnTotal(int col, const std::string& label, const std::string& value);
    bool HasTotals() const { return !totals_.empty(); }
    std::string GetColumnTotalText(int col) const;
    /// Stored eagerly: the callback is not asked for this cell afterwards.
    void SetCellStringEntry(int64_t row, int col, const std::string& text);
    /// The answer of the cell callback.
    void SetStringEntryFromCallback(int64_t row, int col, const std::string& text);
    /// The stored text, asking the callback when there is none yet.
    const std::string& GetCellText(int64_t row, int col) const;
    bool HasCellText(int64_t row, int col) const;
    /// Forgets the texts the callback supplied (eager texts stay).
    void ClearCallbackTexts();
    size_t GetStoredTextCount() const { return texts_.size(); }
    int64_t GetCallbackCount() const { return callbackCount_; }
    void ResetCallbackCount() { callbackCount_ = 0; }
    void SetColumnSortIndicator(int col, int code);
    int GetColumnSortIndicator(int col) const;
    void SetColumnType(int col, int type);
    int GetColumnType(int col) const;
    /// 0 left, 1 centre, 2 right.
    void SetColumnAlignment(int col, int alignment);
    int GetColumnAlignment(int col) const;
    /// Columns of type 5: the picture after the text instead of before it.
    void SetColumnPictureOnRight(int col, bool right);
    /// A picture for a cell, drawn inside it (the grid keeps a reference).
    /// Null removes it.
    void SetCellPicture(int64_t row, int col, TqGeometry* picture);
    TqGeometry* GetCellPicture(int64_t row, int col) const;
    void SetCellHyperlink(int64_t row, int col, bool link);
    /// Rows known to be empty are hidden when empty rows are not shown (the
    /// caller knows emptiness from its data; the grid never asks every cell).
    void SetRowEmpty(int64_t row, bool empty);

    // ---- styles
    // Font of a component (0 cells, 1 row numbers, 2 headers, 3 totals) for
    // one column, or every column with col -1.
    void SetFont(int component, int col, const std::string& family, float size, bool bold, bool italic,
                 bool underline, int lineBreakMode);
    void SetColumnColors(int component, int col, uint32_t textColor, uint32_t fillColor);
    void SetDefaultCellColors(uint32_t first, uint32_t second);
    void SetHeaderColors(uint32_t textColor, uint32_t fillColor);
    void SetTotalsColors(uint32_t textColor, uint32_t fillColor);
    void SetSelectionColor(uint32_t rgb);
    uint32_t GetSelectionColor() const { return selectionColor_; }
    void SetGridLines(bool first, bool second, uint32_t color);
    void SetFurtherGridLines(bool on, uint32_t color);
    void SetFrameColor(uint32_t rgb);
    void SetFocusRectColor(uint32_t rgb) { focusColor_ = rgb; }

    // ---- geometry and measurement
    // Widest text of the component over the rows (cells: rows first..last,
    // asked through the callback when missing) plus the horizontal padding.
    float MeasureColumnWidth(int component, int col, int64_t firstRow, int64_t lastRow) const;
    float GetPreferredColumnWidth(int col) const;
    void InitColumnWidth(int col, float width);
    void SetColumnWidth(int col, float width, bool relayout = true);
    float GetColumnWidth(int col) const;
    float GetRowNumberColumnWidth() const;
    /// A width for the row-number column (a user's resize); -1 measures it
    /// from its texts again.
    void SetRowNumberColumnWidth(float width);
    /// -1: the default row height.
    float GetRowHeight(int64_t row = -1) const;
    void SetRowHeight(int64_t row, float height);
    void SetDefaultRowHeight(float height);
    void SetMinRowHeight(float height);
    float GetMinRowHeight() const { return minRowHeight_; }
    /// Heights of wrapped texts: the rows holding texts eagerly and the rows
    /// now visible; never every row. Returns the (row, height) pairs set.
    std::vector<std::pair<int64_t, float>> MeasureVariableRowHeights();
    float MeasureColumnHeaderHeight();
    float GetColumnHeaderHeight() const;
    float GetTotalsHeight() const;
    /// Full content size (0 is the only kind).
    struct VirtualSize {
        double width = 0.0;
        double height = 0.0;
    };
    VirtualSize GetDataGridVirtualPageSize(int kind = 0) const;
    double GetColumnTranslationOffset(int col) const;
    double GetRowTranslationOffset(int64_t row) const;
    /// Partly visible rows and columns count; -1s for an empty window.
    void GetMinMaxVisibleRowColIndices(int64_t& minRow, int64_t& maxRow, int& minCol, int& maxCol) const;
    struct ScrollOffset {
        double x = 0.0;
        double y = 0.0;
    };
    /// The scroll position that shows the cell whole with the least movement.
    ScrollOffset GetScrollOffsetForCell(uint64_t pickId) const;
    /// Sizes of the scrolling area (frame minus headers, totals, frozen areas).
    double GetScrollAreaWidth() const;
    double GetScrollAreaHeight() const;

    // ---- scrolling (the controller's translation: position (x, y) = (-tx, ty))
    void SetScrollPosition(double x, double y);
    double GetScrollX() const;
    double GetScrollY() const;
    TqController2D* GetController2D() const { return controller_.get(); }
    TqScrollBarController* GetScrollBarController() const { return scrollBars_.get(); }
    bool AreScrollBarsShown() const;
    bool AllowsDragOutsideScrollBars() const { return false; }

    // ---- hit tests (screen positions)
    int GetColumnHeaderIndexAtScreenPosition(float x, float y, bool separator) const;
    int GetColumnIndexAtScreenPosition(float x, float y, bool separator) const;
    int64_t GetRowIndexAtScreenPosition(float x, float y, bool separator) const;
    /// 0 on the row-number column's edge (the only row-header level), else -1.
    int GetRowHeaderVerticalSeparatorIndexAtScreenPosition(float x, float y) const;
    bool IsPointInHeaderRegion(float x, float y) const;
    bool IsOverHyperLinkText(float x, float y) const;
    void SetHyperLinkTextHighlight(uint64_t pickId);
    void ClearHyperLinkTextHighlight();
    /// The column boundary nearest to x (0..columns).
    int GetColumnDropIndexAtScreenPosition(float x) const;
    /// The cell under a screen point, NO_PICK_ID outside.
    uint64_t GetPickIDAtScreenPosition(float x, float y) const;
    float GetSeparatorTolerance() const { return tolerance_; }
    void SetSeparatorTolerance(float tolerance);

    // ---- pick ids
    static uint64_t GetPickID(int64_t row, int col, int component);
    static int ConvertPickIDtoComponentID(uint64_t id);
    static int64_t GetRowFromPickID(uint64_t id);
    static int GetColumnFromPickID(uint64_t id);
    bool IsCellSelectable(uint64_t id) const;

    // ---- image map (the regions a screen reader walks)
    /// The cell's rectangle in node coordinates after the scroll translation
    /// (headers and totals stay in their bands, frozen columns do not scroll).
    /// False for a cell the grid does not have.
    bool GetCellBounds(uint64_t pickId, Rect& out) const;
    /// Whether any part of the cell shows in its band of the frame: data rows
    /// between the header (and top totals) and the bottom totals, scrolling
    /// columns right of the frozen ones.
    bool IsCellOnScreen(uint64_t pickId) const;
    /// The columns showing now, in display order: the frozen ones, then the
    /// scrolling ones in the window; with `ring` also the scrolling column on
    /// either side of the window.
    std::vector<int> GetVisibleColumns(bool ring) const;
    /// The selectable cells of the visible window in grid order: the header
    /// row, totals on top, data rows, totals at the bottom; columns in display
    /// order. With `includeOffscreen` also the row above and the row below the
    /// window and the column on either side (marked off screen): the cells one
    /// step of navigation reaches. Never more than the window and that ring,
    /// whatever the row count.
    void GetImageMapEntries(std::vector<TqImageMapEntryStruct>& out, bool includeOffscreen) const;

    // ---- selection and focus
    void SetRowSelected(int64_t row, bool selected);
    void ClearSelectedRows();
    /// Makes the selected rows those whose bits are set, 64 rows a word
    /// (row r is bit r % 64 of word r / 64); bits past the last row are dropped.
    void SetSelectedRows(const std::vector<uint64_t>& words);
    bool IsRowSelected(int64_t row) const {
        const auto r = static_cast<uint64_t>(row);
        return row >= 0 && (r >> 6) < selectedRows_.size() && ((selectedRows_[r >> 6] >> (r & 63)) & 1u);
    }
    size_t GetSelectedRowCount() const { return selectedCount_; }
    void SetRangeAnchor(uint64_t id) { anchor_ = id; }
    uint64_t GetRangeAnchor() const { return anchor_; }
    void SetFocusedCell(uint64_t id);
    uint64_t GetFocusedCell() const { return focus_; }
    void SetShowFocusRect(bool show);
    bool GetShowFocusRect() const { return showFocus_; }
    void SetLastSelectedIndex(uint64_t id) { last_ = id; }
    uint64_t GetLastSelectedIndex() const { return last_; }

    // ---- column drag
    // Starts (dx 0) or continues a drag of a column by dx pixels.
    void DragColumn(int col, float dx);
    int GetDraggedColumn() const { return dragCol_; }
    /// The display position the dragged column would take, or -1 (no drag,
    /// or no move); ends the drag. The grid's own order is left alone.
    int DropColumn(int col);

    // ---- node
    // Recompute offsets and the virtual size (after width or height changes).
    void Layout();
    Rect GetBounds() const override;
    void Draw(TqCanvas& canvas) const override;
    void WriteSVG(TqSvgWriter& svg) const override;
    bool HitTest(const TqPickQuery& query) const override;
    void Pick(const TqPickQuery& query, std::vector<TqSelectionInfoStruct>& out, bool frontMostOnly) const override;
    /// The drawing nodes of the visible window (rebuilt when needed).
    const TqGroup* GetVisibleContent() const;
    /// Bytes held by the grid itself (axes, stores, not the drawing nodes).
    size_t GetMemoryBytes() const;

protected:
    ~TqDataGrid() override;
    /// Room a sort indicator takes at the end of a header cell.
    static constexpr float SORT_INDICATOR_ROOM = 12.0f;
    /// Draws a sort indicator (a small triangle, up for ascending, grey for
    /// secondary sorts) centred on (cx, cy); nothing for SORT_NONE.
    static void AddSortIndicator(TqGroup& g, float cx, float cy, int code);
    /// Adds a clipping group over `clip` (node coordinates; negative sizes
    /// count as empty) to `parent` and returns it.
    static TqGroup* AddClipGroup(TqGroup& parent, Rect clip);
    /// A rectangle in node coordinates as seen inside `group`, which
    /// translates its children by its own origin.
    static Rect InGroup(const TqGroup& group, const Rect& node);
    void InvalidateCache() const override;

private:
    struct FontSpec {
        std::string family = "Arial";
        float size = 9.0f;
        bool bold = false;
        bool italic = false;
        bool underline = false;
        int lineBreakMode = LINE_BREAK_UNUSED;
    };
    struct Colors {
        uint32_t text = TQ_COLOR_NONE;
        uint32_t fill = TQ_COLOR_NONE;
    };
    struct Column {
        std::string header;
        bool hasTotal = false;
        std::string totalLabel;
        std::string totalValue;
        int sort = SORT_NONE;
        int type = COLUMN_TEXT;
        int alignment = 0;
        bool pictureRight = false;
        FontSpec fonts[4];
        bool ownFont[4] = {false, false, false, false};
        Colors colors[4];
    };
    /// A hit in top-down frame coordinates.
    struct Hit {
        int component = -1;  ///< -1 outside any cell
        int64_t row = -1;
        int col = -1;
    };
    static uint64_t key(int64_t row, int col) { return (uint64_t(row) << 20) | uint64_t(col); }

    void changed();
    float defaultRowHeight() const;
    float measureRowNumberColumn() const;
    void syncScrolling() const;
    const FontSpec& fontFor(int component, int col) const;
    float lineHeight(const FontSpec& f) const;
    float textWidth(const FontSpec& f, const std::string& text) const;
    float headerHeight() const;
    float totalsHeight() const;
    bool totalsShown() const { return !totals_.empty(); }
    /// Top of the data rows' area and its height, in frame pixels.
    double bodyTop() const;
    double bodyHeight() const;
    double horizontalBarSpace() const;
    double fixedWidth() const;  ///< row numbers + frozen columns
    int fixedCount() const;
    /// Left edge of a column in frame pixels (before mirroring), scrolled.
    double columnLeft(int col) const;
    double rowTop(int64_t row) const;
    double totalsTop() const;
    double logicalX(float x) const;
    Hit hitAt(double x, double y) const;
    int columnAt(double x) const;  ///< -1 on the row-number column or outside
    void rebuild() const;
    void drawCell(TqGroup& g, const Rect& r, int component, int64_t row, int col, const std::string& text,
                  DataGridCellInfoStruct* info) const;
    Rect toNode(double x, double y, double w, double h) const;

    Rect frame_;
    float origin_ = 0.0f;
    bool totalsOnTop_ = false;
    bool showEmptyRows_ = true;
    bool showEmptyColumns_ = true;
    bool showRowNumbers_ = false;
    bool showHeaders_ = true;
    std::string rowNumberHeader_;
    std::string scrollRowText_;
    std::string scrollColumnText_;
    orvane::DataGridDisplayRules* callback_ = nullptr;
    int fixedColumns_ = 0;
    int hPad_ = 5;
    int vPad_ = 5;
    bool wrap_ = false;
    bool rtl_ = false;
    float tolerance_ = 4.0f;
    float minRowHeight_ = 16.0f;
    float rowHeightSet_ = -1.0f;  ///< a default height set by the caller
    float headerHeight_ = -1.0f;  ///< measured; -1 until measured

    TqGridAxis columns_;
    TqGridAxis rows_;
    std::vector<Column> columnData_;
    std::map<int, bool> totals_;
    FontSpec defaultFonts_[4];
    Colors defaultColors_[4];
    uint32_t band1_ = 0xffffff;
    uint32_t band2_ = 0xffffff;
    uint32_t selectionColor_ = 0xabafb4;
    bool lineFirst_ = false;
    bool lineSecond_ = true;
    uint32_t lineColor_ = 0xd4d4d4;
    bool lineFurther_ = false;
    uint32_t furtherColor_ = 0xd4d4d4;
    uint32_t frameColor_ = 0x606060;
    uint32_t focusColor_ = 0x202020;

    mutable std::unordered_map<uint64_t, std::string> texts_;
    std::unordered_set<uint64_t> eager_;
    mutable int64_t callbackCount_ = 0;
    std::unordered_map<uint64_t, TqRef<TqGeometry>> pictures_;
    std::set<uint64_t> hyperlinks_;
    uint64_t hyperlinkHighlight_ = NO_PICK_ID;
    std::set<int64_t> emptyRows_;
    /// One bit per row: a selection of a million rows is marked in
    /// milliseconds, where a tree of rows took a third of a second.
    std::vector<uint64_t> selectedRows_;
    size_t selectedCount_ = 0;
    uint64_t anchor_ = NO_PICK_ID;
    uint64_t focus_ = NO_PICK_ID;
    uint64_t last_ = NO_PICK_ID;
    bool showFocus_ = false;
    int dragCol_ = -1;
    float dragDx_ = 0.0f;

    TqRef<TqController2D> controller_;
    TqRef<TqScrollBarController> scrollBars_;
    mutable TqRef<TqGroup> content_;
    mutable bool dirty_ = true;
    float rnWidth_ = 0.0f;
    float rnWidthSet_ = -1.0f;  ///< a width set by the caller
    float defaultHeaderHeight_ = 0.0f;
    float totalsHeight_ = 0.0f;
    mutable double builtX_ = -1.0;
    mutable double builtY_ = -1.0;
};

} // namespace displaylist
