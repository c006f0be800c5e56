#pragma once
#include "orvane/package/BaseUIModel.h"
#include "orvane/properties/MonitoredVector.h"
#include "orvane/properties/Property.h"

#include <memory>
#include <string>

namespace orvane {

class SelectionControlItem;

class SelectionControl : public BaseUIModel {
public:
    static constexpr int WRAPPER_TYPE_ID = 10071;
    SelectionControl();
    ~SelectionControl() override;
    static std::shared_ptr<SelectionControl> create();
    int getWrapperTypeId() const override { return WRAPPER_TYPE_ID; }

    Property<std::shared_ptr<MonitoredVector<std::shared_ptr<SelectionControlItem>>>, true> items;
};

} // namespace orvane
