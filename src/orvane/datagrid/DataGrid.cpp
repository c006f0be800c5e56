// SPDX-License-Identifier: Apache-2.0
#include "orvane/datagrid/DataGrid.h"

#include "orvane/package/BaseUIModelDatabase.h"
#include "orvane/datagrid/DataGridColumnInfo.h"
#include "orvane/datagrid/DataGridRenderer.h"
#include "orvane/datagrid/GridColumnInfoManager.h"
#include "orvane/host/core/CLog.h"
#include "orvane/host/core/PortableEvent.h"
#include "orvane/host/data/SortContext.h"

namespace orvane {

DataGrid::DataGrid()
    : dataSet(this, BaseUIModelDatabase::propertyDefinition(WRAPPER_TYPE_ID, 0, 0)),
      columnStyles(this, BaseUIModelDatabase::propertyDefinition(WRAPPER_TYPE_ID, 0, 1)),
      headerStyle(this, BaseUIModelDatabase::propertyDefinition(WRAPPER_TYPE_ID, 0, 2)),
      selectionStyle(this, BaseUIModelDatabase::propertyDefinition(WRAPPER_TYPE_ID, 0, 3)),
      totalStyle(this, BaseUIModelDatabase::propertyDefinition(WRAPPER_TYPE_ID, 0, 4)),
      tableStyle(this, BaseUIModelDatabase::propertyDefinition(WRAPPER_TYPE_ID, 0, 5)),
      hoverStyle(this, BaseUIModelDatabase::propertyDefinition(WRAPPER_TYPE_ID, 0, 6)),
      scrollbarStyle(this, BaseUIModelDatabase::propertyDefinition(WRAPPER_TYPE_ID, 0, 7)),
      style(this, BaseUIModelDatabase::propertyDefinition(WRAPPER_TYPE_ID, 0, 8)),
      allowColumnReorder(this, BaseUIModelDatabase::propertyDefinition(WRAPPER_TYPE_ID, 0, 9)),
      totalsVisible(this, BaseUIModelDatabase::propertyDefinition(WRAPPER_TYPE_ID, 0, 10)),
      totalsPosition(this, BaseUIModelDatabase::propertyDefinition(WRAPPER_TYPE_ID, 0, 11)),
      totalsLabelVisible(this, BaseUIModelDatabase::propertyDefinition(WRAPPER_TYPE_ID, 0, 12)),
      headersVisible(this, BaseUIModelDatabase::propertyDefinition(WRAPPER_TYPE_ID, 0, 13)),
      showRowNumbers(this, BaseUIModelDatabase::propertyDefinition(WRAPPER_TYPE_ID, 0, 14)),
      rowNumberHeaderLabel(this, BaseUIModelDatabase::propertyDefinition(WRAPPER_TYPE_ID, 0, 15)),
      showEmptyRowsAndColumns(this, BaseUIModelDatabase::propertyDefinition(WRAPPER_TYPE_ID, 0, 16)),
      columnAutoFill(this, BaseUIModelDatabase::propertyDefinition(WRAPPER_TYPE_ID, 0, 17)),
      fixedColumnCount(this, BaseUIModelDatabase::propertyDefinition(WRAPPER_TYPE_ID, 0, 18)),
      enableCellCallback(this, BaseUIModelDatabase::propertyDefinition(WRAPPER_TYPE_ID, 0, 19)),
      orderedColumnNames(this, BaseUIModelDatabase::propertyDefinition(WRAPPER_TYPE_ID, 0, 20)),
      columnInfoManager(this, BaseUIModelDatabase::propertyDefinition(WRAPPER_TYPE_ID, 0, 21)),
      sortState(this, BaseUIModelDatabase::propertyDefinition(WRAPPER_TYPE_ID, 0, 22)) {
    totalsLabelVisible.setDefault(true);
    headersVisible.setDefault(true);
    showEmptyRowsAndColumns.setDefault(true);
    columnAutoFill.setDefault(true);
}

DataGrid::~DataGrid() = default;

std::shared_ptr<DataGrid> DataGrid::create() {
    auto m = std::make_shared<DataGrid>();
    m->initialize();
    return m;
}

void DataGrid::setColumnInfo(int column, const std::shared_ptr<DataGridColumnInfo>& info) {
    auto manager = columnInfoManager.get();
    if (!manager) manager = GridColumnInfoManager::create();
    manager->setColumnInfo(column, info);
    columnInfoManager.reassign(manager);
}

std::shared_ptr<DataGridColumnInfo> DataGrid::getColumnInfo(int column) const {
    auto manager = columnInfoManager.get();
    return manager ? manager->getColumnInfo(column) : nullptr;
}

bool DataGrid::sortByColumn(const std::string& columnName, SortDirection::type direction, bool keepOthers) {
    auto ds = dataSet.get();
    if (!ds || !ds->getColumnWithName(columnName)) {
        ORVANE_LOG(CLog::ERRORS, "datagrid/DataGrid", "Cannot sort by \"" + columnName + "\": no such column in the data");
        return false;
    }
    auto state = sortState.get();
    if (!state) {
        state = SortState::create();
        sortState.set(state);
    }
    std::shared_ptr<SortContext> context;
    for (const auto& c : state->getRelationalSortsForAxis(0))
        if (c && c->getColumnName() && *c->getColumnName() == columnName) context = c;
    if (!context) context = SortContext::create();
    context->setColumnName(columnName);
    context->setDirection(direction);
    state->setRelationalSortForAxis(0, context, keepOthers);
    state->computeRelationalSortMap(ds);
    dispatchEvent(PortableEvent::create(SORT_CHANGED));
    return true;
}

std::shared_ptr<DataGridRenderer> DataGrid::createRenderer() {
    auto view = DataGridRenderer::create();
    view->setModel(std::dynamic_pointer_cast<DataGrid>(shared_from_this()));
    return view;
}

} // namespace orvane
