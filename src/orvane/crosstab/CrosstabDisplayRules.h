// SPDX-License-Identifier: Apache-2.0
#pragma once
#include "orvane/OrvaneExport.h"
#include "orvane/host/data/DataGridDisplayRules.h"
#include "orvane/host/data/RelationalDataRuleContext.h"

#include <memory>
#include <string>
#include <vector>

namespace orvane {

class Crosstab;
class DataTreeNode;
class DisplayTreeNode;
class Hierarchy;
class StyleChain;

/// How the data cells of a crosstab look: total and subtotal styles (with the
/// font shrunk to fit the row height), the report's display rules evaluated on
/// the data column shown at each grid position (the cells are already in the
/// sorted order of the hierarchies), the hierarchy levels of the cell's leaves
/// for level-scoped rules, and the total cell of a crosstab that is not
/// drilled. Style attributes: fill colour 8, text colour 19, font size 31,
/// family 32, italic 33, bold 34, underline 52.
class ORVANE_EXPORT CrosstabDisplayRules : public virtual DataGridDisplayRules {
public:
    using LeafList = std::shared_ptr<std::vector<std::shared_ptr<DataTreeNode>>>;
    using IndexList = std::shared_ptr<std::vector<int>>;

    explicit CrosstabDisplayRules(std::string name = std::string()) : DataGridDisplayRules(std::move(name)) {}
    static std::shared_ptr<CrosstabDisplayRules> create(const std::string& name = std::string());

    void setRowLeafNodes(LeafList leaves) { rowLeafNodes_ = std::move(leaves); }
    void setColumnLeafNodes(LeafList leaves) { columnLeafNodes_ = std::move(leaves); }
    void setModel(const std::shared_ptr<Crosstab>& model);
    void setTotalCell(int row, int column) {
        totalCellRow_ = row;
        totalCellColumn_ = column;
    }
    void setVisibleColumnIndicies(IndexList indices) { visibleColumnIndices_ = std::move(indices); }
    void setColumnLeafMeasureNumbers(IndexList numbers) { columnLeafMeasureNumbers_ = std::move(numbers); }
    /// Display scale for the 5-pixel margin of the font shrink (the host's DPI
    /// scale unless set).
    void setDisplayScale(float scale) { displayScale_ = scale; }

    /// The total or subtotal style of the cell, or null.
    std::shared_ptr<StyleChain> getStyleOverrideForCell(int row, int column) const;
    bool isDrilled() const;
    /// The levels a leaf stands for: for the root or a total, the levels above
    /// the current level; otherwise the levels down to the leaf's own.
    static std::vector<RelationalDataRuleContext::LevelRef> getCurrentLevels(const std::shared_ptr<Hierarchy>& hierarchy,
                                                                             const std::shared_ptr<DataTreeNode>& leaf);
    /// The column leaf shown at a grid column (through the leaves' spans), or null.
    std::shared_ptr<DisplayTreeNode> getColumnLeafNodeAtIndex(int column) const;
    /// True when the cell counts as the total cell (see configureRuleContext).
    bool isTotalCell(int row, int column) const;

    void DisplayRuleCallback(int column, int row, DataGridCellInfoStruct* info) override;
    void configureRuleContext(RelationalDataRuleContext& context, int row, int column) override;

private:
    std::shared_ptr<DisplayTreeNode> rowLeaf(int row) const;

    LeafList rowLeafNodes_, columnLeafNodes_;
    std::weak_ptr<Crosstab> model_;
    int totalCellRow_ = -1, totalCellColumn_ = -1;
    IndexList visibleColumnIndices_, columnLeafMeasureNumbers_;
    float displayScale_ = -1.0f;
};

} // namespace orvane
