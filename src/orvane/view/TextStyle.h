// SPDX-License-Identifier: Apache-2.0
#pragma once
#include "orvane/OrvaneExport.h"
#include "orvane/host/style/StyleChain.h"

#include <cstdint>
#include <memory>
#include <string>

namespace orvane {

/// The text attributes of a style chain, with the defaults of the text views:
/// colour 19 (0), font 32 ("Arial"), size 31 in points (12), bold 34, italic 33,
/// alignment 49, underline 52, transparency 58 (0), background 8 (none).
struct ORVANE_EXPORT TextStyle {
    uint32_t color = 0;
    std::string fontName = "Arial";
    float fontSize = 12.0f;
    bool bold = false;
    bool italic = false;
    int alignment = 0;
    bool underline = false;
    float transparency = 0.0f;
    uint32_t background = 0xffffffffu;
    bool hasBackground = false;

    static TextStyle from(const std::shared_ptr<StyleChain>& chain);
};

} // namespace orvane
