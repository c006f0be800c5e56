#pragma once
#include "orvane/package/EnumerationTable.h"

namespace orvane {

// Enumeration ResponsiveLayoutOverflowType: names in upper case, document form in lower case.
class ResponsiveLayoutOverflowType : public Enumeration<ResponsiveLayoutOverflowType> {
public:
    enum type : int { SCROLL = 0, FIT = 1, GROW = 2, STACK = 3 };
    static constexpr int VALUE_TYPE = -2017;
    static constexpr int COUNT = 4;
    static const EnumerationTable& table();
};

} // namespace orvane
