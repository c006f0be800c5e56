// SPDX-License-Identifier: Apache-2.0
#include "orvane/host/core/PortablePackage.h"

#include "orvane/host/document/ModelSerializer.h"

#include <map>

namespace orvane {

namespace {
std::map<int, std::shared_ptr<PortablePackage>>& packages() {
    static std::map<int, std::shared_ptr<PortablePackage>> p;
    return p;
}
} // namespace

const std::vector<std::string>& PortablePackage::relativeAssetPaths() const {
    static const std::vector<std::string> none;
    return none;
}

const NLSData& PortablePackage::getNLSData() const {
    static const NLSData none;
    return none;
}

const std::vector<NameIdPair>& PortablePackage::getEventTypeToNameMap() const {
    static const std::vector<NameIdPair> none;
    return none;
}

const std::vector<NameIdPair>& PortablePackage::getWarningTypeToNameMap() const {
    static const std::vector<NameIdPair> none;
    return none;
}

const std::vector<EmbeddedAsset>& PortablePackage::getEmbeddedAssets() const {
    static const std::vector<EmbeddedAsset> none;
    return none;
}

std::shared_ptr<ModelSerializer> PortablePackage::createSerializer() const {
    return std::make_shared<ModelSerializer>();
}

void PortablePackage::registerPackage(int packageId, const std::shared_ptr<PortablePackage>& package) {
    if (!package) return;
    package->packageId_ = packageId;
    packages()[packageId] = package;
}

std::shared_ptr<PortablePackage> PortablePackage::getPackage(int packageId) {
    auto it = packages().find(packageId);
    return it == packages().end() ? nullptr : it->second;
}

std::vector<std::shared_ptr<PortablePackage>> PortablePackage::getRegisteredPackages() {
    std::vector<std::shared_ptr<PortablePackage>> out;
    for (auto& [id, p] : packages()) out.push_back(p);
    return out;
}

const EmbeddedAsset* PortablePackage::findEmbeddedAsset(std::string_view key) {
    for (auto& [id, p] : packages())
        for (const auto& a : p->getEmbeddedAssets())
            if (a.key == key) return &a;
    return nullptr;
}

} // namespace orvane
