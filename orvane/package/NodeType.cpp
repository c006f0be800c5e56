#include "orvane/package/NodeType.h"

#include <array>
#include <cctype>

namespace orvane {

namespace {
constexpr std::array<EnumPair, 4> kStringToEnum{{{"GRAND_TOTAL", 3}, {"NONE", 0}, {"SUBTOTAL", 2}, {"TOTAL", 1}}};
constexpr std::array<std::string_view, 4> kSortedNames{{"NONE", "TOTAL", "SUBTOTAL", "GRAND_TOTAL"}};
} // namespace

std::span<const EnumPair> NodeType::string_to_enum() { return kStringToEnum; }
std::span<const std::string_view> NodeType::sorted_names() { return kSortedNames; }

NodeType::type NodeType::getValueFromString(std::string_view name, type defaultValue) {
    const EnumPair* p = EnumPairLookup::find(kStringToEnum, name);
    return p ? static_cast<type>(p->value) : defaultValue;
}

bool NodeType::isValueValid(std::string_view name) { return EnumPairLookup::find(kStringToEnum, name) != nullptr; }

std::shared_ptr<const std::string> NodeType::getStringFromValue(type value) {
    static const std::array<std::shared_ptr<const std::string>, 4> strings = [] {
        std::array<std::shared_ptr<const std::string>, 4> a;
        for (size_t i = 0; i < a.size(); ++i) a[i] = std::make_shared<const std::string>(kSortedNames[i]);
        return a;
    }();
    int v = static_cast<int>(value);
    if (v < 0 || v >= static_cast<int>(strings.size())) return nullptr;
    return strings[static_cast<size_t>(v)];
}

std::string NodeType::getXmlRepresentation(type value) {
    int v = static_cast<int>(value);
    if (v < 0 || v >= 4) return {};
    std::string out(kSortedNames[static_cast<size_t>(v)]);
    for (char& c : out) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return out;
}

} // namespace orvane
