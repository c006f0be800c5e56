// SPDX-License-Identifier: Apache-2.0
#pragma once
#include "orvane/host/HostExport.h"
#include "orvane/host/data/DataValue.h"

#include <memory>
#include <vector>

namespace orvane {

/// Operations on lists of data values.
class ORVANE_HOST_EXPORT DataValueUtils {
public:
    using Values = std::vector<std::shared_ptr<DataValue>>;

    /// True when both hold the same values as sets: order and repetitions do
    /// not matter, values compare by type and value, a null list equals an
    /// empty one, and null entries equal each other only.
    static bool valueSetsAreEqual(const std::shared_ptr<Values>& a, const std::shared_ptr<Values>& b);
    static bool valueSetsAreEqual(const Values& a, const Values& b);
    /// The values without repetitions, the first of equal values kept.
    static Values distinct(const Values& values);
};

} // namespace orvane
