// SPDX-License-Identifier: Apache-2.0
#include "orvane/package/PreferredSizeBehaviorType.h"

#include <array>

namespace orvane {

namespace {
constexpr std::array<EnumPair, 6> kStringToEnum{{{"HONOR", 1}, {"HONORSIZE", 1}, {"IGNORE", 0}, {"IGNORESIZE", 0}, {"honor", 1}, {"ignore", 0}}};
constexpr std::array<std::string_view, 2> kNames{{"IGNORESIZE", "HONORSIZE"}};
constexpr std::array<std::string_view, 2> kXmlNames{{"ignore", "honor"}};
} // namespace

const EnumerationTable& PreferredSizeBehaviorType::table() {
    static const EnumerationTable t(kStringToEnum, kNames, kXmlNames);
    return t;
}

} // namespace orvane
