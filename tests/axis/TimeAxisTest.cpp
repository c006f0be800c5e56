// SPDX-License-Identifier: Apache-2.0
#include "orvane/axis/ZxAxis.h"

#include "AxisTestSupport.h"
#include "orvane/host/core/CLog.h"

#include <gtest/gtest.h>

#include <cmath>
#include <stdexcept>

using namespace orvane;
using test::FixedFormatter;
using test::interval;
using C = IntervalConstants;

namespace {
int64_t day(int m, int d, int y) { return ZxAxis::ziddmdy(m, d, y); }
} // namespace

TEST(Zintfmt, WholeTable) {
    struct Row {
        int code;
        const char *dateWide, *dateNarrow, *dtWide, *dtNarrow;                 // shift below 2
        const char *dateWideS, *dateNarrowS, *dtWideS, *dtNarrowS;             // shift 2 and more
    };
    const Row rows[] = {
        {10, "DATETIME16", "DATETIME16", "DATETIME16", "DATETIME16", "DATETIME16", "DATETIME16", "DATETIME16", "DATETIME16"},
        {15, "DATETIME13", "DATETIME13", "DATETIME13", "DATETIME13", "DATETIME16", "DATETIME16", "DATETIME16", "DATETIME16"},
        {20, "DATETIME10", "DATETIME10", "DATETIME10", "DATETIME10", "DATETIME13", "DATETIME13", "DATETIME13", "DATETIME13"},
        {25, "DATE9", "DATE7", "DTDATE9", "DTDATE7", "DATE9", "DATE7", "DTDATE9", "DTDATE7"},
        {27, "DATE9", "DATE7", "DTDATE9", "DTDATE7", "DATE9", "DATE7", "DTDATE9", "DTDATE7"},
        {35, "DATE9", "DATE7", "DTDATE9", "DTDATE7", "DATE9", "DATE7", "DTDATE9", "DTDATE7"},
        {40, "DATE9", "DATE7", "DTDATE9", "DTDATE7", "DATE9", "DATE7", "DTDATE9", "DTDATE7"},
        {30, "WEEKDATX28", "WEEKDATX27", "DTWKDATX28", "DTWKDATX27", "WEEKDATX28", "WEEKDATX27", "DTWKDATX28", "DTWKDATX27"},
        {45, "MONYY7", "MONYY5", "DTMONYY7", "DTMONYY5", "MONYY7", "MONYY5", "DTMONYY7", "DTMONYY5"},
        {55, "MONYY7", "MONYY5", "DTMONYY7", "DTMONYY5", "MONYY7", "MONYY5", "DTMONYY7", "DTMONYY5"},
        {50, "YYQC6", "YYQC4", "DTYYQC6", "DTYYQC4", "MONYY7", "MONYY5", "DTMONYY7", "DTMONYY5"},
        {60, "YEAR4", "YEAR2", "DTYEAR4", "DTYEAR2", "MONYY7", "MONYY5", "DTMONYY7", "DTMONYY5"},
        {1, "DATE9", "DATE7", "DATETIME16", "DATETIME16", "DATE9", "DATE7", "DATETIME16", "DATETIME16"},
        {33, "DATE9", "DATE7", "DATETIME16", "DATETIME16", "DATE9", "DATE7", "DATETIME16", "DATETIME16"},
    };
    for (const Row& r : rows) {
        for (int shift : {0, 1, 2, 5}) {
            TimeInterval t;
            t.intervalCode = static_cast<C::constant>(r.code);
            t.shift = shift;
            bool shifted = shift >= 2;
            t.valueKind = 2;
            EXPECT_EQ(ZxAxis::zintfmt(t, true), shifted ? r.dateWideS : r.dateWide) << r.code << "." << shift;
            EXPECT_EQ(ZxAxis::zintfmt(t, false), shifted ? r.dateNarrowS : r.dateNarrow) << r.code << "." << shift;
            for (int kind : {0, 1}) {
                t.valueKind = kind;
                EXPECT_EQ(ZxAxis::zintfmt(t, true), shifted ? r.dtWideS : r.dtWide) << r.code << "." << shift;
                EXPECT_EQ(ZxAxis::zintfmt(t, false), shifted ? r.dtNarrowS : r.dtNarrow) << r.code << "." << shift;
            }
            for (int kind : {3, 4}) {
                t.valueKind = kind;
                EXPECT_EQ(ZxAxis::zintfmt(t, true), "BEST12");
            }
        }
    }
    EXPECT_EQ(ZxAxis::zintfmt(interval("NONE", 2), true), "");
    EXPECT_EQ(ZxAxis::zintfmt(std::shared_ptr<const TimeInterval>(), true), "");

    EXPECT_EQ(ZxAxis::zintfmm(interval("SECOND", 1)), "TIME8");
    EXPECT_EQ(ZxAxis::zintfmm(interval("SECOND120", 1)), "TIME5");
    EXPECT_EQ(ZxAxis::zintfmm(interval("MINUTE5", 1)), "TIME5");
    EXPECT_EQ(ZxAxis::zintfmm2(interval("SECOND10", 1)), "TIMEAMPM8");
    EXPECT_EQ(ZxAxis::zintfmm2(interval("HOUR", 1)), "TIMEAMPM5");
    EXPECT_EQ(ZxAxis::zintfmm(interval("NONE", 1)), "");
}

