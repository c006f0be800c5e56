#pragma once
#include <memory>
#include <string>

namespace orvane {

// File access of the host.
class FileSystemManager {
public:
    // Writes text to path, replacing the file atomically (a temporary file in
    // the same folder, then a rename). False on any I/O error; no partial file
    // is left under the final name.
    static bool writeToFile(const std::string& text, const std::string& path, bool overwrite = true);
    static bool readFile(const std::string& path, std::string& out);
    static bool fileExists(const std::string& path);
};

} // namespace orvane
