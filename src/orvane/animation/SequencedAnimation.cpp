// SPDX-License-Identifier: Apache-2.0
#include "orvane/animation/SequencedAnimation.h"

namespace orvane {

void SequencedAnimation::setMinimumDelayAndMaximumDurationInSeconds(float delay, float duration) {
    if (!animations_ || animations_->empty()) return;
    const float n = static_cast<float>(animations_->size());
    const float start = spanDelay(delay, duration);
    const float step = spanDuration(duration) / (n + phaseOverlap_);
    for (size_t i = 0; i < animations_->size(); ++i)
        (*animations_)[i]->setMinimumDelayAndMaximumDurationInSeconds(start + static_cast<float>(i) * step,
                                                                     (1.0f + phaseOverlap_) * step);
}

} // namespace orvane
