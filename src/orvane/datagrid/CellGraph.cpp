// SPDX-License-Identifier: Apache-2.0
#include "orvane/datagrid/CellGraph.h"

#include "orvane/package/BaseUIModelDatabase.h"

namespace orvane {

CellGraph::CellGraph()
    : value(this, BaseUIModelDatabase::propertyDefinition(WRAPPER_TYPE_ID, 0, 0)),
      minimum(this, BaseUIModelDatabase::propertyDefinition(WRAPPER_TYPE_ID, 0, 1)),
      maximum(this, BaseUIModelDatabase::propertyDefinition(WRAPPER_TYPE_ID, 0, 2)),
      styleChain(this, BaseUIModelDatabase::propertyDefinition(WRAPPER_TYPE_ID, 0, 3)),
      fillColor(this, BaseUIModelDatabase::propertyDefinition(WRAPPER_TYPE_ID, 0, 4)),
      lineColor(this, BaseUIModelDatabase::propertyDefinition(WRAPPER_TYPE_ID, 0, 5)),
      missingColor(this, BaseUIModelDatabase::propertyDefinition(WRAPPER_TYPE_ID, 0, 6)) {
}

CellGraph::~CellGraph() = default;

std::shared_ptr<CellGraph> CellGraph::create() {
    auto m = std::make_shared<CellGraph>();
    m->initialize();
    return m;
}

} // namespace orvane
