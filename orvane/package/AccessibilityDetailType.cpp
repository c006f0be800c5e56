#include "orvane/package/AccessibilityDetailType.h"

#include <array>
#include <cctype>

namespace orvane {

namespace {
constexpr std::array<EnumPair, 7> kStringToEnum{{{"CROSSTAB_COLUMN_AXIS_LABEL_HEADER", 6}, {"CROSSTAB_COLUMN_HEADER", 4}, {"CROSSTAB_ROW_AXIS_LABEL_HEADER", 5}, {"CROSSTAB_ROW_HEADER", 3}, {"DATA_ELEMENTS", 1}, {"GRAPH_AXES", 2}, {"NONE", 0}}};
constexpr std::array<std::string_view, 7> kSortedNames{{"NONE", "DATA_ELEMENTS", "GRAPH_AXES", "CROSSTAB_ROW_HEADER", "CROSSTAB_COLUMN_HEADER", "CROSSTAB_ROW_AXIS_LABEL_HEADER", "CROSSTAB_COLUMN_AXIS_LABEL_HEADER"}};
} // namespace

std::span<const EnumPair> AccessibilityDetailType::string_to_enum() { return kStringToEnum; }
std::span<const std::string_view> AccessibilityDetailType::sorted_names() { return kSortedNames; }

AccessibilityDetailType::type AccessibilityDetailType::getValueFromString(std::string_view name, type defaultValue) {
    const EnumPair* p = EnumPairLookup::find(kStringToEnum, name);
    return p ? static_cast<type>(p->value) : defaultValue;
}

bool AccessibilityDetailType::isValueValid(std::string_view name) { return EnumPairLookup::find(kStringToEnum, name) != nullptr; }

std::shared_ptr<const std::string> AccessibilityDetailType::getStringFromValue(type value) {
    static const std::array<std::shared_ptr<const std::string>, 7> strings = [] {
        std::array<std::shared_ptr<const std::string>, 7> a;
        for (size_t i = 0; i < a.size(); ++i) a[i] = std::make_shared<const std::string>(kSortedNames[i]);
        return a;
    }();
    int v = static_cast<int>(value);
    if (v < 0 || v >= static_cast<int>(strings.size())) return nullptr;
    return strings[static_cast<size_t>(v)];
}

std::string AccessibilityDetailType::getXmlRepresentation(type value) {
    int v = static_cast<int>(value);
    if (v < 0 || v >= 7) return {};
    std::string out(kSortedNames[static_cast<size_t>(v)]);
    for (char& c : out) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return out;
}

} // namespace orvane
