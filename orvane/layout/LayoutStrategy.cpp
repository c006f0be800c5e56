#include "orvane/layout/LayoutStrategy.h"

#include "orvane/package/BaseUIModelDatabase.h"

namespace orvane {

LayoutStrategy::LayoutStrategy() {
}

LayoutStrategy::~LayoutStrategy() = default;

std::shared_ptr<LayoutStrategy> LayoutStrategy::create() {
    auto m = std::make_shared<LayoutStrategy>();
    m->initialize();
    return m;
}

} // namespace orvane
