// SPDX-License-Identifier: Apache-2.0
// The table's gestures and keys: row selection by taps (replace, add, range,
// toggle), sorting by header taps, double taps, wheel steps, resizing and
// moving columns (across the frozen boundary), keyboard walks at the grid's
// edges and right to left, and gestures the table must refuse.
#include "orvane/datagrid/DataGrid.h"
#include "orvane/datagrid/DataGridCellContentEvent.h"
#include "orvane/datagrid/DataGridColumnInfo.h"
#include "orvane/datagrid/DataGridGestureHandler.h"
#include "orvane/datagrid/DataGridRenderer.h"
#include "orvane/datagrid/GridFocusEvent.h"
#include "orvane/displaylist/DisplayListRenderer.h"
#include "orvane/displaylist/TqDataGrid.h"
#include "orvane/host/core/AbstractEventCallback.h"
#include "orvane/host/core/Feature.h"
#include "orvane/host/data/Column.h"
#include "orvane/host/data/DataSet.h"
#include "orvane/host/data/RowStates.h"
#include "orvane/host/data/SortContext.h"
#include "orvane/host/input/CursorManager.h"
#include "orvane/host/input/Focusable.h"
#include "orvane/host/input/KeyEvent.h"
#include "orvane/host/input/KeyManager.h"
#include "orvane/view/ShowContextMenuEvent.h"

#include "common/EventLog.h"
#include "common/GridOnScreen.h"
#include "common/SampleData.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <vector>

using namespace orvane;
using displaylist::TqDataGrid;

namespace {

constexpr uint64_t NONE = TqDataGrid::NO_PICK_ID;

std::shared_ptr<DataSet> rowsOf(size_t n) { return test::numberedRows(n); }

struct Table : test::GridOnScreen {
    float height;
    // The package turns "toggleOnTap" on; these tests turn it on themselves.
    bool toggleOnTap = Multiverse::isEnabled("toggleOnTap");

    explicit Table(std::shared_ptr<DataSet> ds, float w = 400, float h = 300) : GridOnScreen(std::move(ds), w, h), height(h) {
        Multiverse::setEnabled("toggleOnTap", false);
        model->columnAutoFill.set(false);
        view->render();
    }
    ~Table() override {
        Multiverse::setEnabled("toggleOnTap", toggleOnTap);
        KeyManager::getSharedInstance()->releaseAll();
        FocusManager::setKeyboardFocus(nullptr);
        CursorManager::getSharedInstance()->resetCursor();
    }
    TqDataGrid& grid() { return *view->getDataGridNode(); }
    DataGridGestureHandler& handler() { return *view->getGestureHandler(); }
    // A point of the view (y up) from a screen point of the grid (y down).
    Point at(float x, float y) const { return {x, height - y}; }
    // The middle of a cell in screen pixels (no scroll).
    Point cell(int64_t row, int col) {
        auto& g = grid();
        float x = g.GetRowNumberColumnWidth();
        for (int c = 0; c < col; ++c) x += g.GetColumnWidth(c);
        x += g.GetColumnWidth(col) / 2;
        float y = g.GetColumnHeaderHeight() + float(row) * g.GetRowHeight(-1) + g.GetRowHeight(-1) / 2;
        return {x, y};
    }
    Point header(int col) { return {cell(0, col).x, grid().GetColumnHeaderHeight() / 2}; }
    // The right edge of a column in the header row.
    Point separator(int col) {
        auto& g = grid();
        float x = g.GetRowNumberColumnWidth();
        for (int c = 0; c <= col; ++c) x += g.GetColumnWidth(c);
        return {x, g.GetColumnHeaderHeight() / 2};
    }
    bool tap(Point screen, int modifiers = 0, int count = 1) {
        Tap t(at(screen.x, screen.y), count, count == 2 ? GestureRecognizerType::DOUBLE_TAP : GestureRecognizerType::TAP);
        t.setModifiers(modifiers);
        bool r = handler().handleTap(t);
        view->render();
        return r;
    }
    bool pan(Point from, float dx, float dy) {
        Point start = at(from.x, from.y), end = at(from.x + dx, from.y + dy);
        bool r = handler().handlePan(Pan(GestureRecognizerState::BEGAN, start, {}));
        r = handler().handlePan(Pan(GestureRecognizerState::CHANGED, end, {dx, -dy})) || r;
        r = handler().handlePan(Pan(GestureRecognizerState::ENDED, end, {dx, -dy})) || r;
        view->render();
        return r;
    }
    std::vector<int> selected() { return model->dataSet.get()->getRowStates()->getSelectedIndices(); }
    bool key(int code, int modifiers = 0) {
        bool r = KeyManager::getSharedInstance()->keyPressed(code, modifiers);
        KeyManager::getSharedInstance()->keyReleased(code, modifiers);
        view->render();
        return r;
    }
    void focus() { FocusManager::setKeyboardFocus(view->asFocusable()); }
};

} // namespace

