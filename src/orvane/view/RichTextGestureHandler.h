// SPDX-License-Identifier: Apache-2.0
#pragma once
#include "orvane/OrvaneExport.h"
#include "orvane/view/GestureHandler.h"

namespace orvane {

/// Taps on rich text select the action under the tap; the tap is not consumed,
/// so the host hears of it as a routing outcome.
class ORVANE_EXPORT RichTextGestureHandler : public GestureHandler {
public:
    static std::shared_ptr<RichTextGestureHandler> create() { return std::make_shared<RichTextGestureHandler>(); }
    int getRequiredGestureRecognizerTypes() const override { return GestureRecognizerType::TAP; }
    bool handleTap(const Tap& tap) override;
};

} // namespace orvane
