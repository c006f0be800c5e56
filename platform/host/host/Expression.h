#pragma once
#include "host/EventDispatcher.h"

#include <memory>

namespace orvane {

// A boolean expression over data variables. Referenced by model properties (value-type code 52).
class Expression : public EventDispatcher {
public:
    static constexpr int WRAPPER_TYPE_ID = 52;
    int getWrapperTypeId() const override { return WRAPPER_TYPE_ID; }
};

} // namespace orvane
