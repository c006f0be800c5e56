// SPDX-License-Identifier: Apache-2.0
#pragma once
#include "orvane/OrvaneExport.h"
#include "orvane/package/BaseUIModel.h"
#include "orvane/host/data/DataSet.h"
#include "orvane/host/data/SortDirection.h"
#include "orvane/host/data/SortState.h"
#include "orvane/host/style/Style.h"
#include "orvane/host/style/StyleChain.h"
#include "orvane/package/TotalsPosition.h"
#include "orvane/properties/MonitoredVector.h"
#include "orvane/properties/Property.h"

#include <memory>
#include <string>

namespace orvane {

class DataGridColumnInfo;

class GridColumnInfoManager;
class DataGridRenderer;

class ORVANE_EXPORT DataGrid : public BaseUIModel {
public:
    static constexpr int WRAPPER_TYPE_ID = 10019;
    DataGrid();
    ~DataGrid() override;
    static std::shared_ptr<DataGrid> create();
    int getWrapperTypeId() const override { return WRAPPER_TYPE_ID; }

    static constexpr int SORT_CHANGED = 20021;
    static constexpr int RESET_REORDERED_COLUMNS = 20022;
    static constexpr int RESET_RESIZED_COLUMNS = 20023;

    /// Stores a column record in the column-information manager (created on
    /// first use) and re-assigns the manager so that listeners hear of it.
    void setColumnInfo(int column, const std::shared_ptr<DataGridColumnInfo>& info);
    std::shared_ptr<DataGridColumnInfo> getColumnInfo(int column) const;

    /// Sorts the rows by a column: creates the sort state when there is none,
    /// stores the column's sort context on axis 0 (alone, or with
    /// `keepOthers` in its old place or after the others, which then sort
    /// first), computes the sort map over
    /// the data set and announces SORT_CHANGED. False (nothing changed, logged)
    /// without a data set or for a column the data set lacks.
    bool sortByColumn(const std::string& columnName, SortDirection::type direction, bool keepOthers = false);

    /// The view that draws this table.
    std::shared_ptr<DataGridRenderer> createRenderer();

    Property<std::shared_ptr<DataSet>> dataSet;
    Property<std::shared_ptr<MonitoredVector<std::shared_ptr<StyleChain>>>> columnStyles;
    Property<std::shared_ptr<StyleChain>> headerStyle;
    Property<std::shared_ptr<StyleChain>> selectionStyle;
    Property<std::shared_ptr<StyleChain>> totalStyle;
    Property<std::shared_ptr<StyleChain>> tableStyle;
    Property<std::shared_ptr<StyleChain>> hoverStyle;
    Property<std::shared_ptr<StyleChain>> scrollbarStyle;
    Property<std::shared_ptr<Style>> style;
    Property<bool> allowColumnReorder;
    Property<bool> totalsVisible;
    Property<TotalsPosition::type> totalsPosition;
    Property<bool> totalsLabelVisible;
    Property<bool> headersVisible;
    Property<bool> showRowNumbers;
    Property<std::shared_ptr<const std::string>> rowNumberHeaderLabel;
    Property<bool> showEmptyRowsAndColumns;
    Property<bool> columnAutoFill;
    Property<int> fixedColumnCount;
    Property<bool> enableCellCallback;
    Property<std::shared_ptr<MonitoredVector<std::shared_ptr<const std::string>>>> orderedColumnNames;
    Property<std::shared_ptr<GridColumnInfoManager>> columnInfoManager;
    Property<std::shared_ptr<SortState>> sortState;
};

} // namespace orvane
