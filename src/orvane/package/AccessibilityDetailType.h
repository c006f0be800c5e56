// SPDX-License-Identifier: Apache-2.0
#pragma once
#include "orvane/OrvaneExport.h"
#include "orvane/package/EnumerationTable.h"

namespace orvane {

/// Enumeration AccessibilityDetailType: names in upper case, document form in lower case.
class ORVANE_EXPORT AccessibilityDetailType : public Enumeration<AccessibilityDetailType> {
public:
    enum type : int { NONE = 0, DATA_ELEMENTS = 1, GRAPH_AXES = 2, CROSSTAB_ROW_HEADER = 3, CROSSTAB_COLUMN_HEADER = 4, CROSSTAB_ROW_AXIS_LABEL_HEADER = 5, CROSSTAB_COLUMN_AXIS_LABEL_HEADER = 6 };
    static constexpr int COUNT = 7;
    static const EnumerationTable& table();
};

} // namespace orvane
