// SPDX-License-Identifier: Apache-2.0
#include "orvane/axis/ZxAxis.h"

#include "orvane/axis/CalendarArithmetic.h"
#include "orvane/axis/DateFormatNameConversion.h"
#include "orvane/axis/IntervalDefinition.h"

#include "orvane/host/core/CLog.h"
#include "orvane/host/format/Formatter.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <limits>
#include <stdexcept>

namespace orvane {

namespace {
using C = IntervalConstants;
using Cal = CalendarArithmetic;

constexpr const char* kSource = "orvane/axis/ZxAxis";
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kEps = 1e-6;
constexpr double kTinyRange = 1.4916681462400413e-154;
// Bounds of the searches: the coarse search divides by 10 from the largest
// double down to the smallest denormal in fewer rounds than this.
constexpr int kMaxSearchRounds = 700;
// Majors of a logarithmic axis and minors per major interval.
constexpr double kMaxLogMajors = 1000;
constexpr int kMaxUserMinors = 100;
// Steps of a calendar period beyond this leave the valid day range anyway.
constexpr double kMaxCalendarSteps = 1e7;
constexpr size_t kMaxTimeMajors = 100000;
constexpr int kMaxMinorsPerMajor = 64;
// Whole numbers beyond this are not exact in a double.
constexpr double kMaxExactInteger = 9007199254740992.0;

constexpr double kCoarseCuts[] = {1, 2, 4, 5};
constexpr double kFineCuts[] = {1, 2, 2.5, 5};
constexpr double kIntegerCuts[] = {1, 2, 5, 10};
constexpr int kSmallPrimes[] = {2, 3, 5, 7, 11, 13, 17, 19, 23, 29, 31, 37};

// floor and ceil without a library call: the same values as std::floor and
// std::ceil (doubles of magnitude 2^52 and more are whole already; not-a-number
// and infinities pass through), except that they never give -0.0.
inline double fastFloor(double x) {
    if (!(std::fabs(x) < 4503599627370496.0)) return x;
    double t = static_cast<double>(static_cast<int64_t>(x));
    return t > x ? t - 1 : t;
}
inline double fastCeil(double x) {
    if (!(std::fabs(x) < 4503599627370496.0)) return x;
    double t = static_cast<double>(static_cast<int64_t>(x));
    return t < x ? t + 1 : t;
}

// 10^floor(log10(x)) for a positive finite x, from a table of std::pow(10, k).
double powerOfTenBelow(double x) {
    static const auto table = [] {
        std::array<double, 309 + 324> t{};
        for (int k = -324; k <= 308; ++k) t[static_cast<size_t>(k + 324)] = std::pow(10.0, k);
        return t;
    }();
    double e = std::floor(std::log10(x));
    if (!(e >= -324 && e <= 308)) return std::pow(10.0, e);
    return table[static_cast<size_t>(static_cast<int>(e) + 324)];
}

int clampTicks(int maxTicks) { return maxTicks < 3 ? 2 : (maxTicks > 6 ? 6 : maxTicks); }
double coarseFill(double f) { return f < 0.5 || f > 0.9 || std::isnan(f) ? 0.8 : f; }
double fineFill(double f) { return f < 0.25 || f > 0.9 || std::isnan(f) ? 0.6 : f; }

// Evenly spaced fallback ticks from lo to hi.
ZxAxis::Ticks evenTicks(double lo, double hi, int n) {
    double range = hi - lo;
    double step = std::isfinite(range) || !std::isfinite(lo) || !std::isfinite(hi)
                      ? range / (n - 1)
                      : hi / (n - 1) - lo / (n - 1);  // the difference overflows, its parts do not
    return {lo, step, static_cast<double>(n)};
}

// The coarse-then-fine search shared by the numeric and the integer axis.
bool searchTicks(double lo, double hi, bool includeZero, int maxTicks, double fF, double fC, const double* coarse,
                 size_t coarseCount, const double* fine, size_t fineCount, bool integer, ZxAxis::Ticks& out) {
    const double range = hi - lo;
    const double mag = std::max(std::fabs(lo), std::fabs(hi));
    double p = powerOfTenBelow(mag);
    double a = 0, b = 0;
    bool envelope = false;
    for (int round = 0; round < kMaxSearchRounds && !envelope && p > 0 && std::isfinite(p); ++round) {
        for (size_t i = 0; i < coarseCount; ++i) {
            double u = p / coarse[i];
            // An envelope is at least one cell wide: cells wider than range/fC
            // (with a margin for rounding) cannot fill enough.
            if (u * fC > range * 1.01) continue;
            double ca = fastFloor(lo / u + kEps) * u;
            double cb = fastCeil(hi / u - kEps) * u;
            double width = cb - ca;
            if (width / range >= 0.9999 && range / width >= fC) {
                a = ca;
                b = cb;
                envelope = true;
                break;
            }
        }
        if (!envelope) p /= 10;
    }
    if (!envelope) return false;
    double q = p / 10;
    // Steps that fit the range this many times give more than maxTicks ticks
    // whatever the rounding of the ends (the ends move by far less than a step).
    const double tooManySteps = static_cast<double>(maxTicks) + 2;
    for (int round = 0; round < kMaxSearchRounds && q <= range && q > 0; ++round, q *= 10) {
        for (size_t i = 0; i < fineCount; ++i) {
            double step = fine[i] * q;
            if (integer && step < 1) continue;
            if (range >= tooManySteps * step) continue;
            double first = fastFloor(a / step + kEps) * step;
            // Move the first tick up when the next one is still below the range
            // (with includeZero only while it stays on its side of zero).
            if (first + step < lo && !(includeZero && first <= 0 && first + step > 0)) first += step;
            double last = fastCeil(b / step - kEps) * step;
            if (hi < last - step && !(includeZero && last >= 0 && last - step < 0)) last -= step;
            double span = last - first;
            double count = fastFloor(span / step + kEps) + 1;
            if (!(count <= maxTicks && range / span >= fF)) continue;
            if (count < 3) break;  // too few ticks at this scale: try the next one
            if (includeZero) {
                double r = a / step - fastFloor(a / step);
                if (!(r <= 1e-4)) continue;
            }
            out = {first, step, count};
            return true;
        }
    }
    return false;
}

int64_t toInt64(double v) {
    return std::isfinite(v) && std::fabs(v) <= 4.0 * kMaxExactInteger ? static_cast<int64_t>(v) : 0;
}

double timeUnit(int code) {
    switch (code) {
    case C::SECOND: return 1;
    case C::MINUTE: return 60;
    case C::HOUR: return 3600;
    default: return 0;
    }
}

// Period and offset of a time-unit interval: boundaries fall where
// value + offset is a multiple of the period.
void timePeriod(const TimeInterval& iv, double unit, double& period, double& offset) {
    period = iv.effectiveMultiple() * unit;
    int sh = iv.shiftOffset();
    offset = sh != 0 ? period - unit * sh : 0;
}

std::string formatMessage(const char* pattern, int code) {
    char buf[160];
    std::snprintf(buf, sizeof buf, pattern, code);
    return buf;
}

// A day number from a date-time or date value (already whole); false for other
// kinds and for days outside the valid range.
bool toValidDay(const TimeInterval& iv, double value, int64_t& day) {
    double d = iv.valueKind == 1 ? std::floor(value / Cal::SECONDS_PER_DAY) : value;
    if (!Cal::isValidDay(d)) return false;
    day = static_cast<int64_t>(d);
    return true;
}

bool valuesValidForKind(double a, double b, int valueKind) {
    auto ok = [valueKind](double v) {
        if (!std::isfinite(v)) return false;
        if (valueKind == 2) return Cal::isValidDay(v);
        if (valueKind == 1) return Cal::isValidDay(std::floor(v / Cal::SECONDS_PER_DAY));
        return true;
    };
    return ok(a) && ok(b);
}

bool steppable(int code) { return code == C::OBS || timeUnit(code) != 0 || Cal::isCalendarCode(code); }

// Shift units (months for YEAR, SEMIYEAR and QTR, days for WEEK, the unit
// itself otherwise) in one period of a code and multiple.
int64_t shiftUnitsPerPeriod(int code, int64_t multiple) {
    switch (code) {
    case C::WEEK: return 7 * multiple;
    case C::QTR: return 3 * multiple;
    case C::SEMIYEAR: return 6 * multiple;
    case C::YEAR: return 12 * multiple;
    default: return multiple;
    }
}

int shiftWithin(int64_t offset, int64_t units) {
    int64_t r = Cal::floorMod(offset, units);
    return r == 0 ? 0 : static_cast<int>(r + 1);
}

// Formats of the base date and time formats whose names are not interval
// names, with the unit of their ticks.
const char* intervalNameForFormat(const std::string& name) {
    struct Row {
        const char* format;
        const char* interval;
    };
    static const Row rows[] = {
        {"DATE", "DAY"},         {"DDMMYY", "DAY"},      {"MMDDYY", "DAY"},     {"YYMMDD", "DAY"},
        {"DDMMYYS", "DAY"},      {"MMDDYYS", "DAY"},     {"YYMMDDS", "DAY"},    {"WEEKDATE", "DAY"},
        {"WEEKDATX", "DAY"},     {"WORDDATE", "DAY"},    {"WORDDATX", "DAY"},   {"JULIAN", "DAY"},
        {"DOWNAME", "DAY"},      {"DTDATE", "DTDAY"},    {"DTWKDATX", "DTDAY"}, {"MONYY", "MONTH"},
        {"MMYY", "MONTH"},       {"YYMM", "MONTH"},      {"YYMMN", "MONTH"},    {"YYMON", "MONTH"},
        {"MONNAME", "MONTH"},    {"YYQ", "QTR"},         {"YYQC", "QTR"},       {"YYQR", "QTR"},
        {"QTRR", "QTR"},         {"DATETIME", "SECOND"}, {"DATEAMPM", "SECOND"}, {"TOD", "SECOND"},
        {"TIME", "SECOND"},      {"TIMEAMPM", "SECOND"}, {"MMSS", "SECOND"},    {"HHMM", "MINUTE"},
    };
    for (const Row& r : rows)
        if (name == r.format) return r.interval;
    return nullptr;
}
} // namespace

// ====================================================================== numeric

ZxAxis::Ticks ZxAxis::znaxis(double min, double max, bool /*flag*/, bool includeZero, int maxTicks, double fillFine,
                             double fillCoarse) {
    double lo = std::min(min, max), hi = std::max(min, max);
    if (std::isnan(min) || std::isnan(max)) {
        lo = min;
        hi = max;
    }
    if (lo == hi) return {lo, 0, 1};
    if (includeZero) {
        if (lo > 0) lo = 0;
        else if (hi < 0) hi = 0;
    }
    const int n = clampTicks(maxTicks);
    const double range = hi - lo;
    const double mag = std::max(std::fabs(lo), std::fabs(hi));
    if (!std::isfinite(lo) || !std::isfinite(hi) || !std::isfinite(range)) return evenTicks(lo, hi, n);
    if (range < std::max(kEps * mag, kTinyRange)) return {lo, range / (n - 1), static_cast<double>(n)};
    Ticks t;
    if (searchTicks(lo, hi, includeZero, maxTicks, fineFill(fillFine), coarseFill(fillCoarse), kCoarseCuts, 4,
                    kFineCuts, 4, false, t))
        return t;
    return evenTicks(lo, hi, n);
}

ZxAxis::IntegerTicks ZxAxis::ziaxis(double min, double max, bool /*flag*/, bool includeZero, int maxTicks,
                                    double fillFine, double fillCoarse) {
    if (!(std::fabs(min) <= kMaxExactInteger) || !(std::fabs(max) <= kMaxExactInteger)) return {0, 0, 0};
    double lo = std::floor(std::min(min, max)), hi = std::ceil(std::max(min, max));
    if (lo == hi) return {toInt64(lo), 0, 1};
    if (includeZero) {
        if (lo > 0) lo = 0;
        else if (hi < 0) hi = 0;
    }
    const double range = hi - lo;
    if (range < 10 && maxTicks >= range + 1) return {toInt64(lo), 1, toInt64(range + 1)};
    const int n = clampTicks(maxTicks);
    Ticks t;
    if (searchTicks(lo, hi, includeZero, maxTicks, fineFill(fillFine), coarseFill(fillCoarse), kIntegerCuts, 4,
                    kIntegerCuts, 4, true, t))
        return {toInt64(t.first), toInt64(t.step), toInt64(t.count)};
    double step = std::max(1.0, std::ceil(range / (n - 1)));
    return {toInt64(lo), toInt64(step), n};
}

ZxAxis::Ticks ZxAxis::noRange(double min, double max, bool /*flag*/, int maxTicks) {
    int n = clampTicks(maxTicks);
    return {min, (max - min) / (n - 1), static_cast<double>(n)};
}

// ================================================================== logarithmic

namespace {
// Exponent of a value in a base (exact for powers of ten in base 10).
double logIn(double value, double base) { return base == 10 ? std::log10(value) : std::log(value) / std::log(base); }

// Floor and ceiling that forgive the rounding of a logarithm: 2.9999999999999996
// counts as 3.
double tolerantFloor(double x) { return std::floor(x + 1e-9 * std::max(1.0, std::fabs(x))); }
double tolerantCeil(double x) { return std::ceil(x - 1e-9 * std::max(1.0, std::fabs(x))); }

// Puts majors in ascending order of value (a base below 1 reverses them) and
// drops repeated values (exponents closer than the precision of a double).
void sortMajors(LogarithmTickmarks& t) {
    std::vector<std::pair<double, double>> pairs;
    for (size_t i = 0; i < t.majorValues->size(); ++i) pairs.emplace_back((*t.majorValues)[i], (*t.majorExponents)[i]);
    std::sort(pairs.begin(), pairs.end());
    t.majorValues->clear();
    t.majorExponents->clear();
    t.majorRange = LogarithmTickmarks::ValueRange();
    for (auto& [v, e] : pairs)
        if (t.majorValues->empty() || t.majorValues->back() != v) t.addMajor(e, v);
}

void addMajorIfRepresentable(LogarithmTickmarks& t, double exponent, double base) {
    double v = std::pow(base, exponent);
    if (std::isfinite(v) && v > 0) t.addMajor(exponent, v);
}

void finishMinors(LogarithmTickmarks& t) {
    std::vector<double>& m = *t.minorValues;
    std::sort(m.begin(), m.end());
    m.erase(std::unique(m.begin(), m.end()), m.end());
    t.minorRange = LogarithmTickmarks::ValueRange();
    for (double v : m) t.minorRange.include(v);
}
} // namespace

std::shared_ptr<LogarithmTickmarks> ZxAxis::zlogaxis(double min, double max, double base, int maxTicks,
                                                     double fillFine, double fillCoarse, bool wantMinor, bool uniform,
                                                     int minorCount) {
    auto t = LogarithmTickmarks::create();
    if (!(min > 0) || !(max > 0) || !(base > 0)) return t;
    if (!std::isfinite(min) || !std::isfinite(max) || !std::isfinite(base) || base == 1) return t;
    if (min > max) std::swap(min, max);
    if (uniform)
        zlogaxis_uniform(*t, min, max, base, maxTicks, fillFine, fillCoarse);
    else
        zlogaxis_log(*t, min, max, base, maxTicks, fillFine, fillCoarse);
    if (wantMinor && t->getMajorCount() >= 2) {
        if (uniform)
            zlogaxis_minor_uniform(*t);
        else if (base == 10) {
            if (minorCount < 0)
                zlogaxis_minor_10(*t, min, max);
            else
                zlogaxis_user_minor_10(*t, minorCount, min, max);
        }
    }
    return t;
}

void ZxAxis::zlogaxis_log(LogarithmTickmarks& t, double min, double max, double base, int maxTicks,
                          double /*fillFine*/, double fillCoarse) {
    if (!(min > 0) || !(max > 0) || !(base > 0) || base == 1 || !std::isfinite(min) || !std::isfinite(max) ||
        !std::isfinite(base))
        return;
    double la = logIn(min, base), lb = logIn(max, base);
    double lowE = std::min(la, lb), highE = std::max(la, lb);
    double e0 = tolerantFloor(lowE), e1 = tolerantCeil(highE);
    if (e1 < e0) e1 = e0;
    double d = e1 - e0;
    double step = 1, count = d + 1;
    double limit = maxTicks >= 3 ? std::min<double>(maxTicks, kMaxLogMajors) : kMaxLogMajors;
    if ((maxTicks >= 3 && d >= maxTicks) || d >= limit) {
        step = std::ceil(d / (limit - 1));
        count = std::ceil(d / step) + 1;
    }
    for (double i = count - 1; i >= 0; --i) addMajorIfRepresentable(t, e1 - i * step, base);
    // Trim an outer major whose interval the data barely enters (less than
    // 1 - fillCoarse of it): the axis then ends at the data instead. At least
    // two majors stay.
    const double threshold = 1 - coarseFill(fillCoarse);
    auto& ex = *t.majorExponents;
    if (ex.size() >= 3 && (ex[1] - lowE) / (ex[1] - ex[0]) < threshold) t.removeMajor(0);
    if (ex.size() >= 3) {
        size_t k = ex.size() - 1;
        if ((highE - ex[k - 1]) / (ex[k] - ex[k - 1]) < threshold) t.removeMajor(k);
    }
    sortMajors(t);
}

void ZxAxis::zlogaxis_uniform(LogarithmTickmarks& t, double min, double max, double base, int maxTicks,
                              double fillFine, double fillCoarse) {
    if (!(min > 0) || !(max > 0) || !(base > 0) || base == 1 || !std::isfinite(min) || !std::isfinite(max) ||
        !std::isfinite(base))
        return;
    Ticks e = znaxis(logIn(min, base), logIn(max, base), false, false, maxTicks, fillFine, fillCoarse);
    double count = std::min(e.count, kMaxLogMajors);
    for (double i = 0; i < count; ++i) addMajorIfRepresentable(t, e.first + i * e.step, base);
    sortMajors(t);
}

void ZxAxis::zlogaxis_minor_10(LogarithmTickmarks& t, double min, double max) {
    const auto& ex = *t.majorExponents;
    const auto& mv = *t.majorValues;
    if (ex.size() < 2) return;
    double step = ex[1] - ex[0];
    if (step != std::floor(step) || step < 1 || step > 10) return;
    // Minors inside the majors, and beyond them as far as the data reaches.
    double lo = std::min(min, mv.front()), hi = std::max(max, mv.back());
    auto add = [&](double v) {
        if (std::isfinite(v) && v > 0 && v >= lo && v <= hi) t.addMinor(v);
    };
    for (size_t i = 0; i <= ex.size(); ++i) {
        double e = i < ex.size() ? ex[i] - step : ex.back();  // the interval below each major, then above the last
        if (step == 1) {
            double p = std::pow(10.0, e);
            for (int k = 2; k <= 9; ++k) add(k * p);
        } else {
            for (double j = 1; j < step; ++j) add(std::pow(10.0, e + j));
        }
    }
    finishMinors(t);
}

void ZxAxis::zlogaxis_user_minor_10(LogarithmTickmarks& t, int minorCount, double min, double max) {
    const auto& ex = *t.majorExponents;
    const auto& mv = *t.majorValues;
    if (ex.size() < 2 || minorCount <= 0) return;
    const int n = std::min(minorCount, kMaxUserMinors);
    const double ratio = std::pow(10.0, std::round(ex[1] - ex[0]));
    auto fillInterval = [&](double a, double b, double lo, double hi) {
        double spacing = (b - a) / (n + 1);
        for (int j = 1; j <= n; ++j) {
            double v = a + j * spacing;
            if (std::isfinite(v) && v >= lo && v <= hi) t.addMinor(v);
        }
    };
    const double inf = std::numeric_limits<double>::infinity();
    fillInterval(mv.front() / ratio, mv.front(), min, inf);
    for (size_t i = 0; i + 1 < mv.size(); ++i) fillInterval(mv[i], mv[i + 1], -inf, inf);
    fillInterval(mv.back(), mv.back() * ratio, -inf, max);
    finishMinors(t);
}

void ZxAxis::zlogaxis_minor_uniform(LogarithmTickmarks& t) {
    const auto& mv = *t.majorValues;
    for (size_t i = 0; i + 1 < mv.size(); ++i) t.addMinor(mv[i] / 2 + mv[i + 1] / 2);
    finishMinors(t);
}

// ==================================================================== stepping

double ZxAxis::getBeginingOfNextPeriodAfterStartValue(const TimeInterval& iv, double start, double steps) {
    start = std::floor(start + 1e-12);
    steps = std::floor(steps + 1e-12);
    const int code = iv.intervalCode;
    double result;
    if (code == C::OBS) {
        if (iv.valueKind != 3) return kNaN;
        double m = iv.effectiveMultiple();
        result = m == 1 ? start + steps : std::floor(start / m) * m + steps * m;
    } else if (code < C::DAY) {
        if (iv.valueKind != 1) return kNaN;
        double unit = timeUnit(code);
        if (unit == 0) {
            ORVANE_LOG(CLog::ERRORS, kSource,
                       formatMessage("getBeginingOfNextPeriodAfterStartValue: bad intervalConstant=%i", code));
            return kNaN;
        }
        double p, o;
        timePeriod(iv, unit, p, o);
        result = (std::floor((start + o) / p) + steps) * p - o;
    } else {
        if (iv.valueKind != 1 && iv.valueKind != 2) return kNaN;
        if (!Cal::isCalendarCode(code)) {
            ORVANE_LOG(CLog::ERRORS, kSource,
                       formatMessage("getBeginingOfNextPeriodAfterStartValue: yearbase: bad intervalConstant=%i", code));
            return kNaN;
        }
        int64_t day, index, boundary;
        if (!toValidDay(iv, start, day) || !(std::fabs(steps) <= kMaxCalendarSteps)) return kNaN;
        if (!Cal::periodIndex(iv, day, index) ||
            !Cal::periodStart(iv, index + static_cast<int64_t>(steps), boundary) || !Cal::isValidDay(boundary))
            return kNaN;
        result = iv.valueKind == 1 ? static_cast<double>(boundary) * Cal::SECONDS_PER_DAY : static_cast<double>(boundary);
    }
    return std::isfinite(result) ? result : kNaN;
}

double ZxAxis::getBeginingOfNextPeriodAfterStartValue(const std::shared_ptr<const TimeInterval>& iv, double start,
                                                      double steps) {
    return iv ? getBeginingOfNextPeriodAfterStartValue(*iv, start, steps) : kNaN;
}

double ZxAxis::getNumberOfIntervalBoundaries(const TimeInterval& iv, double a, double b) {
    a = std::floor(a);
    b = std::floor(b);
    const int code = iv.intervalCode;
    double result;
    if (code == C::OBS) {
        if (iv.valueKind != 3) return kNaN;
        double m = iv.effectiveMultiple();
        result = std::floor(b / m) - std::floor(a / m);
    } else if (code < C::DAY) {
        if (iv.valueKind != 1) return kNaN;
        double unit = timeUnit(code);
        if (unit == 0) {
            ORVANE_LOG(CLog::ERRORS, kSource, formatMessage("getNumberOfIntervalBoundaries: bad intervalConstant=%i", code));
            return kNaN;
        }
        double p, o;
        timePeriod(iv, unit, p, o);
        result = p == 1 ? b - a : std::floor((b + o) / p) - std::floor((a + o) / p);
    } else {
        if (iv.valueKind != 1 && iv.valueKind != 2) return kNaN;
        if (!Cal::isCalendarCode(code)) {
            ORVANE_LOG(CLog::ERRORS, kSource,
                       formatMessage("getNumberOfIntervalBoundaries: invalid intervalConstant=%i", code));
            return kNaN;
        }
        int64_t da, db, ia, ib;
        if (!toValidDay(iv, a, da) || !toValidDay(iv, b, db)) return kNaN;
        if (!Cal::periodIndex(iv, da, ia) || !Cal::periodIndex(iv, db, ib)) return kNaN;
        result = static_cast<double>(ib - ia);
    }
    return std::isfinite(result) ? result : kNaN;
}

double ZxAxis::getNumberOfIntervalBoundaries(const std::shared_ptr<const TimeInterval>& iv, double a, double b) {
    return iv ? getNumberOfIntervalBoundaries(*iv, a, b) : kNaN;
}

double ZxAxis::zintcl(const TimeInterval& iv, double value) {
    double start = getBeginingOfNextPeriodAfterStartValue(iv, value, 0);
    if (std::isnan(start)) return kNaN;
    return start == value ? value : getBeginingOfNextPeriodAfterStartValue(iv, value, 1);
}

// ================================================================== time axes

bool ZxAxis::loadOuterIntervalDefinitionGivenCurrentInterval(const TimeInterval& current, TimeInterval& out) {
    const int multiple = current.effectiveMultiple();
    for (const IntervalDefinition& e : IntervalDefinition::ladder()) {
        if (e.innerCode < current.intervalCode) continue;
        if (e.innerCode > current.intervalCode) return false;
        bool matches = e.largestInnerMultiple == IntervalDefinition::ANY_MULTIPLE ||
                       e.largestInnerMultiple == IntervalDefinition::END_OF_LADDER ||
                       e.largestInnerMultiple >= multiple;
        if (!matches) continue;
        if (e.largestInnerMultiple == IntervalDefinition::END_OF_LADDER) return false;
        out = *e.interval;
        out.valueKind = current.valueKind;
        return true;
    }
    return false;
}

bool ZxAxis::computeMajorTickmarkIntervalAndFormat(TimeInterval& iv, double min, double max, int maxTicks,
                                                   TimeInterval& scratch, bool wide, std::string* format) {
    double first = getBeginingOfNextPeriodAfterStartValue(iv, min, 0);
    double last = zintcl(iv, max);
    if (std::isnan(first) || std::isnan(last)) return false;
    // Each round moves one rung up the ladder, which has fewer rungs than this.
    for (size_t round = 0; round <= IntervalDefinition::ladder().size(); ++round) {
        double boundaries = getNumberOfIntervalBoundaries(iv, first, last);
        if (std::isnan(boundaries)) return false;
        if (std::trunc(boundaries + 1) <= maxTicks) {
            if (format) *format = zintfmt(iv, wide);
            return true;
        }
        if (maxTicks < 2 && iv.intervalCode > 59) return false;
        if (!loadOuterIntervalDefinitionGivenCurrentInterval(iv, scratch)) return false;
        iv = scratch;
        first = getBeginingOfNextPeriodAfterStartValue(iv, min, 0);
        last = zintcl(iv, max);
        if (std::isnan(first) || std::isnan(last)) return false;
    }
    return false;
}

int ZxAxis::getSmallestPrimeFactor(int value) {
    if (value <= 1) return 1;
    for (int p : kSmallPrimes)
        if (value % p == 0) return p;
    return value;
}

std::shared_ptr<TimeInterval> ZxAxis::getMinorIntervals(const TimeInterval& major) {
    auto minor = TimeInterval::create();
    minor->valueKind = major.valueKind;
    minor->weekendDays = major.weekendDays;
    const int m = major.effectiveMultiple();
    const int sh = major.shiftOffset();
    const int code = major.intervalCode;
    if (m > 1 && steppable(code)) {
        minor->intervalCode = major.intervalCode;
        minor->multiple = m / getSmallestPrimeFactor(m);
        minor->shift = shiftWithin(sh, shiftUnitsPerPeriod(code, minor->multiple));
        return minor;
    }
    switch (code) {
    case C::YEAR:
    case C::SEMIYEAR:
        minor->intervalCode = C::QTR;
        minor->shift = shiftWithin(sh, 3);
        break;
    case C::QTR: minor->intervalCode = C::MONTH; break;
    case C::MONTH: minor->intervalCode = C::SEMIMONTH; break;
    case C::SEMIMONTH:
    case C::TENDAY:
    case C::WEEK: minor->intervalCode = C::DAY; break;
    case C::DAY:
        if (major.valueKind == 1) {
            minor->intervalCode = C::HOUR;
            minor->multiple = 6;
        }
        break;
    case C::HOUR:
        minor->intervalCode = C::MINUTE;
        minor->multiple = 15;
        break;
    case C::MINUTE:
        minor->intervalCode = C::SECOND;
        minor->multiple = 15;
        break;
    default: break;  // seconds, weekdays and observations have no finer unit
    }
    return minor;
}

bool ZxAxis::ztaxis2(const TimeInterval& major, const TimeInterval& minor, double min, double max, TimeTicks& result) {
    if (!steppable(major.intervalCode)) {
        ORVANE_LOG(CLog::ERRORS, kSource, "ztaxis2: invalid axis interval code");
        return false;
    }
    if (min > max) std::swap(min, max);
    double first = getBeginingOfNextPeriodAfterStartValue(major, min, 0);
    double last = zintcl(major, max);
    if (std::isnan(first) || std::isnan(last)) return false;
    double n = getNumberOfIntervalBoundaries(major, first, last);
    if (!(n >= 0 && n < static_cast<double>(kMaxTimeMajors))) return false;
    result.first = first;
    result.last = last;
    result.majorValues.clear();
    result.minorValues.clear();
    for (double i = 0; i <= n; ++i) {
        double v = getBeginingOfNextPeriodAfterStartValue(major, first, i);
        if (std::isnan(v)) return false;
        result.majorValues.push_back(v);
    }
    if (!steppable(minor.intervalCode)) return true;
    const auto& majors = result.majorValues;
    for (size_t i = 0; i + 1 < majors.size(); ++i) {
        for (int j = 1; j <= kMaxMinorsPerMajor; ++j) {
            double v = getBeginingOfNextPeriodAfterStartValue(minor, majors[i], j);
            if (std::isnan(v) || v >= majors[i + 1]) break;
            if (v > majors[i]) result.minorValues.push_back(v);
        }
    }
    return true;
}

bool ZxAxis::_intervalForFormatter(const std::shared_ptr<const Formatter>& formatter, TimeInterval& out,
                                   std::string& englishName) {
    englishName.clear();
    if (!formatter) return false;
    englishName = englishFormatNameForFormatName(formatter->getName());
    std::string name;
    auto startsWith = [&](const char* p) { return englishName.rfind(p, 0) == 0; };
    if (startsWith("DTYEAR"))
        name = "DTYEAR";
    else if (startsWith("DTSEMIYEAR"))
        name = "DTSEMIYEAR";
    else if (startsWith("DTYYQC"))
        name = "DTQTR";
    else if (startsWith("DTMONYY"))
        name = "DTMONTH";
    else {
        TimeInterval direct;
        if (!englishName.empty() && direct.setFromName(englishName) && direct.intervalCode != C::NONE)
            name = englishName;
        else if (const char* mapped = intervalNameForFormat(englishName))
            name = mapped;
    }
    if (name.empty()) return false;
    out = TimeInterval();
    out.setFromName(name);
    if (out.valueKind == 0) {
        if (formatter->formatsDateValues())
            out.valueKind = 2;
        else if (formatter->formatsDateTimeValues() || formatter->formatsTimeValues())
            out.valueKind = 1;
        else
            out.valueKind = out.intervalCode >= C::DAY ? 2 : 1;
    }
    return true;
}

ZxAxis::TimeTicks ZxAxis::ztaxis(const std::shared_ptr<TimeInterval>& interval, double min, double max, int maxTicks,
                                 bool wide, const std::shared_ptr<const Formatter>& formatter) {
    static const char* const kOutOfRange = "ZxAxis : Minimum value or maximum value is out of range.";
    TimeTicks result;
    auto work = interval ? interval->clone() : TimeInterval::create();
    if (min > max) std::swap(min, max);
    if (formatter ? !isValidDateTime({min, max}, formatter) : !valuesValidForKind(min, max, work->valueKind))
        throw std::runtime_error(kOutOfRange);
    if (work->intervalCode == C::NONE) {
        TimeInterval derived;
        std::string english;
        if (!_intervalForFormatter(formatter, derived, english)) {
            ORVANE_LOG(CLog::ERRORS, kSource, "ZxAxis : " + english + " not recognized as a DateTime format.");
            throw std::runtime_error("Bad DateTime format");
        }
        derived.userValue1 = work->userValue1;
        derived.userValue2 = work->userValue2;
        if (work->valueKind != 0) derived.valueKind = work->valueKind;
        *work = derived;
    }
    if (work->valueKind == 0) {
        if (formatter && formatter->formatsDateValues())
            work->valueKind = 2;
        else if (formatter && (formatter->formatsDateTimeValues() || formatter->formatsTimeValues()))
            work->valueKind = 1;
        else
            work->valueKind = work->intervalCode == C::OBS ? 3 : work->intervalCode >= C::DAY ? 2 : 1;
    }
    if (!formatter && !valuesValidForKind(min, max, work->valueKind)) throw std::runtime_error(kOutOfRange);

    TimeInterval scratch;
    result.found = computeMajorTickmarkIntervalAndFormat(*work, min, max, maxTicks, scratch, wide, nullptr);
    result.major = work;
    if (formatter && formatter->formatsTimeValues()) {
        std::string name = englishFormatNameForFormatName(formatter->getName());
        result.format = name.find("AMPM") != std::string::npos ? zintfmm2(*work) : zintfmm(*work);
    } else {
        result.format = zintfmt(*work, wide);
    }
    result.minor = getMinorIntervals(*work);
    if (result.found) result.found = ztaxis2(*work, *result.minor, min, max, result);
    if (interval) *interval = *work;
    return result;
}

// ===================================================================== formats

std::string ZxAxis::zintfmt(const TimeInterval& iv, bool wide) {
    const int code = iv.intervalCode;
    if (code == C::NONE) return "";
    if (iv.valueKind == 3 || iv.valueKind == 4) return "BEST12";
    const bool date = iv.valueKind == 2;
    const bool unshifted = iv.shift < 2;
    auto pick = [wide](const char* w, const char* n) { return std::string(wide ? w : n); };
    auto pair = [&](const char* dw, const char* dn, const char* tw, const char* tn) {
        return date ? pick(dw, dn) : pick(tw, tn);
    };
    switch (code) {
    case C::SECOND: return "DATETIME16";
    case C::MINUTE: return unshifted ? "DATETIME13" : "DATETIME16";
    case C::HOUR: return unshifted ? "DATETIME10" : "DATETIME13";
    case C::DAY:
    case C::WEEKDAY:
    case C::TENDAY:
    case C::SEMIMONTH: return pair("DATE9", "DATE7", "DTDATE9", "DTDATE7");
    case C::WEEK: return pair("WEEKDATX28", "WEEKDATX27", "DTWKDATX28", "DTWKDATX27");
    case C::MONTH:
    case C::SEMIYEAR: return pair("MONYY7", "MONYY5", "DTMONYY7", "DTMONYY5");
    case C::QTR:
        return unshifted ? pair("YYQC6", "YYQC4", "DTYYQC6", "DTYYQC4") : pair("MONYY7", "MONYY5", "DTMONYY7", "DTMONYY5");
    case C::YEAR:
        return unshifted ? pair("YEAR4", "YEAR2", "DTYEAR4", "DTYEAR2") : pair("MONYY7", "MONYY5", "DTMONYY7", "DTMONYY5");
    default: return date ? pick("DATE9", "DATE7") : "DATETIME16";
    }
}

std::string ZxAxis::zintfmt(const std::shared_ptr<const TimeInterval>& iv, bool wide) {
    return iv ? zintfmt(*iv, wide) : std::string();
}

namespace {
std::string timeOfDayFormat(const TimeInterval& iv, const char* base) {
    if (iv.intervalCode == C::NONE) return "";
    if (iv.valueKind == 3 || iv.valueKind == 4) return "BEST12";
    bool seconds = iv.intervalCode == C::SECOND && (iv.effectiveMultiple() % 60 != 0 || iv.shiftOffset() % 60 != 0);
    return std::string(base) + (seconds ? "8" : "5");
}
} // namespace

std::string ZxAxis::zintfmm(const TimeInterval& iv) { return timeOfDayFormat(iv, "TIME"); }
std::string ZxAxis::zintfmm2(const TimeInterval& iv) { return timeOfDayFormat(iv, "TIMEAMPM"); }

std::string ZxAxis::englishFormatNameForFormatName(const std::string& formatName) {
    auto conversion = DateFormatNameConversion::create(std::make_shared<const std::string>(formatName));
    return *conversion->getEnglishFormatName();
}

bool ZxAxis::isValidDateTime(const std::vector<double>& values, const std::shared_ptr<const Formatter>& formatter) {
    int kind = 0;
    if (formatter && formatter->formatsDateValues())
        kind = 2;
    else if (formatter && (formatter->formatsDateTimeValues() || formatter->formatsTimeValues()))
        kind = 1;
    for (double v : values)
        if (!valuesValidForKind(v, v, kind)) return false;
    return true;
}

std::pair<double, double> ZxAxis::getClosestDates(double value, const std::shared_ptr<const Formatter>& formatter) {
    TimeInterval iv;
    std::string english;
    if (!_intervalForFormatter(formatter, iv, english) || !isValidDateTime({value}, formatter)) return {kNaN, kNaN};
    double below = getBeginingOfNextPeriodAfterStartValue(iv, value, 0);
    if (std::isnan(below)) return {kNaN, kNaN};
    double above = below == value ? value : getBeginingOfNextPeriodAfterStartValue(iv, value, 1);
    return {below, above};
}

// ==================================================================== calendar

int64_t ZxAxis::ziddmdy(int month, int day, int year) {
    int64_t y = year;
    if (y >= 0 && y < 20)
        y += 2000;
    else if (y >= 20 && y <= 99)
        y += 1900;
    return Cal::dayNumber(y, month, day);
}

ZxAxis::MonthDayYear ZxAxis::zidmdyd(int64_t day) {
    Cal::Date d = Cal::dateOfDay(day);
    return {d.month, d.day, static_cast<int>(d.year)};
}

bool ZxAxis::LEAPYEAR(int64_t year) { return Cal::isLeapYear(year); }
int64_t ZxAxis::NLEAP(int64_t year) { return Cal::leapYearsBefore(year); }
int64_t ZxAxis::ldiv(int64_t a, int64_t b) { return Cal::floorDiv(a, b); }
int64_t ZxAxis::lmod(int64_t a, int64_t b) { return Cal::floorMod(a, b); }

} // namespace orvane
