// SPDX-License-Identifier: Apache-2.0
#pragma once
#include "orvane/OrvaneExport.h"
#include "orvane/crosstab/Crosstab.h"
#include "orvane/package/BaseUIModel.h"
#include "orvane/package/NodeType.h"
#include "orvane/properties/Property.h"

#include <iosfwd>
#include <memory>
#include <string>
#include <vector>

namespace orvane {

class AbstractEventCallback;
class DisplayTreeNode;

/// Turns a flat DataSet (or a ready HierarchyDataSet) into a filled Crosstab:
/// row and column hierarchies with their data trees, display trees with total
/// and subtotal nodes, and the normalised data set of cells. build() may be
/// called again after changes: it reuses its crosstab and hierarchy data set so
/// that the same Crosstab is updated in place; with regenerateData false the
/// data trees, and with them the user's drill and expand state, are kept.
/// The builder listens to its data set and rebuilds (regenerating the trees)
/// when the data changes; events caused while building are not acted on.
class ORVANE_EXPORT CrosstabModelBuilder : public BaseUIModel {
public:
    static constexpr int WRAPPER_TYPE_ID = 10016;
    CrosstabModelBuilder();
    ~CrosstabModelBuilder() override;
    static std::shared_ptr<CrosstabModelBuilder> create();
    static std::shared_ptr<CrosstabModelBuilder> create(const std::shared_ptr<DataSet>& dataSet);
    static std::shared_ptr<CrosstabModelBuilder> create(const std::shared_ptr<DataSet>& dataSet,
                                                        const std::shared_ptr<Crosstab>& crosstab);
    static std::shared_ptr<CrosstabModelBuilder> create(const std::shared_ptr<DataSet>& dataSet,
                                                        const std::string& rowHierarchyName,
                                                        const std::string& columnHierarchyName,
                                                        const std::vector<std::string>& rowMemberNames,
                                                        const std::vector<std::string>& columnMemberNames,
                                                        const std::vector<std::string>& measureNames);
    static std::shared_ptr<CrosstabModelBuilder> create(const std::shared_ptr<HierarchyDataSet>& hierarchyDataSet,
                                                        const std::shared_ptr<Crosstab>& crosstab);
    int getWrapperTypeId() const override { return WRAPPER_TYPE_ID; }

    Property<bool> showRowTotal;
    Property<bool> showRowSubTotal;
    Property<bool> showColumnTotal;
    Property<bool> showColumnSubTotal;
    Property<bool> showSummaryOnTop;
    Property<bool> showMissingLabelAsBlank;
    Property<bool> aggregateData;
    Property<bool> regenerateData;

    std::shared_ptr<Crosstab> build();

    const std::shared_ptr<DataSet>& getDataSet() const { return dataSet_; }
    void setDataSet(const std::shared_ptr<DataSet>& dataSet);
    const std::shared_ptr<HierarchyDataSet>& getHierarchyDataSet() const { return hierarchyDataSet_; }
    void setHierarchyDataSet(const std::shared_ptr<HierarchyDataSet>& h) { hierarchyDataSet_ = h; }
    const std::shared_ptr<Crosstab>& getCrosstab() const { return crosstab_; }
    void setCrosstab(const std::shared_ptr<Crosstab>& crosstab) { crosstab_ = crosstab; }

    std::string getRowHierarchyName() const { return rowHierarchyName_.empty() ? "__rowHierarchy" : rowHierarchyName_; }
    std::string getColumnHierarchyName() const {
        return columnHierarchyName_.empty() ? "__columnHierarchy" : columnHierarchyName_;
    }
    void setRowHierarchyName(const std::string& n) { rowHierarchyName_ = n; }
    void setColumnHierarchyName(const std::string& n) { columnHierarchyName_ = n; }
    const std::vector<std::string>& getRowMemberNames() const { return rowMemberNames_; }
    void setRowMemberNames(std::vector<std::string> names, bool actionEnabled = false);
    const std::vector<std::string>& getColumnMemberNames() const { return columnMemberNames_; }
    void setColumnMemberNames(std::vector<std::string> names, bool actionEnabled = false);
    const std::vector<std::shared_ptr<Level>>& getRowLevels() const { return rowLevels_; }
    void setRowLevels(std::vector<std::shared_ptr<Level>> levels, bool actionEnabled = false);
    const std::vector<std::shared_ptr<Level>>& getColumnLevels() const { return columnLevels_; }
    void setColumnLevels(std::vector<std::shared_ptr<Level>> levels, bool actionEnabled = false);
    /// The names set, else the data set's numeric columns that are no dates or times.
    std::vector<std::string> getMeasureNames() const;
    void setMeasureNames(std::vector<std::string> names) { measureNames_ = std::move(names); }
    const std::vector<std::string>& getHierarchyStates() const { return hierarchyStates_; }
    void setHierarchyStates(std::vector<std::string> s) { hierarchyStates_ = std::move(s); }
    const std::vector<std::string>& getRankedRowLevelNames() const { return rankedRow_; }
    void setRankedRowLevelNames(std::vector<std::string> n) { rankedRow_ = std::move(n); }
    const std::vector<std::string>& getRankedColumnLevelNames() const { return rankedColumn_; }
    void setRankedColumnLevelNames(std::vector<std::string> n) { rankedColumn_ = std::move(n); }
    /// Members kept under each parent on the ranked levels (the rest are
    /// gathered into one all-others member, ranked by the sum of the rank
    /// measure); 0, the default, flags the levels as ranked and leaves each
    /// level's own limit (none unless the level was given one).
    int getRankLimit() const { return rankLimit_; }
    void setRankLimit(int limit) { rankLimit_ = limit < 0 ? 0 : limit; }
    /// The measure the ranked levels rank their members by ("" = the first measure).
    const std::string& getRankMeasureName() const { return rankMeasureName_; }
    void setRankMeasureName(std::string name) { rankMeasureName_ = std::move(name); }
    const std::vector<std::string>& getOmittedSubtotalColumnLevelNames() const { return omitted_; }
    void setOmittedSubtotalColumnLevelNames(std::vector<std::string> n) { omitted_ = std::move(n); }
    const std::shared_ptr<DataTreeSortContext>& getDataTreeSortContext() const { return sortContext_; }
    void setDataTreeSortContext(const std::shared_ptr<DataTreeSortContext>& s) { sortContext_ = s; }
    bool getRowActionEnabled() const { return rowActionEnabled_; }
    bool getColumnActionEnabled() const { return columnActionEnabled_; }
    bool getPrefixSubtotalLabel() const { return prefixSubtotalLabel_; }
    void setStyle(const std::shared_ptr<Style>& style) { updateStyle(style); }
    void updateStyle(const std::shared_ptr<Style>& style);
    /// The displayed-column index at that position; -1 when absent.
    int getDisplayedColumnIndex(int position) const;
    const std::vector<int>& getDisplayedColumnIndices() const { return displayedColumnIndices_; }

