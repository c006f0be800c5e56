#include "orvane/host/format/FormatterFactory.h"

#include "orvane/host/core/CLog.h"

#include <mutex>
#include <unordered_map>

namespace orvane {

namespace {
struct Cache {
    std::mutex mutex;
    // name as given -> formatter; null for names that are not formats.
    std::unordered_map<std::string, std::shared_ptr<Formatter>> byName;
};
Cache& cache() {
    static Cache c;
    return c;
}
const std::shared_ptr<Formatter>& best() {
    static const std::shared_ptr<Formatter> b = FormatterFactory::tryGetFormatter("BEST12.");
    return b;
}
} // namespace

std::shared_ptr<Formatter> FormatterFactory::tryGetFormatter(std::string_view formatName) {
    Cache& c = cache();
    std::lock_guard<std::mutex> lock(c.mutex);
    // Heterogeneous lookup needs C++20 transparent hashing; a small copy is
    // cheaper to reason about and the names are short.
    std::string key(formatName);
    auto it = c.byName.find(key);
    if (it != c.byName.end()) return it->second;
    auto f = Formatter::build(formatName);
    c.byName.emplace(std::move(key), f);
    return f;
}

std::shared_ptr<Formatter> FormatterFactory::getFormatter(std::string_view formatName) {
    // The fallback is made before the cache is locked: making it locks the cache too.
    const std::shared_ptr<Formatter>& fallback = best();
    if (formatName.empty()) return fallback;
    bool known = false;
    {
        Cache& c = cache();
        std::lock_guard<std::mutex> lock(c.mutex);
        auto it = c.byName.find(std::string(formatName));
        if (it != c.byName.end()) {
            if (it->second) return it->second;
            known = true;  // a name already found not to be a format (and logged)
        }
    }
    if (known) return fallback;
    auto f = tryGetFormatter(formatName);
    if (f) return f;
    ORVANE_LOG(CLog::ERRORS, "host/FormatterFactory",
               "unknown format name \"" + std::string(formatName) + "\", using BEST12.");
    return fallback;
}

bool FormatterFactory::isValidFormatName(std::string_view formatName) { return tryGetFormatter(formatName) != nullptr; }

std::string FormatterFactory::makeFormatName(std::string_view name, int width, int decimals) {
    std::string s(name);
    if (width > 0) s += std::to_string(width);
    s += ".";
    if (decimals > 0) s += std::to_string(decimals);
    return s;
}

void FormatterFactory::clearCache() {
    Cache& c = cache();
    std::lock_guard<std::mutex> lock(c.mutex);
    c.byName.clear();
}

} // namespace orvane
