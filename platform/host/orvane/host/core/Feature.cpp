// SPDX-License-Identifier: Apache-2.0
#include "orvane/host/core/Feature.h"

#include <map>

namespace orvane {

namespace {
std::map<std::string, std::shared_ptr<Feature>>& features() {
    static std::map<std::string, std::shared_ptr<Feature>> f;
    return f;
}
} // namespace

void Multiverse::registerFeature(const std::shared_ptr<Feature>& feature) {
    if (!feature || !feature->getName()) return;
    features()[*feature->getName()] = feature;
}

std::shared_ptr<Feature> Multiverse::getFeature(const std::string& name) {
    auto it = features().find(name);
    return it == features().end() ? nullptr : it->second;
}

bool Multiverse::isEnabled(const std::string& name) {
    auto f = getFeature(name);
    return f && f->getValue();
}

void Multiverse::setEnabled(const std::string& name, bool enabled) {
    if (auto f = getFeature(name)) f->setValue(enabled);
}

} // namespace orvane
