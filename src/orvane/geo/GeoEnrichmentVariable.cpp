// SPDX-License-Identifier: Apache-2.0
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
    out += '{';
    GeoJsonText::appendMembers(
        out, {{"name", name_}, {"label", label_}, {"description", description_}, {"type", type_}});
    out += ",\"popularity\":";
    out += std::to_string(popularity_);
    out += '}';
}

} // namespace orvane
