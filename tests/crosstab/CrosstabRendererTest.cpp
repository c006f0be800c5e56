// SPDX-License-Identifier: Apache-2.0
// CrosstabRenderer with its TqCrosstab: header spans with summaries at the
// bottom and on top, buttons per level, the eager-text rule, suppressed
// measures, row-header shrinking, paging buttons and paging at both ends,
// the saved window, the kept node, the total cell,
// expand / collapse / drill round trips, and bad input.
#include "CrosstabTestData.h"

#include "orvane/crosstab/CrosstabController.h"
#include "orvane/crosstab/CrosstabControllerEvent.h"
#include "orvane/crosstab/CrosstabDefinition.h"
#include "orvane/crosstab/OrvaneCrosstabState.h"
#include "orvane/crosstab/VisibleCells.h"
#include "orvane/crosstab/CrosstabRenderer.h"
#include "orvane/displaylist/DisplayListEditor.h"
#include "orvane/displaylist/TqSvgWriter.h"
#include "orvane/host/core/AbstractEventCallback.h"
#include "orvane/host/core/CLog.h"
#include "orvane/host/data/Column.h"
#include "orvane/host/data/DataSet.h"
#include "orvane/host/data/HierarchyDataSet.h"
#include "orvane/host/input/GestureRecognizerType.h"

#include <gtest/gtest.h>

using namespace orvane;
using G = displaylist::TqCrosstab;

namespace {

std::shared_ptr<DataSet> sales() { return test::crosstabSales(); }

std::shared_ptr<Crosstab> model(const std::shared_ptr<DataSet>& ds, CrosstabDefinition def = {}) {
    if (def.rows.empty()) def.rows = {"Region", "City"};
    if (def.columns.empty()) def.columns = {"Year"};
    if (def.measures.empty()) def.measures = {"Sales:sum", "Units:mean"};
    std::string error;
    auto c = def.build(ds, error);
    EXPECT_TRUE(c) << error;
    return c;
}

std::shared_ptr<CrosstabRenderer> view(const std::shared_ptr<Crosstab>& m, float w = 900.0f, float h = 500.0f) {
    auto r = m->createRenderer();
    r->setFrame({0.0f, 0.0f, w, h});
    return r;
}

void render(const std::shared_ptr<CrosstabRenderer>& r) {
    r->updateDisplayList(displaylist::DisplayListEditor::create(nullptr));
}

std::vector<std::string> rowLabels(const CrosstabRenderer& r) {
    std::vector<std::string> out;
    for (const auto& n : r.getRowLeafNodes()) out.push_back(n->getPresentableText());
    return out;
}

// Checks every header cell of an axis spans exactly the leaves under it.
void expectSpansMatchTree(const CrosstabRenderer& r) {
    auto* g = r.getCrosstabNode();
    ASSERT_TRUE(g);
    for (int i = 0; i < g->GetCrosstabCellCount(); ++i) {
        const auto* c = g->GetCrosstabCell(i);
        if (!c || c->leaf) continue;
        int64_t leaves = 0;
        std::vector<int> stack = c->children;
        while (!stack.empty()) {
            const auto* k = g->GetCrosstabCell(stack.back());
            stack.pop_back();
            if (k->leaf) leaves += k->extent;
            else stack.insert(stack.end(), k->children.begin(), k->children.end());
        }
        EXPECT_EQ(c->extent, leaves) << c->label;
        for (int64_t x = c->first; x < c->first + c->extent; ++x)
            EXPECT_EQ(g->GetCellAt(c->axis, c->level, x), i) << c->label << " at " << x;
    }
}

} // namespace

TEST(CrosstabRenderer, SpansOfEveryLevelWithSummariesAtTheBottomAndOnTop) {
    for (bool top : {false, true}) {
        CrosstabDefinition def;
        def.totals = def.subtotals = true;
        def.summaryOnTop = top;
        def.expanded = {"*"};
        auto r = view(model(sales(), def));
        render(r);
        auto labels = rowLabels(*r);
        ASSERT_EQ(labels.size(), 5u + 3u + 1u);  // 5 cities, 3 subtotals, the total
        if (top) {
            EXPECT_EQ(labels.front(), "Total");
            EXPECT_EQ(labels[1].rfind("Subtotal", 0), 0u) << labels[1];
        } else {
            EXPECT_EQ(labels.back(), "Total");
            EXPECT_EQ(labels[2].rfind("Subtotal", 0), 0u) << labels[2];
        }
        expectSpansMatchTree(*r);
        auto* g = r->getCrosstabNode();
        // Year leaves cover their two measures; the total one too.
        EXPECT_EQ(g->GetNumColumns(), 3 * 2);
        for (int c = 0; c < 6; c += 2) EXPECT_EQ(g->GetLeafCell(G::AXIS_COLUMN, c), g->GetLeafCell(G::AXIS_COLUMN, c + 1));
        // The total cell: the crossing of the row and column totals.
        auto rules = r->getDisplayRules();
        ASSERT_TRUE(rules);
        const int64_t totalRow = top ? 0 : int64_t(labels.size()) - 1;
        const int totalColumn = top ? 0 : 4;
        EXPECT_TRUE(rules->isTotalCell(int(totalRow), totalColumn));
        EXPECT_FALSE(rules->isTotalCell(top ? 3 : 1, totalColumn));
        EXPECT_TRUE(r->isRowTotalOrSubTotal(totalRow));
        EXPECT_TRUE(r->isColumnTotalOrSubTotal(totalColumn));
        EXPECT_FALSE(r->isColumnTotalOrSubTotal(top ? 2 : 0));
    }
}

TEST(CrosstabRenderer, NoTotalCellWhenAnAxisShowsNoTotal) {
    CrosstabDefinition def;
    def.expanded = {"*"};
    auto r = view(model(sales(), def));
    render(r);
    for (int row = 0; row < 5; ++row)
        for (int col = 0; col < 4; ++col) EXPECT_FALSE(r->getDisplayRules()->isTotalCell(row, col));
}

