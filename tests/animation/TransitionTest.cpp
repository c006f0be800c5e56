// SPDX-License-Identifier: Apache-2.0
// Transitions and their phases (fractions, delays, durations that are not
// finite numbers), composite animations and the inertial pan.
#include "orvane/displaylist/TqAnimate.h"
#include "orvane/displaylist/TqRef.h"
#include "orvane/host/core/CLog.h"
#include "orvane/host/core/Clock.h"
#include "orvane/animation/AnimatingPan.h"
#include "orvane/animation/Animation.h"
#include "orvane/animation/ConstructionTransition.h"
#include "orvane/animation/ParallelAnimation.h"
#include "orvane/animation/SequencedAnimation.h"
#include "orvane/animation/Transition.h"
#include "orvane/animation/Tweener.h"
#include "orvane/layout/LayoutConstraint.h"
#include "orvane/properties/EventCallback.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <utility>
#include <vector>

using namespace orvane;
using displaylist::TqAnimate;
using displaylist::TqRef;

namespace {
// A leaf animation over a fresh display-list animation object.
struct Leaf {
    TqRef<TqAnimate> object{new TqAnimate()};
    std::shared_ptr<Animation> animation = Animation::create(object.get());
};
} // namespace

TEST(TransitionPhase, FractionsAreClampedAndTheDelayGivesWay) {
    auto p = TransitionPhase::create(2, 0.8f, 0.5f, false);
    EXPECT_FLOAT_EQ(p->getDelayFraction(), 0.5f);
    EXPECT_FLOAT_EQ(p->getDurationFraction(), 0.5f);
    auto q = TransitionPhase::create(2, -1.0f, 7.0f, false);
    EXPECT_FLOAT_EQ(q->getDelayFraction(), 0.0f);
    EXPECT_FLOAT_EQ(q->getDurationFraction(), 1.0f);
    auto nan = TransitionPhase::create(2, NAN, NAN, false);
    EXPECT_FLOAT_EQ(nan->getDelayFraction(), 0.0f);
    EXPECT_EQ(p->getEasing(), 3);
}

