// SPDX-License-Identifier: Apache-2.0
// orvane map-services [--service URL] [--token T] [--json] [--timeout S]: walks a
// map-server directory and prints its folders and map services.
#include "Command.h"
#include "GeoToolSupport.h"

#include "orvane/geo/EsriDirectoryServices.h"

#include <cstdio>

namespace orvane::tool {

namespace {

void printFolder(const EsriFolderInfo& folder, int depth) {
    std::string pad(static_cast<size_t>(depth) * 2, ' ');
    std::printf("%s%s/  %s\n", pad.c_str(), folder.getDisplayName().c_str(), folder.getUrl().c_str());
    for (const auto& child : folder.getChildren()) {
        if (auto f = std::dynamic_pointer_cast<EsriFolderInfo>(child)) {
            if (depth < 32) printFolder(*f, depth + 1);
        } else if (auto s = std::dynamic_pointer_cast<EsriMapServiceInfo>(child)) {
            std::printf("%s  %-28s %-13s %s\n", pad.c_str(), s->getDisplayName().c_str(),
                        s->isGriddable() ? "griddable" : "not griddable", s->getTitle().c_str());
        }
    }
}

int mapServices(const std::vector<std::string>& args) {
    ArgParser o = CommandRegistry::parserFor("map-services");
    std::string error;
    if (!o.parse(args) || !applyTimeout(o, error))
        return usageError("map-services", error.empty() ? o.error() : error);
    if (!o.positional().empty())
        return usageError("map-services", "unexpected argument \"" + o.positional()[0] + "\"");
    auto client = EsriDirectoryServices::create(o.get("service"));
    if (o.has("token")) client->setToken(o.get("token"));
    GeoOutcome outcome;
    outcome.listen(*client, EsriDirectoryServices::QUERY_SERVICES_READY, EsriDirectoryServices::QUERY_SERVICES_FAILED);
    client->queryServices();
    if (!waitForAnswers("map-services")) return EXIT_FAILED;
    if (auto root = client->getQueryResults()) {
        if (o.has("json"))
            std::printf("%s\n", root->getJSON().c_str());
        else
            printFolder(*root, 0);
    }
    return reportFailures("map-services", outcome);
}

} // namespace

ORVANE_TOOL_COMMAND("map-services", "[--service URL] [--token T] [--json] [--timeout S]",
                    "walk a map-server directory and tell which map services can serve as a base map", &mapServices,
                    geoOptions(),
                    "--service is the directory root (.../arcgis/rest/services); default: the public one.\n" +
                        geoDetails("  orvane map-services --service http://127.0.0.1:8765/arcgis/rest/services\n"));

} // namespace orvane::tool
