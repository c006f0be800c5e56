// SPDX-License-Identifier: Apache-2.0
#include "orvane/animation/Tweener.h"

namespace orvane {

Tweener::Tweener(displaylist::TqTweener* tweener) : tweener_(tweener) {}

std::shared_ptr<Tweener> Tweener::create(displaylist::TqTweener* tweener) { return std::make_shared<Tweener>(tweener); }

void Tweener::setMinimumDelayAndMaximumDurationInSeconds(float delay, float duration) {
    if (!tweener_) return;
    float d = spanDelay(delay, duration);
    tweener_->SetDelay(d);
    tweener_->SetDuration(spanDuration(duration));
    tweener_->SetHasDelay(d > 0.0f);
}

void Tweener::setEasingFunction(int easing) {
    if (tweener_) tweener_->SetEasing(easing);
}

} // namespace orvane
