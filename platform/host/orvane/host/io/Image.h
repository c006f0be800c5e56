// SPDX-License-Identifier: Apache-2.0
#pragma once
#include "orvane/host/HostExport.h"
#include "orvane/host/core/Wrappable.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace orvane {

/// A picture: pixel width and height, and either RGBA pixels (8 bits per
/// channel, rows top to bottom, not premultiplied) or a texture id.
class ORVANE_HOST_EXPORT Image : public virtual Wrappable {
public:
    Image() = default;
    Image(int width, int height, std::vector<uint8_t> rgba)
        : width_(width), height_(height), pixels_(std::move(rgba)) {}
    Image(unsigned int textureId, int width, int height) : width_(width), height_(height), textureId_(textureId) {}
    ~Image() override = default;

    int getWidth() const { return width_; }
    int getHeight() const { return height_; }
    bool hasPixels() const { return !pixels_.empty(); }
    const std::vector<uint8_t>& getPixels() const { return pixels_; }
    unsigned int getTextureId() const { return textureId_; }
    /// RGBA of one pixel (0 outside the image or without pixels).
    uint32_t getPixel(int x, int y) const;

    /// Reads a PNG file; null when it cannot be read.
    static std::shared_ptr<Image> readPNG(const std::string& path);
    /// Writes the pixels as PNG; false on I/O error or without pixels.
    bool writePNG(const std::string& path) const;
    /// Encodes the pixels as PNG into `out` (for hosts that write the bytes
    /// themselves, e.g. to standard output); false without pixels.
    bool encodePNG(std::vector<uint8_t>& out) const;

protected:
    int width_ = 0;
    int height_ = 0;
    std::vector<uint8_t> pixels_;
    unsigned int textureId_ = 0;
};

} // namespace orvane
