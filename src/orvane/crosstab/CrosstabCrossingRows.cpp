// SPDX-License-Identifier: Apache-2.0
#include "orvane/crosstab/CrosstabCrossingRows.h"

#include "orvane/host/data/DataTreeNode.h"
#include "orvane/host/data/RowBitmap.h"
#include "orvane/view/DisplayTreeNode.h"

#include <algorithm>

namespace orvane {

namespace {

const std::vector<int32_t> kNoRows;

std::shared_ptr<DataTreeNode> dataOf(const std::shared_ptr<DataTreeNode>& node) {
    if (auto* d = dynamic_cast<DisplayTreeNode*>(node.get())) return d->getDataTreeNode();
    return node;
}

// The first index at or after `from` whose value is not below x: an
// exponential search, cheap when the sought values come in ascending order.
size_t gallop(const std::vector<int32_t>& a, size_t from, int32_t x) {
    const size_t n = a.size();
    if (from >= n || a[from] >= x) return from;
    size_t lo = from, step = 1;
    while (lo + step < n && a[lo + step] < x) {
        lo += step;
        step <<= 1;
    }
    const size_t hi = std::min(lo + step, n);
    return size_t(std::lower_bound(a.begin() + std::ptrdiff_t(lo) + 1, a.begin() + std::ptrdiff_t(hi), x) - a.begin());
}

// Sorted intersection, walking the shorter list and searching the longer.
std::vector<int32_t> intersect(const std::vector<int32_t>& a, const std::vector<int32_t>& b) {
    const auto& small = a.size() <= b.size() ? a : b;
    const auto& large = a.size() <= b.size() ? b : a;
    std::vector<int32_t> out;
    if (small.size() * 8 >= large.size()) {
        std::set_intersection(small.begin(), small.end(), large.begin(), large.end(), std::back_inserter(out));
        return out;
    }
    size_t at = 0;
    for (int32_t x : small) {
        at = gallop(large, at, x);
        if (at == large.size()) break;
        if (large[at] == x) out.push_back(x);
    }
    return out;
}

// Row bitmaps are kept for at most this many nodes, and this many bytes.
constexpr size_t MAX_BITMAPS = 64;
constexpr size_t MAX_BITMAP_BYTES = size_t(64) << 20;

} // namespace

void CrosstabCrossingRows::reset(const NodeList& rowLeaves, const NodeList& columnLeaves, size_t sourceRows) {
    sourceRows_ = sourceRows;
    sizes_.clear();
    bitmaps_.clear();
    prepare(axes_[0], rowLeaves);
    prepare(axes_[1], columnLeaves);
}

void CrosstabCrossingRows::prepare(Axis& axis, const NodeList& leaves) {
    axis = Axis();
    axis.leaves = leaves;
    axis.all = leaves.empty();
    std::unordered_map<const DataTreeNode*, int32_t> ids;
    std::vector<std::shared_ptr<DataTreeNode>> kept;
    std::vector<std::vector<int32_t>> own;  // leaves whose data node is this one
    auto idOf = [&](const std::shared_ptr<DataTreeNode>& n) {
        auto [it, added] = ids.emplace(n.get(), int32_t(kept.size()));
        if (added) {
            kept.push_back(n);
            own.emplace_back();
        }
        return it->second;
    };
    axis.leafData.assign(leaves.size(), nullptr);
    for (size_t i = 0; i < leaves.size(); ++i) {
        auto d = dataOf(leaves[i]);
        if (!d) continue;
        axis.leafData[i] = d.get();
        own[size_t(idOf(d))].push_back(int32_t(i));
        // Every node above a leaf's data node is walked through when the
        // selected rows are split down the tree.
        for (auto p = d->getParent(); p && ids.find(p.get()) == ids.end(); p = p->getParent()) idOf(p);
    }
    const size_t count = kept.size();
    axis.nodes.resize(count);
    axis.children.assign(count, {});
    axis.leavesOnPath.assign(count, {});
    std::vector<int32_t> parent(count, -1);
    for (size_t id = 0; id < count; ++id) {
        axis.nodes[id] = kept[id].get();
        const auto& kids = kept[id]->getChildren();
        for (size_t c = 0; c < kids.size(); ++c) {
            auto it = ids.find(kids[c].get());
            if (it == ids.end()) continue;
            axis.children[id].push_back({uint32_t(c), it->second});
            parent[size_t(it->second)] = int32_t(id);
        }
    }
    // The leaves on each node's path, from the roots down.
    std::vector<int32_t> stack;
    for (size_t id = 0; id < count; ++id)
        if (parent[id] < 0) {
            axis.roots.push_back(int32_t(id));
            stack.push_back(int32_t(id));
        }
    while (!stack.empty()) {
        const int32_t id = stack.back();
        stack.pop_back();
        auto& path = axis.leavesOnPath[size_t(id)];
        if (parent[size_t(id)] >= 0) path = axis.leavesOnPath[size_t(parent[size_t(id)])];
        path.insert(path.end(), own[size_t(id)].begin(), own[size_t(id)].end());
        for (const auto& [c, child] : axis.children[size_t(id)]) stack.push_back(child);
    }
    axis.kept = std::move(kept);
}

const std::vector<int32_t>* CrosstabCrossingRows::rowsOfLeaf(const Axis& axis, size_t leaf) const {
    if (axis.all) return nullptr;
    const auto* d = leaf < axis.leafData.size() ? axis.leafData[leaf] : nullptr;
    return d ? &d->getSourceRows() : &kNoRows;
}

std::vector<int32_t> CrosstabCrossingRows::getRows(int64_t rowLeaf, int columnLeaf) {
    const Axis& rows = axes_[0];
    const Axis& columns = axes_[1];
    const size_t rowCount = rows.all ? 1 : rows.leaves.size();
    const size_t columnCount = columns.all ? 1 : columns.leaves.size();
    if (rowLeaf < 0 || size_t(rowLeaf) >= rowCount || columnLeaf < 0 || size_t(columnLeaf) >= columnCount) return {};
    const auto* a = rowsOfLeaf(rows, size_t(rowLeaf));
    const auto* b = rowsOfLeaf(columns, size_t(columnLeaf));
    std::vector<int32_t> out;
    if (!a && !b) {
        out.resize(sourceRows_);
        for (size_t x = 0; x < sourceRows_; ++x) out[x] = int32_t(x);
    } else if (!a || !b) {
        out = a ? *a : *b;
    } else {
        // Lists of like sizes: walk the shorter against the longer's bitmap.
        const bool aSmall = a->size() <= b->size();
        const auto& small = aSmall ? *a : *b;
        const auto& large = aSmall ? *b : *a;
        const RowBitmap* bits = small.size() * 8 >= large.size() && large.size() < sourceRows_
                                    ? membership(aSmall ? columns.leafData[size_t(columnLeaf)] : rows.leafData[size_t(rowLeaf)])
                                    : nullptr;
        if (large.size() >= sourceRows_) {
            out = small;  // the longer holds every row
        } else if (bits) {
            out.reserve(small.size());
            for (int32_t x : small)
                if (bits->test(size_t(x))) out.push_back(x);
        } else {
            out = intersect(*a, *b);
        }
    }
    sizes_[uint64_t(rowLeaf) * columnCount + uint64_t(columnLeaf)] = int64_t(out.size());
    return out;
}

std::vector<int32_t> CrosstabCrossingRows::split(const Axis& axis, const std::vector<int32_t>& rows) const {
    std::vector<int32_t> deepest(rows.size(), -1);
    // (position in `rows`, position in the node's own rows)
    using Items = std::vector<std::pair<uint32_t, uint32_t>>;
    struct Work {
        int32_t id;
        Items items;
    };
    std::vector<Work> work;
    for (int32_t root : axis.roots) {
        const auto& own = axis.nodes[size_t(root)]->getSourceRows();
        Items items;
        // A root over every source row (no drill) holds row x at position x.
        const bool identity = own.size() == sourceRows_ && (own.empty() || own.back() == int32_t(sourceRows_) - 1);
        size_t at = 0;
        items.reserve(rows.size());
        for (size_t k = 0; k < rows.size() && at < own.size(); ++k) {
            if (identity) {
                items.push_back({uint32_t(k), uint32_t(rows[k])});
                continue;
            }
            at = gallop(own, at, rows[k]);
            if (at < own.size() && own[at] == rows[k]) items.push_back({uint32_t(k), uint32_t(at)});
        }
        if (!items.empty()) work.push_back({root, std::move(items)});
    }
    while (!work.empty()) {
        Work w = std::move(work.back());
        work.pop_back();
        for (const auto& it : w.items) deepest[it.first] = w.id;
        const auto& kids = axis.children[size_t(w.id)];
        if (kids.empty()) continue;
        const DataTreeNode* node = axis.nodes[size_t(w.id)];
        const auto& childOf = node->getChildIndexOfRows();
        std::vector<Items> buckets(kids.size());
        std::vector<size_t> cursor(kids.size(), 0);
        if (childOf.size() == node->getSourceRows().size()) {
            // The node knows which child holds each of its rows.
            std::vector<int32_t> slot(node->getChildCount(), -1);
            for (size_t s = 0; s < kids.size(); ++s) slot[kids[s].first] = int32_t(s);
            for (const auto& it : w.items) {
                const uint32_t c = childOf[it.second];
                const int32_t s = c < slot.size() ? slot[c] : -1;
                if (s < 0) continue;
                const int32_t child = kids[size_t(s)].second;
                // The position in the child's rows matters only to split further.
                if (axis.children[size_t(child)].empty()) {
                    buckets[size_t(s)].push_back({it.first, 0});
                    continue;
                }
                const auto& own = axis.nodes[size_t(child)]->getSourceRows();
                size_t& at = cursor[size_t(s)];
                at = gallop(own, at, rows[it.first]);
                if (at < own.size() && own[at] == rows[it.first]) buckets[size_t(s)].push_back({it.first, uint32_t(at)});
            }
        } else {
            // Not recorded: search each child's rows.
            for (size_t s = 0; s < kids.size(); ++s) {
                const auto& own = axis.nodes[size_t(kids[s].second)]->getSourceRows();
                size_t& at = cursor[s];
                for (const auto& it : w.items) {
                    at = gallop(own, at, rows[it.first]);
                    if (at == own.size()) break;
                    if (own[at] == rows[it.first]) buckets[s].push_back({it.first, uint32_t(at)});
                }
            }
        }
        for (size_t s = 0; s < kids.size(); ++s)
            if (!buckets[s].empty()) work.push_back({kids[s].second, std::move(buckets[s])});
    }
    return deepest;
}

const RowBitmap* CrosstabCrossingRows::membership(const DataTreeNode* node) {
    if (!node) return nullptr;
    auto it = bitmaps_.find(node);
    if (it != bitmaps_.end()) return it->second.get();
    // Past the budget the callers search the sorted rows instead.
    if (bitmaps_.size() >= MAX_BITMAPS || (bitmaps_.size() + 1) * (sourceRows_ / 8 + 8) > MAX_BITMAP_BYTES) return nullptr;
    auto bits = std::make_shared<RowBitmap>(sourceRows_);
    for (int32_t x : node->getSourceRows())
        if (x >= 0) bits->set(size_t(x));
    return bitmaps_.emplace(node, std::move(bits)).first->second.get();
}

bool CrosstabCrossingRows::allSelected(int64_t rowLeaf, int columnLeaf, const RowBitmap& selected, int64_t& size) {
    const auto* a = rowsOfLeaf(axes_[0], size_t(rowLeaf));
    const auto* b = rowsOfLeaf(axes_[1], size_t(columnLeaf));
    const DataTreeNode* aNode = a ? axes_[0].leafData[size_t(rowLeaf)] : nullptr;
    const DataTreeNode* bNode = b ? axes_[1].leafData[size_t(columnLeaf)] : nullptr;
    // Walk the shorter list; the longer one is every row, a bitmap or searched.
    if (!a && !b) {
        size = int64_t(sourceRows_);
        return selected.count() >= sourceRows_;
    }
    const bool aSmall = !b || (a && a->size() <= b->size());
    const auto& small = aSmall ? *a : *b;
    const auto* large = aSmall ? b : a;
    const DataTreeNode* largeNode = aSmall ? bNode : aNode;
    const bool everyRow = !large || large->size() >= sourceRows_;
    const RowBitmap* bits = everyRow ? nullptr : membership(largeNode);
    int64_t n = 0;
    size_t at = 0;
    for (int32_t x : small) {
        if (!everyRow) {
            if (bits) {
                if (!bits->test(size_t(x))) continue;
            } else {
                at = gallop(*large, at, x);
                if (at == large->size()) break;
                if ((*large)[at] != x) continue;
            }
        }
        if (!selected.test(size_t(x))) return false;
        ++n;
    }
    size = n;
    return true;
}

std::vector<CrosstabCrossingRows::Crossing> CrosstabCrossingRows::getFullySelected(const RowBitmap& selected) {
    std::vector<Crossing> out;
    std::vector<int32_t> rows;
    selected.forEachSet([&](size_t x) {
        if (x < sourceRows_) rows.push_back(int32_t(x));
    });
    if (rows.empty()) return out;
    const Axis& ra = axes_[0];
    const Axis& ca = axes_[1];
    // The deepest node of each axis holding each selected row.
    const std::vector<int32_t> rowEnd = ra.all ? std::vector<int32_t>(rows.size(), 0) : split(ra, rows);
    const std::vector<int32_t> colEnd = ca.all ? std::vector<int32_t>(rows.size(), 0) : split(ca, rows);
    const size_t colNodes = ca.all ? 1 : ca.nodes.size();
    // Selected rows per pair of deepest nodes...
    std::unordered_map<uint64_t, int64_t> pairs;
    for (size_t k = 0; k < rows.size(); ++k)
        if (rowEnd[k] >= 0 && colEnd[k] >= 0) ++pairs[uint64_t(rowEnd[k]) * colNodes + uint64_t(colEnd[k])];
    // ... give the selected rows of every crossing of the leaves above them.
    static const std::vector<int32_t> kAllLeaf{0};
    const size_t columnCount = ca.all ? 1 : ca.leaves.size();
    std::unordered_map<uint64_t, int64_t> hits;
    for (const auto& [key, m] : pairs) {
        const size_t a = size_t(key / colNodes), b = size_t(key % colNodes);
        const auto& rl = ra.all ? kAllLeaf : ra.leavesOnPath[a];
        const auto& cl = ca.all ? kAllLeaf : ca.leavesOnPath[b];
        for (int32_t i : rl)
            for (int32_t j : cl) hits[uint64_t(i) * columnCount + uint64_t(j)] += m;
    }
    for (const auto& [key, h] : hits) {
        const int64_t i = int64_t(key / columnCount);
        const int j = int(key % columnCount);
        const auto* a = rowsOfLeaf(ra, size_t(i));
        const auto* b = rowsOfLeaf(ca, size_t(j));
        const int64_t an = a ? int64_t(a->size()) : int64_t(sourceRows_);
        const int64_t bn = b ? int64_t(b->size()) : int64_t(sourceRows_);
        bool full;
        if (h == an || h == bn) {
            full = true;  // the crossing lies inside a leaf that is all selected
        } else if (auto it = sizes_.find(key); it != sizes_.end()) {
            full = it->second == h;
        } else {
            int64_t size = 0;
            full = allSelected(i, j, selected, size);
            if (full) sizes_[key] = size;
        }
        if (full) out.push_back({i, j});
    }
    std::sort(out.begin(), out.end());
    return out;
}

} // namespace orvane
