#pragma once
#include "host/EnumPairLookup.h"

#include <memory>
#include <span>
#include <string>
#include <string_view>

namespace orvane {

// Enumeration AccessibilityDetailType: value names in upper case, document form in lower case.
class AccessibilityDetailType {
public:
    enum type { NONE = 0, DATA_ELEMENTS = 1, GRAPH_AXES = 2, CROSSTAB_ROW_HEADER = 3, CROSSTAB_COLUMN_HEADER = 4, CROSSTAB_ROW_AXIS_LABEL_HEADER = 5, CROSSTAB_COLUMN_AXIS_LABEL_HEADER = 6 };
    static constexpr int COUNT = 7;

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
