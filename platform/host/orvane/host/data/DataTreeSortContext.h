#pragma once
#include "orvane/host/core/EventDispatcher.h"

#include <memory>

namespace orvane {

// Sort settings of a data tree. Referenced by model properties (value-type code 45).
class DataTreeSortContext : public EventDispatcher, public virtual Wrappable {
public:
    static constexpr int WRAPPER_TYPE_ID = 45;
    int getWrapperTypeId() const override { return WRAPPER_TYPE_ID; }
};

} // namespace orvane
