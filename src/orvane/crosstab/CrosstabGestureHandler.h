// SPDX-License-Identifier: Apache-2.0
#pragma once
#include "orvane/displaylist/TqCrosstab.h"
#include "orvane/host/input/KeyCode.h"
#include "orvane/OrvaneExport.h"
#include "orvane/view/GestureHandler.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace orvane {

class CrosstabRenderer;
class DataTreeNode;

/// Taps and keys on a crosstab. A tap on an expand, collapse or drill button
/// has the hierarchy expand, collapse or drill the member (and the crosstab
/// rebuilds in place, keeping every other member's state); a tap on a paging
/// button pages; a tap on a data cell selects it (the crossing's source rows
/// become the selection of the source data set).
///
/// Keys (host key codes): 46 expands or collapses the focused header (sort
/// on measure and axis-label headers), 47 drills the focused header or
/// activates the focused data cell, 51 to 54 move the focus, 59 goes to the
/// header's top-level ancestor, 60 into the data. Each action is announced
/// with an accessibility event dispatched from the view: 20003 expand, 20004
/// collapse, 20005 drill down, 20006 sort, 20007 data cell; a key that moves
/// the focus dispatches 20000 (focus change). Each event is an
/// AccessibilityFocusChangeEvent carrying the focused element. Focus is a
/// pick id of the crosstab; "none" is NO_FOCUS, never 0.
///
/// On the axis-label headers in the corner, the keys along an axis go to the
/// neighbouring level's label (row labels: 51 and 52; column labels: 54 and
/// 53), and across it to the first header of the label's level (53 below a
/// row label, 52 right of a column label). Past the last column label the
/// focus goes down to the first row label; up from a row label to the last
/// column label; past the last row label to the first measure header (the
/// first data cell when measure headers are hidden). Key 51 on the first
/// measure header comes back to the last row label.
///
/// Sizes (when the model allows column resizing): a pan that starts on the
/// right edge of a row-header level column, or on a separator of the
/// measure-header row, resizes that column; any other pan scrolls. With the
/// modifier key 56 held, keys 51 and 52 on a focused header make the column
/// under it 5 x the display scale narrower or wider (never below 16 pixels;
/// a row-header column never wider than the room the data leaves), and the
/// focus stays. Widths reach the model, so they survive rebuilds.
class ORVANE_EXPORT CrosstabGestureHandler : public GestureHandler {
public:
    static constexpr int ACCESSIBILITY_EXPAND = 20003;
    static constexpr int ACCESSIBILITY_COLLAPSE = 20004;
    static constexpr int ACCESSIBILITY_DRILL_DOWN = 20005;
    static constexpr int ACCESSIBILITY_SORT = 20006;
    static constexpr int ACCESSIBILITY_DATA_CELL = 20007;
    static constexpr uint64_t NO_FOCUS = ~uint64_t(0);
    /// Host key codes.
    static constexpr int KEY_ENTER = KeyCode::ENTER;
    static constexpr int KEY_SPACE = KeyCode::TAB;
    static constexpr int KEY_LEFT = KeyCode::LEFT;
    static constexpr int KEY_RIGHT = KeyCode::RIGHT;
    static constexpr int KEY_DOWN = KeyCode::DOWN;
    static constexpr int KEY_UP = KeyCode::UP;
    static constexpr int KEY_HOME = KeyCode::HOME;
    static constexpr int KEY_END = KeyCode::END;
    static constexpr int KEY_RESIZE_MODIFIER = KeyCode::ALT;
    /// A column resized by the user is never narrower.
    static constexpr float MIN_COLUMN_WIDTH = 16.0f;
    /// Keyboard resizing step, in pixels at display scale 1.
    static constexpr float RESIZE_STEP = 5.0f;

    static std::shared_ptr<CrosstabGestureHandler> create(const std::shared_ptr<CrosstabRenderer>& renderer);
    int getRequiredGestureRecognizerTypes() const override;
    bool handleTap(const Tap& tap) override;
    bool handlePan(const Pan& pan) override;
    /// Whether a pan is resizing a column now.
    bool isResizing() const { return resizeLevel_ >= 0 || resizeColumn_ >= 0; }

    std::shared_ptr<CrosstabRenderer> getRenderer() const;
    /// Selects the data cells of the picks: replacing the selection, or adding
    /// to it (`additive`), or toggling each cell.
    void makeSelection(const std::vector<uint64_t>& pickIds, bool additive, bool toggle);

    /// Handles a key (host code); true when it did something.
    bool handleKeyPress(int keyCode);
    /// The pick id the key moves the focus to (NO_FOCUS for none), firing
    /// the key's accessibility event.
    uint64_t getNextSelectedCellIndex(int keyCode);
    uint64_t getNavigationNextSelectedCellIndex(int keyCode) const;
    uint64_t getFocus() const { return focus_; }
    void setFocus(uint64_t pickId);
    /// Whether the handler carries out expand, collapse and drill itself
    /// after announcing them (true); a host that acts on the events sets false.
    void setPerformActions(bool perform) { perform_ = perform; }
    /// What the last tap or key did, for a person ("expanded East: 5 rows").
    const std::string& getLastAction() const { return lastAction_; }
    void clearLastAction() { lastAction_.clear(); }

private:
    CrosstabGestureHandler() = default;
    void fire(int type, const std::string& value);
    uint64_t headerPick(int axis, const std::shared_ptr<DataTreeNode>& node) const;
    /// Axis-label headers shown for an axis (0 rows, 1 columns).
    static int axisLabelCount(const displaylist::TqCrosstab& grid, int axis);
    static uint64_t axisLabelPick(const displaylist::TqCrosstab& grid, int component, int level);
    /// Where a navigation key goes from an axis-label header.
    static uint64_t axisLabelNeighbour(const displaylist::TqCrosstab& grid, int component, int level, int key);
    /// Tells assistive technology the keyboard moved the focus (20000).
    void announceFocus(uint64_t pickId);
    /// Keyboard resizing of the column under the focused header; false when
    /// the key, the modifier, the focus or the model does not call for it.
    bool resizeFromKeyboard(int keyCode);
    /// Sets a row-header level column's width (clamped) through the renderer.
    void resizeRowHeaderLevel(int level, float width);
    void resizeDataColumn(int column, float width);
    int resizeLevel_ = -1;     ///< row-header level column being dragged
    int resizeColumn_ = -1;    ///< data column being dragged
    float startWidth_ = 0.0f;
    Point startPoint_;
    Point lastTranslation_;
    std::weak_ptr<CrosstabRenderer> renderer_;
    uint64_t focus_ = NO_FOCUS;
    bool perform_ = true;
    std::string lastAction_;
};

} // namespace orvane
