// SPDX-License-Identifier: Apache-2.0
#include "common/EventLog.h"
#include "common/SampleData.h"

#include "orvane/axis/BinInfo.h"
#include "orvane/host/core/CLog.h"
#include "orvane/host/data/ExpressionBuilder.h"
#include "orvane/host/data/Hierarchy.h"
#include "orvane/properties/EventCallback.h"
#include "orvane/selection/DataSetSelectionController.h"
#include "orvane/selection/Selection.h"
#include "orvane/selection/SelectionChangeEvent.h"
#include "orvane/selection/SelectionHierarchyAdapter.h"
#include "orvane/selection/SelectionOptions.h"

#include <gtest/gtest.h>

using namespace orvane;
using namespace orvane::test;
using B = ExpressionBuilder;
using Names = MonitoredVector<std::shared_ptr<const std::string>>;

namespace {

// Takes the selection of `selected` rows and applies it to a cleared copy:
// answers the rows selected there and the selection's text.
std::pair<std::vector<int>, std::string> roundTrip(const std::shared_ptr<DataSet>& ds, const std::vector<int>& selected,
                                                   const std::shared_ptr<SelectionOptions>& options,
                                                   const std::shared_ptr<DataSetSelectionController>& source) {
    ds->getRowStates()->setSelectedIndices(selected);
    auto sels = source->getSelections(options);
    auto copy = clearedCopy(*ds);
    auto target = DataSetSelectionController::create(dataSetList({copy}));
    for (const auto& [name, info] : source->getBinInfoMap()) target->setBinInfo(name, info);
    target->applySelections(sels, options);
    std::string text = sels && !sels->empty() && (*sels)[0]->expression.get() ? (*sels)[0]->expression.get()->toString() : "";
    return {copy->getRowStates()->getSelectedIndices(), text};
}

} // namespace

TEST(SelectionRoundTrip, PlainCategoriesNumbersAndMissingValues) {
    auto ds = makeSales();
    auto c = DataSetSelectionController::create(dataSetList({ds}));
    // Two categories: each (region, product) pair of a selected row.
    auto o = optionsFor({"region", "product"});
    for (std::vector<int> rows : {std::vector<int>{0}, {1, 4, 7}, {2, 5, 9}, {8}, {0, 1, 2, 3, 4, 5, 6, 7, 8, 9}}) {
        auto [got, text] = roundTrip(ds, rows, o, c);
        EXPECT_EQ(got, rowsSharingValues(*ds, rows, {"region", "product"})) << text;
    }
    // One category: region, including the missing region of row 8.
    auto r = optionsFor({"region"});
    auto [got, text] = roundTrip(ds, {0, 8}, r, c);
    EXPECT_EQ(got, (std::vector<int>{0, 2, 5, 8})) << text;
    // A numeric category with a string category.
    auto y = optionsFor({"year", "region"});
    auto [gy, ty] = roundTrip(ds, {1, 3, 6}, y, c);
    EXPECT_EQ(gy, rowsSharingValues(*ds, {1, 3, 6}, {"year", "region"})) << ty;
    EXPECT_NE(ty.find("\"year\" = 2021"), std::string::npos) << ty;
}

TEST(SelectionRoundTrip, AllOthersRowsFollowIncludeAllOther) {
    auto ds = makeSales();
    auto region = ds->getColumnWithName("region");
    // Rows 3 and 7 stand for every region not shown on its own.
    region->setStringAtIndex(3, "Others");
    region->setStringAtIndex(7, "Others");
    region->setValueFlagsAtIndex(3, DataValue::ALL_OTHERS);
    region->setValueFlagsAtIndex(7, DataValue::ALL_OTHERS);
    auto c = DataSetSelectionController::create(dataSetList({ds}));
    auto o = optionsFor({"region"});
    auto [with, t1] = roundTrip(ds, {1, 3}, o, c);
    EXPECT_EQ(with, (std::vector<int>{1, 3, 4, 7, 9})) << t1;
    EXPECT_NE(t1.find("_ALLOTHERS_"), std::string::npos) << t1;

    o->includeAllOther = false;
    auto [without, t2] = roundTrip(ds, {1, 3}, o, c);
    EXPECT_EQ(without, (std::vector<int>{1, 4, 9})) << t2;
    // Only all-others rows selected and not included: no selection at all.
    ds->getRowStates()->setSelectedIndices({3});
    auto sels = c->getSelections(o);
    ASSERT_TRUE(sels);
    EXPECT_TRUE(sels->empty());
}

