// SPDX-License-Identifier: Apache-2.0
// Crosstab selection: cells -> source rows -> cells, rows selected elsewhere
// shown as crossings, selections read and applied with drill expressions,
// all-others members contributing no term, and the logged refusals.
#include "CrosstabTestData.h"

#include "orvane/crosstab/CrosstabCrossingRows.h"
#include "orvane/crosstab/CrosstabDefinition.h"
#include "orvane/crosstab/CrosstabRenderer.h"
#include "orvane/crosstab/CrosstabSelectionController.h"
#include "orvane/displaylist/DisplayListEditor.h"
#include "orvane/host/core/CLog.h"
#include "orvane/host/data/Column.h"
#include "orvane/host/data/DataSet.h"
#include "orvane/host/data/RowBitmap.h"
#include "orvane/host/data/RowStates.h"
#include "orvane/selection/Selection.h"
#include "orvane/view/DisplayTreeNode.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

using namespace orvane;
using G = displaylist::TqCrosstab;

namespace {

std::shared_ptr<DataSet> sales() {
    auto ds = test::crosstabSales();
    ds->setRowStates(RowStates::create(ds->getRowCount()));
    return ds;
}

struct Fixture {
    std::shared_ptr<DataSet> data = sales();
    std::shared_ptr<CrosstabRenderer> view = CrosstabRenderer::create();
    std::shared_ptr<CrosstabSelectionController> controller;
    explicit Fixture(CrosstabDefinition def = {}) {
        if (def.rows.empty()) def.rows = {"Region", "City"};
        if (def.columns.empty()) def.columns = {"Year"};
        if (def.measures.empty()) def.measures = {"Sales:sum"};
        std::string error;
        auto m = def.build(data, error);
        EXPECT_TRUE(m) << error;
        view->setModel(m);
        view->setFrame({0.0f, 0.0f, 800.0f, 400.0f});
        render();
        controller = std::static_pointer_cast<CrosstabSelectionController>(view->createSelectionController());
    }
    void render() { view->updateDisplayList(displaylist::DisplayListEditor::create(nullptr)); }
    int64_t rowOf(const std::string& label) const {
        const auto& leaves = view->getRowLeafNodes();
        for (size_t i = 0; i < leaves.size(); ++i)
            if (leaves[i]->getPresentableText() == label) return int64_t(i);
        return -1;
    }
    std::vector<int> selectedRows() const { return data->getRowStates()->getSelectedIndices(); }
    // Region keeps its best member by sales; the others share one member.
    void rankRegions(bool expandAll) {
        auto h = view->getModel()->rowHierarchy.get();
        auto& region = h->getLevels()[0];
        region->setRanked(true);
        region->setRankLimit(1);
        region->setRankMeasureName("Sales");
        h->build(data);
        if (expandAll) h->getExpandedState()->expandAll();
        view->updateModel(true);
        render();
    }
};

} // namespace

TEST(CrosstabSelection, CellsToSourceRowsAndBack) {
    CrosstabDefinition def;
    def.expanded = {"*"};
    Fixture f(def);
    const int64_t boston = f.rowOf("Boston");
    ASSERT_GE(boston, 0);
    int announcements = 0;
    auto listener = FunctionEventCallback::create([&](const std::shared_ptr<PortableEvent>&) { ++announcements; });
    f.data->addEventListener(RowStates::SELECTED_CHANGED, listener);
    // Boston x 2023 stands for row 0 only; Boston x 2024 for row 2.
    f.view->updateSelection({G::GetPickID(boston, 0, G::COMPONENT_CELL)}, false, false);
    EXPECT_EQ(f.selectedRows(), std::vector<int>{0});
    EXPECT_EQ(announcements, 1);  // one change for the whole selection
    f.view->updateSelection({G::GetPickID(boston, 1, G::COMPONENT_CELL)}, true, false);
    EXPECT_EQ(f.selectedRows(), (std::vector<int>{0, 2}));
    f.data->removeEventListener(RowStates::SELECTED_CHANGED, listener);
    // Back to cells: both Boston crossings show selected, nothing else.
    auto* g = f.view->getCrosstabNode();
    EXPECT_TRUE(g->IsCellSelected(boston, 0));
    EXPECT_TRUE(g->IsCellSelected(boston, 1));
    EXPECT_EQ(g->GetSelectedCellCount(), 2u);
    // Toggling one off keeps the other.
    f.view->updateSelection({G::GetPickID(boston, 0, G::COMPONENT_CELL)}, false, true);
    EXPECT_EQ(f.selectedRows(), std::vector<int>{2});
    // Picks of headers are not cells.
    f.view->updateSelection({G::GetHeaderPickID(G::COMPONENT_ROW_HEADER, 0, 0, 0)}, false, false);
    EXPECT_TRUE(f.selectedRows().empty());
}

