// SPDX-License-Identifier: Apache-2.0
#include "orvane/host/core/CLog.h"
#include "orvane/host/data/DataSet.h"
#include "orvane/host/data/DataValueUtils.h"
#include "orvane/host/data/RowBitmap.h"
#include "orvane/host/core/AbstractEventCallback.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <sstream>

using namespace orvane;

namespace {
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

// Counts events of one type and remembers the current source of the last one.
struct Counter {
    int count = 0;
    EventDispatcher* lastSource = nullptr;
    std::shared_ptr<AbstractEventCallback> callback() {
        return FunctionEventCallback::create([this](const std::shared_ptr<PortableEvent>& e) {
            ++count;
            lastSource = e->getCurrentSource();
        });
    }
};

std::shared_ptr<DataSet> sales() {
    auto ds = DataSet::create("sales");
    ds->addColumn(Column::createCharacter("region", {"East", "West", "East", "", "North"}));
    ds->addColumn(Column::createNumeric("amount", {10.5, kNaN, -3, 7, 1e6}, "COMMA12.2"));
    ds->addColumn(Column::createNumeric("day", {14670, 0, -1, 14669, 3653}, "DATE9."));
    return ds;
}
} // namespace

TEST(DataValue, TypesFlagsEqualityAndOrder) {
    auto n = DataValue::create(5.0);
    auto d = DataValue::createDate(5.0);
    auto s = DataValue::create("5");
    EXPECT_TRUE(n->isNumeric());
    EXPECT_TRUE(d->isNumeric() && d->isDate());
    EXPECT_FALSE(n->equals(*d));  // same number, other type
    EXPECT_FALSE(n->equals(*s));
    EXPECT_TRUE(n->equals(*DataValue::create(5.0)));
    EXPECT_TRUE(DataValue::create(0.0)->equals(*DataValue::create(-0.0)));
    EXPECT_EQ(DataValue::create(0.0)->hash(), DataValue::create(-0.0)->hash());

    EXPECT_TRUE(DataValue::createMissing()->isMissing());
    EXPECT_TRUE(DataValue::create("")->isMissing());
    EXPECT_FALSE(DataValue::createSparse()->hasValue());
    EXPECT_TRUE(DataValue::createAllOthers()->isAllOthers());
    EXPECT_TRUE(DataValue::createMatchesAll()->isMatchesAll());
    EXPECT_FALSE(DataValue::createAllOthers()->equals(*DataValue::createMatchesAll()));

    // Missing first, then numbers, then strings, then the special members.
    std::vector<std::shared_ptr<DataValue>> v{DataValue::createMatchesAll(), DataValue::create("b"),
                                              DataValue::create(2.0),        DataValue::createAllOthers(),
                                              DataValue::create("a"),        DataValue::createMissing(),
                                              DataValue::create(-1.0)};
    std::sort(v.begin(), v.end(), [](auto& a, auto& b) { return *a < *b; });
    std::vector<std::string> order;
    for (auto& x : v) order.push_back(x->isAllOthers() ? "others" : x->isMatchesAll() ? "all" : x->toString());
    EXPECT_EQ(order, (std::vector<std::string>{".", "-1", "2", "a", "b", "others", "all"}));

    // Default texts by type; an explicit text wins.
    EXPECT_EQ(d->getPresentableText(), "06JAN1960");
    EXPECT_EQ(DataValue::createDateTime(86400)->getPresentableText(), "02JAN1960:00:00:00");
    EXPECT_EQ(DataValue::create(1234.5)->getPresentableText(), "1234.5");
    n->setFormattedValue("five");
    EXPECT_EQ(*n->getFormattedValue(), "five");
    EXPECT_EQ(DataValue::createSparse()->getPresentableText(), "");
}

