// SPDX-License-Identifier: Apache-2.0
#pragma once
#include "orvane/OrvaneExport.h"
#include "orvane/host/core/GeometryUtilities.h"
#include "orvane/host/io/Image.h"

#include <memory>
#include <string>

namespace orvane {

/// An image held as pixels or as a texture.
class ORVANE_EXPORT RasterImage : public Image {
public:
    static constexpr int WRAPPER_TYPE_ID = 10064;
    using Image::Image;
    int getWrapperTypeId() const override { return WRAPPER_TYPE_ID; }

    /// Null when the file cannot be read.
    static std::shared_ptr<RasterImage> createFromFile(const std::string& path);
    static std::shared_ptr<RasterImage> createFromTexture(unsigned int textureId, const Size& size);
    static std::shared_ptr<RasterImage> createFromImage(const Image& image);
};

} // namespace orvane
