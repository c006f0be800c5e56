// SPDX-License-Identifier: Apache-2.0
#include "orvane/axis/ZxAxis.h"
#include "orvane/host/format/Formatter.h"
#include "orvane/prompts/PromptUtilities.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

using namespace orvane;
using P = PromptUtilities;

namespace {

std::shared_ptr<const Formatter> fmt(const char* name) { return Formatter::create(name); }
double day(int d, int m, int y) { return static_cast<double>(ZxAxis::ziddmdy(m, d, y)); }
double stamp(int d, int m, int y, int h = 0, int min = 0) { return day(d, m, y) * 86400 + h * 3600 + min * 60; }

std::vector<double> values(double lo, double hi, const char* format) {
    auto v = P::getSliderSnapValues(lo, hi, format ? fmt(format) : nullptr);
    return v ? *v : std::vector<double>{-1};
}

} // namespace

TEST(SliderSnapping, NumericIntervalsPerFormatterFamily) {
    EXPECT_EQ(P::getSliderSnapInterval(0, 1000, nullptr), 1.0);
    // "BEST" follows the span but never steps by more than 1.
    EXPECT_EQ(P::getSliderSnapInterval(0, 1000, fmt("BEST12.")), 1.0);
    EXPECT_EQ(P::getSliderSnapInterval(0, 50, fmt("BEST12.")), 1.0);
    EXPECT_DOUBLE_EQ(P::getSliderSnapInterval(0, 5, fmt("BEST12.")), 0.1);
    EXPECT_DOUBLE_EQ(P::getSliderSnapInterval(0, 0.5, fmt("BEST12.")), 0.01);
    EXPECT_EQ(P::getSliderSnapInterval(3, 3, fmt("BEST12.")), 0.1);  // no span: read as 1
    // Decimal places decide the rest; percent moves two places further.
    EXPECT_DOUBLE_EQ(P::getSliderSnapInterval(0, 9, fmt("COMMA12.2")), 0.01);
    EXPECT_DOUBLE_EQ(P::getSliderSnapInterval(0, 9, fmt("DOLLAR12.2")), 0.01);
    EXPECT_DOUBLE_EQ(P::getSliderSnapInterval(0, 9, fmt("F8.3")), 0.001);
    EXPECT_DOUBLE_EQ(P::getSliderSnapInterval(0, 9, fmt("COMMA12.")), 1.0);
    EXPECT_DOUBLE_EQ(P::getSliderSnapInterval(0, 1, fmt("PERCENT8.0")), 0.01);
    EXPECT_DOUBLE_EQ(P::getSliderSnapInterval(0, 1, fmt("PERCENT8.1")), 0.001);
    // Temporal formatters snap by periods: the numeric interval is 1.
    EXPECT_EQ(P::getSliderSnapInterval(0, 9, fmt("DATE9.")), 1.0);
    EXPECT_TRUE(P::hasTemporalData(fmt("TIME8.")));
    EXPECT_FALSE(P::hasTemporalData(fmt("COMMA12.2")));
    EXPECT_FALSE(P::hasTemporalData(nullptr));
}

TEST(SliderSnapping, SnappingValuesOnTheGrid) {
    EXPECT_DOUBLE_EQ(P::snapSliderValue(0, 9, fmt("COMMA12.2"), 0.123456, 0), 0.12);
    EXPECT_DOUBLE_EQ(P::snapSliderValue(0, 9, fmt("COMMA12.2"), 0.123456, 1), 0.13);
    EXPECT_DOUBLE_EQ(P::snapSliderValue(0, 9, fmt("COMMA12.2"), 0.125, 0), 0.13);
    EXPECT_DOUBLE_EQ(P::snapSliderValue(0, 9, nullptr, 2.5, 0), 3.0);
    EXPECT_DOUBLE_EQ(P::snapSliderValue(0, 9, nullptr, -2.6, -1), -4.0);
    EXPECT_DOUBLE_EQ(P::snapSliderValue(0, 5, fmt("BEST12."), 1.26, 2), 1.5);
    EXPECT_TRUE(std::isnan(P::snapSliderValue(0, 9, nullptr, std::nan(""), 0)));
    EXPECT_TRUE(std::isnan(P::snapSliderValue(0, 9, nullptr, 1, std::nan(""))));
    // A date moved by 1.7 steps moves by whole days.
    EXPECT_EQ(P::snapSliderValue(0, 9, fmt("DATE9."), day(28, 2, 2024), 1.7), day(29, 2, 2024));
}

