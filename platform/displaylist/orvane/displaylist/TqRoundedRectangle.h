// SPDX-License-Identifier: Apache-2.0
#pragma once
#include "orvane/displaylist/DisplayListExport.h"
#include "orvane/displaylist/TqRectangle.h"

namespace displaylist {

/// A rectangle with circular corners; the radius is limited to half the
/// shorter side.
class ORVANE_DISPLAYLIST_EXPORT TqRoundedRectangle : public TqRectangle {
public:
    TqRoundedRectangle(float x, float y, float width, float height, float radius);

    const char* GetKindName() const override { return "roundrect"; }

    void SetCornerRadius(float radius);
    float GetCornerRadius() const { return radius_; }
    float GetEffectiveRadius() const;

    void Draw(TqCanvas& canvas) const override;
    void WriteSVG(TqSvgWriter& svg) const override;

private:
    float radius_ = 0.0f;
};

} // namespace displaylist
