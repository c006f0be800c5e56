// SPDX-License-Identifier: Apache-2.0
#include "orvane/displaylist/TqLine.h"

#include "orvane/displaylist/TqCanvas.h"
#include "orvane/displaylist/TqPickQuery.h"
#include "orvane/displaylist/TqSvgWriter.h"
#include "orvane/host/core/CLog.h"

#include <cairo.h>

#include <cmath>

namespace displaylist {

TqLine::TqLine(float x1, float y1, float x2, float y2) { SetPoints({{x1, y1}, {x2, y2}}); }

TqLine::TqLine(std::vector<Point> points) { SetPoints(std::move(points)); }

void TqLine::SetPoints(std::vector<Point> points) {
    std::vector<Point> kept;
    kept.reserve(points.size());
    for (const Point& p : points)
        if (checkFinite("line point", {p.x, p.y})) kept.push_back(p);
    points_ = std::move(kept);
    GeometryChanged();
}

void TqLine::SetWidth(float width) {
    if (!checkFinite("line width", {width})) return;
    width_ = std::max(width, 0.0f);
    GeometryChanged();
}

void TqLine::SetDashFactor(float factor) {
    if (!checkFinite("dash factor", {factor})) return;
    dashFactor_ = factor;
}

Rect TqLine::GetBounds() const {
    if (points_.size() < 2 || color_ == TQ_COLOR_NONE || width_ <= 0.0f) return bounds::empty();
    Rect b = bounds::empty();
    for (const Point& p : points_) b = bounds::unite(b, {p.x, p.y, 0.0f, 0.0f});
    // Mitred joins can reach beyond half the width; a few widths is enough.
    float reach = points_.size() > 2 ? width_ * 2.0f : width_ / 2.0f;
    return bounds::inflate(b, reach);
}

void TqLine::Draw(TqCanvas& canvas) const {
    if (points_.size() < 2 || color_ == TQ_COLOR_NONE || width_ <= 0.0f) return;
    cairo_t* cr = canvas.cairo();
    cairo_new_path(cr);
    cairo_move_to(cr, points_[0].x, points_[0].y);
    for (size_t i = 1; i < points_.size(); ++i) cairo_line_to(cr, points_[i].x, points_[i].y);
    canvas.setColor(color_);
    canvas.setStroke(width_, lineStyle_, dashFactor_);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_BUTT);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_MITER);
    cairo_stroke(cr);
}

void TqLine::WriteSVG(TqSvgWriter& svg) const {
    if (points_.size() < 2 || color_ == TQ_COLOR_NONE || width_ <= 0.0f) return;
    if (points_.size() == 2) {
        svg.open("line");
        svg.nodeIdAttr(*this);
        svg.attr("x1", points_[0].x);
        svg.attr("y1", svg.flipY(points_[0].y));
        svg.attr("x2", points_[1].x);
        svg.attr("y2", svg.flipY(points_[1].y));
    } else {
        svg.open("polyline");
        svg.nodeIdAttr(*this);
        std::string pts;
        for (size_t i = 0; i < points_.size(); ++i) {
            if (i) pts += ' ';
            pts += TqSvgWriter::number(points_[i].x) + "," + TqSvgWriter::number(svg.flipY(points_[i].y));
        }
        svg.attr("points", pts);
        svg.fillAttrs(TQ_COLOR_NONE);
    }
    svg.strokeAttrs(color_, width_, lineStyle_, dashFactor_);
    svg.closeEmpty();
}

bool TqLine::HitTest(const TqPickQuery& query) const {
    if (points_.size() < 2 || color_ == TQ_COLOR_NONE) return false;
    for (size_t i = 1; i < points_.size(); ++i)
        if (query.intersectsSegment(points_[i - 1], points_[i], width_ / 2.0f)) return true;
    return false;
}

} // namespace displaylist
