#include "orvane/package/AccessibilityControllerNavigationType.h"

#include <array>
#include <cctype>

namespace orvane {

namespace {
constexpr std::array<EnumPair, 15> kStringToEnum{{{"CELL_DOWN", 12}, {"CELL_LEFT", 13}, {"CELL_RIGHT", 14}, {"CELL_UP", 11}, {"FIRST", 1}, {"GROUP_RESPONSE_NEXT", 7}, {"GROUP_RESPONSE_PREVIOUS", 8}, {"LAST", 2}, {"LAYER_NEXT", 9}, {"LAYER_PREVIOUS", 10}, {"LOCAL_FIRST", 5}, {"LOCAL_LAST", 6}, {"NEXT", 4}, {"NONE", 0}, {"PREVIOUS", 3}}};
constexpr std::array<std::string_view, 15> kSortedNames{{"NONE", "FIRST", "LAST", "PREVIOUS", "NEXT", "LOCAL_FIRST", "LOCAL_LAST", "GROUP_RESPONSE_NEXT", "GROUP_RESPONSE_PREVIOUS", "LAYER_NEXT", "LAYER_PREVIOUS", "CELL_UP", "CELL_DOWN", "CELL_LEFT", "CELL_RIGHT"}};
} // namespace

std::span<const EnumPair> AccessibilityControllerNavigationType::string_to_enum() { return kStringToEnum; }
std::span<const std::string_view> AccessibilityControllerNavigationType::sorted_names() { return kSortedNames; }

AccessibilityControllerNavigationType::type AccessibilityControllerNavigationType::getValueFromString(std::string_view name, type defaultValue) {
    const EnumPair* p = EnumPairLookup::find(kStringToEnum, name);
    return p ? static_cast<type>(p->value) : defaultValue;
}

bool AccessibilityControllerNavigationType::isValueValid(std::string_view name) { return EnumPairLookup::find(kStringToEnum, name) != nullptr; }

std::shared_ptr<const std::string> AccessibilityControllerNavigationType::getStringFromValue(type value) {
    static const std::array<std::shared_ptr<const std::string>, 15> strings = [] {
        std::array<std::shared_ptr<const std::string>, 15> a;
        for (size_t i = 0; i < a.size(); ++i) a[i] = std::make_shared<const std::string>(kSortedNames[i]);
        return a;
    }();
    int v = static_cast<int>(value);
    if (v < 0 || v >= static_cast<int>(strings.size())) return nullptr;
    return strings[static_cast<size_t>(v)];
}

std::string AccessibilityControllerNavigationType::getXmlRepresentation(type value) {
    int v = static_cast<int>(value);
    if (v < 0 || v >= 15) return {};
    std::string out(kSortedNames[static_cast<size_t>(v)]);
    for (char& c : out) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return out;
}

} // namespace orvane
