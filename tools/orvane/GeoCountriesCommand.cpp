// SPDX-License-Identifier: Apache-2.0
// orvane geo-countries [--service URL] [--country ID] [--json] [--timeout S]:
// the countries of a geoenrichment service, or the variables of one country.
#include "Command.h"
#include "GeoToolSupport.h"

#include "orvane/geo/EsriGeoEnrichmentServices.h"

#include <cstdio>

#include <rapidjson/stringbuffer.h>
#include <rapidjson/writer.h>

namespace orvane::tool {

namespace {

std::string joined(const std::vector<std::string>& items, size_t max) {
    std::string out;
    for (size_t i = 0; i < items.size() && i < max; ++i) out += (i ? ", " : "") + items[i];
    if (items.size() > max) out += ", ... (" + std::to_string(items.size()) + ")";
    return out;
}

void printVariables(const EsriGeoEnrichmentServices::Categories& categories) {
    for (const auto& c : categories) {
        std::printf("%s (%s)\n", c->getLabel().empty() ? c->getName().c_str() : c->getLabel().c_str(),
                    c->getName().c_str());
        for (const auto& d : c->getDataCollections()) {
            std::printf("  %s [%s]%s%s\n", d->getLabel().c_str(), d->getName().c_str(),
                        d->getShortDescription().empty() ? "" : ": ", d->getShortDescription().c_str());
            for (const auto& f : d->getSubCategories()) {
                std::printf("    %s\n", f->getName().empty() ? "(no field category)" : f->getName().c_str());
                for (const auto& v : f->getVariables())
                    std::printf("      %-14s %-8s %s\n", v->getName().c_str(), v->getType().c_str(),
                                v->getLabel().c_str());
            }
        }
    }
}

void stringList(rapidjson::Writer<rapidjson::StringBuffer>& w, const char* key, const std::vector<std::string>& items) {
    w.Key(key);
    w.StartArray();
    for (const auto& i : items) w.String(i.c_str());
    w.EndArray();
}

void printCountriesJson(const EsriGeoEnrichmentServices::Countries& countries) {
    rapidjson::StringBuffer buffer;
    rapidjson::Writer<rapidjson::StringBuffer> w(buffer);
    w.StartObject();
    w.Key("countries");
    w.StartArray();
    for (const auto& c : countries) {
        w.StartObject();
        w.Key("id");
        w.String(c->getId().c_str());
        w.Key("id3");
        w.String(c->getId3().c_str());
        w.Key("name");
        w.String(c->getName().c_str());
        stringList(w, "categories", *c->getCategories());
        stringList(w, "levels", *c->getLevels());
        w.EndObject();
    }
    w.EndArray();
    w.EndObject();
    std::printf("%s\n", buffer.GetString());
}

int geoCountries(const std::vector<std::string>& args) {
    ArgParser o = CommandRegistry::parserFor("geo-countries");
    std::string error;
    if (!o.parse(args) || !applyTimeout(o, error))
        return usageError("geo-countries", error.empty() ? o.error() : error);
    if (o.has("token")) return usageError("geo-countries", "--token: geoenrichment requests carry no token");
    if (!o.positional().empty())
        return usageError("geo-countries", "unexpected argument \"" + o.positional()[0] + "\"");
    auto client = EsriGeoEnrichmentServices::create();
    if (o.has("service")) client->setServiceRoot(o.get("service"));
    GeoOutcome outcome;
    if (o.has("country")) {
        outcome.listen(*client, EsriGeoEnrichmentServices::GEO_ENRICHMENT_COUNTRY_VARIABLES_READY,
                       EsriGeoEnrichmentServices::GEO_ENRICHMENT_COUNTRY_VARIABLES_FAILED);
        client->getCountryVariables(o.get("country"));
        if (!waitForAnswers("geo-countries")) return EXIT_FAILED;
        if (outcome.readyCount() > 0) {
            if (o.has("json"))
                std::printf("%s\n", client->getGeoEnrichmentCountryVariablesResults().c_str());
            else
                printVariables(client->getGeoEnrichmentCountryVariablesResultModels());
        }
        return reportFailures("geo-countries", outcome);
    }
    outcome.listen(*client, EsriGeoEnrichmentServices::GEO_ENRICHMENT_COUNTRY_LIST_READY,
                   EsriGeoEnrichmentServices::GEO_ENRICHMENT_COUNTRY_LIST_FAILED);
    client->getCountryList();
    if (!waitForAnswers("geo-countries")) return EXIT_FAILED;
    if (o.has("json")) {
        if (outcome.readyCount() > 0) printCountriesJson(client->getGeoEnrichmentCountryResults());
        return reportFailures("geo-countries", outcome);
    }
    for (const auto& c : client->getGeoEnrichmentCountryResults()) {
        std::printf("%-4s %-4s %s\n", c->getId().c_str(), c->getId3().c_str(), c->getName().c_str());
        if (!c->getCategories()->empty())
            std::printf("          categories: %s\n", joined(*c->getCategories(), 8).c_str());
        if (!c->getLevels()->empty()) std::printf("          levels:     %s\n", joined(*c->getLevels(), 8).c_str());
    }
    return reportFailures("geo-countries", outcome);
}

} // namespace

ORVANE_TOOL_COMMAND("geo-countries", "[--service URL] [--country ID] [--json] [--timeout S]",
                    "list the countries of a geoenrichment service, or one country's variables", &geoCountries,
                    geoOptions({{"--country", "ID", "list this country's variables (e.g. US)"}}),
                    geoDetails("  orvane geo-countries --service http://127.0.0.1:8765 --country US\n"));

} // namespace orvane::tool
