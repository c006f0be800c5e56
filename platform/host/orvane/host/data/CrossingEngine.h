// SPDX-License-Identifier: Apache-2.0
#pragma once
#include "orvane/host/HostExport.h"
#include "orvane/host/data/DataTreeNode.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace orvane {

class DataSet;
class AbstractWhereClauseExpression;
class Hierarchy;

/// Answers a crossing query: the measures of a data set aggregated over every
/// crossing of a row leaf with a column leaf, totals and subtotals included.
/// HierarchyDataSet asks it for the cells of a crosstab; the in-memory engine
/// (InMemoryCrossingEngine) is the first implementation.
///
/// The query names everything an engine needs without the data trees:
///  - per axis the hierarchy (its level names are source column names, its
///    current level index and drill path restrict every row of that axis), and
///    the ordered leaves; each leaf is
///      MEMBER   one member: the conditions level_0 = v_0 ... level_j = v_j
///               (DataTreeNode::getUniqueNodePath with each node's level name
///               and value, under the drill path);
///      SUBTOTAL the same conditions as a member, shown as its subtotal;
///      TOTAL    only the drill path's conditions;
///      ALL      no conditions (an axis without a hierarchy);
///  - the measures, each a column name and an aggregation code (Aggregation);
///  - an optional where-clause over the source rows.
/// The answer holds one value per (row leaf, column leaf, measure) and marks
/// the crossings that have no source row at all (sparse).
///
/// How an SQL engine answers it, for data larger than one machine's memory:
///   SELECT r_0 .. r_a, c_0 .. c_b, GROUPING(r_0) ..., GROUPING(c_0) ...,
///          agg_1(m_1) .. agg_k(m_k), COUNT(*) AS n
///   FROM source
///   WHERE <filter> AND <row drill path equalities> AND <column drill path equalities>
///   GROUP BY GROUPING SETS ( (r_0..r_i, c_0..c_j) for every depth i of a row
///                            leaf or subtotal and every depth j of a column
///                            leaf or subtotal, () standing for TOTAL )
/// where r_0.. are the row levels from the current level down to the deepest
/// expanded one (the same for columns). With totals and subtotals on both axes
/// and every member expanded this is GROUP BY ROLLUP(r...) x ROLLUP(c...).
/// Each result row is matched to the leaves by its grouping flags and values
/// (a collapsed member takes the row of its own depth, not deeper ones);
/// crossings without a result row are sparse. agg maps the codes to SUM,
/// COUNT, AVG, MIN, MAX, MEDIAN / QUANTILE_CONT(0.25|0.75), COUNT(DISTINCT),
/// STDDEV_SAMP, VAR_SAMP, SKEWNESS, KURTOSIS, COUNT(*) - COUNT(m), and SUM(m*m);
/// the t statistic and its p-value come from AVG, STDDEV_SAMP and COUNT.
/// Every aggregate is computed by the engine from source rows, so nothing
/// is derived from sub-aggregates there either.
class ORVANE_HOST_EXPORT CrossingEngine {
public:
    enum class LeafKind : uint8_t { MEMBER, SUBTOTAL, TOTAL, ALL };
    struct Leaf {
        LeafKind kind = LeafKind::ALL;
        /// MEMBER and SUBTOTAL: the member; TOTAL: the tree root; ALL: null.
        std::shared_ptr<DataTreeNode> node;
    };
    struct Measure {
        std::string column;
        int code = 0;
    };
    struct Query {
        std::shared_ptr<DataSet> data;
        std::shared_ptr<Hierarchy> rowHierarchy, columnHierarchy;   ///< null for an axis without one
        std::vector<Leaf> rowLeaves, columnLeaves;
        std::vector<Measure> measures;
        std::shared_ptr<AbstractWhereClauseExpression> filter;                      ///< null: every row
        /// False: a crossing with exactly one source row shows that row's value.
        bool aggregateData = true;
    };
    struct Answer {
        size_t rows = 0, columns = 0, measures = 0;
        std::vector<double> values;     ///< (row * columns + column) * measures + measure
        std::vector<uint8_t> sparse;    ///< row * columns + column
        double at(size_t r, size_t c, size_t m) const { return values[(r * columns + c) * measures + m]; }
        bool isSparse(size_t r, size_t c) const { return sparse[r * columns + c] != 0; }
    };

    virtual ~CrossingEngine() = default;
    /// False (with the reason) when the query cannot be answered.
    virtual bool answer(const Query& query, Answer& result, std::string& error) = 0;
};

} // namespace orvane
