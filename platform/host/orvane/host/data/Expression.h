// SPDX-License-Identifier: Apache-2.0
#pragma once
#include "orvane/host/HostExport.h"
#include "orvane/host/data/DataValue.h"
#include "orvane/host/core/EventDispatcher.h"

#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace orvane {

class AbstractWhereClauseExpression;
class DataSet;

/// A boolean expression over data variables: variable references, constants,
/// comparisons, ranges, membership, missing tests and and/or/not. Expressions
/// are immutable trees built by ExpressionBuilder (or read from their text)
/// and compared structurally.
///
/// Text form (what toString writes and parse reads back to an equal tree):
///   "Region" in ("East", "West") and "Sales" between 10 and 20
///   "Sales" >= 100 or not ("Units" is missing)
///   "Date" = "01MAR2020"d, "Stamp" < "01MAR2020:10:00:00"dt, "Start" = "10:30:00"t
/// Variables are double-quoted names (bare identifiers are read too); in the
/// positions of constants a double-quoted text is a string and a variable is
/// written "name"n. "." is a missing number. and/or operands that are
/// themselves and/or/not are parenthesised; a one-operand and/or is written
/// and(...) / or(...).
///
/// Comparison semantics (also of where-clauses): a missing value matches only
/// an equality with missing (and "is missing"); numbers compare numerically,
/// strings by their UTF-8 bytes; a string never equals a number.
class ORVANE_HOST_EXPORT Expression : public EventDispatcher, public virtual Wrappable {
public:
    static constexpr int WRAPPER_TYPE_ID = 52;

    enum class Type { VARIABLE, CONSTANT, COMPARE, BETWEEN, IN, IS_MISSING, AND, OR, NOT };
    enum class Operator { EQ, NE, LT, LE, GT, GE };

    /// Answers the value of a variable for one row; null when unknown.
    using ValueLookup = std::function<std::shared_ptr<DataValue>(const std::string& variable)>;

    /// How variables become columns when converting to a where-clause.
    struct WhereClauseOptions {
        /// A variable that is no column of the data set may stand for one (a
        /// hierarchy name for the column of its current level): answers that
        /// column's name, or "" when it stands for none.
        std::function<std::string(const std::string& variable)> resolveVariable;
        /// Binned variables: for the variable and a bin value, the bin's range
        /// [start, end); false when the variable is not binned.
        std::function<bool(const std::string& variable, const DataValue& value, double& start, double& end)> binRange;
    };

    int getWrapperTypeId() const override { return WRAPPER_TYPE_ID; }

    Type getType() const { return type_; }
    bool isCompound() const { return type_ == Type::AND || type_ == Type::OR; }
    /// Variable name (VARIABLE).
    const std::string& getVariableName() const { return name_; }
    /// Constant (CONSTANT).
    const std::shared_ptr<DataValue>& getValue() const { return value_; }
    /// Comparison operator (COMPARE).
    Operator getOperator() const { return op_; }
    /// COMPARE: [left, right]; BETWEEN: [variable, low, high]; IN: [variable,
    /// values...]; IS_MISSING and NOT: [operand]; AND/OR: the operands.
    const std::vector<std::shared_ptr<Expression>>& getOperands() const { return operands_; }
    /// BETWEEN: both bounds included (1) or excluded (0); negated (1) selects
    /// what lies outside.
    bool isInclusive() const { return inclusive_; }
    bool isNegated() const { return negated_; }

    /// Structurally well formed: comparisons, ranges, membership and missing
    /// tests name a variable and compare it with constants; and/or/not hold
    /// valid conditions.
    bool isValid() const;
    std::string toString() const;
    /// Reads the text form; null (with the reason in error) when it does not parse.
    static std::shared_ptr<Expression> parse(std::string_view text, std::string* error = nullptr);

    bool equals(const Expression& other) const;

    /// The where-clause of this expression. With a data set every variable must
    /// name one of its columns (or resolve to one); without, names are kept.
    /// Null (with a log line) when a variable is unknown or the shape has no
    /// where-clause (a comparison of two variables, a bare constant).
    std::shared_ptr<AbstractWhereClauseExpression> toWhereClause(const std::shared_ptr<DataSet>& dataSet,
                                                                 const WhereClauseOptions& options = {}) const;

    /// Value of the condition for one row. False for unknown variables and for
    /// comparisons of strings with numbers.
    bool evaluate(const ValueLookup& lookup) const;

    /// Comparison of two values under the expression semantics above: true
    /// when `a op b` holds.
    static bool compareValues(const DataValue& a, Operator op, const DataValue& b);
    /// The operator that compares the same way with the operands swapped
    /// (a < b is b > a); EQ and NE stay as they are.
    static Operator flipped(Operator op);

protected:
    friend class ExpressionBuilder;
    Expression(Type type) : type_(type) {}

    Type type_;
    Operator op_ = Operator::EQ;
    std::string name_;
    std::shared_ptr<DataValue> value_;
    std::vector<std::shared_ptr<Expression>> operands_;
    bool inclusive_ = true;
    bool negated_ = false;
};

} // namespace orvane
