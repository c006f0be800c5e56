// SPDX-License-Identifier: Apache-2.0
#pragma once
#include "orvane/displaylist/DisplayListExport.h"
#include <memory>

namespace displaylist {

class DisplayListRenderer;

/// Creates renderers for off-screen work (pictures, exports).
class ORVANE_DISPLAYLIST_EXPORT DisplayListRendererFactory {
public:
    static std::shared_ptr<DisplayListRenderer> createRenderer();
};

} // namespace displaylist
