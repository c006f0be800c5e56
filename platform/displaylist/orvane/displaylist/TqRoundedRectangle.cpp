// SPDX-License-Identifier: Apache-2.0
#include "orvane/displaylist/TqRoundedRectangle.h"

#include "orvane/displaylist/TqCanvas.h"
#include "orvane/displaylist/TqSvgWriter.h"

#include <cairo.h>

#include <cmath>

namespace displaylist {

TqRoundedRectangle::TqRoundedRectangle(float x, float y, float width, float height, float radius)
    : TqRectangle(x, y, width, height) {
    SetCornerRadius(radius);
}

void TqRoundedRectangle::SetCornerRadius(float radius) {
    if (!checkFinite("corner radius", {radius})) return;
    radius_ = std::max(radius, 0.0f);
}

float TqRoundedRectangle::GetEffectiveRadius() const {
    return std::min(radius_, std::min(rect_.width, rect_.height) / 2.0f);
}

void TqRoundedRectangle::Draw(TqCanvas& canvas) const {
    float r = GetEffectiveRadius();
    if (r <= 0.0f) {
        TqRectangle::Draw(canvas);
        return;
    }
    cairo_t* cr = canvas.cairo();
    const Rect& b = rect_;
    auto path = [&](bool) {
        cairo_new_path(cr);
        cairo_arc(cr, b.maxX() - r, b.y + r, r, -M_PI / 2, 0);
        cairo_arc(cr, b.maxX() - r, b.maxY() - r, r, 0, M_PI / 2);
        cairo_arc(cr, b.x + r, b.maxY() - r, r, M_PI / 2, M_PI);
        cairo_arc(cr, b.x + r, b.y + r, r, M_PI, 3 * M_PI / 2);
        cairo_close_path(cr);
    };
    canvas.paintShape(path, fill_, hasOutline(), outlineColor_, outlineWidth_, lineStyle_, dashFactor_);
}

void TqRoundedRectangle::WriteSVG(TqSvgWriter& svg) const {
    if (fill_ == TQ_COLOR_NONE && !hasOutline()) return;
    svg.open("rect");
    svg.nodeIdAttr(*this);
    svg.rectAttrs(rect_);
    float r = GetEffectiveRadius();
    if (r > 0.0f) {
        svg.attr("rx", r);
        svg.attr("ry", r);
    }
    svg.fillAttrs(fill_);
    if (hasOutline()) svg.strokeAttrs(outlineColor_, outlineWidth_, lineStyle_, dashFactor_);
    svg.closeEmpty();
}

} // namespace displaylist