TEST(CrosstabRenderer, ButtonsPerLevelAndRankedLevelsDrillOnly) {
    auto m = model(sales());
    auto r = view(m);
    render(r);
    auto* g = r->getCrosstabNode();
    // Collapsed regions: expand buttons; no city rows yet.
    EXPECT_EQ(rowLabels(*r), (std::vector<std::string>{"East", "North", "West"}));
    for (int row = 0; row < 3; ++row) {
        const auto* c = g->GetCrosstabCell(g->GetLeafCell(G::AXIS_ROW, row));
        ASSERT_TRUE(c);
        EXPECT_EQ(c->buttons, std::vector<int>{G::BUTTON_EXPAND}) << c->label;
    }
    ASSERT_TRUE(r->expand(0, r->findNode(0, "East")));
    render(r);
    g = r->getCrosstabNode();
    const auto* east = g->GetCrosstabCell(g->GetCellAt(G::AXIS_ROW, 0, 0));
    EXPECT_EQ(east->label, "East");
    EXPECT_EQ(east->buttons, std::vector<int>{G::BUTTON_COLLAPSE});
    // Cities (the last level) have nothing to expand or drill into.
    const auto* boston = g->GetCrosstabCell(g->GetLeafCell(G::AXIS_ROW, 0));
    EXPECT_EQ(boston->label, "Boston");
    EXPECT_TRUE(boston->buttons.empty());
    // A ranked region level: drill buttons only, never expand or collapse.
    m->rowHierarchy.get()->getLevels()[0]->setRanked(true);
    r->updateModel(true);
    render(r);
    g = r->getCrosstabNode();
    for (int i = 0; i < g->GetCrosstabCellCount(); ++i) {
        const auto* c = g->GetCrosstabCell(i);
        if (!c || c->axis != G::AXIS_ROW || c->level != 0) continue;
        for (int b : c->buttons) EXPECT_EQ(b, G::BUTTON_DRILL) << c->label;
    }
    // Without an interactive display nothing can be expanded or drilled.
    m->rowHierarchy.get()->getLevels()[0]->setRanked(false);
    r->setInteractiveDisplay(false);
    r->updateModel(true);
    render(r);
    g = r->getCrosstabNode();
    for (int i = 0; i < g->GetCrosstabCellCount(); ++i) {
        const auto* c = g->GetCrosstabCell(i);
        if (!c) continue;
        for (int b : c->buttons) EXPECT_TRUE(b != G::BUTTON_EXPAND && b != G::BUTTON_DRILL) << c->label;
    }
}

TEST(CrosstabRenderer, ExpandCollapseAndDrillKeepOtherMembersState) {
    CrosstabDefinition def;
    def.totals = def.subtotals = true;
    auto r = view(model(sales(), def));
    // Every rebuild hands the host a controller on this view; its state is
    // the window of the grid just built.
    std::vector<std::shared_ptr<CrosstabControllerEvent>> events;
    auto listener = FunctionEventCallback::create([&](const std::shared_ptr<PortableEvent>& e) {
        auto c = std::dynamic_pointer_cast<CrosstabControllerEvent>(e);
        EXPECT_TRUE(c && c->getOriginalSource() == r.get());
        events.push_back(c);
    });
    r->addEventListener(CrosstabControllerEvent::CROSSTAB_CONTROLLER_EVENT, listener);
    auto shown = [&](size_t rebuilds) {
        EXPECT_EQ(events.size(), rebuilds);
        auto c = events.empty() || !events.back() ? nullptr : events.back()->getController();
        EXPECT_TRUE(c && c->getRenderer() == r);
        auto state = c ? c->getState() : nullptr;
        return state ? state->visibleCells.get() : nullptr;
    };
    render(r);
    EXPECT_EQ(rowLabels(*r).size(), 4u);  // East, North, West, Total
    ASSERT_TRUE(r->expand(0, r->findNode(0, "East")));
    ASSERT_TRUE(r->expand(0, r->findNode(0, "West")));
    render(r);
    EXPECT_EQ(rowLabels(*r).size(), 8u);  // cities instead of East and West, two subtotals
    auto cells = shown(2);
    ASSERT_TRUE(cells);
    EXPECT_EQ(cells->verticalIndex.get(), 0);
    EXPECT_EQ(cells->verticalCells.get(), 8);
    EXPECT_EQ(cells->horizontalCells.get(), r->getCrosstabNode()->GetNumColumns());
    ASSERT_TRUE(r->collapse(0, r->findNode(0, "East")));
    render(r);
    cells = shown(3);
    ASSERT_TRUE(cells);
    EXPECT_EQ(cells->verticalCells.get(), 6);
    auto labels = rowLabels(*r);
    EXPECT_EQ(labels, (std::vector<std::string>{"East", "North", "Denver", "Seattle", labels[4], "Total"}));
    EXPECT_EQ(labels[4].rfind("Subtotal", 0), 0u);
    // Refused actions: a collapsed member collapses no further, a city
    // cannot expand; both are logged and change nothing.
    CLogCapture log;
    EXPECT_FALSE(r->collapse(0, r->findNode(0, "East")));
    EXPECT_FALSE(r->expand(0, r->findNode(0, "West/Denver")));
    EXPECT_TRUE(log.contains(CLog::ERRORS, "cannot"));
    render(r);
    EXPECT_EQ(rowLabels(*r), labels);
    // Drill into West: its cities become the top level; up again.
    ASSERT_TRUE(r->drillDown(0, r->findNode(0, "West")));
    render(r);
    auto drilled = rowLabels(*r);
    EXPECT_EQ(drilled.front(), "Denver");
    EXPECT_EQ(drilled[1], "Seattle");
    EXPECT_EQ(r->getModel()->rowHierarchy.get()->getCurrentLevelIndex(), 1);
    cells = shown(5);
    ASSERT_TRUE(cells);
    EXPECT_EQ(cells->verticalCells.get(), int(drilled.size()));
    ASSERT_TRUE(r->drillUp(0));
    render(r);
    EXPECT_EQ(rowLabels(*r).front(), "East");
    EXPECT_FALSE(r->drillUp(0));
    // A view that suppresses the events sends none; a controller outliving
    // its view answers nothing.
    r->setSuppressControllerEvents(true);
    render(r);
    EXPECT_EQ(events.size(), 6u);
    auto orphan = events.back()->getController();
    r->removeEventListener(CrosstabControllerEvent::CROSSTAB_CONTROLLER_EVENT, listener);
    events.clear();
    r.reset();
    EXPECT_FALSE(orphan->getState());
    EXPECT_FALSE(orphan->setState(OrvaneCrosstabState::create()));
}

