#pragma once
#include "orvane/layout/LayoutStrategy.h"
#include "orvane/package/LayoutOrientation.h"
#include "orvane/properties/Property.h"

#include <memory>
#include <string>

namespace orvane {

class SlideLayoutStrategy : public LayoutStrategy {
public:
    static constexpr int WRAPPER_TYPE_ID = 10079;
    SlideLayoutStrategy();
    ~SlideLayoutStrategy() override;
    static std::shared_ptr<SlideLayoutStrategy> create();
    int getWrapperTypeId() const override { return WRAPPER_TYPE_ID; }

    Property<LayoutOrientation::type> orientation;
};

} // namespace orvane