TEST(SliderSnapping, SnapValueListsAndCounts) {
    EXPECT_EQ(values(0, 1, nullptr), (std::vector<double>{0, 1}));
    EXPECT_EQ(P::getSliderSnapValues(std::nan(""), 1, nullptr), nullptr);
    EXPECT_EQ(P::getSliderSnapValueCount(std::nan(""), 1, nullptr), 0);
    EXPECT_EQ(values(0, 0.05, "COMMA12.2"), (std::vector<double>{0, 0.01, 0.02, 0.03, 0.04, 0.05}));
    EXPECT_EQ(values(0.2, 0.5, "PERCENT8.0"), (std::vector<double>{0.2, 0.21, 0.22, 0.23, 0.24, 0.25, 0.26, 0.27, 0.28,
                                                                  0.29, 0.3, 0.31, 0.32, 0.33, 0.34, 0.35, 0.36, 0.37,
                                                                  0.38, 0.39, 0.4, 0.41, 0.42, 0.43, 0.44, 0.45, 0.46,
                                                                  0.47, 0.48, 0.49, 0.5}));
    // A zero-width range still has its one value; an inverted range has none.
    EXPECT_EQ(values(4, 4, nullptr), (std::vector<double>{4}));
    EXPECT_EQ(values(5, 4, nullptr), (std::vector<double>{}));
    // Past 500 values the list reserves for the estimate and still ends at max.
    auto many = P::getSliderSnapValues(0, 2000, nullptr);
    ASSERT_TRUE(many);
    EXPECT_EQ(many->size(), 2001u);
    EXPECT_EQ(many->back(), 2000);
    EXPECT_EQ(P::getSliderSnapValueCount(0, 2000, nullptr), 2001);
    EXPECT_EQ(P::getSliderSnapValueCount(0, 50, fmt("BEST12.")), 51);
}

TEST(SliderSnapping, RefusesBoundsThatCannotEnd) {
    double inf = std::numeric_limits<double>::infinity();
    EXPECT_EQ(P::getSliderSnapValues(-inf, 1, nullptr), nullptr);
    EXPECT_EQ(P::getSliderSnapValues(0, inf, nullptr), nullptr);
    EXPECT_EQ(P::getSliderSnapValueCount(0, inf, nullptr), 0);
    // Steps of 1 are lost to rounding at 1e17: no endless loop.
    EXPECT_EQ(P::getSliderSnapValues(1e17, 1e17 + 1e6, nullptr), nullptr);
    // A trillion whole steps is more than any slider shows.
    EXPECT_EQ(P::getSliderSnapValues(0, 1e12, nullptr), nullptr);
}

TEST(SliderSnapping, EstimatedCounts) {
    EXPECT_EQ(P::estimateSliderSnapValueCount(0, 1000, fmt("BEST12."), 10), 1001);
    EXPECT_EQ(P::estimateSliderSnapValueCount(0, 3, nullptr, 10), 4);
    EXPECT_EQ(P::estimateSliderSnapValueCount(std::nan(""), 3, nullptr, 10), 0);
    EXPECT_EQ(P::estimateSliderSnapValueCount(0, 1e12, nullptr, 10), 2147483647);
    EXPECT_EQ(P::estimateSliderSnapValueCount(0, 1e6, nullptr, 10), 1000001);
    // Dates: one value per day over a leap year.
    EXPECT_EQ(P::estimateSliderSnapValueCount(day(1, 1, 2024), day(31, 12, 2024), fmt("DATE9."), 1000), 366);
}