TEST(GridGestureHandlerTest, TapsReplaceAddAndExtendTheSelectedRowsThroughTheSort) {
    // Taps on display rows and the data rows selected after each.
    struct Step {
        int64_t row;
        int col;
        int modifiers;
        std::vector<int> selected;
    };
    struct Case {
        const char* what;
        size_t rows;
        bool sorted, multiSelect;
        std::vector<Step> steps;
    };
    const int ADD = KeyModifier::MULTI_SELECT, RANGE = KeyModifier::RANGE_SELECT;
    const Case cases[] = {
        // The add modifier adds a row and moves the range anchor to it; a
        // range from the anchor replaces, with the add modifier it adds.
        {"plain", 8, false, true,
         {{2, 0, 0, {2}}, {4, 1, 0, {4}}, {1, 0, ADD, {1, 4}}, {3, 2, RANGE, {1, 2, 3}}, {6, 0, ADD, {1, 2, 3, 6}},
          {7, 0, ADD | RANGE, {1, 2, 3, 6, 7}}}},
        // Amounts descending: display row 0 is the largest amount, data row 4.
        {"sorted", 5, true, true, {{0, 0, 0, {4}}, {1, 0, RANGE, {3, 4}}}},
        // Without multi-select a range or an add replaces.
        {"one row at a time", 6, false, false, {{1, 0, 0, {1}}, {4, 0, RANGE, {4}}, {2, 0, ADD, {2}}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Table t(rowsOf(c.rows));
        ASSERT_NE(t.view->getGestureHandler(), nullptr);
        if (c.sorted) t.model->sortByColumn("amount", SortDirection::DESCENDING);
        if (!c.multiSelect) t.view->setMultiSelectEnabled(false);
        t.view->render();
        ASSERT_EQ(t.grid().GetPickIDAtScreenPosition(t.cell(2, 1).x, t.cell(2, 1).y), TqDataGrid::GetPickID(2, 1, 0));
        for (const Step& s : c.steps) {
            EXPECT_TRUE(t.tap(t.cell(s.row, s.col), s.modifiers));
            EXPECT_EQ(t.selected(), s.selected) << "display row " << s.row;
            EXPECT_TRUE(t.grid().IsRowSelected(s.row)) << s.row;
        }
        if (c.multiSelect && !c.sorted) {
            // A modifier the host holds at its key manager counts the same.
            KeyManager::getSharedInstance()->setPressed(KeyCode::RANGE_SELECT, true);
            t.tap(t.cell(5, 0));
            KeyManager::getSharedInstance()->setPressed(KeyCode::RANGE_SELECT, false);
            EXPECT_EQ(t.selected(), std::vector<int>({5, 6}));  // from the anchor, row 6
        }
    }
}

TEST(GridGestureHandlerTest, OneSelectionEventPerChangeAndToggleOnTap) {
    Table t(rowsOf(6));
    test::EventLog events(*t.model->dataSet.get(), {RowStates::SELECTED_CHANGED});
    t.tap(t.cell(2, 0));
    EXPECT_EQ(events.size(), 1u);
    t.tap(t.cell(2, 1));  // the same row again: nothing changed, nothing announced
    EXPECT_EQ(events.size(), 1u);
    t.tap(t.cell(1, 0), KeyModifier::RANGE_SELECT);
    t.tap(t.cell(4, 0), KeyModifier::MULTI_SELECT | KeyModifier::RANGE_SELECT);
    EXPECT_EQ(events.size(), 3u);
    // A double tap toggles: a selected row goes, an unselected one comes.
    t.tap(t.cell(3, 0), KeyModifier::MULTI_SELECT, 2);
    EXPECT_EQ(t.selected(), std::vector<int>({1, 2, 4}));

    if (!Multiverse::getFeature("toggleOnTap")) {
        auto f = Feature::create();
        f->setName("toggleOnTap");
        Multiverse::registerFeature(f);
    }
    Multiverse::setEnabled("toggleOnTap", true);
    t.tap(t.cell(2, 0));  // already selected: every row is cleared
    Multiverse::setEnabled("toggleOnTap", false);
    EXPECT_TRUE(t.selected().empty());
    t.tap(t.cell(2, 0));
    EXPECT_EQ(t.selected(), std::vector<int>({2}));
}

TEST(GridGestureHandlerTest, HeaderTapsSortAscendingDescendingThenBack) {
    Table t(rowsOf(4));
    auto directionOf = [&](const std::string& column) {
        auto state = t.model->sortState.get();
        if (!state) return SortDirection::NONE;
        for (const auto& c : state->getRelationalSortsForAxis(0))
            if (c && c->getColumnName() && *c->getColumnName() == column) return c->getDirection();
        return SortDirection::NONE;
    };
    EXPECT_TRUE(t.tap(t.header(1)));
    EXPECT_EQ(directionOf("amount"), SortDirection::ASCENDING);
    EXPECT_EQ(t.grid().GetColumnSortIndicator(1), TqDataGrid::SORT_PRIMARY_ASCENDING);
    t.tap(t.header(1));
    EXPECT_EQ(directionOf("amount"), SortDirection::DESCENDING);
    EXPECT_EQ(t.grid().GetColumnSortIndicator(1), TqDataGrid::SORT_PRIMARY_DESCENDING);
    EXPECT_EQ(t.view->getDataRow(0), 3);
    t.tap(t.header(1));
    EXPECT_EQ(directionOf("amount"), SortDirection::NONE);
    EXPECT_EQ(t.grid().GetColumnSortIndicator(1), TqDataGrid::SORT_NONE);
    EXPECT_EQ(t.view->getDataRow(0), 0);
    // With the add modifier a second column becomes a further key (3 and 4),
    // and going back drops only that key.
    t.tap(t.header(1));
    t.tap(t.header(2), KeyModifier::MULTI_SELECT);
    EXPECT_EQ(t.grid().GetColumnSortIndicator(1), TqDataGrid::SORT_PRIMARY_ASCENDING);
    EXPECT_EQ(t.grid().GetColumnSortIndicator(2), TqDataGrid::SORT_SECONDARY_ASCENDING);
    t.tap(t.header(2), KeyModifier::MULTI_SELECT);
    EXPECT_EQ(t.grid().GetColumnSortIndicator(2), TqDataGrid::SORT_SECONDARY_DESCENDING);
    t.tap(t.header(2), KeyModifier::MULTI_SELECT);
    EXPECT_EQ(t.grid().GetColumnSortIndicator(2), TqDataGrid::SORT_NONE);
    EXPECT_EQ(directionOf("amount"), SortDirection::ASCENDING);
    // A header tap selects nothing; a table without headers has none to tap.
    EXPECT_TRUE(t.selected().empty());
    t.model->headersVisible.set(false);
    t.view->render();
    auto before = directionOf("amount");
    t.tap({t.header(1).x, 2.0f});
    EXPECT_EQ(directionOf("amount"), before);
}

TEST(GridGestureHandlerTest, DoubleTapOnASeparatorSizesTheColumnAtMost512) {
    auto ds = rowsOf(3);
    ds->addColumn(Column::createCharacter("long", {std::string(300, 'W'), "x", "y"}));
    Table t(ds, 900);
    t.grid().SetColumnWidth(3, 40.0f);
    EXPECT_TRUE(t.tap(t.separator(3), 0, 2));
    EXPECT_FLOAT_EQ(t.grid().GetColumnWidth(3), GridGestureHandler::MAX_PREFERRED_COLUMN_WIDTH);
    auto info = t.model->getColumnInfo(3);
    ASSERT_NE(info, nullptr);
    EXPECT_EQ(info->columnWidth.get(), 512);
    // A narrow column takes its preferred width.
    t.grid().SetColumnWidth(2, 200.0f);
    t.tap(t.separator(2), 0, 2);
    float preferred = t.grid().GetPreferredColumnWidth(2);
    EXPECT_LT(preferred, 200.0f);
    EXPECT_FLOAT_EQ(t.grid().GetColumnWidth(2), preferred);
}

TEST(GridGestureHandlerTest, WheelStepsAndScrolling) {
    EXPECT_EQ(GridGestureHandler::wheelSteps(0), 0);
    EXPECT_EQ(GridGestureHandler::wheelSteps(1), 1);
    EXPECT_EQ(GridGestureHandler::wheelSteps(120), 1);
    EXPECT_EQ(GridGestureHandler::wheelSteps(239), 1);
    EXPECT_EQ(GridGestureHandler::wheelSteps(240), 2);
    EXPECT_EQ(GridGestureHandler::wheelSteps(359), 2);
    EXPECT_EQ(GridGestureHandler::wheelSteps(-360), -3);
    EXPECT_EQ(GridGestureHandler::wheelSteps(2400), 10);
    EXPECT_EQ(GridGestureHandler::wheelSteps(1000000), 10);
    EXPECT_EQ(GridGestureHandler::wheelSteps(INT_MIN), -10);
    Table t(rowsOf(200));
    float row = t.grid().GetRowHeight(-1);
    Point p = t.at(t.cell(1, 0).x, t.cell(1, 0).y);
    EXPECT_TRUE(t.handler().handleMouseWheel(MouseWheel(p, {0, 240})));
    EXPECT_DOUBLE_EQ(t.grid().GetScrollY(), 2.0 * row);
    t.handler().handleMouseWheel(MouseWheel(p, {0, -120}));
    EXPECT_DOUBLE_EQ(t.grid().GetScrollY(), 1.0 * row);
    t.handler().handleMouseWheel(MouseWheel(p, {0, -2400}));
    EXPECT_DOUBLE_EQ(t.grid().GetScrollY(), 0.0);  // never above the first row
    EXPECT_FALSE(t.handler().handleMouseWheel(MouseWheel(p, {0, 0})));
    // A pan over the rows scrolls with the finger.
    t.pan(t.cell(5, 0), 0, -3 * row);
    EXPECT_NEAR(t.grid().GetScrollY(), 3.0 * row, 0.01);
    EXPECT_NEAR(t.view->getScrollY(), 3.0 * row, 0.01);
}

TEST(GridGestureHandlerTest, ResizingClampsAndIsStoredWithTheCursorShapes) {
    Table t(rowsOf(20));
    t.model->showRowNumbers.set(true);
    t.view->render();
    t.grid().SetColumnWidth(0, 60.0f);
    test::EventLog events(*t.view, {DataGridCellContentEvent::COLUMN_SIZE_CHANGED});
    Point sep = t.separator(0);
    Point start = t.at(sep.x, sep.y);
    ASSERT_TRUE(t.handler().handlePan(Pan(GestureRecognizerState::BEGAN, start, {})));
    EXPECT_TRUE(t.handler().isResizing());
    EXPECT_EQ(CursorManager::getSharedInstance()->getCursor(), CursorShape::RESIZE_COLUMN);
    t.handler().handlePan(Pan(GestureRecognizerState::CHANGED, {start.x - 100, start.y}, {-100, 0}));
    EXPECT_FLOAT_EQ(t.grid().GetColumnWidth(0), GridGestureHandler::MIN_COLUMN_WIDTH);
    t.handler().handlePan(Pan(GestureRecognizerState::ENDED, {start.x - 100, start.y}, {-100, 0}));
    EXPECT_FALSE(t.handler().isResizing());
    EXPECT_EQ(CursorManager::getSharedInstance()->getCursor(), CursorShape::DEFAULT);
    ASSERT_EQ(events.size(), 1u);
    ASSERT_NE(t.model->getColumnInfo(0), nullptr);
    EXPECT_EQ(t.model->getColumnInfo(0)->columnWidth.get(), 16);
    t.view->render();
    EXPECT_FLOAT_EQ(t.grid().GetColumnWidth(0), 16.0f);  // kept by the rebuild
    // Widening follows the drag.
    t.pan(t.separator(1), 30, 0);
    float w1 = t.grid().GetColumnWidth(1);
    EXPECT_EQ(t.model->getColumnInfo(1)->columnWidth.get(), int(std::lround(w1)));

    // A row separator on the row-number column resizes the row, never below
    // the minimum row height.
    // (Rows are as tall as their wrapped texts in the narrowed column.)
    auto bottomOfRow2 = [&] {
        return t.grid().GetColumnHeaderHeight() + t.grid().GetRowHeight(0) + t.grid().GetRowHeight(1) +
               t.grid().GetRowHeight(2);
    };
    float rowH = t.grid().GetRowHeight(2);
    float rn = t.grid().GetRowNumberColumnWidth();
    Point rowStart = t.at(rn / 2, bottomOfRow2());
    ASSERT_TRUE(t.handler().handlePan(Pan(GestureRecognizerState::BEGAN, rowStart, {})));
    EXPECT_EQ(CursorManager::getSharedInstance()->getCursor(), CursorShape::RESIZE_ROW);
    t.handler().handlePan(Pan(GestureRecognizerState::ENDED, {rowStart.x, rowStart.y - 20}, {0, -20}));
    EXPECT_FLOAT_EQ(t.grid().GetRowHeight(2), rowH + 20);
    t.pan({rn / 2, bottomOfRow2()}, 0, -500);
    EXPECT_FLOAT_EQ(t.grid().GetRowHeight(2), t.grid().GetMinRowHeight());
    t.view->render();
    EXPECT_FLOAT_EQ(t.grid().GetRowHeight(2), t.grid().GetMinRowHeight());
    // The row-number column's edge resizes it.
    t.pan({rn, t.cell(5, 0).y}, 40, 0);
    EXPECT_FLOAT_EQ(t.grid().GetRowNumberColumnWidth(), rn + 40);
}

TEST(GridGestureHandlerTest, ColumnsMoveOnlyWhenAllowedAndCarryTheFrozenBoundary) {
    Table t(rowsOf(5));
    auto order = [&] { return t.view->getOrderedColumnNames(); };
    const std::vector<std::string> original{"name", "amount", "note"};
    // Not allowed: a drag on a header scrolls instead.
    t.pan(t.header(0), 200, 0);
    EXPECT_EQ(order(), original);
    EXPECT_FALSE(t.handler().isMoving());

    t.model->allowColumnReorder.set(true);
    t.view->render();
    test::EventLog events(*t.view, {DataGridCellContentEvent::COLUMN_REORDERED});
    Point h0 = t.header(0);
    Point start = t.at(h0.x, h0.y);
    ASSERT_TRUE(t.handler().handlePan(Pan(GestureRecognizerState::BEGAN, start, {})));
    EXPECT_EQ(CursorManager::getSharedInstance()->getCursor(), CursorShape::MOVE);
    float far = t.separator(2).x + 10 - h0.x;
    t.handler().handlePan(Pan(GestureRecognizerState::ENDED, {start.x + far, start.y}, {far, 0}));
    t.view->render();
    EXPECT_EQ(order(), std::vector<std::string>({"amount", "note", "name"}));
    ASSERT_EQ(events.size(), 1u);
    // Data columns keep their values wherever they are shown.
    EXPECT_EQ(t.view->getOrderedColumnIndex(2), 0);

    // Across the frozen boundary: out of the frozen columns, then back in.
    t.model->fixedColumnCount.set(1);
    t.view->render();
    t.pan(t.header(0), t.separator(2).x + 10 - t.header(0).x, 0);
    EXPECT_EQ(order(), std::vector<std::string>({"note", "name", "amount"}));
    EXPECT_EQ(t.model->fixedColumnCount.get(), 0);
    t.model->fixedColumnCount.set(1);
    t.view->render();
    t.pan(t.header(2), -t.header(2).x + 2, 0);
    EXPECT_EQ(order(), std::vector<std::string>({"amount", "note", "name"}));
    EXPECT_EQ(t.model->fixedColumnCount.get(), 2);
    // A drop that goes nowhere changes nothing.
    t.view->render();
    t.pan(t.header(1), 3, 0);
    EXPECT_EQ(order(), std::vector<std::string>({"amount", "note", "name"}));
    EXPECT_EQ(events.size(), 3u);
}

TEST(GridGestureHandlerTest, KeysWalkTheCellsOnlyWithFocusAndStopAtTheEdges) {
    auto ds = rowsOf(30);
    Table t(ds, 400, 200);
    t.model->totalsVisible.set(true);
    t.view->render();
    test::EventLog focus(*t.view, {GridFocusEvent::ACCESSIBILITY_FOCUS_CHANGE});
    test::EventLog sort(*t.view, {GridFocusEvent::ACCESSIBILITY_SORT});
    test::EventLog menus(*t.view, {ShowContextMenuEvent::SHOW_CONTEXT_MENU});

    EXPECT_FALSE(t.key(KeyCode::DOWN));  // no keyboard focus
    EXPECT_EQ(t.grid().GetFocusedCell(), NONE);
    t.focus();
    EXPECT_FALSE(t.key(30));  // not a navigation key
    EXPECT_TRUE(t.key(KeyCode::DOWN));
    EXPECT_EQ(t.grid().GetFocusedCell(), TqDataGrid::GetPickID(0, 0, 0));
    EXPECT_TRUE(t.grid().GetShowFocusRect());
    EXPECT_TRUE(KeyManager::getSharedInstance()->wasLastActionHandled());
    t.key(KeyCode::END);
    EXPECT_EQ(t.grid().GetFocusedCell(), TqDataGrid::GetPickID(0, 2, 0));
    EXPECT_FALSE(t.key(KeyCode::RIGHT));  // the last column: nowhere to go
    EXPECT_EQ(t.grid().GetFocusedCell(), TqDataGrid::GetPickID(0, 2, 0));
    t.key(KeyCode::HOME);
    EXPECT_EQ(t.grid().GetFocusedCell(), TqDataGrid::GetPickID(0, 0, 0));
    EXPECT_FALSE(t.key(KeyCode::LEFT));
    // Up from the first row reaches the header, and no further.
    t.key(KeyCode::RIGHT);
    t.key(KeyCode::UP);
    EXPECT_EQ(t.grid().GetFocusedCell(), TqDataGrid::GetPickID(0, 1, TqDataGrid::COMPONENT_HEADER));
    EXPECT_FALSE(t.key(KeyCode::UP));
    // Enter on a header sorts by it and says so.
    size_t focusBefore = focus.size();
    t.key(KeyCode::ENTER);
    EXPECT_EQ(sort.size(), 1u);
    EXPECT_EQ(focus.size(), focusBefore);
    ASSERT_NE(t.model->sortState.get(), nullptr);
    EXPECT_EQ(t.grid().GetColumnSortIndicator(1), TqDataGrid::SORT_PRIMARY_ASCENDING);
    // Paging moves by the rows in view and scrolls them in.
    t.key(KeyCode::DOWN);
    int64_t r0, r1;
    int c0, c1;
    t.grid().GetMinMaxVisibleRowColIndices(r0, r1, c0, c1);
    t.key(KeyCode::PAGE_DOWN);
    int64_t paged = TqDataGrid::GetRowFromPickID(t.grid().GetFocusedCell());
    EXPECT_EQ(paged, r1 - r0);
    for (int i = 0; i < 10; ++i) t.key(KeyCode::PAGE_DOWN);
    EXPECT_EQ(TqDataGrid::GetRowFromPickID(t.grid().GetFocusedCell()), 29);
    EXPECT_GT(t.grid().GetScrollY(), 0.0);
    // Down from the last row reaches the total of a measure, and no further.
    EXPECT_TRUE(t.key(KeyCode::DOWN));
    EXPECT_EQ(t.grid().GetFocusedCell(), TqDataGrid::GetPickID(0, 1, TqDataGrid::COMPONENT_TOTAL));
    EXPECT_FALSE(t.key(KeyCode::DOWN));
    t.key(KeyCode::UP);
    EXPECT_EQ(TqDataGrid::GetRowFromPickID(t.grid().GetFocusedCell()), 29);
    EXPECT_GT(focus.size(), 5u);
    auto* last = dynamic_cast<GridFocusEvent*>(focus.events.back().get());
    ASSERT_NE(last, nullptr);
    EXPECT_EQ(last->getRow(), 29);
    EXPECT_EQ(last->getComponent(), TqDataGrid::COMPONENT_CELL);
    // The menu key asks for a context menu, unless the range modifier is held.
    EXPECT_TRUE(t.key(KeyCode::CONTEXT_MENU));
    ASSERT_EQ(menus.size(), 1u);
    auto* menu = dynamic_cast<ShowContextMenuEvent*>(menus.events[0].get());
    ASSERT_NE(menu, nullptr);
    ASSERT_NE(menu->getPickResult(), nullptr);
    EXPECT_FALSE(t.key(KeyCode::CONTEXT_MENU, KeyModifier::RANGE_SELECT));
    EXPECT_EQ(menus.size(), 1u);
    // Losing the focus stops the keys.
    FocusManager::setKeyboardFocus(nullptr);
    uint64_t at = t.grid().GetFocusedCell();
    EXPECT_FALSE(t.key(KeyCode::UP));
    EXPECT_EQ(t.grid().GetFocusedCell(), at);
}

TEST(GridGestureHandlerTest, RightToLeftSwapsTheHorizontalKeysAndFrozenColumnsAreWalked) {
    Table t(rowsOf(4));
    t.model->fixedColumnCount.set(1);
    t.view->setRightToLeft(true);
    t.view->render();
    ASSERT_TRUE(t.grid().IsRightToLeft());
    t.focus();
    t.key(KeyCode::DOWN);
    EXPECT_EQ(t.grid().GetFocusedCell(), TqDataGrid::GetPickID(0, 0, 0));
    // Right to left, the left arrow goes to the next column (out of the
    // frozen one), the right arrow back.
    t.key(KeyCode::LEFT);
    EXPECT_EQ(t.grid().GetFocusedCell(), TqDataGrid::GetPickID(0, 1, 0));
    t.key(KeyCode::LEFT);
    EXPECT_EQ(t.grid().GetFocusedCell(), TqDataGrid::GetPickID(0, 2, 0));
    t.key(KeyCode::RIGHT);
    EXPECT_EQ(t.grid().GetFocusedCell(), TqDataGrid::GetPickID(0, 1, 0));
    // A tap selects the row under the point, measured from the right.
    float w = t.grid().GetFrame().width;
    Point c = t.cell(2, 0);
    t.tap({w - c.x, c.y});
    EXPECT_EQ(t.selected(), std::vector<int>({2}));
}

TEST(GridGestureHandlerTest, RefusedGesturesChangeNothing) {
    Table t(rowsOf(3));
    // Outside the grid, below the rows: nothing selected, nothing handled.
    EXPECT_FALSE(t.tap({5.0f, 290.0f}));
    EXPECT_FALSE(t.tap({-50.0f, 10.0f}));
    EXPECT_TRUE(t.selected().empty());
    // A table without a data set shows the empty grid: taps select nothing.
    Table empty(nullptr);
    EXPECT_FALSE(empty.tap(empty.cell(1, 1)));
    empty.focus();
    empty.key(KeyCode::DOWN);
    // A handler whose view is gone answers false.
    auto handler = t.view->getGestureHandler();
    Table* gone = new Table(rowsOf(2));
    auto orphan = gone->view->getGestureHandler();
    delete gone;
    ASSERT_EQ(orphan->getView(), nullptr);
    EXPECT_FALSE(orphan->handleTap(Tap({10, 10})));
    EXPECT_FALSE(orphan->handleMouseWheel(MouseWheel({10, 10}, {0, 120})));
    EXPECT_EQ(orphan->getNextSelectedCellIndex(KeyCode::DOWN), NONE);
    // Non-finite points and absurd deltas are refused.
    EXPECT_FALSE(handler->handleMouseWheel(MouseWheel({10, 10}, {0, NAN})));
    EXPECT_FALSE(handler->handleMoveResize(LongPress(GestureRecognizerState::CHANGED, {NAN, 5})));
    EXPECT_EQ(t.grid().GetScrollY(), 0.0);
    EXPECT_TRUE(t.selected().empty());
}

TEST(GridGestureHandlerTest, HoverShowsResizeCursorsAndHighlightsLinks) {
    Table t(rowsOf(4));
    auto cursor = CursorManager::getSharedInstance();
    Point sep = t.separator(0);
    EXPECT_TRUE(t.handler().handlePointerHover(PointerHover(GestureRecognizerState::CHANGED, t.at(sep.x, sep.y))));
    EXPECT_EQ(cursor->getCursor(), CursorShape::RESIZE_COLUMN);
    // Off the separator the default comes back; a cell without a link is
    // nothing to hover.
    Point c = t.cell(1, 1);
    EXPECT_FALSE(t.handler().handlePointerHover(PointerHover(GestureRecognizerState::CHANGED, t.at(c.x, c.y))));
    EXPECT_EQ(cursor->getCursor(), CursorShape::DEFAULT);
    t.grid().SetCellHyperlink(1, 1, true);
    EXPECT_TRUE(t.handler().handlePointerHover(PointerHover(GestureRecognizerState::CHANGED, t.at(c.x, c.y))));
    // A tap on a link is the link's: handled, nothing selected.
    EXPECT_TRUE(t.handler().handleTap(Tap(t.at(c.x, c.y))));
    EXPECT_TRUE(t.selected().empty());
    EXPECT_FALSE(t.handler().handlePointerHover(PointerHover(GestureRecognizerState::ENDED, t.at(c.x, c.y))));
}

TEST(GridGestureHandlerTest, SelectingAndScrollingRedrawWithoutRebuildingTheGrid) {
    Table t(rowsOf(300));
    TqDataGrid* grid = t.view->getDataGridNode();
    t.tap(t.cell(2, 0));
    t.handler().handleMouseWheel(MouseWheel(t.at(t.cell(1, 0).x, t.cell(1, 0).y), {0, 360}));
    t.view->render();
    // The same grid: only the highlight and the window moved.
    EXPECT_EQ(t.view->getDataGridNode(), grid);
    EXPECT_TRUE(grid->IsRowSelected(2));
    EXPECT_GT(grid->GetScrollY(), 0.0);
    // A long press that ends selects what is under it, replacing.
    Point c = t.cell(1, 1);
    EXPECT_TRUE(t.handler().handleLongPress(LongPress(GestureRecognizerState::ENDED, t.at(c.x, c.y))));
    EXPECT_EQ(t.selected().size(), 1u);
    // A sort is a new picture of the rows: the grid is rebuilt, and the
    // selected data row is still highlighted where it now stands.
    int selected = t.selected().front();
    t.tap(t.header(1));
    t.tap(t.header(1));
    EXPECT_NE(t.view->getDataGridNode(), grid);
    EXPECT_TRUE(t.grid().IsRowSelected(299 - selected));
}
