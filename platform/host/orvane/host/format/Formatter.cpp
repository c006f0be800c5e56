// SPDX-License-Identifier: Apache-2.0
#include "orvane/host/format/Formatter.h"

#include "orvane/host/format/CalendarUtilities.h"
#include "orvane/host/core/CLog.h"
#include "orvane/host/format/FormatterFactory.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <map>

namespace orvane {

namespace {

// ---------------------------------------------------------------- name tables

struct NameInfo {
    Formatter::Family family;
    int defaultWidth;
    int minWidth;
    int maxWidth;
    Formatter::Kind kind;
    char separator;
};

using K = Formatter::Kind;

// Localised names and the base names they format as.
const std::map<std::string, std::string, std::less<>>& aliases() {
    static const std::map<std::string, std::string, std::less<>> a{
        {"NLDATE", "WEEKDATX"},   {"NLDATEMD", "DATE"},     {"NLDATEMN", "MONNAME"},  {"NLDATEW", "WEEKDATE"},
        {"NLDATEWN", "DOWNAME"},  {"NLDATEYM", "MONYY"},    {"NLDATEYR", "YEAR"},     {"NLDATEYQ", "YYQ"},
        {"NLDATM", "DATETIME"},   {"NLDATMAP", "DATEAMPM"}, {"NLDATMMD", "DTDATE"},   {"NLDATMW", "DTWKDATX"},
        {"NLDATMYM", "DTMONYY"},  {"NLDATMDT", "DTDATE"},   {"NLDATMTM", "TOD"},      {"NLTIME", "TIME"},
        {"NLTIMAP", "TIMEAMPM"},  {"EURDFDD", "DDMMYY"},    {"EURDFDE", "DATE"},      {"EURDFDN", "WEEKDAY"},
        {"EURDFDT", "DATETIME"},  {"EURDFDWN", "DOWNAME"},  {"EURDFMN", "MONNAME"},   {"EURDFMY", "MONYY"},
        {"EURDFWDX", "WORDDATX"}, {"EURDFWKX", "WEEKDATX"}, {"NLNUM", "COMMA"},       {"NLNUMI", "COMMA"},
        {"NLMNY", "DOLLAR"},      {"NLMNYI", "DOLLAR"},     {"NLPCT", "PERCENT"},     {"NLPCTN", "PERCENTN"},
        {"NLPCTI", "PERCENT"},    {"COMMA_", "COMMA"},      {"YYMMN", "YYMMN"}};
    return a;
}

// Kinds of the localised names (they keep their own classification even where
// the base name differs, e.g. NLDATMTM is a date-time format written as TOD).
const std::map<std::string, K, std::less<>>& aliasKinds() {
    static const std::map<std::string, K, std::less<>> k{
        {"NLDATE", K::Date},       {"NLDATEMD", K::Date},    {"NLDATEMN", K::Date},     {"NLDATEW", K::Date},
        {"NLDATEWN", K::Date},     {"NLDATEYM", K::Date},    {"NLDATEYR", K::Date},     {"NLDATEYQ", K::Date},
        {"NLDATM", K::DateTime},   {"NLDATMAP", K::DateTime}, {"NLDATMMD", K::DateTime}, {"NLDATMW", K::DateTime},
        {"NLDATMYM", K::DateTime}, {"NLDATMDT", K::DateTime}, {"NLDATMTM", K::DateTime}, {"NLTIME", K::Time},
        {"NLTIMAP", K::Time},      {"EURDFDD", K::Date},     {"EURDFDE", K::Date},      {"EURDFDN", K::Date},
        {"EURDFDT", K::DateTime},  {"EURDFDWN", K::Date},    {"EURDFMN", K::Date},      {"EURDFMY", K::Date},
        {"EURDFWDX", K::Date},     {"EURDFWKX", K::Date}};
    return k;
}

} // namespace

static const std::map<std::string, NameInfo, std::less<>>& baseNames();

// ---------------------------------------------------------------- text helpers

namespace {

struct Out {
    char* p;
    size_t n = 0;
    void put(char c) {
        if (n < Formatter::MAX_TEXT) p[n++] = c;
    }
    void str(std::string_view s) {
        for (char c : s) put(c);
    }
    // Decimal digits of v, at least minDigits (zero padded), with a sign when negative.
    void num(int64_t v, int minDigits = 1) {
        char tmp[24];
        int k = 0;
        uint64_t u = v < 0 ? static_cast<uint64_t>(-(v + 1)) + 1 : static_cast<uint64_t>(v);
        do {
            tmp[k++] = static_cast<char>('0' + u % 10);
            u /= 10;
        } while (u);
        while (k < minDigits) tmp[k++] = '0';
        if (v < 0) put('-');
        while (k) put(tmp[--k]);
    }
};

size_t stars(int width, char* buf) {
    size_t w = static_cast<size_t>(std::clamp(width, 1, static_cast<int>(Formatter::MAX_TEXT)));
    std::memset(buf, '*', w);
    return w;
}

constexpr double kPow10[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,  1e8,  1e9,  1e10, 1e11,
                             1e12, 1e13, 1e14, 1e15, 1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
constexpr uint64_t kPow10u[] = {1ull,
                                10ull,
                                100ull,
                                1000ull,
                                10000ull,
                                100000ull,
                                1000000ull,
                                10000000ull,
                                100000000ull,
                                1000000000ull,
                                10000000000ull,
                                100000000000ull,
                                1000000000000ull,
                                10000000000000ull,
                                100000000000000ull,
                                1000000000000000ull};
constexpr int kMaxDecimals = 15;
constexpr int kMaxNumericWidth = 64;

// Writes |a| (a >= 0) with d decimals, rounded half away from zero on the
// decimal value, grouping the integer digits by three with `group` (0 = none).
// Answers the length; `zero` tells whether the rounded value is zero.
size_t writeFixedAbs(double a, int d, char group, char point, char* out, bool& zero) {
    char intDigits[48];
    int ni = 0;
    char fracDigits[24];
    int nf = 0;
    double s = a * kPow10[d];
    if (s < 9.0e15) {
        // The fuzz lifts values such as 1.005 (stored as 1.00499999...) over the
        // half: four units in the last place, used only while that stays far
        // below one half.
        double fuzz = s < 1e12 ? s * 8.9e-16 : 0.0;
        uint64_t r = static_cast<uint64_t>(std::floor(s + 0.5 + fuzz));
        zero = r == 0;
        uint64_t ip = r / kPow10u[d];
        uint64_t fp = r % kPow10u[d];
        do {
            intDigits[ni++] = static_cast<char>('0' + ip % 10);
            ip /= 10;
        } while (ip);
        for (int i = 0; i < d; ++i) {
            fracDigits[d - 1 - i] = static_cast<char>('0' + fp % 10);
            fp /= 10;
        }
        nf = d;
    } else {
        char tmp[80];
        int n = std::snprintf(tmp, sizeof tmp, "%.*f", d, a);
        if (n <= 0 || n >= static_cast<int>(sizeof tmp)) n = 0;
        int dot = n;
        for (int i = 0; i < n; ++i)
            if (tmp[i] == '.') dot = i;
        for (int i = dot - 1; i >= 0 && ni < 47; --i) intDigits[ni++] = tmp[i];
        for (int i = dot + 1; i < n && nf < 23; ++i) fracDigits[nf++] = tmp[i];
        zero = false;
        if (ni == 0) intDigits[ni++] = '0';
    }
    size_t len = 0;
    for (int i = ni - 1; i >= 0; --i) {
        out[len++] = intDigits[i];
        if (group && i > 0 && i % 3 == 0) out[len++] = group;
    }
    if (nf > 0) {
        out[len++] = point;
        std::memcpy(out + len, fracDigits, static_cast<size_t>(nf));
        len += static_cast<size_t>(nf);
    }
    return len;
}

// "1.5E+20" -> "1.5E20", "1E-05" -> "1E-5".
size_t tidyExponent(char* s, size_t n) {
    char* e = static_cast<char*>(std::memchr(s, 'E', n));
    if (!e) return n;
    size_t pos = static_cast<size_t>(e - s) + 1;
    size_t w = pos;
    if (pos < n && (s[pos] == '+' || s[pos] == '-')) {
        if (s[pos] == '-') s[w++] = '-';
        ++pos;
    }
    while (pos + 1 < n && s[pos] == '0') ++pos;
    while (pos < n) s[w++] = s[pos++];
    return w;
}

std::string_view trim(std::string_view s) {
    while (!s.empty() && std::isspace(static_cast<unsigned char>(s.front()))) s.remove_prefix(1);
    while (!s.empty() && std::isspace(static_cast<unsigned char>(s.back()))) s.remove_suffix(1);
    return s;
}

bool iequals(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (std::toupper(static_cast<unsigned char>(a[i])) != std::toupper(static_cast<unsigned char>(b[i])))
            return false;
    return true;
}


// Truncated split of a non-negative duration into hours, minutes, seconds and
// `d` decimal digits of the second.
struct Hms {
    int64_t h;
    int m;
    int s;
    int64_t frac;
    int digits;  // decimal digits in frac (may be fewer than asked for)
};
Hms splitSeconds(double t, int d) {
    // Fewer decimal digits for durations too long to count exactly with them
    // (a double holds whole numbers exactly up to 2^53).
    while (d > 0 && t * kPow10[d] >= 9e15) --d;
    if (!(t < 9e18)) t = 0;
    double p = kPow10[d];
    int64_t units = static_cast<int64_t>(std::floor(t * p + 1e-6));
    int64_t whole = units / static_cast<int64_t>(p);
    Hms r;
    r.frac = units % static_cast<int64_t>(p);
    r.s = static_cast<int>(whole % 60);
    r.m = static_cast<int>((whole / 60) % 60);
    r.h = whole / 3600;
    r.digits = d;
    return r;
}

const char* roman(int q) {
    static const char* r[] = {"I", "II", "III", "IV"};
    return q >= 1 && q <= 4 ? r[q - 1] : "";
}

void year2(Out& o, int64_t y) { o.num(((y % 100) + 100) % 100, 2); }
void year4(Out& o, int64_t y) { o.num(y, 4); }
void year(Out& o, int64_t y, bool fourDigits) {
    if (fourDigits) year4(o, y);
    else year2(o, y);
}

// Grouping character (0: none), decimal point, currency sign and percent
// scaling of the numeric families.
struct NumberStyle {
    char group = 0;
    char point = '.';
    const char* currency = "";
    bool percent = false;
};
NumberStyle numberStyle(Formatter::Family f) {
    using F = Formatter::Family;
    NumberStyle s;
    switch (f) {
    case F::Comma:
    case F::NegParen: s.group = ','; break;
    case F::CommaX:
        s.group = '.';
        s.point = ',';
        break;
    case F::Dollar:
        s.group = ',';
        s.currency = "$";
        break;
    case F::DollarX:
        s.group = '.';
        s.point = ',';
        s.currency = "$";
        break;
    default: break;
    }
    s.percent = f == F::Percent || f == F::PercentN;
    return s;
}

} // namespace

// ---------------------------------------------------------------- families

static const std::map<std::string, NameInfo, std::less<>>& baseNames() {
    using enum Formatter::Family;
    static const std::map<std::string, NameInfo, std::less<>> t{
        {"BEST", {Best, 12, 1, 32, K::Numeric, 0}},
        {"F", {Fixed, 12, 1, kMaxNumericWidth, K::Numeric, 0}},
        {"COMMA", {Comma, 12, 1, kMaxNumericWidth, K::Numeric, 0}},
        {"COMMAX", {CommaX, 12, 1, kMaxNumericWidth, K::Numeric, 0}},
        {"DOLLAR", {Dollar, 12, 1, kMaxNumericWidth, K::Numeric, 0}},
        {"DOLLARX", {DollarX, 12, 1, kMaxNumericWidth, K::Numeric, 0}},
        {"PERCENT", {Percent, 12, 1, kMaxNumericWidth, K::Numeric, 0}},
        {"PERCENTN", {PercentN, 12, 1, kMaxNumericWidth, K::Numeric, 0}},
        {"NEGPAREN", {NegParen, 12, 1, kMaxNumericWidth, K::Numeric, 0}},
        {"Z", {ZeroPad, 12, 1, 32, K::Numeric, 0}},
        {"E", {Scientific, 12, 7, 32, K::Numeric, 0}},
        {"$", {Character, 0, 0, 32767, K::Numeric, 0}},
        {"$CHAR", {Character, 0, 0, 32767, K::Numeric, 0}},
        {"DATE", {Date, 7, 5, 11, K::Date, 0}},
        {"DATETIME", {DateTime, 16, 7, 40, K::DateTime, 0}},
        {"DATEAMPM", {DateAmPm, 19, 7, 40, K::DateTime, 0}},
        {"DTDATE", {DtDate, 7, 5, 11, K::DateTime, 0}},
        {"DTMONYY", {DtMonYY, 5, 5, 7, K::DateTime, 0}},
        {"DTYEAR", {DtYear, 4, 2, 4, K::DateTime, 0}},
        {"DTYYQC", {DtYYQC, 4, 4, 6, K::DateTime, 0}},
        {"DTWKDATX", {DtWkDatX, 29, 3, 37, K::DateTime, 0}},
        {"TIME", {Time, 8, 2, 20, K::Time, 0}},
        {"TIMEAMPM", {TimeAmPm, 11, 2, 20, K::Time, 0}},
        {"HHMM", {HHMM, 5, 2, 20, K::Time, 0}},
        {"HOUR", {Hour, 2, 2, 20, K::Time, 0}},
        {"MMSS", {MMSS, 5, 2, 20, K::Time, 0}},
        {"TOD", {Tod, 8, 2, 20, K::Time, 0}},
        {"MONYY", {MonYY, 5, 5, 7, K::Date, 0}},
        {"MMYY", {MMYY, 7, 5, 32, K::Date, 0}},
        {"MONNAME", {MonName, 9, 1, 32, K::Date, 0}},
        {"MONTH", {Month, 2, 1, 32, K::Date, 0}},
        {"YEAR", {Year, 4, 2, 32, K::Date, 0}},
        {"YYQ", {YYQ, 6, 4, 32, K::Date, 0}},
        {"YYQC", {YYQC, 6, 4, 32, K::Date, 0}},
        {"YYQR", {YYQR, 7, 6, 32, K::Date, 0}},
        {"QTR", {Qtr, 1, 1, 32, K::Date, 0}},
        {"QTRR", {QtrR, 3, 3, 32, K::Date, 0}},
        {"YYMON", {YYMon, 7, 5, 32, K::Date, 0}},
        {"YYMM", {YYMM, 7, 5, 32, K::Date, 'M'}},
        {"YYMMN", {YYMM, 6, 4, 32, K::Date, 'N'}},
        {"WEEKDATE", {WeekDate, 29, 3, 37, K::Date, 0}},
        {"WEEKDATX", {WeekDatX, 29, 3, 37, K::Date, 0}},
        {"WEEKDAY", {WeekDay, 1, 1, 32, K::Date, 0}},
        {"DOWNAME", {DowName, 9, 1, 32, K::Date, 0}},
        {"WORDDATE", {WordDate, 18, 3, 32, K::Date, 0}},
        {"WORDDATX", {WordDatX, 18, 3, 32, K::Date, 0}},
        {"DDMMYY", {DDMMYY, 8, 2, 10, K::Date, '/'}},
        {"MMDDYY", {MMDDYY, 8, 2, 10, K::Date, '/'}},
        {"YYMMDD", {YYMMDD, 8, 2, 10, K::Date, '-'}},
        {"JULIAN", {Julian, 5, 5, 7, K::Date, 0}},
        {"DAY", {Day, 2, 2, 32, K::Date, 0}},
    };
    return t;
}

namespace {
// DDMMYY, MMDDYY and YYMMDD take a separator letter: B blank, C colon,
// D dash, N none, P period, S slash.
bool separatorVariant(std::string_view name, std::string& base, char& sep) {
    if (name.size() != 7) return false;
    std::string_view b = name.substr(0, 6);
    if (b != "DDMMYY" && b != "MMDDYY" && b != "YYMMDD") return false;
    switch (name[6]) {
    case 'B': sep = ' '; break;
    case 'C': sep = ':'; break;
    case 'D': sep = '-'; break;
    case 'N': sep = 'N'; break;
    case 'P': sep = '.'; break;
    case 'S': sep = '/'; break;
    default: return false;
    }
    base = std::string(b);
    return true;
}
} // namespace

// ---------------------------------------------------------------- construction

Formatter::Formatter(std::string name, int width, int decimals, Kind kind)
    : name_(std::move(name)), baseName_(name_), width_(width), decimals_(decimals), kind_(kind) {
    auto it = baseNames().find(baseName_);
    if (it != baseNames().end()) family_ = it->second.family;
    else if (kind_ != Kind::Numeric) family_ = kind_ == Kind::Date ? Family::Date
                                                : kind_ == Kind::Time ? Family::Time
                                                                      : Family::DateTime;
}

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
    auto a = aliasKinds().find(n);
    if (a != aliasKinds().end()) return a->second;
    auto b = baseNames().find(n);
    if (b != baseNames().end()) return b->second.kind;
    std::string base;
    char sep;
    if (separatorVariant(n, base, sep)) return Kind::Date;
    return Kind::Numeric;
}

bool Formatter::isKnownName(std::string_view n) {
    if (aliases().count(n) || baseNames().count(n)) return true;
    // Anything else the factory builds: separator variants, compact names
    // over a base name or an alias (CMPNLNUM), and their combinations. A bare
    // name has no width, decimals or scale.
    if (n.empty()) return false;
    for (char c : n)
        if (!std::isalpha(static_cast<unsigned char>(c)) && c != '_' && c != '$') return false;
    return build(std::string(n) + ".") != nullptr;
}

std::shared_ptr<Formatter> Formatter::create(std::string_view formatName) {
    return FormatterFactory::getFormatter(formatName);
}

std::shared_ptr<Formatter> Formatter::build(std::string_view text) {
    text = trim(text);
    // Split off a compact scale ("x1000") before the plain grammar.
    double scale = 0.0;
    size_t xpos = text.find_last_of("xX");
    std::string_view head = text;
    if (xpos != std::string_view::npos && xpos > 0 && text.find('.') != std::string_view::npos &&
        xpos > text.find('.')) {
        std::string_view digits = text.substr(xpos + 1);
        uint64_t s = 0;
        auto [p, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), s);
        // Scales are whole numbers a double holds exactly, so the full name
        // writes the same digits back.
        if (ec != std::errc() || p != digits.data() + digits.size() || s == 0 || s > (uint64_t{1} << 53))
            return nullptr;
        scale = static_cast<double>(s);
        head = text.substr(0, xpos);
    }
    std::string name;
    int w, d;
    bool hw, hd;
    if (!parseFormatName(head, name, w, d, hw, hd)) return nullptr;
    if (name.empty()) name = "F";