TEST(SliderSnapping, DatesAcrossMonthEndsAndLeapDays) {
    EXPECT_EQ(values(day(27, 2, 2024), day(2, 3, 2024), "DATE9."),
              (std::vector<double>{day(27, 2, 2024), day(28, 2, 2024), day(29, 2, 2024), day(1, 3, 2024), day(2, 3, 2024)}));
    EXPECT_EQ(values(day(28, 2, 2023), day(1, 3, 2023), "DATE9."),
              (std::vector<double>{day(28, 2, 2023), day(1, 3, 2023)}));
    // Months start on the first, whatever the month's length; a slider from
    // mid-January starts at the first of January.
    EXPECT_EQ(values(day(15, 1, 2024), day(15, 5, 2024), "MONYY7."),
              (std::vector<double>{day(1, 1, 2024), day(1, 2, 2024), day(1, 3, 2024), day(1, 4, 2024), day(1, 5, 2024)}));
    EXPECT_EQ(P::snapSliderValue(0, 0, fmt("MONYY7."), day(31, 1, 2023), 1), day(1, 2, 2023));
    EXPECT_EQ(P::snapSliderValue(0, 0, fmt("MONYY7."), day(31, 3, 2024), -1), day(1, 2, 2024));
    EXPECT_EQ(values(day(1, 1, 2023), day(31, 12, 2024), "QTR1."),
              (std::vector<double>{day(1, 1, 2023), day(1, 4, 2023), day(1, 7, 2023), day(1, 10, 2023), day(1, 1, 2024),
                                   day(1, 4, 2024), day(1, 7, 2024), day(1, 10, 2024)}));
    auto years = values(day(29, 2, 1996), day(1, 1, 2001), "YEAR4.");
    EXPECT_EQ(years, (std::vector<double>{day(1, 1, 1996), day(1, 1, 1997), day(1, 1, 1998), day(1, 1, 1999),
                                          day(1, 1, 2000), day(1, 1, 2001)}));
    // 100 years of days: every calendar day once.
    auto century = P::getSliderSnapValues(day(1, 1, 1950), day(31, 12, 2049), fmt("DATE9."));
    ASSERT_TRUE(century);
    EXPECT_EQ(century->size(), static_cast<size_t>(day(31, 12, 2049) - day(1, 1, 1950) + 1));
}

TEST(SliderSnapping, DateTimesAcrossMonthEndsAndLeapDays) {
    // Seconds across the leap day's midnight.
    auto dt = values(stamp(28, 2, 2024, 22, 30), stamp(29, 2, 2024, 1), "DATETIME19.");
    // Seconds: every second from 22:30 to 01:00.
    EXPECT_EQ(dt.size(), 2u * 3600 + 30 * 60 + 1);
    EXPECT_EQ(dt.front(), stamp(28, 2, 2024, 22, 30));
    EXPECT_EQ(dt.back(), stamp(29, 2, 2024, 1));
    // Months of a date-time slider start at midnight on the first.
    auto months = values(stamp(10, 1, 2024, 12), stamp(2, 4, 2024), "DTMONYY7.");
    EXPECT_EQ(months, (std::vector<double>{stamp(1, 1, 2024), stamp(1, 2, 2024), stamp(1, 3, 2024), stamp(1, 4, 2024)}));
    EXPECT_EQ(months[2] - months[1], 29 * 86400.0);
    auto days = values(stamp(28, 2, 2023, 6), stamp(2, 3, 2023), "DTDATE9.");
    EXPECT_EQ(days, (std::vector<double>{stamp(28, 2, 2023), stamp(1, 3, 2023), stamp(2, 3, 2023)}));
    // Years of a date-time slider: the leap year is 366 days long.
    auto years = values(stamp(1, 6, 2023), stamp(1, 6, 2026), "DTYEAR4.");
    EXPECT_EQ(years, (std::vector<double>{stamp(1, 1, 2023), stamp(1, 1, 2024), stamp(1, 1, 2025), stamp(1, 1, 2026)}));
    EXPECT_EQ(years[2] - years[1], 366 * 86400.0);
    // Times: TIME snaps to seconds, HOUR to hours, HHMM to minutes.
    EXPECT_EQ(values(3600 - 2, 3600 + 1, "TIME8."), (std::vector<double>{3598, 3599, 3600, 3601}));
    EXPECT_EQ(values(9 * 3600 + 1800, 12 * 3600, "HOUR2."),
              (std::vector<double>{9 * 3600, 10 * 3600, 11 * 3600, 12 * 3600}));
    auto minutes = values(10 * 3600 + 20, 10 * 3600 + 180, "HHMM5.");
    EXPECT_EQ(minutes, (std::vector<double>{10 * 3600, 10 * 3600 + 60, 10 * 3600 + 120, 10 * 3600 + 180}));
}
