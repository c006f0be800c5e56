#pragma once
#include "host/EventDispatcher.h"

#include <memory>

namespace orvane {

// A display rule. Referenced by model properties (value-type code 136).
class Rule : public EventDispatcher {
public:
    static constexpr int WRAPPER_TYPE_ID = 136;
    int getWrapperTypeId() const override { return WRAPPER_TYPE_ID; }
};

} // namespace orvane
