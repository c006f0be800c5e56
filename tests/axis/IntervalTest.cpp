// SPDX-License-Identifier: Apache-2.0
#include "orvane/axis/IntervalConstants.h"
#include "orvane/axis/IntervalDefinition.h"
#include "orvane/axis/TimeInterval.h"
#include "orvane/axis/ZxAxis.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace orvane;
using C = IntervalConstants;

TEST(IntervalConstants, EveryAcceptedNameGivesItsCode) {
    const std::vector<std::pair<int, std::vector<const char*>>> table{
        {0, {"NONE"}},
        {1, {"OBS"}},
        {10, {"SECOND", "SECONDS"}},
        {15, {"MINUTE", "MINUTES"}},
        {20, {"HOUR", "HOURS", "HOURLY"}},
        {25, {"DAY", "DAYS", "DAILY"}},
        {27, {"WEEKDAY", "WEEKDAYS"}},
        {30, {"WEEK", "WEEKS", "WEEKLY"}},
        {35, {"TENDAY"}},
        {40, {"SEMIMONTH", "SEMIMONTHS", "SEMIMONTHLY", "SEMIMON"}},
        {45, {"MONTH", "MONTHS", "MONTHLY"}},
        {50, {"QTR", "QTRS", "QTRLY", "QUARTER", "QUARTERS", "QUARTERLY"}},
        {55, {"SEMIYEAR", "SEMIYEARS", "SEMIYEARLY", "SEMIYR", "SEMIANNUAL", "SEMIANN"}},
        {60, {"YEAR", "YEARS", "YEARLY", "YR", "ANNUAL", "ANNUALLY", "ANNUALS"}},
    };
    for (const auto& [code, names] : table)
        for (const char* n : names) EXPECT_EQ(C::getIntervalConstantForName(n), code) << n;
    // The rest of the name must match exactly.
    for (const char* n : {"", "Y", "YEA", "YEARSS", "month", "MONTHLYX", "TENDAYS", "SEMIMONTHL", "OBSERVATION",
                          "QTRLYY", "ANNUA", "DT", "XYZ", "WEEKDAYSS", "HOURL"})
        EXPECT_EQ(C::getIntervalConstantForName(n), C::NONE) << n;
}

TEST(TimeInterval, ParsesPrefixMultipleShiftAndWeekendDays) {
    auto t = TimeInterval::create("DTMONTH3.2");
    EXPECT_EQ(t->intervalCode, C::MONTH);
    EXPECT_EQ(t->valueKind, 1);
    EXPECT_EQ(t->multiple, 3);
    EXPECT_EQ(t->shift, 2);
    EXPECT_EQ(*t->name, "DTMONTH3.2");
    EXPECT_EQ(t->toString(), "DTMONTH3.2");

    t = TimeInterval::create("YEAR.7");
    EXPECT_EQ(t->intervalCode, C::YEAR);
    EXPECT_EQ(t->valueKind, 0);
    EXPECT_EQ(t->multiple, 1);
    EXPECT_EQ(t->shift, 7);

    t = TimeInterval::create("semiyr2");
    EXPECT_EQ(t->intervalCode, C::SEMIYEAR);
    EXPECT_EQ(t->multiple, 2);

    // Weekdays: Saturday and Sunday by default, or the listed days.
    t = TimeInterval::create("WEEKDAY");
    EXPECT_EQ(t->weekendDays, (std::array<bool, 7>{true, false, false, false, false, false, true}));
    t = TimeInterval::create("WEEKDAY67W");
    EXPECT_EQ(t->weekendDays, (std::array<bool, 7>{false, false, false, false, false, true, true}));
    EXPECT_EQ(t->multiple, 1);
    EXPECT_EQ(t->toString(), "WEEKDAY67W");
    t = TimeInterval::create("weekday17w5.3");
    EXPECT_EQ(t->intervalCode, C::WEEKDAY);
    EXPECT_EQ(t->multiple, 5);
    EXPECT_EQ(t->shift, 3);
    t = TimeInterval::create("WEEKDAY3");
    EXPECT_EQ(t->multiple, 3);
    EXPECT_EQ(t->weekendDayCount(), 2);

    EXPECT_FALSE(TimeInterval().setFromName("FORTNIGHT"));
    EXPECT_EQ(TimeInterval::create("FORTNIGHT")->intervalCode, C::NONE);
    EXPECT_TRUE(TimeInterval().setFromName("NONE"));
}

