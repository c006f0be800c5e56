#pragma once
#include "orvane/package/BaseUIModel.h"
#include "host/Dimension.h"
#include "orvane/properties/MonitoredVector.h"
#include "orvane/properties/Property.h"

#include <memory>
#include <string>

namespace orvane {

class LayoutConstraint;
class LayoutStrategy;

class LayoutProxy : public BaseUIModel {
public:
    static constexpr int WRAPPER_TYPE_ID = 10048;
    LayoutProxy();
    ~LayoutProxy() override;
    static std::shared_ptr<LayoutProxy> create();
    int getWrapperTypeId() const override { return WRAPPER_TYPE_ID; }

    Property<std::shared_ptr<Dimension>, true> x;
    Property<std::shared_ptr<Dimension>, true> y;
    Property<std::shared_ptr<Dimension>, true> w;
    Property<std::shared_ptr<Dimension>, true> h;
    Property<std::shared_ptr<MonitoredVector<std::shared_ptr<LayoutProxy>>>, true> children;
    Property<std::shared_ptr<LayoutStrategy>, true> defaultStrategy;
    Property<std::shared_ptr<LayoutConstraint>, true> defaultConstraint;
    Property<bool> grow;
    Property<std::shared_ptr<MonitoredVector<int>>> childrenPerLine;
    Property<float> cumulativeExtraHeight;
    Property<float> cumulativeExtraWidth;
    Property<bool> isDisabled;
};

} // namespace orvane
