// SPDX-License-Identifier: Apache-2.0
// CrosstabModelBuilder: hierarchies, display trees with totals and subtotals,
// the cells, flags, rebuilding in place and the failure rules.
#include "orvane/crosstab/CrosstabModelBuilder.h"
#include "orvane/crosstab/CrosstabUtilities.h"
#include "orvane/host/core/CLog.h"
#include "orvane/host/data/Aggregation.h"
#include "orvane/view/DisplayTreeNode.h"

#include <gtest/gtest.h>

#include <stdexcept>

using namespace orvane;

namespace {

std::shared_ptr<DataSet> data() {
    auto ds = DataSet::create("sales");
    ds->addColumn(Column::createCharacter("Region", {"East", "East", "West", "West", "West", "North"}));
    ds->addColumn(Column::createCharacter("City", {"Boston", "NYC", "Denver", "Denver", "Seattle", "Chicago"}));
    ds->addColumn(Column::createCharacter("Year", {"2023", "2024", "2023", "2024", "2024", "2023"}));
    ds->addColumn(Column::createCharacter("Store", {"s1", "s2", "s3", "s4", "s5", "s6"}));
    ds->addColumn(Column::createNumeric("Sales", {10, 20, 30, 40, 50, 60}));
    ds->addColumn(Column::createNumeric("Units", {1, 2, 3, 4, 5, 6}));
    return ds;
}

std::shared_ptr<CrosstabModelBuilder> builder(const std::shared_ptr<DataSet>& ds, bool actionEnabled = false) {
    auto b = CrosstabModelBuilder::create(ds, "rows", "cols", {}, {}, {"Sales", "Units"});
    b->setRowMemberNames({"Region", "City"}, actionEnabled);
    b->setColumnMemberNames({"Year"}, actionEnabled);
    return b;
}

std::vector<DisplayTreeNode*> leaves(const std::shared_ptr<DataTreeNode>& root) {
    std::vector<DisplayTreeNode*> out;
    if (!root) return out;
    for (const auto& l : root->getDepthFirstListOfAllLeafNodesUnderThisNode())
        if (l != root) out.push_back(dynamic_cast<DisplayTreeNode*>(l.get()));
    return out;
}

std::string types(const std::vector<DisplayTreeNode*>& ls) {
    std::string s;
    for (auto* l : ls) s += "MTSG"[l->getNodeType() == NodeType::NONE ? 0 : l->getNodeType() == NodeType::TOTAL ? 1 : 2];
    return s;
}

} // namespace

TEST(CrosstabModelBuilder, NoDataSetGivesABareCrosstabAndDefaultsHold) {
    auto b = CrosstabModelBuilder::create();
    EXPECT_EQ(b->getRowHierarchyName(), "__rowHierarchy");
    EXPECT_EQ(b->getColumnHierarchyName(), "__columnHierarchy");
    auto x = b->build();
    ASSERT_TRUE(x);
    EXPECT_FALSE(x->dataSet.get());
    EXPECT_FALSE(x->rowDataTreeNode.get());
    EXPECT_EQ(b->getDisplayedColumnIndex(0), -1);
    // Measures default to the numeric columns.
    auto d = CrosstabModelBuilder::create(data());
    EXPECT_EQ(d->getMeasureNames(), (std::vector<std::string>{"Sales", "Units"}));
}