TEST(CrosstabRenderer, ColumnsBeyondFiftyGetTheirTextsThroughTheCallback) {
    auto ds = DataSet::create("wide");
    std::vector<std::string> region, key;
    std::vector<double> value;
    for (int i = 0; i < 60; ++i) {
        region.push_back(i % 2 ? "A" : "B");
        key.push_back(std::string(i < 10 ? "k0" : "k").append(std::to_string(i)));
        value.push_back(i);
    }
    ds->addColumn(Column::createCharacter("Region", region));
    ds->addColumn(Column::createCharacter("Key", key));
    ds->addColumn(Column::createNumeric("V", value));
    CrosstabDefinition def;
    def.rows = {"Region"};
    def.columns = {"Key"};
    def.measures = {"V:sum"};
    auto r = view(model(ds, def), 800.0f, 300.0f);
    render(r);
    auto* g = r->getCrosstabNode();
    ASSERT_EQ(g->GetNumColumns(), 60);
    // Row 0 is A (odd keys), row 1 is B (even keys). The first 50 columns
    // hold their texts eagerly; later ones only through the callback.
    g->ClearCallbackTexts();
    EXPECT_TRUE(g->HasCellText(0, 49));
    EXPECT_TRUE(g->HasCellText(1, 49));
    EXPECT_FALSE(g->HasCellText(0, 50));
    EXPECT_FALSE(g->HasCellText(0, 59));
    g->ResetCallbackCount();
    // Asked for, the callback answers with the same formatting.
    EXPECT_EQ(g->GetCellText(0, 59), "59");
    EXPECT_EQ(g->GetCellText(1, 58), "58");
    EXPECT_TRUE(g->GetCellText(1, 59).empty());  // no k59 in B
    EXPECT_EQ(g->GetCallbackCount(), 3);
    EXPECT_EQ(g->GetCellText(0, 49), "49");
    EXPECT_EQ(g->GetCallbackCount(), 3);
}

TEST(CrosstabRenderer, SuppressedMeasuresLeaveNoGap) {
    CrosstabDefinition def;
    def.totals = true;
    def.expanded = {"*"};
    auto m = model(sales(), def);
    m->suppressedTotalMeasureNames.set(MonitoredVector<std::shared_ptr<const std::string>>::create(
        {std::make_shared<const std::string>("Units")}));
    auto r = view(m);
    render(r);
    auto* g = r->getCrosstabNode();
    // Two years of two measures, then the total of Sales alone.
    ASSERT_EQ(g->GetNumColumns(), 5);
    const auto* total = g->GetCrosstabCell(g->GetLeafCell(G::AXIS_COLUMN, 4));
    ASSERT_TRUE(total);
    EXPECT_EQ(total->label, "Total");
    EXPECT_EQ(total->extent, 1);
    for (int c = 0; c < 5; ++c) {
        EXPECT_FALSE(g->GetColumnHeader(c).empty()) << c;
        EXPECT_GE(g->GetCrosstabCell(g->GetLeafCell(G::AXIS_COLUMN, c))->first, 0);
    }
    EXPECT_NE(g->GetColumnHeader(4).find("Sales"), std::string::npos);
    // Every data column sits right after the previous one.
    for (int c = 1; c < 5; ++c)
        EXPECT_DOUBLE_EQ(g->GetColumnTranslationOffset(c), g->GetColumnTranslationOffset(c - 1) + g->GetColumnWidth(c - 1));
}

TEST(CrosstabRenderer, WideRowHeadersShrinkByTheSamePercentage) {
    auto ds = sales();
    auto city = ds->getColumnWithName("City");
    auto longNames = DataSet::create("long");
    std::vector<std::string> regions, cities, years;
    for (size_t i = 0; i < ds->getRowCount(); ++i) {
        regions.push_back("The very long region named " + *ds->getColumnWithName("Region")->getFormattedValueAtIndex(i));
        cities.push_back("A city with a rather long name: " + *city->getFormattedValueAtIndex(i));
        years.push_back(*ds->getColumnWithName("Year")->getFormattedValueAtIndex(i));
    }
    longNames->addColumn(Column::createCharacter("Region", regions));
    longNames->addColumn(Column::createCharacter("City", cities));
    longNames->addColumn(Column::createCharacter("Year", years));
    longNames->addColumn(Column::createNumeric("Sales", {1, 2, 3, 4, 5, 6, 7, 8}));
    CrosstabDefinition def;
    def.measures = {"Sales:sum"};
    def.expanded = {"*"};
    auto wide = view(model(longNames, def), 1600.0f, 400.0f);
    render(wide);
    const float w0 = wide->getCrosstabNode()->GetCrosstabRowHeaderColumnWidth(0);
    const float w1 = wide->getCrosstabNode()->GetCrosstabRowHeaderColumnWidth(1);
    ASSERT_GT(w0, 0.0f);
    auto narrow = view(model(longNames, def), 260.0f, 400.0f);
    render(narrow);
    auto* g = narrow->getCrosstabNode();
    const float n0 = g->GetCrosstabRowHeaderColumnWidth(0), n1 = g->GetCrosstabRowHeaderColumnWidth(1);
    EXPECT_LT(n0 + n1, w0 + w1);
    EXPECT_LE(n0 + n1, narrow->getMaximumAllowedRowHeaderWidth() + 0.5f);
    EXPECT_NEAR(n0 / w0, n1 / w1, 1e-3);
}

