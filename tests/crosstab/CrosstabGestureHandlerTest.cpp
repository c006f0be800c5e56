// SPDX-License-Identifier: Apache-2.0
// Crosstab gestures: taps on buttons and cells, keys 46/47/59/60 and the
// navigation keys with their accessibility events; column resizing by pan
// and by keyboard.
#include "orvane/accessibility/AccessibilityElement.h"
#include "orvane/accessibility/AccessibilityFocusChangeEvent.h"
#include "orvane/crosstab/CrosstabDefinition.h"
#include "orvane/crosstab/CrosstabGestureHandler.h"
#include "orvane/crosstab/CrosstabRenderer.h"
#include "orvane/displaylist/DisplayListEditor.h"
#include "orvane/host/core/AbstractEventCallback.h"
#include "orvane/host/core/CLog.h"
#include "orvane/host/core/PortableEvent.h"
#include "orvane/host/data/Column.h"
#include "orvane/host/data/DataSet.h"
#include "orvane/host/data/RowStates.h"
#include "orvane/crosstab/CrosstabLevelInfo.h"
#include "orvane/host/input/Gesture.h"
#include "orvane/host/input/GestureRecognizerType.h"
#include "orvane/host/input/KeyManager.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace orvane;
using G = displaylist::TqCrosstab;
using H = CrosstabGestureHandler;

namespace {

struct Fixture {
    std::shared_ptr<DataSet> data = DataSet::create("sales");
    std::shared_ptr<CrosstabRenderer> view = CrosstabRenderer::create();
    std::shared_ptr<H> handler;
    std::vector<int> events;
    std::shared_ptr<AbstractEventCallback> listener;
    Fixture() {
        data->addColumn(Column::createCharacter("Region", {"East", "East", "West", "West"}));
        data->addColumn(Column::createCharacter("City", {"Boston", "NYC", "Denver", "Denver"}));
        data->addColumn(Column::createCharacter("Year", {"2023", "2024", "2023", "2024"}));
        data->addColumn(Column::createNumeric("Sales", {1, 2, 3, 4}));
        CrosstabDefinition def;
        def.rows = {"Region", "City"};
        def.columns = {"Year"};
        def.measures = {"Sales:sum"};
        std::string error;
        view->setModel(def.build(data, error));
        view->setFrame({0.0f, 0.0f, 600.0f, 300.0f});
        render();
        handler = H::create(view);
        listener = FunctionEventCallback::create([this](const std::shared_ptr<PortableEvent>& e) { events.push_back(e->getType()); });
        for (int t = H::ACCESSIBILITY_EXPAND; t <= H::ACCESSIBILITY_DATA_CELL; ++t) view->addEventListener(t, listener);
    }
    void render() { view->updateDisplayList(displaylist::DisplayListEditor::create(nullptr)); }
    uint64_t header(const std::string& path) { return view->getPickIdForNode(0, view->findNode(0, path)); }
    std::vector<std::string> rows() const {
        std::vector<std::string> out;
        for (const auto& n : view->getRowLeafNodes()) out.push_back(n->getPresentableText());
        return out;
    }
    // A tap at a point of the crosstab given from its top left (y down).
    bool tap(float x, float y) { return handler->handleTap(Tap({x, view->getFrame().height - y})); }
    // A pan from (x0, y) to (x1, y), given from the top left (y down).
    bool drag(float x0, float x1, float y) {
        const float h = view->getFrame().height;
        namespace S = GestureRecognizerState;
        bool taken = handler->handlePan(Pan(S::BEGAN, {x0, h - y}, {0.0f, 0.0f}));
        taken &= handler->handlePan(Pan(S::CHANGED, {(x0 + x1) / 2, h - y}, {(x1 - x0) / 2, 0.0f}));
        taken &= handler->handlePan(Pan(S::ENDED, {x1, h - y}, {x1 - x0, 0.0f}));
        return taken;
    }
    G& grid() { return *view->getCrosstabNode(); }
    // The y of the first data row, from the top.
    float firstRowY() { return grid().GetTotalColumnHeaderHeight() + grid().GetColumnHeaderHeight() + 4.0f; }
};

} // namespace

