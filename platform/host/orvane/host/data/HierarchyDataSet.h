// SPDX-License-Identifier: Apache-2.0
#pragma once
#include "orvane/host/HostExport.h"
#include "orvane/host/core/EventDispatcher.h"
#include "orvane/host/data/CrossingEngine.h"
#include "orvane/host/data/DataSet.h"
#include "orvane/host/data/DataTreeSortContext.h"
#include "orvane/host/data/Hierarchy.h"

#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace orvane {

class AbstractEventCallback;

/// A flat data set with hierarchies over its columns and the measures to
/// aggregate: builds the hierarchies' data trees and normalises crossings of a
/// row and a column hierarchy into a data set of cells (one row per row leaf,
/// one column per column leaf and measure), totals and subtotals included. The
/// aggregation itself is the crossing engine's (in memory unless another one is
/// set).
class ORVANE_HOST_EXPORT HierarchyDataSet : public EventDispatcher, public virtual Wrappable {
public:
    static constexpr int WRAPPER_TYPE_ID = 77;
    int getWrapperTypeId() const override { return WRAPPER_TYPE_ID; }

    HierarchyDataSet();
    ~HierarchyDataSet() override;
    /// Builds the data trees when a data set is given.
    static std::shared_ptr<HierarchyDataSet> create(const std::shared_ptr<DataSet>& dataSet,
                                                    std::vector<std::shared_ptr<Hierarchy>> hierarchies,
                                                    std::vector<std::string> measureNames);

    const std::shared_ptr<DataSet>& getDataSet() const { return dataSet_; }
    /// Rebuilds the data trees from the data set (fresh expand state and drill;
    /// hierarchies and level flags stay). aggregateData false lets a crossing
    /// with exactly one source row show that row's value.
    void setDataSet(const std::shared_ptr<DataSet>& dataSet, bool aggregateData = true, bool notify = true);
    bool getAggregateData() const { return aggregateData_; }
    const std::vector<std::shared_ptr<Hierarchy>>& getHierarchies() const { return hierarchies_; }
    const std::vector<std::string>& getMeasureNames() const { return measureNames_; }
    /// Aggregation codes per measure name, overriding the column's own code
    /// (-1 keeps the column's).
    void setMeasureAggregations(std::vector<int> codes) { measureCodes_ = std::move(codes); }
    /// Null for an unknown name.
    std::shared_ptr<Hierarchy> getHierarchyForName(std::string_view name) const;

    void setCrosstabDataSet(bool crosstab) { crosstab_ = crosstab; }
    bool isCrosstabDataSet() const { return crosstab_; }
    void setSuppressMeasureSubtotalColumnNames(std::vector<std::string> names) { suppressSubtotal_ = std::move(names); }
    void setSuppressMeasureTotalColumnNames(std::vector<std::string> names) { suppressTotal_ = std::move(names); }
    const std::vector<std::string>& getSuppressMeasureSubtotalColumnNames() const { return suppressSubtotal_; }
    const std::vector<std::string>& getSuppressMeasureTotalColumnNames() const { return suppressTotal_; }

    void setCrossingEngine(std::shared_ptr<CrossingEngine> engine);
    const std::shared_ptr<CrossingEngine>& getCrossingEngine() const { return engine_; }

    /// The leaves of an axis in display order: the grand total (governed by the
    /// current level's omit flag) before or after the walk, and in the walk the
    /// subtotal of an expanded member (governed by the level below it) before
    /// or after its members; a collapsed member or one without children is a
    /// leaf. Without a hierarchy (or tree): one ALL leaf. Children follow the
    /// sort context (std::out_of_range for an index outside the children).
    static std::vector<CrossingEngine::Leaf> getLeaves(const std::shared_ptr<Hierarchy>& hierarchy, bool summaryOnTop,
                                                       const DataTreeSortContext* sortContext);

    /// The cells of the crossings: one row per row leaf, one column per column
    /// leaf and measure (named uniquely, labelled with the measure label,
    /// measure data usage, the measure's format and measure name, suppressed
    /// under total or subtotal leaves for the suppressed measure names). A
    /// crossing without source rows is sparse. Null without a data set,
    /// measures or leaves, or when the engine fails (logged).
    std::shared_ptr<DataSet> getNormalizedCrossings(const std::shared_ptr<Hierarchy>& rowHierarchy,
                                                    const std::shared_ptr<Hierarchy>& columnHierarchy,
                                                    bool summaryOnTop, bool showMissingLabelAsBlank,
                                                    const std::shared_ptr<DataTreeSortContext>& sortContext,
                                                    bool includeSparse = true);
    /// The text of a leaf: the member's, "Total", or "<member> Subtotal".
    static std::string leafLabel(const CrossingEngine::Leaf& leaf, bool missingAsBlank = false);

private:
    std::shared_ptr<DataSet> dataSet_;
    std::vector<std::shared_ptr<Hierarchy>> hierarchies_;
    std::vector<std::string> measureNames_;
    std::vector<int> measureCodes_;
    std::vector<std::string> suppressSubtotal_, suppressTotal_;
    std::shared_ptr<CrossingEngine> engine_;
    /// Drops the engine's kept groupings when the data set's values change.
    std::shared_ptr<AbstractEventCallback> dataListener_;
    std::vector<std::string> reported_;
    bool aggregateData_ = true;
    bool crosstab_ = false;
};

} // namespace orvane
