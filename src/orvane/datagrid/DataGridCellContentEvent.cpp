// SPDX-License-Identifier: Apache-2.0
#include "orvane/datagrid/DataGridCellContentEvent.h"

#include "orvane/datagrid/DataGridColumnInfo.h"

namespace orvane {

std::shared_ptr<DataGridCellContentEvent> DataGridCellContentEvent::create(int type, int column, int row,
                                                                           displaylist::DataGridCellInfoStruct* info) {
    auto e = create(type);
    e->column_ = column;
    e->row_ = row;
    e->info_ = info;
    return e;
}

} // namespace orvane
