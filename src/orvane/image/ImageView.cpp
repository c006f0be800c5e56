// SPDX-License-Identifier: Apache-2.0
#include "orvane/image/ImageView.h"

#include "orvane/host/core/CLog.h"
#include "orvane/host/io/ResourceManager.h"
#include "orvane/image/ImageUtilities.h"
#include "orvane/image/RasterImage.h"

#include <cmath>

namespace orvane {

namespace {
constexpr const char* SOURCE = "orvane/image/ImageView";
}

std::shared_ptr<ImageView> ImageView::create(const std::string& path) {
    auto v = create();
    v->setFile(path);
    return v;
}

std::shared_ptr<ImageView> ImageView::create(const std::shared_ptr<Image>& image) {
    auto v = create();
    v->setImage(image);
    return v;
}

void ImageView::setFile(const std::shared_ptr<const std::string>& path) {
    if (!path || path->empty() || path->find(".img") != std::string::npos) {
        ORVANE_LOG(CLog::ERRORS, SOURCE, "Image type not supported");
        return;
    }
    if (path != file_) image_.reset();
    file_ = path;
    setNeedsUpdateDisplayList(true);
}

void ImageView::setImage(const std::shared_ptr<Image>& image) {
    image_ = image;
    setNeedsUpdateDisplayList(true);
}

void ImageView::setImageScale(float scale) {
    if (!(scale > 0.0f) || !std::isfinite(scale)) return;
    imageScale_ = scale;
    setNeedsUpdateDisplayList(true);
}

void ImageView::loadImageBitmap() {
    if (!file_ || image_) return;
    if (auto img = ResourceManager::getImage(*file_, 0, true, true, "")) image_ = RasterImage::createFromImage(*img);
}

Size ImageView::getFullImageSize() const {
    if (!image_) return {0.0f, 0.0f};
    return {static_cast<float>(image_->getWidth()), static_cast<float>(image_->getHeight())};
}

Size ImageView::getUnScaledImageSize() const {
    Size full = getFullImageSize();
    float dpi = ResourceManager::getDPIScaleFactor();
    if (!(dpi > 0.0f)) dpi = 1.0f;
    return {full.width * imageScale_ / dpi, full.height * imageScale_ / dpi};
}

Size ImageView::getPreferredSize(const Size&) {
    loadImageBitmap();
    return getUnScaledImageSize();
}

void ImageView::updateDisplayList(const std::shared_ptr<displaylist::DisplayListEditor>& editor) {
    BaseView::updateDisplayList(editor);
    Rect frame = getFrame();
    loadImageBitmap();
    if (!editor || !image_) return;
    Size drawn = getUnScaledImageSize();
    std::shared_ptr<Image> toDraw = image_;
    if (!std::dynamic_pointer_cast<RasterImage>(toDraw) && toDraw->hasPixels())
        toDraw = RasterImage::createFromImage(*toDraw);
    ImageUtilities::drawImage(editor, toDraw, {0.0f, frame.height - drawn.height, drawn.width, drawn.height});
}

} // namespace orvane
