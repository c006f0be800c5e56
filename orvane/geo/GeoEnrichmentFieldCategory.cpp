#include "orvane/geo/GeoEnrichmentFieldCategory.h"

#include "orvane/geo/GeoJsonText.h"

namespace orvane {

GeoEnrichmentFieldCategory::GeoEnrichmentFieldCategory() = default;

GeoEnrichmentFieldCategory::~GeoEnrichmentFieldCategory() = default;

std::shared_ptr<GeoEnrichmentFieldCategory> GeoEnrichmentFieldCategory::create() {
    auto m = std::make_shared<GeoEnrichmentFieldCategory>();
    m->initialize();
    return m;
}

std::shared_ptr<GeoEnrichmentFieldCategory> GeoEnrichmentFieldCategory::create(std::string name, Variables variables) {
    auto m = create();
    m->name_ = std::move(name);
    for (auto& v : variables) m->addVariable(v);
    return m;
}

void GeoEnrichmentFieldCategory::appendJSON(std::string& out) const {
    out += "{\"name\":";
    GeoJsonText::appendQuoted(out, name_);
    out += ",\"variables\":[";
    bool first = true;
    for (const auto& v : variables_) {
        if (!v) continue;
        if (!first) out += ',';
        first = false;
        v->appendJSON(out);
    }
    out += "]}";
}

} // namespace orvane
