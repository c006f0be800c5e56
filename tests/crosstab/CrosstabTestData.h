// SPDX-License-Identifier: Apache-2.0
#pragma once
#include "orvane/host/data/Column.h"
#include "orvane/host/data/DataSet.h"

#include <memory>

namespace orvane::test {

// Eight orders: Region / City down, Year across, Sales and Units.
//   0 East Boston 2023   1 East NYC 2023    2 East Boston 2024  3 West Denver 2024
//   4 West Seattle 2023  5 North Chicago 2024  6 East NYC 2024  7 West Denver 2023
inline std::shared_ptr<DataSet> crosstabSales() {
    auto ds = DataSet::create("sales");
    ds->addColumn(Column::createCharacter("Region", {"East", "East", "East", "West", "West", "North", "East", "West"}));
    ds->addColumn(Column::createCharacter("City", {"Boston", "NYC", "Boston", "Denver", "Seattle", "Chicago", "NYC", "Denver"}));
    ds->addColumn(Column::createCharacter("Year", {"2023", "2023", "2024", "2024", "2023", "2024", "2024", "2023"}));
    ds->addColumn(Column::createNumeric("Sales", {10, 20, 30, 40, 50, 60, 70, 80}));
    ds->addColumn(Column::createNumeric("Units", {1, 2, 3, 4, 5, 6, 7, 8}));
    return ds;
}

} // namespace orvane::test
