// SPDX-License-Identifier: Apache-2.0
// List-table accessibility: descriptions with positions in the whole table,
// sort states, totals, missing values and selections; navigation at the
// edges with and without looping, across frozen columns and right to left;
// paging so that the focused cell is on screen in a 10^8-row table; the
// events sent to the host; bad input (empty tables, gone views, missing
// message texts); and the column and row handed to the sonification.
#include "orvane/accessibility/AccessibilityElement.h"
#include "orvane/accessibility/AccessibilityFocusChangeEvent.h"
#include "orvane/accessibility/AccessibilityMessages.h"
#include "orvane/accessibility/DataGridAccessibilityController.h"
#include "orvane/accessibility/FocusController.h"
#include "orvane/accessibility/SonificationElement.h"
#include "orvane/accessibility/SonificationTone.h"
#include "orvane/datagrid/DataGrid.h"
#include "orvane/datagrid/DataGridRenderer.h"
#include "orvane/displaylist/DisplayListEditor.h"
#include "orvane/displaylist/DisplayListRenderer.h"
#include "orvane/displaylist/TqDataGrid.h"
#include "orvane/displaylist/TqRef.h"
#include "orvane/host/core/AbstractEventCallback.h"
#include "orvane/host/data/Column.h"
#include "orvane/host/data/DataGridDisplayRules.h"
#include "orvane/host/data/DataSet.h"
#include "orvane/host/data/RowStates.h"
#include "orvane/host/io/ResourceManager.h"
#include "orvane/view/BaseView.h"
#include "orvane/view/PickResult.h"
#include "orvane/view/PickedNodeInfo.h"
#include "common/GridOnScreen.h"
#include "common/SampleData.h"
#include "common/TestSupport.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <limits>

using namespace orvane;
using displaylist::TqDataGrid;
using Nav = AccessibilityControllerNavigationType;

namespace {

// Region and amount; row 3 has no amount.
std::shared_ptr<DataSet> sales(size_t rows = 6) { return test::regionAmounts(rows, {false, 2}); }

struct Table : test::GridOnScreen {
    std::shared_ptr<DataGridAccessibilityController> a11y;
    std::vector<std::pair<int, std::string>> events;
    std::shared_ptr<AbstractEventCallback> listener;

    explicit Table(std::shared_ptr<DataSet> ds) : GridOnScreen(std::move(ds)) {
        a11y = std::dynamic_pointer_cast<DataGridAccessibilityController>(view->getAccessibilityController());
        listener = FunctionEventCallback::create([this](const std::shared_ptr<PortableEvent>& e) {
            auto* f = dynamic_cast<AccessibilityFocusChangeEvent*>(e.get());
            events.push_back({e->getType(), f && f->getAccessibilityElement() ? f->getAccessibilityElement()->getAccessibilityLabel() : ""});
        });
        for (int type = AccessibilityFocusChangeEvent::ACCESSIBILITY_FOCUS_CHANGE;
             type <= AccessibilityFocusChangeEvent::ACCESSIBILITY_ELEMENTS_INVALIDATED; ++type)
            view->addEventListener(type, listener);
    }
    std::string label(Nav::type type) {
        auto e = a11y->getAccessibilityElement(type);
        return e ? e->getAccessibilityLabel() : "(none)";
    }
};

// A view that draws its own grid of any size, its texts from a callback:
// the table of 10^8 rows no data set could hold.
class NumberedCells : public DataGridDisplayRules {
public:
    void CellContentCallback(int column, int row, void* grid) override {
        static_cast<TqDataGrid*>(grid)->SetStringEntryFromCallback(row, column,
                                                                   "v" + std::to_string(row) + "." + std::to_string(column));
    }
};

struct BigGrid {
    std::shared_ptr<BaseView> view = BaseView::create();
    NumberedCells cells;
    displaylist::TqRef<TqDataGrid> grid;
    std::shared_ptr<DataGridAccessibilityController> a11y;

