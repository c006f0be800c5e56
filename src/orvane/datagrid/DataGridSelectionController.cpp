// SPDX-License-Identifier: Apache-2.0
#include "orvane/datagrid/DataGridSelectionController.h"

#include "orvane/datagrid/DataGrid.h"
#include "orvane/datagrid/DataGridRenderer.h"
#include "orvane/host/core/CLog.h"
#include "orvane/host/data/Column.h"
#include "orvane/host/data/DataSet.h"
#include "orvane/host/data/RowStates.h"
#include "orvane/selection/Selection.h"
#include "orvane/selection/SelectionOptions.h"

namespace orvane {

namespace {

constexpr const char* SOURCE = "orvane/datagrid/DataGridSelectionController";

void logProblem(int line, const std::string& message) {
    if (CLog::isEnabled(CLog::ERRORS)) CLog::log(CLog::ERRORS, SOURCE, line, message);
}

using Names = MonitoredVector<std::shared_ptr<const std::string>>;

} // namespace

std::shared_ptr<DataGridSelectionController> DataGridSelectionController::create(
    const std::shared_ptr<DataGridRenderer>& renderer) {
    std::shared_ptr<DataGridSelectionController> c(new DataGridSelectionController());
    c->renderer_ = renderer;
    if (auto grid = c->getDataGrid()) c->updateDataSet(grid->dataSet.get());
    return c;
}

DataGridSelectionController::~DataGridSelectionController() = default;

std::shared_ptr<DataGrid> DataGridSelectionController::getDataGrid() const {
    auto renderer = renderer_.lock();
    return renderer ? renderer->getModel() : nullptr;
}

std::shared_ptr<DataSet> DataGridSelectionController::requireDataSet(int line) const {
    auto grid = getDataGrid();
    auto ds = grid ? grid->dataSet.get() : nullptr;
    if (!ds || !ds->getRowStates()) {
        logProblem(line, "DataGrid selection requires a DataSet with RowStates.");
        return nullptr;
    }
    return ds;
}

SelectionController::SelectionList DataGridSelectionController::getSelections(const OptionsPtr& options) {
    auto ds = requireDataSet(__LINE__);
    if (!ds) return nullptr;
    OptionsPtr opts = options;
    populateOptionDefaults(opts);
    bool expected = false;
    if (auto names = opts->expectedDataNames.get())
        for (const auto& n : *names)
            if (dataNamesMatch(n, ds->getName())) expected = true;
    if (!expected) return nullptr;
    auto out = std::make_shared<Selections>();
    auto selection = makeSelectionFromRowStates(*ds, *ds->getRowStates(), *opts, PromptSelectionMode::DISCRETE);
    if (selection) {
        decorateSelection(*selection, *opts);
        out->push_back(selection);
    }
    return out;
}

void DataGridSelectionController::applySelections(const SelectionList& selections, const OptionsPtr& options) {
    auto ds = requireDataSet(__LINE__);
    if (!ds) return;
    if (!selections || selections->empty()) {
        logProblem(__LINE__, "DataGrid selection requires exactly one Selection (none was provided).");
        return;
    }
    if (selections->size() > 1) {
        logProblem(__LINE__, "DataGrid selection requires exactly one Selection (multiple were provided).");
        return;
    }
    OptionsPtr opts = options;
    populateOptionDefaults(opts);
    applySelectionToRowStates(selections->front(), ds, *opts, *ds->getRowStates());
}

void DataGridSelectionController::clearSelections() {
    auto grid = getDataGrid();
    auto ds = grid ? grid->dataSet.get() : nullptr;
    if (ds && ds->getRowStates()) ds->getRowStates()->clear(0);
}

void DataGridSelectionController::populateDefaultDataNames(SelectionOptions& options) {
    auto grid = getDataGrid();
    auto ds = grid ? grid->dataSet.get() : nullptr;
    std::vector<std::shared_ptr<const std::string>> names;
    if (ds) names.push_back(ds->getName());
    options.expectedDataNames = Names::create(std::move(names));
}

void DataGridSelectionController::populateDefaultVariables(SelectionOptions& options) {
    auto grid = getDataGrid();
    auto ds = grid ? grid->dataSet.get() : nullptr;
    std::vector<std::shared_ptr<const std::string>> names;
    if (ds) {
        auto ordered = grid->orderedColumnNames.get();
        if (ordered && !ordered->empty()) {
            for (const auto& n : *ordered) {
                if (!n) continue;
                auto col = ds->getColumnWithName(*n);
                if (col && col->getDataUsage() == 1) names.push_back(col->getName());
            }
        } else {
            for (const auto& col : ds->getColumns())
                if (col && col->getDataUsage() == 1) names.push_back(col->getName());
        }
    }
    options.expectedVariableNames = Names::create(std::move(names));
}

} // namespace orvane