TEST(DataValue, FromTextReadsTheFormatsKind) {
    auto f = Formatter::create("DATE9.");
    auto v = DataValue::fromText("2000-03-01", f.get());
    ASSERT_TRUE(v);
    EXPECT_TRUE(v->isDate());
    EXPECT_EQ(v->getNumber(), 14670);
    EXPECT_EQ(v->getPresentableText(), "01MAR2000");
    EXPECT_FALSE(DataValue::fromText("no date", f.get()));
    EXPECT_TRUE(DataValue::fromText("plain", nullptr)->isString());
}

TEST(Column, ValuesTextsAndRanges) {
    auto ds = sales();
    auto region = ds->getColumnWithName("region");
    auto amount = ds->getColumnWithName("amount");
    auto day = ds->getColumnWithName("day");
    ASSERT_TRUE(region && amount && day);
    EXPECT_EQ(region->getType(), Variable::CHARACTER);
    EXPECT_EQ(amount->getType(), Variable::NUMERIC);
    EXPECT_EQ(region->getDictionary().size(), 4u);  // "", East, West, North: stored once each
    EXPECT_EQ(region->getCodes()[0], region->getCodes()[2]);
    EXPECT_TRUE(region->isMissingAtIndex(3));
    EXPECT_EQ(*region->getStringAtIndex(1), "West");

    EXPECT_EQ(*amount->getFormattedValueAtIndex(4), "1,000,000.00");
    EXPECT_EQ(*amount->getFormattedValueAtIndex(1), ".");
    EXPECT_EQ(amount->getMinimumNumber(), -3);
    EXPECT_EQ(amount->getMaximumNumber(), 1e6);
    EXPECT_EQ(amount->getDataUsage(), Variable::MEASURE);
    EXPECT_EQ(region->getDataUsage(), Variable::CATEGORY);
    EXPECT_EQ(day->getDataUsage(), Variable::CATEGORY);  // dates are categories unless set
    EXPECT_TRUE(day->isDateTime());
    EXPECT_FALSE(amount->isDateTime());

    auto v = day->getDataValueAtIndex(0);
    EXPECT_TRUE(v->isDate());
    EXPECT_EQ(v->getPresentableText(), "01MAR2000");
    EXPECT_FALSE(day->getDataValueAtIndex(99));  // outside the column
    EXPECT_TRUE(std::isnan(amount->getNumberAtIndex(99)));
    EXPECT_FALSE(amount->getFormattedValueAtIndex(99));

    // Own texts and flags of a row.
    amount->setFormattedValueAtIndex(0, std::make_shared<const std::string>("ten and a half"));
    EXPECT_EQ(*amount->getFormattedValueAtIndex(0), "ten and a half");
    amount->setValueFlagsAtIndex(2, DataValue::SPARSE);
    EXPECT_EQ(*amount->getFormattedValueAtIndex(2), "");
    EXPECT_TRUE(amount->getDataValueAtIndex(2)->isSparse());

    // Totals carry their number and text in the column's format.
    EXPECT_FALSE(amount->hasTotal());
    amount->setTotalValue(1000014.5);
    EXPECT_EQ(*amount->getFormattedTotal(), "1,000,014.50");
    amount->setFormatName("DOLLAR14.");
    EXPECT_EQ(*amount->getFormattedTotal(), "$1,000,015");
    amount->setTotalValue(1, std::make_shared<const std::string>("one"));
    amount->setFormatName("COMMA12.");
    EXPECT_EQ(*amount->getFormattedTotal(), "one");  // an own text is kept

    // Strings appended to a numeric column are read in its format.
    EXPECT_TRUE(amount->setStringAtIndex(1, "2,500"));
    EXPECT_EQ(amount->getNumberAtIndex(1), 2500);
    EXPECT_FALSE(amount->setStringAtIndex(1, "lots"));
    EXPECT_EQ(amount->getNumberAtIndex(1), 2500);
}

