// SPDX-License-Identifier: Apache-2.0
#include "orvane/host/data/AbstractWhereClauseExpression.h"

#include "orvane/host/data/DataSet.h"
#include "orvane/host/data/Expression.h"
#include "orvane/host/data/RowBitmap.h"
#include "orvane/host/data/WhereClauseExpression.h"

#include <algorithm>

namespace orvane {

std::string AbstractWhereClauseExpression::toString() const {
    auto e = toExpression();
    return e ? e->toString() : std::string();
}

bool AbstractWhereClauseExpression::evaluate(const DataSet& dataSet, RowBitmap& rows, std::string& error) const {
    if (!validate(dataSet, error)) {
        rows.resize(0);
        return false;
    }
    evaluateValidated(dataSet, rows);
    return true;
}

std::vector<std::string> AbstractWhereClauseExpression::getColumnNames() const {
    std::vector<std::string> names;
    forEachSimpleClause([&](const WhereClauseExpression& w) {
        if (std::find(names.begin(), names.end(), w.getColumnName()) == names.end()) names.push_back(w.getColumnName());
    });
    return names;
}

} // namespace orvane
