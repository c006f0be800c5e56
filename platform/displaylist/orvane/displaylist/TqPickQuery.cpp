// SPDX-License-Identifier: Apache-2.0
#include "orvane/displaylist/TqPickQuery.h"

#include <algorithm>
#include <cmath>

namespace displaylist {

namespace {

float cross(const Point& o, const Point& a, const Point& b) {
    return (a.x - o.x) * (b.y - o.y) - (a.y - o.y) * (b.x - o.x);
}

bool onSegment(const Point& p, const Point& a, const Point& b) {
    return std::min(a.x, b.x) <= p.x && p.x <= std::max(a.x, b.x) && std::min(a.y, b.y) <= p.y &&
           p.y <= std::max(a.y, b.y);
}

bool segmentsIntersect(const Point& p1, const Point& p2, const Point& q1, const Point& q2) {
    float d1 = cross(q1, q2, p1), d2 = cross(q1, q2, p2), d3 = cross(p1, p2, q1), d4 = cross(p1, p2, q2);
    if (((d1 > 0 && d2 < 0) || (d1 < 0 && d2 > 0)) && ((d3 > 0 && d4 < 0) || (d3 < 0 && d4 > 0))) return true;
    if (d1 == 0 && onSegment(p1, q1, q2)) return true;
    if (d2 == 0 && onSegment(p2, q1, q2)) return true;
    if (d3 == 0 && onSegment(q1, p1, p2)) return true;
    if (d4 == 0 && onSegment(q2, p1, p2)) return true;
    return false;
}

float pointSegmentDistance(const Point& p, const Point& a, const Point& b) {
    float dx = b.x - a.x, dy = b.y - a.y;
    float len2 = dx * dx + dy * dy;
    float t = len2 > 0.0f ? ((p.x - a.x) * dx + (p.y - a.y) * dy) / len2 : 0.0f;
    t = std::clamp(t, 0.0f, 1.0f);
    float cx = a.x + t * dx - p.x, cy = a.y + t * dy - p.y;
    return std::sqrt(cx * cx + cy * cy);
}

float segmentDistance(const Point& p1, const Point& p2, const Point& q1, const Point& q2) {
    if (segmentsIntersect(p1, p2, q1, q2)) return 0.0f;
    return std::min({pointSegmentDistance(p1, q1, q2), pointSegmentDistance(p2, q1, q2),
                     pointSegmentDistance(q1, p1, p2), pointSegmentDistance(q2, p1, p2)});
}

bool polygonContains(const std::vector<Point>& poly, const Point& p) {
    return orvane::GeometryUtilities::polygonContainsPoint(poly.data(), poly.size(), p);
}

} // namespace

TqPickQuery TqPickQuery::rect(const Rect& r) {
    TqPickQuery q;
    q.isRect_ = true;
    q.bounds_ = bounds::normalized(r.x, r.y, r.width, r.height);
    return q;
}

TqPickQuery TqPickQuery::polygon(std::vector<Point> points) {
    TqPickQuery q;
    q.isRect_ = false;
    q.polygon_ = std::move(points);
    if (q.polygon_.empty()) {
        q.bounds_ = bounds::empty();
        return q;
    }
    float x0 = q.polygon_[0].x, x1 = x0, y0 = q.polygon_[0].y, y1 = y0;
    for (const Point& p : q.polygon_) {
        x0 = std::min(x0, p.x);
        x1 = std::max(x1, p.x);
        y0 = std::min(y0, p.y);
        y1 = std::max(y1, p.y);
    }
    q.bounds_ = {x0, y0, x1 - x0, y1 - y0};
    return q;
}

TqPickQuery TqPickQuery::toLocal(const TqTransform& t) const {
    if (t.isIdentity()) return *this;
    TqPickQuery q;
    q.isRect_ = isRect_;
    q.bounds_ = bounds::isEmpty(bounds_) ? bounds_ : t.applyInverse(bounds_);
    if (!isRect_) {
        q.polygon_.reserve(polygon_.size());
        for (const Point& p : polygon_) q.polygon_.push_back(t.applyInverse(p));
    }
    return q;
}

bool TqPickQuery::containsPoint(const Point& p) const {
    if (isRect_) return bounds_.contains(p);
    return polygon_.size() >= 3 ? polygonContains(polygon_, p) : false;
}

bool TqPickQuery::intersectsRect(const Rect& r) const {
    if (!bounds::intersects(bounds_, r)) return false;
    if (isRect_) return true;
    if (polygon_.size() == 1) return r.contains(polygon_[0]);
    return orvane::GeometryUtilities::polygonIntersectsRect(polygon_.data(), polygon_.size(), r);
}

bool TqPickQuery::intersectsSegment(const Point& a, const Point& b, float halfWidth) const {
    float hw = std::max(halfWidth, 0.0f);
    Rect segBounds = bounds::inflate(bounds::normalized(a.x, a.y, b.x - a.x, b.y - a.y), hw);
    if (!bounds::intersects(bounds_, segBounds)) return false;
    if (isRect_) {
        const Rect& r = bounds_;
        if (r.contains(a) || r.contains(b)) return true;
        Point c[4] = {{r.x, r.y}, {r.maxX(), r.y}, {r.maxX(), r.maxY()}, {r.x, r.maxY()}};
        for (int i = 0; i < 4; ++i)
            if (segmentDistance(a, b, c[i], c[(i + 1) % 4]) <= hw) return true;
        return false;
    }
    if (polygon_.empty()) return false;
    if (polygon_.size() >= 3 && (polygonContains(polygon_, a) || polygonContains(polygon_, b))) return true;
    size_t n = polygon_.size();
    for (size_t i = 0; i < n; ++i) {
        const Point& p = polygon_[i];
        const Point& q = polygon_[(i + 1) % n];
        if (segmentDistance(a, b, p, q) <= hw) return true;
    }
    return false;
}

bool TqPickQuery::intersectsEllipse(const Point& c, float rx, float ry) const {
    if (!(rx > 0.0f) || !(ry > 0.0f)) return false;
    if (!bounds::intersects(bounds_, {c.x - rx, c.y - ry, 2 * rx, 2 * ry})) return false;
    // Work in the space where the ellipse is the unit circle at the origin.
    auto norm = [&](const Point& p) { return Point{(p.x - c.x) / rx, (p.y - c.y) / ry}; };
    if (isRect_) {
        Point lo = norm({bounds_.x, bounds_.y});
        Point hi = norm({bounds_.maxX(), bounds_.maxY()});
        float nx = std::clamp(0.0f, lo.x, hi.x), ny = std::clamp(0.0f, lo.y, hi.y);
        return nx * nx + ny * ny <= 1.0f;
    }
    std::vector<Point> poly;
    poly.reserve(polygon_.size());
    for (const Point& p : polygon_) poly.push_back(norm(p));
    for (const Point& p : poly)
        if (p.x * p.x + p.y * p.y <= 1.0f) return true;
    if (poly.size() >= 3 && polygonContains(poly, {0.0f, 0.0f})) return true;
    for (size_t i = 0; i < poly.size(); ++i)
        if (pointSegmentDistance({0.0f, 0.0f}, poly[i], poly[(i + 1) % poly.size()]) <= 1.0f) return true;
    return false;
}

} // namespace displaylist
