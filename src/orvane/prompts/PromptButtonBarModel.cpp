// SPDX-License-Identifier: Apache-2.0
#include "orvane/prompts/PromptButtonBarModel.h"

#include "orvane/prompts/PromptButtonBarRenderer.h"

#include "orvane/host/core/CLog.h"
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

bool PromptButtonBarModel::pressButton(int index) {
    if (index < -1 || (index >= 0 && static_cast<unsigned int>(index) >= numberOfItems.get())) {
        ORVANE_LOG(CLog::ERRORS, "orvane/prompts/PromptButtonBarModel",
                   "Button " + std::to_string(index) + " does not exist.");
        return false;
    }
    selectedIndex = index;
    return true;
}

std::shared_ptr<DataValue> PromptButtonBarModel::getSelectedValue() const {
    int i = selectedIndex.get();
    auto items = values.get();
    if (i < 0 || !items || static_cast<size_t>(i) >= items->size() || static_cast<unsigned int>(i) >= numberOfItems.get())
        return nullptr;
    return (*items)[static_cast<size_t>(i)];
}

std::shared_ptr<BasePromptRenderer> PromptButtonBarModel::createRenderer() {
    auto view = PromptButtonBarRenderer::create();
    view->setModel(std::dynamic_pointer_cast<PromptModel>(shared_from_this()));
    return view;
}

} // namespace orvane