    std::string base = name;
    Kind kind = Kind::Numeric;
    char sep = 0;
    bool compact = false;
    if (auto a = aliases().find(name); a != aliases().end()) base = a->second;
    std::string variantBase;
    if (separatorVariant(base, variantBase, sep)) base = variantBase;
    if (base.size() > 3 && base.compare(0, 3, "CMP") == 0 && !baseNames().count(base)) {
        compact = true;
        base = base.substr(3);
        if (auto a = aliases().find(base); a != aliases().end()) base = a->second;
    }
    auto it = baseNames().find(base);
    if (it == baseNames().end()) return nullptr;
    const NameInfo& info = it->second;
    if (compact && (info.kind != Kind::Numeric || info.family > Family::NegParen)) return nullptr;
    if (scale > 0 && !compact) return nullptr;

    kind = info.kind;
    if (auto k = aliasKinds().find(name); k != aliasKinds().end()) kind = k->second;
    int width = hw ? std::clamp(w, info.minWidth, info.maxWidth) : info.defaultWidth;
    int decimals = hd ? std::min(d, kMaxDecimals) : 0;
    if (compact && !hd) decimals = 1;

    std::shared_ptr<Formatter> f(new Formatter(name, width, decimals, kind));
    f->baseName_ = base;
    f->family_ = info.family;
    f->separator_ = sep ? sep : info.separator;
    if (compact) {
        f->numericBase_ = f->family_;
        f->family_ = Family::Compact;
        f->scale_ = scale;
    }
    return f;
}

