// SPDX-License-Identifier: Apache-2.0
#include "orvane/geo/GeoJsonText.h"

namespace orvane {

namespace {

// Length of the valid UTF-8 sequence at s[i], or 0 when it is not one
// (overlong forms, surrogates and code points past U+10FFFF are invalid).
size_t utf8SequenceLength(std::string_view s, size_t i) {
    auto b = [&](size_t k) { return static_cast<unsigned char>(s[k]); };
    unsigned char c = b(i);
    size_t n;
    unsigned lo = 0x80, hi = 0xBF;
    if (c >= 0xC2 && c <= 0xDF) n = 2;
    else if (c == 0xE0) { n = 3; lo = 0xA0; }
    else if (c == 0xED) { n = 3; hi = 0x9F; }
    else if (c >= 0xE1 && c <= 0xEF) n = 3;
    else if (c == 0xF0) { n = 4; lo = 0x90; }
    else if (c >= 0xF1 && c <= 0xF3) n = 4;
    else if (c == 0xF4) { n = 4; hi = 0x8F; }
    else return 0;
    if (i + n > s.size()) return 0;
    if (b(i + 1) < lo || b(i + 1) > hi) return 0;
    for (size_t k = 2; k < n; ++k)
        if (b(i + k) < 0x80 || b(i + k) > 0xBF) return 0;
    return n;
}

} // namespace

void GeoJsonText::appendEscaped(std::string& out, std::string_view text) {
    static const char* hex = "0123456789abcdef";
    size_t i = 0;
    while (i < text.size()) {
        // Copy runs of plain characters at once.
        size_t run = i;
        while (run < text.size()) {
            unsigned char c = static_cast<unsigned char>(text[run]);
            if (c < 0x20 || c == '"' || c == '\\' || c >= 0x80) break;
            ++run;
        }
        out.append(text.data() + i, run - i);
        i = run;
        if (i >= text.size()) break;
        unsigned char c = static_cast<unsigned char>(text[i]);
        if (c >= 0x80) {
            size_t n = utf8SequenceLength(text, i);
            if (n == 0) {
                out += "\xEF\xBF\xBD";  // U+FFFD
                ++i;
            } else {
                out.append(text.data() + i, n);
                i += n;
            }
            continue;
        }
        switch (c) {
        case '"': out += "\\\""; break;
        case '\\': out += "\\\\"; break;
        case '\n': out += "\\n"; break;
        case '\r': out += "\\r"; break;
        case '\t': out += "\\t"; break;
        case '\b': out += "\\b"; break;
        case '\f': out += "\\f"; break;
        default:
            out += "\\u00";
            out += hex[c >> 4];
            out += hex[c & 15];
        }
        ++i;
    }
}

std::string GeoJsonText::escape(std::string_view text) {
    std::string out;
    out.reserve(text.size() + 8);
    appendEscaped(out, text);
    return out;
}

void GeoJsonText::appendQuoted(std::string& out, std::string_view text) {
    out += '"';
    appendEscaped(out, text);
    out += '"';
}

void GeoJsonText::appendMembers(std::string& out,
                                std::initializer_list<std::pair<std::string_view, std::string_view>> members,
                                std::string_view comma, std::string_view colon) {
    bool first = true;
    for (const auto& [key, value] : members) {
        if (!first) out += comma;
        first = false;
        out += '"';
        out += key;
        out += '"';
        out += colon;
        appendQuoted(out, value);
    }
}

} // namespace orvane
