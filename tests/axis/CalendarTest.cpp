// SPDX-License-Identifier: Apache-2.0
#include "orvane/axis/CalendarArithmetic.h"
#include "orvane/axis/ZxAxis.h"

#include "AxisTestSupport.h"
#include "common/TestSupport.h"
#include "orvane/host/core/CLog.h"

#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <sstream>

using namespace orvane;
using C = IntervalConstants;
using test::interval;

namespace {
double step(const char* name, int kind, double start, double steps) {
    return ZxAxis::getBeginingOfNextPeriodAfterStartValue(interval(name, kind), start, steps);
}
double count(const char* name, int kind, double a, double b) {
    return ZxAxis::getNumberOfIntervalBoundaries(interval(name, kind), a, b);
}
} // namespace

TEST(Calendar, DayNumbersOfKnownDates) {
    EXPECT_EQ(ZxAxis::ziddmdy(1, 1, 60), 0);
    EXPECT_EQ(ZxAxis::ziddmdy(3, 1, 2000), 14670);
    EXPECT_EQ(ZxAxis::ziddmdy(12, 31, 1959), -1);
    EXPECT_EQ(ZxAxis::ziddmdy(2, 29, 1960), 59);
    EXPECT_EQ(ZxAxis::ziddmdy(3, 1, 1960), 60);
    EXPECT_EQ(ZxAxis::ziddmdy(1, 1, 1970), 3653);
    EXPECT_EQ(ZxAxis::ziddmdy(1, 1, 2000), 14610);
    EXPECT_EQ(ZxAxis::ziddmdy(1, 1, 0), 14610);    // two-digit years below 20 are 2000s
    EXPECT_EQ(ZxAxis::ziddmdy(1, 1, 19), 21550);
    EXPECT_EQ(ZxAxis::ziddmdy(1, 1, 20), -14610);  // from 20 on they are 1900s
    EXPECT_EQ(ZxAxis::ziddmdy(1, 1, 1582), CalendarArithmetic::FIRST_VALID_DAY);
    EXPECT_EQ(ZxAxis::ziddmdy(12, 26, 20000), CalendarArithmetic::LAST_VALID_DAY);
    // Months outside 1..12 carry into the year, days roll over.
    EXPECT_EQ(ZxAxis::ziddmdy(13, 1, 1999), 14610);
    EXPECT_EQ(ZxAxis::ziddmdy(0, 31, 2000), ZxAxis::ziddmdy(12, 31, 1999));
    EXPECT_EQ(ZxAxis::ziddmdy(2, 30, 2001), ZxAxis::ziddmdy(3, 2, 2001));

    EXPECT_TRUE(ZxAxis::LEAPYEAR(2000));
    EXPECT_TRUE(ZxAxis::LEAPYEAR(1960));
    EXPECT_FALSE(ZxAxis::LEAPYEAR(1900));
    EXPECT_FALSE(ZxAxis::LEAPYEAR(2001));
    EXPECT_EQ(ZxAxis::NLEAP(1960), 474);
    EXPECT_EQ(ZxAxis::NLEAP(1), 0);
    EXPECT_EQ(ZxAxis::ldiv(-7, 2), -4);
    EXPECT_EQ(ZxAxis::lmod(-7, 2), 1);
    EXPECT_EQ(ZxAxis::ldiv(7, 2), 3);
    EXPECT_EQ(ZxAxis::lmod(-14, 7), 0);
    EXPECT_EQ(ZxAxis::ldiv(5, 0), 0);
    EXPECT_EQ(ZxAxis::ldiv(INT64_MIN, -1), INT64_MAX);
}

TEST(Calendar, EveryValidDayRoundTrips) {
    // zidmdyd (civil-from-days) and ziddmdy (leap-year count) are independent
    // computations: each must undo the other over the whole valid range, and
    // consecutive days must advance the date by exactly one day.
    ZxAxis::MonthDayYear previous = ZxAxis::zidmdyd(CalendarArithmetic::FIRST_VALID_DAY - 1);
    int64_t failures = 0;
    for (int64_t d = CalendarArithmetic::FIRST_VALID_DAY; d <= CalendarArithmetic::LAST_VALID_DAY; ++d) {
        ZxAxis::MonthDayYear md = ZxAxis::zidmdyd(d);
        bool ok = ZxAxis::ziddmdy(md.month, md.day, md.year) == d;
        bool next = (md.day == previous.day + 1 && md.month == previous.month && md.year == previous.year) ||
                    (md.day == 1 && ((md.month == previous.month + 1 && md.year == previous.year) ||
                                     (md.month == 1 && previous.month == 12 && md.year == previous.year + 1)));
        if (!ok || !next) {
            if (++failures < 5) ADD_FAILURE() << "day " << d << " -> " << md.month << "/" << md.day << "/" << md.year;
        }
        previous = md;
    }
    EXPECT_EQ(failures, 0);
    EXPECT_EQ(ZxAxis::zidmdyd(CalendarArithmetic::FIRST_VALID_DAY).year, 1582);
    EXPECT_EQ(ZxAxis::zidmdyd(CalendarArithmetic::LAST_VALID_DAY).year, 20000);
}

