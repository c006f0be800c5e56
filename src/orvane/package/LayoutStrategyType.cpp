// SPDX-License-Identifier: Apache-2.0
#include "orvane/package/LayoutStrategyType.h"

#include <array>

namespace orvane {

namespace {
constexpr std::array<EnumPair, 6> kStringToEnum{{{"LS_RELATIVE", 2}, {"LS_RESPONSIVE", 0}, {"LS_SLIDE", 3}, {"LS_STACK", 4}, {"LS_TILED", 1}, {"LS_TILED_REFLOW", 5}}};
constexpr std::array<std::string_view, 6> kNames{{"LS_RESPONSIVE", "LS_TILED", "LS_RELATIVE", "LS_SLIDE", "LS_STACK", "LS_TILED_REFLOW"}};
} // namespace

const EnumerationTable& LayoutStrategyType::table() {
    static const EnumerationTable t(kStringToEnum, kNames);
    return t;
}

} // namespace orvane
