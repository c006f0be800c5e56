// libFuzzer target: the answer parsers of the geoenrichment client and the
// JSON text it writes from what it parsed.
#include "orvane/geo/EsriGeoEnrichmentServices.h"

#include <rapidjson/document.h>

#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

using namespace orvane;

namespace {
void check(bool condition) {
    if (!condition) std::abort();
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string_view text(reinterpret_cast<const char*>(data), size);
    auto countries = EsriGeoEnrichmentServices::parseCountryListAnswer(text);
    check(countries.ok == countries.problem.empty());
    check(countries.ok || countries.countries.empty());
    for (const auto& c : countries.countries) check(c && c->getCategories() && c->getLevels());

    auto variables = EsriGeoEnrichmentServices::parseCountryVariablesAnswer(text);
    check(variables.ok == variables.problem.empty());
    check(variables.ok || variables.categories.empty());
    // The written text is valid JSON (and valid UTF-8) whatever the answer held.
    std::string json = EsriGeoEnrichmentServices::writeCategoriesJSON(variables.categories);
    rapidjson::Document d;
    d.Parse<rapidjson::kParseValidateEncodingFlag>(json.c_str(), json.size());
    check(!d.HasParseError() && d.IsObject() && d["categories"].IsArray());
    check(d["categories"].Size() == variables.categories.size());
    return 0;
}
