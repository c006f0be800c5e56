// SPDX-License-Identifier: Apache-2.0
#pragma once
#include "orvane/host/HostExport.h"
#include "orvane/host/data/DataValue.h"
#include "orvane/host/core/EventDispatcher.h"

#include <cstdint>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

namespace orvane {

/// A node of a data tree (row or column headers of a crosstab): a label, a data
/// value, a formatted text and children. Nodes of a hierarchy's data tree also
/// keep the source rows they stand for (ascending row indices of the flat data
/// set), the name of their level and the collapsed state; display trees built
/// by the library derive from this class and use only the tree part.
class ORVANE_HOST_EXPORT DataTreeNode : public EventDispatcher, public virtual Wrappable {
public:
    static constexpr int WRAPPER_TYPE_ID = 44;

    DataTreeNode(std::string label, std::shared_ptr<DataValue> value)
        : label_(std::make_shared<const std::string>(std::move(label))), value_(std::move(value)) {
        formatted_ = label_;
    }
    ~DataTreeNode() override = default;
    static std::shared_ptr<DataTreeNode> create(const std::string& label, std::shared_ptr<DataValue> value = nullptr) {
        return std::make_shared<DataTreeNode>(label, std::move(value));
    }
    int getWrapperTypeId() const override { return WRAPPER_TYPE_ID; }

    std::shared_ptr<const std::string> getLabel() const { return label_; }
    std::shared_ptr<DataValue> getDataValue() const { return value_; }
    std::shared_ptr<const std::string> getFormattedValue() const { return formatted_; }
    void setFormattedValue(std::shared_ptr<const std::string> f) { formatted_ = std::move(f); }
    void setFormattedValue(const std::string& f) { formatted_ = std::make_shared<const std::string>(f); }
    /// The formatted text ("" when there is none).
    std::string getPresentableText() const { return formatted_ ? *formatted_ : std::string(); }

    // ---- tree
    const std::vector<std::shared_ptr<DataTreeNode>>& getChildren() const { return children_; }
    size_t getChildCount() const { return children_.size(); }
    bool hasChildren() const { return !children_.empty(); }
    bool isLeaf() const { return children_.empty(); }
    void addChild(const std::shared_ptr<DataTreeNode>& child);
    std::shared_ptr<DataTreeNode> getParent() const { return parent_.lock(); }
    bool isFirstChild() const;
    bool isLastChild() const;
    /// Depth from the root (the root is 0).
    int getLevel() const;
    /// The nodes from the first level below the root down to this node.
    std::vector<std::shared_ptr<DataTreeNode>> getUniqueNodePath();
    /// Every leaf under this node (itself when it is a leaf), depth first.
    std::vector<std::shared_ptr<DataTreeNode>> getDepthFirstListOfAllLeafNodesUnderThisNode();
    /// The ancestor of node at the given depth (node itself when it is at that
    /// depth); null when node is above that depth or null.
    static std::shared_ptr<DataTreeNode> getParentNodeAtLevel(const std::shared_ptr<DataTreeNode>& node, int level);

    // ---- expand state (a node starts expanded; data trees collapse their members)
    bool isCollapsed() const { return collapsed_; }
    void setCollapsed(bool collapsed) { collapsed_ = collapsed; }
    /// Expands this node and every node below it.
    void expandAll();

    // ---- data-tree content
    // The source rows under this node, ascending.
    const std::vector<int32_t>& getSourceRows() const { return rows_; }
    void setSourceRows(std::vector<int32_t> rows) { rows_ = std::move(rows); }
    /// For each source row (in getSourceRows order) the index of the child
    /// that holds it; empty when not recorded.
    const std::vector<uint32_t>& getChildIndexOfRows() const { return childOfRow_; }
    void setChildIndexOfRows(std::vector<uint32_t> indices) { childOfRow_ = std::move(indices); }
    /// The name of the level this node is a member of (null for a root).
    const std::shared_ptr<const std::string>& getLevelName() const { return levelName_; }
    void setLevelName(std::shared_ptr<const std::string> name) { levelName_ = std::move(name); }

    /// Writes the tree, one node a line, indented by depth.
    virtual void print(std::ostream& out) const;
    void print() const;

private:
    void printAt(std::ostream& out, int depth) const;

    std::shared_ptr<const std::string> label_;
    std::shared_ptr<DataValue> value_;
    std::shared_ptr<const std::string> formatted_;
    std::vector<std::shared_ptr<DataTreeNode>> children_;
    std::weak_ptr<DataTreeNode> parent_;
    std::vector<int32_t> rows_;
    std::vector<uint32_t> childOfRow_;
    std::shared_ptr<const std::string> levelName_;
    bool collapsed_ = false;
};

} // namespace orvane
