// SPDX-License-Identifier: Apache-2.0
#include "orvane/geo/GeoEnrichmentCountry.h"

namespace orvane {

GeoEnrichmentCountry::GeoEnrichmentCountry()
    : categories_(std::make_shared<std::vector<std::string>>()), levels_(std::make_shared<std::vector<std::string>>()) {}

GeoEnrichmentCountry::~GeoEnrichmentCountry() = default;

std::shared_ptr<GeoEnrichmentCountry> GeoEnrichmentCountry::create() {
    auto m = std::make_shared<GeoEnrichmentCountry>();
    m->initialize();
    return m;
}

std::shared_ptr<GeoEnrichmentCountry> GeoEnrichmentCountry::create(std::string id, std::string id3, std::string name,
                                                                   StringList categories, StringList levels) {
    auto m = create();
    m->id_ = std::move(id);
    m->id3_ = std::move(id3);
    m->name_ = std::move(name);
    m->setCategories(std::move(categories));
    m->setLevels(std::move(levels));
    return m;
}

void GeoEnrichmentCountry::setCategories(StringList v) {
    categories_ = v ? std::move(v) : std::make_shared<std::vector<std::string>>();
}

void GeoEnrichmentCountry::setLevels(StringList v) {
    levels_ = v ? std::move(v) : std::make_shared<std::vector<std::string>>();
}

} // namespace orvane
