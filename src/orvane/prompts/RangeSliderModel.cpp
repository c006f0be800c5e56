#include "orvane/prompts/RangeSliderModel.h"

#include "orvane/package/BaseUIModelDatabase.h"

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

} // namespace orvane
