// SPDX-License-Identifier: Apache-2.0
#pragma once
#include "orvane/OrvaneExport.h"
#include "orvane/package/BaseUIModel.h"
#include "orvane/host/style/AttributeBundle.h"
#include "orvane/host/data/Rule.h"
#include "orvane/host/data/SortDirection.h"
#include "orvane/package/CellVisualPosition.h"
#include "orvane/package/CellVisualType.h"
#include "orvane/package/ColumnContentType.h"
#include "orvane/properties/Property.h"

#include <memory>
#include <string>

namespace orvane {

class CompactFormatOptions;

class ORVANE_EXPORT DataGridColumnInfo : public BaseUIModel {
public:
    static constexpr int WRAPPER_TYPE_ID = 10022;
    DataGridColumnInfo();
    ~DataGridColumnInfo() override;
    static std::shared_ptr<DataGridColumnInfo> create();
    int getWrapperTypeId() const override { return WRAPPER_TYPE_ID; }

    Property<CellVisualType::type> cellVisual;
    Property<CellVisualPosition::type> cellVisualPosition;
    Property<std::shared_ptr<AttributeBundle>> cellVisualStyleAttributes;
    Property<unsigned int> cellVisualFillColor;
    Property<unsigned int> cellVisualMissingColor;
    Property<bool> useCompactFormat;
    Property<std::shared_ptr<CompactFormatOptions>, true> compactFormatOptions;
    Property<bool> sparkLine;
    Property<bool> sparkKPI;
    Property<std::shared_ptr<Rule>> displayRule;
    Property<SortDirection::type> sortDirection;
    Property<bool> primarySortApplied;
    Property<std::shared_ptr<const std::string>> styleClassName;
    Property<std::shared_ptr<const std::string>> presentationLabel;
    Property<ColumnContentType::type> columnType;
    Property<bool> interactiveHeader;
    Property<bool> totalVisible;
    Property<std::shared_ptr<const std::string>> compactFormatName;
    Property<bool> header;
    Property<int> columnIndex;
    Property<int> columnWidth;
};

} // namespace orvane
