// SPDX-License-Identifier: Apache-2.0
#pragma once
#include "orvane/OrvaneExport.h"
#include "orvane/datagrid/DataGrid.h"
#include "orvane/datagrid/DataGridCellCallback.h"
#include "orvane/displaylist/TqDataGrid.h"
#include "orvane/displaylist/TqRef.h"
#include "orvane/view/ScrollView.h"

#include <map>
#include <memory>
#include <string>
#include <vector>

namespace orvane {

class AbstractEventCallback;
class DataGridGestureHandler;
class PortableEvent;
class SelectionController;
class Style;

/// The view of a list table: rebuilds a TqDataGrid from its DataGrid model on
/// every full update (headers, totals with their labels, row numbers, sort
/// indicators, column widths, fixed columns, wrapping, styles of every
/// region), keeps the scroll position across rebuilds, and highlights the
/// selected rows of the data set through the sort map.
///
/// Styles: the table style gives the cell font and colours (19 text, 7 and 16
/// the two row bands), the paddings (82 horizontal, 84 vertical), the grid
/// lines (42 horizontal rules, 43 vertical rules, colour 38; 11 with colour 10
/// the rules under the header and over the totals) and the display options
/// (23); the header and totals styles their fonts and colours (8 fill, 19
/// text); the selection style its colour (8); column styles override a
/// column's cells. Bold is 34 = 1, italic 33 = 1.
class ORVANE_EXPORT DataGridRenderer : public ScrollView {
public:
    static constexpr int WRAPPER_TYPE_ID = 10070;
    static constexpr int CONTROLLER_EVENT = 20028;
    static constexpr float DEFAULT_COLUMN_WIDTH = 100.0f;
    static constexpr float MAX_HEADER_WIDTH = 150.0f;
    static constexpr int WIDTH_SAMPLE_ROWS = 100;
    static constexpr int EAGER_RICH_TEXT_ROWS = 500;
    static constexpr float MIN_ROW_HEIGHT = 24.0f;

    DataGridRenderer();
    ~DataGridRenderer() override;
    static std::shared_ptr<DataGridRenderer> create();
    int getWrapperTypeId() const override { return WRAPPER_TYPE_ID; }

    void setModel(const std::shared_ptr<DataGrid>& model);
    const std::shared_ptr<DataGrid>& getModel() const { return model_; }

    void updateDisplayList(const std::shared_ptr<displaylist::DisplayListEditor>& editor) override;
    Size getPreferredSize(const Size& constraint) override;

    /// The grid of the last rebuild (null before the first).
    displaylist::TqDataGrid* getDataGridNode() const { return grid_.get(); }
    displaylist::TqScrollBarController* getScrollBarController() const override;
    const std::shared_ptr<DataGridCellCallback>& getCellCallback() const { return callback_; }

    /// Display column names (the model's order, or the data set's columns).
    std::vector<std::string> getOrderedColumnNames() const;
    int getOrderedColumnIndex(int displayColumn) const;

    /// The scroll position in content pixels, kept across rebuilds.
    void setScrollPosition(double x, double y);
    double getScrollX() const { return scrollX_; }
    double getScrollY() const { return scrollY_; }
    /// The first visible row and column; setState scrolls so that the cell is
    /// at the top left (the next render shows it).
    struct State {
        int64_t row = 0;
        int column = 0;
    };
    State getState() const;
    void setState(const State& state);
    /// Pages by the visible rows (forward or back); false at the end.
    bool canPage(bool forward) const;
    bool page(bool forward);
    void pageToEnd();

    /// Selection: highlights follow the row states of the data set.
    void rowStatesChanged();
    /// Clears the view's highlight; with `writeRowStates` also the data set's
    /// selection, and redraws with `redraw`.
    void clearSelections(bool writeRowStates, bool redraw);

    /// Answers a GRID_CELL_CONTENT event dispatched from this view: makes the
    /// announced cell's picture (once per cell; the grid keeps it).
    void cellContentChanged(const std::shared_ptr<PortableEvent>& event);
    /// Moves the STYLE_CHANGED listener to the model's current style and
    /// schedules a rebuild, so edits inside the style reach the table.
    void handleStyleChange();
    /// Relative paths of image cells (columns of type ICON) are read from
    /// this folder (a report sets the folder of the table's data file).
    void setImageDirectory(std::string dir) { imageDirectory_ = std::move(dir); }

