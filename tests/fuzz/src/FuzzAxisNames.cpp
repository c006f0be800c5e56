// SPDX-License-Identifier: Apache-2.0
// libFuzzer target: interval names, date-format names and the axis engine
// with arbitrary doubles. The input is an interval name on its first line, a
// format name on its second, and the bytes of doubles and counts after them.
// An interval name written back reads to the same interval; tick results
// stay finite and within their counts.
#include "../../geo/fuzz/FuzzSupport.h"
#include "orvane/axis/DateFormatNameConversion.h"
#include "orvane/axis/LogarithmTickmarks.h"
#include "orvane/axis/TimeInterval.h"
#include "orvane/axis/ZxAxis.h"
#include "orvane/host/core/CLog.h"
#include "orvane/host/format/FormatterFactory.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <stdexcept>
#include <string>
#include <string_view>

using namespace orvane;
using fuzz::check;

namespace {

struct Bytes {
    std::string_view rest;
    template <class T>
    T next() {
        T v{};
        if (rest.size() < sizeof v) return v;
        std::memcpy(&v, rest.data(), sizeof v);
        rest.remove_prefix(sizeof v);
        return v;
    }
};

std::string_view line(std::string_view& text) {
    size_t eol = text.find('\n');
    std::string_view l = text.substr(0, eol);
    text = eol == std::string_view::npos ? std::string_view() : text.substr(eol + 1);
    return l;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const bool quiet = (CLog::setEnabled(CLog::ERRORS, false), true);
    (void)quiet;
    std::string_view text(reinterpret_cast<const char*>(data), size);
    std::string_view intervalName = line(text);
    std::string_view formatName = line(text);
    Bytes b{text};

    // Interval names: what is read is written back and reads the same.
    TimeInterval iv;
    if (iv.setFromName(intervalName)) {
        TimeInterval again;
        std::string written = iv.toString();
        check(again.setFromName(written));
        // "DT" is written only for calendar units (a day or longer): below
        // that the unit is a time unit whatever the prefix said.
        check(again.intervalCode == iv.intervalCode && again.effectiveMultiple() == iv.effectiveMultiple() &&
              again.shiftOffset() == iv.shiftOffset() && again.weekendDays == iv.weekendDays &&
              (iv.intervalCode < IntervalConstants::DAY || again.valueKind == iv.valueKind));
        check(again.toString() == written);
    }
    check(iv.multiple >= 0);

    // Date-format names.
    auto formatString = std::make_shared<const std::string>(formatName);
    auto conversion = DateFormatNameConversion::create(formatString);
    auto english = conversion->getEnglishFormatName();
    check(english != nullptr);
    check(conversion->getI18NFormatNameFromEnglishFormatName(english) != nullptr);
    check(DateFormatNameConversion::createExtractedFormatName(formatString) != nullptr);
    (void)ZxAxis::englishFormatNameForFormatName(std::string(formatName));

    // The engine with arbitrary doubles.
    const double a = b.next<double>(), c = b.next<double>(), base = b.next<double>();
    const int maxTicks = std::clamp(b.next<int>(), -1000, 1000);
    const uint8_t flags = b.next<uint8_t>();
    auto t = ZxAxis::znaxis(a, c, flags & 1, flags & 2, maxTicks, 0.6, 0.8);
    check(t.count >= 1 && t.count <= std::max(6, maxTicks));
    auto it = ZxAxis::ziaxis(a, c, flags & 1, flags & 2, maxTicks, 0.6, 0.8);
    check(it.count >= 0);
    (void)ZxAxis::zlogaxis(a, c, base, maxTicks, 0.6, 0.8, flags & 4, flags & 8, (flags >> 4) - 4);
    auto formatter = FormatterFactory::getFormatter(formatName);
    try {
        auto ticks = ZxAxis::ztaxis(iv.intervalCode == IntervalConstants::NONE ? nullptr : iv.clone(), a, c,
                                    maxTicks, flags & 16, formatter);
        for (double v : ticks.majorValues) check(std::isfinite(v));
        check(ticks.found || ticks.majorValues.empty());
    } catch (const std::runtime_error& e) {
        // The two refusals a time axis has: values out of range, no unit.
        std::string what = e.what();
        check(what == "Bad DateTime format" || what.find("out of range") != std::string::npos);
    }
    double next = ZxAxis::getBeginingOfNextPeriodAfterStartValue(iv, a, b.next<double>());
    check(std::isnan(next) || std::isfinite(next));
    double n = ZxAxis::getNumberOfIntervalBoundaries(iv, a, c);
    check(std::isnan(n) || std::isfinite(n));
    (void)ZxAxis::zintcl(iv, a);
    (void)ZxAxis::zintfmt(iv, flags & 32);
    (void)ZxAxis::NLEAP(b.next<int64_t>());
    return 0;
}
