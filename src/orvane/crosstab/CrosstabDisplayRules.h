// SPDX-License-Identifier: Apache-2.0
#pragma once
#include "orvane/OrvaneExport.h"
#include "orvane/host/data/DataGridDisplayRules.h"
#include "orvane/host/data/RelationalDataRuleContext.h"

#include <map>
#include <memory>
#include <utility>
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

    void setRowLeafNodes(LeafList leaves) {
        rowLeafNodes_ = std::move(leaves);
        ranges_.clear();
    }
    void setColumnLeafNodes(LeafList leaves) {
        columnLeafNodes_ = std::move(leaves);
        ranges_.clear();
    }
    void setModel(const std::shared_ptr<Crosstab>& model);
    void setTotalCell(int row, int column) {
        totalCellRow_ = row;
        totalCellColumn_ = column;
    }
    void setVisibleColumnIndicies(IndexList indices) { visibleColumnIndices_ = std::move(indices); }
    /// A transposed grid (measures down the rows): grid row r shows data
    /// row r / measures and the measure r % measures; grid column c is
    /// column leaf c, whose data column for measure m is
    /// cells[c * measures + m] (-1: none). 0 measures: not transposed.
    void setTransposedCells(int measures, IndexList cells) {
        transposedMeasures_ = measures;
        transposedCells_ = std::move(cells);
    }
    /// The data (row, column) a grid cell shows; column -1 when none.
    std::pair<int, int> dataCellOf(int column, int row) const;
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

    /// The smallest and largest finite value of the measure shown in the data
    /// column, over the cells of every member crossing of that measure (total
    /// and subtotal rows and columns left out, as they are never coloured);
    /// NaN for both when there is none. Computed once per measure until the
    /// model or the leaves change.
    std::pair<double, double> computeMinMax(int dataColumn) const;
    /// True when the grid column shows a total or subtotal leaf.
    bool isColumnTotalOrSubTotal(int column) const;
    /// True when the row shows a total or subtotal leaf.
    bool isRowTotalOrSubTotal(int row) const;

    /// Display rules, then heat-map colour for columns whose record asks for a
    /// heat map (a fill set by a rule is kept; totals and subtotals are left
    /// uncoloured).
    void DisplayRuleCallback(int column, int row, DataGridCellInfoStruct* info) override;
    /// The text of the data column shown at the grid column, through its
    /// record's compact format, handed to the grid (a displaylist::TqDataGrid).
    void CellContentCallback(int column, int row, void* grid) override;
    void configureRuleContext(RelationalDataRuleContext& context, int row, int column) override;

private:
    std::shared_ptr<DisplayTreeNode> rowLeaf(int row) const;
    int dataColumnOf(int column) const;
    void colourHeatMapCell(int column, int row, int dataColumn, DataGridCellInfoStruct& info) const;

    LeafList rowLeafNodes_, columnLeafNodes_;
    std::weak_ptr<Crosstab> model_;
    int totalCellRow_ = -1, totalCellColumn_ = -1;
    IndexList visibleColumnIndices_, columnLeafMeasureNumbers_, transposedCells_;
    int transposedMeasures_ = 0;
    float displayScale_ = -1.0f;
    /// Value range per measure name (computeMinMax).
    mutable std::map<std::string, std::pair<double, double>> ranges_;
};

} // namespace orvane
