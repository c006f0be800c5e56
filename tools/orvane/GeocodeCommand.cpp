// orvane geocode --service URL [--token T] [--batch N] [--timeout S] ADDRESS...:
// geocodes addresses with the Esri geocoding service and prints the matches.
#include "Command.h"
#include "GeoToolSupport.h"

#include "orvane/geo/EsriGeocodeServices.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <iostream>
#include <map>

namespace orvane::tool {

namespace {

int geocode(const std::vector<std::string>& args) {
    GeoOptions o;
    std::string error;
    if (!parseGeoOptions(args, {"service", "token", "batch", "timeout"}, {}, o, error) || !applyTimeout(o, error))
        return fail("geocode: " + error);
    std::vector<std::string> addresses = o.positional;
    // "-" reads the addresses from standard input, one per line.
    if (addresses.size() == 1 && addresses[0] == "-") {
        addresses.clear();
        for (std::string line; std::getline(std::cin, line);)
            if (!line.empty()) addresses.push_back(line);
    }
    if (addresses.empty())
        return fail("geocode: no address given (usage: orvane geocode --service URL \"address\" ...)");
    int batch = EsriGeocodeServices::DEFAULT_BATCH_SIZE;
    if (o.has("batch")) {
        batch = std::atoi(o.get("batch").c_str());
        if (batch < 1) return fail("geocode: --batch wants a positive number");
    }
    auto client = EsriGeocodeServices::create(batch);
    if (o.has("service")) client->setServiceRoot(o.get("service"));
    GeoOutcome outcome;
    outcome.listen(*client, EsriGeocodeServices::GEOCODE_READY, EsriGeocodeServices::GEOCODE_FAILED);
    client->geocode(addresses, o.get("token"));
    if (!waitForAnswers("geocode")) return 1;

    std::map<int, std::shared_ptr<GeocodeInfo>> byId;
    for (const auto& r : *client->getGeocodeResults()) byId[r->getObjectId()] = r;
    // After a failure only the batches that were answered are listed.
    for (size_t i = 0; i < addresses.size(); ++i) {
        if (byId.empty()) break;
        std::printf("[%zu] %s\n", i, addresses[i].c_str());
        auto it = byId.find(static_cast<int>(i));
        if (it == byId.end()) {
            std::printf("    -> (no answer)\n");
            continue;
        }
        const auto& r = *it->second;
        std::string matched = r.getAddress() ? *r.getAddress() : std::string();
        if (matched.empty() || std::isnan(r.getX()) || std::isnan(r.getY()))
            std::printf("    -> no match\n");
        else
            std::printf("    -> %s  (x %.6f, y %.6f, score %d)\n", matched.c_str(), r.getX(), r.getY(), r.getScore());
    }
    return reportFailures("geocode", outcome);
}

} // namespace

ORVANE_TOOL_COMMAND("geocode", "--service URL [--token T] [--batch N] [--timeout S] ADDRESS... (or - for stdin)",
                    "find the coordinates of addresses with a geocoding service", &geocode);

} // namespace orvane::tool
