// SPDX-License-Identifier: Apache-2.0
#include "orvane/package/CompactFormatScale.h"

#include <array>

namespace orvane {

namespace {
constexpr std::array<EnumPair, 2> kStringToEnum{{{"NUMBER", 1}, {"VALUE", 0}}};
constexpr std::array<std::string_view, 2> kNames{{"VALUE", "NUMBER"}};
} // namespace

const EnumerationTable& CompactFormatScale::table() {
    static const EnumerationTable t(kStringToEnum, kNames);
    return t;
}

} // namespace orvane