TEST(SelectionRoundTrip, AllOthersSelectionReadBackFromItsText) {
    auto ds = makeSales();
    auto region = ds->getColumnWithName("region");
    region->setValueFlagsAtIndex(6, DataValue::ALL_OTHERS);
    // The text form loses the member's own text: it must still match the flagged rows, not missing ones.
    auto e = Expression::parse("\"region\" in (\"West\", _ALLOTHERS_)");
    ASSERT_TRUE(e);
    auto c = DataSetSelectionController::create(dataSetList({ds}));
    c->applySelections(selectionList({namedSelection("sales", e)}), optionsFor({"region"}));
    EXPECT_EQ(ds->getRowStates()->getSelectedIndices(), (std::vector<int>{1, 4, 6, 9}));
}

TEST(SelectionRoundTrip, BinnedMeasuresCountBoundariesOnceAndEqualityMeansTheBin) {
    auto ds = makeSales();
    auto c = DataSetSelectionController::create(dataSetList({ds}));
    c->setBinInfo("units", BinInfo::create({0, 10, 20, 30}));
    auto o = optionsFor({"units"});
    // Row 0 (5) is in [0, 10), row 5 (30) in the closed last bin [20, 30].
    auto [got, text] = roundTrip(ds, {0, 5}, o, c);
    // 9.5 and 0 join bin 0; 10 (row 1) starts bin 1 and is not selected; 20 and 25 join the last bin.
    EXPECT_EQ(got, (std::vector<int>{0, 3, 4, 5, 6, 7})) << text;
    EXPECT_NE(text.find(" or "), std::string::npos) << text;

    // A binned measure with a category: each row's bin goes with its region.
    auto o2 = optionsFor({"region", "units"});
    auto [g2, t2] = roundTrip(ds, {0, 1}, o2, c);
    EXPECT_EQ(g2, (std::vector<int>{0, 1, 9})) << t2;

    // "units" = 25 means the bin 25 falls in: the closed last bin [20, 30].
    c->applySelections(selectionList({namedSelection("sales", B::eq(B::var("units"), B::const_(25.0)))}),
                       optionsFor({"units"}));
    EXPECT_EQ(ds->getRowStates()->getSelectedIndices(), (std::vector<int>{3, 4, 5}));
}

TEST(SelectionApply, ReplacesInOneChangeAndOnlyWhenSomethingChanged) {
    auto ds = makeSales();
    auto c = DataSetSelectionController::create(dataSetList({ds}));
    ds->getRowStates()->setSelectedIndices({0, 6, 8});
    auto s = selectionList({namedSelection("sales", B::and_(B::in(B::var("region"), {B::const_("East"), B::const_("West")}),
                                                 B::between(B::var("units"), B::const_(10.0), B::const_(25.0))))});
    int events = countEvents(*ds, RowStates::SELECTED_CHANGED, [&] { c->applySelections(s, nullptr); });
    EXPECT_EQ(events, 1);
    EXPECT_EQ(ds->getRowStates()->getSelectedIndices(), (std::vector<int>{1, 2, 4, 9}));
    events = countEvents(*ds, RowStates::SELECTED_CHANGED, [&] { c->applySelections(s, nullptr); });
    EXPECT_EQ(events, 0);
    // Between keeps both ends.
    c->applySelections(selectionList({namedSelection("sales", B::between(B::var("units"), B::const_(10.0), B::const_(12.0)))}),
                       nullptr);
    EXPECT_EQ(ds->getRowStates()->getSelectedIndices(), (std::vector<int>{1, 9}));
}

