// SPDX-License-Identifier: Apache-2.0
// orvane ticks MIN MAX [--max-ticks N] [--format NAME] [--log BASE] [--integer]:
// prints the ticks the axis engine chooses for a range, so that a person can
// check them by eye. Dates are written like 01JAN2020, date-times like
// 01JAN2020:12:30:00 and times like 12:30 or 12:30:15; numbers as numbers.
#include "Command.h"

#include "orvane/host/format/FormatterFactory.h"

#include "orvane/host/format/Formatter.h"
#include "orvane/axis/ZxAxis.h"

#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <regex>
#include <sstream>
#include <stdexcept>

namespace orvane::tool {

namespace {

enum class TextKind { Number, Date, DateTime, Time, Invalid };

struct ParsedValue {
    TextKind kind = TextKind::Invalid;
    double days = 0;     // dates and date-times: day number
    double seconds = 0;  // date-times and times: seconds within the day
    double number = 0;
};

bool parseNumber(const std::string& s, double& v) {
    if (s.empty()) return false;
    char* end = nullptr;
    v = std::strtod(s.c_str(), &end);
    return end == s.c_str() + s.size();
}

int monthOf(std::string m) {
    static const char* names[] = {"JAN", "FEB", "MAR", "APR", "MAY", "JUN", "JUL", "AUG", "SEP", "OCT", "NOV", "DEC"};
    for (char& c : m) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    for (int i = 0; i < 12; ++i)
        if (m == names[i]) return i + 1;
    return 0;
}

bool parseClock(const std::string& h, const std::string& m, const std::string& s, double& seconds) {
    int hh = std::stoi(h), mm = std::stoi(m), ss = s.empty() ? 0 : std::stoi(s);
    if (hh > 23 || mm > 59 || ss > 59) return false;
    seconds = hh * 3600 + mm * 60 + ss;
    return true;
}

ParsedValue parseValue(const std::string& text) {
    ParsedValue p;
    if (parseNumber(text, p.number)) {
        p.kind = TextKind::Number;
        return p;
    }
    static const std::regex dateRe(R"((\d{1,2})([A-Za-z]{3})(\d{2}|\d{4,5})(?::(\d{1,2}):(\d{2})(?::(\d{2}))?)?)");
    static const std::regex timeRe(R"((\d{1,2}):(\d{2})(?::(\d{2}))?)");
    std::smatch m;
    if (std::regex_match(text, m, dateRe)) {
        int month = monthOf(m[2]);
        int day = std::stoi(m[1]);
        int year = std::stoi(m[3]);
        if (month == 0 || day < 1 || day > 31) return p;
        int64_t d = ZxAxis::ziddmdy(month, day, year);
        ZxAxis::MonthDayYear back = ZxAxis::zidmdyd(d);
        if (back.day != day || back.month != month) return p;  // 31FEB2020 and the like
        p.days = static_cast<double>(d);
        p.kind = TextKind::Date;
        if (m[4].matched) {
            if (!parseClock(m[4], m[5], m[6], p.seconds)) return {};
            p.kind = TextKind::DateTime;
        }
        return p;
    }
    if (std::regex_match(text, m, timeRe)) {
        if (!parseClock(m[1], m[2], m[3], p.seconds)) return p;
        p.kind = TextKind::Time;
    }
    return p;
}

std::string number(double v) {
    std::ostringstream o;
    o.precision(12);
    o << v;
    return o.str();
}

std::string twoDigits(int64_t v) { return (v < 10 ? "0" : "") + std::to_string(v); }

std::string calendarText(double days) {
    ZxAxis::MonthDayYear d = ZxAxis::zidmdyd(static_cast<int64_t>(days));
    return std::to_string(d.year) + "-" + twoDigits(d.month) + "-" + twoDigits(d.day);
}

std::string clockText(double seconds) {
    auto s = static_cast<int64_t>(seconds);
    return twoDigits(s / 3600) + ":" + twoDigits(s / 60 % 60) + ":" + twoDigits(s % 60);
}

// The value as a person reads it, computed here from the day and second numbers.
std::string readable(double v, const Formatter& f) {
    if (!std::isfinite(v)) return number(v);
    if (f.formatsDateValues()) return calendarText(v);
    if (f.formatsDateTimeValues()) {
        double day = std::floor(v / 86400);
        return calendarText(day) + " " + clockText(v - day * 86400);
    }
    if (f.formatsTimeValues()) {
        double day = std::floor(v / 86400);
        return clockText(v - day * 86400);
    }
    return number(v);
}

void printList(const char* title, const std::vector<double>& values) {
    std::cout << title << " (" << values.size() << "):";
    for (double v : values) std::cout << " " << number(v);
    std::cout << "\n";
}

int timeAxis(double lo, double hi, int maxTicks, const std::shared_ptr<const Formatter>& formatter,
             const std::string& formatName) {
    ZxAxis::TimeTicks t;
    try {
        t = ZxAxis::ztaxis(nullptr, lo, hi, maxTicks, true, formatter);
    } catch (const std::runtime_error& e) {
        return fail(std::string("ticks: ") + e.what());
    }
    std::cout << "time axis " << readable(lo, *formatter) << " .. " << readable(hi, *formatter) << " ("
              << (formatter->formatsDateValues() ? "days " : "seconds ") << number(lo) << " .. " << number(hi)
              << "), format " << formatName << ", max ticks " << maxTicks << "\n";
    std::cout << "interval " << t.major->toString() << ", label format " << t.format << ".";
    std::cout << ", minor interval " << t.minor->toString() << "\n";
    if (!t.found)
        return fail("ticks: no interval of the ladder fits " + std::to_string(maxTicks) + " ticks over this range");
    auto labels = Formatter::create(t.format + ".");
    std::printf("%-16s %-22s %s\n", formatter->formatsDateValues() ? "day" : "second", "reads as", "label");
    for (double v : t.majorValues)
        std::printf("%-16s %-22s %s\n", number(v).c_str(), readable(v, *formatter).c_str(), labels->format(v).c_str());
    std::cout << "minor ticks (" << t.minorValues.size() << "):";
    for (double v : t.minorValues) std::cout << " " << readable(v, *formatter);
    std::cout << "\n";
    return 0;
}

int ticks(const std::vector<std::string>& args) {
    ArgParser p = CommandRegistry::parserFor("ticks");
    if (!p.parse(args)) return usageError("ticks", p.error());
    const std::vector<std::string>& positional = p.positional();
    std::string formatName = p.get("format"), logBase = p.get("log");
    const bool integer = p.has("integer");
    int maxTicks = 6;
    if (p.has("max-ticks")) {
        double n;
        if (!parseNumber(p.get("max-ticks"), n) || n != std::floor(n) || std::fabs(n) > 1e6)
            return usageError("ticks", "--max-ticks needs a whole number, not \"" + p.get("max-ticks") + "\"");
        maxTicks = static_cast<int>(n);
    }
    if (positional.size() != 2) return usageError("ticks", "give the two ends of the range, MIN MAX");
    ParsedValue pa = parseValue(positional[0]), pb = parseValue(positional[1]);
    for (size_t k = 0; k < 2; ++k)
        if ((k == 0 ? pa : pb).kind == TextKind::Invalid)
            return usageError("ticks", "\"" + positional[k] + "\" is neither a number nor a date (01JAN2020), "
                                       "date-time (01JAN2020:12:30:00) or time (12:30)");

    // Dates and times written as such choose a format of their kind.
    if (formatName.empty()) {
        if (pa.kind == TextKind::DateTime || pb.kind == TextKind::DateTime)
            formatName = "DATETIME16.";
        else if (pa.kind == TextKind::Date || pb.kind == TextKind::Date)
            formatName = "DATE9.";
        else if (pa.kind == TextKind::Time || pb.kind == TextKind::Time)
            formatName = "TIME8.";
    }
    if (!formatName.empty() && !FormatterFactory::isValidFormatName(formatName))
        return usageError("ticks", "unknown format \"" + formatName + "\" (a format is NAMEw.d, e.g. DATE9.)");
    std::shared_ptr<const Formatter> formatter = formatName.empty() ? nullptr : Formatter::create(formatName);
    auto toValue = [&](const ParsedValue& p) {
        if (p.kind == TextKind::Number) return p.number;
        if (formatter && formatter->formatsDateValues()) return p.days;
        if (formatter && formatter->formatsTimeValues() && p.kind == TextKind::Time) return p.seconds;
        return p.days * 86400 + p.seconds;
    };
    double lo = toValue(pa), hi = toValue(pb);
    if (!std::isfinite(lo) || !std::isfinite(hi))
        return usageError("ticks", "the ends of the range must be finite numbers");
    bool textual = pa.kind != TextKind::Number || pb.kind != TextKind::Number;
    if (textual && (!formatter || !formatter->isTemporal()))
        return usageError("ticks", "dates and times need a date, date-time or time format, not " + formatName);

    if (formatter && formatter->isTemporal()) {
        if (!logBase.empty() || integer) return usageError("ticks", "--log and --integer apply to numeric axes only");
        return timeAxis(lo, hi, maxTicks, formatter, formatName);
    }

    if (!logBase.empty()) {
        double base;
        if (!parseNumber(logBase, base) || !(base > 0) || base == 1 || !std::isfinite(base))
            return usageError("ticks", "--log needs a positive base other than 1, not \"" + logBase + "\"");
        auto t = ZxAxis::zlogaxis(lo, hi, base, maxTicks, 0.6, 0.8, true, false, -1);
        std::cout << "logarithmic axis " << number(lo) << " .. " << number(hi) << ", base " << number(base)
                  << ", max ticks " << maxTicks << "\n";
        if (t->getMajorCount() == 0)
            return fail("ticks: no ticks: a logarithmic axis needs a range above zero");
        printList("majors", *t->majorValues);
        printList("exponents", *t->majorExponents);
        printList("minors", *t->minorValues);
        return 0;
    }

    std::vector<double> values;
    if (integer) {
        ZxAxis::IntegerTicks t = ZxAxis::ziaxis(lo, hi, false, false, maxTicks, 0.6, 0.8);
        std::cout << "integer axis " << number(lo) << " .. " << number(hi) << ", max ticks " << maxTicks << "\n";
        std::cout << "first " << t.first << ", step " << t.step << ", count " << t.count << "\n";
        for (int64_t k = 0; k < t.count; ++k) values.push_back(static_cast<double>(t.first + k * t.step));
    } else {
        ZxAxis::Ticks t = ZxAxis::znaxis(lo, hi, false, false, maxTicks, 0.6, 0.8);
        std::cout << "numeric axis " << number(lo) << " .. " << number(hi) << ", max ticks " << maxTicks << "\n";
        std::cout << "first " << number(t.first) << ", step " << number(t.step) << ", count " << number(t.count)
                  << "\n";
        // fma: k * step may overflow where first + k * step does not (ranges near the largest double).
        for (double k = 0; k < t.count && k < 1000; ++k) values.push_back(std::fma(k, t.step, t.first));
    }
    printList("ticks", values);
    if (formatter) {
        std::cout << "labels (" << formatName << "):";
        for (double v : values) std::cout << " " << formatter->format(v);
        std::cout << "\n";
    }
    return 0;
}

} // namespace

ORVANE_TOOL_COMMAND("ticks", "MIN MAX [--max-ticks N] [--format NAME] [--log BASE] [--integer]",
                    "print the axis ticks chosen for a numeric, logarithmic or date/time range", &ticks,
                    {{"--max-ticks", "N", "the most ticks wanted (default 6)"},
                     {"--format", "NAME", "format of the values: labels for numbers, the unit of dates and times "
                                          "(default DATE9., DATETIME16. or TIME8. by what MIN and MAX are)"},
                     {"--log", "BASE", "a logarithmic axis of this base (positive, not 1)"},
                     {"--integer", "", "an integer axis (whole-number steps)"}},
                    "MIN and MAX are numbers, dates (01JAN2020), date-times (01JAN2020:08:00) or times (08:00).\n"
                    "A range with no ticks (a logarithmic range touching zero, a time range no interval fits)\n"
                    "is a failure (exit status 1).\n\n"
                    "examples:\n  orvane ticks 0 100\n  orvane ticks 01JAN2020 15MAR2021 --format DATE9.");

} // namespace orvane::tool
