// SPDX-License-Identifier: Apache-2.0
#pragma once
#include "orvane/OrvaneExport.h"
#include "orvane/package/EnumerationTable.h"

namespace orvane {

/// Enumeration AccessibilityControllerNavigationType: names in upper case, document form in lower case.
class ORVANE_EXPORT AccessibilityControllerNavigationType : public Enumeration<AccessibilityControllerNavigationType> {
public:
    enum type : int { NONE = 0, FIRST = 1, LAST = 2, PREVIOUS = 3, NEXT = 4, LOCAL_FIRST = 5, LOCAL_LAST = 6, GROUP_RESPONSE_NEXT = 7, GROUP_RESPONSE_PREVIOUS = 8, LAYER_NEXT = 9, LAYER_PREVIOUS = 10, CELL_UP = 11, CELL_DOWN = 12, CELL_LEFT = 13, CELL_RIGHT = 14 };
    static constexpr int COUNT = 15;
    static const EnumerationTable& table();
};

} // namespace orvane
