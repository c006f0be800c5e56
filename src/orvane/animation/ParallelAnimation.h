// SPDX-License-Identifier: Apache-2.0
#pragma once
#include "orvane/OrvaneExport.h"
#include "orvane/animation/CompositeAnimation.h"

namespace orvane {

/// Children that all start at the same time and last as long as this animation.
class ORVANE_EXPORT ParallelAnimation : public CompositeAnimation {
public:
    static std::shared_ptr<ParallelAnimation> create() { return std::make_shared<ParallelAnimation>(); }
    void setMinimumDelayAndMaximumDurationInSeconds(float delay, float duration) override;
};

} // namespace orvane
