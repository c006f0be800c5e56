// SPDX-License-Identifier: Apache-2.0
#pragma once
#include "orvane/OrvaneExport.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <unordered_map>
#include <utility>
#include <vector>

namespace orvane {

class DataTreeNode;
class RowBitmap;

/// The source rows behind a crosstab's crossings, worked out on demand from
/// the rows the hierarchy keeps on each data-tree node; nothing is indexed
/// per source row.
///
/// The rows of a crossing are the intersection of its row leaf's rows and
/// its column leaf's rows. The crossings whose rows are all selected are
/// found from the selected rows alone: they are split down each axis' data
/// tree (each node records which child holds each of its rows), giving per
/// selected row the leaves that hold it and so the selected count of every
/// crossing they touch; a crossing then shows as selected when that count is
/// its size, checked against the leaves' sizes, a remembered size, or a walk
/// that stops at the first unselected row.
///
/// An axis without leaves (no hierarchy) has one leaf holding every row.
/// Leaves are display-tree nodes (their data-tree node carries the rows) or
/// data-tree nodes themselves.
class ORVANE_EXPORT CrosstabCrossingRows {
public:
    using NodeList = std::vector<std::shared_ptr<DataTreeNode>>;
    using Crossing = std::pair<int64_t, int>;  ///< (row leaf, column leaf)

    /// Starts over for new leaves (after a rebuild) over `sourceRows` rows.
    void reset(const NodeList& rowLeaves, const NodeList& columnLeaves, size_t sourceRows);
    size_t getSourceRowCount() const { return sourceRows_; }
    size_t getRowLeafCount() const { return axes_[0].leaves.size(); }
    size_t getColumnLeafCount() const { return axes_[1].leaves.size(); }

    /// The source rows of a crossing, ascending (empty for a leaf out of range).
    std::vector<int32_t> getRows(int64_t rowLeaf, int columnLeaf);
    /// The crossings holding at least one row, every one of them selected,
    /// sorted. Rows past the source row count are ignored.
    std::vector<Crossing> getFullySelected(const RowBitmap& selected);

private:
    struct Axis {
        NodeList leaves;
        std::vector<DataTreeNode*> leafData;  ///< data node of each leaf (null: no rows)
        bool all = false;                     ///< no leaves: one leaf of every row
        /// Data nodes that are leaves or above one, and the leaves on the
        /// path from the root down to each.
        std::vector<DataTreeNode*> nodes;
        std::vector<std::vector<int32_t>> leavesOnPath;
        std::vector<std::vector<std::pair<uint32_t, int32_t>>> children;  ///< (child index, node id)
        std::vector<int32_t> roots;
        std::vector<std::shared_ptr<DataTreeNode>> kept;  ///< keeps the nodes above alive
    };
    void prepare(Axis& axis, const NodeList& leaves);
    /// For each selected row (position in `rows`), the deepest node of the
    /// axis holding it, or -1.
    std::vector<int32_t> split(const Axis& axis, const std::vector<int32_t>& rows) const;
    const std::vector<int32_t>* rowsOfLeaf(const Axis& axis, size_t leaf) const;
    /// Whether every row of the crossing is selected (and how many it has).
    bool allSelected(int64_t rowLeaf, int columnLeaf, const RowBitmap& selected, int64_t& size);
    const RowBitmap* membership(const DataTreeNode* node);

    Axis axes_[2];
    size_t sourceRows_ = 0;
    /// Sizes of crossings already counted, by row leaf x column leaves + column leaf.
    std::unordered_map<uint64_t, int64_t> sizes_;
    /// Row bitmaps of large nodes, for membership tests while checking.
    std::unordered_map<const DataTreeNode*, std::shared_ptr<RowBitmap>> bitmaps_;
};

} // namespace orvane
