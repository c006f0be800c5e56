// SPDX-License-Identifier: Apache-2.0
#pragma once
#include "orvane/OrvaneExport.h"
#include "orvane/view/GestureHandler.h"

#include <cstdint>
#include <memory>
#include <vector>

namespace displaylist {
class TqDataGrid;
}

namespace orvane {

class PortableEvent;

/// The gesture and key handler of grid views (tables, crosstabs): taps
/// select, sort or page, double taps size a column to its content, pans
/// scroll, drag scroll-bar thumbs, resize columns and rows and move columns,
/// the mouse wheel scrolls by rows, and keys walk the cells.
///
/// It works on the grid node of its view (getDataGridNode) and leaves what a
/// grid means to its subclass through the virtual operations below (what a
/// selection writes, where widths are stored, how a header sorts). Points
/// arrive in the view's coordinates (origin lower left, y up) and are turned
/// into the grid's screen positions (origin top left, y down).
///
/// Every handler answers false, changing nothing, while the view is gone or
/// has no grid.
class ORVANE_EXPORT GridGestureHandler : public GestureHandler {
public:
    static constexpr int REQUIRED_GESTURE_TYPES = 0xF37;
    static constexpr int ACCESSIBILITY_GESTURE_TYPES = 0x10;
    /// A resized column is never narrower.
    static constexpr float MIN_COLUMN_WIDTH = 16.0f;
    /// A double-tapped header never makes its column wider.
    static constexpr float MAX_PREFERRED_COLUMN_WIDTH = 512.0f;
    static constexpr int MAX_WHEEL_STEPS = 10;
    static constexpr uint64_t NO_CELL = ~uint64_t(0);

    ~GridGestureHandler() override;

    int getRequiredGestureRecognizerTypes() const override { return REQUIRED_GESTURE_TYPES; }
    int getAccessibilityGestureRecognizerTypes() const override { return ACCESSIBILITY_GESTURE_TYPES; }
    bool handleTap(const Tap& tap) override;
    bool handlePan(const Pan& pan) override;
    bool handleLongPress(const LongPress& press) override;
    bool handleMouseWheel(const MouseWheel& wheel) override;
    bool handlePrerecognizedTouches(const std::vector<Point>& touches) override;
    bool handlePointerHover(const PointerHover& hover) override;
    /// A host KeyEvent (KeyPressed) while the view has keyboard focus.
    bool handleKeyPress(const std::shared_ptr<PortableEvent>& event);

    /// Rows a wheel delta scrolls: one up to |delta| 239, else |delta| / 120
    /// (at most 10), with the sign of delta; 0 for 0.
    static int wheelSteps(int delta);

    /// Selects what is under a screen point: replacing or adding, a block
    /// from the range anchor with `range` when multi-select is on.
    virtual bool makeSelection(const Point& screen, bool replace, bool range, bool fromDoubleTap);
    /// Selects picked cells (nothing in the base).
    virtual bool makeSelection(const std::vector<uint64_t>& ids, bool replace, bool toggle);
    /// A user's column width (view pixels) to store; nothing in the base.
    virtual void updateColumnWidth(int column, float width);
    virtual void updateRowHeight(int64_t row, float height);
    virtual void updateRowHeaderColumnWidth(int level, float width);
    virtual displaylist::TqDataGrid* getDataGridNode() const { return nullptr; }
    /// The cell a navigation key moves to from the focused cell (NO_CELL when
    /// there is nowhere to go). Never leaves the grid; skips cells that are
    /// not selectable; moves onto header and total cells only up or down
    /// from the first or last data row.
    virtual uint64_t getNextSelectedCellIndex(int keyCode);
    virtual int getNumberOfMeasures() const { return -1; }
    virtual void setLastSelectedIndex(uint64_t id);
    virtual void setShowFocusRect(bool show);
    /// Column and row resizing and column moving, from the gesture's start to
    /// its end; true while it is taken.
    virtual bool handleMoveResize(const Gesture& gesture);

    /// The cells from the anchor to the hit cell (the rectangle of rows and
    /// columns between them), data cells only.
    std::vector<uint64_t> getShiftBlockSelection(uint64_t anchor, uint64_t hit) const;

    bool isResizing() const { return resizing_; }
    bool isMoving() const { return moving_; }

protected:
    GridGestureHandler() = default;

    // ---- what a grid means, answered by the subclass
    virtual bool isMultiSelectEnabled() const;
    virtual bool allowsColumnReorder() const { return false; }
    /// The model's frozen column count (the grid's in the base).
    virtual int getModelFixedColumnCount() const;
    virtual void setModelFixedColumnCount(int count);
    /// The user moved a display column; nothing in the base.
    virtual void moveColumn(int from, int to);
    /// A tap on a column header (sort); false when it did nothing.
    virtual bool handleHeaderTap(uint64_t headerId, bool keepOthers);
    /// Enter on a column header; the base sorts as a tap does.
    virtual bool activateHeader(uint64_t headerId);
    /// The cell the keyboard is on.
    virtual void setFocusedCell(uint64_t id);
    /// Scrolls the content to (x, y) pixels (clamped by the grid).
    virtual void scrollTo(double x, double y);
    /// The view is redrawn at the next frame.
    virtual void invalidate();
    /// A changed column width or row height: the grid is laid out again.
    virtual void relayout();
    /// Announces the keyboard focus (GridFocusEvent) from the view.
    virtual void announceFocus(int type, uint64_t id);
    /// Asks the host for a context menu of the focused cell.
    virtual void showContextMenu(uint64_t id);

    /// The grid's screen position (top left, y down) of a view point.
    Point toScreen(const Point& local) const;
    /// Whether a modifier (KeyCode::MULTI_SELECT or RANGE_SELECT) is held:
    /// on the gesture or at the host's key manager.
    static bool isModifierHeld(const Gesture* gesture, int keyCode);
    /// A usable grid under a live view, or null.
    displaylist::TqDataGrid* liveGrid() const;

    // ---- move/resize state of the gesture in progress
    int resizeColumn_ = -1;
    int moveColumn_ = -1;
    int64_t resizeRow_ = -1;
    int rowHeaderSeparator_ = -1;
    float startWidth_ = 0.0f;
    float startHeight_ = 0.0f;
    Point startPoint_;
    bool resizing_ = false;
    bool moving_ = false;
    bool moveStarted_ = false;

private:
    bool beginMoveResize(displaylist::TqDataGrid& grid, const Point& screen);
    void endMoveResize(displaylist::TqDataGrid& grid, const Point& screen);
    void clearMoveResize();
    uint64_t stepFrom(displaylist::TqDataGrid& grid, uint64_t from, int keyCode) const;

    Point lastTranslation_;
    bool scrollBarPan_ = false;
    bool hoverCursor_ = false;
};

} // namespace orvane