namespace {

// 200 members of one level: far more than a 400 x 300 view shows.
std::shared_ptr<Crosstab> manyMembers(bool acrossColumns) {
    auto ds = DataSet::create("many");
    std::vector<std::string> member;
    std::vector<double> v;
    for (int i = 0; i < 200; ++i) {
        member.push_back(std::string(1, 'm').append(std::to_string(1000 + i)));
        v.push_back(i);
    }
    ds->addColumn(Column::createCharacter("Member", member));
    ds->addColumn(Column::createCharacter("Group", std::vector<std::string>(member.size(), "all")));
    ds->addColumn(Column::createNumeric("V", v));
    CrosstabDefinition def;
    def.rows = {acrossColumns ? "Group" : "Member"};
    if (acrossColumns) def.columns = {"Member"};
    def.measures = {"V:sum"};
    std::string error;
    auto m = def.build(ds, error);
    EXPECT_TRUE(m) << error;
    return m;
}

// The header cells carrying paging buttons, with their buttons.
std::vector<std::pair<std::string, std::vector<int>>> pagingCells(const CrosstabRenderer& r) {
    std::vector<std::pair<std::string, std::vector<int>>> out;
    const auto* g = r.getCrosstabNode();
    for (int i = 0; g && i < g->GetCrosstabCellCount(); ++i) {
        const auto* c = g->GetCrosstabCell(i);
        std::vector<int> paging;
        for (int b : c ? c->buttons : std::vector<int>{})
            if (b >= G::BUTTON_PAGE_UP) paging.push_back(b);
        std::sort(paging.begin(), paging.end());
        if (!paging.empty()) out.push_back({c->label, paging});
    }
    return out;
}

// Taps the paging button `code` where it is drawn (scanning the cell's row
// of pixels for the pick that names it).
bool tapPagingButton(CrosstabRenderer& r, const std::string& label, int code) {
    const auto* g = r.getCrosstabNode();
    for (int i = 0; i < g->GetCrosstabCellCount(); ++i) {
        const auto* c = g->GetCrosstabCell(i);
        if (!c || c->label != label) continue;
        const auto id = G::GetHeaderPickID(c->axis == G::AXIS_ROW ? G::COMPONENT_ROW_HEADER : G::COMPONENT_COLUMN_HEADER,
                                           c->first, c->level, 0);
        const Rect cell = g->GetScreenRectForPickID(id);
        const float y = std::max(cell.y, 0.0f) + std::min(cell.height, g->GetRowHeight(-1)) / 2.0f;
        for (float x = cell.x; x < cell.x + cell.width; x += 1.0f) {
            auto entry = r.pickAt({x, y});
            if (entry && G::GetButtonFromPickID(entry->pickId) == code) return r.performButton(*entry);
        }
    }
    return false;
}

} // namespace

TEST(CrosstabRenderer, PagingButtonsFollowTheWindowAndPagingStopsAtBothEnds) {
    auto r = view(manyMembers(false), 400.0f, 300.0f);
    render(r);
    using namespace GestureDirectionType;
    const std::vector<int> down{G::BUTTON_PAGE_DOWN, G::BUTTON_PAGE_DOWN_END};
    const std::vector<int> up{G::BUTTON_PAGE_UP, G::BUTTON_PAGE_UP_END};
    // At the top: the last row wholly on screen pages on; nothing pages back.
    auto window = r->getVisibleLeafWindow(0);
    ASSERT_EQ(window.first, 0);
    ASSERT_GT(window.second, 5);
    const std::string last = "m" + std::to_string(1000 + window.second - 1);
    ASSERT_EQ(pagingCells(*r), (std::vector<std::pair<std::string, std::vector<int>>>{{last, down}}));
    // Paging up from row 0 stays there.
    EXPECT_FALSE(r->canPage(UP));
    EXPECT_FALSE(r->page(UP));
    EXPECT_DOUBLE_EQ(r->getCrosstabNode()->GetScrollY(), 0.0);
    ASSERT_TRUE(r->canPage(DOWN));
    int64_t r0, r1, s0, s1;
    int c0, c1;
    r->getCrosstabNode()->GetMinMaxVisibleRowColIndices(r0, r1, c0, c1);
    // A tap on the drawn page-down button pages: no row skipped, and the
    // buttons move to the new window's ends.
    ASSERT_TRUE(tapPagingButton(*r, last, G::BUTTON_PAGE_DOWN));
    r->getCrosstabNode()->GetMinMaxVisibleRowColIndices(s0, s1, c0, c1);
    EXPECT_GT(s0, r0);
    EXPECT_LE(s0, r1 + 1);
    window = r->getVisibleLeafWindow(0);
    EXPECT_EQ(pagingCells(*r), (std::vector<std::pair<std::string, std::vector<int>>>{
                                   {"m" + std::to_string(1000 + window.first), up},
                                   {"m" + std::to_string(1000 + window.second - 1), down}}));
    ASSERT_TRUE(tapPagingButton(*r, "m" + std::to_string(1000 + window.first), G::BUTTON_PAGE_UP));
    r->getCrosstabNode()->GetMinMaxVisibleRowColIndices(s0, s1, c0, c1);
    EXPECT_EQ(s0, 0);
    ASSERT_TRUE(tapPagingButton(*r, last, G::BUTTON_PAGE_DOWN_END));
    EXPECT_FALSE(r->canPage(DOWN));
    EXPECT_FALSE(r->page(DOWN));
    r->getCrosstabNode()->GetMinMaxVisibleRowColIndices(s0, s1, c0, c1);
    EXPECT_EQ(s1, 199);
    // At the end only the way back remains.
    window = r->getVisibleLeafWindow(0);
    EXPECT_EQ(window.second, 200);
    EXPECT_EQ(pagingCells(*r), (std::vector<std::pair<std::string, std::vector<int>>>{
                                   {"m" + std::to_string(1000 + window.first), up}}));
    // The row headers follow the data rows.
    const float top = r->getCrosstabNode()->GetTotalColumnHeaderHeight() + r->getCrosstabNode()->GetColumnHeaderHeight();
    auto entry = r->pickAt({5.0f, top + 2.0f});
    ASSERT_TRUE(entry);
    EXPECT_EQ(entry->text, "m" + std::to_string(1000 + s0));
    // A scroll that bypasses the view (the wheel, the scroll bars) moves
    // them when the headers are next drawn.
    r->getCrosstabNode()->SetScrollPosition(0.0, 0.0);
    r->getCrosstabNode()->GetHeaderContent();
    EXPECT_EQ(pagingCells(*r), (std::vector<std::pair<std::string, std::vector<int>>>{{last, down}}));
    ASSERT_TRUE(r->pageToEnd(DOWN));
    // A rebuild keeps the window and the buttons.
    render(r);
    EXPECT_EQ(r->getVisibleLeafWindow(0), window);
    EXPECT_EQ(pagingCells(*r).size(), 1u);
    ASSERT_TRUE(r->pageToEnd(UP));
    EXPECT_DOUBLE_EQ(r->getCrosstabNode()->GetScrollY(), 0.0);
    EXPECT_FALSE(r->canPage(LEFT));
    EXPECT_FALSE(r->page(RIGHT));

    // Across the columns: the last column wholly on screen pages right.
    auto wide = view(manyMembers(true), 400.0f, 300.0f);
    render(wide);
    auto columns = wide->getVisibleLeafWindow(1);
    ASSERT_EQ(columns.first, 0);
    const std::string lastColumn = "m" + std::to_string(1000 + columns.second - 1);
    ASSERT_EQ(pagingCells(*wide), (std::vector<std::pair<std::string, std::vector<int>>>{{lastColumn, down}}));
    ASSERT_TRUE(tapPagingButton(*wide, lastColumn, G::BUTTON_PAGE_DOWN));
    EXPECT_GE(wide->getVisibleLeafWindow(1).first, columns.second - 1);
    EXPECT_GT(wide->getCrosstabNode()->GetScrollX(), 0.0);

    // A crosstab that fits, or one below the threshold that scrolls, or a
    // display nobody can tap, shows none.
    auto small = view(model(sales()), 900.0f, 500.0f);
    render(small);
    EXPECT_TRUE(pagingCells(*small).empty());
    auto scrolled = view(model(sales()), 900.0f, 90.0f);
    render(scrolled);
    ASSERT_TRUE(scrolled->canPage(DOWN));
    EXPECT_TRUE(pagingCells(*scrolled).empty());
    r->setInteractiveDisplay(false);
    render(r);
    EXPECT_TRUE(pagingCells(*r).empty());
    // A lower threshold pages the small one too.
    scrolled->setPagingThresholds(1, 1);
    EXPECT_FALSE(pagingCells(*scrolled).empty());
}

