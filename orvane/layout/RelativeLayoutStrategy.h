#pragma once
#include "orvane/layout/LayoutStrategy.h"
#include "orvane/properties/Property.h"

#include <memory>
#include <string>

namespace orvane {

class RelativeLayoutStrategy : public LayoutStrategy {
public:
    static constexpr int WRAPPER_TYPE_ID = 10065;
    RelativeLayoutStrategy();
    ~RelativeLayoutStrategy() override;
    static std::shared_ptr<RelativeLayoutStrategy> create();
    int getWrapperTypeId() const override { return WRAPPER_TYPE_ID; }

};

} // namespace orvane
