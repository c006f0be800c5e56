#pragma once
#include "orvane/host/core/EventDispatcher.h"

#include <memory>

namespace orvane {

// An ordered list of levels. Referenced by model properties (value-type code 76).
class Hierarchy : public EventDispatcher, public virtual Wrappable {
public:
    static constexpr int WRAPPER_TYPE_ID = 76;
    int getWrapperTypeId() const override { return WRAPPER_TYPE_ID; }
};

} // namespace orvane