TEST(Ztaxis, DateRangeGetsQuarterlyMonthTicks) {
    auto iv = TimeInterval::create();
    auto r = ZxAxis::ztaxis(iv, day(1, 1, 2020), day(3, 15, 2021), 6, true, FixedFormatter::date("DATE"));
    ASSERT_TRUE(r.found);
    EXPECT_EQ(r.major->toString(), "MONTH3");
    EXPECT_EQ(r.major->valueKind, 2);
    EXPECT_EQ(iv->toString(), "MONTH3");  // written back
    EXPECT_EQ(r.format, "MONYY7");
    EXPECT_EQ(r.majorValues, (std::vector<double>{double(day(1, 1, 2020)), double(day(4, 1, 2020)),
                                                  double(day(7, 1, 2020)), double(day(10, 1, 2020)),
                                                  double(day(1, 1, 2021)), double(day(4, 1, 2021))}));
    EXPECT_EQ(r.first, day(1, 1, 2020));
    EXPECT_EQ(r.last, day(4, 1, 2021));
    EXPECT_EQ(r.minor->toString(), "MONTH");
    ASSERT_EQ(r.minorValues.size(), 10u);  // two months inside each of five quarters
    EXPECT_EQ(r.minorValues[0], day(2, 1, 2020));
    EXPECT_EQ(r.minorValues[1], day(3, 1, 2020));
}

