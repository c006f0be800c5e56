// SPDX-License-Identifier: Apache-2.0
#include "orvane/host/input/PointerGestureRecognizer.h"
#include "orvane/host/input/Gesture.h"
#include "orvane/host/input/KeyCode.h"

#include <cmath>

namespace orvane {

namespace {

bool finite(Point p) { return std::isfinite(p.x) && std::isfinite(p.y); }

float distance(Point a, Point b) { return std::hypot(a.x - b.x, a.y - b.y); }

PointerGestureRecognizer::Recognized gesture(std::shared_ptr<Gesture> g, int modifiers) {
    g->setModifiers(PointerGestureRecognizer::selectionModifiers(modifiers));
    return {std::move(g), {}};
}

} // namespace

int PointerGestureRecognizer::selectionModifiers(int keys) {
    int bits = 0;
    if (keys & SHIFT) bits |= KeyModifier::RANGE_SELECT;
    // Control adds to the selection; on a Mac the command (meta) key does.
    if (keys & (CONTROL | META)) bits |= KeyModifier::MULTI_SELECT;
    return bits;
}

double PointerGestureRecognizer::nextDeadline() const {
    if (!pressed_ || panning_ || longPressed_) return -1.0;
    return downTime_ + settings_.longPressDelay;
}

std::vector<PointerGestureRecognizer::Recognized> PointerGestureRecognizer::advance(double time) {
    std::vector<Recognized> out;
    if (std::isfinite(time) && time > now_) now_ = time;
    checkLongPress(now_, out);
    return out;
}

void PointerGestureRecognizer::checkLongPress(double time, std::vector<Recognized>& out) {
    const double deadline = nextDeadline();
    if (deadline < 0.0 || time < deadline) return;
    longPressed_ = true;
    hasLastTap_ = false;
    out.push_back(gesture(std::make_shared<LongPress>(GestureRecognizerState::BEGAN, downLocation_), modifiers_));
}

std::vector<PointerGestureRecognizer::Recognized> PointerGestureRecognizer::feed(const Input& input) {
    std::vector<Recognized> out;
    // Time never runs backwards here: a late or garbled time stamp is taken
    // as the last one, so intervals stay non-negative.
    const double time = std::isfinite(input.time) && input.time > now_ ? input.time : now_;
    now_ = time;
    // A press held past the delay became a long press before this input.
    checkLongPress(time, out);
    const bool hasPoint = finite(input.location);
    switch (input.kind) {
    case DOWN:
        if (!pressed_ && hasPoint) press(input, time);
        break;
    case MOVE:
        if (pressed_ && hasPoint) move(input, time, out);
        break;
    case UP:
        if (pressed_) release(input, time, out);
        break;
    case CANCEL: {
        auto ended = cancel(time);
        out.insert(out.end(), ended.begin(), ended.end());
        break;
    }
    case WHEEL:
        if (hasPoint && finite(input.delta) && (input.delta.x != 0.0f || input.delta.y != 0.0f))
            out.push_back(gesture(std::make_shared<MouseWheel>(input.location, input.delta), input.modifiers));
        break;
    case KEY:
        if (!input.key.empty()) out.push_back({nullptr, {input.key, input.modifiers}});
        break;
    }
    return out;
}

void PointerGestureRecognizer::press(const Input& input, double time) {
    pressed_ = true;
    panning_ = false;
    longPressed_ = false;
    downLocation_ = lastLocation_ = input.location;
    downTime_ = time;
    modifiers_ = input.modifiers;
    samples_.assign(1, {input.location, time});
}

void PointerGestureRecognizer::move(const Input& input, double time, std::vector<Recognized>& out) {
    lastLocation_ = input.location;
    samples_.push_back({input.location, time});
    // Only the samples of the velocity window (and the one just before it,
    // to measure from) are kept.
    while (samples_.size() > 2 && samples_[1].time < time - settings_.velocityWindow) samples_.erase(samples_.begin());
    // A long press that moves stays a long press: it is not a pan.
    if (longPressed_) return;
    const Point translation = input.location - downLocation_;
    if (!panning_) {
        if (distance(input.location, downLocation_) <= settings_.tapSlop) return;
        panning_ = true;
        hasLastTap_ = false;
        out.push_back(gesture(std::make_shared<Pan>(GestureRecognizerState::BEGAN, input.location, translation,
                                                    velocity(time)),
                              modifiers_));
        return;
    }
    out.push_back(gesture(
        std::make_shared<Pan>(GestureRecognizerState::CHANGED, input.location, translation, velocity(time)),
        modifiers_));
}

Point PointerGestureRecognizer::velocity(double time) const {
    if (samples_.size() < 2) return {};
    const Sample& first = samples_.front();
    const Sample& last = samples_.back();
    // A pointer that rested before it was let go has no speed left.
    if (time - last.time > settings_.velocityWindow) return {};
    const double span = last.time - first.time;
    if (span <= 1e-6) return {};
    return {static_cast<float>((last.location.x - first.location.x) / span),
            static_cast<float>((last.location.y - first.location.y) / span)};
}

void PointerGestureRecognizer::release(const Input& input, double time, std::vector<Recognized>& out) {
    const Point at = finite(input.location) ? input.location : lastLocation_;
    pressed_ = false;
    if (panning_) {
        panning_ = false;
        if (at != lastLocation_) samples_.push_back({at, time});
        out.push_back(gesture(
            std::make_shared<Pan>(GestureRecognizerState::ENDED, at, at - downLocation_, velocity(time)), modifiers_));
        return;
    }
    if (longPressed_) {
        longPressed_ = false;
        out.push_back(gesture(std::make_shared<LongPress>(GestureRecognizerState::ENDED, at), modifiers_));
        return;
    }
    // A tap: the second of two quick taps close together is a double tap.
    const bool twice = hasLastTap_ && lastTapCount_ == 1 && time - lastTapTime_ <= settings_.doubleTapInterval &&
                       distance(downLocation_, lastTapLocation_) <= settings_.tapSlop * 2.0f;
    if (twice) {
        out.push_back(gesture(std::make_shared<Tap>(downLocation_, 2, GestureRecognizerType::DOUBLE_TAP), modifiers_));
        hasLastTap_ = false;
        lastTapCount_ = 2;
        return;
    }
    out.push_back(gesture(std::make_shared<Tap>(downLocation_, 1), modifiers_));
    hasLastTap_ = true;
    lastTapCount_ = 1;
    lastTapLocation_ = downLocation_;
    lastTapTime_ = time;
}

std::vector<PointerGestureRecognizer::Recognized> PointerGestureRecognizer::cancel(double time) {
    std::vector<Recognized> out;
    (void)time;
    if (pressed_ && panning_)
        out.push_back(gesture(std::make_shared<Pan>(GestureRecognizerState::ENDED, lastLocation_,
                                                    lastLocation_ - downLocation_, Point{}),
                              modifiers_));
    else if (pressed_ && longPressed_)
        out.push_back(gesture(std::make_shared<LongPress>(GestureRecognizerState::ENDED, lastLocation_), modifiers_));
    pressed_ = panning_ = longPressed_ = false;
    samples_.clear();
    hasLastTap_ = false;
    return out;
}

std::vector<PointerGestureRecognizer::Recognized> PointerGestureRecognizer::reset() { return cancel(now_); }

} // namespace orvane
