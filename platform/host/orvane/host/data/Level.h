#pragma once
#include "orvane/host/core/EventDispatcher.h"

#include <memory>

namespace orvane {

// One level of a hierarchy. Referenced by model properties (value-type code 89).
class Level : public EventDispatcher, public virtual Wrappable {
public:
    static constexpr int WRAPPER_TYPE_ID = 89;
    int getWrapperTypeId() const override { return WRAPPER_TYPE_ID; }
};

} // namespace orvane