std::string Formatter::getFullName() const {
    std::string s = name_;
    if (width_ > 0) s += std::to_string(width_);
    s += ".";
    // Compact names without decimals default to one: zero is written out.
    if (decimals_ > 0 || family_ == Family::Compact) s += std::to_string(decimals_);
    if (scale_ > 0) {
        char buf[32];
        std::snprintf(buf, sizeof buf, "x%.0f", scale_);
        s += buf;
    }
    return s;
}

// ---------------------------------------------------------------- formatting

std::string Formatter::format(double value) const {
    char buf[MAX_TEXT];
    return std::string(buf, formatTo(value, buf));
}

size_t Formatter::formatTo(double value, char* buf) const {
    if (std::isnan(value)) {
        buf[0] = '.';
        return 1;
    }
    if (kind_ != Kind::Numeric || family_ >= Family::Date) return formatTemporal(value, buf);
    if (std::isinf(value)) {
        const char* t = value > 0 ? "Inf" : "-Inf";
        size_t n = std::strlen(t);
        std::memcpy(buf, t, n);
        return n;
    }
    if (family_ == Family::Compact) return formatCompact(value, buf);
    if (family_ == Family::Character) {
        // A number shown through a character format: its best text.
        return fitNumber(value, 32, buf);
    }
    return formatNumber(value, buf);
}