TEST(SelectionApply, DataNameChecksAreLoggedAndSkipped) {
    auto ds = makeSales();
    auto other = makeSales("stock");
    auto c = DataSetSelectionController::create(dataSetList({ds, other}));
    CLogCapture log;
    auto east = B::eq(B::var("region"), B::const_("East"));
    auto west = B::eq(B::var("region"), B::const_("West"));
    c->applySelections(selectionList({namedSelection("sales", east), namedSelection("sales", west), namedSelection("nowhere", east),
                               namedSelection("nowhere", west), namedSelection("stock", west)}),
                       nullptr);
    EXPECT_EQ(ds->getRowStates()->getSelectedIndices(), (std::vector<int>{0, 2, 5}));
    EXPECT_EQ(other->getRowStates()->getSelectedIndices(), (std::vector<int>{1, 4, 9}));
    EXPECT_TRUE(log.contains(1, "Selections with duplicate data name: sales."));
    EXPECT_TRUE(log.contains(1, "Selection data name not found: nowhere."));
    EXPECT_TRUE(log.contains(1, "Selections with duplicate data name: nowhere."));

    auto unnamed = Selection::create();
    unnamed->expression = east;
    c->applySelections(selectionList({unnamed}), nullptr);
    EXPECT_TRUE(log.contains(1, "Selection requires a data name."));
}

TEST(SelectionApply, NullNamesMatchAndBadSelectionsLeaveRowStatesAlone) {
    auto ds = makeSales();
    ds->setName(std::shared_ptr<const std::string>());
    auto c = DataSetSelectionController::create(dataSetList({ds}));
    auto o = SelectionOptions::create();
    auto s = Selection::create();
    s->expression = B::eq(B::var("region"), B::const_("North"));
    CLogCapture log;
    EXPECT_TRUE(c->applySelectionToRowStates(s, ds, *o, *ds->getRowStates()));
    EXPECT_EQ(ds->getRowStates()->getSelectedIndices(), (std::vector<int>{3, 7}));

    auto named = namedSelection("sales", s->expression.get());
    EXPECT_FALSE(c->applySelectionToRowStates(named, ds, *o, *ds->getRowStates()));
    EXPECT_TRUE(log.contains(1, "Selection data name does not match target data."));
    EXPECT_FALSE(c->applySelectionToRowStates(nullptr, ds, *o, *ds->getRowStates()));
    EXPECT_TRUE(log.contains(1, "Null selection was not applied."));

    // Unknown column, a string against a number column, a comparison of two variables.
    for (auto e : {B::eq(B::var("colour"), B::const_("Red")), B::eq(B::var("units"), B::const_("ten")),
                   B::eq(B::var("units"), B::var("year"))}) {
        auto bad = Selection::create();
        bad->expression = e;
        int events = countEvents(*ds, RowStates::SELECTED_CHANGED,
                                 [&] { EXPECT_FALSE(c->applySelectionToRowStates(bad, ds, *o, *ds->getRowStates())); });
        EXPECT_EQ(events, 0) << e->toString();
        EXPECT_EQ(ds->getRowStates()->getSelectedIndices(), (std::vector<int>{3, 7})) << e->toString();
    }
    EXPECT_TRUE(log.contains(1, "Cannot convert expression to where-clause: \"colour\" = \"Red\""));
    EXPECT_TRUE(log.contains(1, "Invalid selection was not applied: "));
    EXPECT_TRUE(log.contains(1, "Selection was not applied: numeric column \"units\""));
}

