// SPDX-License-Identifier: Apache-2.0
#pragma once
#include "orvane/OrvaneExport.h"
#include <initializer_list>
#include <string>
#include <string_view>
#include <utility>

namespace orvane {

/// Writing JSON text by hand: string escaping that always yields valid JSON.
class ORVANE_EXPORT GeoJsonText {
public:
    /// Appends the JSON string body of text (no quotes): '"' and '\\' are
    /// escaped, control characters written as \uXXXX (\n, \t ... short forms),
    /// and bytes that are not valid UTF-8 replaced by U+FFFD.
    static void appendEscaped(std::string& out, std::string_view text);
    static std::string escape(std::string_view text);
    /// "text", escaped.
    static void appendQuoted(std::string& out, std::string_view text);

    /// "key":"value" members separated by commas, values escaped (the caller
    /// writes the braces; keys are written as they are). `comma` and `colon`
    /// give the separators, for texts written with spaces (", " and ": ").
    static void appendMembers(std::string& out,
                              std::initializer_list<std::pair<std::string_view, std::string_view>> members,
                              std::string_view comma = ",", std::string_view colon = ":");
    /// [item,item,…]: every item that is not null, written by its appendJSON(out).
    template <class Items>
    static void appendArray(std::string& out, const Items& items) {
        out += '[';
        bool first = true;
        for (const auto& item : items) {
            if (!item) continue;
            if (!first) out += ',';
            first = false;
            item->appendJSON(out);
        }
        out += ']';
    }
};

} // namespace orvane
