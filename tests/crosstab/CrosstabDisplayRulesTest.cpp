// SPDX-License-Identifier: Apache-2.0
// CrosstabDisplayRules: total and subtotal styles, the font shrink, rules on
// the column shown, level-scoped rules and the total cell's measure group.
#include "orvane/crosstab/CrosstabDisplayRules.h"
#include "orvane/crosstab/CrosstabModelBuilder.h"
#include "orvane/datagrid/DataGridColumnInfo.h"
#include "orvane/displaylist/TqDataGrid.h"
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

// Heat maps colour member cells over the range of their measure among member
// crossings only: a total (50 for 2024 Sales) inside the range would squash
// every member colour towards the low end.
TEST(CrosstabDisplayRules, HeatMapsSpanTheMeasureAmongMembersAndLeaveSummariesUncoloured) {
    auto t = build();
    auto ramp = AttributeBundle::create();
    ramp->setColor(27, 0xff0000ffu);   // low
    ramp->setColor(26, 0xffff0000u);   // high
    t.x->tableStyle.set(StyleChain::create({ramp}));
    for (int c : {0, 2, 4}) {   // the Sales columns of 2023, 2024 and the total
        auto info = DataGridColumnInfo::create();
        info->cellVisual.set(CellVisualType::HEATMAP);
        info->cellVisualPosition.set(CellVisualPosition::REPLACE);
        t.x->setColumnInfo(c, info);
    }
    t.rules->setModel(t.x);
    // Sales: Boston 2023 = 10, NYC 2024 = 20, Denver 2024 = 30.
    const auto range = t.rules->computeMinMax(2);
    EXPECT_DOUBLE_EQ(range.first, 10.0);
    EXPECT_DOUBLE_EQ(range.second, 30.0);
    EXPECT_EQ(t.rules->computeMinMax(1), std::make_pair(1.0, 3.0));   // Units, its own range
    auto fill = [&](int column, int row) {
        DataGridCellInfoStruct info;
        t.rules->DisplayRuleCallback(column, row, &info);
        return info.fillColor;
    };
    EXPECT_EQ(fill(0, 0), 0xff0000ffu);   // Boston 2023: the minimum
    EXPECT_EQ(fill(2, 3), 0xffff0000u);   // Denver 2024: the maximum
    const uint32_t middle = fill(2, 1);   // NYC 2024 lies between
    EXPECT_NE(middle, 0xff0000ffu);
    EXPECT_NE(middle, 0xffff0000u);
    EXPECT_EQ(fill(2, 2), 0xffffffffu);   // East subtotal row
    EXPECT_EQ(fill(2, 5), 0xffffffffu);   // grand total row
    EXPECT_EQ(fill(4, 0), 0xffffffffu);   // total column
    EXPECT_EQ(fill(1, 0), 0xffffffffu);   // Units has no heat map
    EXPECT_EQ(fill(0, 1), 0xffffffffu);   // an empty crossing takes no colour

    // A fill chosen by a display rule wins over the heat map.
    auto green = AttributeBundle::create();
    green->setColor(8, 0xff00ff00u);
    auto rule = Rule::create();
    rule->addCondition(ExpressionParser::parse("value > 0"), green);
    t.rules->setDisplayRule(0, rule);
    EXPECT_EQ(fill(0, 0), 0xff00ff00u);
}

TEST(CrosstabDisplayRules, CellTextsComeFromTheShownColumn) {
    auto t = build();
    displaylist::TqRef<displaylist::TqDataGrid> gridRef(new displaylist::TqDataGrid(0, 0, 400, 200, 1));
    auto& grid = *gridRef;
    grid.SetNumGridRowsAndColumns(6, 6);
    // With Units suppressed the grid shows the Sales columns only: grid column 1
    // is data column 2 (2024 Sales).
    t.rules->setVisibleColumnIndicies(std::make_shared<std::vector<int>>(std::vector<int>{0, 2, 4}));
    t.rules->CellContentCallback(1, 3, &grid);   // Denver 2024
    t.rules->CellContentCallback(0, 3, &grid);   // Denver 2023: an empty crossing
    t.rules->CellContentCallback(2, 5, &grid);   // total of totals
    EXPECT_NE(grid.GetCellText(3, 1).find("30"), std::string::npos);
    EXPECT_EQ(grid.GetCellText(3, 0), "");
    EXPECT_NE(grid.GetCellText(5, 2).find("60"), std::string::npos);
    // Without the list grid and data columns are the same.
    displaylist::TqRef<displaylist::TqDataGrid> plainRef(new displaylist::TqDataGrid(0, 0, 400, 200, 2));
    auto& plain = *plainRef;
    plain.SetNumGridRowsAndColumns(6, 6);
    t.rules->setVisibleColumnIndicies(nullptr);
    t.rules->CellContentCallback(2, 3, &plain);
    EXPECT_EQ(plain.GetCellText(3, 2), grid.GetCellText(3, 1));
    t.rules->setVisibleColumnIndicies(std::make_shared<std::vector<int>>(std::vector<int>{0, 2, 4}));
    // Outside the visible list or the rows: nothing is written, nothing breaks.
    t.rules->CellContentCallback(7, 0, &grid);
    t.rules->CellContentCallback(0, 99, &grid);
    t.rules->CellContentCallback(0, 0, nullptr);
    EXPECT_EQ(grid.GetCellText(0, 0), "");
}
