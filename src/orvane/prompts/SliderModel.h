// SPDX-License-Identifier: Apache-2.0
#pragma once
#include "orvane/OrvaneExport.h"
#include "orvane/prompts/PromptModel.h"
#include "orvane/properties/Property.h"

namespace orvane {
class Formatter;
}

#include <memory>
#include <string>

namespace orvane {

class ORVANE_EXPORT SliderModel : public PromptModel {
public:
    static constexpr int WRAPPER_TYPE_ID = 10080;
    SliderModel();
    ~SliderModel() override;
    static std::shared_ptr<SliderModel> create();
    int getWrapperTypeId() const override { return WRAPPER_TYPE_ID; }

    /// Sets the range and its texts in the formatter's format. Bounds that are
    /// not finite numbers are refused (false, logged); a minimum above the
    /// maximum is swapped (logged).
    bool setRange(double minimum, double maximum, const std::shared_ptr<const Formatter>& formatter);
    /// The range in order; false when a bound is not a finite number.
    bool getOrderedRange(double& low, double& high) const;
    /// The value put on the slider's snap grid (periods for dates and times)
    /// and kept inside the range: the nearest snap value within the range.
    /// NaN when the value or the range is not usable.
    double snapToRange(double value, const std::shared_ptr<const Formatter>& formatter) const;
    /// The value moved by whole snap steps from its snapped position, kept in range.
    double stepFrom(double value, double steps, const std::shared_ptr<const Formatter>& formatter) const;
    /// The text of a value in the formatter's format (its plain number without one).
    static std::shared_ptr<const std::string> formatValue(double value, const std::shared_ptr<const Formatter>& formatter);

    Property<double> minimumValue;
    Property<double> maximumValue;
    Property<std::shared_ptr<const std::string>> formattedMinimumValue;
    Property<std::shared_ptr<const std::string>> formattedMaximumValue;
    Property<bool> isHorizontal;
};

} // namespace orvane
