// SPDX-License-Identifier: Apache-2.0
#pragma once
#include "orvane/displaylist/DisplayListExport.h"
#include "orvane/displaylist/TqTransform.h"

#include <vector>

namespace displaylist {

/// The region a pick asks about, a rectangle aperture or a polygon, expressed
/// in the coordinates of the node being tested. Groups hand their children a
/// copy mapped through the child's transform.
class ORVANE_DISPLAYLIST_EXPORT TqPickQuery {
public:
    static TqPickQuery rect(const Rect& r);
    static TqPickQuery polygon(std::vector<Point> points);

    bool isRect() const { return isRect_; }
    /// The aperture, or the bounding box of the polygon.
    const Rect& getBounds() const { return bounds_; }
    const std::vector<Point>& getPolygon() const { return polygon_; }

    /// The same region in the coordinates of a child with transform `t`.
    TqPickQuery toLocal(const TqTransform& t) const;

    bool containsPoint(const Point& p) const;
    bool intersectsRect(const Rect& r) const;
    /// The segment a-b drawn with the given half line width.
    bool intersectsSegment(const Point& a, const Point& b, float halfWidth) const;
    /// The filled ellipse centred at c.
    bool intersectsEllipse(const Point& c, float rx, float ry) const;

private:
    bool isRect_ = true;
    Rect bounds_;
    std::vector<Point> polygon_;
};

} // namespace displaylist
