// SPDX-License-Identifier: Apache-2.0
#pragma once
#include "orvane/host/HostExport.h"
#include <cstdint>
#include <string>
#include <string_view>

namespace orvane {

/// Tolerant UTF-8 decoding: malformed or truncated sequences, overlong forms and
/// surrogates decode to U+FFFD and consume one byte, so any byte string can be
/// measured and drawn.
class ORVANE_HOST_EXPORT Utf8 {
public:
    static constexpr char32_t REPLACEMENT = 0xfffd;

    /// Decodes the code point at p (p < end) and advances p past it.
    static char32_t next(const char*& p, const char* end) {
        unsigned char c = static_cast<unsigned char>(*p);
        if (c < 0x80) {
            ++p;
            return c;
        }
        return nextMultiByte(p, end);
    }

    /// Number of bytes of the sequence starting at p (1 for malformed input).
    static size_t sequenceLength(const char* p, const char* end) {
        const char* q = p;
        next(q, end);
        return static_cast<size_t>(q - p);
    }

    static void append(std::string& out, char32_t cp);

private:
    static char32_t nextMultiByte(const char*& p, const char* end) {
        unsigned char c = static_cast<unsigned char>(*p);
        int n;
        char32_t cp;
        char32_t min;
        if ((c & 0xe0) == 0xc0) { n = 1; cp = c & 0x1f; min = 0x80; }
        else if ((c & 0xf0) == 0xe0) { n = 2; cp = c & 0x0f; min = 0x800; }
        else if ((c & 0xf8) == 0xf0) { n = 3; cp = c & 0x07; min = 0x10000; }
        else { ++p; return REPLACEMENT; }
        if (end - p <= n) { ++p; return REPLACEMENT; }
        for (int i = 1; i <= n; ++i) {
            unsigned char d = static_cast<unsigned char>(p[i]);
            if ((d & 0xc0) != 0x80) { ++p; return REPLACEMENT; }
            cp = (cp << 6) | (d & 0x3f);
        }
        if (cp < min || cp > 0x10ffff || (cp >= 0xd800 && cp <= 0xdfff)) { ++p; return REPLACEMENT; }
        p += n + 1;
        return cp;
    }
};

inline void Utf8::append(std::string& out, char32_t cp) {
    if (cp < 0x80) out += static_cast<char>(cp);
    else if (cp < 0x800) { out += static_cast<char>(0xc0 | (cp >> 6)); out += static_cast<char>(0x80 | (cp & 0x3f)); }
    else if (cp < 0x10000) {
        out += static_cast<char>(0xe0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3f));
        out += static_cast<char>(0x80 | (cp & 0x3f));
    } else {
        out += static_cast<char>(0xf0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3f));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3f));
        out += static_cast<char>(0x80 | (cp & 0x3f));
    }
}

} // namespace orvane
