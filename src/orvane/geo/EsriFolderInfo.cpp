// SPDX-License-Identifier: Apache-2.0
#include "orvane/geo/EsriFolderInfo.h"

#include "orvane/geo/EsriMapServiceInfo.h"

#include <algorithm>

namespace orvane {

EsriFolderInfo::EsriFolderInfo(std::string url, std::string name, std::string displayName)
    : EsriServiceInfo(std::move(url), std::move(name), std::move(displayName)) {}

EsriFolderInfo::~EsriFolderInfo() = default;

std::shared_ptr<EsriFolderInfo> EsriFolderInfo::create(std::string url, std::string name, std::string displayName) {
    return std::make_shared<EsriFolderInfo>(std::move(url), std::move(name), std::move(displayName));
}

void EsriFolderInfo::addChild(const std::shared_ptr<EsriServiceInfo>& child) {
    if (!child || child.get() == this) return;
    children_.push_back(child);
}

void EsriFolderInfo::insertChild(size_t index, const std::shared_ptr<EsriServiceInfo>& child) {
    if (!child || child.get() == this) return;
    children_.insert(children_.begin() + static_cast<std::ptrdiff_t>(std::min(index, children_.size())), child);
}

void EsriFolderInfo::removeChild(const std::shared_ptr<EsriServiceInfo>& child) {
    auto it = std::find(children_.begin(), children_.end(), child);
    if (it != children_.end()) children_.erase(it);
}

void EsriFolderInfo::appendJSON(std::string& out, int depth) const {
    appendCommonJSON(out);
    const bool deeper = depth < MAX_JSON_DEPTH;
    out += ", \"folders\": [";
    bool first = true;
    for (const auto& c : children_) {
        if (!deeper || !dynamic_cast<const EsriFolderInfo*>(c.get())) continue;
        if (!first) out += ',';
        first = false;
        c->appendJSON(out, depth + 1);
    }
    out += "], \"services\": [";
    first = true;
    for (const auto& c : children_) {
        if (!deeper || dynamic_cast<const EsriFolderInfo*>(c.get())) continue;
        if (!first) out += ',';
        first = false;
        c->appendJSON(out, depth + 1);
    }
    out += "] }";
}

} // namespace orvane
