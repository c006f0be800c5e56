// SPDX-License-Identifier: Apache-2.0
#pragma once
#include "orvane/OrvaneExport.h"
#include "orvane/prompts/SliderModel.h"
#include "orvane/properties/Property.h"

#include <memory>
#include <string>

namespace orvane {

class ORVANE_EXPORT SingleRangeSliderModel : public SliderModel {
public:
    static constexpr int WRAPPER_TYPE_ID = 10078;
    SingleRangeSliderModel();
    ~SingleRangeSliderModel() override;
    static std::shared_ptr<SingleRangeSliderModel> create();
    int getWrapperTypeId() const override { return WRAPPER_TYPE_ID; }
    /// A SingleRangeSliderRenderer drawing this model.
    std::shared_ptr<BasePromptRenderer> createRenderer() override;

    /// Moves the thumb to the value, snapped and kept in range, with its text.
    /// False (nothing changed) when the value or the range is not usable.
    bool setSelectedValueSnapped(double value, const std::shared_ptr<const Formatter>& formatter);

    Property<double> selectedValue;
    Property<std::shared_ptr<const std::string>> formattedSelectedValue;
};

} // namespace orvane
