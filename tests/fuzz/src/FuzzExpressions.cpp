// SPDX-License-Identifier: Apache-2.0
// libFuzzer target: expressions and where-clauses. Text that parses is
// written and parsed again to an equal expression with the same text; over a
// small data set, the rows the where-clause selects are the rows the
// expression holds for one row at a time.
#include "../../geo/fuzz/FuzzSupport.h"
#include "orvane/host/core/CLog.h"
#include "orvane/host/data/AbstractWhereClauseExpression.h"
#include "orvane/host/data/DataSet.h"
#include "orvane/host/data/Expression.h"
#include "orvane/host/data/RowBitmap.h"

#include <cstdint>
#include <limits>
#include <string>
#include <string_view>
#include <vector>

using namespace orvane;
using fuzz::check;

namespace {

std::shared_ptr<DataSet> data() {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    auto ds = DataSet::create("d");
    ds->addColumn(Column::createCharacter("region", {"East", "West", "East", "", "North", "West", "East", "South"}));
    ds->addColumn(Column::createNumeric("amount", {10, nan, -3, 7, 100, 7, 20.5, -1e300}));
    ds->addColumn(Column::createNumeric("day", {14670, 0, -1, 14669, 3653, 14670, nan, 2e6}, "DATE9."));
    ds->addColumn(Column::createNumeric("t", {0, 3600, -3600, 37800.5, nan, 86399, 3.6e9, 1e-3}, "TIME8."));
    ds->addColumn(Column::createNumeric("dt", {0, 1e9, -1e9, nan, 86400.5, 1.7e9, 315619261, 1}, "DATETIME19."));
    return ds;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* input, size_t size) {
    static const bool quiet = (CLog::setEnabled(CLog::ERRORS, false), true);
    (void)quiet;
    static const auto ds = data();
    std::string_view text(reinterpret_cast<const char*>(input), size);
    std::string error;
    auto e = Expression::parse(text, &error);
    if (!e) {
        check(!error.empty());
        return 0;
    }
    std::string written = e->toString();
    auto again = Expression::parse(written, &error);
    check(again != nullptr);
    check(again->equals(*e));
    check(again->toString() == written);

    auto where = e->toWhereClause(ds);
    if (!where) return 0;
    RowBitmap rows;
    if (!ds->evaluate(*where, rows, error)) return 0;
    for (size_t r = 0; r < ds->getRowCount(); ++r) {
        bool one = e->evaluate([&](const std::string& name) {
            auto c = ds->getColumnWithName(name);
            return c ? c->getDataValueAtIndex(r) : nullptr;
        });
        check(rows.test(r) == one);
    }
    return 0;
}
