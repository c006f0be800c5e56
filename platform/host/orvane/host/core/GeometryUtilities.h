// SPDX-License-Identifier: Apache-2.0
#pragma once
#include "orvane/host/HostExport.h"
#include <cmath>
#include <limits>

namespace orvane {

/// Float geometry in display-list coordinates: origin at the lower left, y up.
struct ORVANE_HOST_EXPORT Point {
    float x = 0.0f;
    float y = 0.0f;
    constexpr Point() = default;
    constexpr Point(float px, float py) : x(px), y(py) {}
    /// The host's null point: both coordinates NaN.
    static Point null() {
        return {std::numeric_limits<float>::quiet_NaN(), std::numeric_limits<float>::quiet_NaN()};
    }
    bool isNull() const { return std::isnan(x) && std::isnan(y); }
    bool operator==(const Point& o) const { return x == o.x && y == o.y; }
    Point operator+(const Point& o) const { return {x + o.x, y + o.y}; }
    Point operator-(const Point& o) const { return {x - o.x, y - o.y}; }
};

struct ORVANE_HOST_EXPORT Size {
    float width = 0.0f;
    float height = 0.0f;
    constexpr Size() = default;
    constexpr Size(float w, float h) : width(w), height(h) {}
    bool operator==(const Size& o) const { return width == o.width && height == o.height; }
    bool isEmpty() const { return !(width > 0.0f) || !(height > 0.0f); }
};

struct ORVANE_HOST_EXPORT Rect {
    float x = 0.0f;
    float y = 0.0f;
    float width = 0.0f;
    float height = 0.0f;
    constexpr Rect() = default;
    constexpr Rect(float px, float py, float w, float h) : x(px), y(py), width(w), height(h) {}
    Rect(const Point& p, const Size& s) : x(p.x), y(p.y), width(s.width), height(s.height) {}

    /// Equality of all four values.
    bool operator==(const Rect& o) const {
        return x == o.x && y == o.y && width == o.width && height == o.height;
    }
    Point origin() const { return {x, y}; }
    Size size() const { return {width, height}; }
    float maxX() const { return x + width; }
    float maxY() const { return y + height; }
    /// Inclusive edges: [x, x + w] x [y, y + h].
    bool contains(const Point& p) const {
        return p.x >= x && p.x <= x + width && p.y >= y && p.y <= y + height;
    }
    bool intersects(const Rect& o) const {
        return !(o.x > maxX() || o.maxX() < x || o.y > maxY() || o.maxY() < y);
    }
    Rect offsetBy(const Point& p) const { return {x + p.x, y + p.y, width, height}; }
    Rect unionWith(const Rect& o) const;
    bool isFinite() const {
        return std::isfinite(x) && std::isfinite(y) && std::isfinite(width) && std::isfinite(height);
    }
};

class ORVANE_HOST_EXPORT GeometryUtilities {
public:
    static bool rectContainsPoint(const Rect& r, const Point& p) { return r.contains(p); }
    static Rect offsetRect(const Rect& r, const Point& p) { return r.offsetBy(p); }
    static bool rectsEqual(const Rect& a, const Rect& b) { return a == b; }
    static Point nullPoint() { return Point::null(); }
    /// Point-in-polygon by the even-odd rule; the polygon is closed implicitly.
    static bool polygonContainsPoint(const Point* pts, size_t n, const Point& p);
    /// True when the polygon and the rectangle share any point.
    static bool polygonIntersectsRect(const Point* pts, size_t n, const Rect& r);
};

} // namespace orvane
