// SPDX-License-Identifier: Apache-2.0
#include "orvane/displaylist/TqEllipse.h"

#include "orvane/displaylist/TqCanvas.h"
#include "orvane/displaylist/TqPickQuery.h"
#include "orvane/displaylist/TqSvgWriter.h"

#include <cairo.h>

#include <cmath>

namespace displaylist {

TqEllipse::TqEllipse(float cx, float cy, float rx, float ry) { SetEllipse(cx, cy, rx, ry); }

void TqEllipse::SetEllipse(float cx, float cy, float rx, float ry) {
    if (!checkFinite("ellipse", {cx, cy, rx, ry})) return;
    center_ = {cx, cy};
    rx_ = std::fabs(rx);
    ry_ = std::fabs(ry);
    GeometryChanged();
}

void TqEllipse::SetOutlineWidth(float width) {
    if (!checkFinite("outline width", {width})) return;
    outlineWidth_ = std::max(width, 0.0f);
    GeometryChanged();
}

Rect TqEllipse::GetBounds() const {
    if (rx_ <= 0.0f || ry_ <= 0.0f) return bounds::empty();
    Rect b{center_.x - rx_, center_.y - ry_, 2 * rx_, 2 * ry_};
    return hasOutline() ? bounds::inflate(b, outlineWidth_ / 2.0f) : b;
}

void TqEllipse::Draw(TqCanvas& canvas) const {
    if (rx_ <= 0.0f || ry_ <= 0.0f) return;
    cairo_t* cr = canvas.cairo();
    auto path = [&](bool) {
        cairo_new_path(cr);
        cairo_save(cr);
        cairo_translate(cr, center_.x, center_.y);
        cairo_scale(cr, rx_, ry_);
        cairo_arc(cr, 0, 0, 1, 0, 2 * M_PI);
        cairo_restore(cr);
    };
    canvas.paintShape(path, fill_, hasOutline(), outlineColor_, outlineWidth_, lineStyle_, 1.0f);
}

void TqEllipse::WriteSVG(TqSvgWriter& svg) const {
    if (rx_ <= 0.0f || ry_ <= 0.0f || (fill_ == TQ_COLOR_NONE && !hasOutline())) return;
    bool circle = rx_ == ry_;
    svg.open(circle ? "circle" : "ellipse");
    svg.nodeIdAttr(*this);
    svg.attr("cx", center_.x);
    svg.attr("cy", svg.flipY(center_.y));
    if (circle) {
        svg.attr("r", rx_);
    } else {
        svg.attr("rx", rx_);
        svg.attr("ry", ry_);
    }
    svg.fillAttrs(fill_);
    if (hasOutline()) svg.strokeAttrs(outlineColor_, outlineWidth_, lineStyle_, 1.0f);
    svg.closeEmpty();
}

bool TqEllipse::HitTest(const TqPickQuery& query) const {
    if (rx_ <= 0.0f || ry_ <= 0.0f) return false;
    float pad = hasOutline() ? outlineWidth_ / 2.0f : 0.0f;
    return query.intersectsEllipse(center_, rx_ + pad, ry_ + pad);
}

} // namespace displaylist
