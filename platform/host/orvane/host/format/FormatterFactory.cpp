// SPDX-License-Identifier: Apache-2.0
#include "orvane/host/format/FormatterFactory.h"

#include "orvane/host/core/CLog.h"

#include <list>
#include <mutex>
#include <string_view>
#include <unordered_map>

namespace orvane {

namespace {
// The formatters of the names asked for most recently. Documents and data
// files can carry any number of distinct names, so the cache is bounded: the
// least recently used name goes when it is full.
struct Cache {
    static constexpr size_t kCapacity = 512;
    using Entry = std::pair<std::string, std::shared_ptr<Formatter>>;  // null for names that are not formats
    std::mutex mutex;
    std::list<Entry> order;  // most recently used first
    std::unordered_map<std::string_view, std::list<Entry>::iterator> byName;

    // The entry of a name, moved to the front; null when there is none.
    Entry* find(std::string_view name) {
        auto it = byName.find(name);
        if (it == byName.end()) return nullptr;
        order.splice(order.begin(), order, it->second);
        return &*it->second;
    }
    void add(std::string name, std::shared_ptr<Formatter> f) {
        order.emplace_front(std::move(name), std::move(f));
        byName.emplace(order.front().first, order.begin());
        if (order.size() > kCapacity) {
            byName.erase(order.back().first);
            order.pop_back();
        }
    }
    void clear() {
        byName.clear();
        order.clear();
    }
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
    if (auto* e = c.find(formatName)) return e->second;
    auto f = Formatter::build(formatName);
    c.add(std::string(formatName), f);
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
        if (auto* e = c.find(formatName)) {
            if (e->second) return e->second;
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
    c.clear();
}

size_t FormatterFactory::cacheCapacity() { return Cache::kCapacity; }

size_t FormatterFactory::cacheSize() {
    Cache& c = cache();
    std::lock_guard<std::mutex> lock(c.mutex);
    return c.order.size();
}

} // namespace orvane
