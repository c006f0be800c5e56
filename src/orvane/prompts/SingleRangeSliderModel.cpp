// SPDX-License-Identifier: Apache-2.0
#include "orvane/prompts/SingleRangeSliderModel.h"

#include "orvane/prompts/SingleRangeSliderRenderer.h"

#include "orvane/package/BaseUIModelDatabase.h"

#include <cmath>

namespace orvane {

SingleRangeSliderModel::SingleRangeSliderModel()
    : selectedValue(this, BaseUIModelDatabase::propertyDefinition(WRAPPER_TYPE_ID, 0, 6)),
      formattedSelectedValue(this, BaseUIModelDatabase::propertyDefinition(WRAPPER_TYPE_ID, 0, 7)) {
}

SingleRangeSliderModel::~SingleRangeSliderModel() = default;

std::shared_ptr<SingleRangeSliderModel> SingleRangeSliderModel::create() {
    auto m = std::make_shared<SingleRangeSliderModel>();
    m->initialize();
    return m;
}

bool SingleRangeSliderModel::setSelectedValueSnapped(double value, const std::shared_ptr<const Formatter>& formatter) {
    double v = snapToRange(value, formatter);
    if (std::isnan(v)) return false;
    selectedValue = v;
    formattedSelectedValue = formatValue(v, formatter);
    return true;
}

std::shared_ptr<BasePromptRenderer> SingleRangeSliderModel::createRenderer() {
    auto view = SingleRangeSliderRenderer::create();
    view->setModel(std::dynamic_pointer_cast<PromptModel>(shared_from_this()));
    return view;
}

} // namespace orvane
