// SPDX-License-Identifier: Apache-2.0
#include "orvane/prompts/SliderModel.h"

#include "orvane/host/core/CLog.h"
#include "orvane/host/data/DataValue.h"
#include "orvane/host/format/Formatter.h"
#include "orvane/package/BaseUIModelDatabase.h"
#include "orvane/prompts/PromptUtilities.h"

#include <algorithm>
#include <cmath>

namespace orvane {

SliderModel::SliderModel()
    : minimumValue(this, BaseUIModelDatabase::propertyDefinition(WRAPPER_TYPE_ID, 0, 1)),
      maximumValue(this, BaseUIModelDatabase::propertyDefinition(WRAPPER_TYPE_ID, 0, 2)),
      formattedMinimumValue(this, BaseUIModelDatabase::propertyDefinition(WRAPPER_TYPE_ID, 0, 3)),
      formattedMaximumValue(this, BaseUIModelDatabase::propertyDefinition(WRAPPER_TYPE_ID, 0, 4)),
      isHorizontal(this, BaseUIModelDatabase::propertyDefinition(WRAPPER_TYPE_ID, 0, 5)) {
}

SliderModel::~SliderModel() = default;

std::shared_ptr<SliderModel> SliderModel::create() {
    auto m = std::make_shared<SliderModel>();
    m->initialize();
    return m;
}

namespace {
constexpr const char* kSource = "orvane/prompts/SliderModel";
}

std::shared_ptr<const std::string> SliderModel::formatValue(double value, const std::shared_ptr<const Formatter>& f) {
    return std::make_shared<const std::string>(f ? f->format(value) : DataValue(value).toString());
}

bool SliderModel::setRange(double minimum, double maximum, const std::shared_ptr<const Formatter>& formatter) {
    if (!std::isfinite(minimum) || !std::isfinite(maximum)) {
        ORVANE_LOG(CLog::ERRORS, kSource, "Slider range refused: bounds must be finite numbers.");
        return false;
    }
    if (minimum > maximum) {
        ORVANE_LOG(CLog::ERRORS, kSource, "Slider minimum above its maximum: the bounds were swapped.");
        std::swap(minimum, maximum);
    }
    minimumValue = minimum;
    maximumValue = maximum;
    formattedMinimumValue = formatValue(minimum, formatter);
    formattedMaximumValue = formatValue(maximum, formatter);
    return true;
}

bool SliderModel::getOrderedRange(double& low, double& high) const {
    low = std::min(minimumValue.get(), maximumValue.get());
    high = std::max(minimumValue.get(), maximumValue.get());
    return std::isfinite(low) && std::isfinite(high);
}

double SliderModel::snapToRange(double value, const std::shared_ptr<const Formatter>& formatter) const {
    double lo, hi;
    if (std::isnan(value) || !getOrderedRange(lo, hi)) return std::nan("");
    value = std::clamp(value, lo, hi);
    double s = PromptUtilities::snapSliderValue(lo, hi, formatter, value, 0);
    if (std::isnan(s)) return value;
    // Temporal snapping goes to the start of the period; whole steps may
    // round past either end: step back inside when they do.
    if (s < lo) {
        double next = PromptUtilities::snapSliderValue(lo, hi, formatter, s, 1);
        s = next <= hi && !std::isnan(next) ? next : lo;
        if (s < lo) s = lo;
    }
    if (s > hi) {
        double prev = PromptUtilities::snapSliderValue(lo, hi, formatter, s, -1);
        s = prev >= lo && !std::isnan(prev) ? prev : hi;
        if (s > hi) s = hi;
    }
    return s;
}

double SliderModel::stepFrom(double value, double steps, const std::shared_ptr<const Formatter>& formatter) const {
    double lo, hi;
    if (std::isnan(value) || std::isnan(steps) || !getOrderedRange(lo, hi)) return std::nan("");
    double start = snapToRange(value, formatter);
    double moved = PromptUtilities::snapSliderValue(lo, hi, formatter, start, steps);
    if (std::isnan(moved)) return start;
    return snapToRange(moved, formatter);
}

} // namespace orvane
