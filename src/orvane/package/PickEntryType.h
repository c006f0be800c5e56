// SPDX-License-Identifier: Apache-2.0
#pragma once
#include "orvane/OrvaneExport.h"
#include "orvane/package/EnumerationTable.h"

namespace orvane {

/// Enumeration PickEntryType: names in upper case, document form in lower case.
class ORVANE_EXPORT PickEntryType : public Enumeration<PickEntryType> {
public:
    enum type : int { CROSSTAB_ROW_HEADER = 0, CROSSTAB_MEASURE_HEADER = 1, CROSSTAB_COLUMN_HEADER = 2, CROSSTAB_ROW_AXIS_LABEL_HEADER = 3, CROSSTAB_COLUMN_AXIS_LABEL_HEADER = 4, CROSSTAB_DATA_CELL = 5, DATAGRID_DATA_CELL = 6, DATAGRID_COLUMN_HEADER = 7, DATAGRID_COLUMN_SEPARATOR = 8, DATAGRID_COLUMN_TOTAL = 9 };
    static constexpr int COUNT = 10;
    static const EnumerationTable& table();
};

} // namespace orvane
