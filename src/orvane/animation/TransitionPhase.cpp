// SPDX-License-Identifier: Apache-2.0
#include "orvane/animation/TransitionPhase.h"

#include <algorithm>
#include <cmath>

namespace orvane {

namespace {
float clamp01(float v) { return std::isnan(v) ? 0.0f : std::clamp(v, 0.0f, 1.0f); }
} // namespace

TransitionPhase::TransitionPhase(int type, float delayFraction, float durationFraction, bool applyCachedChanges)
    : type_(type), applyCachedChanges_(applyCachedChanges) {
    float d = clamp01(delayFraction);
    float u = clamp01(durationFraction);
    if (d + u > 1.0f) d = 1.0f - u;
    setDelayFraction(d);
    setDurationFraction(u);
}

std::shared_ptr<TransitionPhase> TransitionPhase::create(int type, float delayFraction, float durationFraction,
                                                         bool applyCachedChanges) {
    return std::make_shared<TransitionPhase>(type, delayFraction, durationFraction, applyCachedChanges);
}

} // namespace orvane