TEST(Column, DictionaryFindsAndGrows) {
    auto c = Column::create("c", Variable::CHARACTER);
    for (int i = 0; i < 5000; ++i) c->appendString("v" + std::to_string(i % 1234));
    EXPECT_EQ(c->getDictionary().size(), 1235u);
    EXPECT_EQ(c->findCode("v77"), c->getCodes()[77]);
    EXPECT_EQ(c->findCode("absent"), Column::NO_CODE);
    EXPECT_EQ(c->findCode(""), 0u);
    auto copy = c->copy();
    copy->appendString("only in the copy");
    EXPECT_EQ(c->findCode("only in the copy"), Column::NO_CODE);
    EXPECT_EQ(*copy->getStringAtIndex(5000), "only in the copy");
    EXPECT_EQ(copy->findCode("v77"), c->findCode("v77"));
}

TEST(DataSet, ColumnsAreLookedUpAndBadOnesRefused) {
    auto ds = sales();
    EXPECT_EQ(*ds->getName(), "sales");
    EXPECT_EQ(ds->getColumnCount(), 3u);
    EXPECT_EQ(ds->getRowCount(), 5u);
    EXPECT_EQ(ds->getIndexOfColumnWithName("day"), 2);
    EXPECT_EQ(ds->getIndexOfColumnWithName("nope"), -1);
    EXPECT_FALSE(ds->getColumnWithName("nope"));
    EXPECT_FALSE(ds->getColumn(-1));
    EXPECT_FALSE(ds->getColumn(3));
    EXPECT_EQ(ds->getNumberColumns().size(), 2u);
    EXPECT_FALSE(DataSet::create()->getName());

    CLogCapture log;
    EXPECT_FALSE(ds->addColumn(nullptr));
    EXPECT_FALSE(ds->addColumn(Column::createNumeric("amount", {1, 2, 3, 4, 5})));  // duplicate name
    EXPECT_FALSE(ds->addColumn(Column::createNumeric("short", {1, 2})));           // wrong length
    EXPECT_FALSE(DataSet::create()->addColumn(ds->getColumn(0)));                  // owned elsewhere
    EXPECT_EQ(ds->getColumnCount(), 3u);
    EXPECT_EQ(log.count(), 4u);

    // Columns and no rows make a valid data set.
    auto empty = DataSet::create();
    EXPECT_TRUE(empty->addColumn(Column::create("m", "Measure", Variable::MEASURE)));
    EXPECT_EQ(empty->getRowCount(), 0u);
    EXPECT_EQ(*empty->getColumn(0)->getLabel(), "Measure");

    EXPECT_TRUE(ds->appendRow({DataValue::create("South"), DataValue::create(1.0), nullptr}));
    EXPECT_EQ(ds->getRowCount(), 6u);
    EXPECT_TRUE(ds->getColumn(2)->isMissingAtIndex(5));
    EXPECT_FALSE(ds->appendRow({DataValue::create("x")}));

    std::ostringstream table;
    ds->printTable(2, table);
    std::string text = table.str();
    EXPECT_NE(text.find("01MAR2000"), std::string::npos);
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 3);
}

TEST(DataSet, ChangesAreAnnouncedOncePerUpdate) {
    auto ds = sales();
    Counter changed;
    ds->addEventListener(DataSet::CHANGED, changed.callback());
    ds->getColumn(1)->setNumberAtIndex(0, 3);
    EXPECT_EQ(changed.count, 1);
    ds->beginUpdate();
    ds->getColumn(1)->setNumberAtIndex(0, 4);
    ds->getColumn(0)->setStringAtIndex(0, "West");
    ds->appendRow({DataValue::create("South"), DataValue::create(1.0), DataValue::createDate(1)});
    EXPECT_EQ(changed.count, 1);
    ds->endUpdate();
    EXPECT_EQ(changed.count, 2);
    EXPECT_EQ(changed.lastSource, ds.get());
}