std::string Formatter::formatString(std::string_view text) const {
    if (family_ == Family::Character && width_ > 0 && text.size() > static_cast<size_t>(width_)) {
        // Cut at a character boundary, never inside a UTF-8 sequence.
        size_t cut = static_cast<size_t>(width_);
        while (cut > 0 && (static_cast<unsigned char>(text[cut]) & 0xC0) == 0x80) --cut;
        return std::string(text.substr(0, cut));
    }
    return std::string(text);
}

size_t Formatter::fitNumber(double v, int width, char* buf) const {
    width = std::clamp(width, 1, static_cast<int>(MAX_TEXT) - 1);
    if (v == 0) {
        buf[0] = '0';
        return 1;
    }
    double a = std::fabs(v);
    if (a < 1e15 && std::floor(a) == a) {
        Out o{buf};
        o.num(static_cast<int64_t>(v));
        if (o.n <= static_cast<size_t>(width)) return o.n;
    }
    char tmp[64];
    // First the most digits that fit as written; only when nothing fits is
    // the leading "0" of "0.xxx" dropped to make room.
    for (int pass = 0; pass < 2; ++pass) {
        for (int p = std::min(width, 15); p >= 1; --p) {
            int n = std::snprintf(tmp, sizeof tmp, "%.*G", p, v);
            if (n <= 0 || n >= static_cast<int>(sizeof tmp)) continue;
            size_t len = tidyExponent(tmp, static_cast<size_t>(n));
            if (pass == 1) {
                if (tmp[0] == '0' && tmp[1] == '.') {
                    std::memmove(tmp, tmp + 1, len - 1);
                    --len;
                } else if (tmp[0] == '-' && tmp[1] == '0' && tmp[2] == '.') {
                    std::memmove(tmp + 1, tmp + 2, len - 2);
                    --len;
                }
            }
            if (len <= static_cast<size_t>(width)) {
                std::memcpy(buf, tmp, len);
                return len;
            }
        }
    }
    return stars(width, buf);
}

size_t Formatter::formatNumber(double v, char* buf) const {
    if (family_ == Family::Best) return fitNumber(v, width_, buf);
    if (family_ == Family::Scientific) {
        // d.ddddE+xx with as many digits as the width holds, the mantissa
        // rounded half away from zero from three more digits.
        int p = std::min(std::max(0, width_ - 7), 14);
        char tmp[64];
        int n = std::snprintf(tmp, sizeof tmp, "%.*E", p + 3, std::fabs(v));
        const char* e = static_cast<const char*>(std::memchr(tmp, 'E', n > 0 ? static_cast<size_t>(n) : 0));
        if (!e) return fitNumber(v, width_, buf);
        int exponent = std::atoi(e + 1);
        char digits[24];
        int nd = 0;
        for (const char* q = tmp; q < e; ++q)
            if (*q != '.') digits[nd++] = *q;
        bool up = digits[p + 1] >= '5';
        for (int i = p; up && i >= 0; --i) {
            if (digits[i] == '9') digits[i] = '0';
            else {
                ++digits[i];
                up = false;
            }
        }
        if (up) {  // 9.99..5 became 10.00..: one more power of ten
            digits[0] = '1';
            for (int i = 1; i <= p; ++i) digits[i] = '0';
            ++exponent;
        }
        Out o{buf};
        if (v < 0) o.put('-');
        o.put(digits[0]);
        if (p > 0) {
            o.put('.');
            o.str(std::string_view(digits + 1, static_cast<size_t>(p)));
        }
        o.put('E');
        o.put(exponent < 0 ? '-' : '+');
        o.num(exponent < 0 ? -exponent : exponent, 2);
        if (o.n > static_cast<size_t>(width_)) return fitNumber(v, width_, buf);
        return o.n;
    }
    const NumberStyle style = numberStyle(family_);
    const double x = style.percent ? v * 100.0 : v;
    const double a = std::fabs(x);
    if (a >= 1e33) return fitNumber(x, width_, buf);

    bool parens = family_ == Family::NegParen || family_ == Family::Percent;

    auto compose = [&](int d, char g, const char* cur, char* out) -> size_t {
        char digits[96];
        bool zero;
        size_t nd = writeFixedAbs(a, d, g, style.point, digits, zero);
        bool neg = x < 0 && !zero;
        size_t n = 0;
        if (neg) out[n++] = parens ? '(' : '-';
        for (const char* c = cur; *c; ++c) out[n++] = *c;
        if (family_ == Family::ZeroPad) {
            size_t target = static_cast<size_t>(width_);
            while (n + nd < target) out[n++] = '0';
        }
        std::memcpy(out + n, digits, nd);
        n += nd;
        if (style.percent) out[n++] = '%';
        if (neg && parens) out[n++] = ')';
        return n;
    };

    size_t width = static_cast<size_t>(width_);
    for (int d = decimals_;; --d) {
        size_t n = compose(d, style.group, style.currency, buf);
        if (n <= width) return n;
        if (d == 0) break;
    }
    if (style.group || *style.currency) {
        size_t n = compose(0, 0, "", buf);
        if (n <= width) return n;
    }
    if (style.percent) {
        if (width_ < 2) return stars(width_, buf);
        size_t n = fitNumber(x, width_ - 1, buf);
        if (buf[0] == '*') return stars(width_, buf);
        buf[n++] = '%';
        return n;
    }
    return fitNumber(x, width_, buf);
}

