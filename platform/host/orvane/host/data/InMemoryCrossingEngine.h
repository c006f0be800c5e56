// SPDX-License-Identifier: Apache-2.0
#pragma once
#include "orvane/host/HostExport.h"
#include "orvane/host/data/Aggregation.h"
#include "orvane/host/data/CrossingEngine.h"

#include <memory>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

namespace orvane {

class Column;

/// The in-memory CrossingEngine.
///
/// The deepest nodes of each axis' data tree (its members without children)
/// split the source rows; in depth-first order, the deepest nodes under any
/// node form one contiguous range, so every leaf (member, subtotal or total)
/// is a range of deepest nodes on its axis, and every crossing a rectangle of
/// finest crossings (deepest row node x deepest column node).
///
/// One pass over the source rows groups them by finest crossing:
///  - sums, counts, means, minima and maxima keep running sums per finest
///    crossing (compensated sum, count, minimum, maximum, missing count) and a
///    crossing adds up the running sums of the finest crossings it covers. Its
///    figure depends only on the values of its own source rows, never on
///    another crossing's figure: a total of means is its rows' sum over its
///    rows' count, not a mean of means;
///  - every other code (median, quartiles, distinct count, moments, t, p)
///    gathers the values of all source rows of the crossing (contiguous
///    blocks, the finest crossings being laid out column by column) and
///    computes the statistic over them.
///
/// The grouped rows are kept while the data, the filter, the measures and the
/// two trees stay the same, so expanding or collapsing a member (on either
/// axis) visits no source row again, and crossings of leaves answered
/// before (by node: a collapsed member and its subtotal cover the same rows)
/// are copied: only the crossings of the leaves an expand added are
/// computed. invalidate() drops everything (the data changed).
class ORVANE_HOST_EXPORT InMemoryCrossingEngine : public CrossingEngine {
public:
    bool answer(const Query& query, Answer& result, std::string& error) override;
    void invalidate();
    /// How many row leaves the last answer computed (the others were reused).
    size_t getLastComputedRowLeafCount() const { return lastComputed_; }
    /// How many crossings the last answer computed (the others were copied).
    size_t getLastComputedCellCount() const { return lastComputedCells_; }
    /// How many times the source rows were grouped since construction.
    size_t getPassCount() const { return passes_; }

private:
    struct MeasureData {
        const double* values = nullptr;
        std::vector<double> owned;   ///< text measures: code per row, NaN for missing
        int code = 0;
        bool gather = false;
    };
    struct Axis {
        const DataTreeNode* root = nullptr;
        std::vector<int32_t> fineOf;   ///< per source row: its deepest node, -1 outside
        size_t fineCount = 0;
        std::unordered_map<const DataTreeNode*, std::pair<int32_t, int32_t>> ranges;
        bool build(const std::vector<Leaf>& leaves, size_t rowCount);
        std::pair<int32_t, int32_t> rangeOf(const Leaf& leaf) const;
    };
    bool sameGrouping(const Query& query) const;
    bool group(const Query& query, size_t rowCount, std::string& error);
    void computeRow(const Query& query, size_t rowLeaf, Answer& a);
    void computeCell(const Query& query, size_t rowLeaf, size_t columnLeaf, Answer& a);

    /// Kept between answers: the grouping.
    Query last_;
    Axis rows_, columns_;
    std::vector<MeasureData> measures_;
    std::vector<size_t> streaming_, gathering_;
    std::vector<Aggregation::Accumulator> acc_;   ///< (cf * Rf + rf) * M + m
    std::vector<uint32_t> cellRows_;
    std::vector<int32_t> cellLast_;
    std::vector<uint32_t> offsets_;
    std::vector<double> gathered_;                ///< per gathered measure, stride offsets_.back()
    bool grouped_ = false;
    /// Kept between answers: the last answer.
    std::vector<const DataTreeNode*> lastRowKeys_;
    std::vector<std::pair<LeafKind, const DataTreeNode*>> lastColumnKeys_;
    Answer lastAnswer_;
    bool haveLast_ = false;

    size_t lastComputed_ = 0;
    size_t lastComputedCells_ = 0;
    size_t passes_ = 0;
    std::vector<std::string> reported_;
    std::vector<double> scratch_;
    /// Distinct counts: each gathered value is replaced by a dense id of its
    /// value (-1 for missing), counted with a stamp per id.
    std::vector<uint8_t> distinctIds_;   ///< per gathered measure: values are ids
    std::vector<uint32_t> stamp_;
    uint32_t stampValue_ = 0;
    std::vector<Aggregation::Accumulator> cellAcc_;
};

} // namespace orvane
