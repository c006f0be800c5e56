#pragma once
#include "host/EnumPairLookup.h"

#include <memory>
#include <span>
#include <string>
#include <string_view>

namespace orvane {

// Enumeration LayoutStrategyType: value names in upper case, document form in lower case.
class LayoutStrategyType {
public:
    enum type { LS_RESPONSIVE = 0, LS_TILED = 1, LS_RELATIVE = 2, LS_SLIDE = 3, LS_STACK = 4, LS_TILED_REFLOW = 5 };
    static constexpr int COUNT = 6;

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