TEST(RowStates, OneEventPerBatchAndOnlyOnChange) {
    auto ds = sales();
    EXPECT_FALSE(ds->getRowStates());
    auto rs = ds->ensureRowStates();
    EXPECT_EQ(rs->getRowCount(), 5u);
    Counter onStates, onDataSet;
    rs->addEventListener(RowStates::SELECTED_CHANGED, onStates.callback());
    ds->addEventListener(RowStates::SELECTED_CHANGED, onDataSet.callback());

    rs->setSelectedIndices({4, 1, 1, 99, -3});  // duplicates and bad rows are ignored
    EXPECT_EQ(rs->getSelectedIndices(), (std::vector<int>{1, 4}));
    EXPECT_EQ(onStates.count, 1);
    EXPECT_EQ(onDataSet.count, 1);
    EXPECT_EQ(onDataSet.lastSource, ds.get());  // re-announced by the data set

    rs->setSelectedIndices({1, 4});  // same set: no event
    rs->setState({1, 4}, 1);
    rs->clear(0);
    EXPECT_EQ(onStates.count, 2);
    rs->clear(0);
    EXPECT_EQ(onStates.count, 2);
    rs->setState({0, 2, 3}, 1);
    EXPECT_EQ(onStates.count, 3);
    EXPECT_TRUE(rs->isSelected(2));
    EXPECT_EQ(rs->getState(1), 0);
    rs->setState(2, 0);
    EXPECT_EQ(rs->getSelectedIndices(), (std::vector<int>{0, 3}));
    rs->clear(1);
    EXPECT_EQ(rs->getSelectedCount(), 5u);
    EXPECT_EQ(onStates.count, 5);

    // The distinct selected values of a column, in row order.
    rs->setSelectedIndices({0, 1, 2});
    auto values = ds->getSelectedValues("region");
    ASSERT_EQ(values.size(), 2u);
    EXPECT_EQ(*values[0]->getString(), "East");
    EXPECT_EQ(*values[1]->getString(), "West");
    EXPECT_TRUE(ds->getSelectedValues("nope").empty());

    // Row states follow the data set's length; losing a selected row is a change.
    int before = onStates.count;
    ds->appendRow({DataValue::create("x"), DataValue::create(1.0), DataValue::createDate(1)});
    EXPECT_EQ(rs->getRowCount(), 6u);
    EXPECT_FALSE(rs->isSelected(5));
    EXPECT_EQ(onStates.count, before);
    rs->setRowCount(2);
    EXPECT_EQ(onStates.count, before + 1);
    EXPECT_EQ(rs->getSelectedIndices(), (std::vector<int>{0, 1}));
}

TEST(RowStates, StoresOneBitPerRow) {
    auto rs = RowStates::create(10000000);
    std::vector<int> rows;
    for (int i = 0; i < 10000000; i += 3) rows.push_back(i);
    rs->setState(rows, 1);
    EXPECT_EQ(rs->getSelectedCount(), rows.size());
    EXPECT_LE(rs->getMemoryUsage(), 10000000 / 8 + 256);
}

TEST(DataValueUtils, SetsCompareWithoutOrderOrRepetition) {
    using V = DataValueUtils::Values;
    V a{DataValue::create(1.0), DataValue::create("x"), DataValue::create(1.0)};
    V b{DataValue::create("x"), DataValue::create(1.0)};
    EXPECT_TRUE(DataValueUtils::valueSetsAreEqual(a, b));
    EXPECT_FALSE(DataValueUtils::valueSetsAreEqual(a, V{DataValue::create("x"), DataValue::createDate(1.0)}));
    EXPECT_TRUE(DataValueUtils::valueSetsAreEqual(std::shared_ptr<V>(), std::make_shared<V>()));
    EXPECT_FALSE(DataValueUtils::valueSetsAreEqual(std::shared_ptr<V>(), std::make_shared<V>(a)));
    EXPECT_TRUE(DataValueUtils::valueSetsAreEqual(V{nullptr, DataValue::createMissing()}, V{DataValue::createMissing(), nullptr}));
    auto d = DataValueUtils::distinct(a);
    ASSERT_EQ(d.size(), 2u);
    EXPECT_EQ(d[0], a[0]);  // the first of equal values
}

