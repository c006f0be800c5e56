// SPDX-License-Identifier: Apache-2.0
#pragma once
#include "orvane/OrvaneExport.h"
#include "orvane/host/core/GeometryUtilities.h"
#include "orvane/host/core/Wrappable.h"
#include "orvane/package/LayoutOrientation.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace orvane {

class BaseView;
class PickResult;
class PickedNodeInfo;

/// One thing a screen reader can land on: a table cell, a header, a total.
///
/// What is spoken: the label (an explicit one, or composed from the pick
/// result's entries) and the hint. Where it is: its outline (`points`, in the
/// owning view's coordinates, origin lower left) and the frame around it.
/// What it is in a grid, for hosts that build their own accessible grid (an
/// ARIA grid in a browser): role, 1-based row and column in the whole table
/// (header rows counted), the table's row and column counts, the sort state,
/// the expansion state and whether it is selected.
class ORVANE_EXPORT AccessibilityElement : public virtual Wrappable {
public:
    static constexpr int WRAPPER_TYPE_ID = 10002;

    /// Roles, named as ARIA names them.
    static constexpr const char* ROLE_CELL = "gridcell";
    static constexpr const char* ROLE_COLUMN_HEADER = "columnheader";
    static constexpr const char* ROLE_ROW_HEADER = "rowheader";
    /// Sort states (ARIA's aria-sort values; "other" for a secondary sort).
    static constexpr const char* SORT_NONE = "none";
    static constexpr const char* SORT_ASCENDING = "ascending";
    static constexpr const char* SORT_DESCENDING = "descending";
    static constexpr const char* SORT_OTHER = "other";
    /// Expansion states.
    static constexpr int NOT_EXPANDABLE = -1;
    static constexpr int COLLAPSED = 0;
    static constexpr int EXPANDED = 1;

    static std::shared_ptr<AccessibilityElement> create(const std::shared_ptr<BaseView>& view, const std::string& label,
                                                        const std::string& hint,
                                                        const std::shared_ptr<PickResult>& pickResult,
                                                        std::vector<Point> points,
                                                        const std::shared_ptr<PickedNodeInfo>& nodeInfo);
    int getWrapperTypeId() const override { return WRAPPER_TYPE_ID; }

    std::shared_ptr<BaseView> getView() const { return view_.lock(); }
    /// The explicit label when set; otherwise the pick result's entries, each
    /// "label = value", "label" or "value", separated by "; ". Entries meant
    /// only for tooltips are skipped.
    std::string getAccessibilityLabel() const;
    /// The same, with entries that allow it reduced to their value.
    std::string getTerseAccessibilityLabel() const;
    const std::string& getAccessibilityHint() const { return hint_; }
    void setAccessibilityLabel(std::string label) { label_ = std::move(label); }
    void setAccessibilityHint(std::string hint) { hint_ = std::move(hint); }
    std::shared_ptr<PickResult> getPickResult() const { return pickResult_; }
    const std::vector<Point>& getPoints() const { return points_; }
    std::shared_ptr<PickedNodeInfo> getNodeInfo() const { return nodeInfo_; }
    /// The node id and detail index of the node info (0 and ~0 without one).
    unsigned int getNodeId() const;
    uint64_t getDetailIndex() const;
    const std::vector<std::shared_ptr<AccessibilityElement>>& getAccessibilityChildren() const { return children_; }
    void addAccessibilityChild(std::shared_ptr<AccessibilityElement> child) { children_.push_back(std::move(child)); }
    bool isSelected() const { return selected_; }
    void setSelected(bool selected) { selected_ = selected; }
    /// The point a screen reader activates: the middle of the outline.
    Point getLocation() const;
    /// The bounds of the outline in the view's coordinates (empty without one).
    Rect getAccessibilityFrame() const;
    /// `frame` widened to the whole outline along `orientation`'s axis (a row
    /// of a horizontal layout keeps the frame's height and takes the
    /// outline's width; vertical the other way round).
    Rect getExtendedAccessibilityFrame(const Rect& frame, LayoutOrientation::type orientation) const;

    /// Grid description (see the class comment); 0 and empty when unknown.
    const std::string& getRole() const { return role_; }
    int64_t getRow() const { return row_; }
    int64_t getColumn() const { return column_; }
    int64_t getRowCount() const { return rowCount_; }
    int64_t getColumnCount() const { return columnCount_; }
    const std::string& getSort() const { return sort_; }
    int getExpanded() const { return expanded_; }
    /// The text of the cell alone (its formatted value or header text).
    const std::string& getValueText() const { return valueText_; }
    void setGridPosition(std::string role, int64_t row, int64_t column, int64_t rowCount, int64_t columnCount);
    void setSort(std::string sort) { sort_ = std::move(sort); }
    void setExpanded(int expanded) { expanded_ = expanded; }
    void setValueText(std::string text) { valueText_ = std::move(text); }
    /// Whether the element shows inside its view's viewport now.
    bool isOnScreen() const { return onScreen_; }
    void setOnScreen(bool onScreen) { onScreen_ = onScreen; }

private:
    std::string composeLabel(bool terse) const;

    std::weak_ptr<BaseView> view_;
    std::string label_;
    std::string hint_;
    std::shared_ptr<PickResult> pickResult_;
    std::vector<Point> points_;
    std::shared_ptr<PickedNodeInfo> nodeInfo_;
    std::vector<std::shared_ptr<AccessibilityElement>> children_;
    bool selected_ = false;
    bool onScreen_ = true;
    std::string role_;
    int64_t row_ = 0;
    int64_t column_ = 0;
    int64_t rowCount_ = 0;
    int64_t columnCount_ = 0;
    std::string sort_;
    int expanded_ = NOT_EXPANDABLE;
    std::string valueText_;
};

} // namespace orvane
