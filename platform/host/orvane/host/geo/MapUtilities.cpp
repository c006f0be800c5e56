// SPDX-License-Identifier: Apache-2.0
#include "orvane/host/geo/MapUtilities.h"

#include <map>
#include <mutex>

namespace orvane {

std::shared_ptr<Proj4::Projection> MapUtilities::getProjection(const std::string& code) {
    static std::mutex mutex;
    static std::map<std::string, std::shared_ptr<Proj4::Projection>> cache;
    {
        std::lock_guard<std::mutex> lock(mutex);
        if (auto it = cache.find(code); it != cache.end()) return it->second;
    }
    auto projection = Proj4::Projection::create(code);
    std::lock_guard<std::mutex> lock(mutex);
    // Bounded: codes come from service answers.
    if (cache.size() < 4096) cache.emplace(code, projection);
    return projection;
}

} // namespace orvane
