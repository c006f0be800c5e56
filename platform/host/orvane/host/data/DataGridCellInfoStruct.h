// SPDX-License-Identifier: Apache-2.0
#pragma once
#include "orvane/host/HostExport.h"
#include <cstdint>
#include <string>

namespace displaylist {

/// What the grid knows about one cell while it is drawn, filled in by the
/// display-rule callback: size, colours, font and whether the cell needs a
/// picture. Colours are 32-bit values; 0xffffffff means none (the grid's
/// default applies). A font size of 0 means the grid's default size.
struct ORVANE_HOST_EXPORT DataGridCellInfoStruct {
    int width = 0;
    int height = 0;
    uint32_t fillColor = 0xffffffffu;
    uint32_t textColor = 0xffffffffu;
    std::string fontFamily;
    float fontSize = 0.0f;
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool needsImageTexture = false;
    bool needsOffScreenGraph = false;
};

} // namespace displaylist
