// SPDX-License-Identifier: Apache-2.0
#pragma once
#include "orvane/host/HostExport.h"
#include "orvane/host/core/Wrappable.h"

#include <memory>
#include <string>
#include <vector>

namespace orvane {

class DataSet;

/// Where a cell sits, as display rules see it: its data row and column, the
/// hierarchy levels of its row and column (crosstabs), and whether it is the
/// total cell.
class ORVANE_HOST_EXPORT RelationalDataRuleContext : public virtual Wrappable {
public:
    struct LevelRef {
        std::string name;
        std::string label;
    };

    static std::shared_ptr<RelationalDataRuleContext> create() {
        return std::make_shared<RelationalDataRuleContext>();
    }

    const std::shared_ptr<DataSet>& getDataSet() const { return dataSet_; }
    void setDataSet(const std::shared_ptr<DataSet>& dataSet) { dataSet_ = dataSet; }
    int getRow() const { return row_; }
    void setRow(int row) { row_ = row; }
    int getColumn() const { return column_; }
    void setColumn(int column) { column_ = column; }

    bool isTotalCell() const { return totalCell_; }
    void setTotalCell(bool total) { totalCell_ = total; }

    const std::vector<LevelRef>& getRowLevels() const { return rowLevels_; }
    void setRowLevels(std::vector<LevelRef> levels) { rowLevels_ = std::move(levels); }
    const std::vector<LevelRef>& getColumnLevels() const { return columnLevels_; }
    void setColumnLevels(std::vector<LevelRef> levels) { columnLevels_ = std::move(levels); }
    /// True when a row or column level has this name.
    bool hasLevel(const std::string& name) const;

private:
    std::shared_ptr<DataSet> dataSet_;
    int row_ = -1;
    int column_ = -1;
    bool totalCell_ = false;
    std::vector<LevelRef> rowLevels_;
    std::vector<LevelRef> columnLevels_;
};

} // namespace orvane
