// SPDX-License-Identifier: Apache-2.0
#pragma once
#include "orvane/host/HostExport.h"
#include "orvane/host/core/EventDispatcher.h"
#include "orvane/host/data/SortContext.h"

#include <map>
#include <memory>
#include <vector>

namespace orvane {

class DataSet;

/// The sort of a data set's rows: per axis an ordered list of sort contexts
/// (the first with a direction is the primary key) and the resulting order.
///
/// Sorting is stable and multi-key: numbers compare numerically, strings by
/// the collation of the current locale, ties keep data order. Missing values
/// (NaN, the empty string) come first in both directions; infinities sort as
/// the extreme numbers. Contexts without a direction, and contexts naming no
/// column of the data set (logged), are skipped.
class ORVANE_HOST_EXPORT SortState : public EventDispatcher, public virtual Wrappable {
public:
    static constexpr int WRAPPER_TYPE_ID = 150;

    static std::shared_ptr<SortState> create() { return std::make_shared<SortState>(); }
    int getWrapperTypeId() const override { return WRAPPER_TYPE_ID; }

    /// The contexts of an axis, in key order (empty when none).
    const std::vector<std::shared_ptr<SortContext>>& getRelationalSortsForAxis(int axis) const;
    /// keepOthers false: the axis holds only this context. keepOthers true: it
    /// replaces the context of the same column (byte-wise name comparison) in
    /// place, or is appended.
    void setRelationalSortForAxis(int axis, const std::shared_ptr<SortContext>& context, bool keepOthers);
    void clearRelationalSortsForAxis(int axis);

    /// Sorts the data set's rows by the contexts of axis 0.
    void computeRelationalSortMap(const std::shared_ptr<DataSet>& dataSet);
    void computeRelationalSortMap(const DataSet& dataSet);
    /// Display row -> data row; null before the first computation.
    std::shared_ptr<std::vector<unsigned>> getRelationalSortIndices() const { return indices_; }

    /// The stable order of the rows (display row -> data row) by the contexts.
    static std::vector<unsigned> sortRows(const DataSet& dataSet,
                                          const std::vector<std::shared_ptr<SortContext>>& contexts);
    /// The same for some of the rows (for example the rows under one member of
    /// a hierarchy): answers them in sorted order; rows outside the data set
    /// are dropped.
    static std::vector<unsigned> sortRows(const DataSet& dataSet,
                                          const std::vector<std::shared_ptr<SortContext>>& contexts,
                                          std::vector<unsigned> rows);

private:
    std::map<int, std::vector<std::shared_ptr<SortContext>>> axes_;
    std::shared_ptr<std::vector<unsigned>> indices_;
};

} // namespace orvane
