// SPDX-License-Identifier: Apache-2.0
#pragma once
#include "orvane/host/HostExport.h"
#include "orvane/host/io/Image.h"
#include "orvane/host/io/LocalizationContext.h"

#include <memory>
#include <string>

namespace orvane {

/// Localised strings by bundle and key, images, the display's DPI scale factor
/// and the localisation context. Strings come from the message catalogue
/// shipped in the asset folder (assets/messages/<bundle>.properties).
class ORVANE_HOST_EXPORT ResourceManager {
public:
    /// The raw template for bundle/key ("{0}" placeholders left in), or null
    /// when the bundle or key is unknown (logged in section 1).
    static std::shared_ptr<const std::string> getString(const std::string& bundle, const std::string& key);
    /// The template with {0}, {1}, ... replaced by the arguments.
    static std::string formatString(const std::string& pattern, std::initializer_list<std::string> args);

    static std::shared_ptr<Image> getImage(const std::string& path, int flags = 0, bool cache = true,
                                           bool noCache = false, const std::string& type = "");

    static float getDPIScaleFactor();
    static void setDPIScaleFactor(float scale);

    static std::shared_ptr<LocalizationContext> getLocalizationContext();

    /// Folder holding messages/: the one set here, else $ORVANE_ASSET_DIR, else
    /// the one installed beside the library (share/orvane/assets next to its
    /// lib folder; in the build tree, build/share/orvane/assets). An empty
    /// folder given here returns to the environment and the library's own.
    static std::string getAssetDirectory();
    static void setAssetDirectory(const std::string& dir);
    /// Forgets loaded bundles and cached images.
    static void reset();
};

} // namespace orvane
