// SPDX-License-Identifier: Apache-2.0
#pragma once
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
/// collapse, 20005 drill down, 20006 sort, 20007 data cell. Focus is a pick
/// id of the crosstab; "none" is NO_FOCUS, never 0.
class ORVANE_EXPORT CrosstabGestureHandler : public GestureHandler {
public:
    static constexpr int ACCESSIBILITY_EXPAND = 20003;
    static constexpr int ACCESSIBILITY_COLLAPSE = 20004;
    static constexpr int ACCESSIBILITY_DRILL_DOWN = 20005;
    static constexpr int ACCESSIBILITY_SORT = 20006;
    static constexpr int ACCESSIBILITY_DATA_CELL = 20007;
    static constexpr uint64_t NO_FOCUS = ~uint64_t(0);
    /// Host key codes.
    static constexpr int KEY_ENTER = 46;
    static constexpr int KEY_SPACE = 47;
    static constexpr int KEY_LEFT = 51;
    static constexpr int KEY_RIGHT = 52;
    static constexpr int KEY_DOWN = 53;
    static constexpr int KEY_UP = 54;
    static constexpr int KEY_HOME = 59;
    static constexpr int KEY_END = 60;

    static std::shared_ptr<CrosstabGestureHandler> create(const std::shared_ptr<CrosstabRenderer>& renderer);
    int getRequiredGestureRecognizerTypes() const override;
    bool handleTap(const Tap& tap) override;

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
    std::weak_ptr<CrosstabRenderer> renderer_;
    uint64_t focus_ = NO_FOCUS;
    bool perform_ = true;
    std::string lastAction_;
};

} // namespace orvane