TEST(SelectionTake, ExpectedNamesAndEmptySelections) {
    auto ds = makeSales();
    auto c = DataSetSelectionController::create(dataSetList({ds}));
    // Defaults: the data set's name, its category columns (year has usage 1).
    auto d = c->getDefaultOptions();
    std::vector<std::string> vars;
    for (const auto& v : *d->expectedVariableNames.get()) vars.push_back(*v);
    EXPECT_EQ(vars, (std::vector<std::string>{"region", "product", "year"}));
    EXPECT_EQ(*(*d->expectedDataNames.get())[0], "sales");

    auto sels = c->getSelections(nullptr);
    ASSERT_TRUE(sels);
    EXPECT_TRUE(sels->empty());  // nothing selected
    ds->getRowStates()->setSelectedIndices({2});
    EXPECT_EQ(c->getSelections(nullptr)->size(), 1u);
    EXPECT_TRUE(c->getSelections(optionsFor({"region"}, {"stock"}))->empty());
    EXPECT_TRUE(c->getSelections(optionsFor({"colour"}))->empty());
    auto o = optionsFor({});
    o->expectedVariableNames = Names::create();
    EXPECT_EQ(c->makeSelectionFromRowStates(*ds, *ds->getRowStates(), *o, PromptSelectionMode::DISCRETE), nullptr);
}

TEST(SelectionEvents, RowStateChangesAreReannouncedWithTheDataName) {
    auto ds = makeSales();
    auto other = makeSales("stock");
    auto c = DataSetSelectionController::create(dataSetList({ds}));
    EventLog heard(*c, {SelectionController::SELECTION_CHANGED});
    ds->getRowStates()->setSelectedIndices({1, 2});
    ds->getRowStates()->setSelectedIndices({1, 2});  // no change, no event
    c->updateDataSet(ds);                              // observed once however often asked
    ds->getRowStates()->clear(0);
    EXPECT_EQ(heard.dataNames(), (std::vector<std::string>{"sales", "sales"}));

    // Moving to other data sets stops observing the old ones.
    c->setDataSets(dataSetList({other}));
    ds->getRowStates()->setSelectedIndices({3});
    other->getRowStates()->setSelectedIndices({3});
    EXPECT_EQ(heard.dataNames(), (std::vector<std::string>{"sales", "sales", "stock"}));

    // A change first announced by another controller is passed on once, and
    // not bounced back to its sender.
    auto peer = DataSetSelectionController::create(dataSetList({ds}));
    auto forward = EventCallback<SelectionController>::create(c, &SelectionController::handleEvent);
    auto back = EventCallback<SelectionController>::create(peer, &SelectionController::handleEvent);
    peer->addEventListener(SelectionController::SELECTION_CHANGED, forward);
    c->addEventListener(SelectionController::SELECTION_CHANGED, back);
    ds->getRowStates()->setSelectedIndices({4});
    EXPECT_EQ(heard.dataNames(), (std::vector<std::string>{"sales", "sales", "stock", "sales"}));
}

TEST(SelectionValues, PromptValuesToAndFromSelections) {
    auto ds = makeSales();
    auto c = DataSetSelectionController::create(dataSetList({ds}));
    auto o = optionsFor({"region", "units"});
    auto values = std::make_shared<SelectionController::Values>(
        SelectionController::Values{DataValue::create("East"), DataValue::create("North")});
    auto s = c->getSelectionFromDataValues(str("sales"), str("region"), values, PromptSelectionMode::DISCRETE, o);
    ASSERT_TRUE(s);
    EXPECT_EQ(s->expression.get()->toString(), "\"region\" = \"East\" or \"region\" = \"North\"");
    auto one = std::make_shared<SelectionController::Values>(SelectionController::Values{DataValue::create("East")});
    EXPECT_EQ(c->getSelectionFromDataValues(str("sales"), str("region"), one, PromptSelectionMode::DISCRETE, o)
                  ->expression.get()->toString(),
              "or(\"region\" = \"East\")");
    auto range = std::make_shared<SelectionController::Values>(
        SelectionController::Values{DataValue::create(10.0), DataValue::create(20.0), DataValue::create(99.0)});
    auto r = c->getSelectionFromDataValues(str("sales"), str("units"), range, PromptSelectionMode::RANGE, o);
    c->applySelections(selectionList({r}), o);
    EXPECT_EQ(ds->getRowStates()->getSelectedIndices(), (std::vector<int>{1, 2, 3, 8, 9}));

    EXPECT_EQ(c->getSelectionFromDataValues(str("stock"), str("region"), values, PromptSelectionMode::DISCRETE, o), nullptr);
    EXPECT_EQ(c->getSelectionFromDataValues(str("sales"), str("colour"), values, PromptSelectionMode::DISCRETE, o), nullptr);
    EXPECT_EQ(c->getSelectionFromDataValues(str("sales"), str("region"), nullptr, PromptSelectionMode::DISCRETE, o), nullptr);

    auto back = SelectionController::getDataValuesFromSelections(selectionList({s, r}), str("sales"), "region");
    ASSERT_TRUE(back);
    ASSERT_EQ(back->size(), 2u);
    EXPECT_EQ((*back)[1]->getPresentableText(), "North");
    auto bounds = SelectionController::getDataValuesFromSelections(selectionList({s, r}), str("sales"), "units");
    ASSERT_TRUE(bounds);
    EXPECT_EQ(bounds->size(), 2u);
    EXPECT_EQ(SelectionController::getDataValuesFromSelections(selectionList({s}), str("stock"), "region"), nullptr);
}

