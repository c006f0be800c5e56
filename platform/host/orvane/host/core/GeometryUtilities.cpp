// SPDX-License-Identifier: Apache-2.0
#include "orvane/host/core/GeometryUtilities.h"

#include <algorithm>

namespace orvane {

Rect Rect::unionWith(const Rect& o) const {
    float x0 = std::min(x, o.x), y0 = std::min(y, o.y);
    float x1 = std::max(maxX(), o.maxX()), y1 = std::max(maxY(), o.maxY());
    return {x0, y0, x1 - x0, y1 - y0};
}

bool GeometryUtilities::polygonContainsPoint(const Point* pts, size_t n, const Point& p) {
    if (n < 3) return false;
    bool inside = false;
    for (size_t i = 0, j = n - 1; i < n; j = i++) {
        const Point& a = pts[i];
        const Point& b = pts[j];
        if (((a.y > p.y) != (b.y > p.y)) && (p.x < (b.x - a.x) * (p.y - a.y) / (b.y - a.y) + a.x))
            inside = !inside;
    }
    return inside;
}

static bool segmentsIntersect(Point p1, Point p2, Point p3, Point p4) {
    auto cross = [](Point o, Point a, Point b) { return (a.x - o.x) * (b.y - o.y) - (a.y - o.y) * (b.x - o.x); };
    auto onSeg = [](Point a, Point b, Point c) {
        return std::min(a.x, b.x) <= c.x && c.x <= std::max(a.x, b.x) && std::min(a.y, b.y) <= c.y &&
               c.y <= std::max(a.y, b.y);
    };
    float d1 = cross(p3, p4, p1), d2 = cross(p3, p4, p2), d3 = cross(p1, p2, p3), d4 = cross(p1, p2, p4);
    if (((d1 > 0 && d2 < 0) || (d1 < 0 && d2 > 0)) && ((d3 > 0 && d4 < 0) || (d3 < 0 && d4 > 0))) return true;
    if (d1 == 0 && onSeg(p3, p4, p1)) return true;
    if (d2 == 0 && onSeg(p3, p4, p2)) return true;
    if (d3 == 0 && onSeg(p1, p2, p3)) return true;
    if (d4 == 0 && onSeg(p1, p2, p4)) return true;
    return false;
}

bool GeometryUtilities::polygonIntersectsRect(const Point* pts, size_t n, const Rect& r) {
    if (n == 0) return false;
    for (size_t i = 0; i < n; ++i)
        if (r.contains(pts[i])) return true;
    Point corners[4] = {{r.x, r.y}, {r.maxX(), r.y}, {r.maxX(), r.maxY()}, {r.x, r.maxY()}};
    for (const Point& c : corners)
        if (polygonContainsPoint(pts, n, c)) return true;
    for (size_t i = 0; i < n; ++i) {
        Point a = pts[i], b = pts[(i + 1) % n];
        for (int k = 0; k < 4; ++k)
            if (segmentsIntersect(a, b, corners[k], corners[(k + 1) % 4])) return true;
    }
    return false;
}

} // namespace orvane