TEST(Ztaxis, ClimbsTheLadderForEachKindOfFormat) {
    struct Case {
        std::shared_ptr<const Formatter> formatter;
        double min, max;
        int maxTicks;
        const char* interval;
        const char* format;
    };
    const double d2000 = 14610, s2000 = d2000 * 86400;
    const Case cases[] = {
        {FixedFormatter::date("DATE"), d2000, d2000 + 4, 6, "DAY", "DATE9"},
        {FixedFormatter::date("DATE"), d2000, d2000 + 9, 6, "DAY2", "DATE9"},
        {FixedFormatter::date("DATE"), d2000, d2000 + 20, 6, "WEEK", "WEEKDATX28"},
        {FixedFormatter::date("DATE"), d2000, d2000 + 30, 6, "SEMIMONTH", "DATE9"},
        {FixedFormatter::date("NLDATEMD"), d2000, d2000 + 60, 6, "SEMIMONTH", "DATE9"},
        {FixedFormatter::date("EURDFDE"), d2000, d2000 + 700, 12, "MONTH3", "MONYY7"},
        {FixedFormatter::date("MONYY"), d2000, d2000 + 365 * 50, 6, "YEAR10", "YEAR4"},
        {FixedFormatter::date("YYQC"), d2000, d2000 + 200, 6, "QTR", "YYQC6"},
        {FixedFormatter::date("YEAR"), d2000, d2000 + 365 * 400, 6, "YEAR100", "YEAR4"},
        {FixedFormatter::dateTime("DATETIME"), 0, 5 * 3600, 6, "HOUR", "DATETIME10"},
        {FixedFormatter::dateTime("DATETIME"), 0, 50, 6, "SECOND10", "DATETIME16"},
        {FixedFormatter::dateTime("DTDATE"), s2000, s2000 + 3 * 86400, 6, "DTDAY", "DTDATE9"},
        {FixedFormatter::dateTime("DTMONYY"), s2000, s2000 + 86400 * 300, 6, "DTMONTH2", "DTMONYY7"},
        {FixedFormatter::dateTime("DTYEAR"), s2000, s2000 + 86400 * 800, 6, "DTYEAR", "DTYEAR4"},
        {FixedFormatter::dateTime("NLDATM"), s2000, s2000 + 86400 * 20, 6, "DTWEEK", "DTWKDATX28"},
        {FixedFormatter::time("TIME"), 0, 3 * 3600, 7, "HOUR", "TIME5"},  // MINUTE10 would make 19 ticks
        {FixedFormatter::time("TIME"), 0, 2 * 3600, 6, "HOUR", "TIME5"},
        {FixedFormatter::time("TIMEAMPM"), 0, 40, 6, "SECOND10", "TIMEAMPM8"},
        {FixedFormatter::time("HHMM"), 0, 3600, 7, "MINUTE10", "TIME5"},
    };
    for (const Case& c : cases) {
        auto r = ZxAxis::ztaxis(nullptr, c.min, c.max, c.maxTicks, true, c.formatter);
        std::string label = c.formatter->getName() + " " + c.interval;
        EXPECT_TRUE(r.found) << label;
        EXPECT_EQ(r.major->toString(), c.interval) << label;
        EXPECT_EQ(r.format, c.format) << label;
        EXPECT_LE(r.majorValues.size(), static_cast<size_t>(c.maxTicks)) << label;
        ASSERT_FALSE(r.majorValues.empty()) << label;
        EXPECT_LE(r.majorValues.front(), c.min) << label;
        EXPECT_GE(r.majorValues.back(), c.max) << label;
        for (double m : r.minorValues) EXPECT_TRUE(m > r.first && m < r.last) << label;
    }
}

TEST(Ztaxis, GivenIntervalsAndDeadEnds) {
    const double d2000 = 14610;
    // An interval with a code starts the climb from there.
    auto iv = TimeInterval::create("YEAR");
    auto r = ZxAxis::ztaxis(iv, d2000, d2000 + 365 * 30, 6, false, FixedFormatter::date("DATE"));
    EXPECT_EQ(iv->toString(), "YEAR10");
    EXPECT_EQ(r.format, "YEAR2");
    // Without a formatter the value kind follows the code.
    iv = TimeInterval::create("MONTH");
    r = ZxAxis::ztaxis(iv, d2000, d2000 + 100, 6, true, nullptr);
    EXPECT_TRUE(r.found);
    EXPECT_EQ(iv->valueKind, 2);
    // WEEKDAY has no coarser rung: nothing fits, the interval stays.
    iv = TimeInterval::create("WEEKDAY");
    r = ZxAxis::ztaxis(iv, d2000, d2000 + 100, 6, true, FixedFormatter::date("DATE"));
    EXPECT_FALSE(r.found);
    EXPECT_EQ(iv->intervalCode, C::WEEKDAY);
    EXPECT_TRUE(r.majorValues.empty());
    r = ZxAxis::ztaxis(iv, d2000, d2000 + 4, 6, true, FixedFormatter::date("DATE"));
    EXPECT_TRUE(r.found);
    // Saturday belongs to Friday's period: Friday, Monday, Tuesday, Wednesday.
    EXPECT_EQ(r.majorValues, (std::vector<double>{d2000 - 1, d2000 + 2, d2000 + 3, d2000 + 4}));
    // Beyond the last rung.
    iv = TimeInterval::create("YEAR");
    r = ZxAxis::ztaxis(iv, 0, day(1, 1, 3000), 6, true, FixedFormatter::date("DATE"));
    EXPECT_FALSE(r.found);
    EXPECT_EQ(iv->toString(), "YEAR100");
    // Periods reaching outside the valid days end the climb.
    iv = TimeInterval::create("YEAR");
    r = ZxAxis::ztaxis(iv, -138061, 6589335, 6, true, FixedFormatter::date("DATE"));
    EXPECT_FALSE(r.found);
    // maxTicks below 2 stops at a yearly interval.
    TimeInterval y = interval("YEAR", 2), scratch;
    EXPECT_FALSE(ZxAxis::computeMajorTickmarkIntervalAndFormat(y, d2000, d2000 + 800, 1, scratch));
    EXPECT_EQ(y.toString(), "YEAR");
    TimeInterval m = interval("MONTH", 2);
    std::string format;
    EXPECT_TRUE(ZxAxis::computeMajorTickmarkIntervalAndFormat(m, d2000, d2000 + 800, 4, scratch, false, &format));
    EXPECT_EQ(m.toString(), "YEAR");
    EXPECT_EQ(format, "YEAR2");
}

