#include "orvane/prompts/SliderModel.h"

#include "orvane/package/BaseUIModelDatabase.h"

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

} // namespace orvane
