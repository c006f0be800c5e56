// SPDX-License-Identifier: Apache-2.0
#pragma once
#include "orvane/OrvaneExport.h"

#include <initializer_list>
#include <string>
#include <vector>

namespace orvane {

/// The spoken texts of the accessibility controllers: message templates of
/// bundle "ketra_orvane" filled with their "{0}", "{1}" values.
///
/// A key the catalogue lacks is spoken in its built-in English text (and
/// logged once per key, not once per element); a placeholder with no value
/// is dropped with the blank before it, so a listener never hears "{1}".
class ORVANE_EXPORT AccessibilityMessages {
public:
    static constexpr const char* BUNDLE = "ketra_orvane";

    /// The filled text of `key`; empty only for a key that has neither a
    /// catalogue text nor an English one.
    static std::string text(const std::string& key, std::initializer_list<std::string> args = {});
    /// The built-in English text of an accessibility key ("" for others).
    static std::string englishText(const std::string& key);
    /// A count or position with grouping, as spoken: 51234 -> "51,234".
    static std::string number(double value);
    /// The non-empty parts joined with `separator` ("; " between the parts
    /// of a description).
    static std::string join(const std::vector<std::string>& parts, const char* separator = "; ");
};

} // namespace orvane