TEST(Ztaxis, RejectsBadRangesAndFormats) {
    auto date = FixedFormatter::date("DATE");
    auto expectRange = [&](double lo, double hi, std::shared_ptr<const Formatter> f) {
        try {
            ZxAxis::ztaxis(nullptr, lo, hi, 6, true, f);
            ADD_FAILURE() << lo << ".." << hi;
        } catch (const std::runtime_error& e) {
            EXPECT_STREQ(e.what(), "ZxAxis : Minimum value or maximum value is out of range.");
        }
    };
    expectRange(0, 6589336, date);
    expectRange(-138062, 0, date);
    expectRange(NAN, 0, date);
    expectRange(0, INFINITY, FixedFormatter::dateTime("DATETIME"));
    expectRange(0, 6589336.0 * 86400, FixedFormatter::dateTime("DATETIME"));
    auto days = TimeInterval::create("DAY");
    days->valueKind = 2;
    EXPECT_THROW(ZxAxis::ztaxis(days, 0, 1e9, 6, true, nullptr), std::runtime_error);

    CLogCapture log;
    try {
        ZxAxis::ztaxis(nullptr, 0, 10, 6, true, FixedFormatter::numeric("COMMA"));
        ADD_FAILURE();
    } catch (const std::runtime_error& e) {
        EXPECT_STREQ(e.what(), "Bad DateTime format");
    }
    EXPECT_TRUE(log.contains(CLog::ERRORS, "ZxAxis : COMMA not recognized as a DateTime format."));
    EXPECT_EQ(log.entries().at(0).source, "orvane/axis/ZxAxis");
    EXPECT_THROW(ZxAxis::ztaxis(nullptr, 0, 10, 6, true, nullptr), std::runtime_error);
}

