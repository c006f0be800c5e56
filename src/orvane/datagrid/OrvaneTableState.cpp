// SPDX-License-Identifier: Apache-2.0
#include "orvane/datagrid/OrvaneTableState.h"

#include "orvane/package/BaseUIModelDatabase.h"
#include "orvane/crosstab/VisibleCells.h"

namespace orvane {

OrvaneTableState::OrvaneTableState()
    : visibleCells(this, BaseUIModelDatabase::propertyDefinition(WRAPPER_TYPE_ID, 0, 0)) {
}

OrvaneTableState::~OrvaneTableState() = default;

std::shared_ptr<OrvaneTableState> OrvaneTableState::create() {
    auto m = std::make_shared<OrvaneTableState>();
    m->initialize();
    return m;
}

} // namespace orvane
