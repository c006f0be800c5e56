// SPDX-License-Identifier: Apache-2.0
#pragma once
#include "orvane/host/HostExport.h"
#include "orvane/host/data/AbstractWhereClauseExpression.h"
#include "orvane/host/data/DataValue.h"

#include <memory>
#include <string>
#include <vector>

namespace orvane {

/// One condition on one column: a comparison with a value, a range, a
/// membership test or a missing test. Semantics as Expression's: a missing
/// row value matches only an equality with missing; strings compare by bytes;
/// a string value on a numeric column (or a number on a character column)
/// does not validate.
class ORVANE_HOST_EXPORT WhereClauseExpression : public AbstractWhereClauseExpression {
public:
    /// The first six match Expression::Operator.
    enum class Operator { EQ, NE, LT, LE, GT, GE, BETWEEN, IN, IS_MISSING };

    static std::shared_ptr<WhereClauseExpression> create(const std::string& columnName, Operator op,
                                                         std::shared_ptr<DataValue> value);
    static std::shared_ptr<WhereClauseExpression> createBetween(const std::string& columnName,
                                                                std::shared_ptr<DataValue> low,
                                                                std::shared_ptr<DataValue> high, bool inclusive = true,
                                                                bool negated = false);
    static std::shared_ptr<WhereClauseExpression> createIn(const std::string& columnName,
                                                           std::vector<std::shared_ptr<DataValue>> values);
    static std::shared_ptr<WhereClauseExpression> createIsMissing(const std::string& columnName);

    Kind getKind() const override { return Kind::SIMPLE; }
    const std::string& getColumnName() const { return column_; }
    void setColumnName(const std::string& name) { column_ = name; }
    Operator getOperator() const { return op_; }
    /// The value compared with (the low bound of a range, the first of a list); null for missing tests.
    std::shared_ptr<DataValue> getValue() const { return values_.empty() ? nullptr : values_[0]; }
    /// Every value: [value], [low, high] or the list.
    const std::vector<std::shared_ptr<DataValue>>& getValues() const { return values_; }
    bool isInclusive() const { return inclusive_; }
    bool isNegated() const { return negated_; }

    std::shared_ptr<AbstractWhereClauseExpression> clone() const override;
    bool equals(const AbstractWhereClauseExpression& other) const override;
    std::shared_ptr<Expression> toExpression() const override;
    bool validate(const DataSet& dataSet, std::string& error) const override;
    void forEachSimpleClause(const std::function<void(WhereClauseExpression&)>& visit) override { visit(*this); }
    void forEachSimpleClause(const std::function<void(const WhereClauseExpression&)>& visit) const override {
        visit(*this);
    }

    WhereClauseExpression(std::string column, Operator op) : column_(std::move(column)), op_(op) {}

protected:
    void evaluateValidated(const DataSet& dataSet, RowBitmap& rows) const override;

private:
    std::string column_;
    Operator op_;
    std::vector<std::shared_ptr<DataValue>> values_;
    bool inclusive_ = true;
    bool negated_ = false;
};

} // namespace orvane
