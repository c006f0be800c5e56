// SPDX-License-Identifier: Apache-2.0
// CrosstabDisplayRules: total and subtotal styles, the font shrink, rules on
// the column shown, level-scoped rules and the total cell's measure group.
#include "orvane/crosstab/CrosstabDisplayRules.h"
#include "orvane/crosstab/CrosstabModelBuilder.h"
#include "orvane/host/data/ExpressionParser.h"
#include "orvane/host/style/AttributeBundle.h"
#include "orvane/host/style/Dimension.h"
#include "orvane/host/style/StyleChain.h"
#include "orvane/host/text/FontTool.h"
#include "orvane/view/DisplayTreeNode.h"

#include <gtest/gtest.h>

using namespace orvane;

namespace {

struct Built {
    std::shared_ptr<Crosstab> x;
    std::shared_ptr<CrosstabDisplayRules> rules = CrosstabDisplayRules::create("_crosstab");
    std::vector<std::shared_ptr<DataTreeNode>> rowLeaves, columnLeaves;
};

Built build(bool top = false) {
    auto ds = DataSet::create();
    ds->addColumn(Column::createCharacter("Region", {"East", "East", "West"}));
    ds->addColumn(Column::createCharacter("City", {"Boston", "NYC", "Denver"}));
    ds->addColumn(Column::createCharacter("Year", {"2023", "2024", "2024"}));
    ds->addColumn(Column::createNumeric("Sales", {10, 20, 30}));
    ds->addColumn(Column::createNumeric("Units", {1, 2, 3}));
    auto b = CrosstabModelBuilder::create(ds, "rows", "cols", {"Region", "City"}, {"Year"}, {"Sales", "Units"});
    for (auto* p : {&b->showRowTotal, &b->showRowSubTotal, &b->showColumnTotal}) p->set(true);
    b->showSummaryOnTop.set(top);
    Built out;
    out.x = b->build();
    auto leaves = [](const std::shared_ptr<DataTreeNode>& root) {
        std::vector<std::shared_ptr<DataTreeNode>> v;
        for (auto& l : root->getDepthFirstListOfAllLeafNodesUnderThisNode()) v.push_back(l);
        return v;
    };
    out.rowLeaves = leaves(out.x->rowDataTreeNode.get());
    out.columnLeaves = leaves(out.x->columnDataTreeNode.get());
    out.rules->setModel(out.x);
    out.rules->setRowLeafNodes(std::make_shared<std::vector<std::shared_ptr<DataTreeNode>>>(out.rowLeaves));
    out.rules->setColumnLeafNodes(std::make_shared<std::vector<std::shared_ptr<DataTreeNode>>>(out.columnLeaves));
    out.rules->setDisplayScale(1.0f);
    return out;
}

std::shared_ptr<StyleChain> chain(uint32_t fill, uint32_t text, float points = 0) {
    auto b = AttributeBundle::create();
    b->setColor(8, fill);
    b->setColor(19, text);
    b->setInt(34, 1);
    if (points > 0) b->setDimension(31, Dimension::create(points, DimensionUnit::POINTS));
    return StyleChain::create({b});
}

} // namespace

TEST(CrosstabDisplayRules, TotalsWinOverSubtotalsAndFillIsNotText) {
    auto t = build();
    t.x->totalStyle.set(chain(0xff000011u, 0xff000022u));
    t.x->subtotalStyle.set(chain(0xff000033u, 0xff000044u));
    // Rows: Boston, NYC, East subtotal, Denver, West subtotal, total;
    // columns: 2023, 2024, total (2 measures each).
    ASSERT_EQ(t.rowLeaves.size(), 6u);
    DataGridCellInfoStruct plain;
    t.rules->DisplayRuleCallback(0, 0, &plain);
    EXPECT_EQ(plain.fillColor, 0xffffffffu);
    DataGridCellInfoStruct sub;
    t.rules->DisplayRuleCallback(0, 2, &sub);
    EXPECT_EQ(sub.fillColor, 0xff000033u);
    EXPECT_EQ(sub.textColor, 0xff000044u);
    EXPECT_TRUE(sub.bold);
    // Subtotal row crossing the total column: the total style.
    DataGridCellInfoStruct both;
    t.rules->DisplayRuleCallback(4, 2, &both);
    EXPECT_EQ(both.fillColor, 0xff000011u);
    EXPECT_EQ(both.textColor, 0xff000022u);
    EXPECT_EQ(t.rules->getStyleOverrideForCell(5, 0), t.x->totalStyle.get());
    EXPECT_FALSE(t.rules->getStyleOverrideForCell(99, 0));
    EXPECT_EQ(t.rules->getColumnLeafNodeAtIndex(5)->getNodeType(), NodeType::TOTAL);
    EXPECT_FALSE(t.rules->getColumnLeafNodeAtIndex(6));
}

