#pragma once
#include <string>
#include <string_view>

namespace orvane {

// Writing JSON text by hand: string escaping that always yields valid JSON.
class GeoJsonText {
public:
    // Appends the JSON string body of text (no quotes): '"' and '\\' are
    // escaped, control characters written as \uXXXX (\n, \t ... short forms),
    // and bytes that are not valid UTF-8 replaced by U+FFFD.
    static void appendEscaped(std::string& out, std::string_view text);
    static std::string escape(std::string_view text);
    // "text", escaped.
    static void appendQuoted(std::string& out, std::string_view text);
};

} // namespace orvane
