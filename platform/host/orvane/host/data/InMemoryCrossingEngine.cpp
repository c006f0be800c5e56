#include "orvane/host/data/InMemoryCrossingEngine.h"

#include "orvane/host/core/CLog.h"
#include "orvane/host/data/AbstractWhereClauseExpression.h"
#include "orvane/host/data/DataSet.h"
#include "orvane/host/data/RowBitmap.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numeric>

namespace orvane {

namespace {
constexpr const char* kSource = "InMemoryCrossingEngine";
constexpr double kMissing = std::numeric_limits<double>::quiet_NaN();
} // namespace

void InMemoryCrossingEngine::mapAxis(const std::vector<Leaf>& leaves, size_t rowCount, Chains& out) {
    out.of.assign(rowCount, -1);
    out.offsets.assign(1, 0);
    out.leaves.clear();
    std::map<const DataTreeNode*, int32_t> subtotalOf;
    int32_t total = -1, all = -1;
    bool anyMember = false;
    for (size_t i = 0; i < leaves.size(); ++i) {
        const auto& l = leaves[i];
        if (l.kind == LeafKind::SUBTOTAL && l.node) subtotalOf[l.node.get()] = static_cast<int32_t>(i);
        else if (l.kind == LeafKind::TOTAL && l.node) total = static_cast<int32_t>(i);
        else if (l.kind == LeafKind::ALL) all = static_cast<int32_t>(i);
        else if (l.kind == LeafKind::MEMBER && l.node) anyMember = true;
    }
    auto assign = [&](const std::vector<int32_t>* rows, std::initializer_list<int32_t> first,
                      const std::vector<int32_t>& more) {
        const auto id = static_cast<int32_t>(out.count());
        out.leaves.insert(out.leaves.end(), first);
        out.leaves.insert(out.leaves.end(), more.begin(), more.end());
        out.offsets.push_back(static_cast<int32_t>(out.leaves.size()));
        if (!rows) {
            std::fill(out.of.begin(), out.of.end(), id);
            return;
        }
        for (int32_t r : *rows)
            if (static_cast<size_t>(r) < rowCount) out.of[static_cast<size_t>(r)] = id;
    };
    if (all >= 0) {
        assign(nullptr, {all}, {});
        return;
    }
    if (!anyMember) {
        if (total >= 0) assign(&leaves[static_cast<size_t>(total)].node->getSourceRows(), {total}, {});
        return;
    }
    std::vector<int32_t> up;
    for (size_t i = 0; i < leaves.size(); ++i) {
        const auto& l = leaves[i];
        if (l.kind != LeafKind::MEMBER || !l.node) continue;
        up.clear();
        for (auto p = l.node->getParent(); p; p = p->getParent()) {
            auto it = subtotalOf.find(p.get());
            if (it != subtotalOf.end()) up.push_back(it->second);
        }
        if (total >= 0) up.push_back(total);
        assign(&l.node->getSourceRows(), {static_cast<int32_t>(i)}, up);
    }
}

void InMemoryCrossingEngine::invalidate() {
    haveLast_ = false;
    last_ = Query();
    lastAnswer_ = Answer();
    lastRowKeys_.clear();
    lastColumnKeys_.clear();
    columns_ = Chains();
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
        if (lastColumnKeys_[i] != std::make_pair(q.columnLeaves[i].kind, static_cast<const DataTreeNode*>(q.columnLeaves[i].node.get())))
            return false;
    return true;
}

bool InMemoryCrossingEngine::prepare(const Query& q, size_t rowCount, std::string& error) {
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
    mapAxis(q.columnLeaves, rowCount, columns_);
    if (q.filter) {
        RowBitmap in(rowCount);
        if (!q.data->evaluate(*q.filter, in, error)) return false;
        for (size_t r = 0; r < rowCount; ++r)
            if (!in.test(r)) columns_.of[r] = -1;
    }
    for (const auto& l : q.columnLeaves) lastColumnKeys_.emplace_back(l.kind, l.node.get());
    return true;
}

template <class ForEach>
void InMemoryCrossingEngine::aggregate(const Query& q, const Chains& rows, ForEach forEach, Answer& a) {
    const size_t Rc = rows.count(), Cc = columns_.count(), M = measures_.size(), C = a.columns;
    const size_t fine = Rc * Cc;
    // Pass 1: running sums and row counts per finest crossing.
    acc_.assign(fine * M, Aggregation::Accumulator());
    cellRows_.assign(fine, 0);
    cellLast_.assign(fine, -1);
    std::vector<size_t> streaming, gathering;
    for (size_t m = 0; m < M; ++m) (measures_[m].gather ? gathering : streaming).push_back(m);
    const int32_t* colOf = columns_.of.data();
    const size_t rowCount = columns_.of.size();
    forEach([&](int32_t r, int32_t rc) {
        if (static_cast<size_t>(r) >= rowCount) return;
        const int32_t cc = colOf[r];
        if (cc < 0) return;
        const size_t cell = static_cast<size_t>(rc) * Cc + static_cast<size_t>(cc);
        ++cellRows_[cell];
        cellLast_[cell] = r;
        Aggregation::Accumulator* acc = &acc_[cell * M];
        for (size_t m : streaming) acc[m].add(measures_[m].values[r]);
    });
    // Pass 2 (codes that need the values): the values grouped by finest crossing.
    if (!gathering.empty()) {
        offsets_.assign(fine + 1, 0);
        for (size_t c = 0; c < fine; ++c) offsets_[c + 1] = offsets_[c] + cellRows_[c];
        gathered_.resize(static_cast<size_t>(offsets_[fine]) * gathering.size());
        std::vector<uint32_t> fill(offsets_.begin(), offsets_.end() - 1);
        const size_t stride = offsets_[fine];
        forEach([&](int32_t r, int32_t rc) {
            if (static_cast<size_t>(r) >= rowCount) return;
            const int32_t cc = colOf[r];
            if (cc < 0) return;
            const size_t cell = static_cast<size_t>(rc) * Cc + static_cast<size_t>(cc);
            const uint32_t at = fill[cell]++;
            for (size_t g = 0; g < gathering.size(); ++g) gathered_[g * stride + at] = measures_[gathering[g]].values[r];
        });
    }
    // Every crossing from the finest crossings it covers.
    std::vector<Aggregation::Accumulator> out(static_cast<size_t>(a.rows) * C * M);
    std::vector<uint32_t> outRows(static_cast<size_t>(a.rows) * C, 0);
    std::vector<int32_t> outLast(static_cast<size_t>(a.rows) * C, -1);
    std::vector<uint8_t> touched(a.rows, 0);
    for (size_t i = 0; i < Rc; ++i) {
        for (size_t j = 0; j < Cc; ++j) {
            const size_t cell = i * Cc + j;
            if (!cellRows_[cell]) continue;
            for (int32_t ri = rows.offsets[i]; ri < rows.offsets[i + 1]; ++ri) {
                const auto rl = static_cast<size_t>(rows.leaves[static_cast<size_t>(ri)]);
                touched[rl] = 1;
                for (int32_t ci = columns_.offsets[j]; ci < columns_.offsets[j + 1]; ++ci) {
                    const auto cl = static_cast<size_t>(columns_.leaves[static_cast<size_t>(ci)]);
                    const size_t o = rl * C + cl;
                    outRows[o] += cellRows_[cell];
                    outLast[o] = cellLast_[cell];
                    for (size_t m : streaming) out[o * M + m].merge(acc_[cell * M + m]);
                }
            }
        }
    }
    for (size_t rl = 0; rl < a.rows; ++rl) {
        if (!touched[rl]) continue;
        for (size_t cl = 0; cl < C; ++cl) {
            const size_t o = rl * C + cl;
            a.sparse[o] = outRows[o] == 0;
            if (!outRows[o]) continue;
            double* v = &a.values[o * M];
            if (!q.aggregateData && outRows[o] == 1) {
                for (size_t m = 0; m < M; ++m) v[m] = measures_[m].values[outLast[o]];
                continue;
            }
            for (size_t m : streaming) v[m] = out[o * M + m].result(measures_[m].code);
        }
    }
    if (gathering.empty()) return;
    // The values of each crossing: its finest crossings' values, then the statistic.
    const size_t stride = offsets_[fine];
    std::vector<std::vector<std::pair<size_t, size_t>>> cover(static_cast<size_t>(a.rows) * C);
    for (size_t i = 0; i < Rc; ++i)
        for (size_t j = 0; j < Cc; ++j) {
            const size_t cell = i * Cc + j;
            if (!cellRows_[cell]) continue;
            for (int32_t ri = rows.offsets[i]; ri < rows.offsets[i + 1]; ++ri)
                for (int32_t ci = columns_.offsets[j]; ci < columns_.offsets[j + 1]; ++ci)
                    cover[static_cast<size_t>(rows.leaves[static_cast<size_t>(ri)]) * C +
                          static_cast<size_t>(columns_.leaves[static_cast<size_t>(ci)])]
                        .emplace_back(offsets_[cell], cellRows_[cell]);
        }
    for (size_t o = 0; o < cover.size(); ++o) {
        if (cover[o].empty() || (!q.aggregateData && outRows[o] == 1)) continue;
        for (size_t g = 0; g < gathering.size(); ++g) {
            scratch_.clear();
            for (const auto& [start, n] : cover[o])
                scratch_.insert(scratch_.end(), gathered_.begin() + static_cast<std::ptrdiff_t>(g * stride + start),
                                gathered_.begin() + static_cast<std::ptrdiff_t>(g * stride + start + n));
            a.values[o * M + gathering[g]] = Aggregation::compute(measures_[gathering[g]].code, scratch_.data(), scratch_.size());
        }
    }
}

bool InMemoryCrossingEngine::answer(const Query& q, Answer& result, std::string& error) {
    if (!q.data) {
        error = "no data set";
        return false;
    }
    const size_t rowCount = q.data->getRowCount();
    const bool reuse = sameShape(q);
    if (!reuse && !prepare(q, rowCount, error)) {
        invalidate();
        return false;
    }
    Answer a;
    a.rows = q.rowLeaves.size();
    a.columns = q.columnLeaves.size();
    a.measures = q.measures.size();
    a.values.assign(a.rows * a.columns * a.measures, kMissing);
    a.sparse.assign(a.rows * a.columns, 1);

    if (!reuse) {
        Chains rows;
        mapAxis(q.rowLeaves, rowCount, rows);
        const int32_t* of = rows.of.data();
        aggregate(q, rows, [&](auto&& visit) {
            for (size_t r = 0; r < rowCount; ++r)
                if (of[r] >= 0) visit(static_cast<int32_t>(r), of[r]);
        }, a);
        lastComputed_ = a.rows;
    } else {
        // Row leaves of a node already answered are copied (a member and its
        // subtotal cover the same rows); the others walk their own rows.
        std::map<const DataTreeNode*, size_t> previous;
        for (size_t i = 0; i < lastRowKeys_.size(); ++i) previous.emplace(lastRowKeys_[i], i);
        const size_t perRow = a.columns * a.measures;
        Chains fresh;
        fresh.offsets.assign(1, 0);
        std::vector<size_t> freshLeaves;
        for (size_t i = 0; i < q.rowLeaves.size(); ++i) {
            auto it = previous.find(q.rowLeaves[i].node.get());
            if (it != previous.end()) {
                std::copy_n(lastAnswer_.values.begin() + static_cast<std::ptrdiff_t>(it->second * perRow), perRow,
                            a.values.begin() + static_cast<std::ptrdiff_t>(i * perRow));
                std::copy_n(lastAnswer_.sparse.begin() + static_cast<std::ptrdiff_t>(it->second * a.columns),
                            a.columns, a.sparse.begin() + static_cast<std::ptrdiff_t>(i * a.columns));
                continue;
            }
            fresh.leaves.push_back(static_cast<int32_t>(i));
            fresh.offsets.push_back(static_cast<int32_t>(fresh.leaves.size()));
            freshLeaves.push_back(i);
        }
        lastComputed_ = freshLeaves.size();
        if (!freshLeaves.empty()) {
            // New members that share a parent (a member just expanded) are
            // found in one walk over the parent's ascending rows; any other
            // new leaf walks its own rows.
            std::map<const DataTreeNode*, std::vector<int32_t>> byParent;
            std::vector<size_t> alone;
            for (size_t k = 0; k < freshLeaves.size(); ++k) {
                const auto& leaf = q.rowLeaves[freshLeaves[k]];
                auto parent = leaf.node && leaf.kind == LeafKind::MEMBER ? leaf.node->getParent() : nullptr;
                if (!parent || parent->getChildIndexOfRows().size() != parent->getSourceRows().size()) {
                    alone.push_back(k);
                    continue;
                }
                auto& map = byParent[parent.get()];
                if (map.empty()) map.assign(parent->getChildCount(), -1);
                const auto& siblings = parent->getChildren();
                for (size_t c = 0; c < siblings.size(); ++c)
                    if (siblings[c] == leaf.node) map[c] = static_cast<int32_t>(k);
            }
            aggregate(q, fresh, [&](auto&& visit) {
                for (const auto& [parent, map] : byParent) {
                    const auto& rows = parent->getSourceRows();
                    const auto& child = parent->getChildIndexOfRows();
                    for (size_t i = 0; i < rows.size(); ++i) {
                        const int32_t k = map[child[i]];
                        if (k >= 0) visit(rows[i], k);
                    }
                }
                for (size_t k : alone) {
                    const auto& leaf = q.rowLeaves[freshLeaves[k]];
                    if (leaf.node) {
                        for (int32_t r : leaf.node->getSourceRows()) visit(r, static_cast<int32_t>(k));
                    } else {
                        for (size_t r = 0; r < rowCount; ++r) visit(static_cast<int32_t>(r), static_cast<int32_t>(k));
                    }
                }
            }, a);
        }
    }
    last_ = q;
    lastRowKeys_.clear();
    for (const auto& l : q.rowLeaves) lastRowKeys_.push_back(l.node.get());
    lastAnswer_ = a;
    haveLast_ = true;
    result = std::move(a);
    return true;
}

} // namespace orvane
