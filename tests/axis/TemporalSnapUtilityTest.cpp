// SPDX-License-Identifier: Apache-2.0
#include "orvane/axis/TemporalSnapUtility.h"
#include "orvane/axis/ZxAxis.h"

#include "AxisTestSupport.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace orvane;
using test::FixedFormatter;
using C = IntervalConstants;

TEST(TemporalSnapUtility, IntervalUnitTable) {
    const std::vector<std::pair<const char*, int>> rows{
        {"YEAR", 60},  {"DTYEAR", 60},   {"QTR", 50},     {"QTRR", 50},     {"YYQ", 50},    {"YYQC", 50},
        {"YYQR", 50},  {"DTYYQC", 50},   {"MMYY", 45},    {"MONNAME", 45},  {"MONTH", 45},  {"MONYY", 45},
        {"YYMON", 45}, {"YYMM", 45},     {"DTMONYY", 45}, {"HOUR", 20},     {"HHMM", 15},   {"DTDATE", 25},
        {"DTWKDATX", 25},
    };
    EXPECT_EQ(TemporalSnapUtility::getIntervalUnitTable().size(), rows.size());
    for (auto [name, code] : rows) {
        // The kind of the formatter does not change the code of a listed name.
        for (auto kind : {Formatter::Kind::Date, Formatter::Kind::DateTime, Formatter::Kind::Time}) {
            auto t = TemporalSnapUtility::create(FixedFormatter::make(name, kind))->getTimeInterval();
            EXPECT_EQ(t->intervalCode, code) << name;
            EXPECT_EQ(t->multiple, 1) << name;
        }
    }
}

TEST(TemporalSnapUtility, UnlistedFormatsAndNoFormatter) {
    auto t = TemporalSnapUtility::create(FixedFormatter::date("DATE"))->getTimeInterval();
    EXPECT_EQ(t->intervalCode, C::DAY);
    EXPECT_EQ(t->valueKind, 2);
    t = TemporalSnapUtility::create(FixedFormatter::dateTime("DATETIME"))->getTimeInterval();
    EXPECT_EQ(t->intervalCode, C::SECOND);
    EXPECT_EQ(t->valueKind, 1);
    t = TemporalSnapUtility::create(FixedFormatter::time("TIME"))->getTimeInterval();
    EXPECT_EQ(t->intervalCode, C::SECOND);
    EXPECT_EQ(t->valueKind, 1);
    t = TemporalSnapUtility::create(FixedFormatter::numeric("COMMA"))->getTimeInterval();
    EXPECT_EQ(t->intervalCode, C::SECOND);
    EXPECT_EQ(t->valueKind, 0);
    auto none = TemporalSnapUtility::create(nullptr);
    EXPECT_EQ(none->getTimeInterval()->intervalCode, C::NONE);
    EXPECT_TRUE(std::isnan(none->snapValue(5, 0)));
    EXPECT_TRUE(std::isnan(none->getNumberOfPeriodsBetweenValues(5, 9)));
    // The host formatter's own names work the same way.
    EXPECT_EQ(TemporalSnapUtility::create(Formatter::create("MONYY7."))->getTimeInterval()->intervalCode, C::MONTH);
    EXPECT_EQ(TemporalSnapUtility::create(Formatter::create("DATE9."))->getTimeInterval()->intervalCode, C::DAY);
}

TEST(TemporalSnapUtility, SnapsAndCountsPeriods) {
    auto monthly = TemporalSnapUtility::create(FixedFormatter::date("MONYY"));
    EXPECT_EQ(monthly->getTimeInterval(), monthly->getTimeInterval());  // computed once
    EXPECT_EQ(monthly->snapValue(14675, 0), 14670);
    EXPECT_EQ(monthly->snapValue(14675, 1), ZxAxis::ziddmdy(4, 1, 2000));
    EXPECT_EQ(monthly->snapValue(14675, -2), ZxAxis::ziddmdy(1, 1, 2000));
    EXPECT_EQ(monthly->getNumberOfPeriodsBetweenValues(14610, 14675), 2);
    EXPECT_EQ(monthly->getNumberOfPeriodsBetweenValues(14675, 14610), 2);

    auto hourly = TemporalSnapUtility::create(FixedFormatter::time("HOUR"));
    EXPECT_EQ(hourly->snapValue(5000, 0), 3600);
    EXPECT_EQ(hourly->snapValue(5000, 2), 10800);
    for (auto [a, b] : std::vector<std::pair<double, double>>{{0, 7200}, {-3600.5, 99999}, {5, 5}})
        EXPECT_EQ(hourly->getNumberOfPeriodsBetweenValues(a, b), hourly->getNumberOfPeriodsBetweenValues(b, a));

    auto dtDays = TemporalSnapUtility::create(FixedFormatter::dateTime("DTDATE"));
    EXPECT_EQ(dtDays->snapValue(86400 * 3 + 500, 0), 86400 * 3);
    EXPECT_EQ(dtDays->getNumberOfPeriodsBetweenValues(0, 86400 * 10), 10);
    EXPECT_TRUE(std::isnan(dtDays->snapValue(1e300, 0)));
}
