// SPDX-License-Identifier: Apache-2.0
#include "orvane/selection/SelectionOptions.h"

#include "orvane/package/BaseUIModelDatabase.h"

namespace orvane {

SelectionOptions::SelectionOptions()
    : expectedDataNames(this, BaseUIModelDatabase::propertyDefinition(WRAPPER_TYPE_ID, 0, 0)),
      expectedVariableNames(this, BaseUIModelDatabase::propertyDefinition(WRAPPER_TYPE_ID, 0, 1)),
      hierarchies(this, BaseUIModelDatabase::propertyDefinition(WRAPPER_TYPE_ID, 0, 2)),
      includeAllOther(this, BaseUIModelDatabase::propertyDefinition(WRAPPER_TYPE_ID, 0, 3)),
      includeDrillInSelections(this, BaseUIModelDatabase::propertyDefinition(WRAPPER_TYPE_ID, 0, 4)) {
    includeAllOther.setDefault(true);
    includeDrillInSelections.setDefault(true);
}

SelectionOptions::~SelectionOptions() = default;

std::shared_ptr<SelectionOptions> SelectionOptions::create() {
    auto m = std::make_shared<SelectionOptions>();
    m->initialize();
    return m;
}

} // namespace orvane
