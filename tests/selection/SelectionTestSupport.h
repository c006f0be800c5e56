// SPDX-License-Identifier: Apache-2.0
#pragma once
#include "orvane/host/data/DataSet.h"
#include "orvane/host/data/RowStates.h"

#include <memory>
#include <string>
#include <vector>

namespace orvane::test {

// A small sales table: region and product (categories), year (a numeric
// category) and units (a measure), with row states.
inline std::shared_ptr<DataSet> makeSales(const std::string& name = "sales") {
    auto ds = DataSet::create(name);
    ds->addColumn(Column::createCharacter(
        "region", {"East", "West", "East", "North", "West", "East", "South", "North", "", "West"}));
    ds->addColumn(Column::createCharacter(
        "product", {"Pens", "Pens", "Ink", "Ink", "Paper", "Paper", "Pens", "Paper", "Ink", "Ink"}));
    auto year = Column::createNumeric("year", {2020, 2021, 2021, 2022, 2020, 2022, 2023, 2020, 2021, 2023});
    year->setDataUsage(Variable::CATEGORY);
    ds->addColumn(year);
    ds->addColumn(Column::createNumeric("units", {5, 10, 15, 20, 25, 30, 0, 9.5, 19.99, 12}));
    ds->ensureRowStates();
    return ds;
}

// The same table under the same name, nothing selected.
inline std::shared_ptr<DataSet> clearedCopy(const DataSet& ds) {
    auto copy = DataSet::create(ds.getName() ? *ds.getName() : std::string());
    if (!ds.getName()) copy->setName(std::shared_ptr<const std::string>());
    for (const auto& c : ds.getColumns()) copy->addColumn(c->copy());
    copy->ensureRowStates();
    return copy;
}

// Rows whose values in the columns equal those of some selected row.
inline std::vector<int> rowsSharingValues(const DataSet& ds, const std::vector<int>& selected,
                                          const std::vector<std::string>& columns) {
    std::vector<int> out;
    for (size_t r = 0; r < ds.getRowCount(); ++r)
        for (int s : selected) {
            bool same = true;
            for (const auto& c : columns) {
                auto col = ds.getColumnWithName(c);
                if (!col->getDataValueAtIndex(r)->equals(*col->getDataValueAtIndex(static_cast<size_t>(s)))) same = false;
            }
            if (same) {
                out.push_back(static_cast<int>(r));
                break;
            }
        }
    return out;
}

} // namespace orvane::test
