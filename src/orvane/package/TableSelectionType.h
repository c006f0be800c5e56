// SPDX-License-Identifier: Apache-2.0
#pragma once
#include "orvane/OrvaneExport.h"
#include "orvane/package/EnumerationTable.h"

namespace orvane {

/// Enumeration TableSelectionType: names in upper case, document form in lower case.
class ORVANE_EXPORT TableSelectionType : public Enumeration<TableSelectionType> {
public:
    enum type : int { MEASURE_GROUP = 0, CELL = 1, ROW = 2 };
    static constexpr int VALUE_TYPE = -2020;
    static constexpr int COUNT = 3;
    static const EnumerationTable& table();
};

} // namespace orvane
