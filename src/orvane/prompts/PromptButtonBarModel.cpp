#include "orvane/prompts/PromptButtonBarModel.h"

#include "orvane/package/BaseUIModelDatabase.h"

namespace orvane {

PromptButtonBarModel::PromptButtonBarModel()
    : numberOfItems(this, BaseUIModelDatabase::propertyDefinition(WRAPPER_TYPE_ID, 0, 1)),
      selectedIndex(this, BaseUIModelDatabase::propertyDefinition(WRAPPER_TYPE_ID, 0, 2)),
      values(this, BaseUIModelDatabase::propertyDefinition(WRAPPER_TYPE_ID, 0, 3)),
      formattedMeasures(this, BaseUIModelDatabase::propertyDefinition(WRAPPER_TYPE_ID, 0, 4)),
      selectedStyleChain(this, BaseUIModelDatabase::propertyDefinition(WRAPPER_TYPE_ID, 0, 5)),
      isHorizonal(this, BaseUIModelDatabase::propertyDefinition(WRAPPER_TYPE_ID, 0, 6)) {
}

PromptButtonBarModel::~PromptButtonBarModel() = default;

std::shared_ptr<PromptButtonBarModel> PromptButtonBarModel::create() {
    auto m = std::make_shared<PromptButtonBarModel>();
    m->initialize();
    return m;
}

} // namespace orvane
