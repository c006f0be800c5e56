// SPDX-License-Identifier: Apache-2.0
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
    out += '{';
    GeoJsonText::appendMembers(out, {{"name", name_}, {"label", label_}, {"description", description_}});
    out += ",\"dataCollections\":";
    GeoJsonText::appendArray(out, dataCollections_);
    out += '}';
}

} // namespace orvane