TEST(TransitionTiming, FractionsThatSumToOneKeepTheirSplitAndDelays) {
    // Fractions that add up to one in single precision (0.6f + 0.4f is a
    // little above 1 in double) keep their split and delays; clearly above
    // one they are re-spread evenly.
    struct Case {
        double delay;
        std::vector<std::pair<float, float>> phases;  // delay and duration fractions
        std::vector<std::pair<float, float>> expected;
        double firstEnd;
    };
    const Case cases[] = {
        {0.0, {{0.0f, 0.6f}, {0.0f, 0.4f}}, {{0.0f, 0.6f}, {0.0f, 0.4f}}, 6.0},
        {2.0, {{0.1f, 0.3f}, {0.0f, 0.3f}, {0.0f, 0.4f}}, {{0.1f, 0.3f}, {0.0f, 0.3f}, {0.0f, 0.4f}}, 0.1 * 2.0 + 0.3 * 10.0},
        {0.0, {{0.0f, 0.6f}, {0.0f, 0.41f}}, {{0.0f, 0.5f}, {0.0f, 0.5f}}, 5.0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.phases.back().second);
        auto t = Transition::create(5, c.delay, 10.0);
        std::vector<std::shared_ptr<TransitionPhase>> phases;
        for (auto [delay, duration] : c.phases) {
            phases.push_back(TransitionPhase::create(2, delay, duration, false));
            t->addPhase(phases.back());
        }
        t->activate(0.0);
        for (size_t i = 0; i < phases.size(); ++i) {
            EXPECT_FLOAT_EQ(phases[i]->getDelayFraction(), c.expected[i].first) << i;
            EXPECT_FLOAT_EQ(phases[i]->getDurationFraction(), c.expected[i].second) << i;
        }
        EXPECT_NEAR(phases[0]->getEndTime(), c.firstEnd, 1e-5);
    }
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

TEST(Transition, PhasesOverOneAreRespreadOnActivationAndPlayInTurn) {
    auto t = Transition::create(5, 0.0, 3.0);
    std::vector<std::shared_ptr<TransitionPhase>> phases;
    for (int i = 0; i < 3; ++i) {
        phases.push_back(TransitionPhase::create(2, 0.2f, 0.5f, false));
        t->addPhase(phases.back());
    }
    t->activate(0.0);
    for (auto& p : phases) {
        EXPECT_FLOAT_EQ(p->getDurationFraction(), 1.0f / 3.0f);
        EXPECT_FLOAT_EQ(p->getDelayFraction(), 0.0f);
    }
    EXPECT_EQ(t->getCurrentPhase(), phases[0]);
    EXPECT_NEAR(phases[0]->getEndTime(), 1.0, 1e-6);
    EXPECT_TRUE(t->needsUpdateDisplayList());
    t->update(0.5);
    EXPECT_EQ(t->getCurrentPhase(), phases[0]);
    t->update(1.0);
    EXPECT_EQ(t->getCurrentPhase(), phases[1]);
    EXPECT_NEAR(phases[1]->getEndTime(), 2.0, 1e-6);
    // Phases cannot be added while active.
    t->addPhase(TransitionPhase::create(2, 0.0f, 1.0f, false));
    t->update(2.0);
    t->update(3.0);
    EXPECT_TRUE(t->isDeactivated());
    EXPECT_FALSE(t->isActive());
    EXPECT_FALSE(t->getCurrentPhase());
    // A deactivated transition ignores updates until a phase is added.
    t->update(4.0);
    EXPECT_FALSE(t->isActive());
    t->addPhase(TransitionPhase::create(2, 0.0f, 1.0f, false));
    EXPECT_FALSE(t->isDeactivated());
    t->update(4.0);
    EXPECT_TRUE(t->isActive());
}

TEST(Transition, DataSourceChangeEndsItsPhaseAfterOneAndAHalfSeconds) {
    auto t = Transition::createDataSourceChange();
    EXPECT_EQ(t->getType(), 2);
    EXPECT_EQ((*t->getPhases())[0]->getEasing(), 4);
    t->update(10.0);  // activates
    ASSERT_TRUE(t->getCurrentPhase());
    EXPECT_DOUBLE_EQ(t->getCurrentPhase()->getEndTime(), 11.5);
    t->displayListUpdated(11.4);
    EXPECT_TRUE(t->isActive());
    EXPECT_FALSE(t->needsUpdateDisplayList());
    t->update(11.5);
    EXPECT_TRUE(t->isDeactivated());
    auto c = ConstructionTransition::create(0.2f, 0.5f);
    EXPECT_EQ(c->getType(), 1);
    EXPECT_EQ((*c->getPhases())[0]->getType(), 3);
    EXPECT_EQ(Transition::createPFDArrangementChange()->getType(), 6);
    // No phases: activation deactivates at once.
    auto empty = Transition::create(5, 0.0, 1.0);
    empty->activate(0.0);
    EXPECT_TRUE(empty->isDeactivated());
}

TEST(Transition, HoldsBackModelChangesAndReleasesThemAtTheApplyingPhase) {
    auto model = LayoutConstraint::create();
    int changes = 0;
    model->addEventListener(AbstractProperty::CHANGE_EVENT, FunctionEventCallback::create([&](auto&) { ++changes; }));
    {
        auto t = Transition::create(5, 0.0, 2.0);
        t->addPhase(TransitionPhase::create(2, 0.0f, 0.5f, false));
        t->addPhase(TransitionPhase::create(2, 0.0f, 0.5f, true));
        t->addModel(model);
        model->zIndex.set(7);
        EXPECT_EQ(changes, 0);
        EXPECT_EQ(model->zIndex.get(), 0);
        t->activate(0.0);
        EXPECT_EQ(model->zIndex.get(), 0);  // first phase holds on
        // Models cannot be added or removed while active.
        auto other = LayoutConstraint::create();
        t->addModel(other);
        EXPECT_FALSE(other->getCachingIsEnabled());
        t->removeModel(model);
        EXPECT_TRUE(model->getCachingIsEnabled());
        t->update(1.0);  // second phase starts and applies
        EXPECT_EQ(model->zIndex.get(), 7);
        EXPECT_EQ(changes, 1);
        // Caching stays on until the transition lets go of the model.
        model->zIndex.set(8);
        EXPECT_EQ(model->zIndex.get(), 7);
        EXPECT_TRUE(model->getCachingIsEnabled());
    }
    // Destroying the transition discards what was still held and stops caching.
    EXPECT_FALSE(model->getCachingIsEnabled());
    EXPECT_EQ(model->zIndex.get(), 7);
    model->zIndex.set(9);
    EXPECT_EQ(changes, 2);
}

TEST(Transition, InterruptedTransitionDropsItsPhasesAndAnimations) {
    auto t = Transition::create(5, 0.0, 2.0);
    auto phase = TransitionPhase::create(2, 0.0f, 1.0f, false);
    Leaf leaf;
    phase->addAnimation(leaf.animation);
    t->addPhase(phase);
    t->addPhase(TransitionPhase::create(2, 0.0f, 1.0f, false));
    t->activate(0.0);
    EXPECT_EQ(phase->getAnimationCount(), 1u);
    t->deactivate();
    EXPECT_EQ(phase->getAnimationCount(), 0u);
    EXPECT_FALSE(t->getPhases());
    EXPECT_FALSE(t->needsLayout());
    t->update(5.0);
    EXPECT_FALSE(t->isActive());
}

TEST(CompositeAnimation, SpreadsTimeOverChildren) {
    auto seq = SequencedAnimation::create();
    std::vector<Leaf> leaves(4);
    for (auto& l : leaves) seq->addAnimation(l.animation);
    seq->setMinimumDelayAndMaximumDurationInSeconds(0.0f, 2.0f);
    const float starts[4] = {0.0f, 0.5f, 1.0f, 1.5f};
    for (int i = 0; i < 4; ++i) {
        EXPECT_FLOAT_EQ(leaves[i].object->GetDelay(), starts[i]);
        EXPECT_FLOAT_EQ(leaves[i].object->GetDuration(), 0.5f);
        EXPECT_EQ(leaves[i].object->GetHasDelay(), i > 0);
    }
    seq->setPhaseOverlap(1.0f);
    seq->setMinimumDelayAndMaximumDurationInSeconds(0.0f, 2.0f);
    for (int i = 0; i < 4; ++i) {
        EXPECT_NEAR(leaves[i].object->GetDelay(), 0.4f * i, 1e-6);
        EXPECT_NEAR(leaves[i].object->GetDuration(), 0.8f, 1e-6);
    }
    seq->setPhaseOverlap(-3.0f);
    EXPECT_FLOAT_EQ(seq->getPhaseOverlap(), 0.0f);

    // A parallel animation with its own fractions passes (D + fM, (M - fM)g).
    auto par = ParallelAnimation::create();
    par->setDelayFraction(0.25f);
    par->setDurationFraction(0.5f);
    Leaf a, b;
    par->addAnimation(a.animation);
    par->addAnimation(b.animation);
    par->setMinimumDelayAndMaximumDurationInSeconds(1.0f, 4.0f);
    EXPECT_FLOAT_EQ(a.object->GetDelay(), 2.0f);
    EXPECT_FLOAT_EQ(b.object->GetDuration(), 1.5f);
    par->setEasingFunction(4);
    EXPECT_EQ(a.object->GetEasing(), 4);
    // Empty composites and empty leaves do nothing.
    ParallelAnimation().setMinimumDelayAndMaximumDurationInSeconds(1.0f, 1.0f);
    Animation(nullptr).setMinimumDelayAndMaximumDurationInSeconds(1.0f, 1.0f);
}

TEST(AnimatingPan, DeceleratesToAStop) {
    Pan released(GestureRecognizerState::ENDED, {100, 100}, {30, 0}, {1500, 0});
    auto pan = AnimatingPan::create(released, std::make_shared<std::vector<Point>>(std::vector<Point>{{100, 100}}));
    EXPECT_EQ(pan->getType(), 2048);
    EXPECT_EQ(pan->getState(), 2);
    EXPECT_DOUBLE_EQ(pan->getDuration(), 1.0);
    pan->activate(0.0);
    pan->update(0.1);  // v = 1500 - 150 = 1350; step 135
    EXPECT_FLOAT_EQ(pan->getDelta().x, 135.0f);
    EXPECT_FLOAT_EQ(pan->getTranslation().x, 165.0f);
    EXPECT_FLOAT_EQ((*pan->getTouchPoints())[0].x, 235.0f);
    pan->update(0.2);
    EXPECT_FLOAT_EQ(pan->getDelta().x, 120.0f);
    pan->update(1.0);
    EXPECT_TRUE(pan->isDeactivated());
    EXPECT_EQ(pan->getState(), 3);
    EXPECT_TRUE(pan->getTouchPoints()->empty());

    // A pan released at speed 0 stops on its first update.
    Pan still(GestureRecognizerState::ENDED, {0, 0}, {0, 0}, {0, 0});
    auto zero = AnimatingPan::create(still, nullptr);
    zero->activate(5.0);
    EXPECT_TRUE(zero->isActive());
    zero->update(5.0);
    EXPECT_TRUE(zero->isDeactivated());
    // Diagonal motion floors each axis.
    Pan diag(GestureRecognizerState::ENDED, {0, 0}, {0, 0}, {-300, -400});
    auto d = AnimatingPan::create(diag, nullptr);
    d->activate(0.0);
    d->update(0.01);  // v = 485, step 4.85 -> (-2.91, -3.88) floored
    EXPECT_FLOAT_EQ(d->getDelta().x, -3.0f);
    EXPECT_FLOAT_EQ(d->getDelta().y, -4.0f);
}
