// SPDX-License-Identifier: Apache-2.0
// The pointer recogniser: what taps, double taps, pans, long presses, wheel
// steps and keys come out of raw input, and that no input leaves a gesture open.
#include "orvane/host/input/Gesture.h"
#include "orvane/host/input/PointerGestureRecognizer.h"
#include "orvane/host/input/KeyCode.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>

namespace orvane {
namespace {

using R = PointerGestureRecognizer;

R::Input in(R::Kind kind, float x, float y, double t, int modifiers = 0) {
    R::Input i;
    i.kind = kind;
    i.location = {x, y};
    i.time = t;
    i.modifiers = modifiers;
    return i;
}

std::vector<R::Recognized> run(R& r, const std::vector<R::Input>& inputs) {
    std::vector<R::Recognized> all;
    for (const auto& i : inputs) {
        auto out = r.feed(i);
        all.insert(all.end(), out.begin(), out.end());
    }
    return all;
}

TEST(PointerGestureRecognizer, TapsAndDoubleTaps) {
    R r;
    auto out = run(r, {in(R::DOWN, 10, 20, 0.0, R::SHIFT), in(R::MOVE, 13, 22, 0.02), in(R::UP, 13, 22, 0.05)});
    ASSERT_EQ(out.size(), 1u);
    auto tap = std::dynamic_pointer_cast<Tap>(out[0].gesture);
    ASSERT_TRUE(tap);
    EXPECT_EQ(tap->getType(), GestureRecognizerType::TAP);
    // The tap is where the press began, with the modifiers held at the press
    // as the views read them: Shift selects a range.
    EXPECT_EQ(tap->getLocation(), (Point{10, 20}));
    EXPECT_EQ(tap->getModifiers(), KeyModifier::RANGE_SELECT);

    // A second quick tap nearby is a double tap; a third starts over.
    out = run(r, {in(R::DOWN, 12, 21, 0.2), in(R::UP, 12, 21, 0.25)});
    ASSERT_EQ(out.size(), 1u);
    tap = std::dynamic_pointer_cast<Tap>(out[0].gesture);
    ASSERT_TRUE(tap);
    EXPECT_EQ(tap->getType(), GestureRecognizerType::DOUBLE_TAP);
    EXPECT_EQ(tap->getTapCount(), 2);
    out = run(r, {in(R::DOWN, 12, 21, 0.3), in(R::UP, 12, 21, 0.32)});
    ASSERT_EQ(out.size(), 1u);
    EXPECT_EQ(std::dynamic_pointer_cast<Tap>(out[0].gesture)->getTapCount(), 1);

    // Too late or too far away: two single taps.
    out = run(r, {in(R::DOWN, 12, 21, 2.0), in(R::UP, 12, 21, 2.05)});
    EXPECT_EQ(std::dynamic_pointer_cast<Tap>(out[0].gesture)->getTapCount(), 1);
    out = run(r, {in(R::DOWN, 200, 21, 2.1), in(R::UP, 200, 21, 2.15)});
    EXPECT_EQ(std::dynamic_pointer_cast<Tap>(out[0].gesture)->getTapCount(), 1);
}

TEST(PointerGestureRecognizer, PanCarriesTranslationAndVelocity) {
    R r;
    std::vector<R::Input> inputs{in(R::DOWN, 100, 100, 0.0)};
    // 20 moves of 10 px each, 10 ms apart: 1000 px/s to the right, 500 down.
    for (int i = 1; i <= 20; ++i) inputs.push_back(in(R::MOVE, 100 + 10.0f * i, 100 - 5.0f * i, 0.01 * i));
    inputs.push_back(in(R::UP, 300, 0, 0.205));
    auto out = run(r, inputs);
    ASSERT_GE(out.size(), 3u);
    auto first = std::dynamic_pointer_cast<Pan>(out.front().gesture);
    auto last = std::dynamic_pointer_cast<Pan>(out.back().gesture);
    ASSERT_TRUE(first && last);
    EXPECT_EQ(first->getState(), GestureRecognizerState::BEGAN);
    EXPECT_EQ(last->getState(), GestureRecognizerState::ENDED);
    for (size_t i = 1; i + 1 < out.size(); ++i) EXPECT_EQ(out[i].gesture->getState(), GestureRecognizerState::CHANGED);
    EXPECT_EQ(last->getTranslation(), (Point{200, -100}));
    EXPECT_NEAR(last->getVelocity().x, 1000.0f, 60.0f);
    EXPECT_NEAR(last->getVelocity().y, -500.0f, 30.0f);
    EXPECT_FALSE(r.isPressed());

    // Held still before letting go: the pan ends without speed (no fling).
    out = run(r, {in(R::DOWN, 0, 0, 1.0), in(R::MOVE, 50, 0, 1.01), in(R::MOVE, 60, 0, 1.02), in(R::UP, 60, 0, 1.5)});
    last = std::dynamic_pointer_cast<Pan>(out.back().gesture);
    ASSERT_TRUE(last);
    EXPECT_EQ(last->getVelocity(), (Point{0, 0}));
    // The pan is all it was: no tap after it.
    EXPECT_EQ(out.size(), 3u);
}

TEST(PointerGestureRecognizer, LongPressBySilenceOrByTheNextInput) {
    R r;
    EXPECT_LT(r.nextDeadline(), 0.0);
    r.feed(in(R::DOWN, 5, 5, 1.0));
    EXPECT_DOUBLE_EQ(r.nextDeadline(), 1.6);
    EXPECT_TRUE(r.advance(1.3).empty());
    auto out = r.advance(1.7);
    ASSERT_EQ(out.size(), 1u);
    EXPECT_EQ(out[0].gesture->getType(), GestureRecognizerType::LONG_PRESS);
    EXPECT_EQ(out[0].gesture->getState(), GestureRecognizerState::BEGAN);
    // Moving a long press far does not make a pan; letting go ends it, no tap.
    EXPECT_TRUE(r.feed(in(R::MOVE, 80, 80, 1.8)).empty());
    out = r.feed(in(R::UP, 80, 80, 1.9));
    ASSERT_EQ(out.size(), 1u);
    EXPECT_EQ(out[0].gesture->getType(), GestureRecognizerType::LONG_PRESS);
    EXPECT_EQ(out[0].gesture->getState(), GestureRecognizerState::ENDED);

    // Without a timer, the up that comes late first makes the long press.
    r.feed(in(R::DOWN, 5, 5, 3.0));
    out = r.feed(in(R::UP, 5, 5, 4.0));
    ASSERT_EQ(out.size(), 2u);
    EXPECT_EQ(out[0].gesture->getState(), GestureRecognizerState::BEGAN);
    EXPECT_EQ(out[1].gesture->getState(), GestureRecognizerState::ENDED);
}

TEST(PointerGestureRecognizer, WheelAndKeys) {
    R r;
    R::Input wheel = in(R::WHEEL, 30, 40, 0.0, R::CONTROL);
    wheel.delta = {0, 120};
    auto out = r.feed(wheel);
    ASSERT_EQ(out.size(), 1u);
    auto step = std::dynamic_pointer_cast<MouseWheel>(out[0].gesture);
    ASSERT_TRUE(step);
    EXPECT_EQ(step->getDelta(), (Point{0, 120}));
    EXPECT_EQ(step->getModifiers(), KeyModifier::MULTI_SELECT);
    EXPECT_EQ(R::selectionModifiers(R::META | R::ALT), KeyModifier::MULTI_SELECT);
    EXPECT_EQ(R::selectionModifiers(R::ALT), 0);
    wheel.delta = {0, 0};
    EXPECT_TRUE(r.feed(wheel).empty()) << "a wheel step of nothing is no gesture";

    R::Input key = in(R::KEY, 0, 0, 0.1, R::SHIFT | R::META);
    key.key = "ArrowDown";
    out = r.feed(key);
    ASSERT_EQ(out.size(), 1u);
    ASSERT_TRUE(out[0].isKey());
    EXPECT_EQ(out[0].key.key, "ArrowDown");
    EXPECT_EQ(out[0].key.modifiers, R::SHIFT | R::META);
    key.key.clear();
    EXPECT_TRUE(r.feed(key).empty());
}

TEST(PointerGestureRecognizer, NonsenseInputIsIgnoredAndNothingStaysOpen) {
    R r;
    const float nan = std::numeric_limits<float>::quiet_NaN();
    EXPECT_TRUE(r.feed(in(R::UP, 1, 1, 0.0)).empty()) << "an up without a down";
    EXPECT_TRUE(r.feed(in(R::DOWN, nan, 1, 0.0)).empty());
    EXPECT_FALSE(r.isPressed());
    r.feed(in(R::DOWN, 0, 0, 0.0));
    r.feed(in(R::DOWN, 500, 500, 0.01));  // a second button: ignored
    auto out = r.feed(in(R::MOVE, 40, 0, 0.02));
    ASSERT_EQ(out.size(), 1u);
    EXPECT_EQ(std::dynamic_pointer_cast<Pan>(out[0].gesture)->getTranslation(), (Point{40, 0}));
    // A cancel ends the open pan.
    out = r.feed(in(R::CANCEL, 0, 0, 0.03));
    ASSERT_EQ(out.size(), 1u);
    EXPECT_EQ(out[0].gesture->getState(), GestureRecognizerState::ENDED);
    // Time running backwards is taken as no time passing.
    r.feed(in(R::DOWN, 0, 0, 10.0));
    out = r.feed(in(R::UP, 0, 0, -5.0));
    ASSERT_EQ(out.size(), 1u);
    EXPECT_EQ(out[0].gesture->getType(), GestureRecognizerType::TAP);

    // Random input: every pan and long press that begins ends, in order.
    std::mt19937 rng(7);
    std::uniform_int_distribution<int> kind(0, 5);
    std::uniform_real_distribution<float> coord(-50.0f, 50.0f);
    int openPan = 0, openPress = 0;
    double t = 20.0;
    for (int i = 0; i < 20000; ++i) {
        t += (rng() % 100) / 200.0;
        R::Input x = in(static_cast<R::Kind>(kind(rng)), coord(rng), coord(rng), (rng() % 50) ? t : nan);
        x.delta = {coord(rng), coord(rng)};
        x.key = (rng() % 2) ? "x" : "";
        for (const auto& g : r.feed(x)) {
            if (g.isKey()) continue;
            const int type = g.gesture->getType(), state = g.gesture->getState();
            int& open = type == GestureRecognizerType::PAN ? openPan : openPress;
            if (type & GestureRecognizerType::ANY_TAP) {
                EXPECT_EQ(openPan + openPress, 0) << "a tap inside an open gesture";
                continue;
            }
            if (type == GestureRecognizerType::MOUSE_WHEEL) continue;  // the wheel turns during a drag too
            if (state == GestureRecognizerState::BEGAN) ++open;
            if (state == GestureRecognizerState::ENDED) --open;
            ASSERT_GE(open, 0);
            ASSERT_LE(open, 1);
            EXPECT_TRUE(std::isfinite(g.gesture->getLocation().x));
            if (auto pan = std::dynamic_pointer_cast<Pan>(g.gesture)) {
                EXPECT_TRUE(std::isfinite(pan->getVelocity().x));
            }
        }
    }
    r.reset();
    EXPECT_FALSE(r.isPressed());
}

} // namespace
} // namespace orvane
