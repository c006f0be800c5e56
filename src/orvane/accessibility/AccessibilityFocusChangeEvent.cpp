// SPDX-License-Identifier: Apache-2.0
#include "orvane/accessibility/AccessibilityFocusChangeEvent.h"

#include "orvane/accessibility/AccessibilityElement.h"

namespace orvane {

std::shared_ptr<AccessibilityFocusChangeEvent> AccessibilityFocusChangeEvent::create() {
    return std::make_shared<AccessibilityFocusChangeEvent>();
}

std::shared_ptr<AccessibilityFocusChangeEvent> AccessibilityFocusChangeEvent::create(
    int type, EventDispatcher* source, std::shared_ptr<AccessibilityElement> element) {
    auto e = std::make_shared<AccessibilityFocusChangeEvent>();
    e->setType(type);
    e->source_ = source;
    e->element_ = std::move(element);
    return e;
}

} // namespace orvane
