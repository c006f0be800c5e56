// SPDX-License-Identifier: Apache-2.0
#include "orvane/package/AccessibilityDetailType.h"

#include <array>

namespace orvane {

namespace {
constexpr std::array<EnumPair, 7> kStringToEnum{{{"CROSSTAB_COLUMN_AXIS_LABEL_HEADER", 6}, {"CROSSTAB_COLUMN_HEADER", 4}, {"CROSSTAB_ROW_AXIS_LABEL_HEADER", 5}, {"CROSSTAB_ROW_HEADER", 3}, {"DATA_ELEMENTS", 1}, {"GRAPH_AXES", 2}, {"NONE", 0}}};
constexpr std::array<std::string_view, 7> kNames{{"NONE", "DATA_ELEMENTS", "GRAPH_AXES", "CROSSTAB_ROW_HEADER", "CROSSTAB_COLUMN_HEADER", "CROSSTAB_ROW_AXIS_LABEL_HEADER", "CROSSTAB_COLUMN_AXIS_LABEL_HEADER"}};
} // namespace

const EnumerationTable& AccessibilityDetailType::table() {
    static const EnumerationTable t(kStringToEnum, kNames);
    return t;
}

} // namespace orvane
