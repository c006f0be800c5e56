// SPDX-License-Identifier: Apache-2.0
#pragma once
#include "orvane/OrvaneExport.h"
#include "orvane/host/input/TransitionTypes.h"
#include "orvane/animation/ParallelAnimation.h"

namespace orvane {

/// One timed phase of a transition: parallel animations over a share of the
/// transition's span. A phase can release the held-back model changes when it
/// starts.
class ORVANE_EXPORT TransitionPhase : public ParallelAnimation {
public:
    static constexpr int DEFAULT_EASING = 3;

    TransitionPhase(int type, float delayFraction, float durationFraction, bool applyCachedChanges);
    /// Fractions are clamped to [0, 1]; when they add up to more than 1 the
    /// delay fraction gives way (1 - duration fraction).
    static std::shared_ptr<TransitionPhase> create(int type, float delayFraction, float durationFraction,
                                                   bool applyCachedChanges);

    int getType() const { return type_; }
    double getEndTime() const { return endTime_; }
    void setEndTime(double t) { endTime_ = t; }
    bool getApplyCachedChanges() const { return applyCachedChanges_; }
    int getEasing() const { return easing_; }
    /// Only stores the code (the phase's own animations keep theirs).
    void setEasingFunction(int easing) override { easing_ = easing; }

private:
    int type_;
    double endTime_ = 0.0;
    bool applyCachedChanges_;
    int easing_ = DEFAULT_EASING;
};

} // namespace orvane
