// SPDX-License-Identifier: Apache-2.0
#include "orvane/displaylist/TqRectangle.h"

#include "orvane/displaylist/TqCanvas.h"
#include "orvane/displaylist/TqPickQuery.h"
#include "orvane/displaylist/TqSvgWriter.h"

#include <cairo.h>

namespace displaylist {

TqRectangle::TqRectangle(float x, float y, float width, float height) { SetRect(x, y, width, height); }

void TqRectangle::SetRect(float x, float y, float width, float height) {
    if (!checkFinite("rectangle", {x, y, width, height})) return;
    rect_ = bounds::normalized(x, y, width, height);
    GeometryChanged();
}

void TqRectangle::SetFillColor(uint32_t rgb) { fill_ = rgb == TQ_COLOR_NONE ? rgb : (rgb & 0xffffffu); }

void TqRectangle::SetOutline(bool outline) {
    if (outline == outline_) return;
    outline_ = outline;
    GeometryChanged();
}

void TqRectangle::SetOutlineColor(uint32_t rgb) {
    outlineColor_ = rgb == TQ_COLOR_NONE ? rgb : (rgb & 0xffffffu);
}

void TqRectangle::SetOutlineWidth(float width) {
    if (!checkFinite("outline width", {width})) return;
    outlineWidth_ = std::max(width, 0.0f);
    GeometryChanged();
}

void TqRectangle::SetDashFactor(float factor) {
    if (!checkFinite("dash factor", {factor})) return;
    dashFactor_ = factor;
}

Rect TqRectangle::GetBounds() const {
    return hasOutline() ? bounds::inflate(rect_, outlineWidth_ / 2.0f) : rect_;
}

void TqRectangle::Draw(TqCanvas& canvas) const {
    canvas.fillRect(rect_, fill_);
    if (hasOutline()) canvas.strokeRect(rect_, outlineColor_, outlineWidth_, lineStyle_, dashFactor_);
}

void TqRectangle::WriteSVG(TqSvgWriter& svg) const {
    if (fill_ == TQ_COLOR_NONE && !hasOutline()) return;
    svg.open("rect");
    svg.nodeIdAttr(*this);
    svg.rectAttrs(rect_);
    svg.fillAttrs(fill_);
    if (hasOutline()) svg.strokeAttrs(outlineColor_, outlineWidth_, lineStyle_, dashFactor_);
    svg.closeEmpty();
}

bool TqRectangle::HitTest(const TqPickQuery& query) const { return query.intersectsRect(GetBounds()); }

} // namespace displaylist
