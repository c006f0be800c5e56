#include "orvane/geo/GeocodeInfo.h"

#include "orvane/package/BaseUIModelDatabase.h"

namespace orvane {

GeocodeInfo::GeocodeInfo() {
}

GeocodeInfo::~GeocodeInfo() = default;

std::shared_ptr<GeocodeInfo> GeocodeInfo::create() {
    auto m = std::make_shared<GeocodeInfo>();
    m->initialize();
    return m;
}

} // namespace orvane