TEST(CrosstabModelBuilder, DisplayLeavesMatchTheCellRowsWithTotalsAndSubtotals) {
    for (bool top : {false, true}) {
        auto b = builder(data());
        b->showRowTotal.set(true);
        b->showRowSubTotal.set(true);
        b->showColumnTotal.set(true);
        b->showSummaryOnTop.set(top);
        auto x = b->build();
        auto rows = leaves(x->rowDataTreeNode.get());
        // East (Boston, NYC), North (Chicago), West (Denver, Seattle): every
        // region is expanded because actions are off.
        EXPECT_EQ(types(rows), top ? "TSMMSMSMM" : "MMSMSMMST");
        ASSERT_TRUE(x->dataSet.get());
        ASSERT_EQ(x->dataSet.get()->getRowCount(), rows.size());
        // Each cell row is the aggregate of its leaf: the Sales sum of the
        // total row, and of each subtotal row.
        // The Sales column under the column total (first or last pair).
        auto sales = x->dataSet.get()->getColumn(top ? 0 : static_cast<int>(x->dataSet.get()->getColumnCount()) - 2);
        ASSERT_EQ(*sales->getMeasureName(), "Sales");
        ASSERT_EQ(sales->getName()->rfind("Total", 0), 0u);
        for (size_t r = 0; r < rows.size(); ++r) {
            double want = 0;
            auto node = rows[r]->getDataTreeNode();
            ASSERT_TRUE(node);
            for (int i : node->getSourceRows()) want += data()->getColumnWithName("Sales")->getNumberAtIndex(static_cast<size_t>(i));
            EXPECT_DOUBLE_EQ(sales->getNumberAtIndex(r), want) << r;
        }
        // rowTotalSubTotalIndices lists exactly the total and subtotal rows.
        std::vector<int> want;
        for (size_t i = 0; i < rows.size(); ++i)
            if (rows[i]->getNodeType() != NodeType::NONE) want.push_back(static_cast<int>(i));
        EXPECT_EQ(x->rowTotalSubTotalIndices.get()->items(), want);
        EXPECT_EQ(types(leaves(x->columnDataTreeNode.get())), top ? "TMM" : "MMT");
        EXPECT_EQ(x->numberOfMeasures.get(), 2);
        EXPECT_EQ(x->hierarchyDataSet.get(), b->getHierarchyDataSet());
        EXPECT_EQ(rows[top ? 0 : rows.size() - 1]->getPresentableText(), CrosstabModelBuilder::totalLabel());
        EXPECT_EQ(rows[top ? 1 : 2]->getPresentableText(), CrosstabModelBuilder::subtotalLabel() + " East");
    }
}

TEST(CrosstabModelBuilder, SuppressedMeasuresOmittedLevelsAndIndentedView) {
    auto ds = data();
    auto b = builder(ds);
    b->showRowTotal.set(true);
    b->showRowSubTotal.set(true);
    auto x = Crosstab::create();
    b->setCrosstab(x);
    // Every measure suppressed for subtotals: no subtotal nodes.
    x->suppressedSubtotalMeasureNames.set(MonitoredVector<std::shared_ptr<const std::string>>::create(
        {std::make_shared<const std::string>("Sales"), std::make_shared<const std::string>("Units")}));
    b->build();
    EXPECT_EQ(types(leaves(x->rowDataTreeNode.get())), "MMMMMT");
    // One measure suppressed for totals: the total's span is 1 and the cell
    // column under the total of that measure is marked suppressed.
    x->suppressedSubtotalMeasureNames.set(nullptr);
    x->suppressedTotalMeasureNames.set(
        MonitoredVector<std::shared_ptr<const std::string>>::create({std::make_shared<const std::string>("Units")}));
    b->showColumnTotal.set(true);
    b->build();
    auto rows = leaves(x->rowDataTreeNode.get());
    EXPECT_EQ(rows.back()->getSpan(), 1);
    auto cells = x->dataSet.get();
    EXPECT_TRUE(cells->getColumn(static_cast<int>(cells->getColumnCount()) - 1)->isSuppressed());
    EXPECT_EQ(b->getDisplayedColumnIndices().size(), cells->getColumnCount() - 1);
    // The cell column of a crossing by its member labels.
    const int c2024 = CrosstabUtilities::getColumnIndexForTuple(*x, {"2024"}, "Units");
    ASSERT_GE(c2024, 0);
    EXPECT_EQ(*cells->getColumn(c2024)->getMeasureName(), "Units");
    EXPECT_EQ(cells->getColumn(c2024)->getName()->rfind("2024", 0), 0u);
    EXPECT_EQ(CrosstabUtilities::getColumnIndexForTuple(*x, {"1999"}, "Units"), -1);
    EXPECT_EQ(CrosstabUtilities::getColumnIndexForTuple(*x, {"2024"}, "Nope"), -1);
    // Omitted subtotal names match the level ignoring case and omit the
    // subtotals of the level below; naming the display root level does nothing.
    b->setOmittedSubtotalColumnLevelNames({"rEgIoN"});
    b->build();
    EXPECT_EQ(types(leaves(x->rowDataTreeNode.get())), "MMSMSMMST");
    b->setRowMemberNames({"Region", "City", "Store"});
    b->setHierarchyDataSet(nullptr);
    b->setOmittedSubtotalColumnLevelNames({"cItY"});
    b->build();
    size_t regionSubtotals = 0;
    for (auto* l : leaves(x->rowDataTreeNode.get())) {
        if (l->getNodeType() != NodeType::SUBTOTAL) continue;
        EXPECT_EQ(l->getDataTreeNode()->getLevel(), 1) << "only region members keep their subtotal";
        ++regionSubtotals;
    }
    EXPECT_EQ(regionSubtotals, 3u);
    EXPECT_EQ(x->dataSet.get()->getRowCount(), leaves(x->rowDataTreeNode.get()).size());
    // Indented view: summaries on top, the subtotal label is the member and a blank.
    b->setOmittedSubtotalColumnLevelNames({});
    x->indentedViewMode.set(true);
    b->build();
    rows = leaves(x->rowDataTreeNode.get());
    EXPECT_TRUE(b->showSummaryOnTop.get());
    EXPECT_EQ(rows[0]->getNodeType(), NodeType::TOTAL);
    EXPECT_EQ(rows[1]->getPresentableText(), "East ");
}

