// SPDX-License-Identifier: Apache-2.0
#pragma once
#include "orvane/displaylist/DisplayListExport.h"
#include "orvane/displaylist/TqGeometry.h"
#include "orvane/displaylist/TqLineStyle.h"

#include <vector>

namespace displaylist {

/// An elliptical arc around a centre, from a start angle through a sweep (in
/// degrees, counter-clockwise from the positive x axis, y up). With a fill
/// colour it is drawn as a pie slice (closed through the centre); the stroke
/// follows the arc.
class ORVANE_DISPLAYLIST_EXPORT TqArc : public TqGeometry {
public:
    TqArc(float cx, float cy, float rx, float ry, float startDegrees, float sweepDegrees);

    const char* GetKindName() const override { return "arc"; }

    void SetArc(float cx, float cy, float rx, float ry, float startDegrees, float sweepDegrees);
    Point GetCenter() const { return center_; }
    float GetStartAngle() const { return start_; }
    float GetSweepAngle() const { return sweep_; }
    void SetFillColor(uint32_t rgb) { fill_ = rgb == TQ_COLOR_NONE ? rgb : (rgb & 0xffffffu); }
    uint32_t GetFillColor() const { return fill_; }
    void SetColor(uint32_t rgb) { color_ = rgb == TQ_COLOR_NONE ? rgb : (rgb & 0xffffffu); }
    uint32_t GetColor() const { return color_; }
    void SetWidth(float width);
    float GetWidth() const { return width_; }
    void SetLineStyle(int style) { lineStyle_ = style; }

    Rect GetBounds() const override;
    void Draw(TqCanvas& canvas) const override;
    void WriteSVG(TqSvgWriter& svg) const override;
    bool HitTest(const TqPickQuery& query) const override;

protected:
    Point GetScaleOrigin() const override { return center_; }

private:
    /// Points along the arc (and the centre first for a pie).
    std::vector<Point> outline(bool withCenter) const;
    bool hasStroke() const { return color_ != TQ_COLOR_NONE && width_ > 0.0f; }

    Point center_;
    float rx_ = 0.0f;
    float ry_ = 0.0f;
    float start_ = 0.0f;
    float sweep_ = 0.0f;
    uint32_t fill_ = TQ_COLOR_NONE;
    uint32_t color_ = 0;
    float width_ = 1.0f;
    int lineStyle_ = TqLineStyle::SOLID;
};

} // namespace displaylist
