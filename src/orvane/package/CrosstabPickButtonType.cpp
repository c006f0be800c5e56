// SPDX-License-Identifier: Apache-2.0
#include "orvane/package/CrosstabPickButtonType.h"

#include <array>

namespace orvane {

namespace {
constexpr std::array<EnumPair, 8> kStringToEnum{{{"CROSSTAB_COLLAPSE_BUTTON", 1}, {"CROSSTAB_DRILLDOWN_BUTTON", 2}, {"CROSSTAB_EXPAND_BUTTON", 0}, {"CROSSTAB_PAGE_DOWN_BUTTON", 5}, {"CROSSTAB_PAGE_DOWN_END_BUTTON", 6}, {"CROSSTAB_PAGE_UP_BUTTON", 3}, {"CROSSTAB_PAGE_UP_END_BUTTON", 4}, {"NONE", 7}}};
constexpr std::array<std::string_view, 8> kNames{{"CROSSTAB_EXPAND_BUTTON", "CROSSTAB_COLLAPSE_BUTTON", "CROSSTAB_DRILLDOWN_BUTTON", "CROSSTAB_PAGE_UP_BUTTON", "CROSSTAB_PAGE_UP_END_BUTTON", "CROSSTAB_PAGE_DOWN_BUTTON", "CROSSTAB_PAGE_DOWN_END_BUTTON", "NONE"}};
} // namespace

const EnumerationTable& CrosstabPickButtonType::table() {
    static const EnumerationTable t(kStringToEnum, kNames);
    return t;
}

} // namespace orvane
