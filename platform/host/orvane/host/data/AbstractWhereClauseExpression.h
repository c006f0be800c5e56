// SPDX-License-Identifier: Apache-2.0
#pragma once
#include "orvane/host/HostExport.h"
#include "orvane/host/core/EventDispatcher.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace orvane {

class DataSet;
class Expression;
class RowBitmap;
class WhereClauseExpression;

/// A condition on the columns of a data set, evaluated over all rows at once:
/// every simple clause runs as one loop over its column into a row bitmap, and
/// and/or/not combine the bitmaps.
class ORVANE_HOST_EXPORT AbstractWhereClauseExpression : public EventDispatcher, public virtual Wrappable {
public:
    enum class Kind { SIMPLE, COMPOUND };

    virtual Kind getKind() const = 0;
    virtual std::shared_ptr<AbstractWhereClauseExpression> clone() const = 0;
    virtual bool equals(const AbstractWhereClauseExpression& other) const = 0;
    /// The same condition as an expression (for its text and for selections).
    virtual std::shared_ptr<Expression> toExpression() const = 0;
    std::string toString() const;

    /// Checks that every column exists and every comparison compares values of
    /// the column's kind; false with the reason otherwise.
    virtual bool validate(const DataSet& dataSet, std::string& error) const = 0;
    /// The rows for which the condition holds. False (rows empty, reason in
    /// error) when the clause does not validate.
    bool evaluate(const DataSet& dataSet, RowBitmap& rows, std::string& error) const;

    /// Column names in order of appearance, without duplicates.
    std::vector<std::string> getColumnNames() const;
    /// Depth-first walk over the simple clauses.
    virtual void forEachSimpleClause(const std::function<void(WhereClauseExpression&)>& visit) = 0;
    virtual void forEachSimpleClause(const std::function<void(const WhereClauseExpression&)>& visit) const = 0;

protected:
    friend class CompoundWhereClauseExpression;
    /// Evaluation of a validated clause.
    virtual void evaluateValidated(const DataSet& dataSet, RowBitmap& rows) const = 0;
};

} // namespace orvane
