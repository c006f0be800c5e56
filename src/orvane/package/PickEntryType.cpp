// SPDX-License-Identifier: Apache-2.0
#include "orvane/package/PickEntryType.h"

#include <array>

namespace orvane {

namespace {
constexpr std::array<EnumPair, 10> kStringToEnum{{{"CROSSTAB_COLUMN_AXIS_LABEL_HEADER", 4}, {"CROSSTAB_COLUMN_HEADER", 2}, {"CROSSTAB_DATA_CELL", 5}, {"CROSSTAB_MEASURE_HEADER", 1}, {"CROSSTAB_ROW_AXIS_LABEL_HEADER", 3}, {"CROSSTAB_ROW_HEADER", 0}, {"DATAGRID_COLUMN_HEADER", 7}, {"DATAGRID_COLUMN_SEPARATOR", 8}, {"DATAGRID_COLUMN_TOTAL", 9}, {"DATAGRID_DATA_CELL", 6}}};
constexpr std::array<std::string_view, 10> kNames{{"CROSSTAB_ROW_HEADER", "CROSSTAB_MEASURE_HEADER", "CROSSTAB_COLUMN_HEADER", "CROSSTAB_ROW_AXIS_LABEL_HEADER", "CROSSTAB_COLUMN_AXIS_LABEL_HEADER", "CROSSTAB_DATA_CELL", "DATAGRID_DATA_CELL", "DATAGRID_COLUMN_HEADER", "DATAGRID_COLUMN_SEPARATOR", "DATAGRID_COLUMN_TOTAL"}};
} // namespace

const EnumerationTable& PickEntryType::table() {
    static const EnumerationTable t(kStringToEnum, kNames);
    return t;
}

} // namespace orvane
