// SPDX-License-Identifier: Apache-2.0
// Random inputs, including not-a-number, infinities, denormals and huge values,
// through the public axis operations: no crash, no hang, no undefined
// behaviour (run under the sanitizer build), and results that keep their
// invariants.
#include "orvane/axis/CalendarArithmetic.h"
#include "orvane/axis/TimeInterval.h"
#include "orvane/axis/ZxAxis.h"

#include "AxisTestSupport.h"
#include "orvane/host/core/CLog.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <cstring>
#include <random>
#include <stdexcept>

using namespace orvane;

namespace {
class RandomDoubles {
public:
    explicit RandomDoubles(uint64_t seed) : rng_(seed) {}

    double next() {
        static const double specials[] = {NAN, INFINITY, -INFINITY, 0.0, -0.0, 5e-324, -5e-324, DBL_MIN, DBL_MAX,
                                          -DBL_MAX, 1e308, -1e308, 2.2250738585072009e-308, 1e-310, 1, -1,
                                          9007199254740992.0, -9007199254740993.0, 1e19, -1e19};
        switch (pick(6)) {
        case 0: return specials[pick(sizeof specials / sizeof specials[0])];
        case 1: {
            uint64_t bits = rng_();
            double d;
            std::memcpy(&d, &bits, sizeof d);
            return d;
        }
        case 2: return std::uniform_real_distribution<double>(-1e6, 1e6)(rng_);
        case 3: {
            double e = std::uniform_real_distribution<double>(-320, 308)(rng_);
            return (pick(2) ? -1 : 1) * std::pow(10.0, e);
        }
        case 4: return std::floor(std::uniform_real_distribution<double>(-2e5, 7e6)(rng_));  // day numbers
        default: return std::uniform_real_distribution<double>(-1.3e10, 5.7e11)(rng_);      // second numbers
        }
    }
    // A second bound: often right next to the first.
    double near(double x) {
        switch (pick(4)) {
        case 0: return std::nextafter(x, INFINITY);
        case 1: return x * (1 + 1e-9);
        case 2: return x + std::uniform_real_distribution<double>(0, 1000)(rng_);
        default: return next();
        }
    }
    int ticks() {
        static const int values[] = {-100, -1, 0, 1, 2, 3, 4, 5, 6, 7, 10, 25, 1000, INT32_MAX, INT32_MIN};
        return values[pick(sizeof values / sizeof values[0])];
    }
    size_t pick(size_t n) { return std::uniform_int_distribution<size_t>(0, n - 1)(rng_); }

private:
    std::mt19937_64 rng_;
};

bool allFinite(std::initializer_list<double> v) {
    for (double d : v)
        if (!std::isfinite(d)) return false;
    return true;
}
} // namespace

TEST(AxisFuzz, NumericAndIntegerTicks) {
    RandomDoubles r(20240601);
    for (int i = 0; i < 60000; ++i) {
        double a = r.next(), b = r.pick(2) ? r.near(a) : r.next();
        int maxTicks = r.ticks();
        bool zero = r.pick(2);
        double fF = r.pick(4) ? 0.6 : r.next(), fC = r.pick(4) ? 0.8 : r.next();
        ZxAxis::Ticks t = ZxAxis::znaxis(a, b, false, zero, maxTicks, fF, fC);
        ASSERT_GE(t.count, 1) << a << " " << b;
        ASSERT_LE(t.count, std::max(6, maxTicks)) << a << " " << b;
        if (allFinite({a, b, b - a})) {
            ASSERT_TRUE(allFinite({t.first, t.step})) << a << " " << b;
            double lo = std::min(a, b), hi = std::max(a, b);
            if (zero) lo = std::min(lo, 0.0), hi = std::max(hi, 0.0);
            double last = t.first + (t.count - 1) * t.step;
            // Ticks may lie within 1e-6 of the magnitude inside the data (the
            // searches treat such values as on a tick); ranges narrower than
            // 1.5e-154 fall back to steps that may underflow.
            double slack = std::max(2e-6 * std::max({std::fabs(lo), std::fabs(hi), t.step}), 1e-150);
            if (t.count > 1) {
                EXPECT_LE(t.first, lo + slack) << a << " " << b << " " << maxTicks;
                EXPECT_GE(last, hi - slack) << a << " " << b << " " << maxTicks;
            }
        }

        ZxAxis::IntegerTicks it = ZxAxis::ziaxis(a, b, false, zero, maxTicks, fF, fC);
        ASSERT_GE(it.count, 0);
        ASSERT_LE(it.count, std::max<int64_t>({6, maxTicks, 11}));
        if (it.count >= 2) {
            ASSERT_GE(it.step, 1);
            double lo = std::floor(std::min(a, b)), hi = std::ceil(std::max(a, b));
            if (zero) lo = std::min(lo, 0.0), hi = std::max(hi, 0.0);
            double last = static_cast<double>(it.first) + static_cast<double>(it.count - 1) * static_cast<double>(it.step);
            double slack = 2e-6 * std::max({std::fabs(lo), std::fabs(hi), static_cast<double>(it.step)});
            EXPECT_LE(static_cast<double>(it.first), lo + slack) << a << " " << b;
            EXPECT_GE(last, hi - slack) << a << " " << b;
        }
        if (!allFinite({a, b})) {
            EXPECT_EQ(it.count, 0);
        }
    }
}

