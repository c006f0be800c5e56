// SPDX-License-Identifier: Apache-2.0
#include "orvane/selection/SelectionControl.h"

#include "orvane/host/data/ExpressionUtil.h"
#include "orvane/host/data/MetadataProvider.h"
#include "orvane/package/BaseUIModelDatabase.h"
#include "orvane/properties/EventCallback.h"
#include "orvane/selection/Selection.h"
#include "orvane/selection/SelectionControlEvent.h"
#include "orvane/selection/SelectionControlItem.h"
#include "orvane/selection/SelectionControlTerm.h"
#include "orvane/selection/SelectionController.h"
#include "orvane/selection/SelectionOptions.h"

#include <algorithm>

namespace orvane {

namespace {

// Raises the update depth for the lifetime of an operation.
struct DepthGuard {
    int& depth;
    explicit DepthGuard(int& d) : depth(d) { ++depth; }
    ~DepthGuard() { --depth; }
};

} // namespace

SelectionControl::SelectionControl()
    : items(this, BaseUIModelDatabase::propertyDefinition(WRAPPER_TYPE_ID, 0, 0)) {
}

SelectionControl::~SelectionControl() = default;

std::shared_ptr<SelectionControl> SelectionControl::create() {
    auto m = std::make_shared<SelectionControl>();
    m->initialize();
    return m;
}

std::vector<std::shared_ptr<SelectionControlItem>> SelectionControl::getItemList() const {
    auto v = items.get();
    return v ? v->toVector() : std::vector<std::shared_ptr<SelectionControlItem>>{};
}

std::shared_ptr<SelectionControlItem> SelectionControl::findItem(
    const std::shared_ptr<SelectionController>& controller) const {
    if (!controller) return nullptr;
    for (const auto& i : getItemList())
        if (i && i->selectionController.get() == controller) return i;
    return nullptr;
}

void SelectionControl::setItems(std::vector<std::shared_ptr<SelectionControlItem>> list) {
    items = MonitoredVector<std::shared_ptr<SelectionControlItem>>::create(std::move(list));
}

void SelectionControl::announceChange() {
    dispatchEvent(SelectionControlEvent::create(SELECTION_CONTROL_CHANGE));
}

void SelectionControl::listenTo(const std::shared_ptr<SelectionControlItem>& item) {
    auto self = sharedAs<SelectionControl>();
    if (!self || !item) return;
    auto cb = EventCallback<SelectionControl>::create(self, &SelectionControl::handleItemEvent);
    item->removeEventListener(REMOVE_TERM, cb);
    item->addEventListener(REMOVE_TERM, cb);
}

void SelectionControl::handleItemEvent(const std::shared_ptr<PortableEvent>& event) {
    auto e = std::dynamic_pointer_cast<SelectionControlEvent>(event);
    if (e && e->getType() == REMOVE_TERM && e->getTerm()) removeTerm(e->getTerm());
}

void SelectionControl::updateSelection(const std::shared_ptr<SelectionController>& controller,
                                       const std::shared_ptr<SelectionOptions>& options,
                                       const std::shared_ptr<MetadataProvider>& metadata, bool readOnly,
                                       const SelectionList& given) {
    if (!controller) return;
    DepthGuard depth(updateDepth_);
    SelectionList raw = given ? given : controller->getSelections(options);

    // Selections in the uniform and/or shape; those that have none are dropped.
    std::vector<std::shared_ptr<Selection>> next;
    if (raw)
        for (const auto& s : *raw) {
            if (!s) continue;
            auto h = ExpressionUtil::homogenize(s->expression.get());
            if (h) next.push_back(s->copyWithExpression(h));
        }

    bool changed = false;
    auto list = getItemList();
    auto item = findItem(controller);
    if (item) {
        if (!raw || next.empty()) {
            list.erase(std::find(list.begin(), list.end(), item));
            changed = true;
        } else {
            changed = item->updateSelections(next, metadata.get());
            if (item->readOnly.get() != readOnly) {
                item->readOnly = readOnly;
                changed = true;
            }
            item->selectionOptions = options;
        }
    } else if (!next.empty()) {
        item = SelectionControlItem::create();
        item->selectionController = controller;
        item->selectionOptions = options;
        item->readOnly = readOnly;
        std::string label;
        for (const auto& s : next)
            if (auto n = s->dataName.get()) {
                if (label.find(*n) != std::string::npos) continue;
                label += (label.empty() ? "" : ", ") + *n;
            }
        item->label = std::make_shared<const std::string>(label);
        item->updateSelections(next, metadata.get());
        list.push_back(item);
        listenTo(item);
        changed = true;
    }
    setItems(std::move(list));
    if (updateDepth_ == 1 && changed) announceChange();
}

bool SelectionControl::removeItem(const std::shared_ptr<SelectionControlItem>& item) {
    auto list = getItemList();
    auto it = item ? std::find(list.begin(), list.end(), item) : list.end();
    if (it == list.end()) return false;
    DepthGuard depth(updateDepth_);
    dispatchEvent(SelectionControlEvent::create(REMOVE_ITEM, item));
    if (auto c = item->selectionController.get()) c->clearSelections();
    // The clearing may have updated the list (a listener calling updateSelection).
    list = getItemList();
    list.erase(std::remove(list.begin(), list.end(), item), list.end());
    setItems(std::move(list));
    return true;
}

void SelectionControl::removeItems(const std::vector<std::shared_ptr<SelectionControlItem>>& list) {
    for (const auto& i : list) removeItem(i);
}

bool SelectionControl::removeTerm(const std::shared_ptr<SelectionControlTerm>& term) {
    if (!term) return false;
    DepthGuard depth(updateDepth_);
    for (const auto& item : getItemList()) {
        if (!item || !item->removeTerm(term)) continue;
        auto remaining = item->getSelectionList();
        if (remaining.empty()) {
            removeItem(item);
        } else if (auto c = item->selectionController.get()) {
            c->applySelections(std::make_shared<std::vector<std::shared_ptr<Selection>>>(remaining),
                               item->selectionOptions.get());
        }
        setItems(getItemList());
        return true;
    }
    return false;
}

void SelectionControl::removeTerms(const std::vector<std::shared_ptr<SelectionControlTerm>>& list) {
    for (const auto& t : list) removeTerm(t);
}

void SelectionControl::clear() {
    auto list = getItemList();
    if (list.empty()) return;
    DepthGuard depth(updateDepth_);
    for (const auto& i : list) dispatchEvent(SelectionControlEvent::create(REMOVE_ITEM, i));
    setItems({});
    if (updateDepth_ == 1) announceChange();
}

namespace {

// The texts of the entries, comma separated (null entries skipped).
template <class List>
std::string describeAll(const List& list) {
    std::string out;
    for (const auto& x : list)
        if (x) out += (out.empty() ? "" : ", ") + SelectionControl::describe(*x);
    return out;
}

} // namespace

std::string SelectionControl::describe(const SelectionControl& control) {
    return "{items: " + describeAll(control.getItemList()) + "}";
}

std::string SelectionControl::describe(const SelectionControlItem& item) {
    auto l = item.label.get();
    auto terms = item.terms.get();
    return (l ? *l : std::string()) + ": [" +
           (terms ? describeAll(*terms) : std::string()) + "]";
}

std::string SelectionControl::describe(const SelectionControlTerm& term) {
    auto l = term.label.get();
    return l ? *l : std::string();
}

std::shared_ptr<Expression> SelectionControl::removeTermFromExpression(const std::shared_ptr<Expression>& whole,
                                                                       const std::shared_ptr<Expression>& term) {
    return ExpressionUtil::removeTermFromExpression(whole, term);
}

} // namespace orvane
