// SPDX-License-Identifier: Apache-2.0
#pragma once
#include "orvane/OrvaneExport.h"
#include "orvane/host/data/DataGridDisplayRules.h"
#include "orvane/host/style/StyleChain.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace displaylist {
class TqDataGrid;
}

namespace orvane {

class BaseView;
class Column;
class DataGridCellContentEvent;
class DataGridColumnInfo;

/// What a table's grid asks of the library while it draws: the text of a
/// cell (formatted from the data set at the cell's data row, through the sort
/// map) and the cell's style and picture (display rules of the cell's data
/// column at the data row, heat-map colours). Cells that need a picture (bar,
/// rich text, image) are announced as GRID_CELL_CONTENT events dispatched from
/// the owning view; the view answers with createAndUpdateCellVisual, which
/// renders the picture off screen once and hands it to the grid. One is made
/// per table rebuild and lives with its grid.
class ORVANE_EXPORT DataGridCellCallback : public DataGridDisplayRules {
public:
    /// One display column.
    struct ColumnBinding {
        std::shared_ptr<Column> column;  ///< null: a name the data set lacks
        int dataIndex = -1;
        std::shared_ptr<DataGridColumnInfo> info;
        std::string compactFormat;
        std::shared_ptr<StyleChain> style;
    };

    static std::shared_ptr<DataGridCellCallback> create() { return std::make_shared<DataGridCellCallback>(); }

    void setGrid(displaylist::TqDataGrid* grid) { grid_ = grid; }
    void setSortIndices(std::shared_ptr<std::vector<unsigned>> indices) { sort_ = std::move(indices); }
    void setColumns(std::vector<ColumnBinding> columns) { columns_ = std::move(columns); }
    const std::vector<ColumnBinding>& getColumns() const { return columns_; }
    /// DPI scale of the cell pictures.
    void setScale(float scale) { scale_ = scale; }
    /// The view the cell-content events are dispatched from.
    void setView(const std::shared_ptr<BaseView>& view) { view_ = view; }
    /// Every drawn cell is announced, not only those that need a picture.
    void setEnableCellCallback(bool enable) { enableCellCallback_ = enable; }
    /// Relative paths of image cells are read from this folder.
    void setImageDirectory(std::string dir) { imageDirectory_ = std::move(dir); }

    /// A data set of one row whose value in `column` matches all values (a
    /// placeholder row) shows no text in that column. Decided per column: the
    /// rebuild and the cell text ask the cell's own column.
    static bool isMatchesAllColumn(const Column& column, size_t dataSetRows);

    /// The data row shown at a display row.
    size_t dataRowOf(int displayRow) const;

    void CellContentCallback(int column, int row, void* grid) override;
    void DisplayRuleCallback(int column, int row, DataGridCellInfoStruct* info) override;

    /// Makes the picture of an announced cell (bar, rich text or image) and
    /// attaches it to the grid's cell. A picture that cannot be made leaves the
    /// cell empty (an empty picture, so it is not tried again).
    void createAndUpdateCellVisual(const DataGridCellContentEvent& event);

    /// Texts handed to the grid so far.
    int64_t getTextCount() const { return texts_; }
    /// Pictures made so far (each cell once).
    int64_t getPictureCount() const { return pictures_; }
    /// Cell-content events dispatched so far.
    int64_t getEventCount() const { return events_; }

private:
    void makePicture(int column, int row, size_t dataRow, const ColumnBinding& b, const DataGridCellInfoStruct& info,
                     uint32_t fillColor);
    /// Image cells: the column's text names an image file.
    void makeImagePicture(int column, int row, size_t dataRow, const ColumnBinding& b,
                          const DataGridCellInfoStruct& info);
    /// Rich-text cells: the markup drawn by a rich-text view, off screen.
    void makeRichTextPicture(int column, int row, size_t dataRow, const ColumnBinding& b,
                             const DataGridCellInfoStruct& info);

    displaylist::TqDataGrid* grid_ = nullptr;
    std::shared_ptr<std::vector<unsigned>> sort_;
    std::vector<ColumnBinding> columns_;
    std::weak_ptr<BaseView> view_;
    std::string imageDirectory_;
    float scale_ = 1.0f;
    bool enableCellCallback_ = false;
    int64_t texts_ = 0;
    int64_t pictures_ = 0;
    int64_t events_ = 0;
    bool richTextErrorLogged_ = false;
    bool imageErrorLogged_ = false;
};

} // namespace orvane
