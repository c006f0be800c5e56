#include "orvane/layout/TiledLayoutStrategy.h"

#include "orvane/package/BaseUIModelDatabase.h"

namespace orvane {

TiledLayoutStrategy::TiledLayoutStrategy()
    : orientation(this, BaseUIModelDatabase::propertyDefinition(WRAPPER_TYPE_ID, 0, 0)) {
}

TiledLayoutStrategy::~TiledLayoutStrategy() = default;

std::shared_ptr<TiledLayoutStrategy> TiledLayoutStrategy::create() {
    auto m = std::make_shared<TiledLayoutStrategy>();
    m->initialize();
    return m;
}

} // namespace orvane
