// SPDX-License-Identifier: Apache-2.0
#include "orvane/prompts/PromptModel.h"

#include "orvane/prompts/BasePromptRenderer.h"

#include "orvane/package/BaseUIModelDatabase.h"

namespace orvane {

PromptModel::PromptModel()
    : styleChain(this, BaseUIModelDatabase::propertyDefinition(WRAPPER_TYPE_ID, 0, 0)) {
}

PromptModel::~PromptModel() = default;

std::shared_ptr<PromptModel> PromptModel::create() {
    auto m = std::make_shared<PromptModel>();
    m->initialize();
    return m;
}

std::shared_ptr<BasePromptRenderer> PromptModel::createRenderer() { return nullptr; }

} // namespace orvane
