// SPDX-License-Identifier: Apache-2.0
#include "orvane/axis/BinInfo.h"

#include <algorithm>
#include <cmath>

namespace orvane {

std::shared_ptr<BinInfo> BinInfo::create(std::vector<double> boundaries) {
    auto b = std::make_shared<BinInfo>();
    boundaries.erase(std::remove_if(boundaries.begin(), boundaries.end(), [](double v) { return !std::isfinite(v); }),
                     boundaries.end());
    std::sort(boundaries.begin(), boundaries.end());
    boundaries.erase(std::unique(boundaries.begin(), boundaries.end()), boundaries.end());
    b->boundaries_ = std::move(boundaries);
    return b;
}

int BinInfo::getBinForValue(double value) const {
    if (getBinCount() == 0 || std::isnan(value)) return -1;
    if (value < boundaries_.front() || value > boundaries_.back()) return -1;
    auto it = std::upper_bound(boundaries_.begin(), boundaries_.end(), value);
    auto index = static_cast<int>(it - boundaries_.begin()) - 1;
    return std::min(index, static_cast<int>(getBinCount()) - 1);
}

} // namespace orvane
