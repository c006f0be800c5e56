#pragma once
#include "host/EventDispatcher.h"

#include <memory>

namespace orvane {

// A columnar data table. Referenced by model properties (value-type code 42).
class DataSet : public EventDispatcher {
public:
    static constexpr int WRAPPER_TYPE_ID = 42;
    int getWrapperTypeId() const override { return WRAPPER_TYPE_ID; }
};

} // namespace orvane
