#pragma once
#include "host/EnumPairLookup.h"

#include <memory>
#include <span>
#include <string>
#include <string_view>

namespace orvane {

// Enumeration CellVisualPosition: value names in upper case, document form in lower case.
class CellVisualPosition {
public:
    enum type { LEFT = 0, RIGHT = 1, REPLACE = 2, UNKNOWN = 3 };
    static constexpr int VALUE_TYPE = -2003;
    static constexpr int COUNT = 4;

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
