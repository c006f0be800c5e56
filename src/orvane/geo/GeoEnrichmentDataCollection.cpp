// SPDX-License-Identifier: Apache-2.0
#include "orvane/geo/GeoEnrichmentDataCollection.h"

#include "orvane/geo/GeoJsonText.h"

namespace orvane {

GeoEnrichmentDataCollection::GeoEnrichmentDataCollection() = default;

GeoEnrichmentDataCollection::~GeoEnrichmentDataCollection() = default;

std::shared_ptr<GeoEnrichmentDataCollection> GeoEnrichmentDataCollection::create() {
    auto m = std::make_shared<GeoEnrichmentDataCollection>();
    m->initialize();
    return m;
}

std::shared_ptr<GeoEnrichmentDataCollection> GeoEnrichmentDataCollection::create(std::string name, std::string label,
                                                                                 std::string shortDescription,
                                                                                 std::string longDescription,
                                                                                 SubCategories subCategories) {
    auto m = create();
    m->name_ = std::move(name);
    m->label_ = std::move(label);
    m->shortDescription_ = std::move(shortDescription);
    m->longDescription_ = std::move(longDescription);
    for (auto& c : subCategories) m->addSubCategory(c);
    return m;
}

void GeoEnrichmentDataCollection::appendJSON(std::string& out) const {
    out += '{';
    GeoJsonText::appendMembers(out, {{"name", name_},
                                     {"label", label_},
                                     {"shortDescription", shortDescription_},
                                     {"longDescription", longDescription_}});
    out += ",\"subCategories\":";
    GeoJsonText::appendArray(out, subCategories_);
    out += '}';
}

} // namespace orvane