TEST(CrosstabGestures, TapsOnButtonsExpandAndCollapse) {
    Fixture f;
    auto* g = f.view->getCrosstabNode();
    const float top = g->GetTotalColumnHeaderHeight() + g->GetColumnHeaderHeight();
    const float button = float(g->GetHorizontalPadding()) + 3.0f;
    ASSERT_TRUE(f.tap(button, top + g->GetRowHeight(0) / 2.0f));
    EXPECT_NE(f.handler->getLastAction().find("expand"), std::string::npos) << f.handler->getLastAction();
    f.render();
    EXPECT_EQ(f.rows(), (std::vector<std::string>{"Boston", "NYC", "West"}));
    // West keeps its state when East collapses again.
    g = f.view->getCrosstabNode();
    ASSERT_TRUE(f.tap(button, top + g->GetRowHeight(0) / 2.0f));
    f.render();
    EXPECT_EQ(f.rows(), (std::vector<std::string>{"East", "West"}));
    // A tap on a cell selects its source rows; a second tap clears them.
    g = f.view->getCrosstabNode();
    const float cellX = g->GetTotalRowHeaderWidth() + 3.0f;
    ASSERT_TRUE(f.tap(cellX, top + g->GetRowHeight(0) * 1.5f));
    EXPECT_EQ(f.data->getRowStates()->getSelectedIndices(), std::vector<int>{2});
    ASSERT_TRUE(f.tap(cellX, top + g->GetRowHeight(0) * 1.5f));
    EXPECT_TRUE(f.data->getRowStates()->getSelectedIndices().empty());
    // A tap outside everything does nothing.
    EXPECT_FALSE(f.tap(-50.0f, -50.0f));
}

TEST(CrosstabGestures, EnterExpandsAndCollapsesWithEvents) {
    Fixture f;
    CLogCapture log;
    f.handler->setFocus(f.header("East"));
    EXPECT_TRUE(f.handler->handleKeyPress(H::KEY_ENTER));
    EXPECT_EQ(f.events, std::vector<int>{H::ACCESSIBILITY_EXPAND});
    EXPECT_TRUE(log.contains(CLog::INFO, "Fire ACCESSIBILITY_EXPAND, the value of element is East"));
    f.render();
    EXPECT_EQ(f.rows().front(), "Boston");
    f.handler->setFocus(f.header("East"));
    f.handler->handleKeyPress(H::KEY_ENTER);
    EXPECT_EQ(f.events.back(), H::ACCESSIBILITY_COLLAPSE);
    f.render();
    EXPECT_EQ(f.rows().front(), "East");
    // A member that cannot expand (a city) fires nothing.
    ASSERT_TRUE(f.view->expand(0, f.view->findNode(0, "West")));
    f.render();
    f.handler->setFocus(f.header("West/Denver"));
    const size_t before = f.events.size();
    EXPECT_EQ(f.handler->getNextSelectedCellIndex(H::KEY_ENTER), H::NO_FOCUS);
    EXPECT_EQ(f.events.size(), before);
}

TEST(CrosstabGestures, SpaceDrillsHeadersAndActivatesCells) {
    Fixture f;
    f.handler->setFocus(G::GetPickID(0, 0, G::COMPONENT_CELL));
    f.handler->handleKeyPress(H::KEY_SPACE);
    ASSERT_EQ(f.events.size(), 1u);
    EXPECT_EQ(f.events[0], H::ACCESSIBILITY_DATA_CELL);
    EXPECT_FALSE(f.data->getRowStates()->getSelectedIndices().empty());
    f.handler->setFocus(f.header("West"));
    f.handler->handleKeyPress(H::KEY_SPACE);
    EXPECT_EQ(f.events.back(), H::ACCESSIBILITY_DRILL_DOWN);
    f.render();
    EXPECT_EQ(f.rows(), std::vector<std::string>{"Denver"});
    // Enter on a measure header asks for a sort.
    f.handler->setFocus(G::GetPickID(0, 0, G::COMPONENT_HEADER));
    f.handler->handleKeyPress(H::KEY_ENTER);
    EXPECT_EQ(f.events.back(), H::ACCESSIBILITY_SORT);
}

