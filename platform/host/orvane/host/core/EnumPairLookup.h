// SPDX-License-Identifier: Apache-2.0
#pragma once
#include "orvane/host/HostExport.h"
#include <algorithm>
#include <span>
#include <string_view>

namespace orvane {

/// A (name, value) pair of an enumeration's string-to-value table.
struct ORVANE_HOST_EXPORT EnumPair {
    std::string_view name;
    int value;
};

/// The host's enum-pair lookup: binary search of a table sorted by name
/// (byte-wise). Returns null when the name is absent.
class ORVANE_HOST_EXPORT EnumPairLookup {
public:
    static const EnumPair* find(std::span<const EnumPair> sortedByName, std::string_view name) {
        auto it = std::lower_bound(sortedByName.begin(), sortedByName.end(), name,
                                   [](const EnumPair& p, std::string_view n) { return p.name < n; });
        if (it != sortedByName.end() && it->name == name) return &*it;
        return nullptr;
    }
    static bool isSorted(std::span<const EnumPair> table) {
        return std::is_sorted(table.begin(), table.end(),
                              [](const EnumPair& a, const EnumPair& b) { return a.name < b.name; });
    }
};

} // namespace orvane
