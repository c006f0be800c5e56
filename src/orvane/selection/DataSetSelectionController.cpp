// SPDX-License-Identifier: Apache-2.0
#include "orvane/selection/DataSetSelectionController.h"

#include "orvane/host/data/DataSet.h"
#include "orvane/host/data/RowStates.h"
#include "orvane/selection/SelectionOptions.h"

#include <algorithm>

namespace orvane {

namespace {

using Names = MonitoredVector<std::shared_ptr<const std::string>>;

// Appends the names not already present (by text).
void appendDistinct(SelectionOptions& options, bool dataNames, const std::vector<std::shared_ptr<const std::string>>& add) {
    auto& prop = dataNames ? options.expectedDataNames : options.expectedVariableNames;
    auto current = prop.get();
    std::vector<std::shared_ptr<const std::string>> names = current ? current->toVector()
                                                                    : std::vector<std::shared_ptr<const std::string>>{};
    for (const auto& n : add) {
        if (!n) continue;
        bool present = std::any_of(names.begin(), names.end(), [&](const auto& x) { return x && *x == *n; });
        if (!present) names.push_back(n);
    }
    prop = Names::create(std::move(names));
}

} // namespace

std::shared_ptr<DataSetSelectionController> DataSetSelectionController::create(const DataSetList& dataSets) {
    std::shared_ptr<DataSetSelectionController> c(new DataSetSelectionController());
    if (dataSets) c->setDataSets(dataSets);
    return c;
}

DataSetSelectionController::~DataSetSelectionController() = default;

void DataSetSelectionController::setDataSets(const DataSetList& dataSets) {
    if (dataSets_)
        for (const auto& ds : *dataSets_) releaseDataSet(ds);
    dataSets_ = dataSets;
    if (dataSets_)
        for (const auto& ds : *dataSets_) updateDataSet(ds);
}

SelectionController::SelectionList DataSetSelectionController::getSelections(const OptionsPtr& options) {
    return getSelectionsForDataSets(options, dataSets_, PromptSelectionMode::DISCRETE);
}

void DataSetSelectionController::applySelections(const SelectionList& selections, const OptionsPtr& options) {
    applySelectionsToDataSets(selections, options, dataSets_);
}

void DataSetSelectionController::clearSelections() {
    if (!dataSets_) return;
    for (const auto& ds : *dataSets_)
        if (ds && ds->getRowStates()) ds->getRowStates()->clear(0);
}

void DataSetSelectionController::populateDefaultDataNames(SelectionOptions& options) {
    std::vector<std::shared_ptr<const std::string>> names;
    if (dataSets_)
        for (const auto& ds : *dataSets_)
            if (ds && ds->getName()) names.push_back(ds->getName());
    appendDistinct(options, true, names);
}

void DataSetSelectionController::populateVariablesOfUsage(SelectionOptions& options, int dataUsage) {
    std::vector<std::shared_ptr<const std::string>> names;
    if (dataSets_)
        for (const auto& ds : *dataSets_) {
            if (!ds) continue;
            for (const auto& c : ds->getColumns())
                if (c && c->getDataUsage() == dataUsage) names.push_back(c->getName());
        }
    appendDistinct(options, false, names);
}

void DataSetSelectionController::populateDefaultVariables(SelectionOptions& options) {
    populateVariablesOfUsage(options, 1);
}

} // namespace orvane
