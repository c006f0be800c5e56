// SPDX-License-Identifier: Apache-2.0
#pragma once
#include "orvane/OrvaneExport.h"
#include "orvane/package/EnumerationTable.h"

namespace orvane {

/// Enumeration TotalsPosition: names in upper case, document form in lower case.
class ORVANE_EXPORT TotalsPosition : public Enumeration<TotalsPosition> {
public:
    enum type : int { BOTTOM = 0, TOP = 1 };
    static constexpr int VALUE_TYPE = -2021;
    static constexpr int COUNT = 2;
    static const EnumerationTable& table();
};

} // namespace orvane
