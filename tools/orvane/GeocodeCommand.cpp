// SPDX-License-Identifier: Apache-2.0
// orvane geocode [--service URL] [--token T] [--json] [--batch N] [--timeout S] ADDRESS...:
// geocodes addresses with the Esri geocoding service and prints the matches.
#include "Command.h"
#include "GeoToolSupport.h"

#include "orvane/geo/EsriGeocodeServices.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <iostream>
#include <map>

#include <rapidjson/stringbuffer.h>
#include <rapidjson/writer.h>

namespace orvane::tool {

namespace {

// One record per address as JSON: the address, and the match when there is one.
void printJson(const std::vector<std::string>& addresses, const std::map<int, std::shared_ptr<GeocodeInfo>>& byId) {
    rapidjson::StringBuffer buffer;
    rapidjson::Writer<rapidjson::StringBuffer> w(buffer);
    w.StartArray();
    for (size_t i = 0; i < addresses.size(); ++i) {
        w.StartObject();
        w.Key("address");
        w.String(addresses[i].c_str());
        auto it = byId.find(static_cast<int>(i));
        const GeocodeInfo* r = it == byId.end() ? nullptr : it->second.get();
        bool match = r && r->getAddress() && !r->getAddress()->empty() && !std::isnan(r->getX()) && !std::isnan(r->getY());
        w.Key("answered");
        w.Bool(r != nullptr);
        if (match) {
            w.Key("match");
            w.String(r->getAddress()->c_str());
            w.Key("x");
            w.Double(r->getX());
            w.Key("y");
            w.Double(r->getY());
            w.Key("score");
            w.Int(r->getScore());
        }
        w.EndObject();
    }
    w.EndArray();
    std::printf("%s\n", buffer.GetString());
}

int geocode(const std::vector<std::string>& args) {
    ArgParser o = CommandRegistry::parserFor("geocode");
    std::string error;
    if (!o.parse(args) || !applyTimeout(o, error)) return usageError("geocode", error.empty() ? o.error() : error);
    std::vector<std::string> addresses = o.positional();
    // "-" reads the addresses from standard input, one per line.
    if (addresses.size() == 1 && addresses[0] == "-") {
        addresses.clear();
        for (std::string line; std::getline(std::cin, line);)
            if (!line.empty()) addresses.push_back(line);
    }
    if (addresses.empty()) return usageError("geocode", "no address given");
    int batch = EsriGeocodeServices::DEFAULT_BATCH_SIZE;
    if (o.has("batch")) {
        const std::string text = o.get("batch");  // kept alive while strtol's end points into it
        char* end = nullptr;
        long n = std::strtol(text.c_str(), &end, 10);
        if (!end || *end || n < 1 || n > 100000)
            return usageError("geocode", "--batch wants a positive number, not \"" + text + "\"");
        batch = static_cast<int>(n);
    }
    auto client = EsriGeocodeServices::create(batch);
    if (o.has("service")) client->setServiceRoot(o.get("service"));
    GeoOutcome outcome;
    outcome.listen(*client, EsriGeocodeServices::GEOCODE_READY, EsriGeocodeServices::GEOCODE_FAILED);
    client->geocode(addresses, o.get("token"));
    if (!waitForAnswers("geocode")) return EXIT_FAILED;

    std::map<int, std::shared_ptr<GeocodeInfo>> byId;
    for (const auto& r : *client->getGeocodeResults()) byId[r->getObjectId()] = r;
    if (o.has("json")) {
        if (!byId.empty()) printJson(addresses, byId);
        return reportFailures("geocode", outcome);
    }
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

ORVANE_TOOL_COMMAND("geocode", "[--service URL] [--token T] [--json] [--batch N] [--timeout S] ADDRESS... | -",
                    "find the coordinates of addresses with a geocoding service", &geocode,
                    geoOptions({{"--batch", "N", "addresses per request (default 200)"}}),
                    "ADDRESS \"-\" reads the addresses from standard input, one per line.\n" +
                        geoDetails("  orvane geocode --service http://127.0.0.1:8765 \"380 New York St, Redlands, CA 92373\"\n"));

} // namespace orvane::tool
