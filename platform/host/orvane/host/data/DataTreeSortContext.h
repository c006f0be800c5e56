// SPDX-License-Identifier: Apache-2.0
#pragma once
#include "orvane/host/HostExport.h"
#include "orvane/host/core/EventDispatcher.h"
#include "orvane/host/data/DataTreeNode.h"
#include "orvane/host/data/SortDirection.h"

#include <map>
#include <memory>
#include <string>
#include <vector>

namespace orvane {

class DataSet;

/// The order of the children of data-tree nodes: an explicit list of child
/// indices per node, else a sort of the children of a level's members by their
/// label or by a measure (aggregated from each child's source rows with the
/// measure column's aggregation code), ascending or descending. Ties keep the
/// stored order. Nodes without either keep their stored order (null list).
class ORVANE_HOST_EXPORT DataTreeSortContext : public EventDispatcher, public virtual Wrappable {
public:
    static constexpr int WRAPPER_TYPE_ID = 45;
    static std::shared_ptr<DataTreeSortContext> create() { return std::make_shared<DataTreeSortContext>(); }
    int getWrapperTypeId() const override { return WRAPPER_TYPE_ID; }

    /// Child indices for a node, used as given (indices outside the children
    /// are refused when the children are ordered, with std::out_of_range).
    void setSortedIndices(const std::shared_ptr<DataTreeNode>& node, std::vector<int> indices);
    /// Sorts the members of the level (the children of its parents) by label.
    void setLevelSortByLabel(const std::string& levelName, SortDirection::type direction);
    /// Sorts the members of the level by a measure column of the data set.
    void setLevelSortByMeasure(const std::string& levelName, const std::string& measureName,
                               SortDirection::type direction);
    void clear();
    /// The data set a measure sort reads (set by HierarchyDataSet).
    void setDataSet(const std::shared_ptr<DataSet>& dataSet) { dataSet_ = dataSet; }

    /// The child order of the node, or null for the stored order.
    std::shared_ptr<const std::vector<int>> getSortedIndicesForDataTreeNode(const std::shared_ptr<DataTreeNode>& node) const;
    /// The children of the node in sort order: only the first child-count
    /// entries of a list are used, children it leaves out follow in stored
    /// order; an index outside the children throws std::out_of_range.
    std::vector<std::shared_ptr<DataTreeNode>> getOrderedChildren(const std::shared_ptr<DataTreeNode>& node) const;
    /// Same, with no context meaning the stored order.
    static std::vector<std::shared_ptr<DataTreeNode>> orderedChildren(const DataTreeSortContext* context,
                                                                      const std::shared_ptr<DataTreeNode>& node);

private:
    struct LevelSort {
        std::string measure;   ///< empty: by label
        SortDirection::type direction = SortDirection::ASCENDING;
    };
    std::map<const DataTreeNode*, std::pair<std::weak_ptr<DataTreeNode>, std::shared_ptr<const std::vector<int>>>> explicit_;
    std::map<std::string, LevelSort> levelSorts_;
    std::weak_ptr<DataSet> dataSet_;
};

} // namespace orvane
