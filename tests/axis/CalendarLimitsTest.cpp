// SPDX-License-Identifier: Apache-2.0
// Calendar helpers at the ends of the 64-bit year range.
#include "orvane/axis/CalendarArithmetic.h"
#include "orvane/axis/ZxAxis.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>

using namespace orvane;

TEST(CalendarLimits, LeapYearsBeforeAnyYearWithoutOverflow) {
    using Cal = CalendarArithmetic;
    constexpr int64_t lo = std::numeric_limits<int64_t>::min();
    constexpr int64_t hi = std::numeric_limits<int64_t>::max();
    // Counted directly: floor((y-1)/4) - floor((y-1)/100) + floor((y-1)/400).
    auto direct = [](int64_t y) {
        auto fd = [](int64_t a, int64_t b) { return a / b - ((a % b != 0) && ((a < 0) != (b < 0)) ? 1 : 0); };
        return fd(y - 1, 4) - fd(y - 1, 100) + fd(y - 1, 400);
    };
    for (int64_t y : {int64_t{-401}, int64_t{-400}, int64_t{-100}, int64_t{-1}, int64_t{0}, int64_t{1}, int64_t{4},
                      int64_t{5}, int64_t{100}, int64_t{101}, int64_t{400}, int64_t{401}, int64_t{2000}, int64_t{2024},
                      hi, hi - 3, lo + 1, lo + 400})
        EXPECT_EQ(Cal::leapYearsBefore(y), direct(y)) << y;
    // The smallest year: (lo - 1) cannot be formed, the count still can.
    // lo is divisible by 4, 100 is not a divisor, 400 is not: compare with lo + 400.
    EXPECT_EQ(Cal::leapYearsBefore(lo), Cal::leapYearsBefore(lo + 400) - 97);
    EXPECT_EQ(ZxAxis::NLEAP(lo), Cal::leapYearsBefore(lo));
    // Leap years between consecutive years differ by whether the earlier one is a leap year.
    for (int64_t y : {lo, lo + 1, lo + 2, lo + 3})
        EXPECT_EQ(Cal::leapYearsBefore(y + 1) - Cal::leapYearsBefore(y), Cal::isLeapYear(y) ? 1 : 0) << y;
}
