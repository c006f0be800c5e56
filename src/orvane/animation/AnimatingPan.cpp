// SPDX-License-Identifier: Apache-2.0
#include "orvane/animation/AnimatingPan.h"

#include <cmath>

namespace orvane {

AnimatingPan::AnimatingPan(const Pan& pan, const std::vector<Point>& touchPoints) : Pan(pan) {
    setTouchPoints(touchPoints);
    setType(GestureRecognizerType::CONTINUED_PAN);
    setState(GestureRecognizerState::CHANGED);
    Point v = pan.getVelocity();
    angle_ = std::atan2(static_cast<double>(v.y), static_cast<double>(v.x));
    velocityMagnitude_ = std::hypot(static_cast<double>(v.x), static_cast<double>(v.y));
    if (!std::isfinite(velocityMagnitude_)) velocityMagnitude_ = 0.0;
    duration_ = velocityMagnitude_ / DECELERATION;
}

std::shared_ptr<AnimatingPan> AnimatingPan::create(const Pan& pan, std::shared_ptr<std::vector<Point>> touchPoints) {
    return std::make_shared<AnimatingPan>(pan, touchPoints ? *touchPoints : std::vector<Point>{});
}

void AnimatingPan::activate(double time) {
    if (deactivated_ || active_) return;
    active_ = true;
    lastTime_ = time;
    endTime_ = time + duration_;
}

void AnimatingPan::update(double time) {
    if (!active_ || deactivated_) return;
    if (time >= endTime_ || velocityMagnitude_ <= 0.0) {
        deactivate();
        return;
    }
    double dt = time - lastTime_;
    lastTime_ = time;
    velocityMagnitude_ -= DECELERATION * dt;
    double step = velocityMagnitude_ * dt;
    delta_ = {static_cast<float>(std::floor(std::cos(angle_) * step)),
              static_cast<float>(std::floor(std::sin(angle_) * step))};
    Point t = getTranslation();
    setTranslation({t.x + delta_.x, t.y + delta_.y});
    for (Point& p : *getTouchPoints()) p = {p.x + delta_.x, p.y + delta_.y};
}

void AnimatingPan::deactivate() {
    deactivated_ = true;
    active_ = false;
    setState(GestureRecognizerState::ENDED);
    getTouchPoints()->clear();
    lastTime_ = std::numeric_limits<double>::quiet_NaN();
}

} // namespace orvane
