// SPDX-License-Identifier: Apache-2.0
#pragma once
#include "orvane/OrvaneExport.h"
#include "orvane/package/EnumerationTable.h"

namespace orvane {

/// Enumeration LayoutStrategyType: names in upper case, document form in lower case.
class ORVANE_EXPORT LayoutStrategyType : public Enumeration<LayoutStrategyType> {
public:
    enum type : int { LS_RESPONSIVE = 0, LS_TILED = 1, LS_RELATIVE = 2, LS_SLIDE = 3, LS_STACK = 4, LS_TILED_REFLOW = 5 };
    static constexpr int COUNT = 6;
    static const EnumerationTable& table();
};

} // namespace orvane
