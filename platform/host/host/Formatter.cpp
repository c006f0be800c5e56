#include "host/Formatter.h"

#include "host/CLog.h"

#include <cctype>
#include <cmath>
#include <cstdio>
#include <set>

namespace orvane {

namespace {
const std::set<std::string, std::less<>>& dateNames() {
    static const std::set<std::string, std::less<>> s{
        "DATE",     "DDMMYY",   "DOWNAME",  "JULIAN",   "MMYY",     "MONNAME",  "MONTH",    "MONYY",    "QTR",
        "QTRR",     "WEEKDATE", "WEEKDATX", "WEEKDAY",  "WORDDATX", "YEAR",     "YYMM",     "YYMON",    "YYQ",
        "YYQC",     "YYQR",     "NLDATE",   "NLDATEMD", "NLDATEMN", "NLDATEW",  "NLDATEWN", "NLDATEYM", "NLDATEYR",
        "EURDFDD",  "EURDFDE",  "EURDFDN",  "EURDFDWN", "EURDFMN",  "EURDFMY",  "EURDFWDX", "EURDFWKX", "MMDDYY",
        "YYMMDD",   "DDMMYYS",  "MMDDYYS",  "YYMMDDS",  "WORDDATE", "DAY",      "YYMMN",    "NLDATEYQ", "NLDATEWN"};
    return s;
}
const std::set<std::string, std::less<>>& dateTimeNames() {
    static const std::set<std::string, std::less<>> s{
        "DATETIME", "DATEAMPM", "DTDATE",   "DTMONYY",  "DTWKDATX", "DTYEAR",   "DTYYQC", "NLDATM",
        "NLDATMAP", "NLDATMMD", "NLDATMW",  "NLDATMYM", "NLDATMDT", "NLDATMTM", "EURDFDT"};
    return s;
}
const std::set<std::string, std::less<>>& timeNames() {
    // TOD (time of day) formats seconds within a day: a time format.
    static const std::set<std::string, std::less<>> s{"TIME", "TIMEAMPM", "HHMM", "HOUR", "NLTIME", "NLTIMAP", "TOD", "MMSS"};
    return s;
}
} // namespace

bool Formatter::parseFormatName(std::string_view text, std::string& name, int& width, int& decimals, bool& hasWidth,
                                bool& hasDecimals) {
    name.clear();
    width = 0;
    decimals = 0;
    hasWidth = hasDecimals = false;
    size_t i = 0;
    while (i < text.size() && (std::isalpha(static_cast<unsigned char>(text[i])) || text[i] == '_' || text[i] == '$')) {
        name += static_cast<char>(std::toupper(static_cast<unsigned char>(text[i])));
        ++i;
    }
    // Names may end in digits that are part of the name only when followed by
    // letters (none of the supported names do), so digits start the width.
    while (i < text.size() && std::isdigit(static_cast<unsigned char>(text[i]))) {
        if (width > 10000) return false;
        width = width * 10 + (text[i] - '0');
        hasWidth = true;
        ++i;
    }
    if (i < text.size() && text[i] == '.') {
        ++i;
        while (i < text.size() && std::isdigit(static_cast<unsigned char>(text[i]))) {
            if (decimals > 10000) return false;
            decimals = decimals * 10 + (text[i] - '0');
            hasDecimals = true;
            ++i;
        }
    }
    if (i != text.size()) return false;
    return !name.empty() || hasWidth;
}

Formatter::Kind Formatter::kindOfName(std::string_view n) {
    if (dateNames().count(n)) return Kind::Date;
    if (dateTimeNames().count(n)) return Kind::DateTime;
    if (timeNames().count(n)) return Kind::Time;
    return Kind::Numeric;
}

std::shared_ptr<Formatter> Formatter::create(std::string_view formatName) {
    std::string name;
    int w, d;
    bool hw, hd;
    if (!parseFormatName(formatName, name, w, d, hw, hd)) {
        ORVANE_LOG(CLog::ERRORS, "host/Formatter", "unknown format name \"" + std::string(formatName) + "\", using BEST");
        return std::shared_ptr<Formatter>(new Formatter("BEST", 12, 0, Kind::Numeric));
    }
    if (name.empty()) name = "F";  // "8.2" is the plain w.d format
    return std::shared_ptr<Formatter>(new Formatter(name, hw ? w : 0, hd ? d : 0, kindOfName(name)));
}

std::string Formatter::getFullName() const {
    std::string s = name_;
    if (width_ > 0) s += std::to_string(width_);
    s += ".";
    if (decimals_ > 0) s += std::to_string(decimals_);
    return s;
}

std::string Formatter::format(double value) const {
    if (std::isnan(value)) return ".";
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.*f", decimals_, value);
    return buf;
}

} // namespace orvane
