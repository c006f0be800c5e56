// SPDX-License-Identifier: Apache-2.0
// Definition records of every model of the library (generated once from the model table; edit by hand).
#include "orvane/package/BaseUIModelDatabase.h"

#include "orvane/properties/NumericRangeValidator.h"

namespace orvane {

namespace {

constexpr PropertyAlias kClassAlias[] = {{"class", -11, 1}};
const NumericRangeValidator<unsigned int> kScaleValidator(1u, 4294967295u, true, true);
const NumericRangeValidator<unsigned int> kPrecisionValidator(1u, 4294967295u, true, true);
constexpr ModelRootRecord kRootRecord{{"", "", "", "", "", ""}, {0, 0}, 0, 3};

constexpr int32_t kBaseUIModelAncestry[] = {13, 129, 51, 10004};
const PropertyDefinition kCellGraphProperties[] = {
    {"value", 0, -3, 0x10510ull, {}, "", {}, "", nullptr},
    {"minimum", 1, -3, 0x10510ull, {}, "", {}, "", nullptr},
    {"maximum", 2, -3, 0x10510ull, {}, "", {}, "", nullptr},
    {"styleChain", 3, 152, 0x40140ull, {}, "", {}, "", nullptr},
    {"fillColor", 4, -7, 0x10510ull, {}, "", {}, "", nullptr},
    {"lineColor", 5, -7, 0x10510ull, {}, "", {}, "", nullptr},
    {"missingColor", 6, -7, 0x10510ull, {}, "", {}, "", nullptr},
};
constexpr int32_t kCellGraphAncestry[] = {10004, 13, 129, 51, 10006};
const PropertyDefinition kComboBoxModelProperties[] = {
    {"styleChain", 0, 152, 0x40140ull, {}, "", {}, "", nullptr},
    {"currentValue", 1, 46, 0x40140ull, {}, "", {}, "", nullptr},
    {"formattedMeasure", 2, -11, 0x10d10ull, {}, "", {}, "", nullptr},
    {"label", 3, -11, 0x10d10ull, {}, "", {}, "", nullptr},
};
constexpr int32_t kComboBoxModelAncestry[] = {10060, 10004, 13, 129, 51, 10007};
const PropertyDefinition kOrvaneCrosstabStateProperties[] = {
    {"visibleCells", 0, 10090, 0x40940ull, {}, "", {}, "", nullptr},
};
constexpr int32_t kOrvaneCrosstabStateAncestry[] = {10004, 13, 129, 51, 10008};
const PropertyDefinition kOrvaneTableStateProperties[] = {
    {"visibleCells", 0, 10090, 0x40940ull, {}, "", {}, "", nullptr},
};
constexpr int32_t kOrvaneTableStateAncestry[] = {10004, 13, 129, 51, 10009};
const PropertyDefinition kCompactFormatOptionsProperties[] = {
    {"scaleType", 0, -2007, 0x10520ull, {}, "", {}, "", nullptr},
    {"scale", 1, -12, 0x10510ull, {}, "", {}, "", &kScaleValidator},
    {"precisionType", 2, -2006, 0x10520ull, {}, "", {}, "", nullptr},
    {"precision", 3, -12, 0x10510ull, {}, "", {}, "", &kPrecisionValidator},
};
constexpr int32_t kCompactFormatOptionsAncestry[] = {10004, 13, 129, 51, 10011};
const PropertyDefinition kCrosstabProperties[] = {
    {"dataSet", 0, 42, 0x40540ull, {}, "", {}, "", nullptr},
    {"sourceDataSet", 1, 42, 0x40540ull, {}, "", {}, "", nullptr},
    {"excludedColumnNames", 2, -11, 0x100010d91ull, {}, "", {}, "", nullptr},
    {"rowDataTreeNode", 3, 44, 0x40140ull, {}, "", {}, "", nullptr},
    {"columnDataTreeNode", 4, 44, 0x40140ull, {}, "", {}, "", nullptr},
    {"rowHierarchy", 5, 76, 0x40140ull, {}, "", {}, "", nullptr},
    {"columnHierarchy", 6, 76, 0x40140ull, {}, "", {}, "", nullptr},
    {"style", 7, 151, 0x40540ull, {}, "", {}, "", nullptr},
    {"tableStyle", 8, 152, 0x40140ull, {}, "", {}, "", nullptr},
    {"scrollbarStyle", 9, 152, 0x40140ull, {}, "", {}, "", nullptr},
    {"rowHeaderStyle", 10, 152, 0x40140ull, {}, "", {}, "", nullptr},
    {"columnHeaderStyle", 11, 152, 0x40140ull, {}, "", {}, "", nullptr},
    {"measureHeaderStyle", 12, 152, 0x40140ull, {}, "", {}, "", nullptr},
    {"selectionStyle", 13, 152, 0x40140ull, {}, "", {}, "", nullptr},
    {"brushStyle", 14, 152, 0x40140ull, {}, "", {}, "", nullptr},
    {"totalStyle", 15, 152, 0x40140ull, {}, "", {}, "", nullptr},
    {"subtotalStyle", 16, 152, 0x40140ull, {}, "", {}, "", nullptr},
    {"columnHeaderLabelStyle", 17, 152, 0x40140ull, {}, "", {}, "", nullptr},
    {"rowHeaderLabelStyle", 18, 152, 0x40140ull, {}, "", {}, "", nullptr},
    {"hierarchyDataSet", 19, 77, 0x40140ull, {}, "", {}, "", nullptr},
    {"dataTreeSortContext", 20, 45, 0x40140ull, {}, "", {}, "", nullptr},
    {"rowHierarchyNames", 21, -11, 0x100010d91ull, {}, "", {}, "", nullptr},
    {"columnHierarchyNames", 22, -11, 0x100010d91ull, {}, "", {}, "", nullptr},
    {"measureColumnNames", 23, -11, 0x100010d91ull, {}, "", {}, "", nullptr},
    {"showRowTotal", 24, -1, 0x10510ull, {}, "", {}, "", nullptr},
    {"showRowSubTotal", 25, -1, 0x10510ull, {}, "", {}, "", nullptr},
    {"showColumnTotal", 26, -1, 0x10510ull, {}, "", {}, "", nullptr},
    {"showColumnSubTotal", 27, -1, 0x10510ull, {}, "", {}, "", nullptr},
    {"omittedSubtotalColumnLevelNames", 28, -11, 0x100010d91ull, {}, "", {}, "", nullptr},
    {"showSummaryOnTop", 29, -1, 0x10510ull, {}, "", {}, "", nullptr},
    {"showMissingLabelAsBlank", 30, -1, 0x10510ull, {}, "", {}, "", nullptr},
    {"showRowNumbers", 31, -1, 0x10510ull, {}, "", {}, "", nullptr},
    {"showRowNumberByHeader", 32, -1, 0x10510ull, {}, "", {}, "", nullptr},
    {"rowNumberHeaderLabel", 33, -11, 0x10d10ull, {}, "", {}, "", nullptr},
    {"rowAxisLevels", 34, 89, 0x1000401c1ull, {}, "", {}, "", nullptr},
    {"columnAxisLevels", 35, 89, 0x1000401c1ull, {}, "", {}, "", nullptr},
    {"numberOfMeasures", 36, -4, 0x10510ull, {}, "", {}, "", nullptr},
    {"sortContext", 37, 45, 0x40140ull, {}, "", {}, "", nullptr},
    {"selectionExpression", 38, 52, 0x40140ull, {}, "", {}, "", nullptr},
    {"indentedViewMode", 39, -1, 0x10510ull, {}, "", {}, "", nullptr},
    {"rowIndentedViewMode", 40, -1, 0x10510ull, {}, "", {}, "", nullptr},
    {"columnIndentedViewMode", 41, -1, 0x10510ull, {}, "", {}, "", nullptr},
    {"transpose", 42, -1, 0x10510ull, {}, "", {}, "", nullptr},
    {"headerStyleTransposed", 43, -1, 0x10510ull, {}, "", {}, "", nullptr},
    {"rowActionEnabled", 44, -1, 0x10510ull, {}, "", {}, "", nullptr},
    {"columnActionEnabled", 45, -1, 0x10510ull, {}, "", {}, "", nullptr},
    {"displayInteractionButtons", 46, -1, 0x10510ull, {}, "", {}, "", nullptr},
    {"showEmptyRowsAndColumns", 47, -1, 0x10510ull, {}, "", {}, "", nullptr},
    {"showAxisHeaders", 48, -1, 0x10510ull, {}, "", {}, "", nullptr},
    {"showDrillAsHyperLinkText", 49, -1, 0x10510ull, {}, "", {}, "", nullptr},
    {"columnAutoFill", 50, -1, 0x10510ull, {}, "", {}, "", nullptr},
    {"allowColumnResizing", 51, -1, 0x10510ull, {}, "", {}, "", nullptr},
    {"measureWidth", 52, -4, 0x10510ull, {}, "", {}, "", nullptr},
    {"selectionMode", 53, -2020, 0x10520ull, {}, "", {}, "", nullptr},
    {"columnInfoManager", 54, 10042, 0x40140ull, {}, "", {}, "", nullptr},
    {"suppressedTotalMeasureNames", 55, -11, 0x100010d91ull, {}, "", {}, "", nullptr},
    {"suppressedSubtotalMeasureNames", 56, -11, 0x100010d91ull, {}, "", {}, "", nullptr},
    {"rowTotalSubTotalIndices", 57, -4, 0x100010591ull, {}, "", {}, "", nullptr},
};
constexpr int32_t kCrosstabAncestry[] = {10004, 13, 129, 51, 10012};
const PropertyDefinition kCrosstabLevelInfoProperties[] = {
    {"sortDirection", 0, -1074, 0x10520ull, {}, "", {}, "", nullptr},
    {"styleClassName", 1, -11, 0x10d10ull, {}, "", {}, "", nullptr},
    {"width", 2, -4, 0x10510ull, {}, "", {}, "", nullptr},
};
constexpr int32_t kCrosstabLevelInfoAncestry[] = {10004, 13, 129, 51, 10015};
const PropertyDefinition kCrosstabModelBuilderProperties[] = {
    {"showRowTotal", 0, -1, 0x10510ull, {}, "", {}, "", nullptr},
    {"showRowSubTotal", 1, -1, 0x10510ull, {}, "", {}, "", nullptr},
    {"showColumnTotal", 2, -1, 0x10510ull, {}, "", {}, "", nullptr},
    {"showColumnSubTotal", 3, -1, 0x10510ull, {}, "", {}, "", nullptr},
    {"showSummaryOnTop", 4, -1, 0x10510ull, {}, "", {}, "", nullptr},
    {"showMissingLabelAsBlank", 5, -1, 0x10510ull, {}, "", {}, "", nullptr},
    {"aggregateData", 6, -1, 0x10510ull, {}, "", {}, "", nullptr},
    {"regenerateData", 7, -1, 0x10510ull, {}, "", {}, "", nullptr},
};
constexpr int32_t kCrosstabModelBuilderAncestry[] = {10004, 13, 129, 51, 10016};
const PropertyDefinition kDataGridProperties[] = {
    {"dataSet", 0, 42, 0x40540ull, {}, "", {}, "", nullptr},
    {"columnStyles", 1, 152, 0x1000401c1ull, {}, "", {}, "", nullptr},
    {"headerStyle", 2, 152, 0x40140ull, {}, "", {}, "", nullptr},
    {"selectionStyle", 3, 152, 0x40140ull, {}, "", {}, "", nullptr},
    {"totalStyle", 4, 152, 0x40140ull, {}, "", {}, "", nullptr},
    {"tableStyle", 5, 152, 0x40140ull, {}, "", {}, "", nullptr},
    {"hoverStyle", 6, 152, 0x40140ull, {}, "", {}, "", nullptr},
    {"scrollbarStyle", 7, 152, 0x40140ull, {}, "", {}, "", nullptr},
    {"style", 8, 151, 0x40540ull, {}, "", {}, "", nullptr},
    {"allowColumnReorder", 9, -1, 0x10510ull, {}, "", {}, "", nullptr},
    {"totalsVisible", 10, -1, 0x10510ull, {}, "", {}, "", nullptr},
    {"totalsPosition", 11, -2021, 0x10520ull, {}, "", {}, "", nullptr},
    {"totalsLabelVisible", 12, -1, 0x10510ull, {}, "", {}, "", nullptr},
    {"headersVisible", 13, -1, 0x10510ull, {}, "", {}, "", nullptr},
    {"showRowNumbers", 14, -1, 0x10510ull, {}, "", {}, "", nullptr},
    {"rowNumberHeaderLabel", 15, -11, 0x10d10ull, {}, "", {}, "", nullptr},
    {"showEmptyRowsAndColumns", 16, -1, 0x10510ull, {}, "", {}, "", nullptr},
    {"columnAutoFill", 17, -1, 0x10510ull, {}, "", {}, "", nullptr},
    {"fixedColumnCount", 18, -4, 0x10510ull, {}, "", {}, "", nullptr},
    {"enableCellCallback", 19, -1, 0x10510ull, {}, "", {}, "", nullptr},
    {"orderedColumnNames", 20, -11, 0x100010d91ull, {}, "", {}, "", nullptr},
    {"columnInfoManager", 21, 10042, 0x40140ull, {}, "", {}, "", nullptr},
    {"sortState", 22, 150, 0x40140ull, {}, "", {}, "", nullptr},
};
constexpr int32_t kDataGridAncestry[] = {10004, 13, 129, 51, 10019};
const PropertyDefinition kDataGridCellInfoProperties[] = {
    {"model", 0, 13, 0x40140ull, {}, "", {}, "", nullptr},
    {"row", 1, -4, 0x10510ull, {}, "", {}, "", nullptr},
    {"column", 2, -4, 0x10510ull, {}, "", {}, "", nullptr},
};
constexpr int32_t kDataGridCellInfoAncestry[] = {10004, 13, 129, 51, 10021};
const PropertyDefinition kDataGridColumnInfoProperties[] = {
    {"cellVisual", 0, -2004, 0x10520ull, {}, "", {}, "", nullptr},
    {"cellVisualPosition", 1, -2003, 0x10520ull, {}, "", {}, "", nullptr},
    {"cellVisualStyleAttributes", 2, 9, 0x40140ull, {}, "", {}, "", nullptr},
    {"cellVisualFillColor", 3, -7, 0x10510ull, {}, "", {}, "", nullptr},
    {"cellVisualMissingColor", 4, -7, 0x10510ull, {}, "", {}, "", nullptr},
    {"useCompactFormat", 5, -1, 0x10510ull, {}, "", {}, "", nullptr},
    {"compactFormatOptions", 6, 10011, 0x40940ull, {}, "", {}, "", nullptr},
    {"sparkLine", 7, -1, 0x10510ull, {}, "", {}, "", nullptr},
    {"sparkKPI", 8, -1, 0x10510ull, {}, "", {}, "", nullptr},
    {"displayRule", 9, 136, 0x40140ull, {}, "", {}, "", nullptr},
    {"sortDirection", 10, -1074, 0x10520ull, {}, "", {}, "", nullptr},
    {"primarySortApplied", 11, -1, 0x10510ull, {}, "", {}, "", nullptr},
    {"styleClassName", 12, -11, 0x10d10ull, {}, "", {}, "", nullptr},
    {"presentationLabel", 13, -11, 0x10d10ull, {}, "", {}, "", nullptr},
    {"columnType", 14, -2005, 0x10520ull, {}, "", {}, "", nullptr},
    {"interactiveHeader", 15, -1, 0x10510ull, {}, "", {}, "", nullptr},
    {"totalVisible", 16, -1, 0x10510ull, {}, "", {}, "", nullptr},
    {"compactFormatName", 17, -11, 0x10d10ull, {}, "", {}, "", nullptr},
    {"header", 18, -1, 0x10510ull, {}, "", {}, "", nullptr},
    {"columnIndex", 19, -4, 0x10510ull, {}, "", {}, "", nullptr},
    {"columnWidth", 20, -4, 0x10510ull, {}, "", {}, "", nullptr},
};
constexpr int32_t kDataGridColumnInfoAncestry[] = {10004, 13, 129, 51, 10022};
const PropertyDefinition kDivProperties[] = {
    {"styleClass", 0, -11, 0x10d10ull, kClassAlias, "", {}, "", nullptr},
    {"style", 1, -11, 0x10d10ull, {}, "", {}, "", nullptr},
    {"spans", 2, 10085, 0x1000409c1ull, {}, "", {}, "", nullptr},
    {"divs", 3, 10028, 0x1000409c1ull, {}, "", {}, "", nullptr},
};
constexpr int32_t kDivAncestry[] = {10004, 13, 129, 51, 10028};
constexpr ModelAlias kDivAliases[] = {{"div", 10028}};
constexpr int32_t kGeoEnrichmentCategoryAncestry[] = {10004, 13, 129, 51, 10035};
constexpr int32_t kGeoEnrichmentCountryAncestry[] = {10004, 13, 129, 51, 10036};
constexpr int32_t kGeoEnrichmentDataCollectionAncestry[] = {10004, 13, 129, 51, 10037};
constexpr int32_t kGeoEnrichmentFieldCategoryAncestry[] = {10004, 13, 129, 51, 10038};
constexpr int32_t kGeoEnrichmentVariableAncestry[] = {10004, 13, 129, 51, 10039};
constexpr int32_t kGeocodeInfoAncestry[] = {10004, 13, 129, 51, 10040};
const PropertyDefinition kGridDisplayOptionsProperties[] = {
    {"concise", 0, -1, 0x10510ull, {}, "", {}, "", nullptr},
    {"plain", 1, -1, 0x10510ull, {}, "", {}, "", nullptr},
    {"wrapall", 2, -1, 0x10510ull, {}, "", {}, "", nullptr},
    {"retainNewLines", 3, -1, 0x10510ull, {}, "", {}, "", nullptr},
};
constexpr int32_t kGridDisplayOptionsAncestry[] = {10004, 13, 129, 51, 10043};
const PropertyDefinition kLayoutConstraintProperties[] = {
    {"horizontalOffset", 0, 47, 0x10540ull, {}, "", {}, "", nullptr},
    {"verticalOffset", 1, 47, 0x10540ull, {}, "", {}, "", nullptr},
    {"width", 2, 47, 0x10540ull, {}, "", {}, "", nullptr},
    {"backupWidth", 3, 47, 0x10540ull, {}, "", {}, "", nullptr},
    {"height", 4, 47, 0x10540ull, {}, "", {}, "", nullptr},
    {"zIndex", 5, -4, 0x10510ull, {}, "", {}, "", nullptr},
    {"lockUserHeight", 6, -1, 0x10510ull, {}, "", {}, "", nullptr},
    {"lockUserWidth", 7, -1, 0x10510ull, {}, "", {}, "", nullptr},
    {"minimumHeight", 8, -3, 0x10510ull, {}, "", {}, "", nullptr},
    {"minimumWidth", 9, -3, 0x10510ull, {}, "", {}, "", nullptr},
    {"maximumHeight", 10, -3, 0x10510ull, {}, "", {}, "", nullptr},
    {"maximumWidth", 11, -3, 0x10510ull, {}, "", {}, "", nullptr},
    {"tiledReflowMinimumHeight", 12, -3, 0x10510ull, {}, "", {}, "", nullptr},
    {"responsiveWeights", 13, -3, 0x100010591ull, {}, "", {}, "", nullptr},
    {"backupResponsiveWeights", 14, -3, 0x100010591ull, {}, "", {}, "", nullptr},
    {"growVertical", 15, -1, 0x10510ull, {}, "", {}, "", nullptr},
    {"growHorizontal", 16, -1, 0x10510ull, {}, "", {}, "", nullptr},
    {"widthFlexibility", 17, -2009, 0x10520ull, {}, "", {}, "", nullptr},
    {"heightFlexibility", 18, -2009, 0x10520ull, {}, "", {}, "", nullptr},
    {"backupHeightFlexibility", 19, -2009, 0x10520ull, {}, "", {}, "", nullptr},
    {"widthPreferredSizeBehavior", 20, -2014, 0x10520ull, {}, "", {}, "", nullptr},
    {"heightPreferredSizeBehavior", 21, -2014, 0x10520ull, {}, "", {}, "", nullptr},
    {"considerChildrenForSizeCalculations", 22, -1, 0x10510ull, {}, "", {}, "", nullptr},
    {"padding", 23, 47, 0x10540ull, {}, "", {}, "", nullptr},
    {"headerHeight", 24, -3, 0x10510ull, {}, "", {}, "", nullptr},
    {"footerHeight", 25, -3, 0x10510ull, {}, "", {}, "", nullptr},
    {"leftSpace", 26, -3, 0x10510ull, {}, "", {}, "", nullptr},
    {"rightSpace", 27, -3, 0x10510ull, {}, "", {}, "", nullptr},
    {"additionalContentHeight", 28, -3, 0x10510ull, {}, "", {}, "", nullptr},
    {"additionalContentWidth", 29, -3, 0x10510ull, {}, "", {}, "", nullptr},
    {"borderThickness", 30, -3, 0x10510ull, {}, "", {}, "", nullptr},
    {"usePreferredSizeAsMaximum", 31, -1, 0x10510ull, {}, "", {}, "", nullptr},
    {"growPercentageContext", 32, 10048, 0x2010144ull, {}, "", {}, "", nullptr},
    {"singleChildMakesContainerHeightUnconstrained", 33, -1, 0x10510ull, {}, "", {}, "", nullptr},
    {"singleChildMakesContainerWidthUnconstrained", 34, -1, 0x10510ull, {}, "", {}, "", nullptr},
    {"useGroupDispatch", 35, -1, 0x10510ull, {}, "", {}, "", nullptr},
};
constexpr int32_t kLayoutConstraintAncestry[] = {10004, 13, 129, 51, 10046};
const PropertyDefinition kLayoutContextProperties[] = {
    {"defaultMinimumHeight", 0, -3, 0x10510ull, {}, "", {}, "", nullptr},
    {"designWidth", 1, -4, 0x10510ull, {}, "", {}, "", nullptr},
    {"containerInset", 2, -3, 0x10510ull, {}, "", {}, "", nullptr},
    {"tileGap", 3, -3, 0x10510ull, {}, "", {}, "", nullptr},
    {"invertXSpace", 4, -1, 0x10510ull, {}, "", {}, "", nullptr},
    {"invertYSpace", 5, -1, 0x10510ull, {}, "", {}, "", nullptr},
    {"positionTiledContentRelativeToRoot", 6, -1, 0x10510ull, {}, "", {}, "", nullptr},
    {"enableTileReflow", 7, -1, 0x10510ull, {}, "", {}, "", nullptr},
    {"enableTileMinimums", 8, -1, 0x10510ull, {}, "", {}, "", nullptr},
    {"disableRecursion", 9, -1, 0x10510ull, {}, "", {}, "", nullptr},
    {"ignoreContainerPadding", 10, -1, 0x10510ull, {}, "", {}, "", nullptr},
    {"handleScrollBarSpace", 11, -1, 0x10510ull, {}, "", {}, "", nullptr},
    {"scrollBarSize", 12, -3, 0x10510ull, {}, "", {}, "", nullptr},
    {"reserveSpaceForMinimum", 13, -1, 0x10510ull, {}, "", {}, "", nullptr},
};
constexpr int32_t kLayoutContextAncestry[] = {10004, 13, 129, 51, 10047};
const PropertyDefinition kLayoutProxyProperties[] = {
    {"x", 0, 47, 0x10540ull, {}, "", {}, "", nullptr},
    {"y", 1, 47, 0x10540ull, {}, "", {}, "", nullptr},
    {"w", 2, 47, 0x10540ull, {}, "", {}, "", nullptr},
    {"h", 3, 47, 0x10540ull, {}, "", {}, "", nullptr},
    {"children", 4, 10048, 0x1000409c1ull, {}, "", {}, "", nullptr},
    {"defaultStrategy", 5, 10049, 0x40940ull, {}, "", {}, "", nullptr},
    {"defaultConstraint", 6, 10046, 0x40940ull, {}, "", {}, "", nullptr},
    {"grow", 7, -1, 0x10510ull, {}, "", {}, "", nullptr},
    {"childrenPerLine", 8, -4, 0x100010591ull, {}, "", {}, "", nullptr},
    {"cumulativeExtraHeight", 9, -3, 0x10510ull, {}, "", {}, "", nullptr},
    {"cumulativeExtraWidth", 10, -3, 0x10510ull, {}, "", {}, "", nullptr},
    {"isDisabled", 11, -1, 0x10510ull, {}, "", {}, "", nullptr},
};
constexpr int32_t kLayoutProxyAncestry[] = {10004, 13, 129, 51, 10048};
constexpr int32_t kLayoutStrategyAncestry[] = {10004, 13, 129, 51, 10049};
const PropertyDefinition kPickedNodeInfoProperties[] = {
    {"nodeID", 0, -12, 0x10510ull, {}, "", {}, "", nullptr},
    {"detailIndex", 1, -13, 0x10510ull, {}, "", {}, "", nullptr},  // 64-bit unsigned
};
constexpr int32_t kPickedNodeInfoAncestry[] = {10004, 13, 129, 51, 10055};
const PropertyDefinition kPromptButtonBarModelProperties[] = {
    {"styleChain", 0, 152, 0x40140ull, {}, "", {}, "", nullptr},
    {"numberOfItems", 1, -12, 0x10510ull, {}, "", {}, "", nullptr},
    {"selectedIndex", 2, -4, 0x10510ull, {}, "", {}, "", nullptr},
    {"values", 3, 46, 0x1000401c1ull, {}, "", {}, "", nullptr},
    {"formattedMeasures", 4, -11, 0x100010d91ull, {}, "", {}, "", nullptr},
    {"selectedStyleChain", 5, 152, 0x40140ull, {}, "", {}, "", nullptr},
    {"isHorizonal", 6, -1, 0x10510ull, {}, "", {}, "", nullptr},
};
constexpr int32_t kPromptButtonBarModelAncestry[] = {10060, 10004, 13, 129, 51, 10058};
const PropertyDefinition kPromptListModelProperties[] = {
    {"styleChain", 0, 152, 0x40140ull, {}, "", {}, "", nullptr},
    {"numberOfItems", 1, -12, 0x10510ull, {}, "", {}, "", nullptr},
    {"isIndexSelected", 2, -1, 0x100010591ull, {}, "", {}, "", nullptr},
    {"values", 3, 46, 0x1000401c1ull, {}, "", {}, "", nullptr},
    {"formattedMeasures", 4, -11, 0x100010d91ull, {}, "", {}, "", nullptr},
    {"isPromptListRadio", 5, -1, 0x10510ull, {}, "", {}, "", nullptr},
};
constexpr int32_t kPromptListModelAncestry[] = {10060, 10004, 13, 129, 51, 10059};
const PropertyDefinition kPromptModelProperties[] = {
    {"styleChain", 0, 152, 0x40140ull, {}, "", {}, "", nullptr},
};
constexpr int32_t kPromptModelAncestry[] = {10004, 13, 129, 51, 10060};
const PropertyDefinition kRangeSliderModelProperties[] = {
    {"styleChain", 0, 152, 0x40140ull, {}, "", {}, "", nullptr},
    {"minimumValue", 1, -2, 0x10510ull, {}, "", {}, "", nullptr},
    {"maximumValue", 2, -2, 0x10510ull, {}, "", {}, "", nullptr},
    {"formattedMinimumValue", 3, -11, 0x10d10ull, {}, "", {}, "", nullptr},
    {"formattedMaximumValue", 4, -11, 0x10d10ull, {}, "", {}, "", nullptr},
    {"isHorizontal", 5, -1, 0x10510ull, {}, "", {}, "", nullptr},
    {"selectedMinimumValue", 6, -2, 0x10510ull, {}, "", {}, "", nullptr},
    {"selectedMaximumValue", 7, -2, 0x10510ull, {}, "", {}, "", nullptr},
    {"formattedSelectedMinimumValue", 8, -11, 0x10d10ull, {}, "", {}, "", nullptr},
    {"formattedSelectedMaximumValue", 9, -11, 0x10d10ull, {}, "", {}, "", nullptr},
};
constexpr int32_t kRangeSliderModelAncestry[] = {10080, 10060, 10004, 13, 129, 51, 10063};
constexpr int32_t kRelativeLayoutStrategyAncestry[] = {10049, 10004, 13, 129, 51, 10065};
const PropertyDefinition kResponsiveLayoutStrategyProperties[] = {
    {"orientation", 0, -2010, 0x10520ull, {}, "", {}, "", nullptr},
    {"backupOrientation", 1, -2010, 0x10520ull, {}, "", {}, "", nullptr},
    {"overflow", 2, -2017, 0x10520ull, {}, "", {}, "", nullptr},
    {"backupOverflow", 3, -2017, 0x10520ull, {}, "", {}, "", nullptr},
    {"minSize", 4, -3, 0x10510ull, {}, "", {}, "", nullptr},
    {"maxSize", 5, -3, 0x10510ull, {}, "", {}, "", nullptr},
    {"preferredSize", 6, -3, 0x10510ull, {}, "", {}, "", nullptr},
};
constexpr int32_t kResponsiveLayoutStrategyAncestry[] = {10049, 10004, 13, 129, 51, 10066};
const PropertyDefinition kRichTextNodeProperties[] = {
    {"text", 0, -11, 0x10d10ull, {}, "", {}, "", nullptr},
    {"textStyle", 1, 152, 0x40140ull, {}, "", {}, "", nullptr},
    {"action", 2, -11, 0x10d10ull, {}, "", {}, "", nullptr},
    {"children", 3, 10067, 0x1000409c1ull, {}, "", {}, "", nullptr},
};
constexpr int32_t kRichTextNodeAncestry[] = {10004, 13, 129, 51, 10067};
const PropertyDefinition kSelectionProperties[] = {
    {"dataName", 0, -11, 0x10d10ull, {}, "", {}, "", nullptr},
    {"expression", 1, 52, 0x40140ull, {}, "", {}, "", nullptr},
};
constexpr int32_t kSelectionAncestry[] = {10004, 13, 129, 51, 10069};
const PropertyDefinition kSelectionControlProperties[] = {
    {"items", 0, 10073, 0x1000409c1ull, {}, "", {}, "", nullptr},
};
constexpr int32_t kSelectionControlAncestry[] = {10004, 13, 129, 51, 10071};
const PropertyDefinition kSelectionControlItemProperties[] = {
    {"label", 0, -11, 0x10d10ull, {}, "", {}, "", nullptr},
    {"terms", 1, 10074, 0x1000409c1ull, {}, "", {}, "", nullptr},
    {"selections", 2, 10069, 0x1000409c1ull, {}, "", {}, "", nullptr},
    {"selectionController", 3, 10075, 0x40140ull, {}, "", {}, "", nullptr},
    {"selectionOptions", 4, 10076, 0x40940ull, {}, "", {}, "", nullptr},
    {"readOnly", 5, -1, 0x10510ull, {}, "", {}, "", nullptr},
};
constexpr int32_t kSelectionControlItemAncestry[] = {10004, 13, 129, 51, 10073};
const PropertyDefinition kSelectionControlTermProperties[] = {
    {"label", 0, -11, 0x10d10ull, {}, "", {}, "", nullptr},
    {"expression", 1, 52, 0x40140ull, {}, "", {}, "", nullptr},
};
constexpr int32_t kSelectionControlTermAncestry[] = {10004, 13, 129, 51, 10074};
const PropertyDefinition kSelectionOptionsProperties[] = {
    {"expectedDataNames", 0, -11, 0x100010d91ull, {}, "", {}, "", nullptr},
    {"expectedVariableNames", 1, -11, 0x100010d91ull, {}, "", {}, "", nullptr},
    {"hierarchies", 2, 76, 0x1000401c1ull, {}, "", {}, "", nullptr},
    {"includeAllOther", 3, -1, 0x10510ull, {}, "", {}, "", nullptr},
    {"includeDrillInSelections", 4, -1, 0x10510ull, {}, "", {}, "", nullptr},
};
constexpr int32_t kSelectionOptionsAncestry[] = {10004, 13, 129, 51, 10076};
const PropertyDefinition kSingleRangeSliderModelProperties[] = {
    {"styleChain", 0, 152, 0x40140ull, {}, "", {}, "", nullptr},
    {"minimumValue", 1, -2, 0x10510ull, {}, "", {}, "", nullptr},
    {"maximumValue", 2, -2, 0x10510ull, {}, "", {}, "", nullptr},
    {"formattedMinimumValue", 3, -11, 0x10d10ull, {}, "", {}, "", nullptr},
    {"formattedMaximumValue", 4, -11, 0x10d10ull, {}, "", {}, "", nullptr},
    {"isHorizontal", 5, -1, 0x10510ull, {}, "", {}, "", nullptr},
    {"selectedValue", 6, -2, 0x10510ull, {}, "", {}, "", nullptr},
    {"formattedSelectedValue", 7, -11, 0x10d10ull, {}, "", {}, "", nullptr},
};
constexpr int32_t kSingleRangeSliderModelAncestry[] = {10080, 10060, 10004, 13, 129, 51, 10078};
const PropertyDefinition kSlideLayoutStrategyProperties[] = {
    {"orientation", 0, -2010, 0x10520ull, {}, "", {}, "", nullptr},
};
constexpr int32_t kSlideLayoutStrategyAncestry[] = {10049, 10004, 13, 129, 51, 10079};
const PropertyDefinition kSliderModelProperties[] = {
    {"styleChain", 0, 152, 0x40140ull, {}, "", {}, "", nullptr},
    {"minimumValue", 1, -2, 0x10510ull, {}, "", {}, "", nullptr},
    {"maximumValue", 2, -2, 0x10510ull, {}, "", {}, "", nullptr},
    {"formattedMinimumValue", 3, -11, 0x10d10ull, {}, "", {}, "", nullptr},
    {"formattedMaximumValue", 4, -11, 0x10d10ull, {}, "", {}, "", nullptr},
    {"isHorizontal", 5, -1, 0x10510ull, {}, "", {}, "", nullptr},
};
constexpr int32_t kSliderModelAncestry[] = {10060, 10004, 13, 129, 51, 10080};
const PropertyDefinition kSpanProperties[] = {
    {"styleClass", 0, -11, 0x10d10ull, kClassAlias, "", {}, "", nullptr},
    {"style", 1, -11, 0x10d10ull, {}, "", {}, "", nullptr},
    {"content", 2, -11, 0x20d10ull, {}, "", {}, "", nullptr},
    {"parentSpan", 3, 10085, 0x20002014146ull, {}, "", {}, "", nullptr},
    {"spans", 4, 10085, 0x1000409c1ull, {}, "", {}, "", nullptr},
};
constexpr int32_t kSpanAncestry[] = {10004, 13, 129, 51, 10085};
constexpr ModelAlias kSpanAliases[] = {{"span", 10085}};
constexpr int32_t kStackLayoutStrategyAncestry[] = {10049, 10004, 13, 129, 51, 10086};
const PropertyDefinition kTextFieldModelProperties[] = {
    {"styleChain", 0, 152, 0x40140ull, {}, "", {}, "", nullptr},
    {"currentValue", 1, 46, 0x40140ull, {}, "", {}, "", nullptr},
    {"label", 2, -11, 0x10d10ull, {}, "", {}, "", nullptr},
};
constexpr int32_t kTextFieldModelAncestry[] = {10060, 10004, 13, 129, 51, 10087};
const PropertyDefinition kTiledLayoutStrategyProperties[] = {
    {"orientation", 0, -2010, 0x10520ull, {}, "", {}, "", nullptr},
};
constexpr int32_t kTiledLayoutStrategyAncestry[] = {10049, 10004, 13, 129, 51, 10088};
constexpr int32_t kTiledReflowLayoutStrategyAncestry[] = {10049, 10004, 13, 129, 51, 10089};
const PropertyDefinition kVisibleCellsProperties[] = {
    {"horizontalIndex", 0, -4, 0x10510ull, {}, "", {}, "", nullptr},
    {"verticalIndex", 1, -4, 0x10510ull, {}, "", {}, "", nullptr},
    {"horizontalCells", 2, -4, 0x10510ull, {}, "", {}, "", nullptr},
    {"verticalCells", 3, -4, 0x10510ull, {}, "", {}, "", nullptr},
};
constexpr int32_t kVisibleCellsAncestry[] = {10004, 13, 129, 51, 10090};

} // namespace

constinit const PropertyDefinition BaseUIModelDatabase::missingProperty_{};

constinit const ModelDefinition BaseUIModelDatabase::definitions_[] = {
    {"BaseUIModel", 10004, 0, 0, {}, {}, "", &kRootRecord, "BaseUIModel", kBaseUIModelAncestry},
    {},
    {"CellGraph", 10006, 0, 0, kCellGraphProperties, {}, "", &kRootRecord, "CellGraph", kCellGraphAncestry},
    {"ComboBoxModel", 10007, 0, 0, kComboBoxModelProperties, {}, "", &kRootRecord, "ComboBoxModel", kComboBoxModelAncestry},
    {"OrvaneCrosstabState", 10008, 0, 0, kOrvaneCrosstabStateProperties, {}, "", &kRootRecord, "OrvaneCrosstabState", kOrvaneCrosstabStateAncestry},
    {"OrvaneTableState", 10009, 0, 0, kOrvaneTableStateProperties, {}, "", &kRootRecord, "OrvaneTableState", kOrvaneTableStateAncestry},
    {},
    {"CompactFormatOptions", 10011, 0, 0, kCompactFormatOptionsProperties, {}, "", &kRootRecord, "CompactFormatOptions", kCompactFormatOptionsAncestry},
    {"Crosstab", 10012, 0, 0, kCrosstabProperties, {}, "", &kRootRecord, "Crosstab", kCrosstabAncestry},
    {},
    {},
    {"CrosstabLevelInfo", 10015, 0, 0, kCrosstabLevelInfoProperties, {}, "", &kRootRecord, "CrosstabLevelInfo", kCrosstabLevelInfoAncestry},
    {"CrosstabModelBuilder", 10016, 0, 0, kCrosstabModelBuilderProperties, {}, "", &kRootRecord, "CrosstabModelBuilder", kCrosstabModelBuilderAncestry},
    {},
    {},
    {"DataGrid", 10019, 0, 0, kDataGridProperties, {}, "", &kRootRecord, "DataGrid", kDataGridAncestry},
    {},
    {"DataGridCellInfo", 10021, 0, 0, kDataGridCellInfoProperties, {}, "", &kRootRecord, "DataGridCellInfo", kDataGridCellInfoAncestry},
    {"DataGridColumnInfo", 10022, 0, 0, kDataGridColumnInfoProperties, {}, "", &kRootRecord, "DataGridColumnInfo", kDataGridColumnInfoAncestry},
    {},
    {},
    {},
    {},
    {},
    {"Div", 10028, 0, 5, kDivProperties, kDivAliases, "", &kRootRecord, "div", kDivAncestry},
    {},
    {},
    {},
    {},
    {},
    {},
    {"GeoEnrichmentCategory", 10035, 0, 0, {}, {}, "", &kRootRecord, "GeoEnrichmentCategory", kGeoEnrichmentCategoryAncestry},
    {"GeoEnrichmentCountry", 10036, 0, 0, {}, {}, "", &kRootRecord, "GeoEnrichmentCountry", kGeoEnrichmentCountryAncestry},
    {"GeoEnrichmentDataCollection", 10037, 0, 0, {}, {}, "", &kRootRecord, "GeoEnrichmentDataCollection", kGeoEnrichmentDataCollectionAncestry},
    {"GeoEnrichmentFieldCategory", 10038, 0, 0, {}, {}, "", &kRootRecord, "GeoEnrichmentFieldCategory", kGeoEnrichmentFieldCategoryAncestry},
    {"GeoEnrichmentVariable", 10039, 0, 0, {}, {}, "", &kRootRecord, "GeoEnrichmentVariable", kGeoEnrichmentVariableAncestry},
    {"GeocodeInfo", 10040, 0, 0, {}, {}, "", &kRootRecord, "GeocodeInfo", kGeocodeInfoAncestry},
    {},
    {},
    {"GridDisplayOptions", 10043, 0, 0, kGridDisplayOptionsProperties, {}, "", &kRootRecord, "GridDisplayOptions", kGridDisplayOptionsAncestry},
    {},
    {},
    {"LayoutConstraint", 10046, 0, 0, kLayoutConstraintProperties, {}, "", &kRootRecord, "LayoutConstraint", kLayoutConstraintAncestry},
    {"LayoutContext", 10047, 0, 0, kLayoutContextProperties, {}, "", &kRootRecord, "LayoutContext", kLayoutContextAncestry},
    {"LayoutProxy", 10048, 0, 0, kLayoutProxyProperties, {}, "", &kRootRecord, "LayoutProxy", kLayoutProxyAncestry},
    {"LayoutStrategy", 10049, 0, 0, {}, {}, "", &kRootRecord, "LayoutStrategy", kLayoutStrategyAncestry},
    {},
    {},
    {},
    {},
    {},
    {"PickedNodeInfo", 10055, 0, 0, kPickedNodeInfoProperties, {}, "", &kRootRecord, "PickedNodeInfo", kPickedNodeInfoAncestry},
    {},
    {},
    {"PromptButtonBarModel", 10058, 0, 0, kPromptButtonBarModelProperties, {}, "", &kRootRecord, "PromptButtonBarModel", kPromptButtonBarModelAncestry},
    {"PromptListModel", 10059, 0, 0, kPromptListModelProperties, {}, "", &kRootRecord, "PromptListModel", kPromptListModelAncestry},
    {"PromptModel", 10060, 0, 0, kPromptModelProperties, {}, "", &kRootRecord, "PromptModel", kPromptModelAncestry},
    {},
    {},
    {"RangeSliderModel", 10063, 0, 0, kRangeSliderModelProperties, {}, "", &kRootRecord, "RangeSliderModel", kRangeSliderModelAncestry},
    {},
    {"RelativeLayoutStrategy", 10065, 0, 0, {}, {}, "", &kRootRecord, "RelativeLayoutStrategy", kRelativeLayoutStrategyAncestry},
    {"ResponsiveLayoutStrategy", 10066, 0, 0, kResponsiveLayoutStrategyProperties, {}, "", &kRootRecord, "ResponsiveLayoutStrategy", kResponsiveLayoutStrategyAncestry},
    {"RichTextNode", 10067, 0, 0, kRichTextNodeProperties, {}, "", &kRootRecord, "RichTextNode", kRichTextNodeAncestry},
    {},
    {"Selection", 10069, 0, 0, kSelectionProperties, {}, "", &kRootRecord, "Selection", kSelectionAncestry},
    {},
    {"SelectionControl", 10071, 0, 0, kSelectionControlProperties, {}, "", &kRootRecord, "SelectionControl", kSelectionControlAncestry},
    {},
    {"SelectionControlItem", 10073, 0, 0, kSelectionControlItemProperties, {}, "", &kRootRecord, "SelectionControlItem", kSelectionControlItemAncestry},
    {"SelectionControlTerm", 10074, 0, 0, kSelectionControlTermProperties, {}, "", &kRootRecord, "SelectionControlTerm", kSelectionControlTermAncestry},
    {},
    {"SelectionOptions", 10076, 0, 0, kSelectionOptionsProperties, {}, "", &kRootRecord, "SelectionOptions", kSelectionOptionsAncestry},
    {},
    {"SingleRangeSliderModel", 10078, 0, 0, kSingleRangeSliderModelProperties, {}, "", &kRootRecord, "SingleRangeSliderModel", kSingleRangeSliderModelAncestry},
    {"SlideLayoutStrategy", 10079, 0, 0, kSlideLayoutStrategyProperties, {}, "", &kRootRecord, "SlideLayoutStrategy", kSlideLayoutStrategyAncestry},
    {"SliderModel", 10080, 0, 0, kSliderModelProperties, {}, "", &kRootRecord, "SliderModel", kSliderModelAncestry},
    {},
    {},
    {},
    {},
    {"Span", 10085, 0, 0, kSpanProperties, kSpanAliases, "", &kRootRecord, "span", kSpanAncestry},
    {"StackLayoutStrategy", 10086, 0, 0, {}, {}, "", &kRootRecord, "StackLayoutStrategy", kStackLayoutStrategyAncestry},
    {"TextFieldModel", 10087, 0, 0, kTextFieldModelProperties, {}, "", &kRootRecord, "TextFieldModel", kTextFieldModelAncestry},
    {"TiledLayoutStrategy", 10088, 0, 0, kTiledLayoutStrategyProperties, {}, "", &kRootRecord, "TiledLayoutStrategy", kTiledLayoutStrategyAncestry},
    {"TiledReflowLayoutStrategy", 10089, 0, 0, {}, {}, "", &kRootRecord, "TiledReflowLayoutStrategy", kTiledReflowLayoutStrategyAncestry},
    {"VisibleCells", 10090, 0, 0, kVisibleCellsProperties, {}, "", &kRootRecord, "VisibleCells", kVisibleCellsAncestry},
};

} // namespace orvane
