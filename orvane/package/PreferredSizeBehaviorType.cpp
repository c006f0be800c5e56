#include "orvane/package/PreferredSizeBehaviorType.h"

#include <array>
#include <cctype>

namespace orvane {

namespace {
constexpr std::array<EnumPair, 6> kStringToEnum{{{"HONOR", 1}, {"HONORSIZE", 1}, {"IGNORE", 0}, {"IGNORESIZE", 0}, {"honor", 1}, {"ignore", 0}}};
constexpr std::array<std::string_view, 2> kSortedNames{{"IGNORESIZE", "HONORSIZE"}};
constexpr std::array<std::string_view, 2> kXmlNames{{"ignore", "honor"}};
} // namespace

std::span<const EnumPair> PreferredSizeBehaviorType::string_to_enum() { return kStringToEnum; }
std::span<const std::string_view> PreferredSizeBehaviorType::sorted_names() { return kSortedNames; }

PreferredSizeBehaviorType::type PreferredSizeBehaviorType::getValueFromString(std::string_view name, type defaultValue) {
    const EnumPair* p = EnumPairLookup::find(kStringToEnum, name);
    return p ? static_cast<type>(p->value) : defaultValue;
}

bool PreferredSizeBehaviorType::isValueValid(std::string_view name) { return EnumPairLookup::find(kStringToEnum, name) != nullptr; }

std::shared_ptr<const std::string> PreferredSizeBehaviorType::getStringFromValue(type value) {
    static const std::array<std::shared_ptr<const std::string>, 2> strings = [] {
        std::array<std::shared_ptr<const std::string>, 2> a;
        for (size_t i = 0; i < a.size(); ++i) a[i] = std::make_shared<const std::string>(kSortedNames[i]);
        return a;
    }();
    int v = static_cast<int>(value);
    if (v < 0 || v >= static_cast<int>(strings.size())) return nullptr;
    return strings[static_cast<size_t>(v)];
}

std::string PreferredSizeBehaviorType::getXmlRepresentation(type value) {
    int v = static_cast<int>(value);
    if (v < 0 || v >= 2) return {};
    return std::string(kXmlNames[static_cast<size_t>(v)]);
}

} // namespace orvane
