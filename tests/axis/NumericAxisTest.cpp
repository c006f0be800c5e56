// SPDX-License-Identifier: Apache-2.0
#include "orvane/axis/BinInfo.h"
#include "orvane/axis/ZxAxis.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <vector>

using namespace orvane;

namespace {
ZxAxis::Ticks nax(double lo, double hi, bool includeZero = false, int maxTicks = 6) {
    return ZxAxis::znaxis(lo, hi, false, includeZero, maxTicks, 0.6, 0.8);
}
void expectTicks(const ZxAxis::Ticks& t, double first, double step, double count) {
    EXPECT_DOUBLE_EQ(t.first, first);
    EXPECT_DOUBLE_EQ(t.step, step);
    EXPECT_EQ(t.count, count);
}
// The ticks cover [lo, hi] and are at most maxTicks.
void expectCovers(const ZxAxis::Ticks& t, double lo, double hi, int maxTicks) {
    double last = t.first + (t.count - 1) * t.step;
    double slack = 1e-9 * std::max(std::fabs(lo), std::fabs(hi));
    EXPECT_LE(t.first, lo + slack) << lo << ".." << hi;
    EXPECT_GE(last, hi - slack) << lo << ".." << hi;
    EXPECT_LE(t.count, maxTicks) << lo << ".." << hi;
    EXPECT_GE(t.count, 2);
}
} // namespace

TEST(Znaxis, ChoosesRoundTicks) {
    expectTicks(nax(0, 100), 0, 20, 6);
    expectTicks(nax(100, 0), 0, 20, 6);  // either order
    expectTicks(nax(5, 5), 5, 0, 1);
    expectTicks(nax(0, 1), 0, 0.2, 6);
    expectTicks(nax(0, 10), 0, 2, 6);
    expectTicks(nax(0.5, 99.5), 0, 20, 6);
    expectTicks(nax(1, 1000), 0, 200, 6);
    expectTicks(nax(3, 7, true), 0, 2, 5);
    EXPECT_EQ(nax(3, 7, true).first, 0);
    // The first tick moves up only while the next one is still below the range.
    expectTicks(nax(-3, 7), -5, 2.5, 6);
    expectTicks(nax(-10, -3, true), -10, 2, 6);
    // With includeZero a tick step is taken only when the coarse lower bound
    // (-7 here) is a multiple of it: none is, so the ticks fall back.
    expectTicks(nax(-7, -3, true), -7, 1.4, 6);
    expectTicks(nax(0, 100, false, 3), 0, 50, 3);
    expectTicks(nax(0, 100, false, 11), 0, 10, 11);
}

TEST(Znaxis, SpansZeroTinyAndHugeMagnitudes) {
    const std::vector<std::pair<double, double>> ranges{
        {-1, 1},         {-250, 1000},     {-0.003, 0.0042}, {1e-9, 3e-9},    {1e-300, 5e-300},
        {1e15, 3.7e15},  {-1e200, 1e200},  {0, 1.7e308},     {-1.7e308, 0},   {123456789, 123456790},
        {0.1, 0.3},      {-2e-5, -1e-5},   {99, 101},        {1e6, 1e6 + 7},
    };
    for (auto [lo, hi] : ranges) {
        for (int maxTicks : {3, 4, 5, 6}) {
            ZxAxis::Ticks t = nax(lo, hi, false, maxTicks);
            ASSERT_TRUE(std::isfinite(t.first) && std::isfinite(t.step)) << lo << ".." << hi;
            expectCovers(t, lo, hi, maxTicks);
        }
    }
    // A range too narrow for its magnitude falls back to evenly spaced ticks.
    expectTicks(nax(1e10, 1e10 + 1e-3), 1e10, ((1e10 + 1e-3) - 1e10) / 5, 6);
    expectTicks(nax(0, 1e-160, false, 4), 0, 1e-160 / 3, 4);
    // Ranges wider than the largest double fall back with a finite step.
    ZxAxis::Ticks t = nax(-DBL_MAX, DBL_MAX);
    EXPECT_EQ(t.first, -DBL_MAX);
    EXPECT_TRUE(std::isfinite(t.step));
    EXPECT_EQ(t.count, 6);
}

