#include "orvane/host/data/InMemoryCrossingEngine.h"

#include "orvane/host/core/CLog.h"
#include "orvane/host/data/DataSet.h"
#include "orvane/host/data/AbstractWhereClauseExpression.h"
#include "orvane/host/data/RowBitmap.h"
#include "orvane/host/data/Hierarchy.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numeric>

namespace orvane {

namespace {

constexpr const char* kSource = "InMemoryCrossingEngine";
constexpr double kMissing = std::numeric_limits<double>::quiet_NaN();

// The chains of leaves that contain each source row, for one axis.
void mapAxis(const std::vector<CrossingEngine::Leaf>& leaves, size_t rowCount, std::vector<int32_t>& chainOf,
             std::vector<std::vector<int32_t>>& chains) {
    using Kind = CrossingEngine::LeafKind;
    chainOf.assign(rowCount, -1);
    chains.clear();
    std::map<const DataTreeNode*, int32_t> subtotalOf;
    int32_t total = -1, all = -1;
    bool anyMember = false;
    for (size_t i = 0; i < leaves.size(); ++i) {
        const auto& l = leaves[i];
        if (l.kind == Kind::SUBTOTAL && l.node) subtotalOf[l.node.get()] = static_cast<int32_t>(i);
        else if (l.kind == Kind::TOTAL) total = static_cast<int32_t>(i);
        else if (l.kind == Kind::ALL) all = static_cast<int32_t>(i);
        else if (l.kind == Kind::MEMBER && l.node) anyMember = true;
    }
    auto assign = [&](const std::vector<int32_t>& rows, std::vector<int32_t> chain) {
        const auto id = static_cast<int32_t>(chains.size());
        chains.push_back(std::move(chain));
        for (int32_t r : rows)
            if (static_cast<size_t>(r) < rowCount) chainOf[static_cast<size_t>(r)] = id;
    };
    if (all >= 0) {
        std::vector<int32_t> rows(rowCount);
        std::iota(rows.begin(), rows.end(), 0);
        assign(rows, {all});
        return;
    }
    if (!anyMember) {
        if (total >= 0 && leaves[static_cast<size_t>(total)].node)
            assign(leaves[static_cast<size_t>(total)].node->getSourceRows(), {total});
        return;
    }
    for (size_t i = 0; i < leaves.size(); ++i) {
        const auto& l = leaves[i];
        if (l.kind != Kind::MEMBER || !l.node) continue;
        std::vector<int32_t> chain{static_cast<int32_t>(i)};
        for (auto p = l.node->getParent(); p; p = p->getParent()) {
            auto it = subtotalOf.find(p.get());
            if (it != subtotalOf.end()) chain.push_back(it->second);
        }
        if (total >= 0) chain.push_back(total);
        assign(l.node->getSourceRows(), std::move(chain));
    }
}

} // namespace

void InMemoryCrossingEngine::invalidate() {
    haveLast_ = false;
    last_ = Query();
    lastAnswer_ = Answer();
    columnChainOf_.clear();
    columnChains_.clear();
    measures_.clear();
}

bool InMemoryCrossingEngine::sameShape(const Query& q) const {
    if (!haveLast_ || q.data != last_.data || q.filter != last_.filter || q.aggregateData != last_.aggregateData ||
        q.rowHierarchy != last_.rowHierarchy || q.columnHierarchy != last_.columnHierarchy ||
        q.measures.size() != last_.measures.size() || q.columnLeaves.size() != lastColumnKeys_.size())
        return false;
    for (size_t i = 0; i < q.measures.size(); ++i)
        if (q.measures[i].column != last_.measures[i].column || q.measures[i].code != last_.measures[i].code)
            return false;
    for (size_t i = 0; i < q.columnLeaves.size(); ++i)
        if (!(LeafKey{q.columnLeaves[i].kind, q.columnLeaves[i].node.get()} == lastColumnKeys_[i])) return false;
    return true;
}

bool InMemoryCrossingEngine::answer(const Query& q, Answer& result, std::string& error) {
    if (!q.data) {
        error = "no data set";
        return false;
    }
    const size_t rowCount = q.data->getRowCount();
    const bool reuse = sameShape(q);
    if (!reuse) {
        invalidate();
        // Measures.
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
                // Text measures: the counts apply (distinct count by string);
                // any other statistic is missing.
                if (!Aggregation::isCount(m.code) &&
                    std::find(reported_.begin(), reported_.end(), m.column) == reported_.end()) {
                    reported_.push_back(m.column);
                    ORVANE_LOG(CLog::ERRORS, kSource,
                               "measure " + m.column + " holds text: only counts are computed for it");
                }
                const auto& codes = column->getCodes();
                const bool count = Aggregation::isCount(m.code);
                md.owned.resize(rowCount);
                for (size_t r = 0; r < rowCount; ++r)
                    md.owned[r] = codes[r] == 0 || !count ? kMissing : static_cast<double>(codes[r]);
                md.values = md.owned.data();
            }
            measures_.push_back(std::move(md));
        }
        if (!mapColumns(q, rowCount, error)) {
            invalidate();
            return false;
        }
        lastColumnKeys_.clear();
        for (const auto& l : q.columnLeaves) lastColumnKeys_.push_back({l.kind, l.node.get()});
    }

    Answer a;
    a.rows = q.rowLeaves.size();
    a.columns = q.columnLeaves.size();
    a.measures = q.measures.size();
    a.values.assign(a.rows * a.columns * a.measures, kMissing);
    a.sparse.assign(a.rows * a.columns, 1);

    std::map<LeafKey, size_t> previous;
    if (reuse)
        for (size_t i = 0; i < lastRowKeys_.size(); ++i) previous.emplace(lastRowKeys_[i], i);
    lastComputed_ = 0;
    const size_t cellsPerRow = a.columns * a.measures;
    for (size_t i = 0; i < q.rowLeaves.size(); ++i) {
        const auto& leaf = q.rowLeaves[i];
        auto it = previous.find(LeafKey{leaf.kind, leaf.node.get()});
        if (it != previous.end()) {
            std::copy_n(lastAnswer_.values.begin() + static_cast<std::ptrdiff_t>(it->second * cellsPerRow), cellsPerRow,
                        a.values.begin() + static_cast<std::ptrdiff_t>(i * cellsPerRow));
            std::copy_n(lastAnswer_.sparse.begin() + static_cast<std::ptrdiff_t>(it->second * a.columns), a.columns,
                        a.sparse.begin() + static_cast<std::ptrdiff_t>(i * a.columns));
            continue;
        }
        ++lastComputed_;
        if (leaf.kind == LeafKind::ALL || !leaf.node) {
            if (allRows_.size() != rowCount) {
                allRows_.resize(rowCount);
                std::iota(allRows_.begin(), allRows_.end(), 0);
            }
            computeRowLeaf(q, i, allRows_, a);
        } else {
            computeRowLeaf(q, i, leaf.node->getSourceRows(), a);
        }
    }

    last_ = q;
    lastRowKeys_.clear();
    for (const auto& l : q.rowLeaves) lastRowKeys_.push_back({l.kind, l.node.get()});
    lastAnswer_ = a;
    haveLast_ = true;
    result = std::move(a);
    return true;
}