TEST(CrosstabModelBuilder, ExpandStateSurvivesRebuildsWithoutRegeneration) {
    auto ds = data();
    auto b = builder(ds, true);
    b->showRowSubTotal.set(true);
    b->showRowTotal.set(true);
    auto x = b->build();
    // Actions enabled: regions start collapsed, so no subtotals.
    EXPECT_EQ(types(leaves(x->rowDataTreeNode.get())), "MMMT");
    auto rowH = x->rowHierarchy.get();
    auto east = rowH->getExpandedState()->getChildren()[0];
    ASSERT_TRUE(rowH->expand(east));
    b->regenerateData.set(false);
    auto same = b->build();
    EXPECT_EQ(same, x);   // the same crosstab, updated in place
    EXPECT_EQ(types(leaves(x->rowDataTreeNode.get())), "MMSMMT");
    EXPECT_EQ(x->dataSet.get()->getRowCount(), 6u);
    // Regenerating resets the trees.
    b->regenerateData.set(true);
    b->build();
    EXPECT_EQ(types(leaves(x->rowDataTreeNode.get())), "MMMT");
    // Saved drill states are re-applied after regeneration.
    b->setHierarchyStates({"\"Region\" in (\"West\")", ""});
    b->build();
    EXPECT_EQ(x->rowHierarchy.get()->getCurrentLevelIndex(), 1);
    EXPECT_EQ(x->dataSet.get()->getRowCount(), 3u);   // Denver, Seattle, total
    EXPECT_EQ(x->rowAxisLevels.get()->size(), 1u);
}

TEST(CrosstabModelBuilder, ListensToItsDataSetAndNotTheOldOne) {
    auto first = data();
    auto b = builder(first);
    b->showRowTotal.set(true);
    b->showColumnTotal.set(true);
    auto x = b->build();
    auto total = [&] {
        auto cells = x->dataSet.get();
        return cells->getColumn(static_cast<int>(cells->getColumnCount()) - 2)->getNumberAtIndex(cells->getRowCount() - 1);
    };
    EXPECT_DOUBLE_EQ(total(), 210);
    first->getColumnWithName("Sales")->setNumberAtIndex(0, 110);
    EXPECT_DOUBLE_EQ(total(), 310);
    auto second = data();
    b->setDataSet(second);
    b->build();
    EXPECT_DOUBLE_EQ(total(), 210);
    first->getColumnWithName("Sales")->setNumberAtIndex(0, 1000);   // no longer listened to
    EXPECT_DOUBLE_EQ(total(), 210);
    second->getColumnWithName("Sales")->setNumberAtIndex(0, 20);
    EXPECT_DOUBLE_EQ(total(), 220);
}

