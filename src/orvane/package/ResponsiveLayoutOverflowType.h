// SPDX-License-Identifier: Apache-2.0
#pragma once
#include "orvane/OrvaneExport.h"
#include "orvane/package/EnumerationTable.h"

namespace orvane {

/// Enumeration ResponsiveLayoutOverflowType: names in upper case, document form in lower case.
class ORVANE_EXPORT ResponsiveLayoutOverflowType : public Enumeration<ResponsiveLayoutOverflowType> {
public:
    enum type : int { SCROLL = 0, FIT = 1, GROW = 2, STACK = 3 };
    static constexpr int VALUE_TYPE = -2017;
    static constexpr int COUNT = 4;
    static const EnumerationTable& table();
};

} // namespace orvane
