// SPDX-License-Identifier: Apache-2.0
#pragma once
#include "orvane/OrvaneExport.h"
#include "orvane/host/core/PortableEvent.h"
#include "orvane/host/data/DataGridCellInfoStruct.h"

#include <cstdint>
#include <memory>
#include <vector>

namespace orvane {

class DataGridColumnInfo;

/// A table cell whose content is made by code (a picture, or a host's own
/// content when the model enables the cell callback), and the table's column
/// events. The cell record belongs to the grid and is valid only while the
/// event is dispatched.
class ORVANE_EXPORT DataGridCellContentEvent : public PortableEvent {
public:
    static constexpr int WRAPPER_TYPE_ID = 10020;
    static constexpr int GRID_CELL_CONTENT = 20024;
    static constexpr int COLUMN_SIZE_CHANGED = 20025;
    static constexpr int COLUMN_REORDERED = 20026;
    static constexpr int COLUMN_HEADER_SELECTED = 20027;

    explicit DataGridCellContentEvent(int type = GRID_CELL_CONTENT) : PortableEvent(type) {}
    static std::shared_ptr<DataGridCellContentEvent> create() { return create(GRID_CELL_CONTENT); }
    static std::shared_ptr<DataGridCellContentEvent> create(int type) {
        return std::make_shared<DataGridCellContentEvent>(type);
    }
    static std::shared_ptr<DataGridCellContentEvent> create(int type, int column, int row, displaylist::DataGridCellInfoStruct* info);
    int getWrapperTypeId() const override { return WRAPPER_TYPE_ID; }

    int getColumnIndex() const { return column_; }
    int getRowIndex() const { return row_; }
    displaylist::DataGridCellInfoStruct* getCellInfo() const { return info_; }
    const std::shared_ptr<DataGridColumnInfo>& getColumnInfo() const { return columnInfo_; }
    void setColumnInfo(std::shared_ptr<DataGridColumnInfo> info) { columnInfo_ = std::move(info); }
    /// A fill colour for the cell's picture that overrides the column's (0 = none).
    uint32_t getCellVisualFillColor() const { return fillColor_; }
    void setCellVisualFillColor(uint32_t color) { fillColor_ = color; }
    const std::shared_ptr<std::vector<int>>& getReorderedColumnIndices() const { return reordered_; }
    void setReorderedColumnIndices(std::shared_ptr<std::vector<int>> indices) { reordered_ = std::move(indices); }

private:
    int column_ = -1;
    int row_ = -1;
    displaylist::DataGridCellInfoStruct* info_ = nullptr;
    std::shared_ptr<DataGridColumnInfo> columnInfo_;
    uint32_t fillColor_ = 0;
    std::shared_ptr<std::vector<int>> reordered_;
};

} // namespace orvane
