// SPDX-License-Identifier: Apache-2.0
#include "orvane/datagrid/DataGridCellInfo.h"

#include "orvane/package/BaseUIModelDatabase.h"

namespace orvane {

DataGridCellInfo::DataGridCellInfo()
    : model(this, BaseUIModelDatabase::propertyDefinition(WRAPPER_TYPE_ID, 0, 0)),
      row(this, BaseUIModelDatabase::propertyDefinition(WRAPPER_TYPE_ID, 0, 1)),
      column(this, BaseUIModelDatabase::propertyDefinition(WRAPPER_TYPE_ID, 0, 2)) {
}

DataGridCellInfo::~DataGridCellInfo() = default;

std::shared_ptr<DataGridCellInfo> DataGridCellInfo::create() {
    auto m = std::make_shared<DataGridCellInfo>();
    m->initialize();
    return m;
}

} // namespace orvane
