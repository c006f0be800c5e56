// SPDX-License-Identifier: Apache-2.0
#include "orvane/crosstab/VisibleCells.h"

#include "orvane/package/BaseUIModelDatabase.h"

namespace orvane {

VisibleCells::VisibleCells()
    : horizontalIndex(this, BaseUIModelDatabase::propertyDefinition(WRAPPER_TYPE_ID, 0, 0)),
      verticalIndex(this, BaseUIModelDatabase::propertyDefinition(WRAPPER_TYPE_ID, 0, 1)),
      horizontalCells(this, BaseUIModelDatabase::propertyDefinition(WRAPPER_TYPE_ID, 0, 2)),
      verticalCells(this, BaseUIModelDatabase::propertyDefinition(WRAPPER_TYPE_ID, 0, 3)) {
}

VisibleCells::~VisibleCells() = default;

std::shared_ptr<VisibleCells> VisibleCells::create() {
    auto m = std::make_shared<VisibleCells>();
    m->initialize();
    return m;
}

} // namespace orvane