bool InMemoryCrossingEngine::mapColumns(const Query& q, size_t rowCount, std::string& error) {
    mapAxis(q.columnLeaves, rowCount, columnChainOf_, columnChains_);
    if (!q.filter) return true;
    RowBitmap in(rowCount);
    if (!q.data->evaluate(*q.filter, in, error)) return false;
    for (size_t r = 0; r < rowCount; ++r)
        if (!in.test(r)) columnChainOf_[r] = -1;
    return true;
}

void InMemoryCrossingEngine::computeRowLeaf(const Query& q, size_t leafIndex, const std::vector<int32_t>& rows,
                                            Answer& a) {
    const size_t C = a.columns, M = a.measures;
    acc_.assign(C * M, Aggregation::Accumulator());
    cellRows_.assign(C, 0);
    cellLast_.assign(C, -1);
    const int32_t* chainOf = columnChainOf_.data();
    const size_t rowCount = columnChainOf_.size();
    bool anyGather = false;
    for (const auto& md : measures_) anyGather = anyGather || md.gather;
    for (int32_t r : rows) {
        if (static_cast<size_t>(r) >= rowCount) continue;
        const int32_t cc = chainOf[r];
        if (cc < 0) continue;
        for (int32_t cl : columnChains_[static_cast<size_t>(cc)]) {
            ++cellRows_[static_cast<size_t>(cl)];
            cellLast_[static_cast<size_t>(cl)] = r;
            Aggregation::Accumulator* acc = &acc_[static_cast<size_t>(cl) * M];
            for (size_t m = 0; m < M; ++m)
                if (!measures_[m].gather) acc[m].add(measures_[m].values[r]);
        }
    }
    double* out = a.values.data() + leafIndex * C * M;
    uint8_t* sparse = a.sparse.data() + leafIndex * C;
    for (size_t c = 0; c < C; ++c) {
        sparse[c] = cellRows_[c] == 0 ? 1 : 0;
        if (!cellRows_[c]) continue;
        for (size_t m = 0; m < M; ++m) {
            if (!q.aggregateData && cellRows_[c] == 1) {
                out[c * M + m] = measures_[m].values[cellLast_[c]];
                continue;
            }
            if (!measures_[m].gather) out[c * M + m] = acc_[c * M + m].result(measures_[m].code);
        }
    }
    if (!anyGather) return;
    // Gather the values of each crossing: offsets by column leaf, then one
    // pass per measure.
    offsets_.assign(C + 1, 0);
    for (size_t c = 0; c < C; ++c) offsets_[c + 1] = offsets_[c] + cellRows_[c];
    gathered_.resize(offsets_[C]);
    std::vector<uint32_t> fill(C);
    for (size_t m = 0; m < M; ++m) {
        if (!measures_[m].gather) continue;
        std::copy(offsets_.begin(), offsets_.end() - 1, fill.begin());
        const double* x = measures_[m].values;
        for (int32_t r : rows) {
            if (static_cast<size_t>(r) >= rowCount) continue;
            const int32_t cc = chainOf[r];
            if (cc < 0) continue;
            for (int32_t cl : columnChains_[static_cast<size_t>(cc)]) gathered_[fill[static_cast<size_t>(cl)]++] = x[r];
        }
        for (size_t c = 0; c < C; ++c) {
            if (!cellRows_[c] || (!q.aggregateData && cellRows_[c] == 1)) continue;
            out[c * M + m] = Aggregation::compute(measures_[m].code, gathered_.data() + offsets_[c], cellRows_[c]);
        }
    }
}

} // namespace orvane