namespace {
struct Vectors {
    std::vector<std::string> lines;
    Vectors() {
        std::ifstream in(test::sourceDir() + "/tests/axis/data/calendar_vectors.txt");
        for (std::string line; std::getline(in, line);)
            if (!line.empty()) lines.push_back(line);
    }
};
const Vectors& vectors() {
    static Vectors v;
    return v;
}
} // namespace

TEST(Calendar, DatesMatchIndependentlyComputedOnes) {
    int checked = 0;
    for (const std::string& line : vectors().lines) {
        std::istringstream in(line);
        std::string kind;
        in >> kind;
        if (kind != "D") continue;
        int64_t day;
        int year, month, dom, dow;
        in >> day >> year >> month >> dom >> dow;
        ZxAxis::MonthDayYear md = ZxAxis::zidmdyd(day);
        EXPECT_EQ(md.year, year) << line;
        EXPECT_EQ(md.month, month) << line;
        EXPECT_EQ(md.day, dom) << line;
        EXPECT_EQ(ZxAxis::ziddmdy(month, dom, year), day) << line;
        EXPECT_EQ(CalendarArithmetic::dayOfWeek(day), dow) << line;
        ++checked;
    }
    EXPECT_GT(checked, 2000);
}

TEST(Calendar, PeriodSteppingAndCountingMatchIndependentlyComputedBoundaries) {
    // Every code, with multiples, shifts and weekend days, over days and over
    // seconds (the same boundaries times 86400).
    int steps = 0, counts = 0;
    for (const std::string& line : vectors().lines) {
        std::istringstream in(line);
        std::string kind, name;
        in >> kind >> name;
        if (kind == "S") {
            double start, n, expected;
            in >> start >> n >> expected;
            EXPECT_EQ(step(name.c_str(), 2, start, n), expected) << line;
            EXPECT_EQ(step(name.c_str(), 1, start * 86400 + 4000, n), expected * 86400) << line;
            ++steps;
        } else if (kind == "N") {
            double a, b, expected;
            in >> a >> b >> expected;
            EXPECT_EQ(count(name.c_str(), 2, a, b), expected) << line;
            EXPECT_EQ(count(name.c_str(), 1, a * 86400 + 1, b * 86400 + 86399), expected) << line;
            ++counts;
        }
    }
    EXPECT_GT(steps, 1000);
    EXPECT_GT(counts, 500);
}

TEST(Calendar, CalendarPeriodsOfKnownDates) {
    const double d2000 = 14610;  // Saturday 1 January 2000
    EXPECT_EQ(step("MONTH", 2, 14670 + 10, 0), 14670);
    EXPECT_EQ(step("MONTH", 2, 14670 + 10, 1), ZxAxis::ziddmdy(4, 1, 2000));
    EXPECT_EQ(step("YEAR.7", 2, d2000, 0), ZxAxis::ziddmdy(7, 1, 1999));
    EXPECT_EQ(step("QTR", 2, ZxAxis::ziddmdy(5, 17, 2000), -1), d2000);
    EXPECT_EQ(step("SEMIMONTH", 2, ZxAxis::ziddmdy(2, 20, 2000), 1), ZxAxis::ziddmdy(3, 1, 2000));
    EXPECT_EQ(step("TENDAY", 2, ZxAxis::ziddmdy(2, 20, 2000), 1), ZxAxis::ziddmdy(2, 21, 2000));
    EXPECT_EQ(step("WEEK", 2, d2000, 0), ZxAxis::ziddmdy(12, 26, 1999));        // a Sunday
    EXPECT_EQ(step("WEEK.2", 2, d2000, 1), ZxAxis::ziddmdy(1, 3, 2000));        // a Monday
    EXPECT_EQ(step("WEEKDAY", 2, d2000, 0), ZxAxis::ziddmdy(12, 31, 1999));     // Friday before
    EXPECT_EQ(step("WEEKDAY", 2, d2000, 1), ZxAxis::ziddmdy(1, 3, 2000));       // Monday after
    EXPECT_EQ(count("WEEKDAY", 2, ZxAxis::ziddmdy(1, 3, 2000), ZxAxis::ziddmdy(1, 10, 2000)), 5);
    EXPECT_EQ(count("DAY", 2, 10, 17), 7);
    EXPECT_EQ(count("YEAR", 2, d2000 - 1, d2000), 1);
    EXPECT_EQ(count("YEAR", 2, d2000, d2000 + 364), 0);
    // Shifts 0 and 1 are both unshifted.
    EXPECT_EQ(step("MONTH3.1", 2, 14670, 0), step("MONTH3", 2, 14670, 0));
    EXPECT_EQ(step("HOUR2.1", 1, 5000, 1), step("HOUR2", 1, 5000, 1));
}

