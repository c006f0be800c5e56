// SPDX-License-Identifier: Apache-2.0
#pragma once
#include "orvane/OrvaneExport.h"
#include "orvane/package/EnumerationTable.h"

namespace orvane {

/// Enumeration LayoutOrientation: names in upper case, document form in lower case.
class ORVANE_EXPORT LayoutOrientation : public Enumeration<LayoutOrientation> {
public:
    enum type : int { HORIZONTAL = 0, VERTICAL = 1 };
    static constexpr int VALUE_TYPE = -2010;
    static constexpr int COUNT = 2;
    static const EnumerationTable& table();
};

} // namespace orvane
