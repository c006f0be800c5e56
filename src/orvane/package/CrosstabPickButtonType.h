// SPDX-License-Identifier: Apache-2.0
#pragma once
#include "orvane/OrvaneExport.h"
#include "orvane/package/EnumerationTable.h"

namespace orvane {

/// Enumeration CrosstabPickButtonType: names in upper case, document form in lower case.
class ORVANE_EXPORT CrosstabPickButtonType : public Enumeration<CrosstabPickButtonType> {
public:
    enum type : int { CROSSTAB_EXPAND_BUTTON = 0, CROSSTAB_COLLAPSE_BUTTON = 1, CROSSTAB_DRILLDOWN_BUTTON = 2, CROSSTAB_PAGE_UP_BUTTON = 3, CROSSTAB_PAGE_UP_END_BUTTON = 4, CROSSTAB_PAGE_DOWN_BUTTON = 5, CROSSTAB_PAGE_DOWN_END_BUTTON = 6, NONE = 7 };
    static constexpr int COUNT = 8;
    static const EnumerationTable& table();
};

} // namespace orvane
