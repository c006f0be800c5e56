// SPDX-License-Identifier: Apache-2.0
// libFuzzer target: the answer parsers of the geoenrichment client and the
// JSON text it writes from what it parsed.
#include "FuzzSupport.h"
#include "orvane/geo/EsriGeoEnrichmentServices.h"

#include <cstdint>
#include <string_view>

using namespace orvane;
using fuzz::check;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string_view text(reinterpret_cast<const char*>(data), size);
    auto countries = EsriGeoEnrichmentServices::parseCountryListAnswer(text);
    fuzz::checkAnswerState(countries);
    check(countries.ok || countries.countries.empty());
    for (const auto& c : countries.countries) check(c && c->getCategories() && c->getLevels());

    auto variables = EsriGeoEnrichmentServices::parseCountryVariablesAnswer(text);
    fuzz::checkAnswerState(variables);
    check(variables.ok || variables.categories.empty());
    // The written text is valid JSON (and valid UTF-8) whatever the answer held.
    auto d = fuzz::parseObject(EsriGeoEnrichmentServices::writeCategoriesJSON(variables.categories));
    check(d["categories"].IsArray());
    check(d["categories"].Size() == variables.categories.size());
    return 0;
}
