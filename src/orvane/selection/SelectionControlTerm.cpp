// SPDX-License-Identifier: Apache-2.0
#include "orvane/selection/SelectionControlTerm.h"

#include "orvane/package/BaseUIModelDatabase.h"

namespace orvane {

SelectionControlTerm::SelectionControlTerm()
    : label(this, BaseUIModelDatabase::propertyDefinition(WRAPPER_TYPE_ID, 0, 0)),
      expression(this, BaseUIModelDatabase::propertyDefinition(WRAPPER_TYPE_ID, 0, 1)) {
}

SelectionControlTerm::~SelectionControlTerm() = default;

std::shared_ptr<SelectionControlTerm> SelectionControlTerm::create() {
    auto m = std::make_shared<SelectionControlTerm>();
    m->initialize();
    return m;
}

} // namespace orvane
