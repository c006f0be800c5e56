// SPDX-License-Identifier: Apache-2.0
#include "orvane/crosstab/Crosstab.h"

#include "orvane/crosstab/CrosstabLevelInfo.h"
#include "orvane/crosstab/CrosstabRenderer.h"
#include "orvane/datagrid/DataGridColumnInfo.h"
#include "orvane/datagrid/GridColumnInfoManager.h"
#include "orvane/host/core/PortableEvent.h"

#include "orvane/package/BaseUIModelDatabase.h"
#include "orvane/datagrid/GridColumnInfoManager.h"

namespace orvane {

Crosstab::Crosstab()
    : dataSet(this, BaseUIModelDatabase::propertyDefinition(WRAPPER_TYPE_ID, 0, 0)),
      sourceDataSet(this, BaseUIModelDatabase::propertyDefinition(WRAPPER_TYPE_ID, 0, 1)),
      excludedColumnNames(this, BaseUIModelDatabase::propertyDefinition(WRAPPER_TYPE_ID, 0, 2)),
      rowDataTreeNode(this, BaseUIModelDatabase::propertyDefinition(WRAPPER_TYPE_ID, 0, 3)),
      columnDataTreeNode(this, BaseUIModelDatabase::propertyDefinition(WRAPPER_TYPE_ID, 0, 4)),
      rowHierarchy(this, BaseUIModelDatabase::propertyDefinition(WRAPPER_TYPE_ID, 0, 5)),
      columnHierarchy(this, BaseUIModelDatabase::propertyDefinition(WRAPPER_TYPE_ID, 0, 6)),
      style(this, BaseUIModelDatabase::propertyDefinition(WRAPPER_TYPE_ID, 0, 7)),
      tableStyle(this, BaseUIModelDatabase::propertyDefinition(WRAPPER_TYPE_ID, 0, 8)),
      scrollbarStyle(this, BaseUIModelDatabase::propertyDefinition(WRAPPER_TYPE_ID, 0, 9)),
      rowHeaderStyle(this, BaseUIModelDatabase::propertyDefinition(WRAPPER_TYPE_ID, 0, 10)),
      columnHeaderStyle(this, BaseUIModelDatabase::propertyDefinition(WRAPPER_TYPE_ID, 0, 11)),
      measureHeaderStyle(this, BaseUIModelDatabase::propertyDefinition(WRAPPER_TYPE_ID, 0, 12)),
      selectionStyle(this, BaseUIModelDatabase::propertyDefinition(WRAPPER_TYPE_ID, 0, 13)),
      brushStyle(this, BaseUIModelDatabase::propertyDefinition(WRAPPER_TYPE_ID, 0, 14)),
      totalStyle(this, BaseUIModelDatabase::propertyDefinition(WRAPPER_TYPE_ID, 0, 15)),
      subtotalStyle(this, BaseUIModelDatabase::propertyDefinition(WRAPPER_TYPE_ID, 0, 16)),
      columnHeaderLabelStyle(this, BaseUIModelDatabase::propertyDefinition(WRAPPER_TYPE_ID, 0, 17)),
      rowHeaderLabelStyle(this, BaseUIModelDatabase::propertyDefinition(WRAPPER_TYPE_ID, 0, 18)),
      hierarchyDataSet(this, BaseUIModelDatabase::propertyDefinition(WRAPPER_TYPE_ID, 0, 19)),
      dataTreeSortContext(this, BaseUIModelDatabase::propertyDefinition(WRAPPER_TYPE_ID, 0, 20)),
      rowHierarchyNames(this, BaseUIModelDatabase::propertyDefinition(WRAPPER_TYPE_ID, 0, 21)),
      columnHierarchyNames(this, BaseUIModelDatabase::propertyDefinition(WRAPPER_TYPE_ID, 0, 22)),
      measureColumnNames(this, BaseUIModelDatabase::propertyDefinition(WRAPPER_TYPE_ID, 0, 23)),
      showRowTotal(this, BaseUIModelDatabase::propertyDefinition(WRAPPER_TYPE_ID, 0, 24)),
      showRowSubTotal(this, BaseUIModelDatabase::propertyDefinition(WRAPPER_TYPE_ID, 0, 25)),
      showColumnTotal(this, BaseUIModelDatabase::propertyDefinition(WRAPPER_TYPE_ID, 0, 26)),
      showColumnSubTotal(this, BaseUIModelDatabase::propertyDefinition(WRAPPER_TYPE_ID, 0, 27)),
      omittedSubtotalColumnLevelNames(this, BaseUIModelDatabase::propertyDefinition(WRAPPER_TYPE_ID, 0, 28)),
      showSummaryOnTop(this, BaseUIModelDatabase::propertyDefinition(WRAPPER_TYPE_ID, 0, 29)),
      showMissingLabelAsBlank(this, BaseUIModelDatabase::propertyDefinition(WRAPPER_TYPE_ID, 0, 30)),
      showRowNumbers(this, BaseUIModelDatabase::propertyDefinition(WRAPPER_TYPE_ID, 0, 31)),
      showRowNumberByHeader(this, BaseUIModelDatabase::propertyDefinition(WRAPPER_TYPE_ID, 0, 32)),
      rowNumberHeaderLabel(this, BaseUIModelDatabase::propertyDefinition(WRAPPER_TYPE_ID, 0, 33)),
      rowAxisLevels(this, BaseUIModelDatabase::propertyDefinition(WRAPPER_TYPE_ID, 0, 34)),
      columnAxisLevels(this, BaseUIModelDatabase::propertyDefinition(WRAPPER_TYPE_ID, 0, 35)),
      numberOfMeasures(this, BaseUIModelDatabase::propertyDefinition(WRAPPER_TYPE_ID, 0, 36)),
      sortContext(this, BaseUIModelDatabase::propertyDefinition(WRAPPER_TYPE_ID, 0, 37)),
      selectionExpression(this, BaseUIModelDatabase::propertyDefinition(WRAPPER_TYPE_ID, 0, 38)),
      indentedViewMode(this, BaseUIModelDatabase::propertyDefinition(WRAPPER_TYPE_ID, 0, 39)),
      rowIndentedViewMode(this, BaseUIModelDatabase::propertyDefinition(WRAPPER_TYPE_ID, 0, 40)),
      columnIndentedViewMode(this, BaseUIModelDatabase::propertyDefinition(WRAPPER_TYPE_ID, 0, 41)),
      transpose(this, BaseUIModelDatabase::propertyDefinition(WRAPPER_TYPE_ID, 0, 42)),
      headerStyleTransposed(this, BaseUIModelDatabase::propertyDefinition(WRAPPER_TYPE_ID, 0, 43)),
      rowActionEnabled(this, BaseUIModelDatabase::propertyDefinition(WRAPPER_TYPE_ID, 0, 44)),
      columnActionEnabled(this, BaseUIModelDatabase::propertyDefinition(WRAPPER_TYPE_ID, 0, 45)),
      displayInteractionButtons(this, BaseUIModelDatabase::propertyDefinition(WRAPPER_TYPE_ID, 0, 46)),
      showEmptyRowsAndColumns(this, BaseUIModelDatabase::propertyDefinition(WRAPPER_TYPE_ID, 0, 47)),
      showAxisHeaders(this, BaseUIModelDatabase::propertyDefinition(WRAPPER_TYPE_ID, 0, 48)),
      showDrillAsHyperLinkText(this, BaseUIModelDatabase::propertyDefinition(WRAPPER_TYPE_ID, 0, 49)),
      columnAutoFill(this, BaseUIModelDatabase::propertyDefinition(WRAPPER_TYPE_ID, 0, 50)),
      allowColumnResizing(this, BaseUIModelDatabase::propertyDefinition(WRAPPER_TYPE_ID, 0, 51)),
      measureWidth(this, BaseUIModelDatabase::propertyDefinition(WRAPPER_TYPE_ID, 0, 52)),
      selectionMode(this, BaseUIModelDatabase::propertyDefinition(WRAPPER_TYPE_ID, 0, 53)),
      columnInfoManager(this, BaseUIModelDatabase::propertyDefinition(WRAPPER_TYPE_ID, 0, 54)),
      suppressedTotalMeasureNames(this, BaseUIModelDatabase::propertyDefinition(WRAPPER_TYPE_ID, 0, 55)),
      suppressedSubtotalMeasureNames(this, BaseUIModelDatabase::propertyDefinition(WRAPPER_TYPE_ID, 0, 56)),
      rowTotalSubTotalIndices(this, BaseUIModelDatabase::propertyDefinition(WRAPPER_TYPE_ID, 0, 57)) {
    numberOfMeasures.setDefault(-1);
    headerStyleTransposed.setDefault(true);
    rowActionEnabled.setDefault(true);
    columnActionEnabled.setDefault(true);
    showEmptyRowsAndColumns.setDefault(true);
    showAxisHeaders.setDefault(true);
    showDrillAsHyperLinkText.setDefault(true);
    allowColumnResizing.setDefault(true);
    measureWidth.setDefault(-1);
}

Crosstab::~Crosstab() = default;

std::shared_ptr<Crosstab> Crosstab::create() {
    auto m = std::make_shared<Crosstab>();
    m->initialize();
    return m;
}

namespace {
std::shared_ptr<GridColumnInfoManager> ensureManager(Property<std::shared_ptr<GridColumnInfoManager>>& p) {
    auto m = p.get();
    if (!m) {
        m = GridColumnInfoManager::create();
        p.set(m);
    }
    return m;
}
} // namespace

void Crosstab::setDisplayRule(int column, const std::shared_ptr<Rule>& rule, bool notify) {
    ensureManager(columnInfoManager)->setDisplayRule(column, rule, notify);
}
std::shared_ptr<Rule> Crosstab::getDisplayRule(int column) const {
    auto m = columnInfoManager.get();
    return m ? m->getDisplayRule(column) : nullptr;
}
void Crosstab::setColumnInfo(int column, const std::shared_ptr<DataGridColumnInfo>& info) {
    ensureManager(columnInfoManager)->setColumnInfo(column, info);
}
std::shared_ptr<DataGridColumnInfo> Crosstab::getColumnInfo(int column) const {
    auto m = columnInfoManager.get();
    return m ? m->getColumnInfo(column) : nullptr;
}
void Crosstab::setRowLevelInfo(int level, const std::shared_ptr<CrosstabLevelInfo>& info) {
    ensureManager(columnInfoManager)->setRowLevelInfo(level, info);
}
std::shared_ptr<CrosstabLevelInfo> Crosstab::getRowLevelInfo(int level) const {
    auto m = columnInfoManager.get();
    return m ? m->getRowLevelInfo(level) : nullptr;
}
void Crosstab::setColumnLevelInfo(int level, const std::shared_ptr<CrosstabLevelInfo>& info) {
    ensureManager(columnInfoManager)->setColumnLevelInfo(level, info);
}
std::shared_ptr<CrosstabLevelInfo> Crosstab::getColumnLevelInfo(int level) const {
    auto m = columnInfoManager.get();
    return m ? m->getColumnLevelInfo(level) : nullptr;
}
void Crosstab::updateRowHeader() { dispatchEvent(std::make_shared<PortableEvent>(ROW_HEADER_UPDATED)); }
void Crosstab::updateColumnHeader() { dispatchEvent(std::make_shared<PortableEvent>(COLUMN_HEADER_UPDATED)); }

std::shared_ptr<CrosstabRenderer> Crosstab::createRenderer() {
    auto view = CrosstabRenderer::create();
    view->setModel(std::dynamic_pointer_cast<Crosstab>(shared_from_this()));
    return view;
}

} // namespace orvane
