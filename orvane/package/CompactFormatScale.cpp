#include "orvane/package/CompactFormatScale.h"

#include <array>
#include <cctype>

namespace orvane {

namespace {
constexpr std::array<EnumPair, 2> kStringToEnum{{{"NUMBER", 1}, {"VALUE", 0}}};
constexpr std::array<std::string_view, 2> kSortedNames{{"VALUE", "NUMBER"}};
} // namespace

std::span<const EnumPair> CompactFormatScale::string_to_enum() { return kStringToEnum; }
std::span<const std::string_view> CompactFormatScale::sorted_names() { return kSortedNames; }

CompactFormatScale::type CompactFormatScale::getValueFromString(std::string_view name, type defaultValue) {
    const EnumPair* p = EnumPairLookup::find(kStringToEnum, name);
    return p ? static_cast<type>(p->value) : defaultValue;
}

bool CompactFormatScale::isValueValid(std::string_view name) { return EnumPairLookup::find(kStringToEnum, name) != nullptr; }

std::shared_ptr<const std::string> CompactFormatScale::getStringFromValue(type value) {
    static const std::array<std::shared_ptr<const std::string>, 2> strings = [] {
        std::array<std::shared_ptr<const std::string>, 2> a;
        for (size_t i = 0; i < a.size(); ++i) a[i] = std::make_shared<const std::string>(kSortedNames[i]);
        return a;
    }();
    int v = static_cast<int>(value);
    if (v < 0 || v >= static_cast<int>(strings.size())) return nullptr;
    return strings[static_cast<size_t>(v)];
}

std::string CompactFormatScale::getXmlRepresentation(type value) {
    int v = static_cast<int>(value);
    if (v < 0 || v >= 2) return {};
    std::string out(kSortedNames[static_cast<size_t>(v)]);
    for (char& c : out) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return out;
}

} // namespace orvane
