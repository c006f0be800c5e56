// SPDX-License-Identifier: Apache-2.0
#pragma once
#include "orvane/displaylist/DisplayListExport.h"
#include "orvane/displaylist/TqGeometry.h"
#include "orvane/displaylist/TqLineStyle.h"

namespace displaylist {

/// An axis-aligned rectangle, filled and/or outlined. The outline is centred
/// on the edge. By default it has no fill and no outline.
class ORVANE_DISPLAYLIST_EXPORT TqRectangle : public TqGeometry {
public:
    TqRectangle(float x, float y, float width, float height);

    const char* GetKindName() const override { return "rect"; }

    void SetRect(float x, float y, float width, float height);
    const Rect& GetRect() const { return rect_; }

    /// TQ_COLOR_NONE turns the fill off.
    void SetFillColor(uint32_t rgb);
    uint32_t GetFillColor() const { return fill_; }
    void SetOutline(bool outline);
    bool GetOutline() const { return outline_; }
    void SetOutlineColor(uint32_t rgb);
    uint32_t GetOutlineColor() const { return outlineColor_; }
    void SetOutlineWidth(float width);
    float GetOutlineWidth() const { return outlineWidth_; }
    void SetLineStyle(int style) { lineStyle_ = style; }
    int GetLineStyle() const { return lineStyle_; }
    void SetDashFactor(float factor);
    float GetDashFactor() const { return dashFactor_; }

    Rect GetBounds() const override;
    void Draw(TqCanvas& canvas) const override;
    void WriteSVG(TqSvgWriter& svg) const override;
    bool HitTest(const TqPickQuery& query) const override;

protected:
    Point GetScaleOrigin() const override { return {rect_.x, rect_.y}; }
    bool hasOutline() const { return outline_ && outlineColor_ != TQ_COLOR_NONE && outlineWidth_ > 0.0f; }

    Rect rect_;
    uint32_t fill_ = TQ_COLOR_NONE;
    bool outline_ = false;
    uint32_t outlineColor_ = 0;
    float outlineWidth_ = 1.0f;
    int lineStyle_ = TqLineStyle::SOLID;
    float dashFactor_ = 1.0f;
};

} // namespace displaylist
