// SPDX-License-Identifier: Apache-2.0
#include "orvane/host/data/RuleDisplayIndicatorType.h"

#include "orvane/host/style/AttributeBundle.h"
#include "orvane/host/core/EnumPairLookup.h"
#include "orvane/host/style/StyleAttribute.h"

#include <array>

namespace orvane {

namespace {
constexpr std::array<EnumPair, 4> kByName{{{"ICON", 1}, {"NONE", 0}, {"SAMPLE_TEXT", 3}, {"SWATCH", 2}}};
}

bool RuleDisplayIndicatorType::isValueValid(std::string_view name) {
    return EnumPairLookup::find(kByName, name) != nullptr;
}

RuleDisplayIndicatorType::type RuleDisplayIndicatorType::getValueFromString(std::string_view name, type defaultValue) {
    const EnumPair* p = EnumPairLookup::find(kByName, name);
    return p ? static_cast<type>(p->value) : defaultValue;
}

std::shared_ptr<const std::string> RuleDisplayIndicatorType::getStringFromValue(type value) {
    static const std::array<std::shared_ptr<const std::string>, 4> names{
        std::make_shared<const std::string>("NONE"), std::make_shared<const std::string>("ICON"),
        std::make_shared<const std::string>("SWATCH"), std::make_shared<const std::string>("SAMPLE_TEXT")};
    int v = static_cast<int>(value);
    return v >= 0 && v <= 3 ? names[static_cast<size_t>(v)] : nullptr;
}

std::string RuleDisplayIndicatorType::getXmlRepresentation(type value) {
    switch (value) {
    case ICON: return "icon";
    case SWATCH: return "swatch";
    case SAMPLE_TEXT: return "sample_text";
    default: return "none";
    }
}

RuleDisplayIndicatorType::type RuleDisplayIndicatorType::fromAttributeBundle(const AttributeBundle* b) {
    if (!b) return NONE;
    if (b->hasAttribute(StyleAttribute::RULE_INDICATOR_TYPE)) {
        int v = b->getInt(StyleAttribute::RULE_INDICATOR_TYPE, 0);
        return v >= 0 && v <= 3 ? static_cast<type>(v) : NONE;
    }
    if (b->hasAttribute(StyleAttribute::RULE_INDICATOR_ICON)) return ICON;
    if (b->hasAttribute(StyleAttribute::BACKGROUND_COLOR)) return SWATCH;
    for (int id : {StyleAttribute::TEXT_COLOR, StyleAttribute::FONT_SIZE, StyleAttribute::FONT_FAMILY,
                   StyleAttribute::FONT_ITALIC, StyleAttribute::FONT_BOLD, StyleAttribute::UNDERLINE})
        if (b->hasAttribute(id)) return SAMPLE_TEXT;
    return NONE;
}

} // namespace orvane
