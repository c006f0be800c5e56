#include "orvane/geo/GeoEnrichmentVariable.h"

#include "orvane/geo/GeoJsonText.h"

namespace orvane {

GeoEnrichmentVariable::GeoEnrichmentVariable() = default;

GeoEnrichmentVariable::~GeoEnrichmentVariable() = default;

std::shared_ptr<GeoEnrichmentVariable> GeoEnrichmentVariable::create() {
    auto m = std::make_shared<GeoEnrichmentVariable>();
    m->initialize();
    return m;
}

std::shared_ptr<GeoEnrichmentVariable> GeoEnrichmentVariable::create(std::string name, std::string label,
                                                                     std::string description, std::string type,
                                                                     int popularity) {
    auto m = create();
    m->name_ = std::move(name);
    m->label_ = std::move(label);
    m->description_ = std::move(description);
    m->type_ = std::move(type);
    m->popularity_ = popularity;
    return m;
}

void GeoEnrichmentVariable::appendJSON(std::string& out) const {
    out += "{\"name\":";
    GeoJsonText::appendQuoted(out, name_);
    out += ",\"label\":";
    GeoJsonText::appendQuoted(out, label_);
    out += ",\"description\":";
    GeoJsonText::appendQuoted(out, description_);
    out += ",\"type\":";
    GeoJsonText::appendQuoted(out, type_);
    out += ",\"popularity\":";
    out += std::to_string(popularity_);
    out += '}';
}

} // namespace orvane
