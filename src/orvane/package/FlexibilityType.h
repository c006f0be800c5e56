// SPDX-License-Identifier: Apache-2.0
#pragma once
#include "orvane/OrvaneExport.h"
#include "orvane/package/EnumerationTable.h"

namespace orvane {

/// Enumeration FlexibilityType: names in upper case, document form in lower case.
class ORVANE_EXPORT FlexibilityType : public Enumeration<FlexibilityType> {
public:
    enum type : int { FIXED = 0, GROWABLE = 1, SHRINKABLE = 2, FLEXIBLE = 3 };
    static constexpr int VALUE_TYPE = -2009;
    static constexpr int COUNT = 4;
    static const EnumerationTable& table();
};

} // namespace orvane
