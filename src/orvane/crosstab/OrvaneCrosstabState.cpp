// SPDX-License-Identifier: Apache-2.0
#include "orvane/crosstab/OrvaneCrosstabState.h"

#include "orvane/package/BaseUIModelDatabase.h"
#include "orvane/crosstab/VisibleCells.h"

namespace orvane {

OrvaneCrosstabState::OrvaneCrosstabState()
    : visibleCells(this, BaseUIModelDatabase::propertyDefinition(WRAPPER_TYPE_ID, 0, 0)) {
}

OrvaneCrosstabState::~OrvaneCrosstabState() = default;

std::shared_ptr<OrvaneCrosstabState> OrvaneCrosstabState::create() {
    auto m = std::make_shared<OrvaneCrosstabState>();
    m->initialize();
    return m;
}

} // namespace orvane
