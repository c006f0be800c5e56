// SPDX-License-Identifier: Apache-2.0
#pragma once
#include "orvane/host/HostExport.h"
#include <memory>
#include <string>

namespace orvane {

/// File access of the host.
class ORVANE_HOST_EXPORT FileSystemManager {
public:
    /// Writes text to path, replacing the file atomically (a temporary file in
    /// the same folder, then a rename). False on any I/O error; no partial file
    /// is left under the final name.
    static bool writeToFile(const std::string& text, const std::string& path, bool overwrite = true);
    static bool readFile(const std::string& path, std::string& out);
    static bool fileExists(const std::string& path);

    /// Real file path of a resource of a registered package, for callers (an
    /// audio player, say) that need a file rather than bytes. The resource is
    /// directory + "/" + name (+ "." + type when type is not empty); its
    /// embedded-asset key is that path with the final "." replaced by "_"
    /// (e.g. "OrvaneUI/assets/sonification/mp3/bumper_mp3"). On first request
    /// the bytes are written, atomically, to the cache directory under the same
    /// relative path and original file name; later requests return the same
    /// path. Null (and a log line) for an unknown resource or a write failure.
    static std::shared_ptr<const std::string> getPathForResource(const std::string& name, const std::string& type,
                                                                 const std::string& directory);
    /// Folder that holds resources extracted for getPathForResource: by default
    /// $ORVANE_CACHE_DIR, else $XDG_CACHE_HOME/orvane, else $HOME/.cache/orvane,
    /// else a private folder in the system's temporary directory.
    static std::string getCacheDirectory();
    /// Replaces the cache folder (an empty text restores the default).
    static void setCacheDirectory(const std::string& dir);
};

} // namespace orvane
