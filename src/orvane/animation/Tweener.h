// SPDX-License-Identifier: Apache-2.0
#pragma once
#include "orvane/OrvaneExport.h"
#include "orvane/displaylist/TqRef.h"
#include "orvane/displaylist/TqTweener.h"
#include "orvane/animation/AbstractAnimation.h"

#include <memory>

namespace orvane {

/// A leaf animation around a display-list tweener (a node property moved from
/// one value to another); its easing is passed on to the tweener.
class ORVANE_EXPORT Tweener : public AbstractAnimation {
public:
    explicit Tweener(displaylist::TqTweener* tweener);
    static std::shared_ptr<Tweener> create(displaylist::TqTweener* tweener);

    void setMinimumDelayAndMaximumDurationInSeconds(float delay, float duration) override;
    void setEasingFunction(int easing) override;
    displaylist::TqTweener* getTweener() const { return tweener_.get(); }

private:
    displaylist::TqRef<displaylist::TqTweener> tweener_;
};

} // namespace orvane