TEST(Znaxis, BadInputFallsBack) {
    ZxAxis::Ticks t = nax(NAN, 5);
    EXPECT_TRUE(std::isnan(t.first) || std::isnan(t.step));
    EXPECT_EQ(t.count, 6);
    t = nax(-INFINITY, 5);
    EXPECT_EQ(t.count, 6);
    EXPECT_EQ(t.first, -INFINITY);
    t = nax(0, 10, false, 0);  // no acceptable ticks: two evenly spaced ones
    expectTicks(t, 0, 10, 2);
    t = nax(0, 10, false, -5);
    expectTicks(t, 0, 10, 2);
    t = ZxAxis::znaxis(0, 100, false, false, 6, 7.0, -3.0);  // fills out of bounds take the defaults
    expectTicks(t, 0, 20, 6);
}

TEST(Ziaxis, ChoosesWholeNumberTicks) {
    auto iax = [](double lo, double hi, bool zero = false, int maxTicks = 6) {
        return ZxAxis::ziaxis(lo, hi, false, zero, maxTicks, 0.6, 0.8);
    };
    auto expectI = [](ZxAxis::IntegerTicks t, int64_t first, int64_t step, int64_t count) {
        EXPECT_EQ(t.first, first);
        EXPECT_EQ(t.step, step);
        EXPECT_EQ(t.count, count);
    };
    expectI(iax(4, 4), 4, 0, 1);
    expectI(iax(2, 6), 2, 1, 5);            // small ranges count by ones
    expectI(iax(0, 100), 0, 20, 6);
    expectI(iax(1, 1000), 0, 200, 6);
    expectI(iax(2.3, 7.8, false, 8), 2, 1, 7);  // bounds rounded outwards to 2..8
    expectI(iax(2.3, 7.8, false, 3), 0, 5, 3);
    expectI(iax(3, 7, true, 8), 0, 1, 8);
    expectI(iax(3, 7, true), 0, 2, 5);
    expectI(iax(-3, 7), -5, 5, 4);
    for (auto [lo, hi] : std::vector<std::pair<double, double>>{{-17, 4000}, {1e12, 1e12 + 77}, {-9e15, 9e15}, {0, 13}}) {
        ZxAxis::IntegerTicks t = iax(lo, hi);
        EXPECT_GE(t.step, 1);
        EXPECT_LE(t.first, lo);
        EXPECT_GE(t.first + (t.count - 1) * t.step, hi);
    }
    expectI(iax(NAN, 3), 0, 0, 0);
    expectI(iax(0, INFINITY), 0, 0, 0);
    expectI(iax(0, 1e300), 0, 0, 0);
    expectI(iax(0, 3, false, 1), 0, 3, 2);  // fallback: two ticks
}

TEST(NoRange, SpacesTicksEvenly) {
    ZxAxis::Ticks t = ZxAxis::noRange(0, 10, false, 11);
    EXPECT_EQ(t.first, 0);
    EXPECT_EQ(t.step, 2);
    EXPECT_EQ(t.count, 6);
    t = ZxAxis::noRange(0, 10, false, 1);
    EXPECT_EQ(t.step, 10);
    EXPECT_EQ(t.count, 2);
    t = ZxAxis::noRange(0, 10, false, 5);
    EXPECT_EQ(t.step, 2.5);
    EXPECT_EQ(t.count, 5);
}

