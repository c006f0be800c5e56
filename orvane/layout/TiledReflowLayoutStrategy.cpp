#include "orvane/layout/TiledReflowLayoutStrategy.h"

#include "orvane/package/BaseUIModelDatabase.h"

namespace orvane {

TiledReflowLayoutStrategy::TiledReflowLayoutStrategy() {
}

TiledReflowLayoutStrategy::~TiledReflowLayoutStrategy() = default;

std::shared_ptr<TiledReflowLayoutStrategy> TiledReflowLayoutStrategy::create() {
    auto m = std::make_shared<TiledReflowLayoutStrategy>();
    m->initialize();
    return m;
}

} // namespace orvane