TEST(CrosstabRenderer, SavedWindowShowsOnDisplaysThatAreNotInteractive) {
    auto r = view(manyMembers(false), 400.0f, 300.0f);
    r->setVisibleWindow(120, 130, 0, 1);
    render(r);
    // An interactive display keeps where the user is.
    EXPECT_EQ(r->getVisibleLeafWindow(0).first, 0);
    r->setInteractiveDisplay(false);
    render(r);
    EXPECT_EQ(r->getVisibleLeafWindow(0).first, 120);
    // Past the end: the last row first (as far as the grid scrolls).
    r->setVisibleWindow(5000, 5010, 0, 1);
    render(r);
    EXPECT_TRUE(r->getVisibleLeafWindow(0).second == 200);
    // A scroll by the user replaces the saved window.
    r->setScrollPosition(0.0, 0.0);
    EXPECT_EQ(r->getVisibleWindow(), (std::array<int64_t, 4>{-1, -1, -1, -1}));
    render(r);
    EXPECT_EQ(r->getVisibleLeafWindow(0).first, 0);
}

TEST(CrosstabController, SavedStateComesBackInAnExport) {
    auto m = manyMembers(false);
    auto r = view(m, 400.0f, 300.0f);
    render(r);
    using namespace GestureDirectionType;
    int c0, c1;
    // A saved window comes back in an export (a display that is not
    // interactive); an interactive view keeps its own scroll position.
    ASSERT_TRUE(r->page(DOWN));
    auto saved = CrosstabController::create(r)->getState();
    ASSERT_TRUE(saved && saved->visibleCells.get());
    const int first = saved->visibleCells.get()->verticalIndex.get();
    ASSERT_GT(first, 0);
    auto exported = view(m, 400.0f, 300.0f);
    auto controller = CrosstabController::create(exported);
    ASSERT_TRUE(controller->setState(saved));
    render(exported);
    EXPECT_DOUBLE_EQ(exported->getCrosstabNode()->GetScrollY(), 0.0);
    exported->setInteractiveDisplay(false);
    render(exported);
    auto restored = controller->getState()->visibleCells.get();
    EXPECT_EQ(restored->verticalIndex.get(), first);
    EXPECT_EQ(restored->verticalCells.get(), saved->visibleCells.get()->verticalCells.get());
    // Bad states are refused and change nothing.
    CLogCapture log;
    saved->visibleCells.get()->verticalIndex.set(-4);
    EXPECT_FALSE(controller->setState(saved));
    EXPECT_FALSE(controller->setState(nullptr));
    EXPECT_TRUE(log.contains(CLog::ERRORS, "was not applied"));
    EXPECT_EQ(exported->getVisibleWindow()[0], first);
    // A window past the end shows the last rows.
    saved->visibleCells.get()->verticalIndex.set(5000);
    ASSERT_TRUE(controller->setState(saved));
    render(exported);
    int64_t e0, e1;
    exported->getCrosstabNode()->GetMinMaxVisibleRowColIndices(e0, e1, c0, c1);
    EXPECT_EQ(e1, 199);
}

TEST(CrosstabRenderer, PicksCarryPathsButtonsAndTooltips) {
    auto r = view(model(sales()));
    render(r);
    auto* g = r->getCrosstabNode();
    const float top = g->GetTotalColumnHeaderHeight() + g->GetColumnHeaderHeight();
    const float pad = float(g->GetHorizontalPadding());
    auto e = r->pickAt({pad + 3.0f, top + g->GetRowHeight(0) / 2.0f});
    ASSERT_TRUE(e);
    EXPECT_EQ(e->type, CrosstabPickResultEntry::Type::ROW_HEADER);
    EXPECT_EQ(e->buttonType, CrosstabPickResultEntry::ButtonType::EXPAND);
    EXPECT_EQ(e->hierarchyName, "rows");
    EXPECT_EQ(e->hierarchyPath, std::vector<std::string>{"East"});
    EXPECT_TRUE(e->getUseAsTooltip());
    EXPECT_TRUE(r->performButton(*e));
    render(r);
    EXPECT_EQ(rowLabels(*r)[1], "NYC");
    // A data cell: the member path of its row and its value.
    g = r->getCrosstabNode();
    e = r->pickAt({g->GetTotalRowHeaderWidth() + 2.0f, g->GetTotalColumnHeaderHeight() + g->GetColumnHeaderHeight() +
                                                          g->GetRowHeight(0) * 1.5f});
    ASSERT_TRUE(e);
    EXPECT_EQ(e->type, CrosstabPickResultEntry::Type::DATA_CELL);
    EXPECT_EQ(e->hierarchyPath, (std::vector<std::string>{"East", "NYC"}));
    EXPECT_EQ(e->text, "20");
    EXPECT_EQ(e->sourceDataSetName, "sales");
}

