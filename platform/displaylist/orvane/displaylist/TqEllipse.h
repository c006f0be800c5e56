// SPDX-License-Identifier: Apache-2.0
#pragma once
#include "orvane/displaylist/DisplayListExport.h"
#include "orvane/displaylist/TqGeometry.h"
#include "orvane/displaylist/TqLineStyle.h"

namespace displaylist {

/// A circle or an axis-aligned ellipse given by its centre and radii, filled
/// and/or outlined (no fill and no outline by default).
class ORVANE_DISPLAYLIST_EXPORT TqEllipse : public TqGeometry {
public:
    TqEllipse(float cx, float cy, float rx, float ry);

    const char* GetKindName() const override { return "ellipse"; }

    void SetEllipse(float cx, float cy, float rx, float ry);
    Point GetCenter() const { return center_; }
    float GetRadiusX() const { return rx_; }
    float GetRadiusY() const { return ry_; }
    void SetFillColor(uint32_t rgb) { fill_ = rgb == TQ_COLOR_NONE ? rgb : (rgb & 0xffffffu); }
    uint32_t GetFillColor() const { return fill_; }
    void SetOutlineColor(uint32_t rgb) { outlineColor_ = rgb == TQ_COLOR_NONE ? rgb : (rgb & 0xffffffu); }
    uint32_t GetOutlineColor() const { return outlineColor_; }
    void SetOutlineWidth(float width);
    float GetOutlineWidth() const { return outlineWidth_; }
    void SetLineStyle(int style) { lineStyle_ = style; }
    int GetLineStyle() const { return lineStyle_; }

    Rect GetBounds() const override;
    void Draw(TqCanvas& canvas) const override;
    void WriteSVG(TqSvgWriter& svg) const override;
    bool HitTest(const TqPickQuery& query) const override;

protected:
    Point GetScaleOrigin() const override { return center_; }

private:
    bool hasOutline() const { return outlineColor_ != TQ_COLOR_NONE && outlineWidth_ > 0.0f; }

    Point center_;
    float rx_ = 0.0f;
    float ry_ = 0.0f;
    uint32_t fill_ = TQ_COLOR_NONE;
    uint32_t outlineColor_ = TQ_COLOR_NONE;
    float outlineWidth_ = 1.0f;
    int lineStyle_ = TqLineStyle::SOLID;
};

} // namespace displaylist
