#include "orvane/package/LayoutStrategyType.h"

#include <array>
#include <cctype>

namespace orvane {

namespace {
constexpr std::array<EnumPair, 6> kStringToEnum{{{"LS_RELATIVE", 2}, {"LS_RESPONSIVE", 0}, {"LS_SLIDE", 3}, {"LS_STACK", 4}, {"LS_TILED", 1}, {"LS_TILED_REFLOW", 5}}};
constexpr std::array<std::string_view, 6> kSortedNames{{"LS_RESPONSIVE", "LS_TILED", "LS_RELATIVE", "LS_SLIDE", "LS_STACK", "LS_TILED_REFLOW"}};
} // namespace

std::span<const EnumPair> LayoutStrategyType::string_to_enum() { return kStringToEnum; }
std::span<const std::string_view> LayoutStrategyType::sorted_names() { return kSortedNames; }

LayoutStrategyType::type LayoutStrategyType::getValueFromString(std::string_view name, type defaultValue) {
    const EnumPair* p = EnumPairLookup::find(kStringToEnum, name);
    return p ? static_cast<type>(p->value) : defaultValue;
}

bool LayoutStrategyType::isValueValid(std::string_view name) { return EnumPairLookup::find(kStringToEnum, name) != nullptr; }

std::shared_ptr<const std::string> LayoutStrategyType::getStringFromValue(type value) {
    static const std::array<std::shared_ptr<const std::string>, 6> strings = [] {
        std::array<std::shared_ptr<const std::string>, 6> a;
        for (size_t i = 0; i < a.size(); ++i) a[i] = std::make_shared<const std::string>(kSortedNames[i]);
        return a;
    }();
    int v = static_cast<int>(value);
    if (v < 0 || v >= static_cast<int>(strings.size())) return nullptr;
    return strings[static_cast<size_t>(v)];
}

std::string LayoutStrategyType::getXmlRepresentation(type value) {
    int v = static_cast<int>(value);
    if (v < 0 || v >= 6) return {};
    std::string out(kSortedNames[static_cast<size_t>(v)]);
    for (char& c : out) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return out;
}

} // namespace orvane