namespace {

// An adapter that answers for every hierarchy with a fixed name and levels:
// the controller must ask the adapter in use, never the hierarchy directly.
class RenamingAdapter : public SelectionHierarchyAdapter {
public:
    std::string getHierarchyName(const Hierarchy&) const override { return "Renamed"; }
};

struct AdapterScope {
    AdapterScope() { SelectionHierarchyAdapter::set(std::make_shared<RenamingAdapter>()); }
    ~AdapterScope() { SelectionHierarchyAdapter::set(nullptr); }
};

} // namespace

TEST(SelectionHierarchies, HierarchyNameStandsForItsCurrentLevelAndDrillIsAnded) {
    auto ds = makeSales();
    auto h = Hierarchy::create("Catalogue", std::vector<std::string>{"region", "product"}, ds);
    h->build(ds);
    ASSERT_TRUE(h->drillDown(DataValue::create("East")));
    ASSERT_EQ(h->getCurrentLevelIndex(), 1);
    auto c = DataSetSelectionController::create(dataSetList({ds}));
    auto o = optionsFor({"Catalogue"});
    o->hierarchies = MonitoredVector<std::shared_ptr<Hierarchy>>::create({h});

    // Under East, Paper was picked (row 5): the drilled region joins the selection.
    auto [got, text] = roundTrip(ds, {5}, o, c);
    EXPECT_EQ(text, "\"Catalogue\" = \"Paper\" and \"region\" = \"East\"");
    EXPECT_EQ(got, (std::vector<int>{5}));

    o->includeDrillInSelections = false;
    auto [all, t2] = roundTrip(ds, {5}, o, c);
    EXPECT_EQ(t2, "\"Catalogue\" = \"Paper\"");
    EXPECT_EQ(all, (std::vector<int>{4, 5, 7}));

    // Without the hierarchy in the options the name is unknown: nothing applied.
    CLogCapture log;
    ds->getRowStates()->clear(0);
    c->applySelections(selectionList({namedSelection("sales", B::eq(B::var("Catalogue"), B::const_("Ink")))}), optionsFor({"region"}));
    EXPECT_TRUE(ds->getRowStates()->getSelectedIndices().empty());
    EXPECT_TRUE(log.contains(1, "Cannot convert expression to where-clause"));

    // The controller reads hierarchies through the adapter in use: with one
    // that renames every hierarchy, only the new name stands for the level.
    AdapterScope scope;
    auto o2 = optionsFor({"Renamed"});
    o2->hierarchies = MonitoredVector<std::shared_ptr<Hierarchy>>::create({h});
    auto [renamed, t3] = roundTrip(ds, {5}, o2, c);
    EXPECT_EQ(t3, "\"Renamed\" = \"Paper\" and \"region\" = \"East\"");
    EXPECT_EQ(renamed, (std::vector<int>{5}));
}
