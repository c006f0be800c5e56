// SPDX-License-Identifier: Apache-2.0
#pragma once
// Sample tables (and selections over them) shared by the suites, so that a
// table and the values its tests expect are written once.
#include "orvane/host/data/DataSet.h"
#include "orvane/host/data/DataValue.h"
#include "orvane/host/data/Expression.h"
#include "orvane/selection/Selection.h"
#include "orvane/selection/SelectionOptions.h"

#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

namespace orvane::test {

// A shared string, as names and labels are passed around.
std::shared_ptr<const std::string> str(const std::string& s);
// Data sets as a controller takes them.
std::shared_ptr<std::vector<std::shared_ptr<DataSet>>> dataSetList(std::initializer_list<std::shared_ptr<DataSet>> l);

// Ten sales rows: region and product (categories, row 8 has no region), year
// (a numeric category) and units (a measure), with row states.
std::shared_ptr<DataSet> makeSales(const std::string& name = "sales");
// The same table under the same name, nothing selected.
std::shared_ptr<DataSet> clearedCopy(const DataSet& ds);
// The same table with its rows in the opposite order (row r is row n-1-r).
std::shared_ptr<DataSet> reversedCopy(const DataSet& ds);
// Rows whose values in the columns equal those of some selected row.
std::vector<int> rowsSharingValues(const DataSet& ds, const std::vector<int>& selected,
                                   const std::vector<std::string>& columns);

// What a table of regionAmounts() holds besides region and amount.
struct RegionAmountsShape {
    bool count = true;        // a "count" measure (rows, rows-1, ..., averaged)
    int missingAmount = -1;   // a row whose amount is missing
};
// "sales": region East, West, East, ...; amount 10, 20, ... (COMMA8., a measure).
std::shared_ptr<DataSet> regionAmounts(size_t rows = 6, RegionAmountsShape shape = {});

// Rows named r0, r1, ... with amounts 10, 20, ... and a text column of
// short and one-letter notes, with row states.
std::shared_ptr<DataSet> numberedRows(size_t n, const std::string& name = "rows");

// A selection of the named data.
std::shared_ptr<Selection> namedSelection(const std::string& dataName, std::shared_ptr<Expression> e);
std::shared_ptr<std::vector<std::shared_ptr<Selection>>> selectionList(std::initializer_list<std::shared_ptr<Selection>> l);
// Options expecting the variables in the named data.
std::shared_ptr<SelectionOptions> optionsFor(const std::vector<std::string>& variables,
                                             const std::vector<std::string>& dataNames = {"sales"});

} // namespace orvane::test
