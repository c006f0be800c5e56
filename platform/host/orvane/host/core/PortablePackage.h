// SPDX-License-Identifier: Apache-2.0
#pragma once
#include "orvane/host/HostExport.h"
#include "orvane/host/core/Wrappable.h"

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace orvane {

class ModelSerializer;

/// Localised-message data a package brings: locales, bundle names and a matrix
/// of texts. Empty for packages without a catalogue of their own.
struct ORVANE_HOST_EXPORT NLSData {
    std::vector<std::string> locales;
    std::vector<std::string> bundles;
    std::vector<std::vector<std::string>> matrix;
};

struct ORVANE_HOST_EXPORT NameIdPair {
    std::string name;
    int id;
};

/// One embedded file: key ("Package/assets/dir/name_ext"), bytes, length.
struct ORVANE_HOST_EXPORT EmbeddedAsset {
    std::string_view key;
    const uint8_t* bytes;
    size_t length;
};

/// A package of models, events and assets registered with the host.
class ORVANE_HOST_EXPORT PortablePackage : public virtual Wrappable {
public:
    explicit PortablePackage(std::string name) : name_(std::move(name)) {}
    ~PortablePackage() override = default;

    const std::string& getName() const { return name_; }
    /// Id given at registration (0 until registered).
    int getPackageId() const { return packageId_; }

    virtual const std::vector<std::string>& relativeAssetPaths() const;
    virtual const NLSData& getNLSData() const;
    virtual int initialize() { return packageId_; }
    virtual const std::vector<NameIdPair>& getEventTypeToNameMap() const;
    virtual const std::vector<NameIdPair>& getWarningTypeToNameMap() const;
    virtual const std::vector<EmbeddedAsset>& getEmbeddedAssets() const;
    /// The default serializer writes model trees as model documents.
    virtual std::shared_ptr<ModelSerializer> createSerializer() const;

    static void registerPackage(int packageId, const std::shared_ptr<PortablePackage>& package);
    static std::shared_ptr<PortablePackage> getPackage(int packageId);
    static std::vector<std::shared_ptr<PortablePackage>> getRegisteredPackages();
    /// Looks an embedded asset up by key in every registered package.
    static const EmbeddedAsset* findEmbeddedAsset(std::string_view key);

private:
    std::string name_;
    int packageId_ = 0;
};

} // namespace orvane
