// SPDX-License-Identifier: Apache-2.0
// libFuzzer target: format names and formatting. The input is a format name
// on its first line and the bytes of doubles after it. A name that builds a
// formatter has a full name that rebuilds the same formatter (same name,
// width, decimals and output); finite numbers formatted by a number format
// fit its width; what a format writes, it reads back without harm.
#include "../../geo/fuzz/FuzzSupport.h"
#include "orvane/host/core/CLog.h"
#include "orvane/host/format/Formatter.h"
#include "orvane/host/format/FormatterFactory.h"

#include <cmath>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

using namespace orvane;
using fuzz::check;

namespace {

size_t characters(const std::string& s) {
    size_t n = 0;
    for (unsigned char c : s) n += (c & 0xC0) != 0x80;
    return n;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const bool quiet = (CLog::setEnabled(CLog::ERRORS, false), true);
    (void)quiet;
    std::string_view text(reinterpret_cast<const char*>(data), size);
    size_t eol = text.find('\n');
    std::string_view name = text.substr(0, eol);
    std::string_view rest = eol == std::string_view::npos ? std::string_view() : text.substr(eol + 1);

    auto f = FormatterFactory::tryGetFormatter(name);
    if (!f) {
        // Unknown names fall back to BEST12 and are never kept without bound.
        check(FormatterFactory::getFormatter(name) != nullptr);
        check(FormatterFactory::cacheSize() <= FormatterFactory::cacheCapacity());
        return 0;
    }
    check(Formatter::isKnownName(f->getName()));
    auto g = FormatterFactory::tryGetFormatter(f->getFullName());
    check(g != nullptr);
    check(g->getFullName() == f->getFullName());
    check(g->getWidth() == f->getWidth() && g->getDecimals() == f->getDecimals());
    check(g->getKind() == f->getKind() && g->getScale() == f->getScale());

    for (size_t i = 0; i + sizeof(double) <= rest.size() && i < 64; i += sizeof(double)) {
        double v;
        std::memcpy(&v, rest.data() + i, sizeof v);
        std::string out = f->format(v);
        check(out == g->format(v));
        check(out.size() < Formatter::MAX_TEXT);
        if (std::isfinite(v) && !f->isTemporal() && !f->isCompact() && !f->isCharacterFormat() && f->getWidth() > 0)
            check(characters(out) <= static_cast<size_t>(f->getWidth()));
        double back;
        (void)f->parse(out, back);
    }
    std::string s(rest.substr(0, 256));
    std::string cut = f->formatString(s);
    check(cut.size() <= s.size());
    return 0;
}
