// SPDX-License-Identifier: Apache-2.0
#include "orvane/accessibility/FocusController.h"

#include "orvane/accessibility/AccessibilityController.h"

namespace orvane {

std::shared_ptr<FocusController> FocusController::create(const std::shared_ptr<AccessibilityController>& controller) {
    auto f = std::make_shared<FocusController>();
    f->controller_ = controller;
    return f;
}

std::shared_ptr<AccessibilityElement> FocusController::getFocusElement(AccessibilityControllerNavigationType::type type) {
    auto controller = controller_.lock();
    if (!controller) return nullptr;
    int index = controller->getDefaultNavigationIndex(type);
    const auto& list = controller->getCachedAccessibilityElements();
    return index < 0 || size_t(index) >= list.size() ? nullptr : list[size_t(index)];
}

} // namespace orvane
