#pragma once
#include "orvane/prompts/PromptModel.h"
#include "orvane/properties/Property.h"

#include <memory>
#include <string>

namespace orvane {

class SliderModel : public PromptModel {
public:
    static constexpr int WRAPPER_TYPE_ID = 10080;
    SliderModel();
    ~SliderModel() override;
    static std::shared_ptr<SliderModel> create();
    int getWrapperTypeId() const override { return WRAPPER_TYPE_ID; }

    Property<double> minimumValue;
    Property<double> maximumValue;
    Property<std::shared_ptr<const std::string>> formattedMinimumValue;
    Property<std::shared_ptr<const std::string>> formattedMaximumValue;
    Property<bool> isHorizontal;
};

} // namespace orvane