TEST(CrosstabSelection, RowsSelectedElsewhereShowAsCrossings) {
    CrosstabDefinition def;
    def.expanded = {"*"};
    def.totals = def.subtotals = true;
    Fixture f(def);
    // A linked table selects the West rows.
    f.data->getRowStates()->setSelectedIndices({3, 4, 7});
    auto* g = f.view->getCrosstabNode();
    const int64_t denver = f.rowOf("Denver"), seattle = f.rowOf("Seattle"), boston = f.rowOf("Boston");
    for (int c = 0; c < g->GetNumColumns(); ++c) {
        const bool hasRows = !f.view->getSourceRows(denver, c).empty();
        EXPECT_EQ(g->IsCellSelected(denver, c), hasRows) << c;
        EXPECT_FALSE(g->IsCellSelected(boston, c)) << c;
    }
    EXPECT_TRUE(g->IsCellSelected(seattle, 0));
    // The West subtotal row is covered entirely; the grand total is not.
    const int64_t total = f.rowOf("Total");
    int64_t westSub = -1;
    for (size_t i = 0; i < f.view->getRowLeafNodes().size(); ++i)
        if (f.view->getRowLeafNodes()[i]->getPresentableText().find("West") != std::string::npos) westSub = int64_t(i);
    ASSERT_GE(westSub, 0);
    EXPECT_TRUE(g->IsCellSelected(westSub, g->GetNumColumns() - 1));
    EXPECT_FALSE(g->IsCellSelected(total, g->GetNumColumns() - 1));
    // A replaced data set while cells are selected: nothing breaks.
    auto other = sales();
    f.view->getModel()->hierarchyDataSet.get()->setDataSet(other, true, false);
    f.view->updateModel(true);
    f.render();
    EXPECT_EQ(f.view->getCrosstabNode()->GetSelectedCellCount(), 0u);
}

TEST(CrosstabSelection, SelectionsCarryMembersAndTheDrill) {
    CrosstabDefinition def;
    def.expanded = {"*"};
    Fixture f(def);
    const int64_t nyc = f.rowOf("NYC");
    f.view->updateSelection({G::GetPickID(nyc, 1, G::COMPONENT_CELL)}, false, false);
    auto selections = f.controller->getSelections(nullptr);
    ASSERT_EQ(selections->size(), 1u);
    const std::string text = selections->front()->expression.get()->toString();
    EXPECT_NE(text.find("Region"), std::string::npos) << text;
    EXPECT_NE(text.find("NYC"), std::string::npos) << text;
    EXPECT_NE(text.find("2024"), std::string::npos) << text;
    EXPECT_EQ(*selections->front()->dataName.get(), "sales");
    // Cleared, then applied back: the same rows.
    const auto rows = f.selectedRows();
    EXPECT_EQ(rows, std::vector<int>{6});
    f.controller->clearSelections();
    EXPECT_TRUE(f.selectedRows().empty());
    f.controller->applySelections(selections, nullptr);
    EXPECT_EQ(f.selectedRows(), rows);
    // Drilled into East: the drill joins both reading and applying.
    ASSERT_TRUE(f.view->drillDown(0, f.view->findNode(0, "East")));
    f.render();
    EXPECT_TRUE(f.controller->getDrillExpression());
    const int64_t boston = f.rowOf("Boston");
    ASSERT_GE(boston, 0);
    f.view->updateSelection({G::GetPickID(boston, 0, G::COMPONENT_CELL)}, false, false);
    selections = f.controller->getSelections(nullptr);
    ASSERT_EQ(selections->size(), 1u);
    const std::string drilled = selections->front()->expression.get()->toString();
    EXPECT_NE(drilled.find("East"), std::string::npos) << drilled;
    f.controller->clearSelections();
    f.controller->applySelections(selections, nullptr);
    EXPECT_EQ(f.selectedRows(), std::vector<int>{0});
}

