#include "orvane/layout/RelativeLayoutStrategy.h"

#include "orvane/package/BaseUIModelDatabase.h"

namespace orvane {

RelativeLayoutStrategy::RelativeLayoutStrategy() {
}

RelativeLayoutStrategy::~RelativeLayoutStrategy() = default;

std::shared_ptr<RelativeLayoutStrategy> RelativeLayoutStrategy::create() {
    auto m = std::make_shared<RelativeLayoutStrategy>();
    m->initialize();
    return m;
}

} // namespace orvane
