#pragma once
#include "orvane/host/data/Aggregation.h"
#include "orvane/host/data/CrossingEngine.h"

#include <map>
#include <memory>
#include <string>
#include <vector>

namespace orvane {

class Column;

// The in-memory CrossingEngine: every crossing is aggregated from the source
// rows it covers. Each source row is mapped once to the chain of column
// leaves that contain it (its member leaf, the subtotals of the member's
// ancestors, the total); then every row leaf walks its own source rows and
// adds each row to the crossings of that chain. Running sums serve sums,
// counts, means, minima and maxima; the other codes gather the values of
// each crossing (a counting sort by column leaf) and compute the statistic
// over them.
//
// The last answer is kept: when a query differs from the previous one only in
// its row leaves (a member expanded or collapsed), the crossings of row
// leaves already answered are copied and only the new row leaves walk their
// rows. invalidate() drops the kept answer (the data changed).
class InMemoryCrossingEngine : public CrossingEngine {
public:
    bool answer(const Query& query, Answer& result, std::string& error) override;
    void invalidate();
    // How many row leaves the last answer computed (the others were reused).
    size_t getLastComputedRowLeafCount() const { return lastComputed_; }

private:
    struct LeafKey {
        LeafKind kind;
        const DataTreeNode* node;
        bool operator<(const LeafKey& o) const { return kind != o.kind ? kind < o.kind : node < o.node; }
        bool operator==(const LeafKey& o) const { return kind == o.kind && node == o.node; }
    };
    struct MeasureData {
        const double* values = nullptr;
        std::vector<double> owned;   // text measures: code per row, NaN for missing
        int code = 0;
        bool gather = false;
    };
    bool sameShape(const Query& query) const;
    bool mapColumns(const Query& query, size_t rowCount, std::string& error);
    void computeRowLeaf(const Query& query, size_t leafIndex, const std::vector<int32_t>& rows, Answer& result);

    // Kept between answers.
    Query last_;
    std::vector<LeafKey> lastRowKeys_;
    std::vector<LeafKey> lastColumnKeys_;
    Answer lastAnswer_;
    bool haveLast_ = false;
    std::vector<int32_t> columnChainOf_;
    std::vector<std::vector<int32_t>> columnChains_;
    std::vector<MeasureData> measures_;
    size_t lastComputed_ = 0;
    std::vector<std::string> reported_;

    // Scratch for one row leaf.
    std::vector<Aggregation::Accumulator> acc_;
    std::vector<uint32_t> cellRows_;
    std::vector<int32_t> cellLast_;
    std::vector<uint32_t> offsets_;
    std::vector<double> gathered_;
    std::vector<int32_t> allRows_;
};

} // namespace orvane
