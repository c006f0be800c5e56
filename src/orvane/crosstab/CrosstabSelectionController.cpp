// SPDX-License-Identifier: Apache-2.0
#include "orvane/crosstab/CrosstabSelectionController.h"

#include "orvane/crosstab/Crosstab.h"
#include "orvane/crosstab/CrosstabRenderer.h"
#include "orvane/host/core/CLog.h"
#include "orvane/host/data/DataSet.h"
#include "orvane/host/data/ExpressionBuilder.h"
#include "orvane/host/data/Hierarchy.h"
#include "orvane/host/data/RowStates.h"
#include "orvane/selection/Selection.h"
#include "orvane/selection/SelectionOptions.h"

#include <algorithm>

namespace orvane {

namespace {
constexpr const char* SOURCE = "orvane/crosstab/CrosstabSelectionController";

void report(int line, const std::string& message) {
    if (CLog::isEnabled(CLog::ERRORS)) CLog::log(CLog::ERRORS, SOURCE, line, message);
}

using Names = MonitoredVector<std::shared_ptr<const std::string>>;
} // namespace

std::shared_ptr<CrosstabSelectionController> CrosstabSelectionController::create(
    const std::shared_ptr<CrosstabRenderer>& renderer) {
    std::shared_ptr<CrosstabSelectionController> c(new CrosstabSelectionController());
    c->renderer_ = renderer;
    if (auto model = renderer ? renderer->getModel() : nullptr) c->updateDataSet(model->sourceDataSet.get());
    return c;
}

CrosstabSelectionController::~CrosstabSelectionController() = default;

std::shared_ptr<Crosstab> CrosstabSelectionController::getCrosstab() const {
    auto r = renderer_.lock();
    return r ? r->getModel() : nullptr;
}

std::vector<std::shared_ptr<Hierarchy>> CrosstabSelectionController::getHierarchies() const {
    std::vector<std::shared_ptr<Hierarchy>> out;
    if (auto c = getCrosstab()) {
        if (auto h = c->rowHierarchy.get()) out.push_back(h);
        if (auto h = c->columnHierarchy.get()) out.push_back(h);
    }
    return out;
}

std::shared_ptr<Expression> CrosstabSelectionController::getDrillExpression() const {
    return SelectionController::getDrillExpression(getHierarchies());
}

void CrosstabSelectionController::populateDefaultDataNames(SelectionOptions& options) {
    auto c = getCrosstab();
    auto source = c ? c->sourceDataSet.get() : nullptr;
    std::vector<std::shared_ptr<const std::string>> names;
    if (source && source->getName()) names.push_back(source->getName());
    options.expectedDataNames = Names::create(std::move(names));
}

void CrosstabSelectionController::populateDefaultVariables(SelectionOptions& options) {
    std::vector<std::shared_ptr<const std::string>> names;
    for (const auto& h : getHierarchies())
        for (const auto& l : h->getLevels()) names.push_back(l->getName());
    options.expectedVariableNames = Names::create(std::move(names));
}

SelectionController::SelectionList CrosstabSelectionController::getSelections(const OptionsPtr& given) {
    auto out = std::make_shared<Selections>();
    auto renderer = renderer_.lock();
    auto c = getCrosstab();
    auto source = c ? c->sourceDataSet.get() : nullptr;
    if (!renderer || !source) {
        report(__LINE__, "Crosstab selection requires a model with a valid sourceDataSet.");
        return out;
    }
    OptionsPtr options = given;
    populateOptionDefaults(options);
    std::vector<std::string> variables;
    if (auto v = options->expectedVariableNames.get())
        for (const auto& n : *v)
            if (n) variables.push_back(*n);
    // One AND of level = value terms per selected cell; the cells OR-ed.
    std::vector<std::shared_ptr<Expression>> cells;
    for (const auto& [rowNode, columnNode] : renderer->getSelectedNodes()) {
        std::vector<std::shared_ptr<Expression>> terms;
        for (const auto& node : {rowNode, columnNode}) {
            auto* d = dynamic_cast<DisplayTreeNode*>(node.get());
            auto data = d ? d->getDataTreeNode() : nullptr;
            if (!data) continue;
            for (const auto& n : data->getUniqueNodePath()) {
                auto value = n->getDataValue();
                auto level = n->getLevelName();
                if (!value || !level || value->isAllOthers()) continue;
                if (std::find(variables.begin(), variables.end(), *level) == variables.end()) continue;
                terms.push_back(ExpressionBuilder::eq(ExpressionBuilder::var(*level), ExpressionBuilder::const_(value)));
            }
        }
        if (terms.empty()) continue;
        cells.push_back(terms.size() == 1 ? terms.front() : ExpressionBuilder::and_(terms));
    }
    if (cells.empty()) return out;
    auto expression = cells.size() == 1 ? cells.front() : ExpressionBuilder::or_(cells);
    if (auto drill = getDrillExpression()) expression = ExpressionBuilder::and_(expression, drill);
    auto selection = Selection::create();
    selection->dataName = source->getName();
    selection->expression = expression;
    out->push_back(selection);
    return out;
}

void CrosstabSelectionController::applySelections(const SelectionList& selections, const OptionsPtr& given) {
    auto c = getCrosstab();
    auto source = c ? c->sourceDataSet.get() : nullptr;
    if (!source || !source->getRowStates()) {
        report(__LINE__, "Crosstab selection requires a DataSet with RowStates.");
        return;
    }
    if (!selections || selections->empty()) {
        report(__LINE__, "Crosstab selection requires exactly one Selection (none was provided).");
        return;
    }
    if (selections->size() > 1) {
        report(__LINE__, "Crosstab selection requires exactly one Selection (multiple were provided).");
        return;
    }
    auto selection = selections->front();
    if (!selection) {
        report(__LINE__, "Null selection was not applied.");
        return;
    }
    OptionsPtr options = given;
    populateOptionDefaults(options);
    auto expression = selection->expression.get();
    if (auto drill = getDrillExpression(); drill && expression) expression = ExpressionBuilder::and_(expression, drill);
    applySelectionToRowStates(selection->copyWithExpression(expression), source, *options, *source->getRowStates());
}

void CrosstabSelectionController::clearSelections() {
    auto c = getCrosstab();
    auto source = c ? c->sourceDataSet.get() : nullptr;
    if (source && source->getRowStates()) source->getRowStates()->clear(0);
}

} // namespace orvane
