#include "orvane/prompts/PromptListModel.h"

#include "orvane/package/BaseUIModelDatabase.h"

namespace orvane {

PromptListModel::PromptListModel()
    : numberOfItems(this, BaseUIModelDatabase::propertyDefinition(WRAPPER_TYPE_ID, 0, 1)),
      isIndexSelected(this, BaseUIModelDatabase::propertyDefinition(WRAPPER_TYPE_ID, 0, 2)),
      values(this, BaseUIModelDatabase::propertyDefinition(WRAPPER_TYPE_ID, 0, 3)),
      formattedMeasures(this, BaseUIModelDatabase::propertyDefinition(WRAPPER_TYPE_ID, 0, 4)),
      isPromptListRadio(this, BaseUIModelDatabase::propertyDefinition(WRAPPER_TYPE_ID, 0, 5)) {
}

PromptListModel::~PromptListModel() = default;

std::shared_ptr<PromptListModel> PromptListModel::create() {
    auto m = std::make_shared<PromptListModel>();
    m->initialize();
    return m;
}

} // namespace orvane
