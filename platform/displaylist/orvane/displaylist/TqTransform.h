// SPDX-License-Identifier: Apache-2.0
#pragma once
#include "orvane/displaylist/DisplayListExport.h"
#include "orvane/host/core/GeometryUtilities.h"

#include <algorithm>
#include <cmath>

namespace displaylist {

using orvane::Point;
using orvane::Rect;
using orvane::Size;

/// Axis-aligned affine map from a node's coordinates to its parent's:
/// parent = (sx * x + tx, sy * y + ty), with positive scales. Display-list
/// coordinates have their origin at the lower left and y growing upwards.
struct ORVANE_DISPLAYLIST_EXPORT TqTransform {
    float sx = 1.0f;
    float sy = 1.0f;
    float tx = 0.0f;
    float ty = 0.0f;

    bool isIdentity() const { return sx == 1.0f && sy == 1.0f && tx == 0.0f && ty == 0.0f; }
    Point apply(const Point& p) const { return {sx * p.x + tx, sy * p.y + ty}; }
    Point applyInverse(const Point& p) const { return {(p.x - tx) / sx, (p.y - ty) / sy}; }
    Rect apply(const Rect& r) const { return {sx * r.x + tx, sy * r.y + ty, sx * r.width, sy * r.height}; }
    Rect applyInverse(const Rect& r) const {
        return {(r.x - tx) / sx, (r.y - ty) / sy, r.width / sx, r.height / sy};
    }
    /// this ∘ inner: first inner, then this.
    TqTransform then(const TqTransform& inner) const {
        return {sx * inner.sx, sy * inner.sy, sx * inner.tx + tx, sy * inner.ty + ty};
    }
};

// Bounds helpers: an empty bounds rect has a negative width.
namespace bounds {
inline Rect empty() { return {0.0f, 0.0f, -1.0f, -1.0f}; }
inline bool isEmpty(const Rect& r) { return !(r.width >= 0.0f) || !(r.height >= 0.0f); }
inline Rect unite(const Rect& a, const Rect& b) {
    if (isEmpty(a)) return b;
    if (isEmpty(b)) return a;
    float x0 = std::min(a.x, b.x), y0 = std::min(a.y, b.y);
    float x1 = std::max(a.maxX(), b.maxX()), y1 = std::max(a.maxY(), b.maxY());
    return {x0, y0, x1 - x0, y1 - y0};
}
inline bool intersects(const Rect& a, const Rect& b) {
    if (isEmpty(a) || isEmpty(b)) return false;
    return !(b.x > a.maxX() || b.maxX() < a.x || b.y > a.maxY() || b.maxY() < a.y);
}
inline Rect inflate(const Rect& r, float d) {
    if (isEmpty(r)) return r;
    return {r.x - d, r.y - d, r.width + 2 * d, r.height + 2 * d};
}
/// A rect with non-negative size covering the same area.
inline Rect normalized(float x, float y, float w, float h) {
    if (w < 0.0f) { x += w; w = -w; }
    if (h < 0.0f) { y += h; h = -h; }
    return {x, y, w, h};
}
inline bool finite(float a) { return std::isfinite(a); }
} // namespace bounds

} // namespace displaylist
