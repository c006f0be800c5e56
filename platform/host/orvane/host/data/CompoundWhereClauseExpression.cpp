// SPDX-License-Identifier: Apache-2.0
#include "orvane/host/data/CompoundWhereClauseExpression.h"

#include "orvane/host/data/DataSet.h"
#include "orvane/host/data/ExpressionBuilder.h"
#include "orvane/host/data/RowBitmap.h"
#include "orvane/host/data/WhereClauseExpression.h"

namespace orvane {

std::shared_ptr<CompoundWhereClauseExpression> CompoundWhereClauseExpression::create(
    Operator op, std::vector<std::shared_ptr<AbstractWhereClauseExpression>> parts) {
    auto c = std::make_shared<CompoundWhereClauseExpression>(op);
    for (auto& p : parts)
        if (p) c->parts_.push_back(std::move(p));
    return c;
}

std::shared_ptr<AbstractWhereClauseExpression> CompoundWhereClauseExpression::clone() const {
    auto c = std::make_shared<CompoundWhereClauseExpression>(op_);
    for (const auto& p : parts_) c->parts_.push_back(p->clone());
    return c;
}

bool CompoundWhereClauseExpression::equals(const AbstractWhereClauseExpression& other) const {
    auto* o = dynamic_cast<const CompoundWhereClauseExpression*>(&other);
    if (!o || o->op_ != op_ || o->parts_.size() != parts_.size()) return false;
    for (size_t i = 0; i < parts_.size(); ++i)
        if (!parts_[i]->equals(*o->parts_[i])) return false;
    return true;
}

std::shared_ptr<Expression> CompoundWhereClauseExpression::toExpression() const {
    std::vector<std::shared_ptr<Expression>> ops;
    for (const auto& p : parts_) ops.push_back(p->toExpression());
    switch (op_) {
    case Operator::AND: return ExpressionBuilder::and_(ops);
    case Operator::OR: return ExpressionBuilder::or_(ops);
    case Operator::NOT: return ops.empty() ? nullptr : ExpressionBuilder::not_(ops[0]);
    }
    return nullptr;
}

bool CompoundWhereClauseExpression::validate(const DataSet& dataSet, std::string& error) const {
    if (op_ == Operator::NOT && parts_.size() != 1) {
        error = "not needs exactly one part";
        return false;
    }
    for (const auto& p : parts_)
        if (!p->validate(dataSet, error)) return false;
    return true;
}

void CompoundWhereClauseExpression::evaluateValidated(const DataSet& dataSet, RowBitmap& rows) const {
    size_t n = dataSet.getRowCount();
    if (parts_.empty()) {
        rows.resize(n);
        rows.fill(op_ == Operator::AND);
        return;
    }
    parts_[0]->evaluateValidated(dataSet, rows);
    if (op_ == Operator::NOT) {
        rows.invert();
        return;
    }
    RowBitmap part;
    for (size_t i = 1; i < parts_.size(); ++i) {
        // Later parts cannot change a settled result.
        if (op_ == Operator::AND ? rows.none() : rows.all()) break;
        parts_[i]->evaluateValidated(dataSet, part);
        if (op_ == Operator::AND) rows.andWith(part);
        else rows.orWith(part);
    }
}

void CompoundWhereClauseExpression::forEachSimpleClause(const std::function<void(WhereClauseExpression&)>& visit) {
    for (auto& p : parts_) p->forEachSimpleClause(visit);
}

void CompoundWhereClauseExpression::forEachSimpleClause(
    const std::function<void(const WhereClauseExpression&)>& visit) const {
    for (const auto& p : parts_) static_cast<const AbstractWhereClauseExpression&>(*p).forEachSimpleClause(visit);
}

} // namespace orvane
