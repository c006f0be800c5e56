// SPDX-License-Identifier: Apache-2.0
#include "orvane/host/io/ResourceManager.h"

#include "orvane/host/core/CLog.h"

#include <dlfcn.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <mutex>
#include <unordered_map>

// Where the asset folder lies relative to the folder of this library, once
// installed and in the build tree (set by the build; both relative).
#ifndef ORVANE_ASSET_RELATIVE_DIR
#define ORVANE_ASSET_RELATIVE_DIR "../share/orvane/assets"
#endif
#ifndef ORVANE_BUILD_ASSET_RELATIVE_DIR
#define ORVANE_BUILD_ASSET_RELATIVE_DIR ORVANE_ASSET_RELATIVE_DIR
#endif

namespace orvane {

namespace {
struct State {
    std::mutex mutex;
    std::string assetDir;
    float dpi = 1.0f;
    std::map<std::string, std::unordered_map<std::string, std::shared_ptr<const std::string>>> bundles;
    std::map<std::string, std::shared_ptr<Image>> images;
    std::shared_ptr<LocalizationContext> localization = std::make_shared<LocalizationContext>();
};
State& state() {
    static State s;
    return s;
}

// Any object of this library: its address tells dladdr which file was loaded.
const char libraryAnchor = 0;

// The asset folder beside the loaded library: the installed layout's, else the
// build tree's, else (neither holds a message catalogue) the installed layout's
// path, so that what is missing is named in the log.
std::string assetDirectoryBesideLibrary() {
    namespace fs = std::filesystem;
    Dl_info info{};
    if (dladdr(&libraryAnchor, &info) == 0 || info.dli_fname == nullptr || *info.dli_fname == 0) return "assets";
    std::error_code ec;
    fs::path libraryDir = fs::absolute(fs::path(info.dli_fname), ec).parent_path();
    std::string first;
    for (const char* relative : {ORVANE_ASSET_RELATIVE_DIR, ORVANE_BUILD_ASSET_RELATIVE_DIR}) {
        fs::path candidate = (libraryDir / relative).lexically_normal();
        if (first.empty()) first = candidate.string();
        if (fs::is_directory(candidate / "messages", ec)) return candidate.string();
    }
    return first;
}

std::string trim(const std::string& s) {
    size_t b = s.find_first_not_of(" \t\r");
    if (b == std::string::npos) return {};
    size_t e = s.find_last_not_of(" \t\r");
    return s.substr(b, e - b + 1);
}

// key = value lines; '#' starts a comment line; "\n" and "\t" escapes in values.
std::unordered_map<std::string, std::shared_ptr<const std::string>> loadBundle(const std::string& path) {
    std::unordered_map<std::string, std::shared_ptr<const std::string>> out;
    std::ifstream in(path);
    if (!in) {
        ORVANE_LOG(CLog::ERRORS, "host/ResourceManager", "cannot read message bundle " + path);
        return out;
    }
    std::string line;
    while (std::getline(in, line)) {
        std::string t = trim(line);
        if (t.empty() || t[0] == '#') continue;
        size_t eq = t.find('=');
        if (eq == std::string::npos) continue;
        std::string key = trim(t.substr(0, eq));
        std::string raw = trim(t.substr(eq + 1));
        std::string value;
        for (size_t i = 0; i < raw.size(); ++i) {
            if (raw[i] == '\\' && i + 1 < raw.size()) {
                char c = raw[++i];
                value += c == 'n' ? '\n' : c == 't' ? '\t' : c;
            } else {
                value += raw[i];
            }
        }
        out[key] = std::make_shared<const std::string>(std::move(value));
    }
    return out;
}
} // namespace

std::string ResourceManager::getAssetDirectory() {
    State& s = state();
    std::lock_guard<std::mutex> lock(s.mutex);
    if (!s.assetDir.empty()) return s.assetDir;
    if (const char* env = std::getenv("ORVANE_ASSET_DIR"); env && *env) return env;
    static const std::string besideLibrary = assetDirectoryBesideLibrary();
    return besideLibrary;
}

void ResourceManager::setAssetDirectory(const std::string& dir) {
    State& s = state();
    std::lock_guard<std::mutex> lock(s.mutex);
    s.assetDir = dir;
    s.bundles.clear();
}

std::shared_ptr<const std::string> ResourceManager::getString(const std::string& bundle, const std::string& key) {
    std::string dir = getAssetDirectory();
    State& s = state();
    std::unique_lock<std::mutex> lock(s.mutex);
    auto it = s.bundles.find(bundle);
    if (it == s.bundles.end()) it = s.bundles.emplace(bundle, loadBundle(dir + "/messages/" + bundle + ".properties")).first;
    auto kt = it->second.find(key);
    if (kt != it->second.end()) return kt->second;
    lock.unlock();
    ORVANE_LOG(CLog::ERRORS, "host/ResourceManager", "missing string " + bundle + "/" + key);
    return nullptr;
}

std::string ResourceManager::formatString(const std::string& pattern, std::initializer_list<std::string> args) {
    std::string out;
    out.reserve(pattern.size());
    for (size_t i = 0; i < pattern.size(); ++i) {
        if (pattern[i] == '{') {
            size_t close = pattern.find('}', i);
            if (close != std::string::npos && close > i + 1) {
                bool digits = true;
                size_t n = 0;
                for (size_t k = i + 1; k < close; ++k) {
                    if (pattern[k] < '0' || pattern[k] > '9') digits = false;
                    else n = n * 10 + static_cast<size_t>(pattern[k] - '0');
                }
                if (digits && n < args.size()) {
                    out += *(args.begin() + n);
                    i = close;
                    continue;
                }
            }
        }
        out += pattern[i];
    }
    return out;
}

std::shared_ptr<Image> ResourceManager::getImage(const std::string& path, int, bool, bool noCache, const std::string&) {
    State& s = state();
    if (!noCache) {
        std::lock_guard<std::mutex> lock(s.mutex);
        auto it = s.images.find(path);
        if (it != s.images.end()) return it->second;
    }
    auto img = Image::readPNG(path);
    if (!img) {
        ORVANE_LOG(CLog::ERRORS, "host/ResourceManager", "cannot read image " + path);
        return nullptr;
    }
    if (!noCache) {
        std::lock_guard<std::mutex> lock(s.mutex);
        s.images[path] = img;
    }
    return img;
}

float ResourceManager::getDPIScaleFactor() {
    std::lock_guard<std::mutex> lock(state().mutex);
    return state().dpi;
}

void ResourceManager::setDPIScaleFactor(float scale) {
    if (!(scale > 0.0f) || !std::isfinite(scale)) return;
    std::lock_guard<std::mutex> lock(state().mutex);
    state().dpi = scale;
}

std::shared_ptr<LocalizationContext> ResourceManager::getLocalizationContext() {
    std::lock_guard<std::mutex> lock(state().mutex);
    return state().localization;
}

void ResourceManager::reset() {
    State& s = state();
    std::lock_guard<std::mutex> lock(s.mutex);
    s.bundles.clear();
    s.images.clear();
    s.dpi = 1.0f;
    s.localization = std::make_shared<LocalizationContext>();
}

} // namespace orvane