size_t Formatter::formatCompact(double v, char* buf) const {
    const NumberStyle style = numberStyle(numericBase_);
    const double x = style.percent ? v * 100.0 : v;
    const double a = std::fabs(x);
    if (a >= 1e33) return fitNumber(x, width_, buf);
    static const struct {
        double div;
        char suffix;
    } kUnits[] = {{1.0, 0}, {1e3, 'K'}, {1e6, 'M'}, {1e9, 'B'}, {1e12, 'T'}};
    for (int d = decimals_;; --d) {
        double div = 1.0;
        char suffix = 0;
        if (scale_ > 0) {
            div = scale_;
            for (const auto& u : kUnits)
                if (u.div == scale_) suffix = u.suffix;
        } else {
            int unit = 0;
            for (int i = 4; i >= 1; --i)
                if (a >= kUnits[i].div) {
                    unit = i;
                    break;
                }
            // Rounding may carry into the next unit: 999,960 with one decimal is 1.0M.
            if (unit < 4) {
                double r = std::floor(a / kUnits[unit].div * kPow10[d] + 0.5) / kPow10[d];
                if (r >= 1000.0 && unit >= 1) ++unit;
                else if (r >= 1000.0 && unit == 0) unit = 1;
            }
            div = kUnits[unit].div;
            suffix = kUnits[unit].suffix;
        }
        char digits[96];
        bool zero;
        size_t nd = writeFixedAbs(a / div, d, style.group, style.point, digits, zero);
        if (scale_ <= 0) {
            // Automatic scaling shows significant decimals only: 1.0K is 1K.
            const char* dot = static_cast<const char*>(std::memchr(digits, style.point, nd));
            if (dot) {
                while (nd > 0 && digits[nd - 1] == '0') --nd;
                if (nd > 0 && digits[nd - 1] == style.point) --nd;
            }
        }
        bool neg = x < 0 && !zero;
        size_t n = 0;
        if (neg) buf[n++] = '-';
        for (const char* c = style.currency; *c; ++c) buf[n++] = *c;
        std::memcpy(buf + n, digits, nd);
        n += nd;
        if (suffix) buf[n++] = suffix;
        if (style.percent) buf[n++] = '%';
        if (n <= static_cast<size_t>(width_)) return n;
        if (d == 0) break;
    }
    return fitNumber(x, width_, buf);
}

