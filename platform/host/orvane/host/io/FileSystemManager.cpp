// SPDX-License-Identifier: Apache-2.0
#include "orvane/host/io/FileSystemManager.h"

#include "orvane/host/core/CLog.h"
#include "orvane/host/core/PortablePackage.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <map>
#include <mutex>
#include <sstream>
#include <sys/stat.h>
#include <unistd.h>

namespace orvane {

bool FileSystemManager::writeToFile(const std::string& text, const std::string& path, bool overwrite) {
    if (path.empty()) return false;
    if (!overwrite && fileExists(path)) return false;
    std::string tmp = path + ".tmp." + std::to_string(::getpid());
    {
        std::FILE* f = std::fopen(tmp.c_str(), "wb");
        if (!f) return false;
        bool ok = std::fwrite(text.data(), 1, text.size(), f) == text.size();
        ok = (std::fflush(f) == 0) && ok;
        ok = (std::fclose(f) == 0) && ok;
        if (!ok) {
            std::remove(tmp.c_str());
            return false;
        }
    }
    if (std::rename(tmp.c_str(), path.c_str()) != 0) {
        std::remove(tmp.c_str());
        return false;
    }
    return true;
}

bool FileSystemManager::readFile(const std::string& path, std::string& out) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;
    std::ostringstream ss;
    ss << in.rdbuf();
    if (in.bad()) return false;
    out = ss.str();
    return true;
}

bool FileSystemManager::fileExists(const std::string& path) {
    struct stat st;
    return ::stat(path.c_str(), &st) == 0;
}

// ------------------------------------------------------------ embedded resources

namespace {

std::mutex& resourceMutex() {
    static std::mutex m;
    return m;
}

std::string& cacheDirectoryOverride() {
    static std::string dir;
    return dir;
}

// Paths handed out so far, by absolute file path.
std::map<std::string, std::shared_ptr<const std::string>>& resolvedResources() {
    static std::map<std::string, std::shared_ptr<const std::string>> m;
    return m;
}

std::string envOrEmpty(const char* name) {
    const char* v = std::getenv(name);
    return v ? std::string(v) : std::string();
}

// The last resort lives in a shared temporary folder: make it private to the
// user and refuse it when someone else owns it or it is a link.
std::string privateTempCacheDirectory() {
    std::error_code ec;
    std::string dir = (std::filesystem::temp_directory_path(ec) / ("orvane-cache-" + std::to_string(::getuid()))).string();
    if (ec) return {};
    ::mkdir(dir.c_str(), 0700);
    struct stat st;
    if (::lstat(dir.c_str(), &st) != 0 || !S_ISDIR(st.st_mode) || st.st_uid != ::getuid()) return {};
    return dir;
}

// A relative resource path must stay inside the cache folder.
bool isSafeRelativePath(const std::string& relative) {
    if (relative.empty() || relative.front() == '/') return false;
    for (const auto& part : std::filesystem::path(relative))
        if (part == "..") return false;
    return true;
}

bool sameContents(const std::string& path, const EmbeddedAsset& asset) {
    struct stat st;
    if (::stat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode) || static_cast<size_t>(st.st_size) != asset.length)
        return false;
    std::string existing;
    return FileSystemManager::readFile(path, existing) && existing.size() == asset.length &&
           (asset.length == 0 || std::memcmp(existing.data(), asset.bytes, asset.length) == 0);
}

