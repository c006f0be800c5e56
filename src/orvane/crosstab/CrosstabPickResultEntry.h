// SPDX-License-Identifier: Apache-2.0
#pragma once
#include "orvane/OrvaneExport.h"
#include "orvane/view/DisplayTreeNode.h"
#include "orvane/view/PickResultEntry.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace orvane {

/// What a pick on a crosstab hit: the component (data cell, measure header,
/// row or column header, or an axis-label header), the cell's place on the
/// screen, the header node and its member path, and the button under the
/// pointer (expand, collapse, drill, paging) when there is one.
class ORVANE_EXPORT CrosstabPickResultEntry : public PickResultEntry {
public:
    static constexpr int WRAPPER_TYPE_ID = 10017;
    /// The button that was hit.
    enum class ButtonType { EXPAND, COLLAPSE, DRILLDOWN, PAGE_UP, PAGE_UP_END, PAGE_DOWN, PAGE_DOWN_END, NONE };
    /// What was hit.
    enum class Type { DATA_CELL, MEASURE_HEADER, COLUMN_HEADER, ROW_HEADER, ROW_AXIS_LABEL_HEADER, COLUMN_AXIS_LABEL_HEADER };

    static std::shared_ptr<CrosstabPickResultEntry> create() { return std::make_shared<CrosstabPickResultEntry>(); }
    int getWrapperTypeId() const override { return WRAPPER_TYPE_ID; }

    Type type = Type::DATA_CELL;
    uint64_t pickId = ~uint64_t(0);
    /// Data cells: the grid row and column; headers: the first leaf and the level.
    int64_t row = -1;
    int column = -1;
    /// Leaf or cell index.
    int index = -1;
    float x = 0.0f, y = 0.0f, cellWidth = 0.0f, cellHeight = 0.0f;
    std::shared_ptr<DataTreeNode> node;
    std::shared_ptr<DisplayTreeNode> displayTreeNode;
    std::string hierarchyName;
    std::vector<std::string> hierarchyPath;
    std::string sourceDataSetName;
    ButtonType buttonType = ButtonType::NONE;
    bool allOther = false;
    bool totalColumn = false;
    bool subtotalColumn = false;
    /// The text shown in the cell.
    std::string text;

    /// The button of a display-list header button code (TqCrosstab::BUTTON_...).
    static ButtonType buttonTypeForCode(int code);
    static const char* buttonTypeName(ButtonType type);
    static const char* typeName(Type type);
};

} // namespace orvane
