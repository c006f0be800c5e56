#pragma once
#include "orvane/host/core/EventDispatcher.h"

#include <memory>

namespace orvane {

// Data with hierarchies. Referenced by model properties (value-type code 77).
class HierarchyDataSet : public EventDispatcher, public virtual Wrappable {
public:
    static constexpr int WRAPPER_TYPE_ID = 77;
    int getWrapperTypeId() const override { return WRAPPER_TYPE_ID; }
};

} // namespace orvane
