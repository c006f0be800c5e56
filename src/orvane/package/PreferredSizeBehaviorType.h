// SPDX-License-Identifier: Apache-2.0
#pragma once
#include "orvane/OrvaneExport.h"
#include "orvane/package/EnumerationTable.h"

namespace orvane {

/// Enumeration PreferredSizeBehaviorType: names in upper case, document form in lower case.
class ORVANE_EXPORT PreferredSizeBehaviorType : public Enumeration<PreferredSizeBehaviorType> {
public:
    enum type : int { IGNORE = 0, HONOR = 1 };
    static constexpr int VALUE_TYPE = -2014;
    static constexpr int COUNT = 2;
    static const EnumerationTable& table();
};

} // namespace orvane
