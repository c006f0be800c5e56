// SPDX-License-Identifier: Apache-2.0
#pragma once
#include "orvane/OrvaneExport.h"
#include "orvane/crosstab/Crosstab.h"
#include "orvane/crosstab/CrosstabCrossingRows.h"
#include "orvane/crosstab/CrosstabDisplayRules.h"
#include "orvane/crosstab/CrosstabPickResultEntry.h"
#include "orvane/displaylist/TqCrosstab.h"
#include "orvane/displaylist/TqRef.h"
#include "orvane/view/DisplayTreeNode.h"
#include "orvane/view/ScrollView.h"

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace orvane {

class AbstractEventCallback;
class CrosstabModelBuilder;
class CrosstabSelectionController;
class PortableEvent;

/// The view of a Crosstab: keeps the model built (through
/// CrosstabModelBuilder, keeping the user's expand and drill state), lays the
/// row and column display trees out as header cells of a TqCrosstab with
/// spans and expand, collapse and drill buttons, fills the data cells (the
/// first 50 grid columns at once, later ones through the display rules' cell
/// callback), styles and sizes rows and columns, pages, answers picks, and
/// shows and makes cell selections.
///
/// A selected data cell stands for the source rows under its row and column
/// crossing. Selecting cells writes those rows into the source data set's
/// row states in one change; a crossing shows as selected when every one of
/// its source rows is selected, whoever selected them.
///
/// Colours when the styles are silent: data cells 0x111111 on the bands
/// 0xEEEEEE and 0xE0E0E0; measure headers 0x202020 on 0xCCCCCC; totals
/// 0x111111 on 0xA6D3BE; headers 0x202020 on 0xE7E7E7.
class ORVANE_EXPORT CrosstabRenderer : public ScrollView {
public:
    static constexpr int CROSSTAB_CONTROLLER_EVENT = 20020;  ///< CrosstabControllerEvent
    static constexpr int COLUMN_SIZE_CHANGED = 20025;
    static constexpr int EAGER_COLUMNS = 50;
    static constexpr int MEASURE_SAMPLE = 100;
    /// Rows whose texts (of the eager columns) are set when the grid is
    /// built: the rows measured for the column widths. The texts of the
    /// other rows come from the content callback as they are drawn, so a
    /// rebuild (an expand or a collapse) costs the same however many rows
    /// are expanded.
    static constexpr int EAGER_ROWS = MEASURE_SAMPLE;
    using NodeList = std::vector<std::shared_ptr<DataTreeNode>>;
    using Direction = int;  ///< GestureDirectionType

    CrosstabRenderer();
    ~CrosstabRenderer() override;
    static std::shared_ptr<CrosstabRenderer> create();

    void setModel(const std::shared_ptr<Crosstab>& model);
    const std::shared_ptr<Crosstab>& getModel() const { return model_; }
    /// Builds the model from its hierarchy data set when that is new or
    /// `force` is set (the expand state is kept unless the data set changed).
    void updateModel(bool force);
    void updateDisplayList(const std::shared_ptr<displaylist::DisplayListEditor>& editor) override;
    Size getPreferredSize(const Size& constraint) override;
    /// Installs the crosstab's gesture handler (once) over the whole frame.
    void layout() override;
    displaylist::TqScrollBarController* getScrollBarController() const override;
    displaylist::TqCrosstab* getCrosstabNode() const { return grid_.get(); }
    /// The display rules of the last rebuild (null before it).
    const std::shared_ptr<CrosstabDisplayRules>& getDisplayRules() const { return displayRules_; }

    void setRebuildHierarchyDataTree(bool rebuild) { rebuildHierarchyDataTree_ = rebuild; }
    void setRestoreSelectionStatus(bool restore) { restoreSelectionStatus_ = restore; }
    void setSuppressControllerEvents(bool suppress) { suppressControllerEvents_ = suppress; }
    /// Counts the rebuilds of the crosstab's model (expand, collapse, drill,
    /// new data): its wanted size changes only with one.
    uint64_t getModelGeneration() const { return modelGeneration_; }
    /// Whether buttons are drawn: expand and drill need an interactive display.
    void setInteractiveDisplay(bool interactive);
    bool hasInteractiveDisplay() const { return interactive_; }
    /// Measures whose cells are coloured as a heat map.
    void setHeatMapMeasureNames(std::vector<std::string> names);

    const NodeList& getRowLeafNodes() const { return rowLeafNodes_; }
    const NodeList& getColumnLeafNodes() const { return columnLeafNodes_; }
    const std::vector<int>& getColumnLeafMeasureNumbers() const { return columnLeafMeasureNumbers_; }
    /// The column leaf under a grid column, or null.
    std::shared_ptr<DisplayTreeNode> getColumnLeafAt(int gridColumn) const;
    std::shared_ptr<DisplayTreeNode> getRowLeafAt(int64_t row) const;
    /// The data column shown at a grid column (-1 when none).
    int getDataColumnIndex(int gridColumn) const;
    /// Header button of a display node: 0 none, 1 the cell reacts, 2 drill,
    /// 3 expand, 4 collapse. `axis` 0 rows, 1 columns.
    int getCellButtonType(const std::shared_ptr<DisplayTreeNode>& node, int axis, bool& hyperlink) const;
    std::shared_ptr<Hierarchy> getHierarchy(int axis) const;
    bool isRowTotalOrSubTotal(int64_t row) const;
    bool isColumnTotalOrSubTotal(int gridColumn) const;
    float getMaximumAllowedRowHeaderWidth() const;

    // ---- acting on headers (through the hierarchy, then an in-place rebuild)
    bool expand(int axis, const std::shared_ptr<DisplayTreeNode>& node);
    bool collapse(int axis, const std::shared_ptr<DisplayTreeNode>& node);
    bool drillDown(int axis, const std::shared_ptr<DisplayTreeNode>& node);
    bool drillUp(int axis);
    /// Performs the button of a pick (expand, collapse, drill or paging);
    /// false when the entry names none or the hierarchy refused.
    bool performButton(const CrosstabPickResultEntry& entry);
    /// The display node of a member path ("East/Boston") on an axis, or null.
    std::shared_ptr<DisplayTreeNode> findNode(int axis, const std::string& path) const;
    /// The pick id of a header node's cell (no button), NO_PICK_ID when it
    /// has no cell.
    uint64_t getPickIdForNode(int axis, const std::shared_ptr<DataTreeNode>& node) const;

    // ---- paging (GestureDirectionType)
    /// Leaves an axis needs before it shows paging buttons (the builder's
    /// thresholds; see CrosstabModelBuilder::applyPaging).
    void setPagingThresholds(int rows, int columns);
    /// The leaves fully on screen along an axis (0 rows, 1 columns), as
    /// [first, end); {-1, -1} without leaves or before the first update.
    std::pair<int64_t, int64_t> getVisibleLeafWindow(int axis) const;
    bool canPage(Direction direction) const;
    /// The saved visible window of a view state (CrosstabController's
    /// setState): data rows [firstRow, endRow) and grid columns
    /// [firstColumn, endColumn); -1 for unset. A display that is not
    /// interactive (export, printing) shows the crosstab scrolled there; a
    /// scroll by the user replaces it.
    void setVisibleWindow(int64_t firstRow, int64_t endRow, int firstColumn, int endColumn);
    std::array<int64_t, 4> getVisibleWindow() const { return visibleWindow_; }
    bool page(Direction direction);
    bool pageToEnd(Direction direction);
    void setScrollPosition(double x, double y);

    // ---- sizes changed by the user
    void updateColumnWidth(int column, double width);
    void updateRowHeight(int64_t row, double height);
    void updateRowHeaderSizes(int level, float width);

    // ---- picking (positions in the view, y down)
    std::shared_ptr<CrosstabPickResultEntry> getPickEntry(uint64_t pickId) const;
    std::shared_ptr<CrosstabPickResultEntry> pickAt(const Point& point) const;
    std::shared_ptr<PickResult> getPickResultForNodeInfo(const displaylist::TqSelectionInfoStruct& info) override;
    static uint64_t getDetailIndex(int64_t row, int column, int component);
    static int getComponentIdFromDetailIndex(uint64_t index);
    static int64_t getRowOrColumnFromDetailIndex(uint64_t index);

    // ---- selection
    std::shared_ptr<SelectionController> createSelectionController() override;
    /// Selects the data cells of the picks (other picks are ignored):
    /// replacing the selection, adding to it, or toggling each cell.
    void updateSelection(const std::vector<uint64_t>& pickIds, bool additive, bool toggle);
    /// The selected crossings as (row leaf, column leaf) nodes; the column
    /// node is null without a column hierarchy.
    std::vector<std::pair<std::shared_ptr<DataTreeNode>, std::shared_ptr<DataTreeNode>>> getSelectedNodes() const;
    void setSelectedNodes(const std::vector<std::pair<int64_t, int>>& cells);
    const std::vector<std::pair<int64_t, int>>& getSelectedCells() const { return selected_; }
    void clearSelections();
    void selectAll();
    /// The source rows of a crossing (ascending).
    std::vector<int32_t> getSourceRows(int64_t row, int gridColumn) const;
    /// Reads the source data set's row states into the shown selection.
    void rowStatesChanged();

    /// One line per leaf on each axis: label, level, button.
    void printNodeInfo(std::ostream& out) const;

protected:
    /// The crosstab's accessibility controller (made on first request).
    std::shared_ptr<AccessibilityController> createAccessibilityController() override;

private:
    void listen();
    void renderAxisHeaders(displaylist::TqCrosstab& grid);
    void renderHeader(displaylist::TqCrosstab& grid, int axis);
    void addHeaderNodes(displaylist::TqCrosstab& grid, const std::shared_ptr<DataTreeNode>& node, int parentCell, int axis);
    void renderDataGrid(displaylist::TqCrosstab& grid);
    void renderEmptyCrosstab(displaylist::TqCrosstab& grid);
    /// Measures down the rows: one grid row per row leaf and measure, one
    /// grid column per column leaf.
    void renderTransposedGrid(displaylist::TqCrosstab& grid);
    /// The measure cells of a row leaf of a transposed crosstab, in the
    /// last row-header column (empty cells fill the levels in between).
    void addMeasureCells(displaylist::TqCrosstab& grid, const std::shared_ptr<DataTreeNode>& leaf, int cell, int level);
    /// The data (row, column) a grid cell shows; column -1 when none.
    std::pair<int64_t, int> dataCellAt(int64_t row, int gridColumn) const;
    void setupStyles(displaylist::TqCrosstab& grid);
    void measure(displaylist::TqCrosstab& grid);
    void rebuildInPlace();
    /// Hands the host a CrosstabController (CrosstabControllerEvent, 20020).
    void dispatchControllerEvent();
    /// Moves the paging buttons to the leaves at the ends of the visible
    /// window (through the builder's flags); only when the window changed
    /// unless `force`.
    void refreshPaging(bool force);
    void addPageButtons(const DisplayTreeNode* node, int cell);
    std::shared_ptr<DisplayTreeNode> displayNodeOfCell(int axis, int cell) const;
    /// The crossings' source rows for the current leaves (made on first use).
    CrosstabCrossingRows& crossings() const;

    mutable CrosstabCrossingRows crossings_;
    mutable bool crossingsReady_ = false;

    std::shared_ptr<Crosstab> model_;
    std::weak_ptr<HierarchyDataSet> builtFrom_;
    std::weak_ptr<DataSet> builtFromData_;
    std::shared_ptr<CrosstabModelBuilder> builder_;
    std::shared_ptr<CrosstabDisplayRules> displayRules_;
    displaylist::TqRef<displaylist::TqCrosstab> grid_;
    NodeList rowLeafNodes_, columnLeafNodes_;
    std::vector<int> columnLeafMeasureNumbers_;
    std::vector<int> gridColumnLeaf_;      ///< grid column -> column leaf index
    std::vector<int> visibleColumns_;      ///< grid column -> data column
    std::vector<std::shared_ptr<DisplayTreeNode>> cellNodes_;  ///< header cell -> display node
    std::vector<std::string> heatMap_;
    std::vector<std::pair<int64_t, int>> selected_;
    std::shared_ptr<DataSet> listenedSource_;
    std::vector<std::pair<std::shared_ptr<EventDispatcher>, std::pair<int, std::shared_ptr<AbstractEventCallback>>>>
        listeners_;
    std::shared_ptr<AbstractEventCallback> sourceListener_;
    int64_t leafCounter_ = 0;
    /// A transposed crosstab: its measures, their labels, and the data
    /// column of each (column leaf, measure), -1 for none.
    bool transposed_ = false;
    int transposedMeasures_ = 0;
    std::vector<std::string> measureLabels_;
    std::vector<int> transposedCells_;
    std::array<int64_t, 4> visibleWindow_{-1, -1, -1, -1};
    int pagingThresholds_[2] = {50, 10};
    std::pair<int64_t, int64_t> pagedWindow_[2] = {{-1, -1}, {-1, -1}};
    std::vector<int> pagedCells_;  ///< header cells carrying paging buttons
    double scrollX_ = 0.0, scrollY_ = 0.0;
    float hPad_ = 5.0f, vPad_ = 5.0f;
    bool rebuildHierarchyDataTree_ = true;
    bool restoreSelectionStatus_ = true;
    bool suppressControllerEvents_ = false;
    uint64_t modelGeneration_ = 0;
    bool interactive_ = true;
    bool writingRowStates_ = false;
    bool updating_ = false;  ///< inside updateDisplayList
};

} // namespace orvane
