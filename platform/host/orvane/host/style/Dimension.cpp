// SPDX-License-Identifier: Apache-2.0
#include "orvane/host/style/Dimension.h"

#include <charconv>
#include <cmath>
#include <cstdio>

namespace orvane {

float Dimension::pixelsPerUnit(int unit) {
    switch (unit) {
    case DimensionUnit::DEFAULT:
    case DimensionUnit::PIXELS: return 1.0f;
    case DimensionUnit::POINTS: return 4.0f / 3.0f;
    case DimensionUnit::INCHES: return 96.0f;
    case DimensionUnit::CENTIMETERS: return 96.0f / 2.54f;
    case DimensionUnit::MILLIMETERS: return 96.0f / 25.4f;
    default: return 0.0f;
    }
}

float Dimension::getScalarValueForUnit(int unit, float referenceLength, float scale) const {
    if (unit == unit_ && scale == 1.0f) return value_;
    float px;
    if (unit_ == DimensionUnit::PERCENT)
        px = referenceLength < 0.0f ? 0.0f : value_ / 100.0f * referenceLength;
    else
        px = value_ * pixelsPerUnit(unit_);
    px *= scale;
    if (unit == DimensionUnit::PERCENT) {
        if (!(referenceLength > 0.0f)) return 0.0f;
        return px / referenceLength * 100.0f;
    }
    float per = pixelsPerUnit(unit);
    return per > 0.0f ? px / per : 0.0f;
}

std::shared_ptr<Dimension> Dimension::fromString(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
    if (text.empty()) return nullptr;
    float v = 0.0f;
    const char* begin = text.data();
    const char* end = begin + text.size();
    if (*begin == '+') ++begin;
    auto [ptr, ec] = std::from_chars(begin, end, v);
    if (ec != std::errc() || !std::isfinite(v)) return nullptr;
    std::string_view suffix(ptr, static_cast<size_t>(end - ptr));
    int unit;
    if (suffix.empty() || suffix == "px")
        unit = DimensionUnit::PIXELS;
    else if (suffix == "%")
        unit = DimensionUnit::PERCENT;
    else if (suffix == "pt")
        unit = DimensionUnit::POINTS;
    else if (suffix == "in")
        unit = DimensionUnit::INCHES;
    else if (suffix == "cm")
        unit = DimensionUnit::CENTIMETERS;
    else if (suffix == "mm")
        unit = DimensionUnit::MILLIMETERS;
    else
        return nullptr;
    return create(v, unit);
}

std::string Dimension::toString() const {
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.9g", static_cast<double>(value_));
    std::string s = buf;
    switch (unit_) {
    case DimensionUnit::PERCENT: return s + "%";
    case DimensionUnit::POINTS: return s + "pt";
    case DimensionUnit::INCHES: return s + "in";
    case DimensionUnit::CENTIMETERS: return s + "cm";
    case DimensionUnit::MILLIMETERS: return s + "mm";
    default: return s + "px";
    }
}

} // namespace orvane