TEST(Ztaxis, MinorIntervalsSubdivideTheMajorOnes) {
    auto minorOf = [](const char* name, int kind) { return ZxAxis::getMinorIntervals(interval(name, kind))->toString(); };
    EXPECT_EQ(minorOf("YEAR", 2), "QTR");
    EXPECT_EQ(minorOf("YEAR.2", 2), "QTR.2");
    EXPECT_EQ(minorOf("YEAR.7", 2), "QTR");
    EXPECT_EQ(minorOf("YEAR5", 2), "YEAR");
    EXPECT_EQ(minorOf("YEAR100", 2), "YEAR50");
    EXPECT_EQ(minorOf("YEAR2.7", 2), "YEAR.7");
    EXPECT_EQ(minorOf("SEMIYEAR", 2), "QTR");
    EXPECT_EQ(minorOf("QTR", 2), "MONTH");
    EXPECT_EQ(minorOf("MONTH6", 2), "MONTH3");
    EXPECT_EQ(minorOf("MONTH", 2), "SEMIMONTH");
    EXPECT_EQ(minorOf("WEEK", 2), "DAY");
    EXPECT_EQ(minorOf("WEEK2.3", 2), "WEEK.3");
    EXPECT_EQ(minorOf("DAY", 2), "NONE");
    EXPECT_EQ(minorOf("DAY", 1), "HOUR6");
    EXPECT_EQ(minorOf("HOUR12", 1), "HOUR6");
    EXPECT_EQ(minorOf("HOUR", 1), "MINUTE15");
    EXPECT_EQ(minorOf("MINUTE", 1), "SECOND15");
    EXPECT_EQ(minorOf("SECOND", 1), "NONE");
    EXPECT_EQ(minorOf("WEEKDAY", 2), "NONE");
    EXPECT_EQ(ZxAxis::getSmallestPrimeFactor(49), 7);
    EXPECT_EQ(ZxAxis::getSmallestPrimeFactor(41 * 43), 41 * 43);
    EXPECT_EQ(ZxAxis::getSmallestPrimeFactor(0), 1);

    // Minors of a shifted year fall on quarters of the shifted year.
    ZxAxis::TimeTicks r;
    TimeInterval major = interval("YEAR.2", 2);
    ASSERT_TRUE(ZxAxis::ztaxis2(major, *ZxAxis::getMinorIntervals(major), day(3, 1, 2000), day(1, 1, 2002), r));
    EXPECT_EQ(r.majorValues, (std::vector<double>{double(day(2, 1, 2000)), double(day(2, 1, 2001)),
                                                  double(day(2, 1, 2002))}));
    EXPECT_EQ(r.minorValues.size(), 6u);
    EXPECT_EQ(r.minorValues[0], day(5, 1, 2000));

    CLogCapture log;
    EXPECT_FALSE(ZxAxis::ztaxis2(interval("NONE", 2), interval("DAY", 2), 0, 10, r));
    EXPECT_TRUE(log.contains(CLog::ERRORS, "ztaxis2: invalid axis interval code"));
    // Too many majors to list.
    EXPECT_FALSE(ZxAxis::ztaxis2(interval("SECOND", 1), interval("NONE", 1), 0, 1e7, r));
}

TEST(Ztaxis, ValidDateTimesAndClosestDates) {
    auto date = FixedFormatter::date("MONYY");
    auto dt = FixedFormatter::dateTime("DATETIME");
    EXPECT_TRUE(ZxAxis::isValidDateTime({-138061, 6589335}, date));
    EXPECT_FALSE(ZxAxis::isValidDateTime({0, -138062}, date));
    EXPECT_FALSE(ZxAxis::isValidDateTime({6589335.5}, date));
    EXPECT_TRUE(ZxAxis::isValidDateTime({-138061.0 * 86400, 6589335.0 * 86400 + 86399}, dt));
    EXPECT_FALSE(ZxAxis::isValidDateTime({6589336.0 * 86400}, dt));
    EXPECT_TRUE(ZxAxis::isValidDateTime({1e300}, FixedFormatter::numeric("BEST")));
    EXPECT_FALSE(ZxAxis::isValidDateTime({NAN}, nullptr));
    EXPECT_TRUE(ZxAxis::isValidDateTime({}, date));

    auto c = ZxAxis::getClosestDates(14675, date);
    EXPECT_EQ(c.first, 14670);
    EXPECT_EQ(c.second, day(4, 1, 2000));
    c = ZxAxis::getClosestDates(14670, date);
    EXPECT_EQ(c.first, 14670);
    EXPECT_EQ(c.second, 14670);
    c = ZxAxis::getClosestDates(100.5, dt);
    EXPECT_EQ(c.first, 100);
    EXPECT_EQ(c.second, 101);
    c = ZxAxis::getClosestDates(day(5, 5, 2000), FixedFormatter::date("NLDATEMD"));
    EXPECT_EQ(c.first, day(5, 5, 2000));
    for (auto f : {FixedFormatter::numeric("BEST"), std::shared_ptr<const Formatter>(), date}) {
        c = ZxAxis::getClosestDates(f == date ? 1e12 : 5, f);
        EXPECT_TRUE(std::isnan(c.first) && std::isnan(c.second));
    }
}
