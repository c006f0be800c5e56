// SPDX-License-Identifier: Apache-2.0
#include "orvane/host/data/SortDirection.h"

#include "orvane/host/core/EnumPairLookup.h"

#include <array>

namespace orvane {

namespace {
constexpr std::array<EnumPair, 3> kByName{{{"ASCENDING", 1}, {"DESCENDING", 2}, {"NONE", 0}}};
const std::array<std::shared_ptr<const std::string>, 3>& names() {
    static const std::array<std::shared_ptr<const std::string>, 3> n{
        std::make_shared<const std::string>("NONE"), std::make_shared<const std::string>("ASCENDING"),
        std::make_shared<const std::string>("DESCENDING")};
    return n;
}
} // namespace

bool SortDirection::isValueValid(std::string_view name) { return EnumPairLookup::find(kByName, name) != nullptr; }

SortDirection::type SortDirection::getValueFromString(std::string_view name, type defaultValue) {
    const EnumPair* p = EnumPairLookup::find(kByName, name);
    return p ? static_cast<type>(p->value) : defaultValue;
}

std::shared_ptr<const std::string> SortDirection::getStringFromValue(type value) {
    int v = static_cast<int>(value);
    if (v < 0 || v > 2) return nullptr;
    return names()[v];
}

std::string SortDirection::getXmlRepresentation(type value) {
    switch (value) {
    case ASCENDING: return "ascending";
    case DESCENDING: return "descending";
    default: return "none";
    }
}

} // namespace orvane
