// SPDX-License-Identifier: Apache-2.0
#include "orvane/animation/Animation.h"

namespace orvane {

Animation::Animation(displaylist::TqAnimate* animate) : animate_(animate) {}

std::shared_ptr<Animation> Animation::create(displaylist::TqAnimate* animate) {
    return std::make_shared<Animation>(animate);
}

void Animation::setMinimumDelayAndMaximumDurationInSeconds(float delay, float duration) {
    if (!animate_) return;
    float d = spanDelay(delay, duration);
    animate_->SetDelay(d);
    animate_->SetDuration(spanDuration(duration));
    animate_->SetHasDelay(d > 0.0f);
}

void Animation::setEasingFunction(int easing) {
    if (animate_) animate_->SetEasing(easing);
}

} // namespace orvane
