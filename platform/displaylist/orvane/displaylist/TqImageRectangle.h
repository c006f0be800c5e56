// SPDX-License-Identifier: Apache-2.0
#pragma once
#include "orvane/displaylist/DisplayListExport.h"
#include "orvane/displaylist/TqGeometry.h"

#include <memory>

namespace orvane {
class Image;
}

namespace displaylist {

/// An image stretched over a rectangle. The image may hold pixels, a texture
/// (drawn as a neutral placeholder, since textures cannot be read without a
/// GPU) or be a DisplayListImage (its recorded list is drawn scaled into the
/// rectangle).
class ORVANE_DISPLAYLIST_EXPORT TqImageRectangle : public TqGeometry {
public:
    TqImageRectangle(float x, float y, float width, float height);

    const char* GetKindName() const override { return "image"; }

    void SetRect(float x, float y, float width, float height);
    const Rect& GetRect() const { return rect_; }
    void SetImage(std::shared_ptr<orvane::Image> image);
    const std::shared_ptr<orvane::Image>& GetImage() const { return image_; }

    Rect GetBounds() const override;
    void Draw(TqCanvas& canvas) const override;
    void WriteSVG(TqSvgWriter& svg) const override;
    bool HitTest(const TqPickQuery& query) const override;

protected:
    Point GetScaleOrigin() const override { return {rect_.x, rect_.y}; }

private:
    Rect rect_;
    std::shared_ptr<orvane::Image> image_;
};

} // namespace displaylist