    BigGrid(int64_t rows, int cols, float w = 1024, float h = 768, int fixed = 0, bool rtl = false)
        : grid(new TqDataGrid(0, 0, w, h, 41)) {
        view->setFrame({0, 0, w, h});
        grid->SetNumGridRowsAndColumns(rows, cols);
        grid->SetDefaultRowHeight(24);
        grid->SetCellCallback(&cells);
        grid->SetFixedColumnCount(fixed);
        grid->SetRightToLeft(rtl);
        for (int c = 0; c < cols; ++c) {
            grid->InitColumnWidth(c, 100);
            grid->SetColumnHeader(c, "C" + std::to_string(c));
        }
        grid->Layout();
        TqDataGrid* own = grid.get();
        a11y = DataGridAccessibilityController::create(view, [own] { return own; });
    }
    int64_t focusedRow() {
        auto e = a11y->getCurrentAccessibilityElement();
        return e ? TqDataGrid::GetRowFromPickID(e->getDetailIndex()) : -1;
    }
    int focusedColumn() {
        auto e = a11y->getCurrentAccessibilityElement();
        return e ? TqDataGrid::GetColumnFromPickID(e->getDetailIndex()) : -1;
    }
    bool focusedOnScreen() {
        auto e = a11y->getCurrentAccessibilityElement();
        return e && grid->IsCellOnScreen(e->getDetailIndex());
    }
};

TEST(DataGridAccessibilityTest, CellsHeadersAndTotalsAreDescribedWithTheirPlaceInTheTable) {
    Table t(sales());
    t.model->totalsVisible.set(true);
    t.rebuild();
    auto elements = t.a11y->getAccessibilityElements();
    // Header row, six data rows, totals row; two columns each, in grid order.
    ASSERT_EQ(elements.size(), 16u);
    EXPECT_EQ(t.a11y->getObjectDescription(), "List table");
    EXPECT_EQ(elements[0]->getAccessibilityLabel(), "Column 1 of 2; Column header; region");
    EXPECT_EQ(elements[0]->getRole(), "columnheader");
    EXPECT_EQ(elements[0]->getAccessibilityHint(), "Double tap to sort by this column.");
    EXPECT_EQ(elements[3]->getAccessibilityLabel(), "Row 1 of 6; Column 2 of 2; amount = 10");
    EXPECT_EQ(elements[3]->getAccessibilityHint(), "Double tap to select the row.");
    EXPECT_EQ(elements[3]->getRow(), 2);
    EXPECT_EQ(elements[3]->getColumn(), 2);
    EXPECT_EQ(elements[3]->getRowCount(), 8);
    EXPECT_EQ(elements[3]->getColumnCount(), 2);
    EXPECT_EQ(elements[3]->getValueText(), "10");
    // Totals: the measure's aggregation with its label; the category has none.
    EXPECT_EQ(elements[14]->getAccessibilityLabel(), "Column 1 of 2; No total");
    EXPECT_EQ(elements[15]->getAccessibilityLabel(), "Column 2 of 2; Column total; amount = Sum 180");
    // The pick result carries the cell alone, joined the way labels are.
    EXPECT_EQ(t.a11y->generateLabels(elements[3]->getPickResult()), "amount = 10");
    // Every element's frame is its cell's outline.
    Rect bounds;
    ASSERT_TRUE(t.view->getDataGridNode()->GetCellBounds(elements[3]->getDetailIndex(), bounds));
    EXPECT_EQ(elements[3]->getAccessibilityFrame(), bounds);
}

TEST(DataGridAccessibilityTest, MissingValuesSelectionsAndSortStatesAreSpoken) {
    Table t(sales());
    ASSERT_TRUE(t.model->sortByColumn("region", SortDirection::ASCENDING, false));
    ASSERT_TRUE(t.model->sortByColumn("amount", SortDirection::DESCENDING, true));
    t.model->dataSet.get()->ensureRowStates()->setSelectedIndices({4});  // East, 50: display row 0
    t.rebuild();
    auto elements = t.a11y->getAccessibilityElements();
    ASSERT_GE(elements.size(), 8u);
    EXPECT_EQ(elements[0]->getAccessibilityLabel(), "Column 1 of 2; Column header; region; Sorted ascending, first sort");
    EXPECT_EQ(elements[0]->getSort(), "ascending");
    EXPECT_EQ(elements[1]->getAccessibilityLabel(),
              "Column 2 of 2; Column header; amount; Sorted descending, second sort");
    EXPECT_EQ(elements[1]->getSort(), "other");
    // East rows by amount descending: the missing amount first, then 50.
    EXPECT_EQ(elements[3]->getAccessibilityLabel(), "Row 1 of 6; Column 2 of 2; amount = Missing value");
    EXPECT_FALSE(elements[3]->isSelected());
    EXPECT_EQ(elements[5]->getAccessibilityLabel(), "Row 2 of 6; Column 2 of 2; amount = 50; Row selected");
    EXPECT_TRUE(elements[5]->isSelected());
}

TEST(DataGridAccessibilityTest, NextAndPreviousStopAtTheEndsUnlessLooping) {
    Table t(sales(3));
    t.rebuild();
    const auto count = t.a11y->getAccessibilityElements().size();
    ASSERT_EQ(count, 8u);
    // Nothing focused: NEXT lands on the first element, PREVIOUS on the last.
    EXPECT_EQ(t.label(Nav::NEXT), "Column 1 of 2; Column header; region");
    EXPECT_EQ(t.a11y->getAccessibilityIndex(t.a11y->getCurrentAccessibilityElement()), 0);
    EXPECT_EQ(t.label(Nav::PREVIOUS), "Column 1 of 2; Column header; region");  // stays on the first
    EXPECT_EQ(t.label(Nav::LAST), "Row 3 of 3; Column 2 of 2; amount = Missing value");
    EXPECT_EQ(t.label(Nav::NEXT), "Row 3 of 3; Column 2 of 2; amount = Missing value");  // stays on the last
    t.a11y->setLoopOn(true);
    EXPECT_EQ(t.label(Nav::NEXT), "Column 1 of 2; Column header; region");
    EXPECT_EQ(t.label(Nav::PREVIOUS), "Row 3 of 3; Column 2 of 2; amount = Missing value");
    t.a11y->setLoopOn(false);
    EXPECT_EQ(t.label(Nav::PREVIOUS), "Row 3 of 3; Column 1 of 2; region = East");
    EXPECT_EQ(t.label(Nav::CELL_UP), "Row 2 of 3; Column 1 of 2; region = West");
    EXPECT_EQ(t.label(Nav::LOCAL_LAST), "Row 2 of 3; Column 2 of 2; amount = 20");
    EXPECT_EQ(t.label(Nav::CELL_RIGHT), "Row 2 of 3; Column 2 of 2; amount = 20");  // the edge
    t.a11y->setLoopOn(true);
    EXPECT_EQ(t.label(Nav::CELL_RIGHT), "Row 2 of 3; Column 1 of 2; region = West");
    EXPECT_EQ(t.label(Nav::LOCAL_FIRST), "Row 2 of 3; Column 1 of 2; region = West");
    EXPECT_EQ(t.a11y->getLastNavigationType(), Nav::LOCAL_FIRST);
    // A previous-with-nothing-focused starts on the last element on screen.
    Table u(sales(3));
    u.rebuild();
    EXPECT_EQ(u.label(Nav::PREVIOUS), "Row 3 of 3; Column 2 of 2; amount = Missing value");
}

TEST(DataGridAccessibilityTest, FocusChangesAndSelectionsGoToTheHostAndOthersMovesAreFollowed) {
    Table t(sales(3));
    t.rebuild();
    t.a11y->getAccessibilityElement(Nav::NEXT, false);
    EXPECT_TRUE(t.events.empty());  // asked not to dispatch
    t.a11y->getAccessibilityElement(Nav::CELL_DOWN);
    ASSERT_EQ(t.events.size(), 1u);
    EXPECT_EQ(t.events[0].first, AccessibilityFocusChangeEvent::ACCESSIBILITY_FOCUS_CHANGE);
    EXPECT_EQ(t.events[0].second, "Row 1 of 3; Column 1 of 2; region = East");
    EXPECT_TRUE(t.view->getDataGridNode()->GetShowFocusRect());
    t.a11y->dispatchAccessibilitySelectedEvent();
    ASSERT_EQ(t.events.size(), 2u);
    EXPECT_EQ(t.events[1].first, AccessibilityFocusChangeEvent::ACCESSIBILITY_ELEMENT_SELECTED);
    EXPECT_FALSE(t.a11y->forceAccessibilityAnnouncement(PickResult::create()));
    // A gesture handler's key navigation announces another cell: followed.
    auto elements = t.a11y->getAccessibilityElements();
    auto other = elements.back();
    t.view->dispatchEvent(AccessibilityFocusChangeEvent::create(AccessibilityFocusChangeEvent::ACCESSIBILITY_FOCUS_CHANGE,
                                                                t.view.get(), other));
    EXPECT_EQ(t.a11y->getCurrentAccessibilityElement()->getDetailIndex(), other->getDetailIndex());
    // A focus controller chooses; this one forwards to the controller's rules.
    t.a11y->setFocusController(FocusController::create(t.a11y));
    EXPECT_EQ(t.label(Nav::FIRST), "Column 1 of 2; Column header; region");
    EXPECT_EQ(t.a11y->getAccessibilityIndex(nullptr), AccessibilityController::NO_INDEX);
}

TEST(DataGridAccessibilityTest, EmptyTablesGoneViewsAndVanishedCellsGiveNothing) {
    {
        Table t(nullptr);  // no data: the grid draws placeholder cells only
        t.rebuild();
        EXPECT_TRUE(t.a11y->getAccessibilityElements().empty());
        for (auto type : {Nav::NEXT, Nav::PREVIOUS, Nav::FIRST, Nav::LAST, Nav::CELL_DOWN, Nav::LOCAL_LAST})
            EXPECT_EQ(t.a11y->getAccessibilityElement(type), nullptr);
        EXPECT_EQ(t.a11y->getCurrentAccessibilityElement(), nullptr);
        EXPECT_TRUE(t.events.empty());
    }
    {
        auto ds = DataSet::create("none");
        ds->addColumn(Column::createCharacter("name", {}));
        Table t(ds);  // columns without rows: the header alone
        t.rebuild();
        auto elements = t.a11y->getAccessibilityElements();
        ASSERT_EQ(elements.size(), 1u);
        EXPECT_EQ(elements[0]->getAccessibilityLabel(), "Column 1 of 1; Column header; name");
        EXPECT_EQ(t.label(Nav::CELL_DOWN), "Column 1 of 1; Column header; name");
        EXPECT_EQ(t.label(Nav::CELL_DOWN), "Column 1 of 1; Column header; name");
    }
    {
        Table t(sales(6));
        t.rebuild();
        t.a11y->getAccessibilityElement(Nav::LAST);
        // The table shrinks under the focus: nothing stays focused.
        t.model->dataSet.set(sales(2));
        t.rebuild();
        EXPECT_EQ(t.a11y->getCurrentAccessibilityElement(), nullptr);
        EXPECT_EQ(t.label(Nav::NEXT), "Column 1 of 2; Column header; region");
        // The view goes: empty lists, no elements.
        std::weak_ptr<DataGridAccessibilityController> weak = t.a11y;
        auto a11y = t.a11y;
        t.view.reset();
        t.model.reset();
        EXPECT_TRUE(a11y->getAccessibilityElements().empty());
        EXPECT_EQ(a11y->getAccessibilityElement(Nav::NEXT), nullptr);
        EXPECT_EQ(a11y->getCurrentAccessibilityElement(), nullptr);
        EXPECT_EQ(a11y->getAccessibilityElementAt(10, 10, true), nullptr);
        EXPECT_TRUE(a11y->getSeriesValues(nullptr, true).empty());
    }
}

TEST(DataGridAccessibilityTest, MissingTextsAreSpokenInEnglishAndEmptyPlaceholdersAreDropped) {
    std::string dir = test::tempDir();
    std::filesystem::create_directories(dir + "/messages");
    {
        std::ofstream out(dir + "/messages/ketra_orvane.properties");
        out << "accessibility.table.row.txt = Line {0} of {1} in {2}\n";
    }
    ResourceManager::setAssetDirectory(dir);
    ResourceManager::reset();
    EXPECT_EQ(AccessibilityMessages::text("accessibility.table.row.txt", {"3", "9"}), "Line 3 of 9 in");
    EXPECT_EQ(AccessibilityMessages::text("accessibility.table.row.txt"), "Line of in");
    EXPECT_EQ(AccessibilityMessages::text("accessibility.table.noTotal.txt"), "No total");
    EXPECT_EQ(AccessibilityMessages::text("accessibility.table.noTotal.txt"), "No total");
    ResourceManager::setAssetDirectory("");
    ResourceManager::reset();
    EXPECT_EQ(AccessibilityMessages::text("accessibility.table.row.txt", {"3", "9"}), "Row 3 of 9");
    EXPECT_EQ(AccessibilityMessages::number(51234), "51,234");
    EXPECT_EQ(AccessibilityMessages::number(100000000), "100,000,000");
}

TEST(DataGridAccessibilityTest, EveryMessageKeyHasACatalogueTextMatchingItsEnglishOne) {
    const char* keys[] = {
        "accessibility.objectType.crosstab.txt", "accessibility.objectType.dataGrid.txt",
        "accessibility.dataElement.hint.txt", "accessibility.crosstab.rowHeader.txt",
        "accessibility.crosstab.columnHeader.txt", "accessibility.crosstab.rowCategory.txt",
        "accessibility.crosstab.columnCategory.txt", "accessibility.crosstab.level.txt",
        "accessibility.crosstab.rowTotal.txt", "accessibility.crosstab.columnTotal.txt",
        "accessibility.crosstab.rowSpans.txt", "accessibility.crosstab.columnSpans.txt",
        "accessibility.crosstab.rowColumnSpans.txt", "accessibility.crosstab.expanded.txt",
        "accessibility.crosstab.collapsed.txt", "accessibility.crosstab.drillable.txt",
        "accessibility.crosstab.cellSelected.txt", "accessibility.crosstab.selectCell.hint.txt",
        "accessibility.table.row.txt", "accessibility.table.column.txt", "accessibility.table.header.txt",
        "accessibility.table.missingValue.txt", "accessibility.table.sortAscending.txt",
        "accessibility.table.sortDescending.txt", "accessibility.table.sortPrimaryAscending.txt",
        "accessibility.table.sortPrimaryDescending.txt", "accessibility.table.sortSecondaryAscending.txt",
        "accessibility.table.sortSecondaryDescending.txt", "accessibility.table.sortEnabled.hint.txt",
        "accessibility.table.columnTotal.txt", "accessibility.table.noTotal.txt",
        "accessibility.table.containsSparkline.txt", "accessibility.table.containsKPI.txt",
        "accessibility.table.selectRow.hint.txt", "accessibility.table.openTooltip.hint.txt",
        "accessibility.datagrid.rowSelected.txt"};
    ASSERT_EQ(std::size(keys), 36u);
    for (const char* key : keys) {
        auto text = ResourceManager::getString(AccessibilityMessages::BUNDLE, key);
        ASSERT_TRUE(text) << key;
        EXPECT_EQ(*text, AccessibilityMessages::englishText(key)) << key;
    }
}

TEST(DataGridAccessibilityTest, AScrolledHugeTableSpeaksAbsolutePositionsAndListsOnlyItsWindow) {
    BigGrid b(100000000, 4);
    b.grid->SetScrollPosition(0, 51233.0 * 24.0);
    auto elements = b.a11y->getAccessibilityElements();
    // The window (about 31 rows) and one row either side, never the table.
    EXPECT_LT(elements.size(), 4u * 40u);
    auto first = b.a11y->getAccessibilityElement(Nav::NEXT);
    ASSERT_TRUE(first);
    EXPECT_EQ(first->getAccessibilityLabel(), "Column 1 of 4; Column header; C0");
    auto cell = b.a11y->getAccessibilityElement(Nav::CELL_DOWN);
    ASSERT_TRUE(cell);
    EXPECT_EQ(cell->getAccessibilityLabel(), "Row 51,234 of 100,000,000; Column 1 of 4; C0 = v51233.0");
    EXPECT_EQ(cell->getRow(), 51235);
    EXPECT_EQ(cell->getRowCount(), 100000001);
    EXPECT_TRUE(b.focusedOnScreen());
    // The row above the window is listed (off screen) for navigation.
    bool above = false;
    for (const auto& e : b.a11y->getAccessibilityElements())
        if (TqDataGrid::GetRowFromPickID(e->getDetailIndex()) == 51232 &&
            TqDataGrid::ConvertPickIDtoComponentID(e->getDetailIndex()) == 0) {
            above = true;
            EXPECT_FALSE(e->isOnScreen());
            EXPECT_FALSE(b.a11y->isOnScreen(e));
        }
    EXPECT_TRUE(above);
    b.a11y->setIncludeOffscreenNodesInImageMap(false);
    for (const auto& e : b.a11y->getAccessibilityElements()) EXPECT_TRUE(e->isOnScreen()) << e->getAccessibilityLabel();
}

TEST(DataGridAccessibilityTest, TheFirstNextSkipsCellsScrolledOutOfView) {
    BigGrid b(1000, 3, 400, 300);
    b.grid->SetShowColumnHeaders(false);
    b.grid->SetScrollPosition(0, 100.0 * 24.0 + 5.0);  // row 100 partly hidden at the top
    auto list = b.a11y->getAccessibilityElements();
    ASSERT_FALSE(list.empty());
    EXPECT_FALSE(list[0]->isOnScreen());  // row 99, listed for navigation
    auto first = b.a11y->getAccessibilityElement(Nav::NEXT);
    ASSERT_TRUE(first);
    EXPECT_EQ(TqDataGrid::GetRowFromPickID(first->getDetailIndex()), 100);
    EXPECT_GT(b.a11y->getAccessibilityIndex(first), 0);
}

TEST(DataGridAccessibilityTest, NavigationPagesSoThatTheFocusedCellIsAlwaysOnScreen) {
    BigGrid b(100000000, 4, 1024, 768);
    b.a11y->getAccessibilityElement(Nav::NEXT);  // the first header
    // Down through more than a screen: each step on screen, a page turned once.
    double before = b.grid->GetScrollY();
    for (int i = 0; i < 40; ++i) {
        b.a11y->getAccessibilityElement(Nav::CELL_DOWN);
        ASSERT_TRUE(b.focusedOnScreen()) << i;
        ASSERT_EQ(b.focusedRow(), i);
    }
    EXPECT_GT(b.grid->GetScrollY(), before);
    // Reading order runs into the next row, paging the same way.
    b.a11y->getAccessibilityElement(Nav::LOCAL_LAST);
    b.a11y->getAccessibilityElement(Nav::NEXT);
    EXPECT_EQ(b.focusedRow(), 40);
    EXPECT_EQ(b.focusedColumn(), 0);
    EXPECT_TRUE(b.focusedOnScreen());
    // The last cell of the table, and back to the first.
    auto last = b.a11y->getAccessibilityElement(Nav::LAST);
    ASSERT_TRUE(last);
    EXPECT_EQ(last->getAccessibilityLabel(), "Row 100,000,000 of 100,000,000; Column 4 of 4; C3 = v99999999.3");
    EXPECT_TRUE(b.focusedOnScreen());
    EXPECT_EQ(b.a11y->getAccessibilityElement(Nav::CELL_DOWN)->getDetailIndex(), last->getDetailIndex());
    b.a11y->setLoopOn(true);
    auto wrapped = b.a11y->getAccessibilityElement(Nav::NEXT);
    EXPECT_EQ(wrapped->getAccessibilityLabel(), "Column 1 of 4; Column header; C0");
    EXPECT_EQ(b.grid->GetScrollY(), 0.0);  // back at the start of the table
    EXPECT_EQ(b.a11y->getAccessibilityElement(Nav::CELL_DOWN)->getAccessibilityLabel(),
              "Row 1 of 100,000,000; Column 1 of 4; C0 = v0.0");
    EXPECT_EQ(b.a11y->getAccessibilityElement(Nav::CELL_UP)->getRole(), "columnheader");
    EXPECT_EQ(b.a11y->getAccessibilityElement(Nav::CELL_UP)->getAccessibilityLabel(),
              "Row 100,000,000 of 100,000,000; Column 1 of 4; C0 = v99999999.0");  // looped up to the last row
    EXPECT_TRUE(b.focusedOnScreen());
    // From the header of a scrolled table, down enters at the row drawn under it.
    b.a11y->setLoopOn(false);
    b.grid->SetScrollPosition(0, 1000.0 * 24.0);
    auto header = b.a11y->getAccessibilityElements().front();
    ASSERT_EQ(header->getRole(), "columnheader");
    b.a11y->setFocus(header);
    EXPECT_EQ(b.a11y->getAccessibilityElement(Nav::CELL_DOWN)->getAccessibilityLabel(),
              "Row 1,001 of 100,000,000; Column 1 of 4; C0 = v1000.0");
    EXPECT_EQ(b.grid->GetScrollY(), 1000.0 * 24.0);
}

TEST(DataGridAccessibilityTest, CellMovesCrossFrozenColumnsAndFollowTheDrawnDirectionRightToLeft) {
    BigGrid b(50, 12, 350, 200, /*fixed*/ 1);
    b.a11y->getAccessibilityElement(Nav::NEXT);
    b.a11y->getAccessibilityElement(Nav::CELL_DOWN);
    for (int c = 1; c < 12; ++c) {
        b.a11y->getAccessibilityElement(Nav::CELL_RIGHT);
        ASSERT_EQ(b.focusedColumn(), c);
        ASSERT_TRUE(b.focusedOnScreen()) << c;
    }
    EXPECT_GT(b.grid->GetScrollX(), 0.0);
    // Left from the far right: the frozen column is reached without scrolling back.
    double scrolled = b.grid->GetScrollX();
    b.a11y->getAccessibilityElement(Nav::LOCAL_FIRST);
    EXPECT_EQ(b.focusedColumn(), 0);
    EXPECT_EQ(b.grid->GetScrollX(), scrolled);
    EXPECT_TRUE(b.focusedOnScreen());
    // Right from the frozen column brings the first scrolling column back.
    b.a11y->getAccessibilityElement(Nav::CELL_RIGHT);
    EXPECT_EQ(b.focusedColumn(), 1);
    EXPECT_TRUE(b.focusedOnScreen());
    EXPECT_EQ(b.grid->GetScrollX(), 0.0);

    BigGrid r(10, 3, 400, 300, 0, /*rtl*/ true);
    auto first = r.a11y->getAccessibilityElement(Nav::NEXT);
    ASSERT_TRUE(first);
    EXPECT_EQ(r.focusedColumn(), 0);
    auto element = [&](int col) {
        for (const auto& e : r.a11y->getAccessibilityElements())
            if (TqDataGrid::GetColumnFromPickID(e->getDetailIndex()) == col) return e;
        return std::shared_ptr<AccessibilityElement>();
    };
    // Column 0 is drawn rightmost; moving left reaches column 1.
    EXPECT_GT(element(0)->getAccessibilityFrame().x, element(1)->getAccessibilityFrame().x);
    r.a11y->getAccessibilityElement(Nav::CELL_LEFT);
    EXPECT_EQ(r.focusedColumn(), 1);
    r.a11y->getAccessibilityElement(Nav::CELL_RIGHT);
    EXPECT_EQ(r.focusedColumn(), 0);
    r.a11y->getAccessibilityElement(Nav::CELL_RIGHT);
    EXPECT_EQ(r.focusedColumn(), 0);  // the right edge
    // Hit test: the element under a point of column 2's header.
    Point p = element(2)->getLocation();
    auto hit = r.a11y->getAccessibilityElementAt(p.x, p.y, true);
    ASSERT_TRUE(hit);
    EXPECT_EQ(r.focusedColumn(), 2);
}

TEST(DataGridAccessibilityTest, AColumnOrRowIsHandedToTheSonification) {
    auto ds = DataSet::create("s");
    ds->addColumn(Column::createNumeric("a", {0.0, 36.0, std::numeric_limits<double>::quiet_NaN(), 1.5}, "8."));
    ds->addColumn(Column::createNumeric("b", {18.0, 1.0, 2.0, 3.0}, "8."));
    ds->addColumn(Column::createCharacter("c", {"x", "y", "z", "w"}));
    Table t(ds);
    t.rebuild();
    auto header = t.a11y->getAccessibilityElement(Nav::NEXT);
    ASSERT_TRUE(header);
    auto tones = t.a11y->sonify(header, true);
    ASSERT_EQ(tones.size(), 4u);
    // Range 0..36 over 36 tones: 0 -> key 2, 36 -> key 86, 1.5 -> key 5.
    EXPECT_EQ(tones[0]->getTone()->getKeyNumber(), 2);
    EXPECT_EQ(tones[1]->getTone()->getKeyNumber(), 86);
    EXPECT_EQ(*tones[2]->getTone()->getLocalPath(), *SonificationTone::createMissing()->getLocalPath());
    EXPECT_EQ(tones[3]->getTone()->getKeyNumber(), 5);
    ASSERT_TRUE(tones[1]->getAccessibilityElement());
    EXPECT_EQ(tones[1]->getAccessibilityElement()->getAccessibilityLabel(), "Row 2 of 4; Column 1 of 3; a = 36");
    EXPECT_EQ(tones[0]->getStereoPanValue(), 0.0f);
    EXPECT_EQ(t.a11y->sonify(header, true, 2).size(), 2u);
    // A row: its numeric cells pan from left to right; text is a missing tone.
    auto cell = t.a11y->getAccessibilityElement(Nav::CELL_DOWN);
    auto row = t.a11y->sonify(cell, false);
    ASSERT_EQ(row.size(), 3u);
    EXPECT_EQ(row[0]->getStereoPanValue(), -1.0f);
    EXPECT_EQ(row[2]->getStereoPanValue(), 1.0f);
    EXPECT_EQ(row[0]->getTone()->getKeyNumber(), 2);   // 0 in 0..18
    EXPECT_EQ(row[1]->getTone()->getKeyNumber(), 86);  // 18
    std::vector<double> values = t.a11y->getSeriesValues(cell, false);
    ASSERT_EQ(values.size(), 3u);
    EXPECT_TRUE(std::isnan(values[2]));
    // A header has no row of values.
    EXPECT_TRUE(t.a11y->sonify(header, false).empty());
}

} // namespace