TEST(CrosstabDisplayRules, FontShrinksToTheRowHeight) {
    auto t = build();
    t.x->totalStyle.set(chain(1, 2, 20.0f));
    DataGridCellInfoStruct tall;
    tall.height = 200;
    t.rules->DisplayRuleCallback(0, 5, &tall);
    EXPECT_FLOAT_EQ(tall.fontSize, 20.0f);
    DataGridCellInfoStruct low;
    low.height = 17;
    t.rules->DisplayRuleCallback(0, 5, &low);
    FontTool tool;
    ASSERT_TRUE(tool.setFont(FontTool::DEFAULT_FAMILY, 20.0f, false, true));
    const float line = tool.getFontMetrics().lineHeight;
    ASSERT_GT(line, 12.0f);
    EXPECT_NEAR(low.fontSize, 20.0f * 12.0f / line, 1e-4);
}

TEST(CrosstabDisplayRules, RulesSeeTheShownColumnTheirLevelsAndTheTotalCellGroup) {
    auto t = build();
    // A rule on data column 0 colours values of 10 or more; scoped to the
    // City level, it leaves subtotal and total rows alone.
    auto rule = Rule::create();
    auto effect = AttributeBundle::create();
    effect->setColor(8, 0xff00ff00u);
    rule->addCondition({ExpressionParser::parse("value >= 10"), effect, {"City"}, Rule::TotalScope::ANY});
    t.rules->setDisplayRule(0, rule);
    DataGridCellInfoStruct boston, subtotal;
    t.rules->DisplayRuleCallback(0, 0, &boston);
    EXPECT_EQ(boston.fillColor, 0xff00ff00u);
    t.rules->DisplayRuleCallback(0, 2, &subtotal);
    EXPECT_EQ(subtotal.fillColor, 0xffffffffu);
    // Shown columns: grid column 0 maps to the data column listed first.
    t.rules->setVisibleColumnIndicies(std::make_shared<std::vector<int>>(std::vector<int>{2, 0}));
    DataGridCellInfoStruct mapped;
    t.rules->DisplayRuleCallback(1, 0, &mapped);
    EXPECT_EQ(mapped.fillColor, 0xff00ff00u);
    DataGridCellInfoStruct other;
    t.rules->DisplayRuleCallback(0, 0, &other);   // data column 2: Boston has no 2024 value
    EXPECT_EQ(other.fillColor, 0xffffffffu);
    // Levels of a leaf.
    auto levels = CrosstabDisplayRules::getCurrentLevels(t.x->rowHierarchy.get(), t.rowLeaves[0]);
    ASSERT_EQ(levels.size(), 2u);
    EXPECT_EQ(levels[1].name, "City");
    EXPECT_TRUE(CrosstabDisplayRules::getCurrentLevels(t.x->rowHierarchy.get(), t.rowLeaves[5]).empty());
    // The total cell's measure group, with spans [2, 2, 2]: column 4 belongs to 4-5.
    t.rules->setColumnLeafMeasureNumbers(std::make_shared<std::vector<int>>(std::vector<int>{2, 2, 2}));
    t.rules->setTotalCell(5, 4);
    EXPECT_TRUE(t.rules->isTotalCell(5, 5));
    EXPECT_FALSE(t.rules->isTotalCell(5, 3));
    EXPECT_FALSE(t.rules->isTotalCell(4, 4));
    t.rules->setColumnLeafMeasureNumbers(nullptr);
    t.rules->setTotalCell(5, 5);
    EXPECT_TRUE(t.rules->isTotalCell(5, 4));
    EXPECT_FALSE(t.rules->isTotalCell(5, 6));
    // Drilled: no total cell.
    ASSERT_TRUE(t.x->rowHierarchy.get()->drillDown(t.x->rowHierarchy.get()->getExpandedState()->getChildren()[0]));
    EXPECT_TRUE(t.rules->isDrilled());
    EXPECT_FALSE(t.rules->isTotalCell(5, 4));
}
