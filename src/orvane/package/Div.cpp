// SPDX-License-Identifier: Apache-2.0
#include "orvane/package/Div.h"

#include "orvane/package/BaseUIModelDatabase.h"

namespace orvane {

Div::Div()
    : styleClass(this, BaseUIModelDatabase::propertyDefinition(WRAPPER_TYPE_ID, 0, 0)),
      style(this, BaseUIModelDatabase::propertyDefinition(WRAPPER_TYPE_ID, 0, 1)),
      spans(this, BaseUIModelDatabase::propertyDefinition(WRAPPER_TYPE_ID, 0, 2)),
      divs(this, BaseUIModelDatabase::propertyDefinition(WRAPPER_TYPE_ID, 0, 3)) {
}

Div::~Div() = default;

std::shared_ptr<Div> Div::create() {
    auto m = std::make_shared<Div>();
    m->initialize();
    return m;
}

} // namespace orvane
