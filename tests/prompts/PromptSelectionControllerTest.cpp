// SPDX-License-Identifier: Apache-2.0
#include "common/EventLog.h"
#include "common/SampleData.h"

#include "orvane/host/core/CLog.h"
#include "orvane/host/data/ExpressionBuilder.h"
#include "orvane/prompts/PromptSelectionController.h"
#include "orvane/selection/Selection.h"
#include "orvane/selection/SelectionChangeEvent.h"
#include "orvane/selection/SelectionOptions.h"

#include <gtest/gtest.h>

using namespace orvane;
using namespace orvane::test;
using Values = SelectionController::Values;

namespace {

std::shared_ptr<Values> nums(std::initializer_list<double> l) {
    auto v = std::make_shared<Values>();
    for (double x : l) v->push_back(DataValue::create(x));
    return v;
}
std::shared_ptr<Values> texts(std::initializer_list<const char*> l) {
    auto v = std::make_shared<Values>();
    for (auto x : l) v->push_back(DataValue::create(x));
    return v;
}
std::vector<double> numbersOf(const std::shared_ptr<Values>& v) {
    std::vector<double> out;
    if (v)
        for (const auto& x : *v) out.push_back(x->getNumber());
    return out;
}

struct Prompt {
    std::shared_ptr<DataSet> ds = makeSales();
    std::shared_ptr<PromptSelectionController> c = PromptSelectionController::create();
    EventLog heard{*c, {SelectionController::SELECTION_CHANGED}};
    Prompt(const char* variable, PromptSelectionMode::type mode) {
        c->setDataName(str("sales"));
        c->setVariableName(str(variable));
        c->setSelectionMode(mode);
        c->setDataSets(dataSetList({ds}));
    }
    std::vector<int> selected() const { return ds->getRowStates()->getSelectedIndices(); }
    size_t events() const { return heard.size(); }
};

} // namespace

TEST(PromptSelection, RangeModeKeepsExactlyTheSmallestAndLargest) {
    Prompt p("units", PromptSelectionMode::RANGE);
    p.c->setSelectedValues(nums({5, 3, 10, 3}), true);
    EXPECT_EQ(numbersOf(p.c->getSelectedValues()), (std::vector<double>{3, 10}));
    // Both ends included: 5, 10 and 9.5 (rows 0, 1, 7); 12 is outside.
    EXPECT_EQ(p.selected(), (std::vector<int>{0, 1, 7}));
    p.c->setSelectedValues(nums({4}), true);
    EXPECT_EQ(numbersOf(p.c->getSelectedValues()), (std::vector<double>{4, 4}));
    EXPECT_TRUE(p.selected().empty());
    EXPECT_EQ(p.events(), 2u);
    EXPECT_EQ(p.heard.dataNames(), (std::vector<std::string>{"sales", "sales"}));
}

TEST(PromptSelection, EventsOnlyOnRealChanges) {
    Prompt p("region", PromptSelectionMode::DISCRETE);
    p.c->setSelectedValues(texts({"East", "North", "East"}), true);
    ASSERT_EQ(p.c->getSelectedValues()->size(), 2u);
    EXPECT_EQ(p.selected(), (std::vector<int>{0, 2, 3, 5, 7}));
    EXPECT_EQ(p.events(), 1u);
    p.c->setSelectedValues(texts({"North", "East"}), true);  // same set, other order
    EXPECT_EQ(p.events(), 1u);
    // Row states changed behind the prompt's back are restored by an update
    // even when the values did not change, still without an event.
    p.ds->getRowStates()->clear(0);
    p.c->setSelectedValues(texts({"North", "East"}), true);
    EXPECT_EQ(p.selected(), (std::vector<int>{0, 2, 3, 5, 7}));
    EXPECT_EQ(p.events(), 1u);
    // Without the update the row states stay as they are.
    p.c->setSelectedValues(texts({"West"}), false);
    EXPECT_EQ(p.events(), 2u);
    EXPECT_EQ(p.selected(), (std::vector<int>{0, 2, 3, 5, 7}));
}

TEST(PromptSelection, ClearSelectionsSendsOneEventAndClearsRows) {
    Prompt p("region", PromptSelectionMode::DISCRETE);
    p.c->setSelectedValues(texts({"West"}), true);
    EXPECT_EQ(p.selected(), (std::vector<int>{1, 4, 9}));
    p.heard.clear();
    p.c->clearSelections();
    EXPECT_EQ(p.events(), 1u);
    EXPECT_TRUE(p.selected().empty());
    EXPECT_EQ(p.c->getSelectedValues(), nullptr);
    p.c->clearSelections();  // nothing left to clear
    EXPECT_EQ(p.events(), 1u);
}

