#include "orvane/package/PickEntryType.h"

#include <array>
#include <cctype>

namespace orvane {

namespace {
constexpr std::array<EnumPair, 10> kStringToEnum{{{"CROSSTAB_COLUMN_AXIS_LABEL_HEADER", 4}, {"CROSSTAB_COLUMN_HEADER", 2}, {"CROSSTAB_DATA_CELL", 5}, {"CROSSTAB_MEASURE_HEADER", 1}, {"CROSSTAB_ROW_AXIS_LABEL_HEADER", 3}, {"CROSSTAB_ROW_HEADER", 0}, {"DATAGRID_COLUMN_HEADER", 7}, {"DATAGRID_COLUMN_SEPARATOR", 8}, {"DATAGRID_COLUMN_TOTAL", 9}, {"DATAGRID_DATA_CELL", 6}}};
constexpr std::array<std::string_view, 10> kSortedNames{{"CROSSTAB_ROW_HEADER", "CROSSTAB_MEASURE_HEADER", "CROSSTAB_COLUMN_HEADER", "CROSSTAB_ROW_AXIS_LABEL_HEADER", "CROSSTAB_COLUMN_AXIS_LABEL_HEADER", "CROSSTAB_DATA_CELL", "DATAGRID_DATA_CELL", "DATAGRID_COLUMN_HEADER", "DATAGRID_COLUMN_SEPARATOR", "DATAGRID_COLUMN_TOTAL"}};
} // namespace

std::span<const EnumPair> PickEntryType::string_to_enum() { return kStringToEnum; }
std::span<const std::string_view> PickEntryType::sorted_names() { return kSortedNames; }

PickEntryType::type PickEntryType::getValueFromString(std::string_view name, type defaultValue) {
    const EnumPair* p = EnumPairLookup::find(kStringToEnum, name);
    return p ? static_cast<type>(p->value) : defaultValue;
}

bool PickEntryType::isValueValid(std::string_view name) { return EnumPairLookup::find(kStringToEnum, name) != nullptr; }

std::shared_ptr<const std::string> PickEntryType::getStringFromValue(type value) {
    static const std::array<std::shared_ptr<const std::string>, 10> strings = [] {
        std::array<std::shared_ptr<const std::string>, 10> a;
        for (size_t i = 0; i < a.size(); ++i) a[i] = std::make_shared<const std::string>(kSortedNames[i]);
        return a;
    }();
    int v = static_cast<int>(value);
    if (v < 0 || v >= static_cast<int>(strings.size())) return nullptr;
    return strings[static_cast<size_t>(v)];
}

std::string PickEntryType::getXmlRepresentation(type value) {
    int v = static_cast<int>(value);
    if (v < 0 || v >= 10) return {};
    std::string out(kSortedNames[static_cast<size_t>(v)]);
    for (char& c : out) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return out;
}

} // namespace orvane
