#include "orvane/geo/GeoEnrichmentCategory.h"

#include "orvane/geo/GeoJsonText.h"

namespace orvane {

GeoEnrichmentCategory::GeoEnrichmentCategory() = default;

GeoEnrichmentCategory::~GeoEnrichmentCategory() = default;

std::shared_ptr<GeoEnrichmentCategory> GeoEnrichmentCategory::create() {
    auto m = std::make_shared<GeoEnrichmentCategory>();
    m->initialize();
    return m;
}

std::shared_ptr<GeoEnrichmentCategory> GeoEnrichmentCategory::create(std::string name, std::string label,
                                                                     std::string description,
                                                                     DataCollections dataCollections) {
    auto m = create();
    m->name_ = std::move(name);
    m->label_ = std::move(label);
    m->description_ = std::move(description);
    for (auto& c : dataCollections) m->addDataCollection(c);
    return m;
}

void GeoEnrichmentCategory::appendJSON(std::string& out) const {
    out += "{\"name\":";
    GeoJsonText::appendQuoted(out, name_);
    out += ",\"label\":";
    GeoJsonText::appendQuoted(out, label_);
    out += ",\"description\":";
    GeoJsonText::appendQuoted(out, description_);
    out += ",\"dataCollections\":[";
    bool first = true;
    for (const auto& c : dataCollections_) {
        if (!c) continue;
        if (!first) out += ',';
        first = false;
        c->appendJSON(out);
    }
    out += "]}";
}

} // namespace orvane
