// SPDX-License-Identifier: Apache-2.0
#include "orvane/package/FlexibilityType.h"

#include <array>

namespace orvane {

namespace {
constexpr std::array<EnumPair, 4> kStringToEnum{{{"FIXED", 0}, {"FLEXIBLE", 3}, {"GROWABLE", 1}, {"SHRINKABLE", 2}}};
constexpr std::array<std::string_view, 4> kNames{{"FIXED", "GROWABLE", "SHRINKABLE", "FLEXIBLE"}};
} // namespace

const EnumerationTable& FlexibilityType::table() {
    static const EnumerationTable t(kStringToEnum, kNames);
    return t;
}

} // namespace orvane
