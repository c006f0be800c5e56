// SPDX-License-Identifier: Apache-2.0
#include "orvane/animation/ParallelAnimation.h"

namespace orvane {

void ParallelAnimation::setMinimumDelayAndMaximumDurationInSeconds(float delay, float duration) {
    if (!animations_ || animations_->empty()) return;
    float d = spanDelay(delay, duration);
    float m = spanDuration(duration);
    for (auto& a : *animations_) a->setMinimumDelayAndMaximumDurationInSeconds(d, m);
}

} // namespace orvane
