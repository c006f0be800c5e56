// SPDX-License-Identifier: Apache-2.0
#pragma once
#include "orvane/host/HostExport.h"
#include "orvane/host/data/AbstractWhereClauseExpression.h"

#include <memory>
#include <vector>

namespace orvane {

/// and / or of where-clauses (in order), or not of one. An and without parts
/// holds for every row, an or without parts for none.
class ORVANE_HOST_EXPORT CompoundWhereClauseExpression : public AbstractWhereClauseExpression {
public:
    enum class Operator { AND, OR, NOT };

    static std::shared_ptr<CompoundWhereClauseExpression> create(
        Operator op, std::vector<std::shared_ptr<AbstractWhereClauseExpression>> parts);

    Kind getKind() const override { return Kind::COMPOUND; }
    Operator getOperator() const { return op_; }
    const std::vector<std::shared_ptr<AbstractWhereClauseExpression>>& getParts() const { return parts_; }
    void addPart(const std::shared_ptr<AbstractWhereClauseExpression>& part) {
        if (part) parts_.push_back(part);
    }

    std::shared_ptr<AbstractWhereClauseExpression> clone() const override;
    bool equals(const AbstractWhereClauseExpression& other) const override;
    std::shared_ptr<Expression> toExpression() const override;
    bool validate(const DataSet& dataSet, std::string& error) const override;
    void forEachSimpleClause(const std::function<void(WhereClauseExpression&)>& visit) override;
    void forEachSimpleClause(const std::function<void(const WhereClauseExpression&)>& visit) const override;

    explicit CompoundWhereClauseExpression(Operator op) : op_(op) {}

protected:
    void evaluateValidated(const DataSet& dataSet, RowBitmap& rows) const override;

private:
    Operator op_;
    std::vector<std::shared_ptr<AbstractWhereClauseExpression>> parts_;
};

} // namespace orvane
