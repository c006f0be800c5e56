#pragma once
#include "orvane/host/core/EventDispatcher.h"

namespace orvane {

// Turns user choices into selections on data and announces selection changes.
class SelectionController : public EventDispatcher, public virtual Wrappable {
public:
    static constexpr int WRAPPER_TYPE_ID = 10075;
    static constexpr int SELECTION_CHANGED = 20054;
    int getWrapperTypeId() const override { return WRAPPER_TYPE_ID; }
};

} // namespace orvane
