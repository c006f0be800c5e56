// SPDX-License-Identifier: Apache-2.0
#pragma once
#include "orvane/displaylist/DisplayListExport.h"
#include "orvane/displaylist/TqTransform.h"

#include <cstdint>
#include <vector>

namespace displaylist {

/// A uniform grid over the bounds of a group's children, so that a pick with
/// a small aperture only looks at the children near it instead of all of
/// them. Children that would cover many cells are kept in a short list that
/// every query checks.
class ORVANE_DISPLAYLIST_EXPORT TqSpatialIndex {
public:
    /// Indexes the rects (empty rects are left out).
    explicit TqSpatialIndex(const std::vector<Rect>& items);

    /// Indices of the items whose rect intersects `query`, highest index (the
    /// front-most child) first.
    void query(const Rect& query, std::vector<uint32_t>& out) const;

    size_t cellCount() const { return cellStart_.empty() ? 0 : cellStart_.size() - 1; }

private:
    int cellX(float x) const;
    int cellY(float y) const;

    Rect area_;
    int cols_ = 0;
    int rows_ = 0;
    float cellW_ = 1.0f;
    float cellH_ = 1.0f;
    /// An item in a cell, with its rect next to it so that a query rejects
    /// items without touching anything else.
    struct Entry {
        uint32_t index;
        Rect rect;
    };
    std::vector<uint32_t> cellStart_;  ///< per cell, offset into cellItems_
    std::vector<Entry> cellItems_;
    std::vector<Entry> large_;
};

} // namespace displaylist
