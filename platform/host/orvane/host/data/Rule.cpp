// SPDX-License-Identifier: Apache-2.0
#include "orvane/host/data/Rule.h"

#include "orvane/host/core/CLog.h"
#include "orvane/host/data/DataSet.h"
#include "orvane/host/data/RelationalDataRuleContext.h"

namespace orvane {

bool Rule::addCondition(const std::string& expressionText, const std::shared_ptr<AttributeBundle>& effect) {
    std::string error;
    auto e = Expression::parse(expressionText, &error);
    if (!e) {
        ORVANE_LOG(CLog::ERRORS, "host/Rule", "display-rule condition \"" + expressionText + "\" ignored: " + error);
        return false;
    }
    addCondition(e, effect);
    return true;
}

std::shared_ptr<AttributeBundle> Rule::evaluate(const DataSet& dataSet, int column, int row,
                                                const RelationalDataRuleContext* context) const {
    auto cellColumn = dataSet.getColumn(column);
    if (!cellColumn || row < 0 || static_cast<size_t>(row) >= dataSet.getRowCount()) return nullptr;
    size_t r = static_cast<size_t>(row);
    Expression::ValueLookup lookup = [&](const std::string& name) -> std::shared_ptr<DataValue> {
        if (name == VALUE_VARIABLE) return cellColumn->getDataValueAtIndex(r);
        auto c = dataSet.getColumnWithName(name);
        return c ? c->getDataValueAtIndex(r) : nullptr;
    };
    std::shared_ptr<AttributeBundle> merged;
    for (const auto& cond : conditions_) {
        bool total = context && context->isTotalCell();
        if (cond.totalScope == TotalScope::TOTALS_ONLY && !total) continue;
        if (cond.totalScope == TotalScope::EXCEPT_TOTALS && total) continue;
        bool inScope = true;
        for (const auto& level : cond.levels)
            if (!context || !context->hasLevel(level)) inScope = false;
        if (!inScope) continue;
        if (cond.expression && !cond.expression->evaluate(lookup)) continue;
        if (!allMatches_) return cond.effect ? cond.effect : AttributeBundle::create();
        if (!merged) merged = AttributeBundle::create();
        if (cond.effect)
            for (const auto& [id, v] : cond.effect->values()) merged->set(id, v);
    }
    return merged;
}

} // namespace orvane
