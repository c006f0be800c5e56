// SPDX-License-Identifier: Apache-2.0
#pragma once
#include "orvane/displaylist/DisplayListExport.h"
#include "orvane/displaylist/TqGeometry.h"
#include "orvane/displaylist/TqLineStyle.h"

#include <vector>

namespace displaylist {

/// A line or an open polyline through two or more points, stroked with a
/// width, colour and line style (butt ends, mitred joins).
class ORVANE_DISPLAYLIST_EXPORT TqLine : public TqGeometry {
public:
    TqLine(float x1, float y1, float x2, float y2);
    explicit TqLine(std::vector<Point> points);

    const char* GetKindName() const override { return "line"; }

    /// Points with a non-finite coordinate are skipped (logged).
    void SetPoints(std::vector<Point> points);
    const std::vector<Point>& GetPoints() const { return points_; }
    void SetColor(uint32_t rgb) { color_ = rgb == TQ_COLOR_NONE ? rgb : (rgb & 0xffffffu); }
    uint32_t GetColor() const { return color_; }
    void SetWidth(float width);
    float GetWidth() const { return width_; }
    void SetLineStyle(int style) { lineStyle_ = style; }
    int GetLineStyle() const { return lineStyle_; }
    void SetDashFactor(float factor);
    float GetDashFactor() const { return dashFactor_; }

    Rect GetBounds() const override;
    void Draw(TqCanvas& canvas) const override;
    void WriteSVG(TqSvgWriter& svg) const override;
    bool HitTest(const TqPickQuery& query) const override;

private:
    std::vector<Point> points_;
    uint32_t color_ = 0;
    float width_ = 1.0f;
    int lineStyle_ = TqLineStyle::SOLID;
    float dashFactor_ = 1.0f;
};

} // namespace displaylist
