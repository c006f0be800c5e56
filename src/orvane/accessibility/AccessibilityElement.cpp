// SPDX-License-Identifier: Apache-2.0
#include "orvane/accessibility/AccessibilityElement.h"

#include "orvane/displaylist/TqSelectionInfoStruct.h"
#include "orvane/view/BaseView.h"
#include "orvane/view/PickResult.h"
#include "orvane/view/PickedNodeInfo.h"

#include <algorithm>
#include <cmath>

namespace orvane {

std::shared_ptr<AccessibilityElement> AccessibilityElement::create(const std::shared_ptr<BaseView>& view,
                                                                   const std::string& label, const std::string& hint,
                                                                   const std::shared_ptr<PickResult>& pickResult,
                                                                   std::vector<Point> points,
                                                                   const std::shared_ptr<PickedNodeInfo>& nodeInfo) {
    auto e = std::make_shared<AccessibilityElement>();
    e->view_ = view;
    e->label_ = label;
    e->hint_ = hint;
    e->pickResult_ = pickResult;
    e->points_ = std::move(points);
    e->nodeInfo_ = nodeInfo;
    return e;
}

std::string AccessibilityElement::composeLabel(bool terse) const {
    if (!label_.empty()) return label_;
    std::string out;
    auto entries = pickResult_ ? pickResult_->getEntries() : nullptr;
    if (!entries) return out;
    for (const auto& entry : *entries) {
        if (!entry || entry->getUseAsTooltip()) continue;
        auto label = entry->getLabel();
        auto value = entry->getFormattedValue();
        bool hasLabel = label && !label->empty(), hasValue = value && !value->empty();
        if (!hasLabel && !hasValue) continue;
        if (!out.empty()) out += "; ";
        if (hasValue && (!hasLabel || (terse && entry->getSupportTerseLabel()))) out += *value;
        else if (hasValue) out += *label + " = " + *value;
        else out += *label;
    }
    return out;
}

std::string AccessibilityElement::getAccessibilityLabel() const { return composeLabel(false); }
std::string AccessibilityElement::getTerseAccessibilityLabel() const { return composeLabel(true); }

unsigned int AccessibilityElement::getNodeId() const { return nodeInfo_ ? nodeInfo_->nodeID.get() : 0; }

uint64_t AccessibilityElement::getDetailIndex() const {
    return nodeInfo_ ? nodeInfo_->detailIndex.get() : displaylist::TqSelectionInfoStruct::NO_DETAIL;
}

Rect AccessibilityElement::getAccessibilityFrame() const {
    if (points_.empty()) return {};
    float x0 = INFINITY, y0 = INFINITY, x1 = -INFINITY, y1 = -INFINITY;
    for (const Point& p : points_) {
        if (!std::isfinite(p.x) || !std::isfinite(p.y)) continue;
        x0 = std::min(x0, p.x), y0 = std::min(y0, p.y), x1 = std::max(x1, p.x), y1 = std::max(y1, p.y);
    }
    if (x0 > x1 || y0 > y1) return {};
    return {x0, y0, x1 - x0, y1 - y0};
}

Point AccessibilityElement::getLocation() const {
    Rect r = getAccessibilityFrame();
    return {r.x + r.width / 2.0f, r.y + r.height / 2.0f};
}

Rect AccessibilityElement::getExtendedAccessibilityFrame(const Rect& frame, LayoutOrientation::type orientation) const {
    Rect own = getAccessibilityFrame();
    if (points_.empty()) return frame;
    if (orientation == LayoutOrientation::HORIZONTAL) return {own.x, frame.y, own.width, frame.height};
    return {frame.x, own.y, frame.width, own.height};
}

void AccessibilityElement::setGridPosition(std::string role, int64_t row, int64_t column, int64_t rowCount,
                                           int64_t columnCount) {
    role_ = std::move(role);
    row_ = row;
    column_ = column;
    rowCount_ = rowCount;
    columnCount_ = columnCount;
}

} // namespace orvane