size_t Formatter::formatTemporal(double v, char* buf) const {
    if (!std::isfinite(v)) {
        buf[0] = '.';
        return 1;
    }
    Out o{buf};
    const int w = width_;
    // Bounds keep the calendar arithmetic in 64 bits: about 27 million years.
    constexpr double kMaxDays = 1e10;
    bool secondsBased = kind_ == Kind::DateTime || kind_ == Kind::Time;
    if (secondsBased ? std::fabs(v) > kMaxDays * 86400.0 : std::fabs(v) > kMaxDays) return stars(w, buf);

    auto dayOf = [&](double x) -> int64_t {
        return secondsBased ? static_cast<int64_t>(std::floor(x / 86400.0)) : static_cast<int64_t>(std::floor(x));
    };
    auto timeOfDay = [&](double x) {
        double d = std::floor(x / 86400.0);
        double t = x - d * 86400.0;
        return t < 0 ? 0.0 : t;
    };

    // ddMMM, ddMMMyy, ddMMMyyyy or dd-MMM-yyyy, the longest the width holds.
    auto writeDate = [&](int64_t day, int width) {
        auto c = CalendarUtilities::civilFromDays(day);
        const bool dashes = width >= 11;
        o.num(c.day, 2);
        if (dashes) o.put('-');
        o.str(CalendarUtilities::monthAbbreviation(c.month));
        if (dashes) o.put('-');
        if (width >= 7) year(o, c.year, width >= 9);
    };
    auto writeMonYY = [&](int64_t day, int width) {
        auto c = CalendarUtilities::civilFromDays(day);
        o.str(CalendarUtilities::monthAbbreviation(c.month));
        year(o, c.year, width >= 7);
    };
    auto writeYear = [&](int64_t day, int width) {
        auto c = CalendarUtilities::civilFromDays(day);
        year(o, c.year, width >= 4);
    };
    auto writeYYQ = [&](int64_t day, int width, int fourDigitsFrom, const char* mark, bool romanQ) {
        auto c = CalendarUtilities::civilFromDays(day);
        year(o, c.year, width >= fourDigitsFrom);
        o.str(mark);
        int q = (c.month - 1) / 3 + 1;
        if (romanQ) o.str(roman(q));
        else o.num(q);
    };
    // The longest of the candidate texts that fits the width.
    auto writeLongestFitting = [&](std::initializer_list<std::string> candidates) {
        const std::string* pick = nullptr;
        for (const auto& c : candidates)
            if (c.size() <= static_cast<size_t>(w)) {
                pick = &c;
                break;
            }
        if (!pick) pick = &*(candidates.end() - 1);
        o.str(*pick);
    };
    auto weekDate = [&](int64_t day, bool european) {
        auto c = CalendarUtilities::civilFromDays(day);
        std::string wd(CalendarUtilities::weekdayName(CalendarUtilities::weekday(day)));
        std::string mon(CalendarUtilities::monthName(c.month));
        std::string y4 = std::to_string(c.year);
        std::string y2 = (c.year % 100 + 100) % 100 < 10 ? "0" + std::to_string((c.year % 100 + 100) % 100)
                                                         : std::to_string((c.year % 100 + 100) % 100);
        std::string d = std::to_string(c.day);
        std::string wd3 = wd.substr(0, 3), mon3 = mon.substr(0, 3);
        if (european)
            writeLongestFitting({wd + ", " + d + " " + mon + " " + y4, wd3 + ", " + d + " " + mon3 + " " + y4,
                                 wd3 + ", " + d + " " + mon3 + " " + y2, wd3});
        else
            writeLongestFitting({wd + ", " + mon + " " + d + ", " + y4, wd3 + ", " + mon3 + " " + d + ", " + y4,
                                 wd3 + ", " + mon3 + " " + d + ", " + y2, wd3});
    };
    auto numericDate = [&](int64_t day, int order /*0 dmy, 1 mdy, 2 ymd*/) {
        auto c = CalendarUtilities::civilFromDays(day);
        char sep = separator_ == 'N' ? 0 : separator_;
        bool fourDigits = sep ? w >= 10 : w >= 8;
        bool withSep = sep && w >= 8;
        auto yy = [&] { year(o, c.year, fourDigits); };
        if (w < 4) {
            if (order == 2) year2(o, c.year);
            else o.num(order == 0 ? c.day : c.month, 2);
            return;
        }
        if (w < 6) {
            if (order == 2) {
                year2(o, c.year);
                if (sep && w >= 5) o.put(sep);
                o.num(c.month, 2);
            } else {
                o.num(order == 0 ? c.day : c.month, 2);
                if (sep && w >= 5) o.put(sep);
                o.num(order == 0 ? c.month : c.day, 2);
            }
            return;
        }
        if (order == 2) {
            yy();
            if (withSep) o.put(sep);
            o.num(c.month, 2);
            if (withSep) o.put(sep);
            o.num(c.day, 2);
        } else {
            o.num(order == 0 ? c.day : c.month, 2);
            if (withSep) o.put(sep);
            o.num(order == 0 ? c.month : c.day, 2);
            if (withSep) o.put(sep);
            yy();
        }
    };
    auto writeClock = [&](double t, int width, bool padHours, int d) {
        // h:mm:ss with as many parts as the width holds; d decimal digits.
        bool neg = t < 0;
        Hms h = splitSeconds(std::fabs(t), d);
        if (neg && (h.h || h.m || h.s || h.frac)) o.put('-');
        o.num(h.h, padHours ? 2 : 1);
        if (width >= 5) {
            o.put(':');
            o.num(h.m, 2);
        }
        if (width >= 8) {
            o.put(':');
            o.num(h.s, 2);
            if (d > 0) {
                o.put('.');
                if (h.digits > 0) o.num(h.frac, h.digits);
                for (int i = h.digits; i < d; ++i) o.put('0');
            }
        }
    };

    // The 12-hour clock: hours (at least hourDigits digits), then the minutes
    // and seconds asked for, then " AM" or " PM".
    auto writeAmPm = [&](double tod, int hourDigits, bool minutes, bool seconds) {
        Hms h = splitSeconds(tod, 0);
        int hour = static_cast<int>(h.h % 24);
        o.num(hour % 12 == 0 ? 12 : hour % 12, hourDigits);
        if (minutes) {
            o.put(':');
            o.num(h.m, 2);
        }
        if (seconds) {
            o.put(':');
            o.num(h.s, 2);
        }
        o.str(hour < 12 ? " AM" : " PM");
    };

    switch (family_) {
    case Family::Date: writeDate(dayOf(v), w); break;
    case Family::DtDate: writeDate(dayOf(v), w); break;
    case Family::DateTime: {
        int64_t day = dayOf(v);
        writeDate(day, w >= 18 ? 9 : 7);
        if (w >= 10) {
            o.put(':');
            int d = (w >= 18 && decimals_ > 0 && w >= 19 + decimals_) ? decimals_ : 0;
            writeClock(timeOfDay(v), w < 13 ? 2 : w < 16 ? 5 : 8, true, d);
        }
        break;
    }
    case Family::DateAmPm: {
        int64_t day = dayOf(v);
        writeDate(day, w >= 22 ? 9 : 7);
        if (w >= 13) {
            o.put(':');
            writeAmPm(timeOfDay(v), 2, w >= 16, w >= 19);
        }
        break;
    }
    case Family::DtMonYY:
    case Family::MonYY: writeMonYY(dayOf(v), w); break;
    case Family::DtYear:
    case Family::Year: writeYear(dayOf(v), w); break;
    case Family::DtYYQC:
    case Family::YYQC: writeYYQ(dayOf(v), w, 6, ":", false); break;
    case Family::YYQ: writeYYQ(dayOf(v), w, 6, "Q", false); break;
    case Family::YYQR: writeYYQ(dayOf(v), w, 7, "Q", true); break;
    case Family::DtWkDatX:
    case Family::WeekDatX: weekDate(dayOf(v), true); break;
    case Family::WeekDate: weekDate(dayOf(v), false); break;
    case Family::Time: writeClock(v, w, false, w >= 9 ? std::min(decimals_, w - 9) : 0); break;
    case Family::Tod: writeClock(timeOfDay(v), w, true, w >= 9 ? std::min(decimals_, w - 9) : 0); break;
    case Family::TimeAmPm: writeAmPm(timeOfDay(v), 1, w >= 8, w >= 11); break;
    case Family::HHMM: {
        // Rounded to the nearest minute.
        double mins = std::floor(std::fabs(v) / 60.0 + 0.5);
        if (v < 0 && mins > 0) o.put('-');
        o.num(static_cast<int64_t>(mins / 60.0));
        o.put(':');
        o.num(static_cast<int64_t>(std::fmod(mins, 60.0)), 2);
        break;
    }
    case Family::Hour: {
        char digits[96];
        bool zero;
        size_t nd = writeFixedAbs(std::fabs(v) / 3600.0, decimals_, 0, '.', digits, zero);
        if (v < 0 && !zero) o.put('-');
        o.str(std::string_view(digits, nd));
        break;
    }
    case Family::MMSS: {
        bool neg = v < 0;
        Hms h = splitSeconds(std::fabs(v), 0);
        if (neg && (h.h || h.m || h.s)) o.put('-');
        o.num(h.h * 60 + h.m);
        o.put(':');
        o.num(h.s, 2);
        break;
    }
    case Family::MMYY: {
        auto c = CalendarUtilities::civilFromDays(dayOf(v));
        o.num(c.month, 2);
        o.put('M');
        year(o, c.year, w >= 7);
        break;
    }
    case Family::MonName: {
        auto c = CalendarUtilities::civilFromDays(dayOf(v));
        o.str(CalendarUtilities::monthName(c.month).substr(0, static_cast<size_t>(w)));
        break;
    }
    case Family::Month: o.num(CalendarUtilities::civilFromDays(dayOf(v)).month); break;
    case Family::Qtr: o.num((CalendarUtilities::civilFromDays(dayOf(v)).month - 1) / 3 + 1); break;
    case Family::QtrR: o.str(roman((CalendarUtilities::civilFromDays(dayOf(v)).month - 1) / 3 + 1)); break;
    case Family::YYMon: {
        auto c = CalendarUtilities::civilFromDays(dayOf(v));
        year(o, c.year, w >= 7);
        o.str(CalendarUtilities::monthAbbreviation(c.month));
        break;
    }
    case Family::YYMM: {
        auto c = CalendarUtilities::civilFromDays(dayOf(v));
        bool withM = separator_ != 'N';
        year(o, c.year, w >= (withM ? 7 : 6));
        if (withM) o.put('M');
        o.num(c.month, 2);
        break;
    }
    case Family::WeekDay: o.num(CalendarUtilities::weekday(dayOf(v)) + 1); break;
    case Family::DowName:
        o.str(CalendarUtilities::weekdayName(CalendarUtilities::weekday(dayOf(v))).substr(0, static_cast<size_t>(w)));
        break;
    case Family::WordDate:
    case Family::WordDatX: {
        auto c = CalendarUtilities::civilFromDays(dayOf(v));
        std::string mon(CalendarUtilities::monthName(c.month));
        std::string d = std::to_string(c.day), y = std::to_string(c.year);
        if (family_ == Family::WordDate)
            writeLongestFitting({mon + " " + d + ", " + y, mon.substr(0, 3) + " " + d + ", " + y, mon.substr(0, 3)});
        else
            writeLongestFitting({d + " " + mon + " " + y, d + " " + mon.substr(0, 3) + " " + y, mon.substr(0, 3)});
        break;
    }
    case Family::DDMMYY: numericDate(dayOf(v), 0); break;
    case Family::MMDDYY: numericDate(dayOf(v), 1); break;
    case Family::YYMMDD: numericDate(dayOf(v), 2); break;
    case Family::Julian: {
        int64_t day = dayOf(v);
        auto c = CalendarUtilities::civilFromDays(day);
        year(o, c.year, w >= 7);
        o.num(CalendarUtilities::dayOfYear(day), 3);
        break;
    }
    case Family::Day: o.num(CalendarUtilities::civilFromDays(dayOf(v)).day); break;
    default: writeDate(dayOf(v), 9); break;
    }
    return o.n;
}

