// SPDX-License-Identifier: Apache-2.0
#include "orvane/package/AccessibilityControllerNavigationType.h"

#include <array>

namespace orvane {

namespace {
constexpr std::array<EnumPair, 15> kStringToEnum{{{"CELL_DOWN", 12}, {"CELL_LEFT", 13}, {"CELL_RIGHT", 14}, {"CELL_UP", 11}, {"FIRST", 1}, {"GROUP_RESPONSE_NEXT", 7}, {"GROUP_RESPONSE_PREVIOUS", 8}, {"LAST", 2}, {"LAYER_NEXT", 9}, {"LAYER_PREVIOUS", 10}, {"LOCAL_FIRST", 5}, {"LOCAL_LAST", 6}, {"NEXT", 4}, {"NONE", 0}, {"PREVIOUS", 3}}};
constexpr std::array<std::string_view, 15> kNames{{"NONE", "FIRST", "LAST", "PREVIOUS", "NEXT", "LOCAL_FIRST", "LOCAL_LAST", "GROUP_RESPONSE_NEXT", "GROUP_RESPONSE_PREVIOUS", "LAYER_NEXT", "LAYER_PREVIOUS", "CELL_UP", "CELL_DOWN", "CELL_LEFT", "CELL_RIGHT"}};
} // namespace

const EnumerationTable& AccessibilityControllerNavigationType::table() {
    static const EnumerationTable t(kStringToEnum, kNames);
    return t;
}

} // namespace orvane