TEST(Zlogaxis, MajorsArePowersOfTheBase) {
    auto t = ZxAxis::zlogaxis(1, 1000, 10, 6, 0.6, 0.8, false, false, -1);
    EXPECT_EQ(*t->majorValues, (std::vector<double>{1, 10, 100, 1000}));
    EXPECT_EQ(*t->majorExponents, (std::vector<double>{0, 1, 2, 3}));
    EXPECT_EQ(t->majorRange.minimum, 1);
    EXPECT_EQ(t->majorRange.maximum, 1000);
    EXPECT_TRUE(t->minorRange.isEmpty());
    EXPECT_EQ(t->minorRange.minimum, DBL_MAX);
    EXPECT_EQ(t->minorRange.maximum, DBL_MIN);

    // Many decades: exponents every ceil(d / (maxTicks - 1)), laid down from the top.
    t = ZxAxis::zlogaxis(1e-5, 1e15, 10, 5, 0.6, 0.8, false, false, -1);
    EXPECT_EQ(*t->majorExponents, (std::vector<double>{-5, 0, 5, 10, 15}));
    t = ZxAxis::zlogaxis(1, 1e10, 10, 4, 0.6, 0.8, false, false, -1);
    EXPECT_EQ(*t->majorExponents, (std::vector<double>{-2, 2, 6, 10}));
    // Base 2.
    t = ZxAxis::zlogaxis(1, 64, 2, 10, 0.6, 0.8, false, false, -1);
    EXPECT_EQ(*t->majorValues, (std::vector<double>{1, 2, 4, 8, 16, 32, 64}));
    // A base below 1 gives the same powers, ascending in value.
    t = ZxAxis::zlogaxis(0.25, 4, 0.5, 10, 0.6, 0.8, false, false, -1);
    EXPECT_EQ(*t->majorValues, (std::vector<double>{0.25, 0.5, 1, 2, 4}));
}

TEST(Zlogaxis, TrimsOuterMajorsTheDataBarelyEnters) {
    // 9.5 .. 1100 enters the decades 1..10 and 1000..10000 only slightly.
    auto t = ZxAxis::zlogaxis(9.5, 1100, 10, 6, 0.6, 0.8, false, false, -1);
    EXPECT_EQ(*t->majorValues, (std::vector<double>{10, 100, 1000}));
    // 3 .. 700 fills them enough to keep them.
    t = ZxAxis::zlogaxis(3, 700, 10, 6, 0.6, 0.8, false, false, -1);
    EXPECT_EQ(*t->majorValues, (std::vector<double>{1, 10, 100, 1000}));
    // Two majors always stay.
    t = ZxAxis::zlogaxis(9.9, 10.1, 10, 6, 0.6, 0.8, false, false, -1);
    EXPECT_EQ(*t->majorValues, (std::vector<double>{10, 100}));
    t = ZxAxis::zlogaxis(99, 101, 10, 6, 0.6, 0.8, false, false, -1);
    EXPECT_EQ(*t->majorValues, (std::vector<double>{100, 1000}));
}

TEST(Zlogaxis, MinorTicks) {
    auto t = ZxAxis::zlogaxis(1, 100, 10, 6, 0.6, 0.8, true, false, -1);
    EXPECT_EQ(*t->minorValues, (std::vector<double>{2, 3, 4, 5, 6, 7, 8, 9, 20, 30, 40, 50, 60, 70, 80, 90}));
    EXPECT_EQ(t->minorRange.minimum, 2);
    EXPECT_EQ(t->minorRange.maximum, 90);
    // Beyond trimmed majors the minors reach as far as the data.
    t = ZxAxis::zlogaxis(9.5, 1100, 10, 6, 0.6, 0.8, true, false, -1);
    EXPECT_EQ(t->minorValues->front(), 20);
    EXPECT_EQ(t->minorValues->back(), 900);  // 2000 lies beyond the data
    t = ZxAxis::zlogaxis(7.5, 1100, 10, 6, 0.6, 0.8, true, false, -1);
    EXPECT_EQ(*t->majorValues, (std::vector<double>{10, 100, 1000}));
    EXPECT_EQ(t->minorValues->front(), 8);
    EXPECT_EQ(t->minorValues->back(), 900);
    t = ZxAxis::zlogaxis(7, 2500, 10, 6, 0.6, 0.8, true, false, -1);
    EXPECT_EQ(*t->majorValues, (std::vector<double>{10, 100, 1000, 10000}));
    EXPECT_EQ(t->minorValues->front(), 7);
    EXPECT_EQ(t->minorValues->back(), 9000);
    // Several decades per major: the powers between them.
    t = ZxAxis::zlogaxis(1, 1e6, 10, 4, 0.6, 0.8, true, false, -1);
    EXPECT_EQ(*t->majorExponents, (std::vector<double>{0, 2, 4, 6}));
    EXPECT_EQ(*t->minorValues, (std::vector<double>{10, 1000, 100000}));
    // A given number of evenly spaced minors per interval.
    t = ZxAxis::zlogaxis(1, 100, 10, 6, 0.6, 0.8, true, false, 3);
    EXPECT_EQ(*t->minorValues, (std::vector<double>{3.25, 5.5, 7.75, 32.5, 55, 77.5}));
    t = ZxAxis::zlogaxis(1, 100, 10, 6, 0.6, 0.8, true, false, 0);
    EXPECT_EQ(t->getMinorCount(), 0u);
    // Other bases: no minors; without wantMinor: none either.
    EXPECT_EQ(ZxAxis::zlogaxis(1, 64, 2, 10, 0.6, 0.8, true, false, -1)->getMinorCount(), 0u);
    EXPECT_EQ(ZxAxis::zlogaxis(1, 100, 10, 6, 0.6, 0.8, false, false, -1)->getMinorCount(), 0u);
}