TEST(CrosstabRenderer, BadInputDrawsSensibly) {
    // No rows at all.
    auto empty = DataSet::create("empty");
    empty->addColumn(Column::createCharacter("Region", std::vector<std::string>{}));
    empty->addColumn(Column::createNumeric("Sales", std::vector<double>{}));
    CrosstabDefinition def;
    def.rows = {"Region"};
    def.measures = {"Sales:sum"};
    std::string error;
    auto m = def.build(empty, error);
    ASSERT_TRUE(m) << error;
    auto r = view(m);
    render(r);
    ASSERT_TRUE(r->getCrosstabNode());
    EXPECT_GE(r->getCrosstabNode()->GetNumRows(), 1);
    // Definitions the data cannot carry are refused with a reason.
    CrosstabDefinition bad;
    bad.rows = {"Region"};
    EXPECT_FALSE(bad.build(sales(), error));
    EXPECT_NE(error.find("measure"), std::string::npos);
    bad.measures = {"Sales:bogus"};
    EXPECT_FALSE(bad.build(sales(), error));
    bad.measures = {"Nope"};
    EXPECT_FALSE(bad.build(sales(), error));
    bad.measures = {"Sales"};
    bad.rows = {"Missing"};
    EXPECT_FALSE(bad.build(sales(), error));
    // A model without anything, and no model.
    auto bare = view(Crosstab::create());
    render(bare);
    auto none = CrosstabRenderer::create();
    render(none);
    EXPECT_FALSE(none->page(GestureDirectionType::DOWN));
    EXPECT_FALSE(none->pickAt({1.0f, 1.0f}));
    EXPECT_FALSE(none->expand(0, nullptr));
    // Text measures and missing level values.
    auto odd = DataSet::create("odd");
    odd->addColumn(Column::createCharacter("Region", {"East", "", "West"}));
    odd->addColumn(Column::createCharacter("Note", {"a", "b", "c"}));
    odd->addColumn(Column::createNumeric("Sales", {1, NAN, 3}));
    CrosstabDefinition text;
    text.rows = {"Region"};
    text.measures = {"Sales:sum", "Note"};
    auto tm = text.build(odd, error);
    ASSERT_TRUE(tm) << error;
    auto tr = view(tm);
    render(tr);
    EXPECT_EQ(rowLabels(*tr).size(), 3u);
    // Column levels only: the years run across (2023, 2024) in one
    // data row, and the corner is wide enough for the "Year" label.
    CrosstabDefinition across;
    across.columns = {"Year"};
    across.measures = {"Sales:sum"};
    auto am = across.build(sales(), error);
    ASSERT_TRUE(am) << error;
    auto ar = view(am);
    render(ar);
    const auto* ag = ar->getCrosstabNode();
    ASSERT_TRUE(ag);
    EXPECT_EQ(ag->GetNumRows(), 1);
    EXPECT_EQ(ag->GetNumColumns(), 2);
    float corner = 0.0f;
    for (int i = 0; i < ag->GetNumCrosstabRowHeaderColumns(); ++i) corner += ag->GetCrosstabRowHeaderColumnWidth(i);
    EXPECT_GE(corner, ag->MeasureColumnAxisLabelWidth());
    EXPECT_GT(ag->MeasureColumnAxisLabelWidth(), 0.0f);
}

TEST(CrosstabRenderer, TenThousandMembersOnALevel) {
    auto ds = DataSet::create("big");
    std::vector<std::string> m;
    std::vector<double> v;
    for (int i = 0; i < 10000; ++i) {
        m.push_back("member " + std::to_string(100000 + i));
        v.push_back(i);
    }
    ds->addColumn(Column::createCharacter("M", m));
    ds->addColumn(Column::createNumeric("V", v));
    CrosstabDefinition def;
    def.rows = {"M"};
    def.measures = {"V:sum"};
    std::string error;
    auto model = def.build(ds, error);
    ASSERT_TRUE(model) << error;
    auto r = view(model, 600.0f, 400.0f);
    render(r);
    EXPECT_EQ(r->getCrosstabNode()->GetNumRows(), 10000);
    EXPECT_TRUE(r->pageToEnd(GestureDirectionType::DOWN));
    const auto* content = r->getCrosstabNode()->GetHeaderContent();
    ASSERT_TRUE(content);
    EXPECT_LT(content->GetChildCount(), 20u);
}

TEST(CrosstabRenderer, IndentedHeadersShareOneColumnAndOneRow) {
    CrosstabDefinition def;
    def.indented = true;
    def.subtotals = def.totals = true;
    def.expanded = {"East"};
    auto r = view(model(sales(), def));
    render(r);
    auto* g = r->getCrosstabNode();
    ASSERT_TRUE(g->GetIndentedRowHeaders());
    // One column as wide as the widest level plus an indent per level.
    EXPECT_FLOAT_EQ(g->GetTotalRowHeaderWidth(), g->GetCrosstabRowHeaderColumnWidth(0));
    EXPECT_FLOAT_EQ(g->GetCrosstabRowHeaderColumnWidth(1), 0.0f);
    // Summaries go on top: East's own row (its subtotal) comes before its
    // cities, which are indented one level and picked in the same column.
    auto labels = rowLabels(*r);
    ASSERT_GE(labels.size(), 4u);
    EXPECT_EQ(labels[0], "Total");
    EXPECT_NE(labels[1].find("East"), std::string::npos);
    EXPECT_EQ(labels[2], "Boston");
    const float top = g->GetTotalColumnHeaderHeight() + g->GetColumnHeaderHeight();
    auto e = r->pickAt({g->GetTotalRowHeaderWidth() - 4.0f, top + g->GetRowHeight(0) * 2.5f});
    ASSERT_TRUE(e);
    EXPECT_EQ(e->type, CrosstabPickResultEntry::Type::ROW_HEADER);
    EXPECT_EQ(e->text, "Boston");

    // Columns: every level in one header row; the summary leaf stands for
    // its member (with the collapse button) before the indented children.
    CrosstabDefinition across;
    across.indented = true;
    across.subtotals = across.totals = true;
    across.rows = {"Year"};
    across.columns = {"Region", "City"};
    across.expanded = {"columns:East"};
    auto c = view(model(sales(), across), 1200.0f, 400.0f);
    render(c);
    g = c->getCrosstabNode();
    ASSERT_TRUE(g->GetIndentedColumnHeaders());
    ASSERT_EQ(g->GetNumCrosstabColumnHeaderRows(), 2);
    EXPECT_FLOAT_EQ(g->GetTotalColumnHeaderHeight(), g->GetCrosstabColumnHeaderRowHeight(0));
    std::vector<std::string> columns;
    for (const auto& n : c->getColumnLeafNodes()) columns.push_back(n->getPresentableText());
    ASSERT_GE(columns.size(), 4u);
    EXPECT_EQ(columns[0], "Total");
    EXPECT_EQ(columns[1], "East ");
    EXPECT_EQ(columns[2], "Boston");
    int eastCell = g->GetLeafCell(G::AXIS_COLUMN, 2);  // Total spans columns 0-1
    ASSERT_GE(eastCell, 0);
    const auto& buttons = g->GetCrosstabCell(eastCell)->buttons;
    EXPECT_NE(std::find(buttons.begin(), buttons.end(), G::BUTTON_COLLAPSE), buttons.end());
    // Boston is picked in the one row, under its own columns, and needs the
    // room of its indent.
    const int bostonCell = g->GetLeafCell(G::AXIS_COLUMN, 4);
    ASSERT_EQ(g->GetCrosstabCell(bostonCell)->label, "Boston");
    const Rect boston = g->GetScreenRectForPickID(G::GetHeaderPickID(G::COMPONENT_COLUMN_HEADER, 4, 1, 0));
    EXPECT_FLOAT_EQ(boston.y, 0.0f);
    EXPECT_FLOAT_EQ(boston.height, g->GetTotalColumnHeaderHeight());
    auto picked = c->pickAt({boston.x + boston.width / 2.0f, boston.height / 2.0f});
    ASSERT_TRUE(picked);
    EXPECT_EQ(picked->type, CrosstabPickResultEntry::Type::COLUMN_HEADER);
    EXPECT_EQ(picked->text, "Boston");
    const float indent = g->MeasureHeaderCellWidth(bostonCell);
    g->SetIndentedColumnHeaders(false);
    EXPECT_GT(indent, g->MeasureHeaderCellWidth(bostonCell));
}

