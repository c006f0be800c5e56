// SPDX-License-Identifier: Apache-2.0
#pragma once
#include "orvane/OrvaneExport.h"
#include "orvane/host/core/GeometryUtilities.h"
#include "orvane/host/io/Image.h"

#include <memory>
#include <string>

namespace displaylist {
class DisplayListEditor;
}

namespace orvane {

/// Drawing images into display lists and saving them as files.
class ORVANE_EXPORT ImageUtilities {
public:
    static constexpr int FORMAT_PNG = 0;
    static constexpr int FORMAT_SVG = 1;

    /// A raster image becomes an image rectangle at `rect`; a display-list
    /// image is drawn scaled (never enlarged) into `rect`, and may be drawn into
    /// one renderer only (AssertionFailed otherwise).
    static void drawImage(const std::shared_ptr<displaylist::DisplayListEditor>& editor,
                          const std::shared_ptr<Image>& image, const Rect& rect);
    /// Draws the image off screen and writes it as PNG (0) or SVG (1). The
    /// flag asks for a transparent background, `option` is the background
    /// colour. False (with a log line) for other formats and write failures.
    static bool saveImageToFile(const std::shared_ptr<Image>& image, const std::string& path, int format, bool flag,
                                unsigned int option);
};

} // namespace orvane