TEST(PromptSelection, ReportsAndTakesOverSelections) {
    Prompt p("region", PromptSelectionMode::DISCRETE);
    p.c->setSelectedValues(texts({"South"}), true);
    auto sels = p.c->getSelections(nullptr);
    ASSERT_TRUE(sels);
    ASSERT_EQ(sels->size(), 1u);  // the data set's own carries the prompt's data name
    // Over the default variables: every category column of the row.
    EXPECT_EQ((*sels)[0]->expression.get()->toString(),
              "\"region\" = \"South\" and \"product\" = \"Pens\" and \"year\" = 2023");

    // Reported under another name: the picked values are added as one more selection.
    p.c->setDataName(str("regionPrompt"));
    sels = p.c->getSelections(optionsFor({"region"}, {"sales", "regionPrompt"}));
    ASSERT_EQ(sels->size(), 2u);
    EXPECT_EQ(*(*sels)[1]->dataName.get(), "regionPrompt");

    // Selections made elsewhere: applied, and their values become the picked ones.
    p.c->setDataName(str("sales"));
    p.heard.clear();
    auto s = Selection::create();
    s->dataName = str("sales");
    s->expression = ExpressionBuilder::in(ExpressionBuilder::var("region"),
                                          {ExpressionBuilder::const_("West"), ExpressionBuilder::const_("North")});
    p.c->applySelections(std::make_shared<SelectionController::Selections>(SelectionController::Selections{s}), nullptr);
    EXPECT_EQ(p.selected(), (std::vector<int>{1, 3, 4, 7, 9}));
    ASSERT_TRUE(p.c->getSelectedValues());
    EXPECT_EQ(p.c->getSelectedValues()->size(), 2u);
    EXPECT_EQ(p.events(), 1u);
}

TEST(PromptSelection, DefaultNamesFollowTheMode) {
    // Measures in range mode, every category column in discrete mode.
    struct Case {
        const char* variable;
        PromptSelectionMode::type mode;
        std::vector<std::string> expected;
    };
    for (const Case& k : {Case{"units", PromptSelectionMode::RANGE, {"units"}},
                          Case{"region", PromptSelectionMode::DISCRETE, {"region", "product", "year"}}}) {
        SCOPED_TRACE(k.variable);
        Prompt p(k.variable, k.mode);
        auto names = p.c->getDefaultOptions()->expectedVariableNames.get();
        ASSERT_TRUE(names);
        std::vector<std::string> vars;
        for (const auto& v : *names) vars.push_back(*v);
        EXPECT_EQ(vars, k.expected);
    }
}

TEST(PromptSelection, WrongKindsAndMissingColumnsChangeNothing) {
    Prompt p("region", PromptSelectionMode::DISCRETE);
    p.c->setSelectedValues(texts({"East"}), true);
    CLogCapture log;
    // Numbers for a text column: logged, rows kept.
    p.c->setSelectedValues(nums({3}), true);
    EXPECT_EQ(p.selected(), (std::vector<int>{0, 2, 5}));
    EXPECT_TRUE(log.contains(1, "character column \"region\""));

    Prompt q("colour", PromptSelectionMode::DISCRETE);
    q.c->setSelectedValues(texts({"Red"}), true);
    EXPECT_TRUE(q.selected().empty());
    // No data sets at all: values are kept, nothing else happens.
    auto lone = PromptSelectionController::create();
    lone->setVariableName(str("region"));
    lone->setSelectedValues(texts({"East"}), true);
    EXPECT_EQ(lone->getSelectedValues()->size(), 1u);
}

TEST(PromptSelection, DateRangesIncludeBothEnds) {
    auto ds = DataSet::create("orders");
    auto date = Column::createNumeric("day", {0, 59, 60, 61, 365}, "DATE9.");
    ds->addColumn(date);
    ds->ensureRowStates();
    auto c = PromptSelectionController::create();
    c->setDataName(str("orders"));
    c->setVariableName(str("day"));
    c->setSelectionMode(PromptSelectionMode::RANGE);
    c->setDataSets(dataSetList({ds}));
    auto v = std::make_shared<Values>(Values{DataValue::createDate(60), DataValue::createDate(59)});
    c->setSelectedValues(v, true);
    EXPECT_EQ(ds->getRowStates()->getSelectedIndices(), (std::vector<int>{1, 2}));
}
