// SPDX-License-Identifier: Apache-2.0
#include "orvane/axis/CalendarArithmetic.h"

#include <cstdlib>
#include <limits>

namespace orvane {

const int CalendarArithmetic::DAYS_IN_MONTH[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
const int CalendarArithmetic::DAYS_BEFORE_MONTH[12] = {0, 31, 59, 90, 120, 151, 181, 212, 243, 273, 304, 334};

namespace {
using C = IntervalConstants;

// Month index of January 1960: periods counted in months are aligned on it.
constexpr int64_t kEpochYear = 1960;
// Sunday 27 December 1959: weeks and weekday counts are aligned on it.
constexpr int64_t kWeekAnchor = -5;
constexpr int64_t kMaxYear = 100000000;

// Months per unit of the month-based codes.
int64_t monthsPerUnit(int code) {
    switch (code) {
    case C::MONTH: return 1;
    case C::QTR: return 3;
    case C::SEMIYEAR: return 6;
    case C::YEAR: return 12;
    default: return 0;
    }
}

// The working days of a weekday interval: their count, the position of each
// in the week (0 = Sunday), and for each day of the week the number of working
// days up to and including it.
struct WorkWeek {
    int count = 0;
    int position[7] = {};
    int upTo[7] = {};
};

WorkWeek workWeek(const TimeInterval& iv) {
    WorkWeek w;
    for (int d = 0; d < 7; ++d) {
        if (!iv.weekendDays[static_cast<size_t>(d)]) w.position[w.count++] = d;
        w.upTo[d] = w.count;
    }
    return w;
}
} // namespace

bool CalendarArithmetic::isLeapYear(int64_t y) { return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0; }

int64_t CalendarArithmetic::leapYearsBefore(int64_t y) {
    // floor((y - 1) / k) without forming y - 1, which overflows for the
    // smallest year: one less than floor(y / k) when k divides y.
    auto before = [y](int64_t k) { return floorDiv(y, k) - (y % k == 0 ? 1 : 0); };
    return before(4) - before(100) + before(400);
}

int CalendarArithmetic::daysInMonth(int64_t year, int month) {
    if (month < 1 || month > 12) return 0;
    return month == 2 && isLeapYear(year) ? 29 : DAYS_IN_MONTH[month - 1];
}

int64_t CalendarArithmetic::floorDiv(int64_t a, int64_t b) {
    if (b == 0) return 0;
    if (b == -1) return a == std::numeric_limits<int64_t>::min() ? std::numeric_limits<int64_t>::max() : -a;
    int64_t q = a / b;
    if ((a % b != 0) && ((a < 0) != (b < 0))) --q;
    return q;
}

int64_t CalendarArithmetic::floorMod(int64_t a, int64_t b) {
    if (b == 0 || b == -1) return 0;
    int64_t r = a % b;
    if (r != 0 && ((r < 0) != (b < 0))) r += b;
    return r;
}

int64_t CalendarArithmetic::dayNumber(int64_t year, int64_t month, int64_t day, bool* ok) {
    if (ok) *ok = false;
    if (year > kMaxYear || year < -kMaxYear || month > 1200000000 || month < -1200000000 || day > 1000000000000 ||
        day < -1000000000000)
        return 0;
    year += floorDiv(month - 1, 12);
    month = floorMod(month - 1, 12) + 1;
    if (year > kMaxYear || year < -kMaxYear) return 0;
    if (ok) *ok = true;
    return day + 365 * year + leapYearsBefore(year) + DAYS_BEFORE_MONTH[month - 1] +
           (month >= 3 && isLeapYear(year) ? 1 : 0) - 715875;
}

CalendarArithmetic::Date CalendarArithmetic::dateOfDay(int64_t day) {
    if (day > 700000000000 || day < -700000000000) return {};
    // Days since 1 March of year 0 in 400-year eras of 146097 days.
    int64_t z = day + 715815;  // 1 January 1960 is day 715815 counted from 1 March of year 0
    int64_t era = floorDiv(z, 146097);
    int64_t doe = z - era * 146097;                                      // [0, 146096]
    int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;  // [0, 399]
    int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);               // [0, 365]
    int64_t mp = (5 * doy + 2) / 153;                                    // [0, 11], March = 0
    Date d;
    d.day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    d.month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    d.year = yoe + era * 400 + (d.month <= 2 ? 1 : 0);
    return d;
}

int CalendarArithmetic::dayOfWeek(int64_t day) { return static_cast<int>(floorMod(day + 5, 7)); }

bool CalendarArithmetic::isCalendarCode(int code) {
    switch (code) {
    case C::DAY: case C::WEEKDAY: case C::WEEK: case C::TENDAY: case C::SEMIMONTH:
    case C::MONTH: case C::QTR: case C::SEMIYEAR: case C::YEAR:
        return true;
    default:
        return false;
    }
}

bool CalendarArithmetic::periodIndex(const TimeInterval& iv, int64_t day, int64_t& index) {
    const int64_t m = iv.effectiveMultiple();
    const int64_t sh = iv.shiftOffset();
    switch (iv.intervalCode) {
    case C::DAY:
        index = floorDiv(day - sh, m);
        return true;
    case C::WEEK:
        index = floorDiv(day - kWeekAnchor - sh, 7 * m);
        return true;
    case C::WEEKDAY: {
        WorkWeek w = workWeek(iv);
        if (w.count == 0) return false;
        int64_t rel = day - kWeekAnchor;
        // Ordinal of the last working day on or before the day: a weekend day
        // belongs to the period of the working day before it.
        int64_t ordinal = floorDiv(rel, 7) * w.count + w.upTo[floorMod(rel, 7)] - 1;
        index = floorDiv(ordinal - sh, m);
        return true;
    }
    case C::TENDAY:
    case C::SEMIMONTH: {
        Date d = dateOfDay(day);
        int64_t month = 12 * (d.year - kEpochYear) + (d.month - 1);
        int64_t part = iv.intervalCode == C::TENDAY ? (d.day <= 10 ? 0 : d.day <= 20 ? 1 : 2) : (d.day <= 15 ? 0 : 1);
        int64_t perMonth = iv.intervalCode == C::TENDAY ? 3 : 2;
        index = floorDiv(month * perMonth + part - sh, m);
        return true;
    }
    case C::MONTH:
    case C::QTR:
    case C::SEMIYEAR:
    case C::YEAR: {
        Date d = dateOfDay(day);
        int64_t month = 12 * (d.year - kEpochYear) + (d.month - 1);
        index = floorDiv(month - sh, m * monthsPerUnit(iv.intervalCode));
        return true;
    }
    default:
        return false;
    }
}

bool CalendarArithmetic::periodStart(const TimeInterval& iv, int64_t index, int64_t& day) {
    const int64_t m = iv.effectiveMultiple();
    const int64_t sh = iv.shiftOffset();
    bool ok = true;
    switch (iv.intervalCode) {
    case C::DAY:
        day = index * m + sh;
        return true;
    case C::WEEK:
        day = index * 7 * m + sh + kWeekAnchor;
        return true;
    case C::WEEKDAY: {
        WorkWeek w = workWeek(iv);
        if (w.count == 0) return false;
        int64_t ordinal = index * m + sh;
        day = kWeekAnchor + 7 * floorDiv(ordinal, w.count) + w.position[floorMod(ordinal, w.count)];
        return true;
    }
    case C::TENDAY:
    case C::SEMIMONTH: {
        int64_t perMonth = iv.intervalCode == C::TENDAY ? 3 : 2;
        int64_t sub = index * m + sh;
        int64_t month = floorDiv(sub, perMonth);
        int64_t part = floorMod(sub, perMonth);
        int64_t firstDay = iv.intervalCode == C::TENDAY ? 1 + 10 * part : 1 + 15 * part;
        day = dayNumber(kEpochYear + floorDiv(month, 12), floorMod(month, 12) + 1, firstDay, &ok);
        return ok;
    }
    case C::MONTH:
    case C::QTR:
    case C::SEMIYEAR:
    case C::YEAR: {
        int64_t month = index * m * monthsPerUnit(iv.intervalCode) + sh;
        day = dayNumber(kEpochYear + floorDiv(month, 12), floorMod(month, 12) + 1, 1, &ok);
        return ok;
    }
    default:
        return false;
    }
}

} // namespace orvane