    /// Gives the view its gesture handler (once) and the handler its frame.
    void layout() override;
    /// The table's DataGridSelectionController, observing its data set.
    std::shared_ptr<SelectionController> createSelectionController() override;
    /// The handler made at the first layout (null before).
    std::shared_ptr<DataGridGestureHandler> getGestureHandler() const { return handler_; }

    /// The data row shown at a display row (through the sort), or -1.
    int64_t getDataRow(int64_t displayRow) const;
    /// The rows of picked data cells become the selection of the data set:
    /// they replace it, or are added (removed again when toggling, for rows
    /// already selected). With the "toggleOnTap" feature, tapping a row that
    /// is already selected clears every selected row. One row-state write.
    /// False when no picked id is a data cell of this table.
    bool updateSelection(const std::vector<uint64_t>& ids, bool replace, bool toggle);
    /// A user's width for a display column (view pixels): stored in the
    /// column's record without the display scale, announced as
    /// COLUMN_SIZE_CHANGED.
    void updateColumnWidth(int displayColumn, double width);
    /// A user's height for a display row, kept across rebuilds.
    void updateRowHeight(int64_t displayRow, double height);
    /// A user's width of the row-number column (-1 measures it again).
    void setRowNumberColumnWidth(double width);
    /// Moves a display column to another place: the new order is stored in
    /// the column-information manager and announced as COLUMN_REORDERED.
    void moveColumn(int from, int to);
    /// The next sort of a display column: ascending, then descending, then
    /// unsorted. `keepOthers` keeps the other sort keys (the column becomes a
    /// further key). False for a column the table does not have.
    bool sortByHeader(int displayColumn, bool keepOthers);
    /// Keyboard and selection marks of the grid, kept across rebuilds.
    void setLastSelectedIndex(uint64_t id);
    void setShowFocusRect(bool show);
    void setFocusedCell(uint64_t id);
    /// Right-to-left tables put their first column on the right.
    void setRightToLeft(bool rightToLeft);

    /// The text a pick shows: formatted value, or the missing-value text.
    std::string getPickText(uint64_t pickId) const;
    bool isPickSelected(uint64_t pickId) const;

protected:
    /// The list table's accessibility controller (made on first request).
    std::shared_ptr<AccessibilityController> createAccessibilityController() override;

private:
    void listen();
    void readStyles();
    void renderEmpty(displaylist::TqDataGrid& grid);
    void measureColumns(displaylist::TqDataGrid& grid, const std::vector<DataGridCellCallback::ColumnBinding>& cols);
    float userWidth(const DataGridColumnInfo* info) const;
    void applyStyles(displaylist::TqDataGrid& grid);

    std::shared_ptr<DataGrid> model_;
    std::shared_ptr<DataSet> dataSet_;
    std::shared_ptr<DataGridCellCallback> callback_;
    displaylist::TqRef<displaylist::TqDataGrid> grid_;
    std::vector<std::pair<std::shared_ptr<EventDispatcher>, std::pair<int, std::shared_ptr<AbstractEventCallback>>>>
        listeners_;
    std::vector<std::string> missingLogged_;
    std::shared_ptr<Style> style_;
    std::shared_ptr<AbstractEventCallback> styleListener_;
    std::shared_ptr<AbstractEventCallback> cellContentListener_;
    std::string imageDirectory_;
    std::shared_ptr<DataGridGestureHandler> handler_;
    std::weak_ptr<SelectionController> selectionController_;
    std::map<int64_t, float> rowHeights_;
    float rowNumberWidth_ = -1.0f;
    uint64_t lastSelected_ = displaylist::TqDataGrid::NO_PICK_ID;
    uint64_t focused_ = displaylist::TqDataGrid::NO_PICK_ID;
    bool showFocus_ = false;
    bool rightToLeft_ = false;
    double scrollX_ = 0.0;
    double scrollY_ = 0.0;
    bool pendingState_ = false;
    State state_;
    float hPad_ = 5.0f;
    float vPad_ = 5.0f;
};

} // namespace orvane
