// SPDX-License-Identifier: Apache-2.0
#pragma once
#include "orvane/host/HostExport.h"
#include <memory>
#include <string>
#include <string_view>

namespace orvane {

class AttributeBundle;
class Style;

/// The CSS-like text form of styles.
///
/// Declarations "property: value" separated by ";" set attributes:
///   color 19, background-color / background 8, font-size 31 (a length:
///   12px, 9pt), font-family 32, font-style: italic 33 = 1, font-weight: bold
///   34 = 1, text-decoration: underline 52 = 1, text-align (left 0, center 1,
///   right 2) 49, opacity (58 = 1 - opacity), transparency 58, border-color 10,
///   border-width 12.
/// Any attribute can also be set by its number, the value typed by its form:
///   "106: \"High\"" string, "8: #ff0000" colour, "31: 12px" length,
///   "53: 1" int, "11: 1u" unsigned, "41: 0.5" float.
/// A style sheet is a list of rules "selector[, selector] { declarations }":
/// ".name" selects a class element, "#115" or "115" an element by id.
/// Comments /* ... */ are skipped. A declaration that cannot be read is skipped
/// and reported; the others still apply.
class ORVANE_HOST_EXPORT CSSParser {
public:
    /// Declarations, with or without surrounding braces ("{color: red}").
    /// Never null; problems are described in error (empty when none).
    static std::shared_ptr<AttributeBundle> parse(std::string_view text, std::string* error = nullptr);
    /// Adds the declarations to a bundle; false when any was skipped.
    static bool parseDeclarations(std::string_view text, AttributeBundle& into, std::string* error = nullptr);
    /// A style sheet. Null only when the text has no readable rule structure
    /// (unbalanced braces); skipped declarations are reported in error.
    static std::shared_ptr<Style> parseStyle(std::string_view text, std::string* error = nullptr);

    /// Text that parses back to the same attributes (ids, types and values).
    static std::string toCss(const AttributeBundle& bundle);
    static std::string toCss(const Style& style);

    /// Attribute id of a CSS property name; -1 when unknown.
    static int attributeIdForProperty(std::string_view property);
};

} // namespace orvane
