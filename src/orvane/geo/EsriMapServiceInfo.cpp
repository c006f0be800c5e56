// SPDX-License-Identifier: Apache-2.0
#include "orvane/geo/EsriMapServiceInfo.h"

#include "orvane/geo/GeoJsonText.h"

namespace orvane {

EsriMapServiceInfo::EsriMapServiceInfo(std::string url, std::string name, std::string displayName)
    : EsriServiceInfo(std::move(url), std::move(name), std::move(displayName)) {}

EsriMapServiceInfo::~EsriMapServiceInfo() = default;

std::shared_ptr<EsriMapServiceInfo> EsriMapServiceInfo::create(std::string url, std::string name,
                                                               std::string displayName, std::string title,
                                                               std::string description, std::string thumbnailUrl,
                                                               bool griddable) {
    auto info = std::make_shared<EsriMapServiceInfo>(std::move(url), std::move(name), std::move(displayName));
    info->title_ = std::move(title);
    info->description_ = std::move(description);
    info->thumbnailUrl_ = std::move(thumbnailUrl);
    info->griddable_ = griddable;
    return info;
}

void EsriMapServiceInfo::appendJSON(std::string& out, int) const {
    appendCommonJSON(out);
    out += ", ";
    GeoJsonText::appendMembers(
        out, {{"title", title_}, {"description", description_}, {"thumbnailUrl", thumbnailUrl_}}, ", ", ": ");
    out += ", \"griddable\": \"";
    out += griddable_ ? "true" : "false";
    out += "\" }";
}

} // namespace orvane
