// SPDX-License-Identifier: Apache-2.0
#include "orvane/datagrid/DataGridGestureHandler.h"

#include "orvane/datagrid/DataGridRenderer.h"
#include "orvane/displaylist/TqDataGrid.h"
#include "orvane/host/core/AbstractEventCallback.h"
#include "orvane/host/data/RowStates.h"
#include "orvane/host/input/Focusable.h"
#include "orvane/host/input/KeyEvent.h"
#include "orvane/host/input/KeyManager.h"
#include "orvane/view/PickResult.h"
#include "orvane/view/PickResultEntry.h"
#include "orvane/view/ShowContextMenuEvent.h"

#include <algorithm>

namespace orvane {

using displaylist::TqDataGrid;

std::shared_ptr<DataGridGestureHandler> DataGridGestureHandler::create(const std::shared_ptr<Focusable>& focusable) {
    std::shared_ptr<DataGridGestureHandler> h(new DataGridGestureHandler());
    std::weak_ptr<DataGridGestureHandler> weakHandler = h;
    std::weak_ptr<Focusable> weakFocus = focusable;
    // Keys reach the table only while it holds the keyboard focus.
    h->keyListener_ = FunctionEventCallback::create([weakHandler, weakFocus](const std::shared_ptr<PortableEvent>& e) {
        auto handler = weakHandler.lock();
        auto focus = weakFocus.lock();
        if (handler && focus && focus->hasKeyboardFocus()) handler->handleKeyPress(e);
    });
    KeyManager::getSharedInstance()->addEventListener(KeyEvent::KeyPressed, h->keyListener_);
    return h;
}

DataGridGestureHandler::~DataGridGestureHandler() {
    if (keyListener_) KeyManager::getSharedInstance()->removeEventListener(KeyEvent::KeyPressed, keyListener_);
}

std::shared_ptr<DataGridRenderer> DataGridGestureHandler::getRenderer() const {
    return std::dynamic_pointer_cast<DataGridRenderer>(getView());
}

TqDataGrid* DataGridGestureHandler::getDataGridNode() const {
    auto r = getRenderer();
    return r ? r->getDataGridNode() : nullptr;
}

bool DataGridGestureHandler::makeSelection(const std::vector<uint64_t>& ids, bool replace, bool toggle) {
    auto r = getRenderer();
    if (!r) return false;
    if (ids.empty()) {
        // Nothing under the point clears the selection (something happened
        // only when there was one).
        auto model = r->getModel();
        auto ds = model ? model->dataSet.get() : nullptr;
        bool had = ds && ds->getRowStates() && ds->getRowStates()->getSelectedCount() > 0;
        r->clearSelections(true, true);
        return had;
    }
    if (TqDataGrid::ConvertPickIDtoComponentID(ids.front()) != TqDataGrid::COMPONENT_CELL) return false;
    return r->updateSelection(ids, replace, toggle);
}

void DataGridGestureHandler::updateColumnWidth(int column, float width) {
    if (auto r = getRenderer()) r->updateColumnWidth(column, width);
}

void DataGridGestureHandler::updateRowHeight(int64_t row, float height) {
    if (auto r = getRenderer()) r->updateRowHeight(row, height);
}

void DataGridGestureHandler::updateRowHeaderColumnWidth(int, float width) {
    if (auto r = getRenderer()) r->setRowNumberColumnWidth(width);
}

void DataGridGestureHandler::setLastSelectedIndex(uint64_t id) {
    if (auto r = getRenderer()) r->setLastSelectedIndex(id);
}

void DataGridGestureHandler::setShowFocusRect(bool show) {
    if (auto r = getRenderer()) r->setShowFocusRect(show);
}

bool DataGridGestureHandler::allowsColumnReorder() const {
    auto r = getRenderer();
    return r && r->getModel() && r->getModel()->allowColumnReorder.get();
}

int DataGridGestureHandler::getModelFixedColumnCount() const {
    auto r = getRenderer();
    return r && r->getModel() ? r->getModel()->fixedColumnCount.get() : 0;
}

void DataGridGestureHandler::setModelFixedColumnCount(int count) {
    auto r = getRenderer();
    if (r && r->getModel()) r->getModel()->fixedColumnCount.set(std::max(0, count));
}

void DataGridGestureHandler::moveColumn(int from, int to) {
    if (auto r = getRenderer()) r->moveColumn(from, to);
}

bool DataGridGestureHandler::handleHeaderTap(uint64_t headerId, bool keepOthers) {
    auto r = getRenderer();
    if (!r || TqDataGrid::ConvertPickIDtoComponentID(headerId) != TqDataGrid::COMPONENT_HEADER) return false;
    return r->sortByHeader(TqDataGrid::GetColumnFromPickID(headerId), keepOthers);
}

void DataGridGestureHandler::setFocusedCell(uint64_t id) {
    if (auto r = getRenderer()) r->setFocusedCell(id);
}

void DataGridGestureHandler::scrollTo(double x, double y) {
    if (auto r = getRenderer()) r->setScrollPosition(x, y);
}

void DataGridGestureHandler::showContextMenu(uint64_t id) {
    auto r = getRenderer();
    if (!r) return;
    std::shared_ptr<PickResult> result;
    if (auto* grid = r->getDataGridNode(); grid && id != TqDataGrid::NO_PICK_ID) {
        result = PickResult::create();
        auto entry = PickResultEntry::create();
        int col = TqDataGrid::GetColumnFromPickID(id);
        if (col >= 0 && col < grid->GetNumColumns())
            entry->setLabel(std::make_shared<const std::string>(grid->GetColumnHeader(col)));
        entry->setFormattedValue(std::make_shared<const std::string>(r->getPickText(id)));
        result->addEntry(entry);
    }
    r->dispatchEvent(ShowContextMenuEvent::create(ShowContextMenuEvent::SHOW_CONTEXT_MENU, result));
}

} // namespace orvane
