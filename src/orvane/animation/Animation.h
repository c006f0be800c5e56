// SPDX-License-Identifier: Apache-2.0
#pragma once
#include "orvane/OrvaneExport.h"
#include "orvane/displaylist/TqAnimate.h"
#include "orvane/displaylist/TqRef.h"
#include "orvane/animation/AbstractAnimation.h"

#include <memory>

namespace orvane {

/// A leaf animation around a display-list animation object: the span it gets
/// is written into that object as its delay and duration.
class ORVANE_EXPORT Animation : public AbstractAnimation {
public:
    explicit Animation(displaylist::TqAnimate* animate);
    static std::shared_ptr<Animation> create(displaylist::TqAnimate* animate);

    void setMinimumDelayAndMaximumDurationInSeconds(float delay, float duration) override;
    void setEasingFunction(int easing) override;
    displaylist::TqAnimate* getAnimate() const { return animate_.get(); }

private:
    displaylist::TqRef<displaylist::TqAnimate> animate_;
};

} // namespace orvane
