// SPDX-License-Identifier: Apache-2.0
#pragma once
#include "orvane/OrvaneExport.h"
#include <memory>

namespace orvane {

/// Root of the animation classes: a share of a time span. An animation given
/// the span (delay D, duration M) starts at D + delayFraction * M and runs for
/// (M - delayFraction * M) * durationFraction.
class ORVANE_EXPORT AbstractAnimation : public std::enable_shared_from_this<AbstractAnimation> {
public:
    virtual ~AbstractAnimation() = default;

    virtual void setMinimumDelayAndMaximumDurationInSeconds(float delay, float duration) = 0;
    /// The display-list easing code (3 ease in and out, 4 ease out, ...).
    virtual void setEasingFunction(int easing) = 0;

    float getDelayFraction() const { return delayFraction_; }
    float getDurationFraction() const { return durationFraction_; }
    void setDelayFraction(float f) { delayFraction_ = f; }
    void setDurationFraction(float f) { durationFraction_ = f; }

protected:
    /// Start and length for a span (D, M) by the fractions.
    float spanDelay(float delay, float duration) const { return delay + delayFraction_ * duration; }
    float spanDuration(float duration) const { return (duration - delayFraction_ * duration) * durationFraction_; }

private:
    float durationFraction_ = 1.0f;
    float delayFraction_ = 0.0f;
};

} // namespace orvane
