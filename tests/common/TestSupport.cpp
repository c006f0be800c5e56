// SPDX-License-Identifier: Apache-2.0
#include "common/TestSupport.h"

#include <cstdlib>
#include <filesystem>
#include <mutex>
#include <unistd.h>

namespace orvane::test {

std::string sourceDir() {
    if (const char* e = std::getenv("ORVANE_SOURCE_DIR"); e && *e) return e;
    return ORVANE_SOURCE_DIR;
}

std::string binaryDir() {
    if (const char* e = std::getenv("ORVANE_BINARY_DIR"); e && *e) return e;
    return ORVANE_BINARY_DIR;
}

namespace {
struct TempRoot {
    std::string path;
    TempRoot() {
        std::string tmpl = (std::filesystem::temp_directory_path() / "orvane-test-XXXXXX").string();
        if (char* p = ::mkdtemp(tmpl.data())) path = p;
    }
    ~TempRoot() {
        std::error_code ec;
        if (!path.empty()) std::filesystem::remove_all(path, ec);
    }
};
} // namespace

std::string tempDir() {
    static TempRoot root;
    static int counter = 0;
    static std::mutex m;
    std::lock_guard<std::mutex> lock(m);
    std::string dir = root.path + "/t" + std::to_string(counter++);
    std::filesystem::create_directories(dir);
    return dir;
}

} // namespace orvane::test
