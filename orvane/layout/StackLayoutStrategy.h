#pragma once
#include "orvane/layout/LayoutStrategy.h"
#include "orvane/properties/Property.h"

#include <memory>
#include <string>

namespace orvane {

class StackLayoutStrategy : public LayoutStrategy {
public:
    static constexpr int WRAPPER_TYPE_ID = 10086;
    StackLayoutStrategy();
    ~StackLayoutStrategy() override;
    static std::shared_ptr<StackLayoutStrategy> create();
    int getWrapperTypeId() const override { return WRAPPER_TYPE_ID; }

};

} // namespace orvane