TEST(TimeInterval, InvalidSuffixKeepsTheCodeWithMultipleOne) {
    for (const char* n : {"MONTH3.2.1", "WEEKDAY2.3W", "MONTH3W", "HOUR2X", "YEAR-1", "DAY 2", "WEEKDAY8W",
                          "WEEKDAY0W", "WEEKDAY1234567W", "MONTH12345678901", "QTR.2.", "DTMONTH2.1.1"}) {
        TimeInterval t;
        EXPECT_FALSE(t.setFromName(n)) << n;
        EXPECT_NE(t.intervalCode, C::NONE) << n;
        EXPECT_EQ(t.multiple, 1) << n;
        EXPECT_EQ(t.shift, 0) << n;
    }
}

namespace {
std::vector<std::string> walk(const char* start) {
    std::vector<std::string> names;
    auto current = TimeInterval::create(start);
    current->valueKind = 2;
    TimeInterval next;
    for (int guard = 0; guard < 60 && ZxAxis::loadOuterIntervalDefinitionGivenCurrentInterval(*current, next); ++guard) {
        EXPECT_EQ(next.valueKind, 2);
        names.push_back(*next.name);
        *current = next;
    }
    return names;
}
} // namespace

TEST(IntervalDefinition, LadderWalksFromFineToCoarse) {
    EXPECT_EQ(walk("SECOND"),
              (std::vector<std::string>{"SECOND5", "SECOND10", "MINUTE", "MINUTE5", "MINUTE10", "HOUR", "HOUR2",
                                        "HOUR3", "HOUR6", "HOUR12", "DAY", "DAY2", "WEEK", "SEMIMONTH", "MONTH",
                                        "MONTH2", "MONTH3", "MONTH4", "MONTH6", "YEAR", "YEAR2", "YEAR5", "YEAR10",
                                        "YEAR20", "YEAR50", "YEAR100"}));
    EXPECT_EQ(walk("QTR"), (std::vector<std::string>{"QTR2", "YEAR", "YEAR2", "YEAR5", "YEAR10", "YEAR20", "YEAR50",
                                                     "YEAR100"}));
    EXPECT_EQ(walk("SEMIYEAR").front(), "YEAR");
    EXPECT_EQ(walk("TENDAY").front(), "MONTH");
    EXPECT_EQ(walk("MINUTE2").front(), "MINUTE10");
    EXPECT_EQ(walk("HOUR4").front(), "HOUR12");
    EXPECT_EQ(walk("YEAR60").front(), "YEAR100");
    // Dead ends: weekdays, the end of the ladder, units without rungs.
    EXPECT_TRUE(walk("WEEKDAY").empty());
    EXPECT_TRUE(walk("YEAR100").empty());
    EXPECT_TRUE(walk("YEAR200").empty());
    EXPECT_TRUE(walk("OBS").empty());
    EXPECT_TRUE(walk("NONE").empty());
}

TEST(IntervalDefinition, LabelWidthsMatchTheRungFormats) {
    for (const IntervalDefinition& e : IntervalDefinition::ladder()) {
        EXPECT_EQ(e.labelFormat.size(), 8u) << e.intervalName;
        if (e.largestInnerMultiple == IntervalDefinition::END_OF_LADDER) continue;
        auto iv = TimeInterval::create(e.intervalName);
        ASSERT_NE(iv->intervalCode, C::NONE) << e.intervalName;
        iv->valueKind = 2;
        auto width = [](const std::string& f) { return std::stoi(f.substr(f.find_first_of("0123456789"))); };
        EXPECT_EQ(width(ZxAxis::zintfmt(*iv, true)), e.wideLabelWidth) << e.intervalName;
        EXPECT_EQ(width(ZxAxis::zintfmt(*iv, false)), e.narrowLabelWidth) << e.intervalName;
    }
    EXPECT_EQ(IntervalDefinition::ladder().size(), 36u);
}