TEST(CrosstabGestures, HomeEndAndArrowsMoveBetweenHeadersAndData) {
    Fixture f;
    ASSERT_TRUE(f.view->expand(0, f.view->findNode(0, "East")));
    f.render();
    // From NYC, Home goes to East.
    f.handler->setFocus(f.header("East/NYC"));
    EXPECT_EQ(f.handler->getNextSelectedCellIndex(H::KEY_HOME), f.header("East"));
    // From East, End goes into the data at its first leaf's row.
    f.handler->setFocus(f.header("East"));
    uint64_t cell = f.handler->getNextSelectedCellIndex(H::KEY_END);
    EXPECT_EQ(G::ConvertPickIDtoComponentID(cell), G::COMPONENT_CELL);
    EXPECT_EQ(G::GetRowFromPickID(cell), 0);
    // Rows: down to the next sibling, right to the first child.
    f.handler->setFocus(f.header("East/Boston"));
    EXPECT_EQ(f.handler->getNextSelectedCellIndex(H::KEY_DOWN), f.header("East/NYC"));
    f.handler->setFocus(f.header("East"));
    EXPECT_EQ(f.handler->getNextSelectedCellIndex(H::KEY_RIGHT), f.header("East/Boston"));
    EXPECT_EQ(f.handler->getNextSelectedCellIndex(H::KEY_LEFT), H::NO_FOCUS);  // a top-level member has no parent
    // From the first data column, Left goes to the row header of the row.
    f.handler->setFocus(G::GetPickID(1, 0, G::COMPONENT_CELL));
    EXPECT_EQ(f.handler->getNextSelectedCellIndex(H::KEY_LEFT), f.header("East/NYC"));
    // Nothing focused: the first data cell ("none" is not 0).
    f.handler->setFocus(H::NO_FOCUS);
    EXPECT_EQ(f.handler->getNextSelectedCellIndex(H::KEY_DOWN), G::GetPickID(0, 0, G::COMPONENT_CELL));
    EXPECT_FALSE(f.handler->handleKeyPress(12));
}

TEST(CrosstabGestures, ArrowsOnAxisLabelHeadersMoveTheFocusWithEvents) {
    Fixture f;
    // Every move is announced with the element now focused.
    std::vector<uint64_t> announced;
    auto moves = FunctionEventCallback::create([&](const std::shared_ptr<PortableEvent>& e) {
        auto a = std::dynamic_pointer_cast<AccessibilityFocusChangeEvent>(e);
        ASSERT_TRUE(a && a->getAccessibilityElement());
        announced.push_back(a->getAccessibilityElement()->getDetailIndex());
    });
    f.view->addEventListener(AccessibilityFocusChangeEvent::ACCESSIBILITY_FOCUS_CHANGE, moves);
    const uint64_t region = G::GetHeaderPickID(G::COMPONENT_ROW_AXIS_HEADER, 0, 0, 0);
    const uint64_t city = G::GetHeaderPickID(G::COMPONENT_ROW_AXIS_HEADER, 0, 1, 0);
    const uint64_t year = G::GetHeaderPickID(G::COMPONENT_COLUMN_AXIS_HEADER, 0, 0, 0);
    const uint64_t firstMeasure = CrosstabRenderer::getDetailIndex(0, 0, G::COMPONENT_HEADER);
    auto press = [&](int key) {
        f.handler->handleKeyPress(key);
        return f.handler->getFocus();
    };
    f.handler->setFocus(region);
    // Along the row labels, past the last one to the first measure header, and back.
    EXPECT_EQ(press(H::KEY_RIGHT), city);
    EXPECT_EQ(press(H::KEY_RIGHT), firstMeasure);
    EXPECT_EQ(press(H::KEY_LEFT), city);
    EXPECT_EQ(press(H::KEY_LEFT), region);
    EXPECT_FALSE(f.handler->handleKeyPress(H::KEY_LEFT));  // nothing left of the first level
    EXPECT_EQ(f.handler->getFocus(), region);
    EXPECT_EQ(announced, (std::vector<uint64_t>{city, firstMeasure, city, region}));
    // Down into the level's headers; up to the column labels above.
    EXPECT_EQ(press(H::KEY_DOWN), f.header("East"));
    f.handler->setFocus(region);
    EXPECT_EQ(press(H::KEY_UP), year);
    EXPECT_FALSE(f.handler->handleKeyPress(H::KEY_UP));
    // From the (last) column label: right to its level's first header, down to the row labels.
    EXPECT_EQ(press(H::KEY_RIGHT), f.view->getPickIdForNode(1, f.view->findNode(1, "2023")));
    f.handler->setFocus(year);
    EXPECT_EQ(press(H::KEY_DOWN), region);
    // The City level has headers only once a region is expanded.
    f.handler->setFocus(city);
    EXPECT_EQ(f.handler->getNextSelectedCellIndex(H::KEY_DOWN), H::NO_FOCUS);
    ASSERT_TRUE(f.view->expand(0, f.view->findNode(0, "West")));
    f.render();
    f.handler->setFocus(city);
    EXPECT_EQ(press(H::KEY_DOWN), f.header("West/Denver"));
    EXPECT_EQ(f.handler->getLastAction(), "focus on row header Denver");
    // Indented rows: one row label, leading to the top level and to the data.
    f.view->getModel()->indentedViewMode.set(true);
    f.render();
    f.handler->setFocus(region);
    EXPECT_EQ(press(H::KEY_RIGHT), firstMeasure);
    f.handler->setFocus(region);
    EXPECT_EQ(press(H::KEY_DOWN), f.header("East"));
    // A label of a level that is not shown leads nowhere.
    f.handler->setFocus(city);
    EXPECT_EQ(f.handler->getNavigationNextSelectedCellIndex(H::KEY_RIGHT), H::NO_FOCUS);
}

