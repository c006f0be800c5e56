// SPDX-License-Identifier: Apache-2.0
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
    out += '{';
    GeoJsonText::appendMembers(out, {{"name", name_}});
    out += ",\"variables\":";
    GeoJsonText::appendArray(out, variables_);
    out += '}';
}

} // namespace orvane
