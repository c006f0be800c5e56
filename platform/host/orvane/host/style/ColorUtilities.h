// SPDX-License-Identifier: Apache-2.0
#pragma once
#include "orvane/host/HostExport.h"
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace orvane {

/// Colours are 32-bit values 0xTTRRGGBB: red, green and blue in the low three
/// bytes and the transparency in the high byte (0 opaque, 255 fully
/// transparent). Colours written as 24-bit RGB (0xD4D4D4) are therefore
/// opaque, and 0xffffffff, fully transparent white, means "no colour".
class ORVANE_HOST_EXPORT ColorUtilities {
public:
    static constexpr uint32_t NONE = 0xffffffffu;

    static bool isNone(uint32_t color) { return color == NONE; }
    static uint32_t makeColor(int red, int green, int blue, double opacity = 1.0);
    static int red(uint32_t c) { return static_cast<int>((c >> 16) & 0xff); }
    static int green(uint32_t c) { return static_cast<int>((c >> 8) & 0xff); }
    static int blue(uint32_t c) { return static_cast<int>(c & 0xff); }
    /// 1 for opaque colours, 0 for fully transparent ones.
    static double opacity(uint32_t c) { return (255 - ((c >> 24) & 0xff)) / 255.0; }

    /// The colour of value on a ramp of equally spaced stops between min and
    /// max: linear interpolation of every channel, the value clamped to
    /// [min, max]; min == max gives the first stop. NONE for an empty ramp or
    /// a NaN value.
    static uint32_t mapValueToColor(double min, double max, double value, const std::vector<uint32_t>& ramp);
    /// a at t = 0, b at t = 1.
    static uint32_t interpolate(uint32_t a, uint32_t b, double t);

    /// Reads "#rgb", "#rrggbb", "#rrggbbaa" (CSS order, alpha last),
    /// "rgb(r, g, b)", "rgba(r, g, b, a)", "0xTTRRGGBB", a CSS colour name,
    /// or "none" / "transparent".
    static bool parseColor(std::string_view text, uint32_t& out);
    /// "#rrggbb" for opaque colours, "#rrggbbaa" otherwise, "none" for NONE.
    static std::string toCssString(uint32_t color);
};

} // namespace orvane