TEST(CrosstabRenderer, TransposedPutsMeasuresDownTheRows) {
    CrosstabDefinition def;
    def.totals = true;
    def.expanded = {"East"};
    auto plain = view(model(sales(), def), 1200.0f, 600.0f);
    render(plain);
    auto m = model(sales(), def);
    m->transpose.set(true);
    auto t = view(m, 1200.0f, 600.0f);
    render(t);
    const auto* p = plain->getCrosstabNode();
    const auto* g = t->getCrosstabNode();
    // Region, City and the measures down; one column per column leaf.
    ASSERT_EQ(g->GetNumCrosstabRowHeaderColumns(), 3);
    EXPECT_EQ(g->GetCrosstabAxisHeaderString(G::AXIS_ROW, 2), "Measures");
    const int M = 2;
    ASSERT_EQ(g->GetNumRows(), p->GetNumRows() * M);
    ASSERT_EQ(g->GetNumColumns() * M, p->GetNumColumns());
    // Every cell shows what the plain crosstab shows at (row, leaf x measure).
    auto* pg = const_cast<G*>(p);
    auto* tg = const_cast<G*>(g);
    for (int64_t r = 0; r < p->GetNumRows(); ++r)
        for (int c = 0; c < g->GetNumColumns(); ++c)
            for (int k = 0; k < M; ++k) {
                EXPECT_EQ(tg->GetCellText(r * M + k, c), pg->GetCellText(r, c * M + k)) << r << "," << c << "," << k;
                EXPECT_EQ(t->getSourceRows(r * M + k, c), plain->getSourceRows(r, c * M + k));
            }
    // The measures' cells sit in the last column under their member; a
    // collapsed member reaches them through an empty cell.
    const auto* sales = g->GetCrosstabCell(g->GetLeafCell(G::AXIS_ROW, 0));
    const auto* units = g->GetCrosstabCell(g->GetLeafCell(G::AXIS_ROW, 1));
    ASSERT_TRUE(sales && units);
    EXPECT_EQ(sales->label, p->GetColumnHeader(0));
    EXPECT_EQ(units->label, p->GetColumnHeader(1));
    EXPECT_EQ(sales->level, 2);
    EXPECT_EQ(sales->parent, units->parent);
    const auto labels = rowLabels(*t);
    for (int64_t r = 0; r < g->GetNumRows(); ++r) {
        int id = g->GetLeafCell(G::AXIS_ROW, r);
        while (g->GetCrosstabCell(id)->parent >= 0 && g->GetCrosstabCell(id)->label != labels[size_t(r)])
            id = g->GetCrosstabCell(id)->parent;
        EXPECT_EQ(g->GetCrosstabCell(id)->label, labels[size_t(r)]) << r;
        EXPECT_EQ(t->isRowTotalOrSubTotal(r), plain->isRowTotalOrSubTotal(r / M)) << r;
    }
    // A pick names the data cell behind the grid cell.
    const Rect cell = g->GetScreenRectForPickID(G::GetPickID(1, 0, G::COMPONENT_CELL));
    auto picked = t->pickAt({cell.x + cell.width / 2.0f, cell.y + cell.height / 2.0f});
    auto same = plain->getPickEntry(G::GetPickID(0, 1, G::COMPONENT_CELL));
    ASSERT_TRUE(picked && same && picked->getValue() && same->getValue());
    EXPECT_EQ(picked->text, same->text);
    EXPECT_DOUBLE_EQ(picked->getValue()->getNumber(), same->getValue()->getNumber());
    // The display rules (styles, rules, the texts of later cells) read the
    // same data cell.
    EXPECT_EQ(t->getDisplayRules()->dataCellOf(1, 3), std::make_pair(1, plain->getDataColumnIndex(1 * M + 1)));
}

TEST(CrosstabRenderer, HeatMapMeasuresRunFromLightToDark) {
    CrosstabDefinition def;
    def.measures = {"Sales:sum"};
    def.heatMap = {"Sales"};
    def.expanded = {"*"};
    auto r = view(model(sales(), def));
    r->setHeatMapMeasureNames(def.heatMap);
    render(r);
    auto rules = r->getDisplayRules();
    ASSERT_TRUE(rules);
    // Column 0 is 2023: Boston 10, NYC 20, Denver 80, Seattle 50 (Chicago none).
    auto fill = [&](const std::string& city) {
        const auto& leaves = r->getRowLeafNodes();
        for (size_t i = 0; i < leaves.size(); ++i)
            if (leaves[i]->getPresentableText() == city) {
                displaylist::DataGridCellInfoStruct info;
                rules->DisplayRuleCallback(0, int(i), &info);
                return info.fillColor;
            }
        return 0u;
    };
    auto brightness = [](uint32_t c) { return ((c >> 16) & 0xff) + ((c >> 8) & 0xff) + (c & 0xff); };
    const uint32_t low = fill("Boston"), high = fill("Denver"), mid = fill("Seattle");
    EXPECT_EQ(low, 0xf7fbffu);
    EXPECT_EQ(high, 0x2b7bbau);
    EXPECT_GT(brightness(low), brightness(mid));
    EXPECT_GT(brightness(mid), brightness(high));
}

