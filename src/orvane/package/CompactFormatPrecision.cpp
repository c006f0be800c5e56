// SPDX-License-Identifier: Apache-2.0
#include "orvane/package/CompactFormatPrecision.h"

#include <array>

namespace orvane {

namespace {
constexpr std::array<EnumPair, 2> kStringToEnum{{{"AUTO", 0}, {"NUMBER", 1}}};
constexpr std::array<std::string_view, 2> kNames{{"AUTO", "NUMBER"}};
} // namespace

const EnumerationTable& CompactFormatPrecision::table() {
    static const EnumerationTable t(kStringToEnum, kNames);
    return t;
}

} // namespace orvane
