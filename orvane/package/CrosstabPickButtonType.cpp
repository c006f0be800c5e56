#include "orvane/package/CrosstabPickButtonType.h"

#include <array>
#include <cctype>

namespace orvane {

namespace {
constexpr std::array<EnumPair, 8> kStringToEnum{{{"CROSSTAB_COLLAPSE_BUTTON", 1}, {"CROSSTAB_DRILLDOWN_BUTTON", 2}, {"CROSSTAB_EXPAND_BUTTON", 0}, {"CROSSTAB_PAGE_DOWN_BUTTON", 5}, {"CROSSTAB_PAGE_DOWN_END_BUTTON", 6}, {"CROSSTAB_PAGE_UP_BUTTON", 3}, {"CROSSTAB_PAGE_UP_END_BUTTON", 4}, {"NONE", 7}}};
constexpr std::array<std::string_view, 8> kSortedNames{{"CROSSTAB_EXPAND_BUTTON", "CROSSTAB_COLLAPSE_BUTTON", "CROSSTAB_DRILLDOWN_BUTTON", "CROSSTAB_PAGE_UP_BUTTON", "CROSSTAB_PAGE_UP_END_BUTTON", "CROSSTAB_PAGE_DOWN_BUTTON", "CROSSTAB_PAGE_DOWN_END_BUTTON", "NONE"}};
} // namespace

std::span<const EnumPair> CrosstabPickButtonType::string_to_enum() { return kStringToEnum; }
std::span<const std::string_view> CrosstabPickButtonType::sorted_names() { return kSortedNames; }

CrosstabPickButtonType::type CrosstabPickButtonType::getValueFromString(std::string_view name, type defaultValue) {
    const EnumPair* p = EnumPairLookup::find(kStringToEnum, name);
    return p ? static_cast<type>(p->value) : defaultValue;
}

bool CrosstabPickButtonType::isValueValid(std::string_view name) { return EnumPairLookup::find(kStringToEnum, name) != nullptr; }

std::shared_ptr<const std::string> CrosstabPickButtonType::getStringFromValue(type value) {
    static const std::array<std::shared_ptr<const std::string>, 8> strings = [] {
        std::array<std::shared_ptr<const std::string>, 8> a;
        for (size_t i = 0; i < a.size(); ++i) a[i] = std::make_shared<const std::string>(kSortedNames[i]);
        return a;
    }();
    int v = static_cast<int>(value);
    if (v < 0 || v >= static_cast<int>(strings.size())) return nullptr;
    return strings[static_cast<size_t>(v)];
}

std::string CrosstabPickButtonType::getXmlRepresentation(type value) {
    int v = static_cast<int>(value);
    if (v < 0 || v >= 8) return {};
    std::string out(kSortedNames[static_cast<size_t>(v)]);
    for (char& c : out) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return out;
}

} // namespace orvane
