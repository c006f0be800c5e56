// SPDX-License-Identifier: Apache-2.0
#pragma once
#include "orvane/OrvaneExport.h"
#include "orvane/host/core/PortablePackage.h"

#include <memory>
#include <string>
#include <vector>

namespace orvane {

/// The library's package: its start-up registers the model database (package
/// id 2), the display-list package dependency, the package itself and the
/// "toggleOnTap" feature switch, once per process.
class ORVANE_EXPORT OrvaneUIPackage : public PortablePackage {
public:
    static constexpr int WRAPPER_TYPE_ID = 10010;
    static constexpr int PACKAGE_ID = 2;

    OrvaneUIPackage() : PortablePackage("OrvaneUI") {}

    /// The shared package; every call runs initialize() (its once-only tasks
    /// run on the first call only).
    static std::shared_ptr<OrvaneUIPackage> instance();
    static int initializeOnceTasks(const std::shared_ptr<OrvaneUIPackage>& package);
    /// The feature name "toggleOnTap".
    static std::shared_ptr<const std::string> TOGGLE_ON_TAP();
    /// Packages the library depends on (the display-list package).
    static const std::vector<std::shared_ptr<PortablePackage>>& getDependencies();
    /// How often the once-only tasks ran (1 after start-up).
    static int onceTaskRuns();

    int getWrapperTypeId() const override { return WRAPPER_TYPE_ID; }
    const std::vector<std::string>& relativeAssetPaths() const override;
    const NLSData& getNLSData() const override;
    int initialize() override;
    const std::vector<NameIdPair>& getEventTypeToNameMap() const override;
    const std::vector<NameIdPair>& getWarningTypeToNameMap() const override;
    const std::vector<EmbeddedAsset>& getEmbeddedAssets() const override;
};

} // namespace orvane
