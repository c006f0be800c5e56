// SPDX-License-Identifier: Apache-2.0
#pragma once
#include "orvane/OrvaneExport.h"
#include "orvane/host/core/PortableEvent.h"

#include <memory>

namespace orvane {

class AccessibilityElement;
class EventDispatcher;

/// Tells the host that the accessibility focus moved, or that the user asked
/// for an action on the focused element. Dispatched from the element's view.
class ORVANE_EXPORT AccessibilityFocusChangeEvent : public PortableEvent {
public:
    static constexpr int WRAPPER_TYPE_ID = 10003;
    /// The focus moved to the element.
    static constexpr int ACCESSIBILITY_FOCUS_CHANGE = 20000;
    /// The view lost or gained the accessibility focus (sent by the host).
    static constexpr int ACCESSIBILITY_FOCUS_LOST = 20001;
    static constexpr int ACCESSIBILITY_FOCUS_GAINED = 20002;
    /// The user asked to expand, collapse, drill down from or sort by the
    /// focused header, or activated a data cell.
    static constexpr int ACCESSIBILITY_EXPAND = 20003;
    static constexpr int ACCESSIBILITY_COLLAPSE = 20004;
    static constexpr int ACCESSIBILITY_DRILL_DOWN = 20005;
    static constexpr int ACCESSIBILITY_SORT = 20006;
    static constexpr int ACCESSIBILITY_DATA_CELL = 20007;
    /// The focused element was selected.
    static constexpr int ACCESSIBILITY_ELEMENT_SELECTED = 20008;
    /// The element list changed: fetch it again (sent by the host).
    static constexpr int ACCESSIBILITY_ELEMENTS_INVALIDATED = 20009;

    AccessibilityFocusChangeEvent() : PortableEvent(ACCESSIBILITY_FOCUS_CHANGE) {}
    static std::shared_ptr<AccessibilityFocusChangeEvent> create();
    static std::shared_ptr<AccessibilityFocusChangeEvent> create(int type, EventDispatcher* source,
                                                                 std::shared_ptr<AccessibilityElement> element);
    int getWrapperTypeId() const override { return WRAPPER_TYPE_ID; }

    /// The dispatcher that made the event (valid while it is dispatched).
    EventDispatcher* getSource() const { return source_; }
    std::shared_ptr<AccessibilityElement> getAccessibilityElement() const { return element_; }

private:
    EventDispatcher* source_ = nullptr;
    std::shared_ptr<AccessibilityElement> element_;
};

} // namespace orvane
