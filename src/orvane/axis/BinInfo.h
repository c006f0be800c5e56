// SPDX-License-Identifier: Apache-2.0
#pragma once
#include "orvane/OrvaneExport.h"
#include <memory>
#include <vector>

namespace orvane {

/// The bins of a binned variable: ascending boundaries b0 < b1 < ... < bn make
/// n bins, bin i holding the values from b[i] up to (not including) b[i+1]; the
/// last bin also holds its upper boundary.
class ORVANE_EXPORT BinInfo {
public:
    /// Boundaries that are not finite are dropped, the rest sorted and made
    /// unique.
    static std::shared_ptr<BinInfo> create(std::vector<double> boundaries);

    size_t getBinCount() const { return boundaries_.size() < 2 ? 0 : boundaries_.size() - 1; }
    const std::vector<double>& getBoundaries() const { return boundaries_; }
    /// The bin of a value; -1 for missing values and values outside the bins.
    int getBinForValue(double value) const;

private:
    std::vector<double> boundaries_;
};

} // namespace orvane
