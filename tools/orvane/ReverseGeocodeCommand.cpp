// SPDX-License-Identifier: Apache-2.0
// orvane reverse-geocode [--service URL] [--json] [--timeout S] X Y: the address at a point.
#include "Command.h"
#include "GeoToolSupport.h"

#include "orvane/geo/EsriGeocodeServices.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

#include <rapidjson/stringbuffer.h>
#include <rapidjson/writer.h>

namespace orvane::tool {

namespace {

bool parseCoordinate(const std::string& text, float& out) {
    char* end = nullptr;
    double v = std::strtod(text.c_str(), &end);
    if (text.empty() || *end != '\0' || !std::isfinite(v)) return false;
    out = static_cast<float>(v);
    return std::isfinite(out);
}

int reverseGeocode(const std::vector<std::string>& args) {
    ArgParser o = CommandRegistry::parserFor("reverse-geocode");
    std::string error;
    if (!o.parse(args) || !applyTimeout(o, error))
        return usageError("reverse-geocode", error.empty() ? o.error() : error);
    if (o.has("token"))
        return usageError("reverse-geocode", "--token: reverse geocoding requests carry no token");
    float x = 0, y = 0;
    if (o.positional().size() != 2)
        return usageError("reverse-geocode", "give the point as X Y (longitude latitude), e.g. -117.1957 34.0572");
    if (!parseCoordinate(o.positional()[0], x) || !parseCoordinate(o.positional()[1], y))
        return usageError("reverse-geocode", "X and Y must be numbers, not \"" + o.positional()[0] + "\" \"" +
                                                 o.positional()[1] + "\"");
    auto client = EsriGeocodeServices::create();
    if (o.has("service")) client->setServiceRoot(o.get("service"));
    GeoOutcome outcome;
    outcome.listen(*client, EsriGeocodeServices::REVERSE_GEOCODE_READY, EsriGeocodeServices::REVERSE_GEOCODE_FAILED);
    client->reverseGeocode(x, y);
    if (!waitForAnswers("reverse-geocode")) return EXIT_FAILED;
    rapidjson::StringBuffer buffer;
    rapidjson::Writer<rapidjson::StringBuffer> w(buffer);
    w.StartArray();
    for (const auto& r : *client->getGeocodeResults()) {
        std::string address = r->getAddress() ? *r->getAddress() : std::string();
        if (!o.has("json")) {
            std::printf("%s  (x %.6f, y %.6f)\n", address.empty() ? "(no address)" : address.c_str(), r->getX(),
                        r->getY());
            continue;
        }
        w.StartObject();
        w.Key("address");
        w.String(address.c_str());
        w.Key("x");
        w.Double(r->getX());
        w.Key("y");
        w.Double(r->getY());
        w.EndObject();
    }
    w.EndArray();
    if (o.has("json") && outcome.failures().empty()) std::printf("%s\n", buffer.GetString());
    return reportFailures("reverse-geocode", outcome);
}

} // namespace

ORVANE_TOOL_COMMAND("reverse-geocode", "[--service URL] [--json] [--timeout S] X Y",
                    "find the address at a point (longitude X, latitude Y)", &reverseGeocode, geoOptions(),
                    "Negative coordinates are arguments, not options.\n" +
                        geoDetails("  orvane reverse-geocode --service http://127.0.0.1:8765 -117.1957 34.0572\n"));

} // namespace orvane::tool
