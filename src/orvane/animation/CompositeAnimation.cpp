// SPDX-License-Identifier: Apache-2.0
#include "orvane/animation/CompositeAnimation.h"

namespace orvane {

void CompositeAnimation::addAnimation(const std::shared_ptr<AbstractAnimation>& animation) {
    if (!animation) return;
    if (!animations_) animations_ = std::make_shared<std::vector<std::shared_ptr<AbstractAnimation>>>();
    animations_->push_back(animation);
}

void CompositeAnimation::clearAnimations() {
    if (animations_) animations_->clear();
}

void CompositeAnimation::setEasingFunction(int easing) {
    if (!animations_) return;
    for (auto& a : *animations_) a->setEasingFunction(easing);
}

} // namespace orvane