// ---------------------------------------------------------------- parsing

namespace {

struct Scanner {
    std::string_view s;
    size_t i = 0;
    bool done() const { return i >= s.size(); }
    char peek() const { return i < s.size() ? s[i] : '\0'; }
    bool eat(char c) {
        if (peek() == c) return ++i, true;
        return false;
    }
    // Up to maxDigits decimal digits; false when there is none.
    bool digits(int64_t& out, int minDigits = 1, int maxDigits = 18) {
        size_t start = i;
        out = 0;
        while (i < s.size() && std::isdigit(static_cast<unsigned char>(s[i])) && static_cast<int>(i - start) < maxDigits)
            out = out * 10 + (s[i++] - '0');
        return static_cast<int>(i - start) >= minDigits;
    }
    size_t lastDigitCount(size_t start) const { return i - start; }
    bool letters(std::string_view& out) {
        size_t start = i;
        while (i < s.size() && std::isalpha(static_cast<unsigned char>(s[i]))) ++i;
        out = s.substr(start, i - start);
        return i > start;
    }
    void spaces() {
        while (i < s.size() && s[i] == ' ') ++i;
    }
};

int64_t expandYear(int64_t y, size_t digitCount) {
    // Two-digit years: below 20 are 20xx, 20-99 are 19xx.
    if (digitCount <= 2) return y < 20 ? 2000 + y : 1900 + y;
    return y;
}

bool validDate(int64_t y, int64_t m, int64_t d) {
    return m >= 1 && m <= 12 && d >= 1 && d <= CalendarUtilities::daysInMonth(y, static_cast<int>(m)) &&
           y > -1000000000 && y < 1000000000;
}

// hh:mm[:ss[.fff]] [AM|PM]; hours may exceed 23 only without AM/PM.
bool parseClock(Scanner& sc, double& seconds) {
    int64_t h, m = 0, s = 0;
    if (!sc.digits(h, 1, 9)) return false;
    if (!sc.eat(':')) return false;
    size_t st = sc.i;
    if (!sc.digits(m, 2, 2) || sc.lastDigitCount(st) != 2 || m > 59) return false;
    double frac = 0;
    if (sc.eat(':')) {
        st = sc.i;
        if (!sc.digits(s, 2, 2) || s > 59) return false;
        if (sc.eat('.')) {
            size_t fs = sc.i;
            int64_t f;
            if (!sc.digits(f, 1, 9)) return false;
            frac = static_cast<double>(f) / kPow10[sc.i - fs];
        }
    }
    sc.spaces();
    std::string_view ampm;
    size_t save = sc.i;
    if (sc.letters(ampm)) {
        if (iequals(ampm, "AM") || iequals(ampm, "PM")) {
            if (h < 1 || h > 12) return false;
            h = h % 12 + (iequals(ampm, "PM") ? 12 : 0);
        } else {
            sc.i = save;
            return false;
        }
    }
    seconds = static_cast<double>(h * 3600 + m * 60 + s) + frac;
    return true;
}

} // namespace

