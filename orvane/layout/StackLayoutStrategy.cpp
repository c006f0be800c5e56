#include "orvane/layout/StackLayoutStrategy.h"

#include "orvane/package/BaseUIModelDatabase.h"

namespace orvane {

StackLayoutStrategy::StackLayoutStrategy() {
}

StackLayoutStrategy::~StackLayoutStrategy() = default;

std::shared_ptr<StackLayoutStrategy> StackLayoutStrategy::create() {
    auto m = std::make_shared<StackLayoutStrategy>();
    m->initialize();
    return m;
}

} // namespace orvane
