#pragma once
#include "orvane/host/data/Aggregation.h"
#include "orvane/host/data/CrossingEngine.h"

#include <map>
#include <memory>
#include <string>
#include <vector>

namespace orvane {

class Column;

// The in-memory CrossingEngine. Each source row belongs to exactly one finest
// leaf per axis (a shown member, or the total or the all-rows leaf when an
// axis has no member), and every other leaf containing it (the subtotals of
// the member's ancestors, the total) is found through that finest leaf's
// chain. One pass over the rows groups them by finest crossing:
//  - sums, counts, means, minima and maxima keep running sums per finest
//    crossing (compensated sums, counts, minimum, maximum, missing count) and
//    each crossing, subtotal or total, adds up the running sums of the finest
//    crossings it covers: a crossing's figure depends only on the values of
//    its own source rows, never on another crossing's figure (a total of
//    means is its rows' sum over its rows' count, not a mean of means);
//  - every other code (median, quartiles, distinct count, moments, t, p)
//    gathers the values of all source rows of the crossing and computes the
//    statistic over them.
//
// The last answer is kept: when a query differs from the previous one only in
// its row leaves (a member expanded or collapsed), the crossings of row
// leaves whose node was already answered (a collapsed member and its subtotal
// cover the same rows) are copied and only the new row leaves walk their
// rows. invalidate() drops the kept answer (the data changed).
class InMemoryCrossingEngine : public CrossingEngine {
public:
    bool answer(const Query& query, Answer& result, std::string& error) override;
    void invalidate();
    // How many row leaves the last answer computed (the others were reused).
    size_t getLastComputedRowLeafCount() const { return lastComputed_; }

private:
    struct MeasureData {
        const double* values = nullptr;
        std::vector<double> owned;   // text measures: code per row, NaN for missing
        int code = 0;
        bool gather = false;
    };
    struct Chains {
        std::vector<int32_t> of;          // per source row: its finest leaf's chain, -1 outside
        std::vector<int32_t> offsets;     // chain c: leaves[offsets[c] .. offsets[c + 1])
        std::vector<int32_t> leaves;
        size_t count() const { return offsets.empty() ? 0 : offsets.size() - 1; }
    };
    static void mapAxis(const std::vector<Leaf>& leaves, size_t rowCount, Chains& out);
    bool prepare(const Query& query, size_t rowCount, std::string& error);
    bool sameShape(const Query& query) const;
    // Aggregates the rows given by forEach (which calls visit(row, rowChain))
    // over rowChainCount row chains into the answer's rows.
    template <class ForEach>
    void aggregate(const Query& q, const Chains& rowChains, ForEach forEach, Answer& a);

    // Kept between answers.
    Query last_;
    std::vector<const DataTreeNode*> lastRowKeys_;
    std::vector<std::pair<LeafKind, const DataTreeNode*>> lastColumnKeys_;
    Answer lastAnswer_;
    bool haveLast_ = false;
    Chains columns_;
    std::vector<MeasureData> measures_;
    size_t lastComputed_ = 0;
    std::vector<std::string> reported_;

    // Scratch.
    std::vector<Aggregation::Accumulator> acc_;
    std::vector<uint32_t> cellRows_;
    std::vector<int32_t> cellLast_;
    std::vector<uint32_t> offsets_;
    std::vector<double> gathered_, scratch_;
};

} // namespace orvane
