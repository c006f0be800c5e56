// SPDX-License-Identifier: Apache-2.0
#include "common/SampleData.h"

#include "orvane/host/data/Column.h"
#include "orvane/host/data/RowStates.h"

#include <limits>

namespace orvane::test {

std::shared_ptr<const std::string> str(const std::string& s) { return std::make_shared<const std::string>(s); }

std::shared_ptr<std::vector<std::shared_ptr<DataSet>>> dataSetList(std::initializer_list<std::shared_ptr<DataSet>> l) {
    return std::make_shared<std::vector<std::shared_ptr<DataSet>>>(l);
}

std::shared_ptr<DataSet> makeSales(const std::string& name) {
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

std::shared_ptr<DataSet> clearedCopy(const DataSet& ds) {
    auto copy = DataSet::create(ds.getName() ? *ds.getName() : std::string());
    if (!ds.getName()) copy->setName(std::shared_ptr<const std::string>());
    for (const auto& c : ds.getColumns()) copy->addColumn(c->copy());
    copy->ensureRowStates();
    return copy;
}

std::shared_ptr<DataSet> reversedCopy(const DataSet& ds) {
    auto out = DataSet::create(ds.getName() ? *ds.getName() : std::string());
    for (const auto& c : ds.getColumns()) {
        if (c->isNumeric()) {
            std::vector<double> v;
            for (size_t r = ds.getRowCount(); r-- > 0;) v.push_back(c->getNumberAtIndex(r));
            auto n = Column::createNumeric(*c->getName(), v);
            n->setDataUsage(c->getDataUsage());
            out->addColumn(n);
        } else {
            std::vector<std::string> v;
            for (size_t r = ds.getRowCount(); r-- > 0;) {
                auto s = c->getStringAtIndex(r);
                v.push_back(s ? *s : std::string());
            }
            out->addColumn(Column::createCharacter(*c->getName(), v));
        }
    }
    out->ensureRowStates();
    return out;
}

std::vector<int> rowsSharingValues(const DataSet& ds, const std::vector<int>& selected,
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

std::shared_ptr<DataSet> regionAmounts(size_t rows, RegionAmountsShape shape) {
    auto ds = DataSet::create("sales");
    std::vector<std::string> regions;
    std::vector<double> amounts, counts;
    for (size_t i = 0; i < rows; ++i) {
        regions.push_back(i % 2 ? "West" : "East");
        amounts.push_back(double(i + 1) * 10.0);
        counts.push_back(double(rows - i));
    }
    if (shape.missingAmount >= 0 && size_t(shape.missingAmount) < rows)
        amounts[size_t(shape.missingAmount)] = std::numeric_limits<double>::quiet_NaN();
    ds->addColumn(Column::createCharacter("region", regions));
    auto amount = Column::createNumeric("amount", amounts, "COMMA8.");
    amount->setDataUsage(Variable::MEASURE);
    ds->addColumn(amount);
    if (shape.count) {
        auto count = Column::createNumeric("count", counts, "8.");
        count->setDataUsage(Variable::MEASURE);
        count->setAggregation(2);  // average
        ds->addColumn(count);
    }
    return ds;
}

std::shared_ptr<DataSet> numberedRows(size_t n, const std::string& name) {
    auto ds = DataSet::create(name);
    std::vector<std::string> names, notes;
    std::vector<double> amounts;
    for (size_t i = 0; i < n; ++i) {
        names.push_back("r" + std::to_string(i));
        amounts.push_back(double(i + 1) * 10.0);
        notes.push_back(i % 2 ? "short" : "a");
    }
    ds->addColumn(Column::createCharacter("name", names));
    auto amount = Column::createNumeric("amount", amounts, "8.");
    amount->setDataUsage(Variable::MEASURE);
    ds->addColumn(amount);
    ds->addColumn(Column::createCharacter("note", notes));
    ds->ensureRowStates();
    return ds;
}

std::shared_ptr<Selection> namedSelection(const std::string& dataName, std::shared_ptr<Expression> e) {
    auto s = Selection::create();
    s->dataName = str(dataName);
    s->expression = std::move(e);
    return s;
}

std::shared_ptr<std::vector<std::shared_ptr<Selection>>> selectionList(std::initializer_list<std::shared_ptr<Selection>> l) {
    return std::make_shared<std::vector<std::shared_ptr<Selection>>>(l);
}

std::shared_ptr<SelectionOptions> optionsFor(const std::vector<std::string>& variables,
                                             const std::vector<std::string>& dataNames) {
    auto o = SelectionOptions::create();
    std::vector<std::shared_ptr<const std::string>> v, d;
    for (const auto& x : variables) v.push_back(str(x));
    for (const auto& x : dataNames) d.push_back(str(x));
    o->expectedVariableNames = MonitoredVector<std::shared_ptr<const std::string>>::create(v);
    o->expectedDataNames = MonitoredVector<std::shared_ptr<const std::string>>::create(d);
    return o;
}

} // namespace orvane::test
