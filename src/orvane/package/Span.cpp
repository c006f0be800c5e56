// SPDX-License-Identifier: Apache-2.0
#include "orvane/package/Span.h"

#include "orvane/package/BaseUIModelDatabase.h"

namespace orvane {

Span::Span()
    : styleClass(this, BaseUIModelDatabase::propertyDefinition(WRAPPER_TYPE_ID, 0, 0)),
      style(this, BaseUIModelDatabase::propertyDefinition(WRAPPER_TYPE_ID, 0, 1)),
      content(this, BaseUIModelDatabase::propertyDefinition(WRAPPER_TYPE_ID, 0, 2)),
      parentSpan(this, BaseUIModelDatabase::propertyDefinition(WRAPPER_TYPE_ID, 0, 3)),
      spans(this, BaseUIModelDatabase::propertyDefinition(WRAPPER_TYPE_ID, 0, 4)) {
}

Span::~Span() = default;

std::shared_ptr<Span> Span::create() {
    auto m = std::make_shared<Span>();
    m->initialize();
    return m;
}

} // namespace orvane
