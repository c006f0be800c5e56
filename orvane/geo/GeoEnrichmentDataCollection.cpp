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
    out += "{\"name\":";
    GeoJsonText::appendQuoted(out, name_);
    out += ",\"label\":";
    GeoJsonText::appendQuoted(out, label_);
    out += ",\"shortDescription\":";
    GeoJsonText::appendQuoted(out, shortDescription_);
    out += ",\"longDescription\":";
    GeoJsonText::appendQuoted(out, longDescription_);
    out += ",\"subCategories\":[";
    bool first = true;
    for (const auto& c : subCategories_) {
        if (!c) continue;
        if (!first) out += ',';
        first = false;
        c->appendJSON(out);
    }
    out += "]}";
}

} // namespace orvane