bool Formatter::parseTemporal(std::string_view text, double& out) const {
    Scanner sc{text};
    int64_t day = 0;
    bool haveDate = false;
    double clock = 0;
    bool haveClock = false;

    auto finish = [&]() -> bool {
        if (!sc.done()) return false;
        if (kind_ == Kind::Time) {
            if (!haveClock || haveDate) return false;
            out = clock;
            return true;
        }
        if (!haveDate) return false;
        if (kind_ == Kind::Date) out = static_cast<double>(day);
        else out = static_cast<double>(day) * 86400.0 + clock;
        return true;
    };
    // A date read up to where t stands: taken, and the whole text must be read.
    auto acceptDate = [&](const Scanner& t, int64_t d) {
        day = d;
        haveDate = true;
        sc = t;
        return finish();
    };
    // The clock that may follow a date after 'T', ' ' or ':'; false when one
    // is begun but is not a clock.
    auto clockAfterDate = [&](Scanner& t) {
        if (!(t.eat('T') || t.eat(' ') || t.eat(':'))) return true;
        if (!parseClock(t, clock)) return false;
        haveClock = true;
        return true;
    };

    // Time of day alone.
    if (kind_ == Kind::Time) {
        bool neg = sc.eat('-');
        if (!parseClock(sc, clock)) return false;
        if (neg) clock = -clock;
        haveClock = true;
        return finish();
    }

    // ISO: yyyy-mm-dd[Thh:mm[:ss]] / yyyy-mm / yyyyQq / yyyy:q / yyyy
    {
        Scanner t = sc;
        bool neg = t.eat('-');
        int64_t y;
        size_t st = t.i;
        if (t.digits(y, 4, 9) && t.lastDigitCount(st) >= 4) {
            if (neg) y = -y;
            if (t.eat('-')) {
                int64_t m, d;
                size_t ms = t.i;
                if (t.digits(m, 1, 2) && t.lastDigitCount(ms) <= 2) {
                    if (t.eat('-')) {
                        if (t.digits(d, 1, 2) && validDate(y, m, d)) {
                            if (!clockAfterDate(t)) return false;
                            if (haveClock) t.eat('Z');
                            return acceptDate(
                                t, CalendarUtilities::daysFromCivil(y, static_cast<int>(m), static_cast<int>(d)));
                        }
                    } else if (t.done() && m >= 1 && m <= 12) {
                        return acceptDate(t, CalendarUtilities::daysFromCivil(y, static_cast<int>(m), 1));
                    }
                }
            } else if (t.peek() == 'Q' || t.peek() == 'q' || t.peek() == ':') {
                ++t.i;
                int64_t q;
                if (t.digits(q, 1, 1) && q >= 1 && q <= 4 && t.done())
                    return acceptDate(t, CalendarUtilities::daysFromCivil(y, static_cast<int>((q - 1) * 3 + 1), 1));
            } else if (t.done() && (family_ == Family::Year || family_ == Family::DtYear)) {
                return acceptDate(t, CalendarUtilities::daysFromCivil(y, 1, 1));
            } else if (std::isalpha(static_cast<unsigned char>(t.peek()))) {
                // yyyyMMM (YYMON)
                std::string_view mon;
                t.letters(mon);
                int m = CalendarUtilities::monthFromName(mon);
                if (m && t.done()) return acceptDate(t, CalendarUtilities::daysFromCivil(y, m, 1));
            }
        }
    }
    // ddMMMyyyy[:hh:mm[:ss]] and MMMyyyy
    {
        Scanner t = sc;
        int64_t d = 1, y;
        size_t st = t.i;
        bool hasDay = t.digits(d, 1, 2);
        if (hasDay && !t.eat('-')) t.spaces();
        std::string_view mon;
        if (t.letters(mon)) {
            int m = CalendarUtilities::monthFromName(mon);
            if (!t.eat('-')) t.spaces();
            size_t ys = t.i;
            if (m && t.digits(y, 2, 9)) {
                (void)st;
                y = expandYear(y, t.i - ys);
                if (!hasDay) d = 1;
                if (validDate(y, m, d)) {
                    if (!clockAfterDate(t)) return false;
                    return acceptDate(t, CalendarUtilities::daysFromCivil(y, m, static_cast<int>(d)));
                }
            }
        }
    }
    // Numeric dates with separators: order from the format (dmy for DDMMYY and
    // the European names, ymd for YYMMDD, mdy otherwise).
    {
        Scanner t = sc;
        int64_t a, b, c;
        size_t s1 = t.i;
        if (t.digits(a, 1, 9)) {
            size_t na = t.i - s1;
            char sep = t.peek();
            if ((sep == '/' || sep == '.' || sep == '-') && t.eat(sep)) {
                size_t s2 = t.i;
                if (t.digits(b, 1, 2) && t.eat(sep)) {
                    (void)s2;
                    size_t s3 = t.i;
                    if (t.digits(c, 1, 9)) {
                        size_t nc = t.i - s3;
                        int64_t y, m, d;
                        bool european = family_ == Family::DDMMYY || name_.rfind("EUR", 0) == 0;
                        if (family_ == Family::YYMMDD || na >= 3) {
                            y = expandYear(a, na);
                            m = b;
                            d = c;
                        } else if (european) {
                            d = a;
                            m = b;
                            y = expandYear(c, nc);
                        } else {
                            m = a;
                            d = b;
                            y = expandYear(c, nc);
                        }
                        if (validDate(y, m, d)) {
                            if (!clockAfterDate(t)) return false;
                            return acceptDate(
                                t, CalendarUtilities::daysFromCivil(y, static_cast<int>(m), static_cast<int>(d)));
                        }
                    }
                }
            }
        }
    }
    // A plain number is the value itself (day or second count).
    double raw;
    auto [p, ec] = std::from_chars(text.data(), text.data() + text.size(), raw);
    if (ec == std::errc() && p == text.data() + text.size() && std::isfinite(raw)) {
        out = raw;
        return true;
    }
    return false;
}

bool Formatter::parse(std::string_view text, double& out) const {
    text = trim(text);
    if (text.empty() || text == ".") {
        out = std::numeric_limits<double>::quiet_NaN();
        return true;
    }
    if (isTemporal()) return parseTemporal(text, out);

    // Numbers: sign, parentheses, currency, grouping, percent, K/M/B/T.
    bool neg = false;
    if (text.size() >= 2 && text.front() == '(' && text.back() == ')') {
        neg = true;
        text = trim(text.substr(1, text.size() - 2));
    }
    if (!text.empty() && (text.front() == '-' || text.front() == '+')) {
        neg = neg != (text.front() == '-');
        text = trim(text.substr(1));
    }
    if (!text.empty() && text.front() == '$') text = trim(text.substr(1));
    if (!text.empty() && (text.front() == '-' || text.front() == '+' || text.front() == '(')) return false;
    double factor = 1.0;
    if (!text.empty() && text.back() == '%') {
        factor = 0.01;
        text = trim(text.substr(0, text.size() - 1));
    } else if (!text.empty()) {
        switch (std::toupper(static_cast<unsigned char>(text.back()))) {
        case 'K': factor = 1e3; break;
        case 'M': factor = 1e6; break;
        case 'B': factor = 1e9; break;
        case 'T': factor = 1e12; break;
        default: break;
        }
        if (factor != 1.0) text = trim(text.substr(0, text.size() - 1));
    }
    if (text.empty()) return false;
    char group = ',', point = '.';
    Family deco = family_ == Family::Compact ? numericBase_ : family_;
    if (deco == Family::CommaX || deco == Family::DollarX) std::swap(group, point);
    char buf[128];
    size_t n = 0;
    for (char c : text) {
        if (c == group) continue;
        if (n + 1 >= sizeof buf) return false;
        buf[n++] = c == point ? '.' : c;
    }
    double v;
    auto [p, ec] = std::from_chars(buf, buf + n, v);
    if (ec != std::errc() || p != buf + n) return false;
    out = (neg ? -v : v) * factor;
    return true;
}

} // namespace orvane