TEST(CrosstabSelection, AllOthersMembersContributeNoTerm) {
    CrosstabDefinition def;
    def.rows = {"Region"};
    Fixture f(def);
    f.rankRegions(false);
    int64_t others = -1;
    for (size_t i = 0; i < f.view->getRowLeafNodes().size(); ++i) {
        auto v = f.view->getRowLeafNodes()[i]->getDataValue();
        if (v && v->isAllOthers()) others = int64_t(i);
    }
    ASSERT_GE(others, 0) << "no all-others member";
    f.view->updateSelection({G::GetPickID(others, 0, G::COMPONENT_CELL)}, false, false);
    auto selections = f.controller->getSelections(nullptr);
    ASSERT_EQ(selections->size(), 1u);
    const std::string text = selections->front()->expression.get()->toString();
    EXPECT_EQ(text.find("Region"), std::string::npos) << text;
    EXPECT_NE(text.find("Year"), std::string::npos) << text;
}

TEST(CrosstabSelection, RefusalsAreLoggedAndChangeNothing) {
    Fixture f;
    f.data->getRowStates()->setSelectedIndices({1});
    CLogCapture log;
    f.controller->applySelections(std::make_shared<SelectionController::Selections>(), nullptr);
    EXPECT_TRUE(log.contains(CLog::ERRORS, "Crosstab selection requires exactly one Selection (none was provided)."));
    f.controller->applySelections(nullptr, nullptr);
    auto two = std::make_shared<SelectionController::Selections>();
    two->push_back(Selection::create());
    two->push_back(Selection::create());
    f.controller->applySelections(two, nullptr);
    EXPECT_TRUE(log.contains(CLog::ERRORS, "(multiple were provided)."));
    EXPECT_EQ(f.selectedRows(), std::vector<int>{1});
    // Without row states, and without a model.
    f.data->setRowStates(nullptr);
    f.controller->applySelections(two, nullptr);
    EXPECT_TRUE(log.contains(CLog::ERRORS, "Crosstab selection requires a DataSet with RowStates."));
    auto lonely = CrosstabSelectionController::create(CrosstabRenderer::create());
    EXPECT_TRUE(lonely->getSelections(nullptr)->empty());
    EXPECT_TRUE(log.contains(CLog::ERRORS, "Crosstab selection requires a model with a valid sourceDataSet."));
}

namespace {

// Whether source row x lies under a data-tree node, read from the data alone:
// every member on the node's path names its level's value at x; an all-others
// member stands for the values none of its siblings names.
bool under(const DataSet& data, const std::shared_ptr<DataTreeNode>& node, size_t x) {
    for (const auto& p : node->getUniqueNodePath()) {
        const auto text = *data.getColumnWithName(*p->getLevelName())->getStringAtIndex(x);
        if (!p->getDataValue() || !p->getDataValue()->isAllOthers()) {
            if (text != p->getPresentableText()) return false;
            continue;
        }
        for (const auto& sibling : p->getParent()->getChildren())
            if (sibling != p && text == sibling->getPresentableText()) return false;
    }
    return true;
}

std::vector<int32_t> bruteForce(const DataSet& data, const std::shared_ptr<DisplayTreeNode>& row,
                                const std::shared_ptr<DisplayTreeNode>& column) {
    std::vector<int32_t> out;
    for (size_t x = 0; x < data.getRowCount(); ++x)
        if (under(data, row->getDataTreeNode(), x) && (!column || under(data, column->getDataTreeNode(), x)))
            out.push_back(int32_t(x));
    return out;
}

} // namespace