TEST(Zlogaxis, UniformExponents) {
    auto t = ZxAxis::zlogaxis(1, 1e10, 10, 6, 0.6, 0.8, true, true, -1);
    EXPECT_EQ(*t->majorExponents, (std::vector<double>{0, 2, 4, 6, 8, 10}));
    EXPECT_EQ(t->getMinorCount(), 5u);
    EXPECT_EQ((*t->minorValues)[0], 50.5);  // midpoint of 1 and 100
    t = ZxAxis::zlogaxis(1, 10, 10, 6, 0.6, 0.8, false, true, -1);
    EXPECT_EQ(t->majorExponents->size(), 6u);
    EXPECT_NEAR((*t->majorValues)[1], std::pow(10, 0.2), 1e-12);
}

TEST(Zlogaxis, RejectsRangesTouchingZeroAndBadBases) {
    for (auto [lo, hi, base] : std::vector<std::tuple<double, double, double>>{
             {0, 10, 10}, {-1, 10, 10}, {1, 10, 0}, {1, 10, -2}, {1, 10, 1}, {NAN, 10, 10}, {1, INFINITY, 10},
             {1, 10, NAN}, {1, 10, INFINITY}}) {
        auto t = ZxAxis::zlogaxis(lo, hi, base, 6, 0.6, 0.8, true, false, -1);
        ASSERT_TRUE(t);
        EXPECT_EQ(t->getMajorCount(), 0u);
        EXPECT_EQ(t->getMinorCount(), 0u);
    }
    // Extreme magnitudes keep only representable majors.
    auto t = ZxAxis::zlogaxis(5e-324, DBL_MAX, 10, 6, 0.6, 0.8, true, false, -1);
    ASSERT_GE(t->getMajorCount(), 2u);
    for (double v : *t->majorValues) EXPECT_TRUE(std::isfinite(v) && v > 0);
    // A base close to 1 has very many decades: the majors stay bounded.
    t = ZxAxis::zlogaxis(1e-300, 1e300, 1.0000001, 0, 0.6, 0.8, true, false, -1);
    EXPECT_LE(t->getMajorCount(), 1000u);
}

TEST(BinInfo, FindsTheBinOfAValue) {
    auto b = BinInfo::create({10, 0, 5, NAN, 5, 20});
    EXPECT_EQ(b->getBoundaries(), (std::vector<double>{0, 5, 10, 20}));
    EXPECT_EQ(b->getBinCount(), 3u);
    EXPECT_EQ(b->getBinForValue(0), 0);
    EXPECT_EQ(b->getBinForValue(4.99), 0);
    EXPECT_EQ(b->getBinForValue(5), 1);
    EXPECT_EQ(b->getBinForValue(20), 2);
    EXPECT_EQ(b->getBinForValue(20.01), -1);
    EXPECT_EQ(b->getBinForValue(-1), -1);
    EXPECT_EQ(b->getBinForValue(NAN), -1);
    EXPECT_EQ(BinInfo::create({})->getBinForValue(1), -1);
}
