// SPDX-License-Identifier: Apache-2.0
#pragma once
#include "orvane/OrvaneExport.h"
#include "orvane/package/BaseUIModel.h"
#include "orvane/host/data/DataSet.h"
#include "orvane/host/data/DataTreeNode.h"
#include "orvane/host/data/DataTreeSortContext.h"
#include "orvane/host/data/Expression.h"
#include "orvane/host/data/Hierarchy.h"
#include "orvane/host/data/HierarchyDataSet.h"
#include "orvane/host/data/Level.h"
#include "orvane/host/style/Style.h"
#include "orvane/host/style/StyleChain.h"
#include "orvane/package/TableSelectionType.h"
#include "orvane/properties/MonitoredVector.h"
#include "orvane/properties/Property.h"

#include <memory>
#include <string>

namespace orvane {

class CrosstabLevelInfo;
class CrosstabRenderer;
class DataGridColumnInfo;
class GridColumnInfoManager;
class Rule;

class ORVANE_EXPORT Crosstab : public BaseUIModel {
public:
    static constexpr int WRAPPER_TYPE_ID = 10012;
    Crosstab();
    ~Crosstab() override;
    static std::shared_ptr<Crosstab> create();
    int getWrapperTypeId() const override { return WRAPPER_TYPE_ID; }

    /// Event types (plain PortableEvents).
    static constexpr int SELECTED_CHANGED = 20017;
    static constexpr int ROW_HEADER_UPDATED = 20018;
    static constexpr int COLUMN_HEADER_UPDATED = 20019;

    /// Per-column and per-level records, kept by the column info manager (a
    /// setter creates the manager when there is none; a getter without one
    /// answers null).
    void setDisplayRule(int column, const std::shared_ptr<Rule>& rule, bool notify = true);
    std::shared_ptr<Rule> getDisplayRule(int column) const;
    void setColumnInfo(int column, const std::shared_ptr<DataGridColumnInfo>& info);
    std::shared_ptr<DataGridColumnInfo> getColumnInfo(int column) const;
    void setRowLevelInfo(int level, const std::shared_ptr<CrosstabLevelInfo>& info);
    std::shared_ptr<CrosstabLevelInfo> getRowLevelInfo(int level) const;
    void setColumnLevelInfo(int level, const std::shared_ptr<CrosstabLevelInfo>& info);
    std::shared_ptr<CrosstabLevelInfo> getColumnLevelInfo(int level) const;
    /// A view of this crosstab.
    std::shared_ptr<CrosstabRenderer> createRenderer();
    void updateRowHeader();
    void updateColumnHeader();

    Property<std::shared_ptr<DataSet>> dataSet;
    Property<std::shared_ptr<DataSet>> sourceDataSet;
    Property<std::shared_ptr<MonitoredVector<std::shared_ptr<const std::string>>>> excludedColumnNames;
    Property<std::shared_ptr<DataTreeNode>> rowDataTreeNode;
    Property<std::shared_ptr<DataTreeNode>> columnDataTreeNode;
    Property<std::shared_ptr<Hierarchy>> rowHierarchy;
    Property<std::shared_ptr<Hierarchy>> columnHierarchy;
    Property<std::shared_ptr<Style>> style;
    Property<std::shared_ptr<StyleChain>> tableStyle;
    Property<std::shared_ptr<StyleChain>> scrollbarStyle;
    Property<std::shared_ptr<StyleChain>> rowHeaderStyle;
    Property<std::shared_ptr<StyleChain>> columnHeaderStyle;
    Property<std::shared_ptr<StyleChain>> measureHeaderStyle;
    Property<std::shared_ptr<StyleChain>> selectionStyle;
    Property<std::shared_ptr<StyleChain>> brushStyle;
    Property<std::shared_ptr<StyleChain>> totalStyle;
    Property<std::shared_ptr<StyleChain>> subtotalStyle;
    Property<std::shared_ptr<StyleChain>> columnHeaderLabelStyle;
    Property<std::shared_ptr<StyleChain>> rowHeaderLabelStyle;
    Property<std::shared_ptr<HierarchyDataSet>> hierarchyDataSet;
    Property<std::shared_ptr<DataTreeSortContext>> dataTreeSortContext;
    Property<std::shared_ptr<MonitoredVector<std::shared_ptr<const std::string>>>> rowHierarchyNames;
    Property<std::shared_ptr<MonitoredVector<std::shared_ptr<const std::string>>>> columnHierarchyNames;
    Property<std::shared_ptr<MonitoredVector<std::shared_ptr<const std::string>>>> measureColumnNames;
    Property<bool> showRowTotal;
    Property<bool> showRowSubTotal;
    Property<bool> showColumnTotal;
    Property<bool> showColumnSubTotal;
    Property<std::shared_ptr<MonitoredVector<std::shared_ptr<const std::string>>>> omittedSubtotalColumnLevelNames;
    Property<bool> showSummaryOnTop;
    Property<bool> showMissingLabelAsBlank;
    Property<bool> showRowNumbers;
    Property<bool> showRowNumberByHeader;
    Property<std::shared_ptr<const std::string>> rowNumberHeaderLabel;
    Property<std::shared_ptr<MonitoredVector<std::shared_ptr<Level>>>> rowAxisLevels;
    Property<std::shared_ptr<MonitoredVector<std::shared_ptr<Level>>>> columnAxisLevels;
    Property<int> numberOfMeasures;
    Property<std::shared_ptr<DataTreeSortContext>> sortContext;
    Property<std::shared_ptr<Expression>> selectionExpression;
    Property<bool> indentedViewMode;
    Property<bool> rowIndentedViewMode;
    Property<bool> columnIndentedViewMode;
    Property<bool> transpose;
    Property<bool> headerStyleTransposed;
    Property<bool> rowActionEnabled;
    Property<bool> columnActionEnabled;
    Property<bool> displayInteractionButtons;
    Property<bool> showEmptyRowsAndColumns;
    Property<bool> showAxisHeaders;
    Property<bool> showDrillAsHyperLinkText;
    Property<bool> columnAutoFill;
    Property<bool> allowColumnResizing;
    Property<int> measureWidth;
    Property<TableSelectionType::type> selectionMode;
    Property<std::shared_ptr<GridColumnInfoManager>> columnInfoManager;
    Property<std::shared_ptr<MonitoredVector<std::shared_ptr<const std::string>>>> suppressedTotalMeasureNames;
    Property<std::shared_ptr<MonitoredVector<std::shared_ptr<const std::string>>>> suppressedSubtotalMeasureNames;
    Property<std::shared_ptr<MonitoredVector<int>>> rowTotalSubTotalIndices;
};

} // namespace orvane
