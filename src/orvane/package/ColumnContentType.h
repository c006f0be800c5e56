// SPDX-License-Identifier: Apache-2.0
#pragma once
#include "orvane/OrvaneExport.h"
#include "orvane/package/EnumerationTable.h"

namespace orvane {

/// Enumeration ColumnContentType: names in upper case, document form in lower case.
class ORVANE_EXPORT ColumnContentType : public Enumeration<ColumnContentType> {
public:
    enum type : int { ICON = 0, TEXT = 1 };
    static constexpr int VALUE_TYPE = -2005;
    static constexpr int COUNT = 2;
    static const EnumerationTable& table();
};

} // namespace orvane