TEST(CrosstabGestures, DraggingARowHeaderSeparatorResizesItsLevelColumn) {
    Fixture f;
    const float w0 = f.grid().GetCrosstabRowHeaderColumnWidth(0), w1 = f.grid().GetCrosstabRowHeaderColumnWidth(1);
    ASSERT_GT(w0, 0.0f);
    // The edge between the Region and City columns, 30 px to the right.
    EXPECT_TRUE(f.drag(w0, w0 + 30.0f, f.firstRowY()));
    EXPECT_FLOAT_EQ(f.grid().GetCrosstabRowHeaderColumnWidth(0), w0 + 30.0f);
    EXPECT_FLOAT_EQ(f.grid().GetCrosstabRowHeaderColumnWidth(1), w1);  // the other level keeps its width
    EXPECT_FALSE(f.handler->isResizing());
    // The model keeps the width: a rebuild (an expand) does not undo it.
    auto info = f.view->getModel()->getRowLevelInfo(0);
    ASSERT_TRUE(info);
    EXPECT_EQ(info->width.get(), int(std::lround(w0 + 30.0f)));
    f.render();
    EXPECT_FLOAT_EQ(f.grid().GetCrosstabRowHeaderColumnWidth(0), w0 + 30.0f);
    // Far to the left: never below the minimum; far to the right: never
    // more than the room the data leaves.
    const float now = f.grid().GetCrosstabRowHeaderColumnWidth(0);
    f.drag(now, -500.0f, f.firstRowY());
    EXPECT_FLOAT_EQ(f.grid().GetCrosstabRowHeaderColumnWidth(0), H::MIN_COLUMN_WIDTH);
    f.drag(H::MIN_COLUMN_WIDTH, 5000.0f, f.firstRowY());
    EXPECT_FLOAT_EQ(f.grid().GetCrosstabRowHeaderColumnWidth(0), f.view->getMaximumAllowedRowHeaderWidth());
}

TEST(CrosstabGestures, PansAwayFromSeparatorsScrollAndResizingCanBeTurnedOff) {
    Fixture f;
    EXPECT_NE(f.handler->getRequiredGestureRecognizerTypes() & GestureRecognizerType::PAN, 0);
    const float w0 = f.grid().GetCrosstabRowHeaderColumnWidth(0);
    // A pan over the data resizes nothing.
    const float mid = f.grid().GetTotalRowHeaderWidth() + 20.0f;
    f.drag(mid, mid + 40.0f, f.firstRowY());
    EXPECT_FLOAT_EQ(f.grid().GetCrosstabRowHeaderColumnWidth(0), w0);
    EXPECT_FALSE(f.view->getModel()->getRowLevelInfo(0) && f.view->getModel()->getRowLevelInfo(0)->width.get() > 0);
    // Resizing turned off: the separator pans like anywhere else.
    f.view->getModel()->allowColumnResizing.set(false);
    f.drag(w0, w0 + 30.0f, f.firstRowY());
    EXPECT_FLOAT_EQ(f.grid().GetCrosstabRowHeaderColumnWidth(0), w0);
}

TEST(CrosstabGestures, DraggingAMeasureHeaderSeparatorResizesTheDataColumn) {
    Fixture f;
    auto& g = f.grid();
    const float c0 = g.GetColumnWidth(0), c1 = g.GetColumnWidth(1);
    const float edge = g.GetTotalRowHeaderWidth() + c0;
    const float y = g.GetTotalColumnHeaderHeight() + g.GetColumnHeaderHeight() / 2.0f;
    EXPECT_TRUE(f.drag(edge, edge + 25.0f, y));
    EXPECT_FLOAT_EQ(g.GetColumnWidth(0), c0 + 25.0f);
    EXPECT_FLOAT_EQ(g.GetColumnWidth(1), c1);
    f.render();  // kept through a rebuild
    EXPECT_FLOAT_EQ(f.grid().GetColumnWidth(0), c0 + 25.0f);
}