    /// Paging. An axis with more leaves than its threshold is paged: the
    /// leaf at each end of the axis' window (the leaves on screen, first to
    /// end - 1) carries the buttons that page past that end, when there are
    /// leaves beyond it: the last one page down (right) and to the end, the
    /// first one page up (left) and to the start. Without a window (the
    /// default, -1) no leaf carries them. build() applies them; a view that
    /// scrolled sets the new window and calls applyPaging() again.
    static constexpr int DEFAULT_ROW_PAGING_THRESHOLD = 50;
    static constexpr int DEFAULT_COLUMN_PAGING_THRESHOLD = 10;
    void setPagingThresholds(int rows, int columns);
    int getRowPagingThreshold() const { return pagingThreshold_[0]; }
    int getColumnPagingThreshold() const { return pagingThreshold_[1]; }
    void setRowPagingWindow(int64_t first, int64_t end);
    void setColumnPagingWindow(int64_t first, int64_t end);
    /// Sets the paging flags (and their tooltip texts) of the crosstab's
    /// display-tree leaves from the windows and the thresholds, clearing
    /// those of leaves that no longer stand at a window's end.
    void applyPaging();

    static std::string totalLabel();
    static std::string subtotalLabel();
    void print(std::ostream& out) const;
    void print() const;

    /// 0 for no node; depth for a collapsed node; else the largest depth below.
    static int getNonCollapsedTreeNodeDepth(const std::shared_ptr<DataTreeNode>& node, int depth);

private:
    std::shared_ptr<Hierarchy> createHierarchy(int axis, const std::vector<std::string>& measures) const;
    /// Flags the named levels of h as ranked with the builder's limit and
    /// measure; true when a level's ranking changed.
    bool applyRanking(const std::shared_ptr<Hierarchy>& h, const std::vector<std::string>& ranked) const;
    void applyOmittedSubtotals(const std::shared_ptr<Hierarchy>& h, bool showSubtotal, bool showTotal) const;
    void initDisplayTreeNodes(const std::shared_ptr<DataTreeNode>& parent, const std::shared_ptr<DataTreeNode>& dataNode,
                              const std::shared_ptr<Hierarchy>& h, bool showTotal, bool showSubtotal, bool top,
                              int levelIndex, bool isRoot);
    std::shared_ptr<DisplayTreeNode> getDisplayTreeNode(const std::shared_ptr<DataTreeNode>& dataNode,
                                                        NodeType::type type) const;
    std::vector<std::shared_ptr<Level>> getDisplayedLevels(const std::shared_ptr<Hierarchy>& h) const;
    void dataChanged();
    void generateStyleChains(const std::shared_ptr<Style>& style, bool force);

    std::shared_ptr<DataSet> dataSet_;
    std::shared_ptr<HierarchyDataSet> hierarchyDataSet_;
    std::shared_ptr<Crosstab> crosstab_;
    std::string rowHierarchyName_, columnHierarchyName_;
    std::vector<std::string> rowMemberNames_, columnMemberNames_;
    std::vector<std::shared_ptr<Level>> rowLevels_, columnLevels_;
    std::vector<std::string> measureNames_, hierarchyStates_, rankedRow_, rankedColumn_, omitted_;
    std::shared_ptr<DataTreeSortContext> sortContext_;
    std::shared_ptr<Style> style_;
    std::vector<int> displayedColumnIndices_;
    std::vector<std::string> reported_;
    std::shared_ptr<AbstractEventCallback> dataListener_;
    std::string rankMeasureName_;
    int rankLimit_ = 0;
    int pagingThreshold_[2] = {DEFAULT_ROW_PAGING_THRESHOLD, DEFAULT_COLUMN_PAGING_THRESHOLD};
    /// The leaves of each display tree (found once per tree) and those that
    /// carry paging flags, so that a scroll costs the flags it moves.
    struct PagedAxis {
        std::shared_ptr<DataTreeNode> root;
        std::vector<DisplayTreeNode*> leaves, flagged;
    };
    PagedAxis paged_[2];
    int64_t pagingWindow_[2][2] = {{-1, -1}, {-1, -1}};
    size_t measureCount_ = 0;
    size_t suppressedTotalCount_ = 0, suppressedSubtotalCount_ = 0;
    bool rowActionEnabled_ = false, columnActionEnabled_ = false;
    bool prefixSubtotalLabel_ = true;
    bool building_ = false;
};

} // namespace orvane
