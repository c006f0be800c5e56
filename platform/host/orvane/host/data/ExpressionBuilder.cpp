// SPDX-License-Identifier: Apache-2.0
#include "orvane/host/data/ExpressionBuilder.h"

namespace orvane {

using ExprPtr = ExpressionBuilder::ExprPtr;

namespace {
// Expression's constructor is protected; the builder makes nodes through this.
struct Node : Expression {
    explicit Node(Type t) : Expression(t) {}
};
} // namespace

ExprPtr ExpressionBuilder::var(const std::string& name) {
    auto e = std::make_shared<Node>(Expression::Type::VARIABLE);
    e->name_ = name;
    return e;
}

ExprPtr ExpressionBuilder::const_(const std::shared_ptr<DataValue>& value) {
    auto e = std::make_shared<Node>(Expression::Type::CONSTANT);
    e->value_ = value ? value : DataValue::createMissing();
    return e;
}

ExprPtr ExpressionBuilder::compare(const ExprPtr& left, Expression::Operator op, const ExprPtr& right) {
    auto e = std::make_shared<Node>(Expression::Type::COMPARE);
    e->op_ = op;
    e->operands_ = {left, right};
    return e;
}

ExprPtr ExpressionBuilder::between(const ExprPtr& variable, const ExprPtr& low, const ExprPtr& high, int inclusive,
                                   int negated) {
    auto e = std::make_shared<Node>(Expression::Type::BETWEEN);
    e->operands_ = {variable, low, high};
    e->inclusive_ = inclusive != 0;
    e->negated_ = negated != 0;
    return e;
}

ExprPtr ExpressionBuilder::in(const ExprPtr& variable, const std::vector<ExprPtr>& values) {
    auto e = std::make_shared<Node>(Expression::Type::IN);
    e->operands_.push_back(variable);
    for (const auto& v : values) e->operands_.push_back(v);
    return e;
}

ExprPtr ExpressionBuilder::isMissing(const ExprPtr& variable) {
    auto e = std::make_shared<Node>(Expression::Type::IS_MISSING);
    e->operands_ = {variable};
    return e;
}

ExprPtr ExpressionBuilder::and_(const std::vector<ExprPtr>& operands) {
    auto e = CompoundBooleanExpression::create(CompoundBooleanExpression::BooleanOperator::AND, operands);
    return e->getOperands().empty() ? nullptr : e;
}

ExprPtr ExpressionBuilder::or_(const std::vector<ExprPtr>& operands) {
    auto e = CompoundBooleanExpression::create(CompoundBooleanExpression::BooleanOperator::OR, operands);
    return e->getOperands().empty() ? nullptr : e;
}

ExprPtr ExpressionBuilder::not_(const ExprPtr& operand) {
    if (!operand) return nullptr;
    auto e = std::make_shared<Node>(Expression::Type::NOT);
    e->operands_ = {operand};
    return e;
}

} // namespace orvane
