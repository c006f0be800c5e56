#pragma once
#include "host/EnumPairLookup.h"

#include <memory>
#include <span>
#include <string>
#include <string_view>

namespace orvane {

// Enumeration PickEntryType: value names in upper case, document form in lower case.
class PickEntryType {
public:
    enum type { CROSSTAB_ROW_HEADER = 0, CROSSTAB_MEASURE_HEADER = 1, CROSSTAB_COLUMN_HEADER = 2, CROSSTAB_ROW_AXIS_LABEL_HEADER = 3, CROSSTAB_COLUMN_AXIS_LABEL_HEADER = 4, CROSSTAB_DATA_CELL = 5, DATAGRID_DATA_CELL = 6, DATAGRID_COLUMN_HEADER = 7, DATAGRID_COLUMN_SEPARATOR = 8, DATAGRID_COLUMN_TOTAL = 9 };
    static constexpr int COUNT = 10;

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
