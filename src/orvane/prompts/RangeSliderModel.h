#pragma once
#include "orvane/prompts/SliderModel.h"
#include "orvane/properties/Property.h"

#include <memory>
#include <string>

namespace orvane {

class RangeSliderModel : public SliderModel {
public:
    static constexpr int WRAPPER_TYPE_ID = 10063;
    RangeSliderModel();
    ~RangeSliderModel() override;
    static std::shared_ptr<RangeSliderModel> create();
    int getWrapperTypeId() const override { return WRAPPER_TYPE_ID; }

    Property<double> selectedMinimumValue;
    Property<double> selectedMaximumValue;
    Property<std::shared_ptr<const std::string>> formattedSelectedMinimumValue;
    Property<std::shared_ptr<const std::string>> formattedSelectedMaximumValue;
};

} // namespace orvane
