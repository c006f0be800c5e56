#pragma once
#include "orvane/layout/LayoutStrategy.h"
#include "orvane/package/LayoutOrientation.h"
#include "orvane/package/ResponsiveLayoutOverflowType.h"
#include "orvane/properties/Property.h"

#include <memory>
#include <string>

namespace orvane {

class ResponsiveLayoutStrategy : public LayoutStrategy {
public:
    static constexpr int WRAPPER_TYPE_ID = 10066;
    ResponsiveLayoutStrategy();
    ~ResponsiveLayoutStrategy() override;
    static std::shared_ptr<ResponsiveLayoutStrategy> create();
    int getWrapperTypeId() const override { return WRAPPER_TYPE_ID; }

    Property<LayoutOrientation::type> orientation;
    Property<LayoutOrientation::type> backupOrientation;
    Property<ResponsiveLayoutOverflowType::type> overflow;
    Property<ResponsiveLayoutOverflowType::type> backupOverflow;
    Property<float> minSize;
    Property<float> maxSize;
    Property<float> preferredSize;
};

} // namespace orvane
