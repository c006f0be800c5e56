// SPDX-License-Identifier: Apache-2.0
#pragma once
#include "orvane/host/HostExport.h"
#include "orvane/host/data/Expression.h"

namespace orvane {

/// An n-ary and / or of conditions.
class ORVANE_HOST_EXPORT CompoundBooleanExpression : public Expression {
public:
    enum class BooleanOperator { AND, OR };

    static std::shared_ptr<CompoundBooleanExpression> create(BooleanOperator op,
                                                             std::vector<std::shared_ptr<Expression>> operands);

    BooleanOperator getBooleanOperator() const {
        return getType() == Type::AND ? BooleanOperator::AND : BooleanOperator::OR;
    }
    bool isAnd() const { return getType() == Type::AND; }
    bool isOr() const { return getType() == Type::OR; }
    size_t getOperandCount() const { return getOperands().size(); }

    explicit CompoundBooleanExpression(BooleanOperator op) : Expression(op == BooleanOperator::AND ? Type::AND : Type::OR) {}
};

} // namespace orvane
