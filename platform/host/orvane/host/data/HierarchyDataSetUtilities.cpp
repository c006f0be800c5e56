// SPDX-License-Identifier: Apache-2.0
#include "orvane/host/data/HierarchyDataSetUtilities.h"

#include "orvane/host/core/CLog.h"
#include "orvane/host/data/Expression.h"
#include "orvane/host/data/ExpressionParser.h"
#include "orvane/host/data/HierarchyDataSet.h"

namespace orvane {

namespace {
constexpr const char* kSource = "HierarchyDataSetUtilities";

std::string quoted(const std::string& s) {
    std::string out = "\"";
    for (char c : s) {
        if (c == '"') out += '"';
        out += c;
    }
    return out + '"';
}
} // namespace

int HierarchyDataSetUtilities::applyStateFromExpression(const std::shared_ptr<HierarchyDataSet>& hds,
                                                        const std::vector<std::string>& states) {
    if (!hds) return 0;
    int drills = 0;
    const auto& hierarchies = hds->getHierarchies();
    for (size_t i = 0; i < states.size() && i < hierarchies.size(); ++i) {
        if (states[i].empty()) continue;
        std::string error;
        auto e = ExpressionParser::parse(states[i], &error);
        if (!e) {
            ORVANE_LOG(CLog::ERRORS, kSource, "hierarchy state not applied: " + states[i] + " (" + error + ")");
            continue;
        }
        drills += applyDrillExpression(*hierarchies[i], nullptr, e);
    }
    return drills;
}

int HierarchyDataSetUtilities::applyDrillExpression(Hierarchy& h, const std::shared_ptr<DataTreeNode>& node,
                                                     const std::shared_ptr<Expression>& e) {
    if (!e || e->getType() != Expression::Type::IN || e->getOperands().size() < 2 ||
        e->getOperands()[0]->getType() != Expression::Type::VARIABLE) {
        ORVANE_LOG(CLog::ERRORS, kSource, "hierarchy state not applied: " + (e ? e->toString() : std::string("(none)")));
        return 0;
    }
    int drills = 0;
    if (node && node != h.getExpandedState()) {
        if (!h.drillDown(node)) return 0;
        ++drills;
    }
    const auto& ops = e->getOperands();
    for (size_t v = 1; v < ops.size(); ++v) {
        const auto& levels = h.getLevels();
        const auto li = static_cast<size_t>(h.getCurrentLevelIndex());
        if (li >= levels.size() || !ops[v]->getValue()) break;
        // The value is read as the level's value (a number or date through
        // the level's format).
        auto value = levels[li]->convertValue(ops[v]->getValue()->toString());
        if (!h.drillDown(value)) break;
        ++drills;
    }
    return drills;
}

std::string HierarchyDataSetUtilities::getStateExpression(const Hierarchy& h) {
    if (h.getCurrentLevelIndex() == 0 || h.getLevels().empty()) return std::string();
    std::string text = quoted(*h.getLevels().front()->getName()) + " in (";
    auto path = h.getDrillPath();
    for (size_t i = 0; i < path.size(); ++i) {
        if (i) text += ", ";
        text += path[i] ? quoted(path[i]->toString()) : std::string(".");
    }
    return text + ")";
}

} // namespace orvane
