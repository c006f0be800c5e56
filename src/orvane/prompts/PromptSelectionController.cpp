// SPDX-License-Identifier: Apache-2.0
#include "orvane/prompts/PromptSelectionController.h"

#include "orvane/host/data/DataSet.h"
#include "orvane/host/data/DataValueUtils.h"
#include "orvane/selection/Selection.h"
#include "orvane/selection/SelectionChangeEvent.h"
#include "orvane/selection/SelectionOptions.h"

#include <algorithm>

namespace orvane {

namespace {

void appendName(SelectionOptions& options, bool dataNames, const std::shared_ptr<const std::string>& name) {
    if (!name) return;
    auto& prop = dataNames ? options.expectedDataNames : options.expectedVariableNames;
    auto current = prop.get();
    std::vector<std::shared_ptr<const std::string>> names;
    if (current) names = current->toVector();
    if (std::any_of(names.begin(), names.end(), [&](const auto& x) { return x && *x == *name; })) return;
    names.push_back(name);
    prop = MonitoredVector<std::shared_ptr<const std::string>>::create(std::move(names));
}

} // namespace

std::shared_ptr<PromptSelectionController> PromptSelectionController::create() {
    return std::shared_ptr<PromptSelectionController>(new PromptSelectionController());
}

PromptSelectionController::~PromptSelectionController() = default;

void PromptSelectionController::setSelectedValues(const std::shared_ptr<Values>& values, bool update) {
    std::shared_ptr<Values> next;
    if (values) {
        Values kept;
        for (const auto& v : *values)
            if (v) kept.push_back(v);
        next = std::make_shared<Values>(DataValueUtils::distinct(kept));
    }
    if (next && !next->empty() && selectionMode_ == PromptSelectionMode::RANGE) {
        auto less = [](const std::shared_ptr<DataValue>& a, const std::shared_ptr<DataValue>& b) { return *a < *b; };
        auto [lo, hi] = std::minmax_element(next->begin(), next->end(), less);
        next = std::make_shared<Values>(Values{*lo, *hi});
    }
    bool changed = !DataValueUtils::valueSetsAreEqual(next, selectedValues_);
    if (changed) selectedValues_ = next;
    if (update) updateRowStates();
    if (changed) dispatchEvent(SelectionChangeEvent::create(SELECTION_CHANGED, dataName_));
}

void PromptSelectionController::updateRowStates() {
    if (!selectedValues_ || selectedValues_->empty()) {
        DataSetSelectionController::clearSelections();
        return;
    }
    const auto& dataSets = getDataSets();
    if (!dataSets) return;
    auto options = getDefaultOptions();
    auto selections = std::make_shared<Selections>();
    for (const auto& ds : *dataSets) {
        if (!ds) continue;
        if (auto s = getSelectionFromDataValues(ds->getName(), variableName_, selectedValues_, selectionMode_, options))
            selections->push_back(s);
    }
    DataSetSelectionController::applySelections(selections, options);
}

void PromptSelectionController::setDataSets(const DataSetList& dataSets) {
    DataSetSelectionController::setDataSets(dataSets);
    updateRowStates();
}

void PromptSelectionController::clearSelections() {
    DataSetSelectionController::clearSelections();
    setSelectedValues(nullptr, true);
}

SelectionController::SelectionList PromptSelectionController::getSelections(const OptionsPtr& options) {
    auto out = getSelectionsForDataSets(options, getDataSets(), selectionMode_);
    if (!out) out = std::make_shared<Selections>();
    for (const auto& s : *out)
        if (s && dataNamesMatch(s->dataName.get(), dataName_)) return out;
    if (auto s = getSelectionFromDataValues(dataName_, variableName_, selectedValues_, selectionMode_,
                                            options ? options : getDefaultOptions()))
        out->push_back(s);
    return out;
}

void PromptSelectionController::applySelections(const SelectionList& selections, const OptionsPtr& options) {
    DataSetSelectionController::applySelections(selections, options);
    Values joined;
    if (variableName_)
        if (auto fromSelections = getDataValuesFromSelections(selections, dataName_, *variableName_))
            joined = *fromSelections;
    if (variableName_ && getDataSets())
        for (const auto& ds : *getDataSets())
            if (ds)
                for (auto& v : ds->getSelectedValues(*variableName_)) joined.push_back(v);
    setSelectedValues(std::make_shared<Values>(std::move(joined)), false);
}

void PromptSelectionController::populateDefaultDataNames(SelectionOptions& options) {
    DataSetSelectionController::populateDefaultDataNames(options);
    appendName(options, true, dataName_);
}

void PromptSelectionController::populateDefaultVariables(SelectionOptions& options) {
    populateVariablesOfUsage(options, selectionMode_ == PromptSelectionMode::RANGE ? 2 : 1);
    appendName(options, false, variableName_);
}

void PromptSelectionController::handleEvent(const std::shared_ptr<PortableEvent>&) {}

} // namespace orvane