// Writes the bytes to a uniquely named temporary file beside path, then
// renames it into place: readers (and other processes extracting the same
// resource) never see a partial file.
bool writeBytesAtomically(const std::string& path, const uint8_t* bytes, size_t length, std::string& error) {
    std::error_code ec;
    std::filesystem::create_directories(std::filesystem::path(path).parent_path(), ec);
    if (ec) {
        error = "cannot create the folder of " + path + ": " + ec.message();
        return false;
    }
    std::string tmp = path + ".XXXXXX";
    int fd = ::mkstemp(tmp.data());
    if (fd < 0) {
        error = "cannot create a file beside " + path + ": " + std::strerror(errno);
        return false;
    }
    bool ok = true;
    for (size_t done = 0; ok && done < length;) {
        ssize_t n = ::write(fd, bytes + done, length - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) {
            error = "cannot write " + path + ": " + std::strerror(errno);
            ok = false;
        } else {
            done += static_cast<size_t>(n);
        }
    }
    if (ok && ::fchmod(fd, 0644) != 0) {
        error = "cannot set the permissions of " + path + ": " + std::strerror(errno);
        ok = false;
    }
    if (::close(fd) != 0 && ok) {
        error = "cannot write " + path + ": " + std::strerror(errno);
        ok = false;
    }
    if (ok && std::rename(tmp.c_str(), path.c_str()) != 0) {
        error = "cannot rename into " + path + ": " + std::strerror(errno);
        ok = false;
    }
    if (!ok) ::unlink(tmp.c_str());
    return ok;
}

} // namespace

std::string FileSystemManager::getCacheDirectory() {
    {
        std::lock_guard<std::mutex> lock(resourceMutex());
        if (!cacheDirectoryOverride().empty()) return cacheDirectoryOverride();
    }
    if (std::string d = envOrEmpty("ORVANE_CACHE_DIR"); !d.empty()) return d;
    if (std::string d = envOrEmpty("XDG_CACHE_HOME"); !d.empty() && d.front() == '/') return d + "/orvane";
    if (std::string d = envOrEmpty("HOME"); !d.empty()) return d + "/.cache/orvane";
    return privateTempCacheDirectory();
}

void FileSystemManager::setCacheDirectory(const std::string& dir) {
    std::lock_guard<std::mutex> lock(resourceMutex());
    cacheDirectoryOverride() = dir;
}

std::shared_ptr<const std::string> FileSystemManager::getPathForResource(const std::string& name,
                                                                         const std::string& type,
                                                                         const std::string& directory) {
    std::string fileName = type.empty() ? name : name + "." + type;
    std::string dir = directory;
    while (!dir.empty() && dir.back() == '/') dir.pop_back();
    std::string relative = dir.empty() ? fileName : dir + "/" + fileName;
    std::string key = relative;
    if (auto dot = key.rfind('.'); dot != std::string::npos) key[dot] = '_';

    const EmbeddedAsset* asset = fileName.empty() ? nullptr : PortablePackage::findEmbeddedAsset(key);
    if (!asset || (!asset->bytes && asset->length > 0)) {
        ORVANE_LOG(CLog::ERRORS, __FILE__, "FileSystemManager: no resource \"" + relative + "\"");
        return nullptr;
    }
    if (!isSafeRelativePath(relative)) {
        ORVANE_LOG(CLog::ERRORS, __FILE__, "FileSystemManager: refused resource path \"" + relative + "\"");
        return nullptr;
    }
    std::string cache = getCacheDirectory();
    if (cache.empty()) {
        ORVANE_LOG(CLog::ERRORS, __FILE__, "FileSystemManager: no usable cache folder for \"" + relative + "\"");
        return nullptr;
    }
    std::string path = std::filesystem::absolute(std::filesystem::path(cache) / relative).lexically_normal().string();

    std::lock_guard<std::mutex> lock(resourceMutex());
    auto& resolved = resolvedResources();
    auto it = resolved.find(path);
    struct stat st;
    if (it != resolved.end() && ::stat(path.c_str(), &st) == 0 && static_cast<size_t>(st.st_size) == asset->length)
        return it->second;
    // A file left by an earlier run is reused only when it holds these bytes
    // (another version of the library may have written different ones).
    if (!sameContents(path, *asset)) {
        std::string error;
        if (!writeBytesAtomically(path, asset->bytes, asset->length, error)) {
            ORVANE_LOG(CLog::ERRORS, __FILE__, "FileSystemManager: " + error);
            return nullptr;
        }
    }
    auto shared = it != resolved.end() ? it->second : std::make_shared<const std::string>(path);
    resolved[path] = shared;
    return shared;
}

} // namespace orvane
