// SPDX-License-Identifier: Apache-2.0
#include "orvane/image/RasterImage.h"

#include "orvane/host/io/ResourceManager.h"

namespace orvane {

std::shared_ptr<RasterImage> RasterImage::createFromFile(const std::string& path) {
    auto img = ResourceManager::getImage(path, 0, true, true, "");
    if (!img) return nullptr;
    return createFromImage(*img);
}

std::shared_ptr<RasterImage> RasterImage::createFromTexture(unsigned int textureId, const Size& size) {
    return std::make_shared<RasterImage>(textureId, static_cast<int>(size.width), static_cast<int>(size.height));
}

std::shared_ptr<RasterImage> RasterImage::createFromImage(const Image& image) {
    if (image.hasPixels()) return std::make_shared<RasterImage>(image.getWidth(), image.getHeight(), image.getPixels());
    return std::make_shared<RasterImage>(image.getTextureId(), image.getWidth(), image.getHeight());
}

} // namespace orvane