TEST(Calendar, TimeUnitsAndObservations) {
    EXPECT_EQ(step("HOUR2", 1, 3600, 1), 7200);
    EXPECT_EQ(step("HOUR2", 1, 3600, 0), 0);
    EXPECT_EQ(step("HOUR2.2", 1, 3600, 0), 3600);   // periods start at odd hours
    EXPECT_EQ(step("HOUR2.2", 1, 3599, 1), 3600);
    EXPECT_EQ(step("MINUTE15", 1, -1, 0), -900);
    EXPECT_EQ(step("SECOND", 1, 12.7, 3), 15);
    EXPECT_EQ(step("SECOND", 1, 12.9999999999999, 1), 14);  // rounded down after adding 1e-12
    EXPECT_EQ(count("HOUR", 1, 0, 7200), 2);
    EXPECT_EQ(count("SECOND", 1, 3.5, 10.2), 7);
    EXPECT_EQ(count("DAY", 2, 3, 10), 7);
    EXPECT_EQ(count("MINUTE10", 1, 0, 3600), 6);

    TimeInterval obs = interval("OBS5", 3);
    EXPECT_EQ(ZxAxis::getBeginingOfNextPeriodAfterStartValue(obs, 12, 1), 15);
    EXPECT_EQ(ZxAxis::getBeginingOfNextPeriodAfterStartValue(obs, -1, 0), -5);
    EXPECT_EQ(ZxAxis::getNumberOfIntervalBoundaries(obs, 0, 12), 2);
    obs.multiple = 1;
    EXPECT_EQ(ZxAxis::getBeginingOfNextPeriodAfterStartValue(obs, 12, 4), 16);
    obs.multiple = 0;  // counts as 1
    EXPECT_EQ(ZxAxis::getNumberOfIntervalBoundaries(obs, 2, 9), 7);
}

TEST(Calendar, UnsupportedKindsCodesAndDaysGiveNotANumber) {
    // Wrong value kinds: silently not-a-number.
    EXPECT_TRUE(std::isnan(step("OBS", 1, 3, 1)));
    EXPECT_TRUE(std::isnan(step("HOUR", 2, 3, 1)));
    EXPECT_TRUE(std::isnan(step("MONTH", 3, 3, 1)));
    EXPECT_TRUE(std::isnan(count("OBS", 2, 3, 5)));
    EXPECT_TRUE(std::isnan(count("MINUTE", 0, 3, 5)));
    EXPECT_TRUE(std::isnan(ZxAxis::getBeginingOfNextPeriodAfterStartValue(nullptr, 1, 1)));
    // Days outside the valid range, or steps that leave it.
    EXPECT_TRUE(std::isnan(step("DAY", 2, CalendarArithmetic::LAST_VALID_DAY + 1, 0)));
    EXPECT_TRUE(std::isnan(step("DAY", 2, CalendarArithmetic::LAST_VALID_DAY, 1)));
    EXPECT_EQ(step("DAY", 2, CalendarArithmetic::LAST_VALID_DAY, 0), CalendarArithmetic::LAST_VALID_DAY);
    EXPECT_TRUE(std::isnan(step("YEAR", 2, CalendarArithmetic::FIRST_VALID_DAY, -1)));
    EXPECT_TRUE(std::isnan(step("MONTH", 1, 1e300, 0)));
    EXPECT_TRUE(std::isnan(step("MONTH", 2, 0, 1e18)));
    EXPECT_TRUE(std::isnan(count("MONTH", 2, -1e9, 0)));
    EXPECT_TRUE(std::isnan(step("HOUR", 1, NAN, 0)));
    EXPECT_TRUE(std::isnan(step("WEEK", 2, 0, NAN)));

    // Bad codes are logged with the source path.
    CLogCapture log;
    TimeInterval bad;
    bad.valueKind = 1;
    bad.intervalCode = static_cast<C::constant>(12);
    EXPECT_TRUE(std::isnan(ZxAxis::getBeginingOfNextPeriodAfterStartValue(bad, 0, 1)));
    EXPECT_TRUE(log.contains(CLog::ERRORS, "getBeginingOfNextPeriodAfterStartValue: bad intervalConstant=12"));
    EXPECT_TRUE(std::isnan(ZxAxis::getNumberOfIntervalBoundaries(bad, 0, 1)));
    EXPECT_TRUE(log.contains(CLog::ERRORS, "getNumberOfIntervalBoundaries: bad intervalConstant=12"));
    bad.intervalCode = static_cast<C::constant>(42);
    EXPECT_TRUE(std::isnan(ZxAxis::getBeginingOfNextPeriodAfterStartValue(bad, 0, 1)));
    EXPECT_TRUE(log.contains("getBeginingOfNextPeriodAfterStartValue: yearbase: bad intervalConstant=42"));
    EXPECT_TRUE(std::isnan(ZxAxis::getNumberOfIntervalBoundaries(bad, 0, 1)));
    EXPECT_TRUE(log.contains("getNumberOfIntervalBoundaries: invalid intervalConstant=42"));
    ASSERT_EQ(log.count(), 4u);
    for (const auto& e : log.entries()) {
        EXPECT_EQ(e.source, "orvane/axis/ZxAxis");
        EXPECT_GT(e.line, 0);
    }
}
