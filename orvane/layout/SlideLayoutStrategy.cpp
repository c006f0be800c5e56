#include "orvane/layout/SlideLayoutStrategy.h"

#include "orvane/package/BaseUIModelDatabase.h"

namespace orvane {

SlideLayoutStrategy::SlideLayoutStrategy()
    : orientation(this, BaseUIModelDatabase::propertyDefinition(WRAPPER_TYPE_ID, 0, 0)) {
}

SlideLayoutStrategy::~SlideLayoutStrategy() = default;

std::shared_ptr<SlideLayoutStrategy> SlideLayoutStrategy::create() {
    auto m = std::make_shared<SlideLayoutStrategy>();
    m->initialize();
    return m;
}

} // namespace orvane
