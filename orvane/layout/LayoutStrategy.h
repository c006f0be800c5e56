#pragma once
#include "orvane/package/BaseUIModel.h"
#include "orvane/properties/Property.h"

#include <memory>
#include <string>

namespace orvane {

class LayoutStrategy : public BaseUIModel {
public:
    static constexpr int WRAPPER_TYPE_ID = 10049;
    LayoutStrategy();
    ~LayoutStrategy() override;
    static std::shared_ptr<LayoutStrategy> create();
    int getWrapperTypeId() const override { return WRAPPER_TYPE_ID; }

};

} // namespace orvane
