// SPDX-License-Identifier: Apache-2.0
#pragma once
#include "orvane/OrvaneExport.h"
#include "orvane/prompts/SliderModel.h"
#include "orvane/properties/Property.h"

#include <memory>
#include <string>

namespace orvane {

class ORVANE_EXPORT RangeSliderModel : public SliderModel {
public:
    static constexpr int WRAPPER_TYPE_ID = 10063;
    RangeSliderModel();
    ~RangeSliderModel() override;
    static std::shared_ptr<RangeSliderModel> create();
    int getWrapperTypeId() const override { return WRAPPER_TYPE_ID; }
    /// A RangeSliderRenderer drawing this model.
    std::shared_ptr<BasePromptRenderer> createRenderer() override;

    /// Sets both thumbs, snapped, kept in range and in order, with their
    /// texts. False (nothing changed) when a value or the range is not usable.
    bool setSelectedRange(double low, double high, const std::shared_ptr<const Formatter>& formatter);
    /// Moves one thumb; it stops at the other thumb rather than pass it.
    bool moveThumb(bool upper, double value, const std::shared_ptr<const Formatter>& formatter);

    Property<double> selectedMinimumValue;
    Property<double> selectedMaximumValue;
    Property<std::shared_ptr<const std::string>> formattedSelectedMinimumValue;
    Property<std::shared_ptr<const std::string>> formattedSelectedMaximumValue;
};

} // namespace orvane
