// SPDX-License-Identifier: Apache-2.0
#pragma once
// Text for a terminal's fixed-width columns: widths in display columns, not
// characters (East Asian wide and fullwidth characters take two, combining
// marks and zero-width characters none).
#include <string>

namespace orvane::tool {

class TerminalText {
public:
    // Display columns of one code point (0, 1 or 2).
    static int columns(char32_t codePoint);
    // Display columns of UTF-8 text.
    static size_t width(const std::string& text);
    // At most `max` columns, cut at a character boundary and ended with "..."
    // when something was cut.
    static std::string clip(const std::string& text, size_t max);
    // `text` padded with spaces to `columns` (on the left when rightAligned).
    static std::string pad(const std::string& text, size_t columns, bool rightAligned);
};

} // namespace orvane::tool
