// SPDX-License-Identifier: Apache-2.0
#include "orvane/geo/EsriServiceInfo.h"

#include "orvane/geo/GeoJsonText.h"

namespace orvane {

EsriServiceInfo::EsriServiceInfo(std::string url, std::string name, std::string displayName)
    : url_(std::move(url)), name_(std::move(name)), displayName_(std::move(displayName)) {}

EsriServiceInfo::~EsriServiceInfo() = default;

std::shared_ptr<EsriServiceInfo> EsriServiceInfo::create(std::string url, std::string name, std::string displayName) {
    return std::make_shared<EsriServiceInfo>(std::move(url), std::move(name), std::move(displayName));
}

std::string EsriServiceInfo::getJSON() const {
    std::string out;
    appendJSON(out, 0);
    return out;
}

void EsriServiceInfo::appendCommonJSON(std::string& out) const {
    out += "{ ";
    GeoJsonText::appendMembers(out, {{"name", name_}, {"displayName", displayName_}, {"url", url_}}, ", ", ": ");
}

void EsriServiceInfo::appendJSON(std::string& out, int) const {
    appendCommonJSON(out);
    out += " }";
}

} // namespace orvane
