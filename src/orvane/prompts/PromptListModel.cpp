// SPDX-License-Identifier: Apache-2.0
#include "orvane/prompts/PromptListModel.h"

#include "orvane/prompts/PromptListRenderer.h"

#include "orvane/host/core/CLog.h"
#include "orvane/package/BaseUIModelDatabase.h"

#include <algorithm>

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

namespace {
constexpr const char* kSource = "orvane/prompts/PromptListModel";
}

void PromptListModel::setItems(const std::vector<std::shared_ptr<DataValue>>& items) {
    values = MonitoredVector<std::shared_ptr<DataValue>>::create(items);
    isIndexSelected = MonitoredVector<bool>::create(std::vector<bool>(items.size(), false));
    numberOfItems = static_cast<unsigned int>(items.size());
}

bool PromptListModel::setItemSelected(int index, bool selected) {
    size_t n = numberOfItems.get();
    if (index < 0 || static_cast<size_t>(index) >= n) {
        ORVANE_LOG(CLog::ERRORS, kSource, "List entry " + std::to_string(index) + " does not exist.");
        return false;
    }
    std::vector<bool> flags = isIndexSelected.get() ? isIndexSelected.get()->toVector() : std::vector<bool>{};
    flags.resize(n, false);
    if (isPromptListRadio.get() && selected) std::fill(flags.begin(), flags.end(), false);
    flags[static_cast<size_t>(index)] = selected;
    if (isIndexSelected.get() && isIndexSelected.get()->toVector() == flags) return true;
    isIndexSelected = MonitoredVector<bool>::create(std::move(flags));
    return true;
}

void PromptListModel::selectValues(const std::vector<std::shared_ptr<DataValue>>& picked) {
    size_t n = numberOfItems.get();
    std::vector<bool> flags(n, false);
    auto items = values.get();
    for (size_t i = 0; items && i < n && i < items->size(); ++i) {
        const auto& v = (*items)[i];
        if (!v) continue;
        for (const auto& p : picked)
            if (p && p->equals(*v)) {
                flags[i] = true;
                break;
            }
        if (flags[i] && isPromptListRadio.get()) break;
    }
    if (isIndexSelected.get() && isIndexSelected.get()->toVector() == flags) return;
    isIndexSelected = MonitoredVector<bool>::create(std::move(flags));
}

std::vector<int> PromptListModel::getSelectedIndices() const {
    std::vector<int> out;
    auto flags = isIndexSelected.get();
    size_t n = std::min<size_t>(numberOfItems.get(), flags ? flags->size() : 0);
    for (size_t i = 0; i < n; ++i)
        if ((*flags)[i]) out.push_back(static_cast<int>(i));
    return out;
}

std::vector<std::shared_ptr<DataValue>> PromptListModel::getSelectedValues() const {
    std::vector<std::shared_ptr<DataValue>> out;
    auto items = values.get();
    for (int i : getSelectedIndices())
        if (items && static_cast<size_t>(i) < items->size() && (*items)[static_cast<size_t>(i)])
            out.push_back((*items)[static_cast<size_t>(i)]);
    return out;
}

std::shared_ptr<BasePromptRenderer> PromptListModel::createRenderer() {
    auto view = PromptListRenderer::create();
    view->setModel(std::dynamic_pointer_cast<PromptModel>(shared_from_this()));
    return view;
}

} // namespace orvane
