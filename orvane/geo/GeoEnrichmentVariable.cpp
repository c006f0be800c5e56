#include "orvane/geo/GeoEnrichmentVariable.h"

#include "orvane/package/BaseUIModelDatabase.h"

namespace orvane {

GeoEnrichmentVariable::GeoEnrichmentVariable() {
}

GeoEnrichmentVariable::~GeoEnrichmentVariable() = default;

std::shared_ptr<GeoEnrichmentVariable> GeoEnrichmentVariable::create() {
    auto m = std::make_shared<GeoEnrichmentVariable>();
    m->initialize();
    return m;
}

} // namespace orvane
