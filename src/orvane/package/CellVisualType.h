// SPDX-License-Identifier: Apache-2.0
#pragma once
#include "orvane/OrvaneExport.h"
#include "orvane/package/EnumerationTable.h"

namespace orvane {

/// Enumeration CellVisualType: names in upper case, document form in lower case.
class ORVANE_EXPORT CellVisualType : public Enumeration<CellVisualType> {
public:
    enum type : int { NONE = 0, BAR = 1, HEATMAP = 2, RICHTEXT = 3 };
    static constexpr int VALUE_TYPE = -2004;
    static constexpr int COUNT = 4;
    static const EnumerationTable& table();
};

} // namespace orvane
