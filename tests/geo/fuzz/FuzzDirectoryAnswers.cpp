// SPDX-License-Identifier: Apache-2.0
// libFuzzer target: the folder and map-service answer parsers of the
// directory client, the URLs it would build from the names, and the JSON
// text of the tree it would make.
#include "FuzzSupport.h"
#include "orvane/geo/EsriDirectoryServices.h"
#include "orvane/geo/EsriRequest.h"

#include <cstdint>
#include <string>
#include <string_view>

using namespace orvane;
using fuzz::check;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string_view text(reinterpret_cast<const char*>(data), size);
    auto folder = EsriDirectoryServices::parseFolderAnswer(text);
    fuzz::checkAnswerState(folder);
    check(folder.ok || (folder.folders.empty() && folder.services.empty()));
    auto service = EsriDirectoryServices::parseMapServiceAnswer(text);
    fuzz::checkAnswerState(service);

    auto root = EsriFolderInfo::create("http://h/arcgis/rest/services", "services", "services");
    for (const auto& name : folder.folders) {
        std::string path = EsriRequest::encodePath(name);
        // A followed name never climbs out of its folder.
        check(path.empty() || (path.find("/../") == std::string::npos && path.rfind("../", 0) != 0 && path != ".."));
        root->addChild(EsriFolderInfo::create("http://h/" + path, name, name));
    }
    for (const auto& [name, type] : folder.services)
        root->addChild(EsriMapServiceInfo::create("http://h/" + EsriRequest::encodePath(name) + "/MapServer", type, name,
                                                  service.title, service.description, "t", service.wkid > 0));
    auto d = fuzz::parseObject(root->getJSON());
    check(d["folders"].Size() == folder.folders.size() && d["services"].Size() == folder.services.size());
    return 0;
}
