// SPDX-License-Identifier: Apache-2.0
#pragma once
#include "orvane/host/HostExport.h"
#include "orvane/host/core/EventDispatcher.h"
#include "orvane/host/data/DataTreeNode.h"
#include "orvane/host/data/Level.h"

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace orvane {

class DataSet;

/// An ordered list of levels over the columns of a flat data set, and the data
/// tree built from it: the root stands for every row within the drill, its
/// children are the distinct values of the current level's column among those
/// rows, their children the distinct values of the next level's column among
/// their rows, and so on. Children are kept ascending by DataValue order with
/// missing values last; any other order comes from a DataTreeSortContext.
///
/// Drill: the current level index k and the drill path (the member value of
/// each level above k, kept as Level::getCurrentValue) restrict every row of
/// the tree, the root included. Expand state: the root is expanded, every other
/// member starts collapsed; it lives in the tree's nodes and so survives as
/// long as the tree is not rebuilt (drilling or a new data set rebuild it).
class ORVANE_HOST_EXPORT Hierarchy : public EventDispatcher, public virtual Wrappable {
public:
    static constexpr int WRAPPER_TYPE_ID = 76;
    /// Dispatched after the data tree was rebuilt or its expand state changed.
    static constexpr int TREE_CHANGED = 20760;

    Hierarchy(std::string name, std::vector<std::shared_ptr<Level>> levels, std::vector<std::string> measureNames);
    static std::shared_ptr<Hierarchy> create(const std::string& name, std::vector<std::shared_ptr<Level>> levels,
                                             std::vector<std::string> measureNames = {});
    /// One level per member name, with the column's label and format when the
    /// data set has that column.
    static std::shared_ptr<Hierarchy> create(const std::string& name, const std::vector<std::string>& memberNames,
                                             const std::shared_ptr<DataSet>& dataSet,
                                             std::vector<std::string> measureNames = {});
    int getWrapperTypeId() const override { return WRAPPER_TYPE_ID; }

    const std::shared_ptr<const std::string>& getName() const { return name_; }
    const std::vector<std::shared_ptr<Level>>& getLevels() const { return levels_; }
    const std::vector<std::string>& getMeasureNames() const { return measureNames_; }
    /// The level of that name (exact match), or null.
    std::shared_ptr<Level> getLevelForName(std::string_view name) const;
    /// The levels from the current level down, the current level included.
    std::vector<std::shared_ptr<Level>> getLevelsDown() const;

    int getCurrentLevelIndex() const { return currentLevel_; }
    /// The member values drilled into, one per level above the current one.
    std::vector<std::shared_ptr<DataValue>> getDrillPath() const;

    /// The root of the data tree for the current drill (null before a build).
    const std::shared_ptr<DataTreeNode>& getExpandedState() const { return root_; }
    /// The level index of a node of the tree (-1 for the root or a foreign node).
    int getLevelIndexOfNode(const DataTreeNode& node) const;

    // ---- predicates on nodes of this hierarchy's tree
    bool canExpand(const std::shared_ptr<DataTreeNode>& node) const;
    bool canCollapse(const std::shared_ptr<DataTreeNode>& node) const;
    bool canDrillDown(const std::shared_ptr<DataTreeNode>& node) const;

    // ---- host-side actions (false, logged, when refused)
    bool expand(const std::shared_ptr<DataTreeNode>& node);
    bool collapse(const std::shared_ptr<DataTreeNode>& node);
    /// Drills into the member: the drill path takes the values of the node's
    /// path and the current level becomes the level below the member's.
    bool drillDown(const std::shared_ptr<DataTreeNode>& node);
    /// Drills into the member of that value at the current level.
    bool drillDown(const std::shared_ptr<DataValue>& member);
    bool drillUp();
    /// Back to the top level, without a drill path; the tree is rebuilt for the
    /// top level unless the caller builds it next (rebuildTree false).
    void resetDrill(bool rebuildTree = true);

    /// Builds the data tree from the data set's rows (null clears it). Level
    /// names that are no column of the data set are logged once each and end
    /// the tree above them.
    void build(const std::shared_ptr<DataSet>& dataSet);
    const std::shared_ptr<DataSet> getDataSet() const { return dataSet_.lock(); }

private:
    struct LevelCodes {
        std::vector<uint32_t> code;                       ///< per source row
        std::vector<std::shared_ptr<DataValue>> values;   ///< per code, ascending, missing last
        std::vector<std::shared_ptr<const std::string>> labels;
    };
    bool prepareCodes(const DataSet& data);
    void rebuild();
    void buildChildren(const std::shared_ptr<DataTreeNode>& node, int level);
    /// Keeps the best members of a ranked level with a limit; the rows of the
    /// others go to `others`.
    void rankGroups(int level, std::vector<std::pair<uint32_t, std::vector<int32_t>>>& groups,
                    std::vector<int32_t>& others) const;
    uint32_t findCode(int level, const DataValue& value) const;
    void changed();

    std::shared_ptr<const std::string> name_;
    std::vector<std::shared_ptr<Level>> levels_;
    std::vector<std::string> measureNames_;
    int currentLevel_ = 0;
    std::shared_ptr<DataTreeNode> root_;
    std::weak_ptr<DataSet> dataSet_;
    std::vector<LevelCodes> codes_;   ///< one per usable level
    std::vector<std::string> reportedMissing_;
};

} // namespace orvane
