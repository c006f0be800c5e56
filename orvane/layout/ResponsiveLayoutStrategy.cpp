#include "orvane/layout/ResponsiveLayoutStrategy.h"

#include "orvane/package/BaseUIModelDatabase.h"

namespace orvane {

ResponsiveLayoutStrategy::ResponsiveLayoutStrategy()
    : orientation(this, BaseUIModelDatabase::propertyDefinition(WRAPPER_TYPE_ID, 0, 0)),
      backupOrientation(this, BaseUIModelDatabase::propertyDefinition(WRAPPER_TYPE_ID, 0, 1)),
      overflow(this, BaseUIModelDatabase::propertyDefinition(WRAPPER_TYPE_ID, 0, 2)),
      backupOverflow(this, BaseUIModelDatabase::propertyDefinition(WRAPPER_TYPE_ID, 0, 3)),
      minSize(this, BaseUIModelDatabase::propertyDefinition(WRAPPER_TYPE_ID, 0, 4)),
      maxSize(this, BaseUIModelDatabase::propertyDefinition(WRAPPER_TYPE_ID, 0, 5)),
      preferredSize(this, BaseUIModelDatabase::propertyDefinition(WRAPPER_TYPE_ID, 0, 6)) {
}

ResponsiveLayoutStrategy::~ResponsiveLayoutStrategy() = default;

std::shared_ptr<ResponsiveLayoutStrategy> ResponsiveLayoutStrategy::create() {
    auto m = std::make_shared<ResponsiveLayoutStrategy>();
    m->initialize();
    return m;
}

} // namespace orvane
