// SPDX-License-Identifier: Apache-2.0
#include "orvane/animation/ConstructionTransition.h"

namespace orvane {

ConstructionTransition::ConstructionTransition(float delay, float duration)
    : Transition(TransitionTypes::CONSTRUCTION, delay, duration) {
    addPhase(TransitionPhase::create(TransitionPhaseTypes::CONSTRUCTION, 0.0f, 1.0f, false));
}

std::shared_ptr<ConstructionTransition> ConstructionTransition::create(float delay, float duration) {
    return std::make_shared<ConstructionTransition>(delay, duration);
}

} // namespace orvane
