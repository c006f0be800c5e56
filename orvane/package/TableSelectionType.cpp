#include "orvane/package/TableSelectionType.h"

#include <array>
#include <cctype>

namespace orvane {

namespace {
constexpr std::array<EnumPair, 3> kStringToEnum{{{"CELL", 1}, {"MEASURE_GROUP", 0}, {"ROW", 2}}};
constexpr std::array<std::string_view, 3> kSortedNames{{"MEASURE_GROUP", "CELL", "ROW"}};
} // namespace

std::span<const EnumPair> TableSelectionType::string_to_enum() { return kStringToEnum; }
std::span<const std::string_view> TableSelectionType::sorted_names() { return kSortedNames; }

TableSelectionType::type TableSelectionType::getValueFromString(std::string_view name, type defaultValue) {
    const EnumPair* p = EnumPairLookup::find(kStringToEnum, name);
    return p ? static_cast<type>(p->value) : defaultValue;
}

bool TableSelectionType::isValueValid(std::string_view name) { return EnumPairLookup::find(kStringToEnum, name) != nullptr; }

std::shared_ptr<const std::string> TableSelectionType::getStringFromValue(type value) {
    static const std::array<std::shared_ptr<const std::string>, 3> strings = [] {
        std::array<std::shared_ptr<const std::string>, 3> a;
        for (size_t i = 0; i < a.size(); ++i) a[i] = std::make_shared<const std::string>(kSortedNames[i]);
        return a;
    }();
    int v = static_cast<int>(value);
    if (v < 0 || v >= static_cast<int>(strings.size())) return nullptr;
    return strings[static_cast<size_t>(v)];
}

std::string TableSelectionType::getXmlRepresentation(type value) {
    int v = static_cast<int>(value);
    if (v < 0 || v >= 3) return {};
    std::string out(kSortedNames[static_cast<size_t>(v)]);
    for (char& c : out) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return out;
}

} // namespace orvane
