// SPDX-License-Identifier: Apache-2.0
#include "orvane/crosstab/CrosstabUtilities.h"

#include "orvane/crosstab/Crosstab.h"
#include "orvane/host/core/CLog.h"
#include "orvane/host/data/Expression.h"
#include "orvane/host/data/ExpressionBuilder.h"
#include "orvane/host/data/HierarchyDataSet.h"
#include "orvane/host/data/HierarchyDataSetUtilities.h"
#include "orvane/view/DisplayTreeNode.h"

namespace orvane {

std::vector<int> CrosstabUtilities::getDisplayedColumnIndicies(const std::shared_ptr<DataSet>& cells) {
    std::vector<int> out;
    if (!cells) return out;
    for (size_t i = 0; i < cells->getColumnCount(); ++i)
        if (!cells->getColumn(static_cast<int>(i))->isSuppressed()) out.push_back(static_cast<int>(i));
    return out;
}

std::vector<int> CrosstabUtilities::getVisibleColumnIndicies(const Crosstab& crosstab, int leaf) {
    std::vector<int> out;
    auto cells = crosstab.dataSet.get();
    const int M = crosstab.numberOfMeasures.get();
    if (!cells || M <= 0 || leaf < 0) return out;
    const size_t first = static_cast<size_t>(leaf) * static_cast<size_t>(M);
    for (size_t c = first; c < first + static_cast<size_t>(M) && c < cells->getColumnCount(); ++c)
        if (!cells->getColumn(static_cast<int>(c))->isSuppressed()) out.push_back(static_cast<int>(c));
    return out;
}

int CrosstabUtilities::applyDrillExpression(const std::shared_ptr<HierarchyDataSet>& hds,
                                            const std::vector<std::shared_ptr<Expression>>& states) {
    if (!hds) return 0;
    int drills = 0;
    const auto& hierarchies = hds->getHierarchies();
    for (size_t i = 0; i < states.size() && i < hierarchies.size(); ++i)
        if (states[i]) drills += applyDrillExpression(*hierarchies[i], nullptr, states[i]);
    return drills;
}

int CrosstabUtilities::applyDrillExpression(Hierarchy& h, const std::shared_ptr<DataTreeNode>& node,
                                            const std::shared_ptr<Expression>& state) {
    return HierarchyDataSetUtilities::applyDrillExpression(h, node, state);
}

int CrosstabUtilities::applyDrillExpression(Hierarchy& h, const std::shared_ptr<DataTreeNode>& node,
                                            const std::vector<std::string>& memberValues) {
    if (h.getLevels().empty()) return 0;
    std::vector<std::shared_ptr<Expression>> values;
    for (const auto& v : memberValues) values.push_back(ExpressionBuilder::const_(v));
    auto state = ExpressionBuilder::in(
        ExpressionBuilder::var(*h.getLevels()[static_cast<size_t>(h.getCurrentLevelIndex())]->getName()), values);
    return HierarchyDataSetUtilities::applyDrillExpression(h, node, state);
}

int CrosstabUtilities::applyExpandExpression(Hierarchy& h, const std::shared_ptr<DataTreeNode>& node,
                                             const std::vector<std::string>& memberValues) {
    auto at = node ? node : h.getExpandedState();
    if (!at) return 0;
    int found = 0;
    for (const auto& text : memberValues) {
        const int li = h.getCurrentLevelIndex() + at->getLevel();
        if (li < 0 || li >= static_cast<int>(h.getLevels().size())) break;
        auto value = h.getLevels()[static_cast<size_t>(li)]->convertValue(text);
        std::shared_ptr<DataTreeNode> next;
        for (const auto& c : at->getChildren())
            if (value && c->getDataValue() && c->getDataValue()->equals(*value)) next = c;
        if (!next) {
            ORVANE_LOG(CLog::ERRORS, "CrosstabUtilities", "expand state: no member " + text);
            break;
        }
        if (next->isCollapsed() && h.canExpand(next)) h.expand(next);
        ++found;
        at = next;
    }
    return found;
}

std::shared_ptr<DataValue> CrosstabUtilities::getDataValue(const Level& level, const std::shared_ptr<Expression>& value) {
    if (!value || value->getType() != Expression::Type::CONSTANT || !value->getValue()) return nullptr;
    return level.convertValue(value->getValue()->toString());
}

int CrosstabUtilities::getColumnIndexForTuple(const Crosstab& crosstab, const std::vector<std::string>& memberLabels,
                                              const std::string& measureName) {
    auto cells = crosstab.dataSet.get();
    auto root = crosstab.columnDataTreeNode.get();
    const int M = crosstab.numberOfMeasures.get();
    if (!cells || M <= 0) return -1;
    // Without a column tree there is one leaf: the measures themselves.
    std::vector<std::shared_ptr<DataTreeNode>> leaves;
    if (root) {
        for (auto& l : root->getDepthFirstListOfAllLeafNodesUnderThisNode())
            if (l != root) leaves.push_back(l);
    }
    auto measureAt = [&](size_t leaf) -> int {
        for (int m = 0; m < M; ++m) {
            const int c = static_cast<int>(leaf) * M + m;
            auto col = cells->getColumn(c);
            if (col && *col->getMeasureName() == measureName) return c;
        }
        return -1;
    };
    if (leaves.empty()) return memberLabels.empty() ? measureAt(0) : -1;
    for (size_t i = 0; i < leaves.size(); ++i) {
        auto* d = dynamic_cast<DisplayTreeNode*>(leaves[i].get());
        if (!d || d->getNodeType() != NodeType::NONE) continue;
        auto path = leaves[i]->getUniqueNodePath();
        if (path.size() != memberLabels.size()) continue;
        bool same = true;
        for (size_t k = 0; k < path.size() && same; ++k) same = path[k]->getPresentableText() == memberLabels[k];
        if (same) return measureAt(i);
    }
    return -1;
}

} // namespace orvane
