// SPDX-License-Identifier: Apache-2.0
#pragma once
#include "orvane/OrvaneExport.h"
#include "orvane/animation/Transition.h"

namespace orvane {

/// The transition a view may play the first time it renders (type 1): one
/// phase of type 3 with the default easing.
class ORVANE_EXPORT ConstructionTransition : public Transition {
public:
    ConstructionTransition(float delay, float duration);
    static std::shared_ptr<ConstructionTransition> create(float delay, float duration);
};

} // namespace orvane
