#include "orvane/layout/LayoutProxy.h"

#include "orvane/package/BaseUIModelDatabase.h"
#include "orvane/layout/LayoutConstraint.h"
#include "orvane/layout/LayoutStrategy.h"

namespace orvane {

LayoutProxy::LayoutProxy()
    : x(this, BaseUIModelDatabase::propertyDefinition(WRAPPER_TYPE_ID, 0, 0)),
      y(this, BaseUIModelDatabase::propertyDefinition(WRAPPER_TYPE_ID, 0, 1)),
      w(this, BaseUIModelDatabase::propertyDefinition(WRAPPER_TYPE_ID, 0, 2)),
      h(this, BaseUIModelDatabase::propertyDefinition(WRAPPER_TYPE_ID, 0, 3)),
      children(this, BaseUIModelDatabase::propertyDefinition(WRAPPER_TYPE_ID, 0, 4)),
      defaultStrategy(this, BaseUIModelDatabase::propertyDefinition(WRAPPER_TYPE_ID, 0, 5)),
      defaultConstraint(this, BaseUIModelDatabase::propertyDefinition(WRAPPER_TYPE_ID, 0, 6)),
      grow(this, BaseUIModelDatabase::propertyDefinition(WRAPPER_TYPE_ID, 0, 7)),
      childrenPerLine(this, BaseUIModelDatabase::propertyDefinition(WRAPPER_TYPE_ID, 0, 8)),
      cumulativeExtraHeight(this, BaseUIModelDatabase::propertyDefinition(WRAPPER_TYPE_ID, 0, 9)),
      cumulativeExtraWidth(this, BaseUIModelDatabase::propertyDefinition(WRAPPER_TYPE_ID, 0, 10)),
      isDisabled(this, BaseUIModelDatabase::propertyDefinition(WRAPPER_TYPE_ID, 0, 11)) {
}

LayoutProxy::~LayoutProxy() = default;

std::shared_ptr<LayoutProxy> LayoutProxy::create() {
    auto m = std::make_shared<LayoutProxy>();
    m->initialize();
    return m;
}

} // namespace orvane
