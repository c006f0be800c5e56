#pragma once
#include "host/EventDispatcher.h"

#include <memory>

namespace orvane {

// The sort contexts of a data set. Referenced by model properties (value-type code 150).
class SortState : public EventDispatcher {
public:
    static constexpr int WRAPPER_TYPE_ID = 150;
    int getWrapperTypeId() const override { return WRAPPER_TYPE_ID; }
};

} // namespace orvane
