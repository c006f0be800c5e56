// SPDX-License-Identifier: Apache-2.0
#pragma once
#include "orvane/OrvaneExport.h"
#include "orvane/animation/CompositeAnimation.h"

namespace orvane {

/// Children that start one step apart, each lasting (1 + overlap) steps, so
/// that the last ends when this animation ends.
class ORVANE_EXPORT SequencedAnimation : public CompositeAnimation {
public:
    static std::shared_ptr<SequencedAnimation> create() { return std::make_shared<SequencedAnimation>(); }
    void setMinimumDelayAndMaximumDurationInSeconds(float delay, float duration) override;
    /// Never negative.
    void setPhaseOverlap(float overlap) { phaseOverlap_ = overlap > 0.0f ? overlap : 0.0f; }
    float getPhaseOverlap() const { return phaseOverlap_; }

private:
    float phaseOverlap_ = 0.0f;
};

} // namespace orvane
