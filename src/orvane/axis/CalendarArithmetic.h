// SPDX-License-Identifier: Apache-2.0
#pragma once
#include "orvane/OrvaneExport.h"
#include "orvane/axis/TimeInterval.h"

#include <cstdint>

namespace orvane {

/// Gregorian calendar arithmetic over day numbers counted from 1 January 1960
/// (day 0), and the periods of the day-based and calendar interval units
/// (DAY, WEEKDAY, WEEK, TENDAY, SEMIMONTH, MONTH, QTR, SEMIYEAR, YEAR).
///
/// Every period of an interval has an index; consecutive periods have
/// consecutive indexes, so stepping is index arithmetic and the number of
/// period boundaries between two days is the difference of their indexes.
/// Periods of several units are aligned on 1 January 1960 (weeks on Sunday
/// 27 December 1959), then moved by the interval's shift.
class ORVANE_EXPORT CalendarArithmetic {
public:
    static constexpr int64_t FIRST_VALID_DAY = -138061;  ///< 1 January 1582
    static constexpr int64_t LAST_VALID_DAY = 6589335;   ///< 26 December 20000
    static constexpr int64_t SECONDS_PER_DAY = 86400;

    static const int DAYS_IN_MONTH[12];
    static const int DAYS_BEFORE_MONTH[12];

    struct Date {
        int64_t year = 0;
        int month = 0;  ///< 1..12
        int day = 0;    ///< 1..31
    };

    static bool isLeapYear(int64_t year);
    /// Number of leap years before a year (over the proleptic calendar).
    static int64_t leapYearsBefore(int64_t year);
    static int daysInMonth(int64_t year, int month);
    /// Floor division and its non-negative remainder (for a positive divisor);
    /// a zero divisor gives 0.
    static int64_t floorDiv(int64_t a, int64_t b);
    static int64_t floorMod(int64_t a, int64_t b);

    /// The day number of a date, by the leap-year count formula. Months outside
    /// 1..12 carry into the year; days outside the month roll over. Years are
    /// taken as written (no two-digit years). Years beyond +-100000000 give 0
    /// with ok = false.
    static int64_t dayNumber(int64_t year, int64_t month, int64_t day, bool* ok = nullptr);
    /// The date of a day number (an independent civil-from-days computation).
    /// Days beyond +-700000000000 give a zero date.
    static Date dateOfDay(int64_t day);
    /// 0 = Sunday ... 6 = Saturday; day 0 was a Friday.
    static int dayOfWeek(int64_t day);

    static bool isValidDay(double day) { return day >= FIRST_VALID_DAY && day <= LAST_VALID_DAY; }

    /// True for the codes these periods cover (25 and above).
    static bool isCalendarCode(int code);
    /// The index of the period holding a day. False for codes that are not
    /// calendar codes and for a WEEKDAY interval whose every day is a weekend day.
    static bool periodIndex(const TimeInterval& interval, int64_t day, int64_t& index);
    /// The first day of the period with an index (false as above).
    static bool periodStart(const TimeInterval& interval, int64_t index, int64_t& day);
};

} // namespace orvane
