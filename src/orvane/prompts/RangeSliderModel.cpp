// SPDX-License-Identifier: Apache-2.0
#include "orvane/prompts/RangeSliderModel.h"

#include "orvane/prompts/RangeSliderRenderer.h"

#include "orvane/package/BaseUIModelDatabase.h"

#include <algorithm>
#include <cmath>

namespace orvane {

RangeSliderModel::RangeSliderModel()
    : selectedMinimumValue(this, BaseUIModelDatabase::propertyDefinition(WRAPPER_TYPE_ID, 0, 6)),
      selectedMaximumValue(this, BaseUIModelDatabase::propertyDefinition(WRAPPER_TYPE_ID, 0, 7)),
      formattedSelectedMinimumValue(this, BaseUIModelDatabase::propertyDefinition(WRAPPER_TYPE_ID, 0, 8)),
      formattedSelectedMaximumValue(this, BaseUIModelDatabase::propertyDefinition(WRAPPER_TYPE_ID, 0, 9)) {
}

RangeSliderModel::~RangeSliderModel() = default;

std::shared_ptr<RangeSliderModel> RangeSliderModel::create() {
    auto m = std::make_shared<RangeSliderModel>();
    m->initialize();
    return m;
}

bool RangeSliderModel::setSelectedRange(double low, double high, const std::shared_ptr<const Formatter>& formatter) {
    double a = snapToRange(low, formatter), b = snapToRange(high, formatter);
    if (std::isnan(a) || std::isnan(b)) return false;
    if (a > b) std::swap(a, b);
    selectedMinimumValue = a;
    selectedMaximumValue = b;
    formattedSelectedMinimumValue = formatValue(a, formatter);
    formattedSelectedMaximumValue = formatValue(b, formatter);
    return true;
}

bool RangeSliderModel::moveThumb(bool upper, double value, const std::shared_ptr<const Formatter>& formatter) {
    double v = snapToRange(value, formatter);
    if (std::isnan(v)) return false;
    double lo = selectedMinimumValue.get(), hi = selectedMaximumValue.get();
    if (upper) return setSelectedRange(std::isnan(lo) ? v : std::min(lo, v), std::isnan(lo) ? v : std::max(lo, v), formatter);
    return setSelectedRange(std::isnan(hi) ? v : std::min(v, hi), std::isnan(hi) ? v : std::max(v, hi), formatter);
}

std::shared_ptr<BasePromptRenderer> RangeSliderModel::createRenderer() {
    auto view = RangeSliderRenderer::create();
    view->setModel(std::dynamic_pointer_cast<PromptModel>(shared_from_this()));
    return view;
}

} // namespace orvane