TEST(CrosstabSelection, CrossingRowsAndSelectedCrossingsMatchABruteForceFilter) {
    CrosstabDefinition def;
    def.expanded = {"*"};
    def.totals = def.subtotals = true;
    for (bool ranked : {false, true}) {
        Fixture f(def);
        if (ranked) f.rankRegions(true);
        auto* g = f.view->getCrosstabNode();
        const auto& leaves = f.view->getRowLeafNodes();
        bool sawOthers = false, sawTotal = false;
        std::vector<std::vector<std::vector<int32_t>>> expected(leaves.size());
        for (size_t r = 0; r < leaves.size(); ++r) {
            auto row = f.view->getRowLeafAt(int64_t(r));
            ASSERT_TRUE(row && row->getDataTreeNode());
            sawTotal = sawTotal || row->getNodeType() == NodeType::TOTAL;
            for (const auto& p : row->getDataTreeNode()->getUniqueNodePath())
                sawOthers = sawOthers || (p->getDataValue() && p->getDataValue()->isAllOthers());
            for (int c = 0; c < g->GetNumColumns(); ++c) {
                expected[r].push_back(bruteForce(*f.data, row, f.view->getColumnLeafAt(c)));
                EXPECT_EQ(f.view->getSourceRows(int64_t(r), c), expected[r].back()) << r << " x " << c;
            }
        }
        EXPECT_TRUE(sawTotal);
        EXPECT_EQ(sawOthers, ranked);
        // Rows selected elsewhere: a crossing shows selected exactly when
        // every one of its rows is (and it has one).
        std::mt19937 rng(ranked ? 11 : 5);
        for (int round = 0; round < 12; ++round) {
            std::vector<int> picked;
            for (size_t x = 0; x < f.data->getRowCount(); ++x)
                if (rng() % 3 == 0) picked.push_back(int(x));
            if (round % 3 == 0) {  // and every row of one crossing
                const auto& cell = expected[rng() % leaves.size()][rng() % size_t(g->GetNumColumns())];
                picked.insert(picked.end(), cell.begin(), cell.end());
                std::sort(picked.begin(), picked.end());
                picked.erase(std::unique(picked.begin(), picked.end()), picked.end());
            }
            f.data->getRowStates()->setSelectedIndices(picked);
            for (size_t r = 0; r < leaves.size(); ++r)
                for (int c = 0; c < g->GetNumColumns(); ++c) {
                    const auto& rows = expected[r][size_t(c)];
                    const bool full = !rows.empty() && std::all_of(rows.begin(), rows.end(), [&](int32_t x) {
                                          return std::binary_search(picked.begin(), picked.end(), int(x));
                                      });
                    EXPECT_EQ(g->IsCellSelected(int64_t(r), c), full) << "round " << round << ": " << r << " x " << c;
                }
        }
    }
}

TEST(CrosstabSelection, CrossingRowsOfAxesWithoutHierarchiesOrRows) {
    // No leaves on an axis: one leaf of every row.
    CrosstabCrossingRows all;
    all.reset({}, {}, 5);
    EXPECT_EQ(all.getRows(0, 0), (std::vector<int32_t>{0, 1, 2, 3, 4}));
    EXPECT_TRUE(all.getRows(1, 0).empty());
    EXPECT_TRUE(all.getRows(0, -1).empty());
    RowBitmap bits(5);
    for (size_t x = 0; x < 4; ++x) bits.set(x);
    EXPECT_TRUE(all.getFullySelected(bits).empty());
    bits.set(4);
    EXPECT_EQ(all.getFullySelected(bits), (std::vector<CrosstabCrossingRows::Crossing>{{0, 0}}));
    // Leaves whose data is gone hold no rows, and nothing breaks.
    CrosstabCrossingRows orphans;
    orphans.reset({DisplayTreeNode::create("a")}, {DisplayTreeNode::create("b")}, 5);
    EXPECT_TRUE(orphans.getRows(0, 0).empty());
    EXPECT_TRUE(orphans.getFullySelected(bits).empty());
    // A data node as a leaf, crossed with every row.
    auto node = DataTreeNode::create("n");
    node->setSourceRows({1, 3});
    CrosstabCrossingRows one;
    one.reset({node}, {}, 5);
    EXPECT_EQ(one.getRows(0, 0), (std::vector<int32_t>{1, 3}));
    RowBitmap some(5);
    some.set(3);
    EXPECT_TRUE(one.getFullySelected(some).empty());
    some.set(1);
    EXPECT_EQ(one.getFullySelected(some), (std::vector<CrosstabCrossingRows::Crossing>{{0, 0}}));
}
