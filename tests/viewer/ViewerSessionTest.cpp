// SPDX-License-Identifier: Apache-2.0
// One tab's session of the viewer: the ARIA grid it reads from the tables'
// and crosstabs' accessibility elements, focus events that move the
// library's focus, keys routed to the table or crosstab a tap focused (with
// its focus drawn), keys nothing takes still scrolling, and a page growing
// with an expanded crosstab.
#include "ViewerEventBatch.h"
#include "ViewerSession.h"

#include "orvane/crosstab/CrosstabGestureHandler.h"
#include "orvane/crosstab/CrosstabRenderer.h"
#include "orvane/host/input/Focusable.h"
#include "orvane/host/input/KeyCode.h"
#include "orvane/report/Report.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>

namespace orvane::tool {
namespace {

const std::string SOURCE = ORVANE_SOURCE_DIR;
using Cell = ViewerSession::AriaCell;
// A table much longer than it is tall: it scrolls and pages.
const std::string LARGE = "examples/table/scrolling-table.xml";

std::unique_ptr<ViewerSession> openReport(const std::string& relative, float width = 1024) {
    std::string error;
    auto s = ViewerSession::open(SOURCE + "/" + relative, width, error);
    EXPECT_TRUE(s) << error;
    return s;
}

// Feeds the events of one JSON body; the number of gestures taken.
int feed(ViewerSession& s, const std::string& events, double now = 1.0) {
    std::string error;
    auto batch = ViewerEventBatch::parse("{\"events\": [" + events + "]}", error);
    EXPECT_TRUE(batch) << error;
    return batch ? s.apply(batch->events(), now) : 0;
}

// Copies: the session's grid is rebuilt by the next event.
std::optional<Cell> focused(const ViewerSession& s) {
    for (const auto& c : s.accessibilityCells())
        if (c.focused) return c;
    return std::nullopt;
}

std::optional<Cell> find(const ViewerSession& s, int grid, const std::string& role) {
    for (const auto& c : s.accessibilityCells())
        if (c.table == grid && c.role == role) return c;
    return std::nullopt;
}

long long firstDataRow(const ViewerSession& s, int grid) {
    long long row = -1;
    for (const auto& c : s.accessibilityCells())
        if (c.table == grid && c.role == "gridcell" && (row < 0 || c.row < row)) row = c.row;
    return row;
}

std::string tapAt(float x, float y, double t) {
    const std::string at = "\"x\": " + std::to_string(x) + ", \"y\": " + std::to_string(y);
    return "{\"type\": \"down\", " + at + ", \"t\": " + std::to_string(t) + "}, {\"type\": \"up\", " + at +
           ", \"t\": " + std::to_string(t + 40) + "}";
}

// "x" and "y" members for a point just inside the first data cell shown.
std::string overFirstCell(const ViewerSession& s) {
    const auto cell = find(s, 0, "gridcell");
    if (!cell) return {};
    return "\"x\": " + std::to_string(cell->bounds.x + 5) + ", \"y\": " + std::to_string(cell->bounds.y + 5);
}

std::string key(const std::string& name) { return "{\"type\": \"key\", \"key\": \"" + name + "\"}"; }

class ViewerSessionTest : public ::testing::Test {
protected:
    // The keyboard focus belongs to the process: no test inherits another's.
    void SetUp() override { FocusManager::setKeyboardFocus(nullptr); }
    void TearDown() override { FocusManager::setKeyboardFocus(nullptr); }
};

TEST_F(ViewerSessionTest, AriaGridComesFromTheTablesAccessibilityElements) {
    auto s = openReport(LARGE);
    ASSERT_TRUE(s);
    const auto& cells = s->accessibilityCells();
    ASSERT_FALSE(cells.empty()) << "the bundled report's table gives the page a grid";
    ASSERT_TRUE(find(*s, 0, "columnheader"));
    ASSERT_TRUE(find(*s, 0, "gridcell"));
    for (const auto& c : cells) {
        EXPECT_GE(c.row, 1);
        EXPECT_GE(c.column, 1);
        EXPECT_LE(c.row, c.rowCount) << c.label;
        EXPECT_LE(c.column, c.columnCount) << c.label;
        EXPECT_FALSE(c.label.empty());
        // Bounds are page pixels from the top left, on the page.
        EXPECT_GE(c.bounds.x, 0.0f);
        EXPECT_GE(c.bounds.y, 0.0f);
        EXPECT_GT(c.bounds.width, 0.0f);
        EXPECT_LE(c.bounds.x + c.bounds.width, s->width() + 0.5f);
        EXPECT_LE(c.bounds.y + c.bounds.height, s->height() + 0.5f);
    }
    // Headers lie above the data cells of their column.
    const auto header = find(*s, 0, "columnheader");
    for (const auto& c : cells)
        if (c.table == 0 && c.role == "gridcell" && c.column == header->column) {
            EXPECT_GT(c.bounds.y, header->bounds.y);
        }
    // The grid reaches the page as JSON.
    EXPECT_NE(s->replyJson(-1, 0).find("\"role\":\"columnheader\""), std::string::npos);
}

TEST_F(ViewerSessionTest, FocusEventsMoveTheLibraryFocusThroughTheTable) {
    auto s = openReport(LARGE);
    ASSERT_TRUE(s);
    const auto cell = find(*s, 0, "gridcell");
    ASSERT_TRUE(cell);
    const long long row = cell->row, column = cell->column;
    EXPECT_EQ(feed(*s, "{\"type\": \"focus\", \"grid\": 0, \"row\": " + std::to_string(row) +
                           ", \"column\": " + std::to_string(column) + "}"),
              1);
    auto now = focused(*s);
    ASSERT_TRUE(now) << "the page's focus is the controller's";
    EXPECT_EQ(now->row, row);
    EXPECT_EQ(now->column, column);
    EXPECT_FALSE(now->label.empty());

    const long long frame = s->frameNumber();
    EXPECT_EQ(feed(*s, "{\"type\": \"focus\", \"grid\": 0, \"move\": \"down\"}"), 1);
    // The moved focus is news for a page at the old frame, none for one
    // that has the new frame.
    EXPECT_GT(s->frameNumber(), frame);
    EXPECT_NE(s->replyJson(frame, 0).find("\"aria"), std::string::npos);
    EXPECT_EQ(s->replyJson(s->frameNumber(), 0).find("\"aria"), std::string::npos);
    now = focused(*s);
    ASSERT_TRUE(now);
    EXPECT_EQ(now->row, row + 1);
    EXPECT_EQ(now->column, column);
    EXPECT_EQ(feed(*s, "{\"type\": \"focus\", \"grid\": 0, \"move\": \"right\"}"), 1);
    now = focused(*s);
    ASSERT_TRUE(now);
    EXPECT_EQ(now->row, row + 1);
    EXPECT_EQ(now->column, column + 1);

    // A cell that is not in the grid, or a grid that is not on the page,
    // changes nothing.
    EXPECT_EQ(feed(*s, "{\"type\": \"focus\", \"grid\": 0, \"row\": 100000, \"column\": 1}"), 0);
    EXPECT_EQ(feed(*s, "{\"type\": \"focus\", \"grid\": 7, \"move\": \"down\"}"), 0);
    now = focused(*s);
    ASSERT_TRUE(now);
    EXPECT_EQ(now->row, row + 1);
}

TEST_F(ViewerSessionTest, AFocusWalkPastTheWindowPagesTheTable) {
    auto s = openReport(LARGE);
    ASSERT_TRUE(s);
    const long long top = firstDataRow(*s, 0);
    ASSERT_GT(top, 0);
    const auto cell = find(*s, 0, "gridcell");
    ASSERT_TRUE(cell);
    const long long rows = cell->rowCount;
    feed(*s, "{\"type\": \"focus\", \"grid\": 0, \"row\": " + std::to_string(cell->row) + ", \"column\": " +
                 std::to_string(cell->column) + "}");
    // Walking down the whole table keeps the focused cell in the grid.
    for (int i = 0; i < 200; ++i) {
        feed(*s, "{\"type\": \"focus\", \"grid\": 0, \"move\": \"down\"}");
        ASSERT_TRUE(focused(*s)) << "step " << i;
    }
    EXPECT_EQ(focused(*s)->row, rows > 200 ? cell->row + 200 : rows) << "the last row is reached, not passed";
    if (rows > 20) {
        EXPECT_GT(firstDataRow(*s, 0), top) << "the window followed the focus";
    }
}

TEST_F(ViewerSessionTest, ATapGivesTheTableTheKeys) {
    auto s = openReport(LARGE);
    ASSERT_TRUE(s);
    // Before any tap no table has the keyboard: Enter goes nowhere.
    EXPECT_EQ(feed(*s, key("Enter")), 0);
    const auto cell = find(*s, 0, "gridcell");
    ASSERT_TRUE(cell);
    feed(*s, tapAt(cell->bounds.x + cell->bounds.width / 2, cell->bounds.y + cell->bounds.height / 2, 100), 1.0);
    EXPECT_TRUE(FocusManager::getKeyboardFocus()) << "the tapped table has the keyboard focus";
    const long long before = s->frameNumber();
    // The grid renderer's focus rectangle: an outline 2 pixels wide.
    const auto focusRect = [&] {
        const std::string& svg = s->svg();
        const size_t at = svg.find("fill=\"none\" stroke=\"#202020\" stroke-width=\"2\"");
        return at == std::string::npos ? std::string() : svg.substr(svg.rfind('<', at), svg.find('>', at) - svg.rfind('<', at));
    };
    EXPECT_EQ(focusRect(), "") << "a tap shows no keyboard focus";
    EXPECT_EQ(feed(*s, key("ArrowDown"), 2.0), 1) << "the table takes the arrow";
    const std::string shown = focusRect();
    EXPECT_NE(shown, "") << "the frame shows the focus the key moved";
    EXPECT_EQ(feed(*s, key("ArrowRight"), 2.1), 1);
    EXPECT_GT(s->frameNumber(), before) << "the walk shows";
    EXPECT_NE(focusRect(), "");
    EXPECT_NE(focusRect(), shown) << "the rectangle moved with the focus";

    // Another tab's keys do not reach this tab's table, and this tab gets
    // its focus back with its next key.
    auto other = openReport(LARGE);
    ASSERT_TRUE(other);
    EXPECT_EQ(feed(*other, key("Enter")), 0);
    EXPECT_EQ(feed(*s, key("ArrowDown"), 3.0), 1);
}

TEST_F(ViewerSessionTest, TheWheelAndKeysNothingTakesScrollTheTableUnderThePointer) {
    // The pointer rests over the table; no table has the keyboard focus, so
    // PageDown becomes a wheel step there. Either way the grid's rows follow.
    for (const bool wheel : {true, false}) {
        SCOPED_TRACE(wheel ? "wheel" : "PageDown");
        auto s = openReport(LARGE);
        ASSERT_TRUE(s);
        const std::string at = overFirstCell(*s);
        ASSERT_FALSE(at.empty());
        const long long top = firstDataRow(*s, 0);
        feed(*s, "{\"type\": \"move\", " + at + ", \"t\": 10}");
        EXPECT_EQ(feed(*s, wheel ? "{\"type\": \"wheel\", " + at + ", \"dy\": 120, \"t\": 20}" : key("PageDown")), 1);
        EXPECT_GT(firstDataRow(*s, 0), top) << "the first row's index follows the scroll";
        for (const auto& c : s->accessibilityCells())
            EXPECT_GE(c.bounds.y, 0.0f) << "cells scrolled out are not in the grid";
    }
}

TEST_F(ViewerSessionTest, CrosstabCellsJoinTheGridAfterTheTables) {
    auto s = openReport("examples/crosstab/crosstab-report.xml");
    ASSERT_TRUE(s);
    bool rowHeader = false, expandable = false;
    for (const auto& c : s->accessibilityCells()) {
        rowHeader = rowHeader || c.role == "rowheader";
        expandable = expandable || c.expanded >= 0;
    }
    EXPECT_TRUE(rowHeader) << "a crosstab's members are row headers";
    EXPECT_TRUE(expandable) << "a crosstab's members say whether they are expanded";
    // The page names each grid for what it is, with the grid part of a reply.
    const std::string whole = s->replyJson(-1, 0);
    EXPECT_NE(whole.find("\"gridNames\":[\"Crosstab 1\""), std::string::npos) << whole.substr(0, 200);
    EXPECT_EQ(s->replyJson(s->frameNumber(), 0).find("gridNames"), std::string::npos);
}

uint64_t crosstabFocus(const std::shared_ptr<CrosstabRenderer>& crosstab) {
    if (auto handlers = crosstab->getGestureHandlers())
        for (const auto& h : *handlers)
            if (auto c = std::dynamic_pointer_cast<CrosstabGestureHandler>(h)) return c->getFocus();
    return CrosstabGestureHandler::NO_FOCUS;
}

// A tap at the expand or collapse button of a grid's first member that has
// one (at the start of its header); false when the grid has none.
bool tapExpandButton(ViewerSession& s, int grid, double t) {
    for (const auto& c : s.accessibilityCells())
        if (c.table == grid && c.role == "rowheader" && c.expanded >= 0) {
            // An expanded member spans its children's rows: the button is in the first.
            feed(s, tapAt(c.bounds.x + 13, c.bounds.y + std::min(c.bounds.height / 2, 12.0f), t), t / 1000.0);
            return true;
        }
    return false;
}

TEST_F(ViewerSessionTest, EachCrosstabTakesTheKeysOnceTappedAndExpandingOneGrowsThePage) {
    auto s = openReport("examples/crosstab/two-crosstabs.xml");
    ASSERT_TRUE(s);
    const auto crosstabs = s->report()->getCrosstabs();
    ASSERT_EQ(crosstabs.size(), 2u);
    // Grids are numbered in reading order: the upper crosstab is grid 0.
    for (int grid : {1, 0}) {
        SCOPED_TRACE(grid);
        const auto& mine = crosstabs[size_t(grid)];
        const auto& other = crosstabs[size_t(1 - grid)];
        const auto cell = find(*s, grid, "gridcell");
        ASSERT_TRUE(cell);
        feed(*s, tapAt(cell->bounds.x + cell->bounds.width / 2, cell->bounds.y + cell->bounds.height / 2, 1000.0 * (2 - grid)),
             2.0 - grid);
        EXPECT_EQ(FocusManager::getKeyboardFocus(), mine->asFocusable()) << "the tapped crosstab has the keys";
        const uint64_t here = crosstabFocus(mine), there = crosstabFocus(other);
        const long long frame = s->frameNumber();
        EXPECT_EQ(feed(*s, key("ArrowDown"), 2.5 - grid), 1);
        EXPECT_NE(crosstabFocus(mine), here) << "the key moved the tapped crosstab's focus";
        EXPECT_GT(s->frameNumber(), frame) << "and the frame shows it";
        EXPECT_EQ(crosstabFocus(other), there) << "and left the other crosstab's alone";
    }

    // The upper crosstab has no height: expanding a member makes the page
    // taller by as much, and collapsing it gives the height back.
    const float page = s->height(), upper = crosstabs[0]->getFrame().height;
    const float lower = crosstabs[1]->getFrame().height;
    ASSERT_TRUE(tapExpandButton(*s, 0, 5000));
    EXPECT_GT(crosstabs[0]->getFrame().height, upper);
    EXPECT_NEAR(s->height() - page, crosstabs[0]->getFrame().height - upper, 1.0f);
    EXPECT_EQ(crosstabs[1]->getFrame().height, lower);
    for (const auto& c : s->accessibilityCells())
        EXPECT_LE(c.bounds.y + c.bounds.height, s->height() + 0.5f) << "the grid follows the new layout: " << c.label;
    ASSERT_TRUE(tapExpandButton(*s, 0, 7000));
    EXPECT_EQ(crosstabs[0]->getFrame().height, upper);
    EXPECT_EQ(s->height(), page);
    // The lower one has height="200": it grows up to that and then scrolls.
    ASSERT_TRUE(tapExpandButton(*s, 1, 9000));
    EXPECT_GT(crosstabs[1]->getFrame().height, lower);
    EXPECT_LE(crosstabs[1]->getFrame().height, 200.0f);
}

TEST(ViewerEventBatchFocus, FocusEventsAreCheckedWhole) {
    std::string error;
    auto ok = ViewerEventBatch::parse(
        R"({"events": [{"type": "focus", "grid": 1, "row": 3, "column": 2, "move": "down"}]})", error);
    ASSERT_TRUE(ok) << error;
    const auto& e = ok->events().front();
    EXPECT_TRUE(e.focus);
    EXPECT_EQ(e.grid, 1);
    EXPECT_EQ(e.row, 3);
    EXPECT_EQ(e.column, 2);
    EXPECT_EQ(e.move, "down");
    for (const char* bad : {R"({"type": "focus"})", R"({"type": "focus", "grid": -1})",
                            R"({"type": "focus", "grid": 0.5})", R"({"type": "focus", "grid": 0, "row": 2})",
                            R"({"type": "focus", "grid": 0, "row": 0, "column": 3})",
                            R"({"type": "focus", "grid": 0, "move": "sideways"})",
                            R"({"type": "focus", "grid": 0, "move": 4})",
                            R"({"type": "focus", "grid": 0, "row": 1e300, "column": 1})"}) {
        error.clear();
        EXPECT_FALSE(ViewerEventBatch::parse(std::string("{\"events\": [") + bad + "]}", error)) << bad;
        EXPECT_FALSE(error.empty()) << bad;
    }
    // Focus events are never merged away: each is a step of the walk.
    std::vector<ViewerEventBatch::Event> queue;
    auto two = ViewerEventBatch::parse(
        R"({"events": [{"type": "focus", "grid": 0, "move": "down"}, {"type": "focus", "grid": 0, "move": "down"}]})",
        error);
    ASSERT_TRUE(two);
    ASSERT_TRUE(ViewerEventBatch::merge(queue, two->events()));
    EXPECT_EQ(queue.size(), 2u);
}

TEST(ViewerSessionKeys, BrowserKeyNamesMapToHostKeyCodes) {
    EXPECT_EQ(ViewerSession::keyCode("ArrowDown"), KeyCode::DOWN);
    EXPECT_EQ(ViewerSession::keyCode("ArrowLeft"), KeyCode::LEFT);
    EXPECT_EQ(ViewerSession::keyCode("PageUp"), KeyCode::PAGE_UP);
    EXPECT_EQ(ViewerSession::keyCode("Home"), KeyCode::HOME);
    EXPECT_EQ(ViewerSession::keyCode("Enter"), KeyCode::ENTER);
    EXPECT_EQ(ViewerSession::keyCode(" "), KeyCode::TAB);
    EXPECT_EQ(ViewerSession::keyCode("q"), 0);
    EXPECT_EQ(ViewerSession::keyCode("arrowdown"), 0) << "browser names are case-sensitive";
}

} // namespace
} // namespace orvane::tool
