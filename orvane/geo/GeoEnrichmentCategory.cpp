#include "orvane/geo/GeoEnrichmentCategory.h"

#include "orvane/package/BaseUIModelDatabase.h"

namespace orvane {

GeoEnrichmentCategory::GeoEnrichmentCategory() {
}

GeoEnrichmentCategory::~GeoEnrichmentCategory() = default;

std::shared_ptr<GeoEnrichmentCategory> GeoEnrichmentCategory::create() {
    auto m = std::make_shared<GeoEnrichmentCategory>();
    m->initialize();
    return m;
}

} // namespace orvane
