// SPDX-License-Identifier: Apache-2.0
#pragma once
#include "orvane/displaylist/DisplayListExport.h"
#include <cstddef>
#include <cstdint>
#include <map>
#include <vector>

namespace displaylist {

/// One axis of a grid (the rows or the columns): `count` items of a default
/// size, some of which carry their own size. Offsets are in double precision
/// so that axes billions of pixels long stay exact.
///
/// The overrides live in a sorted map; a prefix array of their differences
/// from the default is rebuilt lazily after a change (O(overrides)), after
/// which offset(i) costs O(log overrides) and indexAt(pos) O(log count ·
/// log overrides). Memory is O(overrides), never O(count).
class ORVANE_DISPLAYLIST_EXPORT TqGridAxis {
public:
    TqGridAxis() = default;
    TqGridAxis(int64_t count, double defaultSize);

    /// Drops every override.
    void Reset(int64_t count, double defaultSize);
    int64_t GetCount() const { return count_; }
    void SetCount(int64_t count);
    double GetDefaultSize() const { return defaultSize_; }
    /// Negative or non-finite sizes become 0.
    void SetDefaultSize(double size);

    /// Gives item i its own size (ignored outside [0, count)).
    void SetSize(int64_t i, double size);
    /// Returns item i to the default size.
    void ClearSize(int64_t i);
    double GetSize(int64_t i) const;
    bool HasOwnSize(int64_t i) const { return overrides_.count(i) != 0; }
    size_t GetOverrideCount() const { return overrides_.size(); }

    /// Start of item i (i in [0, count]; offset(count) == total()).
    double Offset(int64_t i) const;
    double Total() const { return Offset(count_); }
    /// The item whose span [offset, offset + size) holds pos; -1 before the
    /// first item or at or past the end. Zero-sized items are never answered.
    int64_t IndexAt(double pos) const;
    /// The item whose end edge lies within `tolerance` of pos (the nearest
    /// one), or -1.
    int64_t SeparatorAt(double pos, double tolerance) const;

    /// Bytes held by this axis (for memory reports).
    size_t GetMemoryBytes() const;

private:
    void rebuild() const;
    /// Sum of (size - default) over overrides with index < i.
    double deltaBefore(int64_t i) const;

    int64_t count_ = 0;
    double defaultSize_ = 0.0;
    std::map<int64_t, double> overrides_;
    mutable bool dirty_ = true;
    mutable std::vector<int64_t> keys_;
    mutable std::vector<double> prefix_;  ///< prefix_[k] = sum of deltas of keys_[0..k)
};

} // namespace displaylist