TEST(CrosstabModelBuilder, FailureRules) {
    CLogCapture log;
    // Unknown hierarchy names leave the axis without a tree.
    auto b = builder(data());
    auto x = b->build();
    EXPECT_TRUE(x->columnDataTreeNode.get());
    b->setColumnHierarchyName("other");   // no hierarchy of that name in the hierarchy data set
    b->build();
    b->build();
    size_t logged = 0;
    for (const auto& e : log.entries()) logged += e.message.find("no hierarchy named other") != std::string::npos;
    EXPECT_EQ(logged, 1u);
    EXPECT_TRUE(x->rowDataTreeNode.get());
    EXPECT_FALSE(x->columnDataTreeNode.get());
    // No rows: no crossings; the cells are one column per measure found, no rows.
    auto empty = DataSet::create();
    empty->addColumn(Column::createCharacter("Region"));
    empty->addColumn(Column::createCharacter("City"));
    empty->addColumn(Column::createCharacter("Year"));
    empty->addColumn(Column::createNumeric("Sales"));
    auto e = CrosstabModelBuilder::create(empty, "rows", "cols", {"Region"}, {"Year"}, {"Sales", "Nope"});
    auto ex = e->build();
    ASSERT_TRUE(ex->dataSet.get());
    EXPECT_EQ(ex->dataSet.get()->getColumnCount(), 1u);
    EXPECT_EQ(ex->dataSet.get()->getRowCount(), 0u);
    // A sort context with an index outside the children is refused.
    auto s = builder(data());
    s->build();
    auto sort = DataTreeSortContext::create();
    sort->setSortedIndices(s->getHierarchyDataSet()->getHierarchyForName("rows")->getExpandedState(), {5});
    s->setDataTreeSortContext(sort);
    s->regenerateData.set(false);
    EXPECT_THROW(s->build(), std::out_of_range);
}

// Ranked levels with a limit: the trees are built ranked, so the display tree,
// the cells and the total agree, and changing the ranking rebuilds the trees
// even without regeneration.
TEST(CrosstabModelBuilder, RankedLevelsWithALimitGatherTheOthersBeforeTheTreesAreBuilt) {
    auto ds = data();
    // Regions by Sales: West 120, North 60, East 30.
    for (bool regenerate : {true, false}) {
        auto b = builder(ds);
        b->regenerateData.set(regenerate);
        b->showRowTotal.set(true);
        b->showColumnTotal.set(true);
        b->setRankedRowLevelNames({"Region"});
        b->setRankLimit(1);
        b->setRankMeasureName("Sales");
        auto x = b->build();
        auto region = x->rowHierarchy.get()->getLevelForName("Region");
        ASSERT_TRUE(region);
        EXPECT_TRUE(region->isRanked());
        auto root = x->rowHierarchy.get()->getExpandedState();
        ASSERT_TRUE(root);
        ASSERT_EQ(root->getChildCount(), 2u) << regenerate;
        EXPECT_EQ(root->getChildren()[0]->getPresentableText(), "West");
        EXPECT_TRUE(root->getChildren()[1]->getDataValue()->isAllOthers());
        EXPECT_EQ(root->getChildren()[1]->getSourceRows(), (std::vector<int32_t>{0, 1, 5}));
        // The display tree's top level follows the ranked tree (West, all
        // others, total); every cell row is the aggregate of its leaf's rows.
        ASSERT_EQ(x->rowDataTreeNode.get()->getChildCount(), 3u);
        auto rows = leaves(x->rowDataTreeNode.get());
        auto cells = x->dataSet.get();
        ASSERT_EQ(cells->getRowCount(), rows.size());
        auto sales = cells->getColumn(static_cast<int>(cells->getColumnCount()) - 2);
        ASSERT_EQ(*sales->getMeasureName(), "Sales");
        double covered = 0;
        for (size_t r = 0; r < rows.size(); ++r) {
            auto node = rows[r]->getDataTreeNode();
            ASSERT_TRUE(node);
            double want = 0;
            for (int i : node->getSourceRows()) want += ds->getColumnWithName("Sales")->getNumberAtIndex(static_cast<size_t>(i));
            EXPECT_DOUBLE_EQ(sales->getNumberAtIndex(r), want) << r;
            if (rows[r]->getNodeType() == NodeType::NONE) covered += want;
        }
        EXPECT_DOUBLE_EQ(covered, 210);   // nothing lost to the bucket
        // A wider limit changes the members on the next build, regenerated or not.
        b->setRankLimit(2);
        b->build();
        root = x->rowHierarchy.get()->getExpandedState();
        ASSERT_EQ(root->getChildCount(), 3u);
        EXPECT_EQ(root->getChildren()[0]->getPresentableText(), "North");
        EXPECT_EQ(root->getChildren()[1]->getPresentableText(), "West");
        EXPECT_TRUE(root->getChildren()[2]->getDataValue()->isAllOthers());
    }
    // Without a limit the levels are only flagged: every member stays.
    auto plain = builder(ds);
    plain->setRankedRowLevelNames({"Region"});
    auto x = plain->build();
    EXPECT_TRUE(x->rowHierarchy.get()->getLevelForName("Region")->isRanked());
    EXPECT_EQ(x->rowHierarchy.get()->getExpandedState()->getChildCount(), 3u);
}
