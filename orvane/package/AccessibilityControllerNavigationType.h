#pragma once
#include "host/EnumPairLookup.h"

#include <memory>
#include <span>
#include <string>
#include <string_view>

namespace orvane {

// Enumeration AccessibilityControllerNavigationType: value names in upper case, document form in lower case.
class AccessibilityControllerNavigationType {
public:
    enum type { NONE = 0, FIRST = 1, LAST = 2, PREVIOUS = 3, NEXT = 4, LOCAL_FIRST = 5, LOCAL_LAST = 6, GROUP_RESPONSE_NEXT = 7, GROUP_RESPONSE_PREVIOUS = 8, LAYER_NEXT = 9, LAYER_PREVIOUS = 10, CELL_UP = 11, CELL_DOWN = 12, CELL_LEFT = 13, CELL_RIGHT = 14 };
    static constexpr int COUNT = 15;

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
