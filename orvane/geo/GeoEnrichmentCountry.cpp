#include "orvane/geo/GeoEnrichmentCountry.h"

#include "orvane/package/BaseUIModelDatabase.h"

namespace orvane {

GeoEnrichmentCountry::GeoEnrichmentCountry() {
}

GeoEnrichmentCountry::~GeoEnrichmentCountry() = default;

std::shared_ptr<GeoEnrichmentCountry> GeoEnrichmentCountry::create() {
    auto m = std::make_shared<GeoEnrichmentCountry>();
    m->initialize();
    return m;
}

} // namespace orvane
