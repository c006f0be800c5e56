// SPDX-License-Identifier: Apache-2.0
#include "orvane/displaylist/TqImageRectangle.h"

#include "orvane/displaylist/TqCanvas.h"
#include "orvane/displaylist/TqPickQuery.h"
#include "orvane/displaylist/TqSvgWriter.h"
#include "orvane/host/io/Image.h"

namespace displaylist {

TqImageRectangle::TqImageRectangle(float x, float y, float width, float height) { SetRect(x, y, width, height); }

void TqImageRectangle::SetRect(float x, float y, float width, float height) {
    if (!checkFinite("image rectangle", {x, y, width, height})) return;
    rect_ = bounds::normalized(x, y, width, height);
    GeometryChanged();
}

void TqImageRectangle::SetImage(std::shared_ptr<orvane::Image> image) {
    image_ = std::move(image);
    GeometryChanged();
}

Rect TqImageRectangle::GetBounds() const { return image_ ? rect_ : bounds::empty(); }

void TqImageRectangle::Draw(TqCanvas& canvas) const {
    if (image_) canvas.drawImage(*image_, rect_);
}

void TqImageRectangle::WriteSVG(TqSvgWriter& svg) const {
    if (image_) svg.image(*image_, rect_);
}

bool TqImageRectangle::HitTest(const TqPickQuery& query) const {
    return image_ && query.intersectsRect(rect_);
}

} // namespace displaylist
