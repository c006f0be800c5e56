// SPDX-License-Identifier: Apache-2.0
#include "orvane/host/data/DataValueUtils.h"

#include <unordered_set>

namespace orvane {

namespace {
struct Hash {
    size_t operator()(const std::shared_ptr<DataValue>& v) const { return v ? v->hash() : 0x51ed27u; }
};
struct Eq {
    bool operator()(const std::shared_ptr<DataValue>& a, const std::shared_ptr<DataValue>& b) const {
        if (!a || !b) return !a && !b;
        return a->equals(*b);
    }
};
using Set = std::unordered_set<std::shared_ptr<DataValue>, Hash, Eq>;
} // namespace

bool DataValueUtils::valueSetsAreEqual(const Values& a, const Values& b) {
    Set sa(a.begin(), a.end()), sb(b.begin(), b.end());
    if (sa.size() != sb.size()) return false;
    for (const auto& v : sa)
        if (!sb.count(v)) return false;
    return true;
}

bool DataValueUtils::valueSetsAreEqual(const std::shared_ptr<Values>& a, const std::shared_ptr<Values>& b) {
    static const Values none;
    return valueSetsAreEqual(a ? *a : none, b ? *b : none);
}

DataValueUtils::Values DataValueUtils::distinct(const Values& values) {
    Values out;
    Set seen;
    for (const auto& v : values)
        if (seen.insert(v).second) out.push_back(v);
    return out;
}

} // namespace orvane
