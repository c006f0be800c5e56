// SPDX-License-Identifier: Apache-2.0
#pragma once
#include "orvane/host/HostExport.h"
#include <memory>
#include <string>
#include <string_view>

namespace orvane {

class AttributeBundle;

/// How a display rule shows itself beside a value (in pick results and
/// legends): nothing, an icon, a colour swatch, or sample text in the rule's
/// text style.
class ORVANE_HOST_EXPORT RuleDisplayIndicatorType {
public:
    enum type : int { NONE = 0, ICON = 1, SWATCH = 2, SAMPLE_TEXT = 3 };

    static bool isValueValid(std::string_view name);
    static type getValueFromString(std::string_view name, type defaultValue = NONE);
    static std::shared_ptr<const std::string> getStringFromValue(type value);
    static std::string getXmlRepresentation(type value);

    /// The indicator of a rule's effect: the indicator type attribute (108)
    /// when set; else an icon when the bundle names one (109); else a swatch
    /// when it sets a fill colour (8); else sample text when it sets a text
    /// colour or font (19, 31-34, 52); else none.
    static type fromAttributeBundle(const AttributeBundle* bundle);
};

} // namespace orvane