TEST(AxisFuzz, LogarithmicTicks) {
    RandomDoubles r(777);
    for (int i = 0; i < 20000; ++i) {
        double a = r.next(), b = r.pick(2) ? r.near(a) : r.next();
        double base = r.pick(3) ? 10.0 : r.pick(2) ? 2.0 : r.next();
        if (r.pick(4) == 0) base = std::fabs(base);
        int maxTicks = r.ticks();
        bool wantMinor = r.pick(2), uniform = r.pick(3) == 0;
        int minorCount = static_cast<int>(r.pick(4)) == 0 ? INT32_MAX : static_cast<int>(r.pick(12)) - 2;
        auto t = ZxAxis::zlogaxis(a, b, base, maxTicks, 0.6, 0.8, wantMinor, uniform, minorCount);
        ASSERT_TRUE(t);
        ASSERT_LE(t->getMajorCount(), 1000u);
        ASSERT_LE(t->getMinorCount(), 200000u);
        ASSERT_EQ(t->majorValues->size(), t->majorExponents->size());
        for (size_t k = 0; k < t->getMajorCount(); ++k) {
            double v = (*t->majorValues)[k];
            ASSERT_TRUE(std::isfinite(v) && v > 0) << a << " " << b << " " << base;
            if (k > 0) {
                ASSERT_LT((*t->majorValues)[k - 1], v);
            }
        }
        for (double v : *t->minorValues) ASSERT_TRUE(std::isfinite(v) && v > 0);
        if (!(a > 0 && b > 0 && base > 0 && std::isfinite(a) && std::isfinite(b) && std::isfinite(base) && base != 1)) {
            ASSERT_EQ(t->getMajorCount(), 0u);
        }
    }
}

TEST(AxisFuzz, PeriodSteppingCountingAndNames) {
    RandomDoubles r(31337);
    const char* names[] = {"SECOND", "SECOND5.3", "MINUTE15", "HOUR2.2", "DAY", "DAY3.2", "WEEK", "WEEK6.13",
                           "WEEKDAY", "WEEKDAY17W5.3", "WEEKDAY123456W", "TENDAY2.3", "SEMIMONTH", "MONTH3.2",
                           "QTR", "SEMIYEAR.4", "YEAR", "YEAR100.37", "OBS7", "NONE", "YEAR999999999.99999"};
    CLog::setEnabled(CLog::ERRORS, false);  // bad codes log on every call
    for (int i = 0; i < 60000; ++i) {
        TimeInterval iv;
        iv.setFromName(names[r.pick(sizeof names / sizeof names[0])]);
        iv.valueKind = static_cast<int>(r.pick(5));
        if (r.pick(8) == 0) iv.intervalCode = static_cast<IntervalConstants::constant>(static_cast<int>(r.pick(80)) - 5);
        if (r.pick(8) == 0) iv.multiple = r.ticks();
        if (r.pick(8) == 0) iv.shift = r.ticks();
        double start = r.next(), steps = r.pick(2) ? static_cast<double>(static_cast<int>(r.pick(41)) - 20) : r.next();
        double v = ZxAxis::getBeginingOfNextPeriodAfterStartValue(iv, start, steps);
        ASSERT_TRUE(std::isnan(v) || std::isfinite(v));
        if (!std::isnan(v) && CalendarArithmetic::isCalendarCode(iv.intervalCode) && iv.valueKind == 2) {
            ASSERT_TRUE(CalendarArithmetic::isValidDay(v)) << v;
        }
        double n = ZxAxis::getNumberOfIntervalBoundaries(iv, start, r.pick(2) ? r.near(start) : r.next());
        ASSERT_TRUE(std::isnan(n) || std::isfinite(n));
    }
    CLog::setEnabled(CLog::ERRORS, true);
    // Random interval names.
    const std::string alphabet = "DTWEKAYMONHQRS0123456789.wx ";
    for (int i = 0; i < 20000; ++i) {
        std::string s;
        for (size_t k = r.pick(16); k > 0; --k) s += alphabet[r.pick(alphabet.size())];
        TimeInterval iv;
        iv.setFromName(s);
        ASSERT_GE(iv.multiple, 0);
        ASSERT_LT(iv.weekendDayCount(), 7);
        (void)iv.toString();
    }
}

TEST(AxisFuzz, TimeAxes) {
    RandomDoubles r(4242);
    const auto date = test::FixedFormatter::date("DATE");
    const auto dt = test::FixedFormatter::dateTime("DATETIME");
    const auto monyy = test::FixedFormatter::date("NLDATEYM");
    for (int i = 0; i < 3000; ++i) {
        double a = r.next(), b = r.pick(2) ? r.near(a) : r.next();
        int maxTicks = r.ticks();
        auto f = r.pick(3) == 0 ? dt : r.pick(2) ? date : monyy;
        try {
            ZxAxis::TimeTicks t = ZxAxis::ztaxis(nullptr, a, b, maxTicks, r.pick(2), f);
            if (t.found) {
                ASSERT_LE(t.majorValues.size(), static_cast<size_t>(std::max(maxTicks, 1)));
                ASSERT_FALSE(t.majorValues.empty());
            }
        } catch (const std::runtime_error& e) {
            EXPECT_STREQ(e.what(), "ZxAxis : Minimum value or maximum value is out of range.");
        }
    }
}
