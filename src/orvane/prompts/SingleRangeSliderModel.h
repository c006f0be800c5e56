#pragma once
#include "orvane/prompts/SliderModel.h"
#include "orvane/properties/Property.h"

#include <memory>
#include <string>

namespace orvane {

class SingleRangeSliderModel : public SliderModel {
public:
    static constexpr int WRAPPER_TYPE_ID = 10078;
    SingleRangeSliderModel();
    ~SingleRangeSliderModel() override;
    static std::shared_ptr<SingleRangeSliderModel> create();
    int getWrapperTypeId() const override { return WRAPPER_TYPE_ID; }

    Property<double> selectedValue;
    Property<std::shared_ptr<const std::string>> formattedSelectedValue;
};

} // namespace orvane
