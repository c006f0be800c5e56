// SPDX-License-Identifier: Apache-2.0
// libFuzzer target: style text (sheets and declarations), the scalar text of
// the property codec, colours and dimensions. Each value read is written and
// read again: the second reading equals the first, and the written sheet
// reads without complaint and writes the same text.
#include "../../geo/fuzz/FuzzSupport.h"
#include "orvane/host/core/CLog.h"
#include "orvane/host/document/PropertyTextCodec.h"
#include "orvane/host/style/AttributeBundle.h"
#include "orvane/host/style/CSSParser.h"
#include "orvane/host/style/ColorUtilities.h"
#include "orvane/host/style/Dimension.h"
#include "orvane/host/style/Style.h"

#include <cmath>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

using namespace orvane;
using fuzz::check;

namespace {

bool sameFloat(double a, double b) { return (std::isnan(a) && std::isnan(b)) || std::memcmp(&a, &b, sizeof a) == 0; }

void styleSheet(std::string_view text) {
    std::string error;
    auto style = CSSParser::parseStyle(text, &error);
    if (!style) return;
    std::string css = CSSParser::toCss(*style);
    auto again = CSSParser::parseStyle(css, &error);
    check(again != nullptr);
    check(error.empty());
    check(CSSParser::toCss(*again) == css);
    check(again->classes().size() == style->classes().size());
}

void declarations(std::string_view text) {
    auto bundle = CSSParser::parse(text);
    std::string css = CSSParser::toCss(*bundle);
    std::string error;
    auto again = CSSParser::parse(css, &error);
    check(error.empty());
    check(CSSParser::toCss(*again) == css);
    check(again->values().size() == bundle->values().size());
}

void scalars(std::string_view text) {
    if (int i; PropertyTextCodec::parseInt(text, i)) {
        int back;
        check(PropertyTextCodec::parseInt(std::to_string(i), back) && back == i);
    }
    if (unsigned u; PropertyTextCodec::parseUnsigned(text, u)) {
        unsigned back;
        check(PropertyTextCodec::parseUnsigned(std::to_string(u), back) && back == u);
    }
    if (float f; PropertyTextCodec::parseFloat(text, f)) {
        float back;
        check(PropertyTextCodec::parseFloat(PropertyTextCodec::formatFloat(f), back) && sameFloat(back, f));
    }
    if (double d; PropertyTextCodec::parseDouble(text, d)) {
        double back;
        check(PropertyTextCodec::parseDouble(PropertyTextCodec::formatDouble(d), back) && sameFloat(back, d));
    }
    if (unsigned c; PropertyTextCodec::parseColor(text, c)) {
        unsigned back;
        check(PropertyTextCodec::parseColor(PropertyTextCodec::formatColor(c), back) && back == c);
    }
    if (bool b; PropertyTextCodec::parseBool(text, b)) {
        bool back;
        check(PropertyTextCodec::parseBool(b ? "true" : "false", back) && back == b);
    }
    if (uint32_t c; ColorUtilities::parseColor(text, c)) {
        uint32_t back;
        check(ColorUtilities::parseColor(ColorUtilities::toCssString(c), back) && back == c);
    }
    if (auto d = Dimension::fromString(text)) {
        auto back = Dimension::fromString(d->toString());
        check(back && back->equals(*d));
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const bool quiet = (CLog::setEnabled(CLog::ERRORS, false), true);
    (void)quiet;
    std::string_view text(reinterpret_cast<const char*>(data), size);
    styleSheet(text);
    declarations(text);
    if (size <= 256) scalars(text);
    return 0;
}