TEST(RowBitmap, BitsPastTheSizeStayClear) {
    RowBitmap b(70);
    b.set(69);
    b.set(3);
    b.set(70);  // outside: ignored
    EXPECT_EQ(b.count(), 2u);
    b.resize(130, true);  // new rows set, old ones kept
    EXPECT_TRUE(b.test(70));
    EXPECT_TRUE(b.test(129));
    EXPECT_FALSE(b.test(68));
    EXPECT_FALSE(b.test(130));
    EXPECT_EQ(b.count(), 62u);
    b.invert();
    EXPECT_EQ(b.count(), 68u);
    b.resize(65);
    EXPECT_EQ(b.count(), 64u);
    b.resize(130);  // growing again does not bring old bits back
    EXPECT_EQ(b.count(), 64u);
    EXPECT_FALSE(b.test(66));
    RowBitmap all(130, true);
    all.andWith(b);
    EXPECT_EQ(all, b);
    EXPECT_FALSE(all.all());
    all.orWith(RowBitmap(130, true));
    EXPECT_TRUE(all.all());
    EXPECT_EQ(RowBitmap(5, true).toIndices(), (std::vector<int>{0, 1, 2, 3, 4}));
    EXPECT_TRUE(RowBitmap(0).none());
}

TEST(Column, EditsFlagsAndRemoval) {
    auto ds = sales();
    auto rs = ds->ensureRowStates();
    Counter changed;
    ds->addEventListener(DataSet::CHANGED, changed.callback());

    auto region = ds->getColumnWithName("region");
    region->appendValue(*DataValue::createAllOthers());
    EXPECT_EQ(region->getRowCount(), 6u);
    EXPECT_EQ(ds->getRowCount(), 5u);  // the other columns are shorter
    EXPECT_TRUE(region->getDataValueAtIndex(5)->isAllOthers());
    EXPECT_TRUE(ds->getColumnWithName("amount")->setValueAtIndex(0, *DataValue::create(42.0)));
    EXPECT_FALSE(ds->getColumnWithName("amount")->setValueAtIndex(0, *DataValue::create("many")));
    EXPECT_EQ(ds->getColumnWithName("amount")->getNumberAtIndex(0), 42);
    EXPECT_TRUE(ds->getColumnWithName("region")->setValueAtIndex(1, *DataValue::create(7.0)));
    EXPECT_EQ(*region->getStringAtIndex(1), "7");  // numbers written into text columns as text
    EXPECT_GE(changed.count, 3);

    CLogCapture log;
    ASSERT_TRUE(ds->appendRow({DataValue::create("Z"), DataValue::create(1.0), DataValue::createDate(0)}));
    EXPECT_TRUE(log.contains("region"));  // the lone extra value was cut, and that was said
    EXPECT_EQ(ds->getRowCount(), 6u);
    EXPECT_EQ(*region->getStringAtIndex(5), "Z");

    rs->setSelectedIndices({5});
    auto day = ds->getColumnWithName("day");
    EXPECT_TRUE(ds->removeColumn("day"));
    EXPECT_FALSE(ds->removeColumn("day"));
    EXPECT_FALSE(day->getDataSet());
    EXPECT_FALSE(ds->getColumnWithName("day"));
    ds->getColumnWithName("amount")->resize(2);
    EXPECT_EQ(ds->getRowCount(), 2u);
    EXPECT_EQ(rs->getRowCount(), 2u);
    EXPECT_TRUE(rs->getSelectedIndices().empty());
    EXPECT_TRUE(DataSet::create()->addColumn(day));  // free again
}
