// SPDX-License-Identifier: Apache-2.0
#include "orvane/package/CellVisualPosition.h"

#include <array>

namespace orvane {

namespace {
constexpr std::array<EnumPair, 4> kStringToEnum{{{"LEFT", 0}, {"REPLACE", 2}, {"RIGHT", 1}, {"UNKNOWN", 3}}};
constexpr std::array<std::string_view, 4> kNames{{"LEFT", "RIGHT", "REPLACE", "UNKNOWN"}};
} // namespace

const EnumerationTable& CellVisualPosition::table() {
    static const EnumerationTable t(kStringToEnum, kNames);
    return t;
}

} // namespace orvane
