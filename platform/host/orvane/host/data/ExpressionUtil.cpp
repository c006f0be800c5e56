// SPDX-License-Identifier: Apache-2.0
#include "orvane/host/data/ExpressionUtil.h"

#include "orvane/host/data/ExpressionBuilder.h"

#include <algorithm>

namespace orvane {

using B = ExpressionBuilder;
using ExprPtr = std::shared_ptr<Expression>;
using T = Expression::Type;

namespace {
void collect(const ExprPtr& e, std::vector<std::string>& out) {
    if (!e) return;
    if (e->getType() == T::VARIABLE) {
        if (std::find(out.begin(), out.end(), e->getVariableName()) == out.end()) out.push_back(e->getVariableName());
        return;
    }
    for (const auto& o : e->getOperands()) collect(o, out);
}

// A copy of e with new operands (same type and attributes).
ExprPtr rebuild(const Expression& e, const std::vector<ExprPtr>& ops) {
    switch (e.getType()) {
    case T::COMPARE: return B::compare(ops[0], e.getOperator(), ops[1]);
    case T::BETWEEN: return B::between(ops[0], ops[1], ops[2], e.isInclusive() ? 1 : 0, e.isNegated() ? 1 : 0);
    case T::IN: return B::in(ops[0], std::vector<ExprPtr>(ops.begin() + 1, ops.end()));
    case T::IS_MISSING: return B::isMissing(ops[0]);
    case T::AND: return B::and_(ops);
    case T::OR: return B::or_(ops);
    case T::NOT: return B::not_(ops[0]);
    default: return nullptr;
    }
}
} // namespace

std::vector<std::string> ExpressionUtil::extractAllVariableNames(const ExprPtr& expression) {
    std::vector<std::string> out;
    collect(expression, out);
    return out;
}

ExprPtr ExpressionUtil::homogenize(const ExprPtr& e) {
    if (!e) return nullptr;
    switch (e->getType()) {
    case T::COMPARE: {
        if (!e->isValid()) return nullptr;
        const auto& ops = e->getOperands();
        if (ops[0]->getType() == T::CONSTANT)
            return B::compare(ops[1], Expression::flipped(e->getOperator()), ops[0]);
        return e;
    }
    case T::BETWEEN:
    case T::IN:
    case T::IS_MISSING: return e->isValid() ? e : nullptr;
    case T::AND:
    case T::OR: {
        std::vector<ExprPtr> flat;
        for (const auto& o : e->getOperands()) {
            ExprPtr h = homogenize(o);
            if (!h) return nullptr;
            if (h->getType() == e->getType())
                flat.insert(flat.end(), h->getOperands().begin(), h->getOperands().end());
            else flat.push_back(h);
        }
        if (flat.empty()) return nullptr;
        if (flat.size() == 1) return flat[0];
        return e->getType() == T::AND ? B::and_(flat) : B::or_(flat);
    }
    default: return nullptr;
    }
}

ExprPtr ExpressionUtil::removeTermFromExpression(const ExprPtr& expression, const ExprPtr& term) {
    if (!expression) return nullptr;
    if (!term) return expression;
    if (expression->equals(*term)) return nullptr;
    if (!expression->isCompound()) return expression;
    const auto& ops = expression->getOperands();
    auto it = std::find_if(ops.begin(), ops.end(), [&](const ExprPtr& o) { return o && o->equals(*term); });
    if (it == ops.end()) return expression;
    std::vector<ExprPtr> rest;
    for (auto o = ops.begin(); o != ops.end(); ++o)
        if (o != it) rest.push_back(*o);
    if (rest.empty()) return nullptr;
    if (rest.size() == 1) return rest[0];
    return expression->getType() == T::AND ? B::and_(rest) : B::or_(rest);
}

ExprPtr ExpressionUtil::renameVariables(const ExprPtr& e, const std::map<std::string, std::string>& names) {
    if (!e) return nullptr;
    if (e->getType() == T::VARIABLE) {
        auto it = names.find(e->getVariableName());
        return it == names.end() ? e : B::var(it->second);
    }
    if (e->getType() == T::CONSTANT) return e;
    std::vector<ExprPtr> ops;
    for (const auto& o : e->getOperands()) ops.push_back(renameVariables(o, names));
    return rebuild(*e, ops);
}

bool ExpressionUtil::containsVariable(const ExprPtr& expression, const std::string& name) {
    auto names = extractAllVariableNames(expression);
    return std::find(names.begin(), names.end(), name) != names.end();
}

} // namespace orvane
