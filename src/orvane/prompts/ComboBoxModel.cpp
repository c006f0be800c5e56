#include "orvane/prompts/ComboBoxModel.h"

#include "orvane/package/BaseUIModelDatabase.h"

namespace orvane {

ComboBoxModel::ComboBoxModel()
    : currentValue(this, BaseUIModelDatabase::propertyDefinition(WRAPPER_TYPE_ID, 0, 1)),
      formattedMeasure(this, BaseUIModelDatabase::propertyDefinition(WRAPPER_TYPE_ID, 0, 2)),
      label(this, BaseUIModelDatabase::propertyDefinition(WRAPPER_TYPE_ID, 0, 3)) {
}

ComboBoxModel::~ComboBoxModel() = default;

std::shared_ptr<ComboBoxModel> ComboBoxModel::create() {
    auto m = std::make_shared<ComboBoxModel>();
    m->initialize();
    return m;
}

} // namespace orvane
