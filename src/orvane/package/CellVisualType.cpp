// SPDX-License-Identifier: Apache-2.0
#include "orvane/package/CellVisualType.h"

#include <array>

namespace orvane {

namespace {
constexpr std::array<EnumPair, 4> kStringToEnum{{{"BAR", 1}, {"HEATMAP", 2}, {"NONE", 0}, {"RICHTEXT", 3}}};
constexpr std::array<std::string_view, 4> kNames{{"NONE", "BAR", "HEATMAP", "RICHTEXT"}};
} // namespace

const EnumerationTable& CellVisualType::table() {
    static const EnumerationTable t(kStringToEnum, kNames);
    return t;
}

} // namespace orvane
