// SPDX-License-Identifier: Apache-2.0
#pragma once
#include "orvane/OrvaneExport.h"
#include "orvane/accessibility/AccessibilityController.h"
#include "orvane/displaylist/TqDataGrid.h"

#include <cstdint>
#include <limits>
#include <memory>
#include <vector>

namespace orvane {

class SonificationElement;

/// The accessibility controller of a grid (list table or crosstab): the
/// element list is the grid's visible window in grid order, and navigation
/// walks the whole table, not just the drawn cells.
///
/// The table is seen as a grid of rows and columns: the header rows, then the
/// data rows, with total rows where the table draws them. NEXT and PREVIOUS
/// go through it in reading order, row by row; CELL_UP/DOWN/LEFT/RIGHT move
/// to the neighbouring cell (left and right as drawn, so mirrored in a
/// right-to-left table); LOCAL_FIRST/LOCAL_LAST go to the ends of the current
/// row; FIRST and LAST to the first and last cell of the table. Cells the
/// grid cannot focus (hidden rows and columns) are skipped. A target outside
/// the visible window is paged to first, so the focused cell is always on
/// screen. At an edge the focus stays where it is, unless loop is on: then it
/// continues at the other end (of the table for NEXT/PREVIOUS, of the row or
/// column for the cell moves).
class ORVANE_EXPORT TableAccessibilityController : public AccessibilityController {
public:
    using SonificationList = std::vector<std::shared_ptr<SonificationElement>>;

    std::shared_ptr<AccessibilityElement> getCurrentAccessibilityElement() override;
    std::shared_ptr<AccessibilityElement> getAccessibilityElementFromIndex(int index);
    /// The elements of the grid row that holds element `index` (the row a
    /// screen reader reads out as a whole).
    ElementList getAccessibilityElementsFromIndex(int index);
    ElementList getAccessibilityElements(AccessibilityDetailType::type detail) override;
    using AccessibilityController::getAccessibilityElements;
    /// Moves in the grid as `type` asks, paging when needed; the index of the
    /// cell reached in the new element list, or NO_INDEX at an edge.
    int getNextIndex(NavigationType type);
    /// The on-screen element under (x, y) in the view's coordinates (null
    /// for none); focused when `focus` is true.
    std::shared_ptr<AccessibilityElement> getAccessibilityElementAt(float x, float y, bool focus);
    void setFocus(const std::shared_ptr<AccessibilityElement>& element) override;
    bool isOnScreen(const std::shared_ptr<AccessibilityElement>& element) override;
    int getDefaultNavigationIndex(NavigationType type) override;

    /// Sonification of the column (`column` true) or row the element stands
    /// in: one SonificationElement per value, at most `limit`, each with its
    /// cell's element and its tone over the range of the values (the
    /// missing-value tone for missing ones). A row pans from left (-1) to
    /// right (1); a column stays in the middle.
    SonificationList sonify(const std::shared_ptr<AccessibilityElement>& element, bool column,
                            size_t limit = 12000);
    /// The numbers sonify plays: NaN for missing or non-numeric cells.
    std::vector<double> getSeriesValues(const std::shared_ptr<AccessibilityElement>& element, bool column,
                                        size_t limit = 12000);

    // ---- the grid as navigation sees it; answered by each kind of table.
    /// Rows and columns of the whole grid, header and total rows included.
    virtual int64_t getGridRowCount() const = 0;
    virtual int64_t getGridColumnCount() const = 0;
    /// The detail index of the focusable cell at a grid position, or
    /// NO_DETAIL when nothing there can be focused.
    virtual uint64_t getGridDetail(int64_t row, int64_t column) const = 0;
    /// The grid position of a detail index; false when it names no cell now.
    virtual bool getGridPosition(uint64_t detail, int64_t& row, int64_t& column) const = 0;
    /// Scrolls so that the cell shows whole; `step` pages a whole screen
    /// when a one-cell move leaves the window vertically.
    virtual void scrollToDetail(uint64_t detail, bool step) = 0;
    /// The image-map entry of any cell, on screen or not.
    virtual bool getEntryForDetail(uint64_t detail, displaylist::TqImageMapEntryStruct& entry) const = 0;
    virtual bool isRightToLeft() const { return false; }
    /// The row a move from `fromRow` to `toRow` lands on: where the table
    /// keeps rows fixed (a header above scrolling rows), stepping from them
    /// into the scrolling rows enters at the row drawn next to them.
    virtual int64_t getEnteredRow(int64_t fromRow, int64_t toRow) const { (void)fromRow; return toRow; }
    /// Scrolls the rows to their start or end (a jump to the first or last cell).
    virtual void pageToEnd(bool end) { (void)end; }
    /// The data cells of the element's column or row, in table order.
    virtual std::vector<uint64_t> getSeriesDetails(uint64_t detail, bool column, size_t limit) const = 0;
    virtual double getNumericValue(uint64_t detail) const = 0;

    static constexpr uint64_t NO_DETAIL = std::numeric_limits<uint64_t>::max();

protected:
    bool navigatesByGrid() const override { return true; }
    /// What a grid element is besides its words (see AccessibilityElement).
    struct CellFacts {
        std::string role;
        int64_t row = 0;     ///< grid position, from 0
        int64_t column = 0;
        int64_t columnCount = 0;
        std::string sort;
        bool selected = false;
        int expanded = -1;
        std::string value;
    };
    /// The element of an entry with its label, hint, pick result and facts.
    std::shared_ptr<AccessibilityElement> makeCellElement(const displaylist::TqImageMapEntryStruct& entry,
                                                          const std::string& label, const std::string& hint,
                                                          const std::shared_ptr<PickResult>& pick,
                                                          const CellFacts& facts);
    /// Bounds the search for a focusable cell past hidden ones.
    static constexpr int64_t MAX_SKIP = 4096;
    /// The first focusable cell from (row, column) on in steps of (dRow,
    /// dColumn), passing over `skip` (the cell a spanning header started from).
    uint64_t findCell(int64_t row, int64_t column, int64_t dRow, int64_t dColumn, uint64_t skip = NO_DETAIL) const;
    /// The scroll position that shows a cell of the grid's data area whole:
    /// with `step`, a move off the window vertically first turns a page.
    static displaylist::TqDataGrid::ScrollOffset scrollOffsetShowing(displaylist::TqDataGrid& grid, uint64_t cell,
                                                                     bool step);
    uint64_t firstCell(bool fromEnd) const;
};

} // namespace orvane
