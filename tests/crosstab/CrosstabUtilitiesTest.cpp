// SPDX-License-Identifier: Apache-2.0
// CrosstabUtilities: re-applying saved drill and expand states, reading
// expression constants as level values, and the shown cell columns of a
// column leaf.
#include "orvane/crosstab/Crosstab.h"
#include "orvane/crosstab/CrosstabModelBuilder.h"
#include "orvane/crosstab/CrosstabUtilities.h"
#include "orvane/host/data/DataSet.h"
#include "orvane/host/data/ExpressionBuilder.h"
#include "orvane/host/data/ExpressionParser.h"
#include "orvane/host/data/HierarchyDataSet.h"

#include <gtest/gtest.h>

using namespace orvane;

namespace {

std::shared_ptr<DataSet> sample() {
    auto ds = DataSet::create();
    ds->addColumn(Column::createCharacter("Region", {"East", "East", "West", "West", "West"}));
    ds->addColumn(Column::createCharacter("City", {"Boston", "NYC", "Denver", "Denver", "Reno"}));
    ds->addColumn(Column::createNumeric("Year", {2023, 2024, 2023, 2024, 2024}));
    ds->addColumn(Column::createNumeric("Sales", {10, 20, 30, 40, 50}));
    ds->addColumn(Column::createNumeric("Units", {1, 2, 3, 4, 5}));
    return ds;
}

struct Trees {
    std::shared_ptr<DataSet> data = sample();
    std::shared_ptr<Hierarchy> rows =
        Hierarchy::create("rows", std::vector<std::string>{"Region", "City", "Year"}, data);
    std::shared_ptr<Hierarchy> cols = Hierarchy::create("cols", std::vector<std::string>{"Year"}, data);
    std::shared_ptr<HierarchyDataSet> hds = HierarchyDataSet::create(data, {rows, cols}, {"Sales"});
};

std::vector<std::string> memberTexts(const std::shared_ptr<DataTreeNode>& n) {
    std::vector<std::string> out;
    for (const auto& c : n->getChildren()) out.push_back(c->getPresentableText());
    return out;
}

std::shared_ptr<DataTreeNode> child(const std::shared_ptr<DataTreeNode>& n, const std::string& text) {
    for (const auto& c : n->getChildren())
        if (c->getPresentableText() == text) return c;
    return nullptr;
}

} // namespace

TEST(CrosstabUtilities, DrillStatesWalkTheirValuesFromTheGivenNode) {
    Trees t;
    // Member texts from the root: West, then Denver at the level below.
    EXPECT_EQ(CrosstabUtilities::applyDrillExpression(*t.rows, nullptr, std::vector<std::string>{"West", "Denver"}), 2);
    EXPECT_EQ(t.rows->getCurrentLevelIndex(), 2);
    ASSERT_EQ(t.rows->getDrillPath().size(), 2u);
    EXPECT_EQ(t.rows->getDrillPath()[1]->toString(), "Denver");
    // Denver's rows only: its years, both of them.
    EXPECT_EQ(memberTexts(t.rows->getExpandedState()).size(), 2u);
    EXPECT_EQ(t.rows->getExpandedState()->getSourceRows(), (std::vector<int32_t>{2, 3}));

    // From a member node: the hierarchy drills into it, then on with the values.
    t.rows->resetDrill();
    auto east = child(t.rows->getExpandedState(), "East");
    ASSERT_TRUE(east);
    EXPECT_EQ(CrosstabUtilities::applyDrillExpression(*t.rows, east, std::vector<std::string>{"NYC"}), 2);
    EXPECT_EQ(t.rows->getCurrentLevelIndex(), 2);
    EXPECT_EQ(t.rows->getExpandedState()->getSourceRows(), (std::vector<int32_t>{1}));

    // A value that is no member stops the walk where it is.
    t.rows->resetDrill();
    EXPECT_EQ(CrosstabUtilities::applyDrillExpression(*t.rows, nullptr, std::vector<std::string>{"West", "Paris"}), 1);
    EXPECT_EQ(t.rows->getCurrentLevelIndex(), 1);
}