namespace {

// 6 regions x 30 products x 2 years: 187 row leaves fully expanded, more
// than the rows whose texts are set when the grid is built.
std::shared_ptr<DataSet> productSales() {
    std::vector<std::string> region, product, year;
    std::vector<double> sales, units;
    uint32_t seed = 17;
    auto next = [&] { return seed = seed * 1103515245u + 12345u, (seed >> 8) % 1000; };
    for (int rg = 0; rg < 6; ++rg)
        for (int p = 0; p < 30; ++p)
            for (int y = 0; y < 2; ++y)
                for (int k = 0; k < 1 + int(next() % 3); ++k) {
                    region.push_back(std::string("R").append(std::to_string(rg)));
                    product.push_back(std::string("P").append(std::to_string(10 + p)));
                    year.push_back(std::to_string(2023 + y));
                    sales.push_back(double(next()) / 8.0);
                    units.push_back(double(next() % 40));
                }
    auto ds = DataSet::create("products");
    ds->addColumn(Column::createCharacter("Region", region));
    ds->addColumn(Column::createCharacter("Product", product));
    ds->addColumn(Column::createCharacter("Year", year));
    ds->addColumn(Column::createNumeric("Sales", sales));
    ds->addColumn(Column::createNumeric("Units", units));
    return ds;
}

std::string svgOf(const CrosstabRenderer& r) {
    displaylist::TqSvgWriter writer(900.0f, 500.0f);
    r.getCrosstabNode()->WriteSVG(writer);
    return writer.finish();
}

// What a person sees of every cell: row labels and every cell's text.
std::vector<std::string> snapshot(const CrosstabRenderer& r) {
    std::vector<std::string> out = rowLabels(r);
    const auto* g = r.getCrosstabNode();
    out.push_back("columns " + std::to_string(g->GetNumColumns()));
    for (int64_t row = 0; row < g->GetNumRows(); ++row)
        for (int c = 0; c < g->GetNumColumns(); ++c) out.push_back(g->GetCellText(row, c));
    return out;
}

} // namespace

TEST(CrosstabRendererRebuild, ExpandAndCollapseInPlaceEqualAFreshBuild) {
    auto ds = productSales();
    CrosstabDefinition def;
    def.rows = {"Region", "Product"};
    def.columns = {"Year"};
    def.measures = {"Sales:sum", "Units:mean"};
    def.totals = def.subtotals = true;
    def.expanded = {"*"};
    auto live = view(model(ds, def));
    render(live);
    ASSERT_GT(live->getCrosstabNode()->GetNumRows(), CrosstabRenderer::EAGER_ROWS + 50);
    const auto before = snapshot(*live);
    // The node is kept across rebuilds (and draws what a new one would).
    const auto* node = live->getCrosstabNode();

    ASSERT_TRUE(live->collapse(0, live->findNode(0, "R3")));
    render(live);
    const auto collapsed = snapshot(*live);
    ASSERT_TRUE(live->expand(0, live->findNode(0, "R3")));
    render(live);
    const auto expanded = snapshot(*live);

    auto fresh = view(model(ds, def));
    render(fresh);
    EXPECT_EQ(expanded, snapshot(*fresh));
    EXPECT_EQ(expanded, before);
    EXPECT_EQ(live->getCrosstabNode(), node);
    EXPECT_EQ(svgOf(*live), svgOf(*fresh));
    CrosstabDefinition partly = def;
    partly.expanded = {"R0", "R1", "R2", "R4", "R5"};
    auto freshCollapsed = view(model(ds, partly));
    render(freshCollapsed);
    EXPECT_EQ(collapsed, snapshot(*freshCollapsed));
    EXPECT_LT(collapsed.size(), expanded.size());

    // Rows past the first ones get their texts when asked (drawn), with the
    // same formatting as the eager ones.
    auto* g = live->getCrosstabNode();
    g->ClearCallbackTexts();
    const int64_t late = CrosstabRenderer::EAGER_ROWS + 20;
    EXPECT_TRUE(g->HasCellText(0, 0));
    EXPECT_FALSE(g->HasCellText(late, 0));
    EXPECT_FALSE(g->GetCellText(late, 0).empty());
    EXPECT_TRUE(g->HasCellText(late, 0));
}

TEST(CrosstabRendererSort, LevelSortsOrderMembersAndShowTheirIndicators) {
    CrosstabDefinition def;
    def.rows = {"Region", "City"};
    def.columns = {"Year"};
    def.measures = {"Sales:sum"};
    def.sorts = {"Region:descending", "Year:ascending"};
    auto r = view(model(sales(), def));
    render(r);
    auto labels = rowLabels(*r);
    ASSERT_GE(labels.size(), 3u);
    EXPECT_EQ(labels[0], "West");
    EXPECT_EQ(labels[1], "North");
    EXPECT_EQ(labels[2], "East");
    const auto* g = r->getCrosstabNode();
    EXPECT_EQ(g->GetCrosstabAxisHeaderSortIndicator(G::AXIS_ROW, 0), 2);
    EXPECT_EQ(g->GetCrosstabAxisHeaderSortIndicator(G::AXIS_ROW, 1), 0);
    EXPECT_EQ(g->GetCrosstabAxisHeaderSortIndicator(G::AXIS_COLUMN, 0), 1);
    // Author mistakes are refused with a reason.
    std::string error;
    def.sorts = {"Region:sideways"};
    EXPECT_FALSE(def.build(sales(), error));
    EXPECT_NE(error.find("ascending or descending"), std::string::npos);
    def.sorts = {"Planet:ascending"};
    EXPECT_FALSE(def.build(sales(), error));
    EXPECT_NE(error.find("Planet"), std::string::npos);
}
