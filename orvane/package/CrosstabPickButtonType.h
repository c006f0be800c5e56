#pragma once
#include "host/EnumPairLookup.h"

#include <memory>
#include <span>
#include <string>
#include <string_view>

namespace orvane {

// Enumeration CrosstabPickButtonType: value names in upper case, document form in lower case.
class CrosstabPickButtonType {
public:
    enum type { CROSSTAB_EXPAND_BUTTON = 0, CROSSTAB_COLLAPSE_BUTTON = 1, CROSSTAB_DRILLDOWN_BUTTON = 2, CROSSTAB_PAGE_UP_BUTTON = 3, CROSSTAB_PAGE_UP_END_BUTTON = 4, CROSSTAB_PAGE_DOWN_BUTTON = 5, CROSSTAB_PAGE_DOWN_END_BUTTON = 6, NONE = 7 };
    static constexpr int COUNT = 8;

    // The value of a name of the string table, or the default when the name is absent.
    static type getValueFromString(std::string_view name, type defaultValue);
    static bool isValueValid(std::string_view name);
    // The upper-case name; null for a value outside the enumeration.
    static std::shared_ptr<const std::string> getStringFromValue(type value);
    // The document form; empty for a value outside the enumeration.
    static std::string getXmlRepresentation(type value);
    static std::span<const EnumPair> string_to_enum();
    static std::span<const std::string_view> sorted_names();
};

} // namespace orvane
