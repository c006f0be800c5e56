#include "orvane/geo/GeoEnrichmentFieldCategory.h"

#include "orvane/package/BaseUIModelDatabase.h"

namespace orvane {

GeoEnrichmentFieldCategory::GeoEnrichmentFieldCategory() {
}

GeoEnrichmentFieldCategory::~GeoEnrichmentFieldCategory() = default;

std::shared_ptr<GeoEnrichmentFieldCategory> GeoEnrichmentFieldCategory::create() {
    auto m = std::make_shared<GeoEnrichmentFieldCategory>();
    m->initialize();
    return m;
}

} // namespace orvane
