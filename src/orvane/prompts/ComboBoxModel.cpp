// SPDX-License-Identifier: Apache-2.0
#include "orvane/prompts/ComboBoxModel.h"

#include "orvane/prompts/ComboBoxRenderer.h"

#include "orvane/host/core/CLog.h"
#include "orvane/package/BaseUIModelDatabase.h"

#include <algorithm>

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

bool ComboBoxModel::choose(const std::shared_ptr<DataValue>& value,
                           const std::vector<std::shared_ptr<DataValue>>& entries) {
    if (!value) return false;
    if (!entries.empty() &&
        std::none_of(entries.begin(), entries.end(), [&](const auto& e) { return e && e->equals(*value); })) {
        ORVANE_LOG(CLog::ERRORS, "orvane/prompts/ComboBoxModel",
                   "Drop-down value is not one of its entries: " + value->toString());
        return false;
    }
    currentValue = value;
    return true;
}

std::shared_ptr<BasePromptRenderer> ComboBoxModel::createRenderer() {
    auto view = ComboBoxRenderer::create();
    view->setModel(std::dynamic_pointer_cast<PromptModel>(shared_from_this()));
    return view;
}

} // namespace orvane
