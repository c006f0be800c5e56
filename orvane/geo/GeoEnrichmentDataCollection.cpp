#include "orvane/geo/GeoEnrichmentDataCollection.h"

#include "orvane/package/BaseUIModelDatabase.h"

namespace orvane {

GeoEnrichmentDataCollection::GeoEnrichmentDataCollection() {
}

GeoEnrichmentDataCollection::~GeoEnrichmentDataCollection() = default;

std::shared_ptr<GeoEnrichmentDataCollection> GeoEnrichmentDataCollection::create() {
    auto m = std::make_shared<GeoEnrichmentDataCollection>();
    m->initialize();
    return m;
}

} // namespace orvane