TEST(CrosstabGestures, ModifierWithHorizontalKeysResizesTheFocusedHeadersColumn) {
    Fixture f;
    auto keys = KeyManager::getSharedInstance();
    keys->releaseAll();
    struct Release {
        std::shared_ptr<KeyManager> k;
        ~Release() { k->releaseAll(); }
    } release{keys};
    ASSERT_TRUE(f.view->expand(0, f.view->findNode(0, "East")));
    f.render();
    // Row header: its level column.
    const uint64_t city = f.header("East/Boston");
    ASSERT_NE(city, G::NO_PICK_ID);
    f.handler->setFocus(city);
    const float w1 = f.grid().GetCrosstabRowHeaderColumnWidth(1), w0 = f.grid().GetCrosstabRowHeaderColumnWidth(0);
    keys->setPressed(H::KEY_RESIZE_MODIFIER, true);
    EXPECT_TRUE(f.handler->handleKeyPress(H::KEY_RIGHT));
    EXPECT_EQ(f.handler->getFocus(), city);  // the focus stays
    EXPECT_FLOAT_EQ(f.grid().GetCrosstabRowHeaderColumnWidth(1), w1 + H::RESIZE_STEP);
    EXPECT_FLOAT_EQ(f.grid().GetCrosstabRowHeaderColumnWidth(0), w0);
    EXPECT_TRUE(f.handler->handleKeyPress(H::KEY_LEFT));
    EXPECT_TRUE(f.handler->handleKeyPress(H::KEY_LEFT));
    EXPECT_FLOAT_EQ(f.grid().GetCrosstabRowHeaderColumnWidth(1), w1 - H::RESIZE_STEP);
    for (int i = 0; i < 200; ++i) f.handler->handleKeyPress(H::KEY_LEFT);
    EXPECT_FLOAT_EQ(f.grid().GetCrosstabRowHeaderColumnWidth(1), H::MIN_COLUMN_WIDTH);
    EXPECT_EQ(f.handler->getFocus(), city);

    // Measure header: its data column.
    const uint64_t measure = G::GetPickID(0, 1, G::COMPONENT_HEADER);
    f.handler->setFocus(measure);
    const float c1 = f.grid().GetColumnWidth(1), c0 = f.grid().GetColumnWidth(0);
    EXPECT_TRUE(f.handler->handleKeyPress(H::KEY_RIGHT));
    EXPECT_FLOAT_EQ(f.grid().GetColumnWidth(1), c1 + H::RESIZE_STEP);
    EXPECT_FLOAT_EQ(f.grid().GetColumnWidth(0), c0);
    EXPECT_EQ(f.handler->getFocus(), measure);

    // Column header (a year): the column under it.
    const uint64_t year = f.view->getPickIdForNode(1, f.view->findNode(1, "2023"));
    ASSERT_NE(year, G::NO_PICK_ID);
    f.handler->setFocus(year);
    const auto* cell = f.grid().GetCrosstabCell(f.grid().GetCellForPickID(year));
    ASSERT_TRUE(cell);
    const int under = int(cell->first + cell->extent - 1);
    const float cy = f.grid().GetColumnWidth(under);
    EXPECT_TRUE(f.handler->handleKeyPress(H::KEY_LEFT));
    EXPECT_FLOAT_EQ(f.grid().GetColumnWidth(under), cy - H::RESIZE_STEP);

    // Data cells are not resized: the keys move as usual.
    const uint64_t cellId = G::GetPickID(0, 0, G::COMPONENT_CELL);
    f.handler->setFocus(cellId);
    const float d0 = f.grid().GetColumnWidth(0);
    f.handler->handleKeyPress(H::KEY_RIGHT);
    EXPECT_EQ(f.handler->getFocus(), G::GetPickID(0, 1, G::COMPONENT_CELL));
    EXPECT_FLOAT_EQ(f.grid().GetColumnWidth(0), d0);

    // Without the modifier, or with resizing off, the header focus moves.
    keys->setPressed(H::KEY_RESIZE_MODIFIER, false);
    f.handler->setFocus(f.header("East"));
    const float r0 = f.grid().GetCrosstabRowHeaderColumnWidth(0);
    f.handler->handleKeyPress(H::KEY_RIGHT);
    EXPECT_EQ(f.handler->getFocus(), f.header("East/Boston"));
    keys->setPressed(H::KEY_RESIZE_MODIFIER, true);
    f.view->getModel()->allowColumnResizing.set(false);
    f.handler->setFocus(f.header("East"));
    f.handler->handleKeyPress(H::KEY_RIGHT);
    EXPECT_EQ(f.handler->getFocus(), f.header("East/Boston"));
    EXPECT_FLOAT_EQ(f.grid().GetCrosstabRowHeaderColumnWidth(0), r0);
}
