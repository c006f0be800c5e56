// SPDX-License-Identifier: Apache-2.0
#include "orvane/package/ResponsiveLayoutOverflowType.h"

#include <array>

namespace orvane {

namespace {
constexpr std::array<EnumPair, 4> kStringToEnum{{{"FIT", 1}, {"GROW", 2}, {"SCROLL", 0}, {"STACK", 3}}};
constexpr std::array<std::string_view, 4> kNames{{"SCROLL", "FIT", "GROW", "STACK"}};
} // namespace

const EnumerationTable& ResponsiveLayoutOverflowType::table() {
    static const EnumerationTable t(kStringToEnum, kNames);
    return t;
}

} // namespace orvane
