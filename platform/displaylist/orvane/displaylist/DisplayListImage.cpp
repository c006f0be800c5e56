// SPDX-License-Identifier: Apache-2.0
#include "orvane/displaylist/DisplayListImage.h"

#include "orvane/displaylist/DisplayListRenderer.h"
#include "orvane/displaylist/TqGroup.h"
#include "orvane/host/core/CLog.h"

#include <cmath>

namespace displaylist {

DisplayListImage::DisplayListImage(int width, int height) : root_(new TqGroup) {
    width_ = std::max(width, 0);
    height_ = std::max(height, 0);
    root_->SetSize(static_cast<float>(width_), static_cast<float>(height_));
}

DisplayListImage::~DisplayListImage() = default;

std::shared_ptr<DisplayListImage> DisplayListImage::create(int width, int height) {
    return std::make_shared<DisplayListImage>(width, height);
}

std::shared_ptr<DisplayListImage> DisplayListImage::createFromRenderer(
    const std::shared_ptr<DisplayListRenderer>& renderer) {
    if (!renderer) return nullptr;
    Rect v = renderer->getViewport();
    auto image = create(static_cast<int>(std::ceil(v.width)), static_cast<int>(std::ceil(v.height)));
    TqGroup* root = image->getDisplayListRootNode();
    if (v.x != 0.0f || v.y != 0.0f) root->SetTranslation(-v.x, -v.y);
    for (TqGeometry* node : renderer->getRootNode()->GetChildren()) root->AddChild(node);
    return image;
}

bool DisplayListImage::bindRenderer(const std::shared_ptr<DisplayListRenderer>& renderer) {
    if (isBoundToOtherRenderer(renderer)) {
        ORVANE_LOG(orvane::CLog::ERRORS, "displaylist/DisplayListImage",
                   "A display-list image can only be drawn into one renderer");
        return false;
    }
    renderer_ = renderer;
    return true;
}

bool DisplayListImage::isBoundToOtherRenderer(const std::shared_ptr<DisplayListRenderer>& renderer) const {
    auto bound = renderer_.lock();
    return bound && bound != renderer;
}

} // namespace displaylist
