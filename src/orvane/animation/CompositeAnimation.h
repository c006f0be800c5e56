// SPDX-License-Identifier: Apache-2.0
#pragma once
#include "orvane/OrvaneExport.h"
#include "orvane/animation/AbstractAnimation.h"

#include <memory>
#include <vector>

namespace orvane {

/// An animation made of child animations that share its span.
class ORVANE_EXPORT CompositeAnimation : public AbstractAnimation {
public:
    void addAnimation(const std::shared_ptr<AbstractAnimation>& animation);
    void clearAnimations();
    std::shared_ptr<std::vector<std::shared_ptr<AbstractAnimation>>> getAnimations() const { return animations_; }
    size_t getAnimationCount() const { return animations_ ? animations_->size() : 0; }
    /// Passes the easing to every child.
    void setEasingFunction(int easing) override;

protected:
    std::shared_ptr<std::vector<std::shared_ptr<AbstractAnimation>>> animations_;
};

} // namespace orvane
