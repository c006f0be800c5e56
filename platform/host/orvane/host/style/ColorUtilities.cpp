// SPDX-License-Identifier: Apache-2.0
#include "orvane/host/style/ColorUtilities.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <map>

namespace orvane {

namespace {
std::string lower(std::string_view s) {
    std::string r;
    for (char c : s)
        if (!std::isspace(static_cast<unsigned char>(c))) r += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return r;
}

bool hexValue(std::string_view h, uint32_t& out) {
    if (h.empty() || h.size() > 8) return false;
    auto [p, ec] = std::from_chars(h.data(), h.data() + h.size(), out, 16);
    return ec == std::errc() && p == h.data() + h.size();
}

const std::map<std::string, uint32_t, std::less<>>& names() {
    static const std::map<std::string, uint32_t, std::less<>> n{
        {"black", 0x000000},  {"white", 0xffffff},   {"red", 0xff0000},    {"green", 0x008000}, {"lime", 0x00ff00},
        {"blue", 0x0000ff},   {"yellow", 0xffff00},  {"cyan", 0x00ffff},   {"aqua", 0x00ffff},  {"magenta", 0xff00ff},
        {"fuchsia", 0xff00ff}, {"gray", 0x808080},   {"grey", 0x808080},   {"silver", 0xc0c0c0}, {"maroon", 0x800000},
        {"olive", 0x808000}, {"navy", 0x000080},     {"purple", 0x800080}, {"teal", 0x008080},  {"orange", 0xffa500},
        {"lightgray", 0xd3d3d3}, {"lightgrey", 0xd3d3d3}, {"darkgray", 0xa9a9a9}, {"darkgrey", 0xa9a9a9}};
    return n;
}
} // namespace

uint32_t ColorUtilities::makeColor(int r, int g, int b, double opacity) {
    auto clamp8 = [](int v) { return static_cast<uint32_t>(std::clamp(v, 0, 255)); };
    double o = std::isnan(opacity) ? 1.0 : std::clamp(opacity, 0.0, 1.0);
    uint32_t t = static_cast<uint32_t>(std::lround((1.0 - o) * 255.0));
    return (t << 24) | (clamp8(r) << 16) | (clamp8(g) << 8) | clamp8(b);
}

uint32_t ColorUtilities::interpolate(uint32_t a, uint32_t b, double t) {
    t = std::isnan(t) ? 0.0 : std::clamp(t, 0.0, 1.0);
    uint32_t out = 0;
    for (int shift = 0; shift <= 24; shift += 8) {
        double ca = (a >> shift) & 0xff, cb = (b >> shift) & 0xff;
        out |= static_cast<uint32_t>(std::lround(ca + (cb - ca) * t)) << shift;
    }
    return out;
}

uint32_t ColorUtilities::mapValueToColor(double min, double max, double value, const std::vector<uint32_t>& ramp) {
    if (ramp.empty() || std::isnan(value)) return NONE;
    if (ramp.size() == 1 || min == max || std::isnan(min) || std::isnan(max)) return ramp.front();
    double t = std::clamp((value - min) / (max - min), 0.0, 1.0);
    double pos = t * static_cast<double>(ramp.size() - 1);
    size_t i = std::min(static_cast<size_t>(pos), ramp.size() - 2);
    return interpolate(ramp[i], ramp[i + 1], pos - static_cast<double>(i));
}

bool ColorUtilities::parseColor(std::string_view text, uint32_t& out) {
    std::string s = lower(text);
    if (s.empty()) return false;
    if (s == "none" || s == "transparent") return out = NONE, true;
    if (s[0] == '#') {
        std::string_view h = std::string_view(s).substr(1);
        uint32_t v;
        if (!hexValue(h, v)) return false;
        if (h.size() == 3) {
            uint32_t r = (v >> 8) & 0xf, g = (v >> 4) & 0xf, b = v & 0xf;
            out = (r * 17) << 16 | (g * 17) << 8 | (b * 17);
            return true;
        }
        if (h.size() == 6) return out = v, true;
        if (h.size() == 8) return out = ((255 - (v & 0xff)) << 24) | (v >> 8), true;
        return false;
    }
    if (s.size() > 2 && s[0] == '0' && s[1] == 'x') return hexValue(std::string_view(s).substr(2), out);
    if (s.rfind("rgb(", 0) == 0 || s.rfind("rgba(", 0) == 0) {
        if (s.back() != ')') return false;
        std::string_view args = std::string_view(s).substr(s.find('(') + 1);
        args.remove_suffix(1);
        double v[4] = {0, 0, 0, 1};
        int n = 0;
        while (!args.empty() && n < 4) {
            size_t comma = args.find(',');
            std::string_view part = args.substr(0, comma);
            bool pct = !part.empty() && part.back() == '%';
            if (pct) part.remove_suffix(1);
            auto [p, ec] = std::from_chars(part.data(), part.data() + part.size(), v[n]);
            if (ec != std::errc() || p != part.data() + part.size()) return false;
            if (pct) v[n] = n < 3 ? v[n] * 2.55 : v[n] / 100.0;
            ++n;
            args = comma == std::string_view::npos ? std::string_view() : args.substr(comma + 1);
        }
        if (n < 3 || !args.empty()) return false;
        out = makeColor(static_cast<int>(std::lround(v[0])), static_cast<int>(std::lround(v[1])),
                        static_cast<int>(std::lround(v[2])), v[3]);
        return true;
    }
    auto it = names().find(s);
    if (it == names().end()) return false;
    out = it->second;
    return true;
}

std::string ColorUtilities::toCssString(uint32_t c) {
    if (c == NONE) return "none";
    char buf[16];
    uint32_t t = c >> 24;
    if (t == 0) std::snprintf(buf, sizeof buf, "#%06x", c & 0xffffff);
    else std::snprintf(buf, sizeof buf, "#%06x%02x", c & 0xffffff, 255 - t);
    return buf;
}

} // namespace orvane
