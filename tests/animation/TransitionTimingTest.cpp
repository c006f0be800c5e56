// SPDX-License-Identifier: Apache-2.0
// Phase fractions that add up to one in single precision, and delays or
// durations that are not finite numbers.
#include "orvane/animation/Transition.h"
#include "orvane/host/core/CLog.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

using namespace orvane;

TEST(TransitionTiming, FractionsThatSumToOneKeepTheirSplitAndDelays) {
    // 0.6f + 0.4f is a little above 1 in double.
    auto t = Transition::create(5, 0.0, 10.0);
    auto first = TransitionPhase::create(2, 0.0f, 0.6f, false);
    auto second = TransitionPhase::create(2, 0.0f, 0.4f, false);
    t->addPhase(first);
    t->addPhase(second);
    t->activate(0.0);
    EXPECT_FLOAT_EQ(first->getDurationFraction(), 0.6f);
    EXPECT_FLOAT_EQ(second->getDurationFraction(), 0.4f);
    EXPECT_NEAR(first->getEndTime(), 6.0, 1e-5);

    // Three phases of 0.3, 0.3 and 0.4 with a delay keep their delay.
    auto u = Transition::create(5, 2.0, 10.0);
    auto a = TransitionPhase::create(2, 0.1f, 0.3f, false);
    auto b = TransitionPhase::create(2, 0.0f, 0.3f, false);
    auto c = TransitionPhase::create(2, 0.0f, 0.4f, false);
    for (auto& p : {a, b, c}) u->addPhase(p);
    u->activate(0.0);
    EXPECT_FLOAT_EQ(a->getDelayFraction(), 0.1f);
    EXPECT_FLOAT_EQ(a->getDurationFraction(), 0.3f);
    EXPECT_NEAR(a->getEndTime(), 0.1 * 2.0 + 0.3 * 10.0, 1e-5);

    // Clearly above one is still re-spread.
    auto v = Transition::create(5, 0.0, 10.0);
    auto x = TransitionPhase::create(2, 0.0f, 0.6f, false);
    auto y = TransitionPhase::create(2, 0.0f, 0.41f, false);
    v->addPhase(x);
    v->addPhase(y);
    v->activate(0.0);
    EXPECT_FLOAT_EQ(x->getDurationFraction(), 0.5f);
}

TEST(TransitionTiming, NonFiniteDelayOrDurationCountsAsZeroAndTheTransitionEnds) {
    CLogCapture log;
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    for (auto [delay, duration] : {std::pair{nan, 1.0}, std::pair{0.0, nan}, std::pair{inf, 1.0},
                                   std::pair{0.0, -inf}, std::pair{1e300, 1.0}}) {
        auto t = Transition::create(5, delay, duration);
        t->addPhase(TransitionPhase::create(2, 0.5f, 0.5f, false));
        t->update(2.0);
        ASSERT_TRUE(t->getCurrentPhase());
        EXPECT_TRUE(std::isfinite(t->getCurrentPhase()->getEndTime())) << delay << " " << duration;
        t->update(100.0);
        EXPECT_TRUE(t->isDeactivated()) << delay << " " << duration;
    }
    // Phases whose fractions were set to NaN after creation are re-spread.
    auto t = Transition::create(5, 0.0, 1.0);
    auto p = TransitionPhase::create(2, 0.0f, 1.0f, false);
    p->setDurationFraction(std::numeric_limits<float>::quiet_NaN());
    t->addPhase(p);
    t->update(0.0);
    EXPECT_FLOAT_EQ(p->getDurationFraction(), 1.0f);
    t->update(1.0);
    EXPECT_TRUE(t->isDeactivated());
}
