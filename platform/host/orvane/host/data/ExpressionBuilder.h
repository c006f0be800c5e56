// SPDX-License-Identifier: Apache-2.0
#pragma once
#include "orvane/host/HostExport.h"
#include "orvane/host/data/CompoundBooleanExpression.h"
#include "orvane/host/data/Expression.h"

#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

namespace orvane {

/// Builds expressions. The names ending in "_" are the same builders under the
/// spellings some callers use (and, or, not and const are C++ keywords).
class ORVANE_HOST_EXPORT ExpressionBuilder {
public:
    using ExprPtr = std::shared_ptr<Expression>;

    static ExprPtr var(const std::string& name);
    static ExprPtr var_(const std::string& name) { return var(name); }
    /// A constant; a null value is a missing number.
    static ExprPtr const_(const std::shared_ptr<DataValue>& value);
    static ExprPtr const_(const DataValue& value) { return const_(std::make_shared<DataValue>(value)); }
    static ExprPtr const_(double number) { return const_(DataValue::create(number)); }
    static ExprPtr const_(const std::string& text) { return const_(DataValue::create(text)); }
    static ExprPtr const_(const char* text) { return const_(DataValue::create(text)); }

    static ExprPtr compare(const ExprPtr& left, Expression::Operator op, const ExprPtr& right);
    static ExprPtr eq(const ExprPtr& a, const ExprPtr& b) { return compare(a, Expression::Operator::EQ, b); }
    static ExprPtr ne(const ExprPtr& a, const ExprPtr& b) { return compare(a, Expression::Operator::NE, b); }
    static ExprPtr lt(const ExprPtr& a, const ExprPtr& b) { return compare(a, Expression::Operator::LT, b); }
    static ExprPtr le(const ExprPtr& a, const ExprPtr& b) { return compare(a, Expression::Operator::LE, b); }
    static ExprPtr gt(const ExprPtr& a, const ExprPtr& b) { return compare(a, Expression::Operator::GT, b); }
    static ExprPtr ge(const ExprPtr& a, const ExprPtr& b) { return compare(a, Expression::Operator::GE, b); }
    static ExprPtr eq_(const ExprPtr& a, const ExprPtr& b) { return eq(a, b); }
    static ExprPtr ne_(const ExprPtr& a, const ExprPtr& b) { return ne(a, b); }
    static ExprPtr lt_(const ExprPtr& a, const ExprPtr& b) { return lt(a, b); }
    static ExprPtr le_(const ExprPtr& a, const ExprPtr& b) { return le(a, b); }
    static ExprPtr gt_(const ExprPtr& a, const ExprPtr& b) { return gt(a, b); }
    static ExprPtr ge_(const ExprPtr& a, const ExprPtr& b) { return ge(a, b); }

    /// variable between low and high. inclusive: 1 keeps both bounds, 0
    /// excludes them; negated: 1 selects what lies outside the range.
    static ExprPtr between(const ExprPtr& variable, const ExprPtr& low, const ExprPtr& high, int inclusive = 1,
                           int negated = 0);
    static ExprPtr between_(const ExprPtr& variable, const ExprPtr& low, const ExprPtr& high, int inclusive = 1,
                            int negated = 0) {
        return between(variable, low, high, inclusive, negated);
    }
    static ExprPtr in(const ExprPtr& variable, const std::vector<ExprPtr>& values);
    static ExprPtr in_(const ExprPtr& variable, const std::vector<ExprPtr>& values) { return in(variable, values); }
    static ExprPtr isMissing(const ExprPtr& variable);

    /// and/or of the non-null operands; null when there is none. A single
    /// operand still makes a one-operand and/or.
    static ExprPtr and_(const std::vector<ExprPtr>& operands);
    static ExprPtr or_(const std::vector<ExprPtr>& operands);
    static ExprPtr and_(const ExprPtr& a, const ExprPtr& b) { return and_(std::vector<ExprPtr>{a, b}); }
    static ExprPtr or_(const ExprPtr& a, const ExprPtr& b) { return or_(std::vector<ExprPtr>{a, b}); }
    /// Null for a null operand.
    static ExprPtr not_(const ExprPtr& operand);
};

} // namespace orvane
