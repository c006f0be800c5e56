// SPDX-License-Identifier: Apache-2.0
#pragma once
#include "orvane/OrvaneExport.h"
#include "orvane/package/EnumerationTable.h"

namespace orvane {

/// Enumeration CellVisualPosition: names in upper case, document form in lower case.
class ORVANE_EXPORT CellVisualPosition : public Enumeration<CellVisualPosition> {
public:
    enum type : int { LEFT = 0, RIGHT = 1, REPLACE = 2, UNKNOWN = 3 };
    static constexpr int VALUE_TYPE = -2003;
    static constexpr int COUNT = 4;
    static const EnumerationTable& table();
};

} // namespace orvane
