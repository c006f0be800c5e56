// orvane reverse-geocode --service URL [--timeout S] X Y: the address at a point.
#include "Command.h"
#include "GeoToolSupport.h"

#include "orvane/geo/EsriGeocodeServices.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

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
    GeoOptions o;
    std::string error;
    if (!parseGeoOptions(args, {"service", "timeout"}, {}, o, error) || !applyTimeout(o, error))
        return fail("reverse-geocode: " + error);
    float x = 0, y = 0;
    if (o.positional.size() != 2)
        return fail("reverse-geocode: give the point as X Y (longitude latitude), e.g. -117.1957 34.0572");
    if (!parseCoordinate(o.positional[0], x) || !parseCoordinate(o.positional[1], y))
        return fail("reverse-geocode: X and Y must be numbers, not \"" + o.positional[0] + "\" \"" + o.positional[1] +
                    "\"");
    auto client = EsriGeocodeServices::create();
    if (o.has("service")) client->setServiceRoot(o.get("service"));
    GeoOutcome outcome;
    outcome.listen(*client, EsriGeocodeServices::REVERSE_GEOCODE_READY, EsriGeocodeServices::REVERSE_GEOCODE_FAILED);
    client->reverseGeocode(x, y);
    if (!waitForAnswers("reverse-geocode")) return 1;
    for (const auto& r : *client->getGeocodeResults()) {
        std::string address = r->getAddress() ? *r->getAddress() : std::string();
        std::printf("%s  (x %.6f, y %.6f)\n", address.empty() ? "(no address)" : address.c_str(), r->getX(), r->getY());
    }
    return reportFailures("reverse-geocode", outcome);
}

} // namespace

ORVANE_TOOL_COMMAND("reverse-geocode", "--service URL [--timeout S] X Y",
                    "find the address at a point (longitude X, latitude Y)", &reverseGeocode);

} // namespace orvane::tool
