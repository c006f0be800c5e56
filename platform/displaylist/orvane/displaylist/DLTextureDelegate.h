// SPDX-License-Identifier: Apache-2.0
#pragma once
#include "orvane/displaylist/DisplayListExport.h"
#include <memory>

namespace displaylist {

class DisplayListRenderer;

/// Tracks the renderer whose drawing is in progress (set before a frame,
/// reset after it), for code that loads textures on its behalf.
class ORVANE_DISPLAYLIST_EXPORT DLTextureDelegate {
public:
    static void setCurrentDisplayListRenderer(const std::shared_ptr<DisplayListRenderer>& renderer);
    /// The current renderer, or empty.
    static std::shared_ptr<DisplayListRenderer> getCurrentDisplayListRenderer();
};

} // namespace displaylist
