// SPDX-License-Identifier: Apache-2.0
#include "orvane/host/io/Image.h"

#include "orvane/host/core/CLog.h"

#include <png.h>

#include <cstdio>
#include <cstring>

namespace orvane {

uint32_t Image::getPixel(int x, int y) const {
    if (pixels_.empty() || x < 0 || y < 0 || x >= width_ || y >= height_) return 0;
    const uint8_t* p = &pixels_[(static_cast<size_t>(y) * width_ + x) * 4];
    return (uint32_t(p[0]) << 24) | (uint32_t(p[1]) << 16) | (uint32_t(p[2]) << 8) | p[3];
}

std::shared_ptr<Image> Image::readPNG(const std::string& path) {
    png_image img;
    std::memset(&img, 0, sizeof img);
    img.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_file(&img, path.c_str())) return nullptr;
    img.format = PNG_FORMAT_RGBA;
    if (img.width == 0 || img.height == 0 || img.width > 32768 || img.height > 32768) {
        png_image_free(&img);
        return nullptr;
    }
    std::vector<uint8_t> buf(PNG_IMAGE_SIZE(img));
    if (!png_image_finish_read(&img, nullptr, buf.data(), 0, nullptr)) {
        png_image_free(&img);
        return nullptr;
    }
    return std::make_shared<Image>(static_cast<int>(img.width), static_cast<int>(img.height), std::move(buf));
}

namespace {
png_image pngHeader(int width, int height) {
    png_image img;
    std::memset(&img, 0, sizeof img);
    img.version = PNG_IMAGE_VERSION;
    img.width = static_cast<png_uint_32>(width);
    img.height = static_cast<png_uint_32>(height);
    img.format = PNG_FORMAT_RGBA;
    return img;
}
} // namespace

bool Image::encodePNG(std::vector<uint8_t>& out) const {
    out.clear();
    if (pixels_.empty() || width_ <= 0 || height_ <= 0) return false;
    png_image img = pngHeader(width_, height_);
    png_alloc_size_t size = 0;
    // The first call measures, the second writes.
    if (!png_image_write_to_memory(&img, nullptr, &size, 0, pixels_.data(), 0, nullptr)) return false;
    out.resize(size);
    if (!png_image_write_to_memory(&img, out.data(), &size, 0, pixels_.data(), 0, nullptr)) {
        out.clear();
        return false;
    }
    out.resize(size);
    return true;
}

bool Image::writePNG(const std::string& path) const {
    if (pixels_.empty() || width_ <= 0 || height_ <= 0) return false;
    png_image img = pngHeader(width_, height_);
    std::string tmp = path + ".tmp";
    if (!png_image_write_to_file(&img, tmp.c_str(), 0, pixels_.data(), 0, nullptr)) {
        std::remove(tmp.c_str());
        return false;
    }
    if (std::rename(tmp.c_str(), path.c_str()) != 0) {
        std::remove(tmp.c_str());
        return false;
    }
    return true;
}

} // namespace orvane
