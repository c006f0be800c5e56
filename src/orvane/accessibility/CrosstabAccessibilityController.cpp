// SPDX-License-Identifier: Apache-2.0
#include "orvane/accessibility/CrosstabAccessibilityController.h"

#include "orvane/accessibility/AccessibilityElement.h"
#include "orvane/accessibility/AccessibilityMessages.h"
#include "orvane/crosstab/Crosstab.h"
#include "orvane/host/data/DataTreeNode.h"
#include "orvane/host/data/DataValue.h"
#include "orvane/host/data/Hierarchy.h"
#include "orvane/host/data/Level.h"
#include "orvane/view/BaseView.h"
#include "orvane/view/DisplayTreeNode.h"

#include <cmath>

namespace orvane {

namespace {
std::string joined(const std::vector<std::string>& parts, const char* separator = "; ") {
    std::string out;
    for (const auto& p : parts) {
        if (p.empty()) continue;
        if (!out.empty()) out += separator;
        out += p;
    }
    return out;
}

bool isTotal(const std::shared_ptr<DataTreeNode>& node) {
    auto display = std::dynamic_pointer_cast<DisplayTreeNode>(node);
    return display && display->getNodeType() != NodeType::NONE;
}

// The node whose expand state the hierarchy keeps: a display node's data node.
std::shared_ptr<DataTreeNode> dataNodeOf(const std::shared_ptr<DataTreeNode>& node) {
    auto display = std::dynamic_pointer_cast<DisplayTreeNode>(node);
    auto data = display ? display->getDataTreeNode() : nullptr;
    return data ? data : node;
}

// Rows (or columns) drawn under a header: its leaves, a collapsed member
// counting as one. Columns count a leaf's measures.
int drawnLeaves(const std::shared_ptr<DataTreeNode>& node, bool measures, int depth = 0) {
    if (!node) return 0;
    if (node->isLeaf() || node->isCollapsed() || depth > 64) {
        auto display = std::dynamic_pointer_cast<DisplayTreeNode>(node);
        return measures && display && display->getSpan() > 1 ? display->getSpan() : 1;
    }
    int n = 0;
    for (const auto& c : node->getChildren()) n += drawnLeaves(c, measures, depth + 1);
    return std::max(n, 1);
}
} // namespace

std::shared_ptr<CrosstabAccessibilityController> CrosstabAccessibilityController::create(
    const std::shared_ptr<BaseView>& view, const std::shared_ptr<Crosstab>& crosstab) {
    auto c = std::make_shared<CrosstabAccessibilityController>();
    c->attach(view);
    c->crosstab_ = crosstab;
    c->setModel(crosstab);
    c->setObjectDescription(AccessibilityMessages::text("accessibility.objectType.crosstab.txt"));
    c->setIncludeOffscreenNodesInImageMap(true);
    return c;
}

AccessibilityController::ElementList CrosstabAccessibilityController::getAccessibilityElements(
    AccessibilityDetailType::type detail) {
    switch (detail) {
    case AccessibilityDetailType::DATA_ELEMENTS: return getGridAccessibilityElements();
    case AccessibilityDetailType::CROSSTAB_ROW_HEADER: return getHeaderAccessibilityElements(Axis::ROW);
    case AccessibilityDetailType::CROSSTAB_COLUMN_HEADER: return getHeaderAccessibilityElements(Axis::COLUMN);
    case AccessibilityDetailType::CROSSTAB_ROW_AXIS_LABEL_HEADER: return getAxisLabelHeaderAccessibilityElements(Axis::ROW);
    case AccessibilityDetailType::CROSSTAB_COLUMN_AXIS_LABEL_HEADER:
        return getAxisLabelHeaderAccessibilityElements(Axis::COLUMN);
    default: return {};
    }
}

AccessibilityController::ElementList CrosstabAccessibilityController::getGridAccessibilityElements() {
    return TableAccessibilityController::getAccessibilityElements(AccessibilityDetailType::DATA_ELEMENTS);
}

AccessibilityController::ElementList CrosstabAccessibilityController::getHeaderAccessibilityElements(Axis axis) {
    ElementList out;
    for (const auto& e : getGridAccessibilityElements())
        if (e && e->getRole() == (axis == Axis::ROW ? AccessibilityElement::ROLE_ROW_HEADER
                                                    : AccessibilityElement::ROLE_COLUMN_HEADER))
            out.push_back(e);
    return out;
}

AccessibilityController::ElementList CrosstabAccessibilityController::getAxisLabelHeaderAccessibilityElements(Axis) {
    // Axis-label headers are drawn by the crosstab's grid node only.
    return {};
}

std::shared_ptr<Hierarchy> CrosstabAccessibilityController::getHierarchy(Axis axis) const {
    auto c = crosstab_.lock();
    if (!c) return nullptr;
    return axis == Axis::ROW ? c->rowHierarchy.get() : c->columnHierarchy.get();
}

int CrosstabAccessibilityController::getAxisLevelCount(Axis axis) const {
    auto c = crosstab_.lock();
    if (!c) return 0;
    auto levels = axis == Axis::ROW ? c->rowAxisLevels.get() : c->columnAxisLevels.get();
    if (levels && !levels->empty()) return int(levels->size());
    auto h = getHierarchy(axis);
    return h ? int(h->getLevelsDown().size()) : 0;
}

std::string CrosstabAccessibilityController::getValueLabel(const std::shared_ptr<DataValue>& value,
                                                           const std::string& formatted) const {
    if (value && (value->isMissing() || value->isSparse()))
        return AccessibilityMessages::text("accessibility.table.missingValue.txt");
    if (!formatted.empty()) return formatted;
    return value ? value->toString() : std::string();
}

std::string CrosstabAccessibilityController::getLabelFromNode(const std::shared_ptr<DataTreeNode>& node) const {
    if (!node) return {};
    auto value = node->getDataValue();
    std::string text = node->getPresentableText();
    if (!value && text.empty()) return {};
    return getValueLabel(value, text);
}

std::string CrosstabAccessibilityController::getLevelLabel(Axis axis, const std::shared_ptr<DataTreeNode>& node) const {
    if (!node) return {};
    if (isTotal(node))
        return AccessibilityMessages::text(axis == Axis::ROW ? "accessibility.crosstab.rowTotal.txt"
                                                             : "accessibility.crosstab.columnTotal.txt");
    auto hierarchy = getHierarchy(axis);
    std::vector<std::string> parts;
    for (const auto& n : node->getUniqueNodePath()) {
        if (!n || !n->getParent()) continue;  // the root stands for every row
        std::string name;
        if (const auto& levelName = n->getLevelName()) {
            name = *levelName;
            if (auto level = hierarchy ? hierarchy->getLevelForName(*levelName) : nullptr)
                if (level->getLabel() && !level->getLabel()->empty()) name = *level->getLabel();
        }
        std::string value = getLabelFromNode(n);
        if (value.empty() && n->getLabel()) value = *n->getLabel();
        parts.push_back(name.empty() ? value : name + " = " + value);
    }
    return joined(parts, ", ");
}

void CrosstabAccessibilityController::getHeaderSpans(Axis axis, const std::shared_ptr<DataTreeNode>& node,
                                                     int& columnSpan, int& rowSpan) const {
    columnSpan = rowSpan = 1;
    if (!node) return;
    // Levels the header covers across its axis.
    const int levels = getAxisLevelCount(axis);
    int covered = 1;
    if (levels > 0) {
        const int level = std::max(1, node->getLevel());
        if (node->isLeaf() || node->isCollapsed()) covered = std::max(1, levels - level + 1);
        else covered = std::max(1, node->getChildren().front()->getLevel() - level);
    }
    // Cells it covers along its axis, as drawn.
    const int cells = drawnLeaves(node, axis == Axis::COLUMN);
    if (axis == Axis::ROW) {
        columnSpan = covered;
        rowSpan = cells;
    } else {
        columnSpan = cells;
        rowSpan = covered;
    }
}

std::string CrosstabAccessibilityController::describeSpans(int columnSpan, int rowSpan) {
    const std::string c = AccessibilityMessages::number(columnSpan), r = AccessibilityMessages::number(rowSpan);
    if (columnSpan >= 2 && rowSpan >= 2) return AccessibilityMessages::text("accessibility.crosstab.rowColumnSpans.txt", {c, r});
    if (rowSpan >= 2) return AccessibilityMessages::text("accessibility.crosstab.rowSpans.txt", {r});
    if (columnSpan >= 2) return AccessibilityMessages::text("accessibility.crosstab.columnSpans.txt", {c});
    return {};
}

std::string CrosstabAccessibilityController::describeExpansion(Axis axis, const std::shared_ptr<DataTreeNode>& node) const {
    if (!node || isTotal(node)) return {};
    auto data = dataNodeOf(node);
    auto hierarchy = getHierarchy(axis);
    if (data->isCollapsed())
        return hierarchy && hierarchy->canExpand(data) ? AccessibilityMessages::text("accessibility.crosstab.collapsed.txt")
                                                       : std::string();
    return data->hasChildren() ? AccessibilityMessages::text("accessibility.crosstab.expanded.txt") : std::string();
}

std::string CrosstabAccessibilityController::describeHeader(Axis axis, const std::shared_ptr<DataTreeNode>& node) const {
    if (!node) return {};
    int columnSpan, rowSpan;
    getHeaderSpans(axis, node, columnSpan, rowSpan);
    auto hierarchy = getHierarchy(axis);
    auto data = dataNodeOf(node);
    bool drill = !isTotal(node) && hierarchy && hierarchy->canDrillDown(data);
    return joined({AccessibilityMessages::text(axis == Axis::ROW ? "accessibility.crosstab.rowHeader.txt"
                                                                 : "accessibility.crosstab.columnHeader.txt"),
                   AccessibilityMessages::text("accessibility.crosstab.level.txt",
                                               {AccessibilityMessages::number(std::max(1, node->getLevel()))}),
                   getLevelLabel(axis, node), describeExpansion(axis, node),
                   drill ? AccessibilityMessages::text("accessibility.crosstab.drillable.txt") : std::string(),
                   describeSpans(columnSpan, rowSpan)});
}

std::string CrosstabAccessibilityController::describeAxisLabelHeader(Axis axis, int level) const {
    auto hierarchy = getHierarchy(axis);
    std::string label;
    if (hierarchy) {
        auto levels = hierarchy->getLevelsDown();
        if (level >= 0 && size_t(level) < levels.size() && levels[size_t(level)]) {
            const auto& l = levels[size_t(level)];
            label = l->getLabel() && !l->getLabel()->empty() ? *l->getLabel() : l->getName() ? *l->getName() : "";
        }
    }
    return joined({AccessibilityMessages::text(axis == Axis::ROW ? "accessibility.crosstab.rowCategory.txt"
                                                                 : "accessibility.crosstab.columnCategory.txt"),
                   label});
}

std::string CrosstabAccessibilityController::describeMeasureHeader(const std::shared_ptr<DataTreeNode>& columnLeaf,
                                                                   const std::string& measure, int sortIndicator) const {
    auto c = crosstab_.lock();
    bool transposed = c && c->transpose.get();
    Axis axis = transposed ? Axis::ROW : Axis::COLUMN;
    std::string sort;
    if (sortIndicator == 1) sort = AccessibilityMessages::text("accessibility.table.sortAscending.txt");
    if (sortIndicator == 2) sort = AccessibilityMessages::text("accessibility.table.sortDescending.txt");
    return joined({AccessibilityMessages::text(transposed ? "accessibility.crosstab.rowHeader.txt"
                                                          : "accessibility.crosstab.columnHeader.txt"),
                   getLevelLabel(axis, columnLeaf),
                   AccessibilityMessages::text("accessibility.crosstab.level.txt",
                                               {AccessibilityMessages::number(getAxisLevelCount(axis) + 1)}),
                   measure, sort});
}

std::string CrosstabAccessibilityController::describeDataCell(const std::shared_ptr<DataTreeNode>& rowLeaf,
                                                              const std::shared_ptr<DataTreeNode>& columnLeaf,
                                                              const std::string& valueLabel, bool selected) const {
    return joined({getLevelLabel(Axis::ROW, rowLeaf), getLevelLabel(Axis::COLUMN, columnLeaf), valueLabel,
                   selected ? AccessibilityMessages::text("accessibility.crosstab.cellSelected.txt") : std::string()});
}

double CrosstabAccessibilityController::getNumericValue(uint64_t) const { return NAN; }

} // namespace orvane