TEST(CrosstabUtilities, ParsedStatesAreAppliedPerHierarchyAndOtherFormsIgnored) {
    Trees t;
    // Year values are numbers: the text constant is read through the level.
    auto yearState = ExpressionParser::parse("\"Year\" in (\"2024\")");
    ASSERT_TRUE(yearState);
    EXPECT_EQ(CrosstabUtilities::applyDrillExpression(t.hds, {nullptr, yearState}), 0);
    EXPECT_EQ(t.rows->getCurrentLevelIndex(), 0);   // a null state leaves it alone
    EXPECT_EQ(t.cols->getCurrentLevelIndex(), 0);   // Year is the last level: nothing below to drill to
    EXPECT_EQ(CrosstabUtilities::applyDrillExpression(t.hds, {ExpressionParser::parse("\"Region\" in (\"East\")")}), 1);
    EXPECT_EQ(t.rows->getExpandedState()->getSourceRows(), (std::vector<int32_t>{0, 1}));

    // Only membership tests drill.
    t.rows->resetDrill();
    EXPECT_EQ(CrosstabUtilities::applyDrillExpression(*t.rows, nullptr, ExpressionParser::parse("\"Region\" = \"East\"")), 0);
    EXPECT_EQ(CrosstabUtilities::applyDrillExpression(*t.rows, nullptr, std::shared_ptr<Expression>()), 0);
    EXPECT_EQ(t.rows->getCurrentLevelIndex(), 0);

    // Constants read as level values; anything else gives nothing.
    auto year = t.rows->getLevels()[2];
    auto v = CrosstabUtilities::getDataValue(*year, ExpressionBuilder::const_("2024"));
    ASSERT_TRUE(v);
    EXPECT_TRUE(v->equals(*DataValue::create(2024.0)));
    EXPECT_FALSE(CrosstabUtilities::getDataValue(*year, ExpressionBuilder::var("Year")));
    EXPECT_FALSE(CrosstabUtilities::getDataValue(*year, nullptr));
}

TEST(CrosstabUtilities, ExpandStatesOpenThePathAndStopAtAnUnknownMember) {
    Trees t;
    auto root = t.rows->getExpandedState();
    EXPECT_EQ(CrosstabUtilities::applyExpandExpression(*t.rows, nullptr, {"West", "Denver"}), 2);
    auto west = child(root, "West");
    ASSERT_TRUE(west);
    EXPECT_FALSE(west->isCollapsed());
    EXPECT_FALSE(child(west, "Denver")->isCollapsed());
    EXPECT_TRUE(child(west, "Reno")->isCollapsed());
    EXPECT_TRUE(child(root, "East")->isCollapsed());
    // From a node; an unknown member stops the path after what was found.
    auto east = child(root, "East");
    EXPECT_EQ(CrosstabUtilities::applyExpandExpression(*t.rows, east, {"Paris", "2023"}), 0);
    EXPECT_TRUE(child(east, "Boston")->isCollapsed());
    EXPECT_EQ(CrosstabUtilities::applyExpandExpression(*t.rows, east, {"Boston", "2099"}), 1);
    EXPECT_FALSE(child(east, "Boston")->isCollapsed());
    // Below the last level there is nothing to expand.
    EXPECT_EQ(CrosstabUtilities::applyExpandExpression(*t.rows, nullptr, {"West", "Denver", "2024", "x"}), 3);
}

TEST(CrosstabUtilities, VisibleColumnsOfALeafSkipSuppressedMeasures) {
    auto b = CrosstabModelBuilder::create(sample(), "rows", "cols", {"Region"}, {"Year"}, {"Sales", "Units"});
    b->showColumnTotal.set(true);
    b->showRowTotal.set(true);
    auto x = Crosstab::create();
    b->setCrosstab(x);
    x->suppressedTotalMeasureNames.set(
        MonitoredVector<std::shared_ptr<const std::string>>::create({std::make_shared<const std::string>("Units")}));
    b->build();
    // Column leaves: 2023, 2024, total; two measures each, Units suppressed under the total.
    ASSERT_EQ(x->dataSet.get()->getColumnCount(), 6u);
    EXPECT_EQ(CrosstabUtilities::getVisibleColumnIndicies(*x, 0), (std::vector<int>{0, 1}));
    EXPECT_EQ(CrosstabUtilities::getVisibleColumnIndicies(*x, 1), (std::vector<int>{2, 3}));
    EXPECT_EQ(CrosstabUtilities::getVisibleColumnIndicies(*x, 2), (std::vector<int>{4}));
    EXPECT_EQ(*x->dataSet.get()->getColumn(4)->getMeasureName(), "Sales");
    EXPECT_TRUE(CrosstabUtilities::getVisibleColumnIndicies(*x, 3).empty());
    EXPECT_TRUE(CrosstabUtilities::getVisibleColumnIndicies(*x, -1).empty());
    EXPECT_TRUE(CrosstabUtilities::getVisibleColumnIndicies(*Crosstab::create(), 0).empty());
}
