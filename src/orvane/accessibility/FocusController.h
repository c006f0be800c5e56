// SPDX-License-Identifier: Apache-2.0
#pragma once
#include "orvane/OrvaneExport.h"
#include "orvane/package/AccessibilityControllerNavigationType.h"

#include <memory>

namespace orvane {

class AccessibilityController;
class AccessibilityElement;

/// Chooses the element an accessibility controller focuses for a navigation
/// request. This one follows the controller's own rules; a host derives from
/// it for other focus policies.
class ORVANE_EXPORT FocusController {
public:
    virtual ~FocusController() = default;
    static std::shared_ptr<FocusController> create(const std::shared_ptr<AccessibilityController>& controller);
    /// The element to focus for `type` (null for none); the controller's choice.
    virtual std::shared_ptr<AccessibilityElement> getFocusElement(AccessibilityControllerNavigationType::type type);
    std::shared_ptr<AccessibilityController> getController() const { return controller_.lock(); }

protected:
    std::weak_ptr<AccessibilityController> controller_;
};

} // namespace orvane
