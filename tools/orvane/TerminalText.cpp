// SPDX-License-Identifier: Apache-2.0
#include "TerminalText.h"

#include "orvane/host/core/Utf8.h"

#include <unicode/uchar.h>

namespace orvane::tool {

int TerminalText::columns(char32_t cp) {
    UChar32 c = static_cast<UChar32>(cp);
    if (cp == 0x200b || cp == 0x200c || cp == 0x200d || cp == 0x2060 || cp == 0xfeff) return 0;  // zero-width
    int8_t category = static_cast<int8_t>(u_charType(c));
    if (category == U_NON_SPACING_MARK || category == U_ENCLOSING_MARK || category == U_CONTROL_CHAR) return 0;
    // Hangul medial vowels and final consonants join the syllable before them.
    if (cp >= 0x1160 && cp <= 0x11ff) return 0;
    int eaw = u_getIntPropertyValue(c, UCHAR_EAST_ASIAN_WIDTH);
    return eaw == U_EA_WIDE || eaw == U_EA_FULLWIDTH ? 2 : 1;
}

size_t TerminalText::width(const std::string& text) {
    size_t n = 0;
    const char* p = text.data();
    const char* end = p + text.size();
    while (p < end) n += static_cast<size_t>(columns(Utf8::next(p, end)));
    return n;
}

std::string TerminalText::clip(const std::string& text, size_t max) {
    if (width(text) <= max) return text;
    const size_t room = max > 3 ? max - 3 : 0;
    std::string out;
    size_t used = 0;
    const char* p = text.data();
    const char* end = p + text.size();
    while (p < end) {
        const char* start = p;
        size_t w = static_cast<size_t>(columns(Utf8::next(p, end)));
        if (used + w > room) break;
        used += w;
        out.append(start, p);
    }
    return out + std::string("...").substr(0, max - used < 3 ? max - used : 3);
}

std::string TerminalText::pad(const std::string& text, size_t cols, bool rightAligned) {
    size_t w = width(text);
    std::string fill(w < cols ? cols - w : 0, ' ');
    return rightAligned ? fill + text : text + fill;
}

} // namespace orvane::tool
