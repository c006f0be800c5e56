// SPDX-License-Identifier: Apache-2.0
#include "orvane/datagrid/DataGridColumnInfo.h"

#include "orvane/package/BaseUIModelDatabase.h"
#include "orvane/datagrid/CompactFormatOptions.h"

namespace orvane {

DataGridColumnInfo::DataGridColumnInfo()
    : cellVisual(this, BaseUIModelDatabase::propertyDefinition(WRAPPER_TYPE_ID, 0, 0)),
      cellVisualPosition(this, BaseUIModelDatabase::propertyDefinition(WRAPPER_TYPE_ID, 0, 1)),
      cellVisualStyleAttributes(this, BaseUIModelDatabase::propertyDefinition(WRAPPER_TYPE_ID, 0, 2)),
      cellVisualFillColor(this, BaseUIModelDatabase::propertyDefinition(WRAPPER_TYPE_ID, 0, 3)),
      cellVisualMissingColor(this, BaseUIModelDatabase::propertyDefinition(WRAPPER_TYPE_ID, 0, 4)),
      useCompactFormat(this, BaseUIModelDatabase::propertyDefinition(WRAPPER_TYPE_ID, 0, 5)),
      compactFormatOptions(this, BaseUIModelDatabase::propertyDefinition(WRAPPER_TYPE_ID, 0, 6)),
      sparkLine(this, BaseUIModelDatabase::propertyDefinition(WRAPPER_TYPE_ID, 0, 7)),
      sparkKPI(this, BaseUIModelDatabase::propertyDefinition(WRAPPER_TYPE_ID, 0, 8)),
      displayRule(this, BaseUIModelDatabase::propertyDefinition(WRAPPER_TYPE_ID, 0, 9)),
      sortDirection(this, BaseUIModelDatabase::propertyDefinition(WRAPPER_TYPE_ID, 0, 10)),
      primarySortApplied(this, BaseUIModelDatabase::propertyDefinition(WRAPPER_TYPE_ID, 0, 11)),
      styleClassName(this, BaseUIModelDatabase::propertyDefinition(WRAPPER_TYPE_ID, 0, 12)),
      presentationLabel(this, BaseUIModelDatabase::propertyDefinition(WRAPPER_TYPE_ID, 0, 13)),
      columnType(this, BaseUIModelDatabase::propertyDefinition(WRAPPER_TYPE_ID, 0, 14)),
      interactiveHeader(this, BaseUIModelDatabase::propertyDefinition(WRAPPER_TYPE_ID, 0, 15)),
      totalVisible(this, BaseUIModelDatabase::propertyDefinition(WRAPPER_TYPE_ID, 0, 16)),
      compactFormatName(this, BaseUIModelDatabase::propertyDefinition(WRAPPER_TYPE_ID, 0, 17)),
      header(this, BaseUIModelDatabase::propertyDefinition(WRAPPER_TYPE_ID, 0, 18)),
      columnIndex(this, BaseUIModelDatabase::propertyDefinition(WRAPPER_TYPE_ID, 0, 19)),
      columnWidth(this, BaseUIModelDatabase::propertyDefinition(WRAPPER_TYPE_ID, 0, 20)) {
    cellVisualPosition.setDefault(CellVisualPosition::UNKNOWN);
    cellVisualFillColor.setDefault(0xFFFFFFFFu);
    cellVisualMissingColor.setDefault(0xFFFFFFFFu);
    columnType.setDefault(ColumnContentType::TEXT);
    totalVisible.setDefault(true);
    columnIndex.setDefault(-1);
    columnWidth.setDefault(-1);
}

DataGridColumnInfo::~DataGridColumnInfo() = default;

std::shared_ptr<DataGridColumnInfo> DataGridColumnInfo::create() {
    auto m = std::make_shared<DataGridColumnInfo>();
    m->initialize();
    return m;
}

} // namespace orvane
