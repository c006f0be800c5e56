// SPDX-License-Identifier: Apache-2.0
#include "orvane/host/data/InMemoryCrossingEngine.h"

#include "orvane/host/core/CLog.h"
#include "orvane/host/data/AbstractWhereClauseExpression.h"
#include "orvane/host/data/DataSet.h"
#include "orvane/host/data/RowBitmap.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <unordered_map>

namespace orvane {

namespace {
constexpr const char* kSource = "InMemoryCrossingEngine";
constexpr double kMissing = std::numeric_limits<double>::quiet_NaN();

const DataTreeNode* rootOf(const std::vector<CrossingEngine::Leaf>& leaves) {
    for (const auto& l : leaves) {
        if (!l.node) continue;
        const DataTreeNode* n = l.node.get();
        std::shared_ptr<DataTreeNode> p;
        std::shared_ptr<DataTreeNode> keep;
        while ((p = n->getParent())) {
            keep = p;
            n = keep.get();
        }
        // keep holds the root alive only here; the leaves keep it alive for the caller.
        return n;
    }
    return nullptr;
}

// Replaces each value by a dense id (equal values, +0 and -0 included, share
// one), missing values by -1; returns the number of ids. Whole numbers over a
// span not much larger than the count (codes, quantities, years) take their
// distance from the smallest as id, without hashing.
size_t denseIds(double* v, size_t n) {
    double lo = std::numeric_limits<double>::infinity(), hi = -lo;
    bool whole = true;
    for (size_t i = 0; i < n && whole; ++i) {
        if (std::isnan(v[i])) continue;
        whole = std::isfinite(v[i]) && v[i] == std::floor(v[i]);
        lo = std::min(lo, v[i]);
        hi = std::max(hi, v[i]);
    }
    if (whole && lo <= hi && hi - lo < static_cast<double>(std::max<size_t>(n, 1024)) * 4) {
        for (size_t i = 0; i < n; ++i) v[i] = std::isnan(v[i]) ? -1 : v[i] - lo;
        return static_cast<size_t>(hi - lo) + 1;
    }
    if (whole && lo > hi) {   // nothing but missing values
        std::fill(v, v + n, -1.0);
        return 0;
    }
    std::unordered_map<double, uint32_t> ids;
    ids.reserve(1024);
    for (size_t i = 0; i < n; ++i) {
        if (std::isnan(v[i])) {
            v[i] = -1;
            continue;
        }
        auto [it, added] = ids.emplace(v[i] == 0 ? 0.0 : v[i], static_cast<uint32_t>(ids.size()));
        v[i] = static_cast<double>(it->second);
    }
    return ids.size();
}
} // namespace

bool InMemoryCrossingEngine::Axis::build(const std::vector<Leaf>& leaves, size_t rowCount) {
    root = rootOf(leaves);
    ranges.clear();
    fineOf.assign(rowCount, -1);
    if (!root) {
        // No tree: one finest group of every row.
        std::fill(fineOf.begin(), fineOf.end(), 0);
        fineCount = 1;
        return true;
    }
    // Depth first: each node's range of deepest nodes.
    int32_t next = 0;
    struct Frame {
        const DataTreeNode* node;
        size_t child;
        int32_t start;
    };
    std::vector<Frame> stack{{root, 0, 0}};
    while (!stack.empty()) {
        Frame& f = stack.back();
        const auto& children = f.node->getChildren();
        if (children.empty()) {
            for (int32_t r : f.node->getSourceRows())
                if (static_cast<size_t>(r) < rowCount) fineOf[static_cast<size_t>(r)] = next;
            ranges[f.node] = {next, next + 1};
            ++next;
            stack.pop_back();
            continue;
        }
        if (f.child == 0 && f.start == 0) f.start = next;
        if (f.child < children.size()) {
            const DataTreeNode* c = children[f.child++].get();
            stack.push_back({c, 0, 0});
            continue;
        }
        ranges[f.node] = {f.start, next};
        stack.pop_back();
    }
    fineCount = static_cast<size_t>(next);
    return true;
}

std::pair<int32_t, int32_t> InMemoryCrossingEngine::Axis::rangeOf(const Leaf& leaf) const {
    if (!root || leaf.kind == LeafKind::ALL || !leaf.node) return {0, static_cast<int32_t>(fineCount)};
    auto it = ranges.find(leaf.node.get());
    return it == ranges.end() ? std::make_pair(0, 0) : it->second;
}

void InMemoryCrossingEngine::invalidate() {
    grouped_ = false;
    haveLast_ = false;
    last_ = Query();
    lastAnswer_ = Answer();
    lastRowKeys_.clear();
    lastColumnKeys_.clear();
    rows_ = Axis();
    columns_ = Axis();
    measures_.clear();
    acc_.clear();
    gathered_.clear();
}

bool InMemoryCrossingEngine::sameGrouping(const Query& q) const {
    if (!grouped_ || q.data != last_.data || q.filter != last_.filter || q.aggregateData != last_.aggregateData ||
        q.measures.size() != last_.measures.size() || rootOf(q.rowLeaves) != rows_.root ||
        rootOf(q.columnLeaves) != columns_.root)
        return false;
    for (size_t i = 0; i < q.measures.size(); ++i)
        if (q.measures[i].column != last_.measures[i].column || q.measures[i].code != last_.measures[i].code)
            return false;
    return true;
}

bool InMemoryCrossingEngine::group(const Query& q, size_t rowCount, std::string& error) {
    invalidate();
    for (const auto& m : q.measures) {
        auto column = q.data->getColumnWithName(m.column);
        if (!column) {
            error = "no measure column named " + m.column;
            return false;
        }
        MeasureData md;
        md.code = m.code;
        md.gather = Aggregation::needsValues(m.code);
        if (column->isNumeric()) {
            md.values = column->getNumbers().data();
        } else {
            // Text measures: the counts apply (distinct count by string); any
            // other statistic is missing.
            const bool count = Aggregation::isCount(m.code);
            if (!count && std::find(reported_.begin(), reported_.end(), m.column) == reported_.end()) {
                reported_.push_back(m.column);
                ORVANE_LOG(CLog::ERRORS, kSource, "measure " + m.column + " holds text: only counts are computed for it");
            }
            const auto& codes = column->getCodes();
            md.owned.resize(rowCount);
            for (size_t r = 0; r < rowCount; ++r)
                md.owned[r] = codes[r] == 0 || !count ? kMissing : static_cast<double>(codes[r]);
            md.values = md.owned.data();
        }
        measures_.push_back(std::move(md));
    }
    streaming_.clear();
    gathering_.clear();
    for (size_t m = 0; m < measures_.size(); ++m) (measures_[m].gather ? gathering_ : streaming_).push_back(m);
    rows_.build(q.rowLeaves, rowCount);
    columns_.build(q.columnLeaves, rowCount);
    if (q.filter) {
        RowBitmap in(rowCount);
        if (!q.data->evaluate(*q.filter, in, error)) return false;
        for (size_t r = 0; r < rowCount; ++r)
            if (!in.test(r)) columns_.fineOf[r] = -1;
    }
    // One pass: running sums and row counts per finest crossing, laid out
    // column by column.
    const size_t Rf = rows_.fineCount, Cf = columns_.fineCount, M = measures_.size();
    const size_t fine = Rf * Cf;
    acc_.assign(fine * M, Aggregation::Accumulator());
    cellRows_.assign(fine, 0);
    cellLast_.assign(fine, -1);
    const int32_t* rf = rows_.fineOf.data();
    const int32_t* cf = columns_.fineOf.data();
    for (size_t r = 0; r < rowCount; ++r) {
        if (rf[r] < 0 || cf[r] < 0) continue;
        const size_t cell = static_cast<size_t>(cf[r]) * Rf + static_cast<size_t>(rf[r]);
        ++cellRows_[cell];
        cellLast_[cell] = static_cast<int32_t>(r);
        Aggregation::Accumulator* acc = &acc_[cell * M];
        for (size_t m : streaming_) acc[m].add(measures_[m].values[r]);
    }
    // Codes that need the values: the values grouped by finest crossing.
    if (!gathering_.empty()) {
        offsets_.assign(fine + 1, 0);
        for (size_t c = 0; c < fine; ++c) offsets_[c + 1] = offsets_[c] + cellRows_[c];
        const size_t stride = offsets_[fine];
        gathered_.resize(stride * gathering_.size());
        std::vector<uint32_t> fill(offsets_.begin(), offsets_.end() - 1);
        for (size_t r = 0; r < rowCount; ++r) {
            if (rf[r] < 0 || cf[r] < 0) continue;
            const uint32_t at = fill[static_cast<size_t>(cf[r]) * Rf + static_cast<size_t>(rf[r])]++;
            for (size_t g = 0; g < gathering_.size(); ++g) gathered_[g * stride + at] = measures_[gathering_[g]].values[r];
        }
    }
    // Distinct counts work on dense ids of the values.
    distinctIds_.assign(gathering_.size(), 0);
    size_t maxIds = 0;
    if (!gathering_.empty()) {
        const size_t stride = offsets_[fine];
        for (size_t g = 0; g < gathering_.size(); ++g) {
            if (measures_[gathering_[g]].code != Aggregation::DISTINCT) continue;
            double* v = gathered_.data() + g * stride;
            distinctIds_[g] = 1;
            maxIds = std::max(maxIds, denseIds(v, stride));
        }
    }
    stamp_.assign(maxIds, 0);
    stampValue_ = 0;
    grouped_ = true;
    ++passes_;
    return true;
}

void InMemoryCrossingEngine::computeRow(const Query& q, size_t rl, Answer& a) {
    for (size_t cl = 0; cl < a.columns; ++cl) computeCell(q, rl, cl, a);
}

void InMemoryCrossingEngine::computeCell(const Query& q, size_t rl, size_t cl, Answer& a) {
    const size_t C = a.columns, M = a.measures, Rf = rows_.fineCount;
    const auto [rlo, rhi] = rows_.rangeOf(q.rowLeaves[rl]);
    ++lastComputedCells_;
    {
        const auto [clo, chi] = columns_.rangeOf(q.columnLeaves[cl]);
        cellAcc_.assign(M, Aggregation::Accumulator());
        uint64_t n = 0;
        int32_t lastRow = -1;
        for (int32_t cf = clo; cf < chi; ++cf) {
            const size_t base = static_cast<size_t>(cf) * Rf;
            for (int32_t rf = rlo; rf < rhi; ++rf) {
                const size_t cell = base + static_cast<size_t>(rf);
                if (!cellRows_[cell]) continue;
                n += cellRows_[cell];
                lastRow = cellLast_[cell];
                for (size_t m : streaming_) cellAcc_[m].merge(acc_[cell * M + m]);
            }
        }
        const size_t o = rl * C + cl;
        a.sparse[o] = n == 0;
        if (!n) return;
        double* v = &a.values[o * M];
        if (!q.aggregateData && n == 1) {
            for (size_t m = 0; m < M; ++m) v[m] = measures_[m].values[lastRow];
            return;
        }
        for (size_t m : streaming_) v[m] = cellAcc_[m].result(measures_[m].code);
        if (gathering_.empty()) return;
        const size_t stride = offsets_.back();
        for (size_t g = 0; g < gathering_.size(); ++g) {
            if (distinctIds_[g]) {
                if (++stampValue_ == 0) {
                    std::fill(stamp_.begin(), stamp_.end(), 0);
                    stampValue_ = 1;
                }
                uint64_t distinct = 0;
                for (int32_t cf = clo; cf < chi; ++cf) {
                    const size_t base = static_cast<size_t>(cf) * Rf;
                    const double* p = gathered_.data() + g * stride;
                    for (uint32_t i = offsets_[base + static_cast<size_t>(rlo)]; i < offsets_[base + static_cast<size_t>(rhi)]; ++i) {
                        if (p[i] < 0) continue;
                        uint32_t& s = stamp_[static_cast<size_t>(p[i])];
                        if (s != stampValue_) {
                            s = stampValue_;
                            ++distinct;
                        }
                    }
                }
                v[gathering_[g]] = static_cast<double>(distinct);
                continue;
            }
            scratch_.clear();
            for (int32_t cf = clo; cf < chi; ++cf) {
                const size_t base = static_cast<size_t>(cf) * Rf;
                const auto from = static_cast<std::ptrdiff_t>(g * stride + offsets_[base + static_cast<size_t>(rlo)]);
                const auto to = static_cast<std::ptrdiff_t>(g * stride + offsets_[base + static_cast<size_t>(rhi)]);
                scratch_.insert(scratch_.end(), gathered_.begin() + from, gathered_.begin() + to);
            }
            v[gathering_[g]] = Aggregation::compute(measures_[gathering_[g]].code, scratch_.data(), scratch_.size());
        }
    }
}

bool InMemoryCrossingEngine::answer(const Query& q, Answer& result, std::string& error) {
    if (!q.data) {
        error = "no data set";
        return false;
    }
    const size_t rowCount = q.data->getRowCount();
    const bool regrouped = !sameGrouping(q);
    if (regrouped && !group(q, rowCount, error)) {
        invalidate();
        return false;
    }
    Answer a;
    a.rows = q.rowLeaves.size();
    a.columns = q.columnLeaves.size();
    a.measures = q.measures.size();
    a.values.assign(a.rows * a.columns * a.measures, kMissing);
    a.sparse.assign(a.rows * a.columns, 1);

    // Crossings answered before are copied: a leaf is known by its node (a
    // collapsed member and its subtotal cover the same rows), so expanding
    // or collapsing a member on either axis computes only the crossings of
    // the leaves it added.
    std::unordered_map<const DataTreeNode*, size_t> previousRow, previousColumn;
    if (haveLast_ && !regrouped) {
        for (size_t i = 0; i < lastRowKeys_.size(); ++i) previousRow.emplace(lastRowKeys_[i], i);
        for (size_t i = 0; i < lastColumnKeys_.size(); ++i) previousColumn.emplace(lastColumnKeys_[i].second, i);
    }
    std::vector<int64_t> columnFrom(a.columns, -1);
    bool sameColumns = haveLast_ && !regrouped && a.columns == lastAnswer_.columns;
    for (size_t j = 0; j < a.columns; ++j) {
        auto it = previousColumn.find(q.columnLeaves[j].node.get());
        if (it != previousColumn.end()) columnFrom[j] = static_cast<int64_t>(it->second);
        sameColumns = sameColumns && columnFrom[j] == static_cast<int64_t>(j);
    }
    const size_t perRow = a.columns * a.measures, M = a.measures;
    lastComputed_ = 0;
    lastComputedCells_ = 0;
    for (size_t i = 0; i < a.rows; ++i) {
        auto it = previousRow.find(q.rowLeaves[i].node.get());
        if (it == previousRow.end()) {
            ++lastComputed_;
            computeRow(q, i, a);
            continue;
        }
        const size_t from = it->second;
        if (sameColumns) {
            std::copy_n(lastAnswer_.values.begin() + static_cast<std::ptrdiff_t>(from * perRow), perRow,
                        a.values.begin() + static_cast<std::ptrdiff_t>(i * perRow));
            std::copy_n(lastAnswer_.sparse.begin() + static_cast<std::ptrdiff_t>(from * a.columns), a.columns,
                        a.sparse.begin() + static_cast<std::ptrdiff_t>(i * a.columns));
            continue;
        }
        for (size_t j = 0; j < a.columns; ++j) {
            if (columnFrom[j] < 0) {
                computeCell(q, i, j, a);
                continue;
            }
            const size_t src = from * lastAnswer_.columns + static_cast<size_t>(columnFrom[j]);
            std::copy_n(lastAnswer_.values.begin() + static_cast<std::ptrdiff_t>(src * M), M,
                        a.values.begin() + static_cast<std::ptrdiff_t>((i * a.columns + j) * M));
            a.sparse[i * a.columns + j] = lastAnswer_.sparse[src];
        }
    }
    last_ = q;
    lastRowKeys_.clear();
    for (const auto& l : q.rowLeaves) lastRowKeys_.push_back(l.node.get());
    lastColumnKeys_.clear();
    for (const auto& l : q.columnLeaves) lastColumnKeys_.emplace_back(l.kind, l.node.get());
    lastAnswer_ = a;
    haveLast_ = true;
    result = std::move(a);
    return true;
}

} // namespace orvane
