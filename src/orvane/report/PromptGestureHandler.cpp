// SPDX-License-Identifier: Apache-2.0
#include "orvane/report/PromptGestureHandler.h"

#include "orvane/host/input/GestureRecognizerType.h"
#include "orvane/report/ReportPrompt.h"
#include "orvane/view/BaseView.h"

namespace orvane {

std::shared_ptr<PromptGestureHandler> PromptGestureHandler::create() { return std::make_shared<PromptGestureHandler>(); }

Rect PromptGestureHandler::getFrame() const {
    auto view = getView();
    if (!view) return {};
    const Rect f = view->getFrame();
    return {0.0f, 0.0f, f.width, f.height};
}

int PromptGestureHandler::getRequiredGestureRecognizerTypes() const {
    return GestureRecognizerType::TAP | GestureRecognizerType::PAN;
}

bool PromptGestureHandler::handleTap(const Tap& tap) {
    auto prompt = prompt_.lock();
    if (!prompt) return false;
    return prompt->tap(tap.getLocation());
}

bool PromptGestureHandler::handlePan(const Pan& pan) {
    auto prompt = prompt_.lock();
    if (!prompt) return false;
    // The pan's translation is counted from where it began.
    const Point at = pan.getLocation(), moved = pan.getTranslation();
    return prompt->drag(pan.getState(), {at.x - moved.x, at.y - moved.y}, at);
}

} // namespace orvane
