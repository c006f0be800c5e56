// SPDX-License-Identifier: Apache-2.0
#include "orvane/displaylist/TqArc.h"

#include "orvane/displaylist/TqCanvas.h"
#include "orvane/displaylist/TqPickQuery.h"
#include "orvane/displaylist/TqSvgWriter.h"

#include <cairo.h>

#include <cmath>

namespace displaylist {

namespace {
constexpr double DEG = M_PI / 180.0;
}

TqArc::TqArc(float cx, float cy, float rx, float ry, float startDegrees, float sweepDegrees) {
    SetArc(cx, cy, rx, ry, startDegrees, sweepDegrees);
}

void TqArc::SetArc(float cx, float cy, float rx, float ry, float startDegrees, float sweepDegrees) {
    if (!checkFinite("arc", {cx, cy, rx, ry, startDegrees, sweepDegrees})) return;
    center_ = {cx, cy};
    rx_ = std::fabs(rx);
    ry_ = std::fabs(ry);
    start_ = startDegrees;
    sweep_ = std::clamp(sweepDegrees, -360.0f, 360.0f);
    GeometryChanged();
}

void TqArc::SetWidth(float width) {
    if (!checkFinite("arc width", {width})) return;
    width_ = std::max(width, 0.0f);
    GeometryChanged();
}

std::vector<Point> TqArc::outline(bool withCenter) const {
    std::vector<Point> pts;
    int steps = std::max(2, static_cast<int>(std::ceil(std::fabs(sweep_) / 5.0f)));
    if (withCenter) pts.push_back(center_);
    for (int i = 0; i <= steps; ++i) {
        double a = (start_ + sweep_ * static_cast<double>(i) / steps) * DEG;
        pts.push_back({center_.x + rx_ * static_cast<float>(std::cos(a)),
                       center_.y + ry_ * static_cast<float>(std::sin(a))});
    }
    return pts;
}

Rect TqArc::GetBounds() const {
    if (rx_ <= 0.0f || ry_ <= 0.0f || sweep_ == 0.0f) return bounds::empty();
    Rect b = bounds::empty();
    for (const Point& p : outline(fill_ != TQ_COLOR_NONE)) b = bounds::unite(b, {p.x, p.y, 0.0f, 0.0f});
    return bounds::inflate(b, hasStroke() ? width_ : 0.5f);
}

void TqArc::Draw(TqCanvas& canvas) const {
    if (rx_ <= 0.0f || ry_ <= 0.0f || sweep_ == 0.0f) return;
    cairo_t* cr = canvas.cairo();
    double a0 = start_ * DEG, a1 = (start_ + sweep_) * DEG;
    // The fill is a pie slice closed through the centre; the stroke follows the arc only.
    auto path = [&](bool forOutline) {
        const bool pie = !forOutline;
        cairo_new_path(cr);
        cairo_save(cr);
        cairo_translate(cr, center_.x, center_.y);
        cairo_scale(cr, rx_, ry_);
        if (pie) cairo_move_to(cr, 0, 0);
        if (sweep_ > 0) cairo_arc(cr, 0, 0, 1, a0, a1);
        else cairo_arc_negative(cr, 0, 0, 1, a0, a1);
        if (pie) cairo_close_path(cr);
        cairo_restore(cr);
    };
    canvas.paintShape(path, fill_, hasStroke(), color_, width_, lineStyle_, 1.0f);
}

void TqArc::WriteSVG(TqSvgWriter& svg) const {
    if (rx_ <= 0.0f || ry_ <= 0.0f || sweep_ == 0.0f) return;
    auto at = [&](double deg) {
        double a = deg * DEG;
        return TqSvgWriter::number(center_.x + rx_ * static_cast<float>(std::cos(a))) + " " +
               TqSvgWriter::number(svg.flipY(center_.y + ry_ * static_cast<float>(std::sin(a))));
    };
    // Counter-clockwise with y up is sweep-flag 0 once y points down. A full
    // turn is written as two halves.
    std::string sweepFlag = sweep_ > 0 ? "0" : "1";
    std::string radii = TqSvgWriter::number(rx_) + " " + TqSvgWriter::number(ry_);
    auto arcPath = [&] {
        std::string d;
        double mid = start_ + sweep_ / 2.0;
        double end = start_ + sweep_;
        d += "A " + radii + " 0 0 " + sweepFlag + " " + at(mid) + " ";
        d += "A " + radii + " 0 0 " + sweepFlag + " " + at(end);
        return d;
    };
    if (fill_ != TQ_COLOR_NONE) {
        svg.open("path");
        svg.nodeIdAttr(*this);
        std::string d = "M " + TqSvgWriter::number(center_.x) + " " + TqSvgWriter::number(svg.flipY(center_.y)) +
                        " L " + at(start_) + " " + arcPath() + " Z";
        svg.attr("d", d);
        svg.fillAttrs(fill_);
        svg.closeEmpty();
    }
    if (hasStroke()) {
        svg.open("path");
        svg.nodeIdAttr(*this);
        svg.attr("d", "M " + at(start_) + " " + arcPath());
        svg.fillAttrs(TQ_COLOR_NONE);
        svg.strokeAttrs(color_, width_, lineStyle_, 1.0f);
        svg.closeEmpty();
    }
}

bool TqArc::HitTest(const TqPickQuery& query) const {
    if (rx_ <= 0.0f || ry_ <= 0.0f || sweep_ == 0.0f) return false;
    bool pie = fill_ != TQ_COLOR_NONE;
    std::vector<Point> pts = outline(pie);
    float hw = hasStroke() ? width_ / 2.0f : 0.5f;
    size_t n = pts.size();
    size_t segments = pie ? n : n - 1;
    for (size_t i = 0; i < segments; ++i)
        if (query.intersectsSegment(pts[i], pts[(i + 1) % n], hw)) return true;
    if (pie) {
        const Rect& q = query.getBounds();
        Point probe{q.x + q.width / 2.0f, q.y + q.height / 2.0f};
        return orvane::GeometryUtilities::polygonContainsPoint(pts.data(), pts.size(), probe);
    }
    return false;
}

} // namespace displaylist
