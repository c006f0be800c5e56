// SPDX-License-Identifier: Apache-2.0
#include "orvane/selection/SelectionLink.h"

#include "orvane/host/core/AbstractEventCallback.h"
#include "orvane/host/data/Column.h"
#include "orvane/host/data/DataSet.h"
#include "orvane/host/data/RowStates.h"
#include "orvane/selection/DataSetSelectionController.h"
#include "orvane/selection/Selection.h"
#include "orvane/selection/SelectionOptions.h"

namespace orvane {

namespace {
using Names = MonitoredVector<std::shared_ptr<const std::string>>;

bool sameName(const DataSet& a, const DataSet& b) {
    return a.getName() && b.getName() && *a.getName() == *b.getName();
}
} // namespace

std::shared_ptr<SelectionLink> SelectionLink::create(const std::vector<std::shared_ptr<DataSet>>& dataSets) {
    std::vector<std::shared_ptr<DataSet>> linked;
    for (size_t i = 0; i < dataSets.size(); ++i) {
        if (!dataSets[i]) continue;
        for (size_t j = 0; j < dataSets.size(); ++j)
            if (i != j && dataSets[j] && dataSets[j] != dataSets[i] && sameName(*dataSets[i], *dataSets[j])) {
                linked.push_back(dataSets[i]);
                break;
            }
    }
    if (linked.size() < 2) return nullptr;
    std::shared_ptr<SelectionLink> link(new SelectionLink());
    link->dataSets_ = linked;
    link->controller_ = DataSetSelectionController::create(
        std::make_shared<std::vector<std::shared_ptr<DataSet>>>(linked));
    std::weak_ptr<SelectionLink> weak = link;
    for (const auto& ds : linked) {
        ds->ensureRowStates();
        std::weak_ptr<DataSet> source = ds;
        auto cb = FunctionEventCallback::create([weak, source](const std::shared_ptr<PortableEvent>&) {
            auto self = weak.lock();
            auto from = source.lock();
            if (self && from) self->propagate(*from);
        });
        ds->addEventListener(RowStates::SELECTED_CHANGED, cb);
        link->listeners_.push_back(cb);
    }
    return link;
}

SelectionLink::~SelectionLink() {
    for (size_t i = 0; i < dataSets_.size() && i < listeners_.size(); ++i)
        dataSets_[i]->removeEventListener(RowStates::SELECTED_CHANGED, listeners_[i]);
}

void SelectionLink::propagate(DataSet& source) {
    // Applying to the others makes them announce too: they are not passed on.
    if (busy_ || !source.getRowStates()) return;
    busy_ = true;
    struct Release {
        bool& flag;
        ~Release() { flag = false; }
    } release{busy_};
    auto options = SelectionOptions::create();
    options->expectedDataNames = Names::create({source.getName()});
    std::vector<std::shared_ptr<const std::string>> variables;
    for (const auto& c : source.getColumns())
        if (c && c->getName()) variables.push_back(c->getName());
    options->expectedVariableNames = Names::create(std::move(variables));
    auto selection = controller_->makeSelectionFromRowStates(source, *source.getRowStates(), *options,
                                                             PromptSelectionMode::DISCRETE);
    for (const auto& target : dataSets_) {
        if (target.get() == &source || !sameName(*target, source)) continue;
        auto states = target->ensureRowStates();
        if (selection) controller_->applySelectionToRowStates(selection, target, *options, *states);
        else states->clear(0);
    }
    ++propagations_;
}

} // namespace orvane
