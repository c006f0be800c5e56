// SPDX-License-Identifier: Apache-2.0
// The grid node: its axes against naive sums, hit tests in every region,
// pick ids, exact scrolling of huge tables, and the cell callbacks asked only
// for what is drawn or measured.
#include "orvane/displaylist/TqDataGrid.h"
#include "orvane/displaylist/TqGridAxis.h"
#include "orvane/displaylist/TqGroup.h"
#include "orvane/displaylist/TqPickQuery.h"
#include "orvane/displaylist/TqRectangle.h"
#include "orvane/displaylist/TqRef.h"
#include "orvane/displaylist/TqText.h"
#include "orvane/host/data/DataGridDisplayRules.h"

#include "common/ViewSupport.h"

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <random>

using namespace displaylist;

namespace {

// Supplies "r<row>c<col>" for every cell asked and counts the asks.
class CountingCallback : public orvane::DataGridDisplayRules {
public:
    void CellContentCallback(int column, int row, void* grid) override {
        ++asked[{row, column}];
        static_cast<TqDataGrid*>(grid)->SetStringEntryFromCallback(row, column,
                                                                   std::string("r").append(std::to_string(row)).append("c").append(std::to_string(column)));
    }
    void DisplayRuleCallback(int column, int, DataGridCellInfoStruct* info) override {
        ++ruled;
        if (column == colourColumn) info->fillColor = 0x00ff00;
    }
    std::map<std::pair<int, int>, int> asked;
    int ruled = 0;
    int colourColumn = -1;
};

TqRef<TqDataGrid> makeGrid(int64_t rows, int cols, float w = 400, float h = 300) {
    TqRef<TqDataGrid> g(new TqDataGrid(0, 0, w, h, 7));
    g->SetNumGridRowsAndColumns(rows, cols);
    g->SetDefaultRowHeight(24);
    for (int c = 0; c < cols; ++c) {
        g->InitColumnWidth(c, 100);
        g->SetColumnHeader(c, std::string("H").append(std::to_string(c)));
    }
    return g;
}

TEST(GridAxisTest, OffsetsAndIndexAtMatchANaiveSumWithOverrides) {
    const int64_t n = 5000;
    TqGridAxis axis(n, 24.0);
    std::vector<double> sizes(size_t(n), 24.0);
    std::mt19937 rng(11);
    for (int i = 0; i < 400; ++i) {
        int64_t at = rng() % n;
        double size = double(rng() % 60);  // zero sizes included
        axis.SetSize(at, size);
        sizes[size_t(at)] = size;
    }
    double sum = 0.0;
    for (int64_t i = 0; i < n; ++i) {
        ASSERT_DOUBLE_EQ(axis.Offset(i), sum) << i;
        if (sizes[size_t(i)] > 0.0) {
            ASSERT_EQ(axis.IndexAt(sum), i);
            ASSERT_EQ(axis.IndexAt(sum + sizes[size_t(i)] - 0.25), i);
        }
        sum += sizes[size_t(i)];
    }
    EXPECT_DOUBLE_EQ(axis.Total(), sum);
    EXPECT_EQ(axis.IndexAt(sum), -1);
    EXPECT_EQ(axis.IndexAt(-0.5), -1);
}

TEST(GridAxisTest, HugeAxesStayExactAndSmall) {
    const int64_t n = 100'000'000;
    TqGridAxis axis(n, 24.0);
    axis.SetSize(10, 50.0);
    axis.SetSize(n - 1, 30.0);
    // Naive: n * 24 plus the two differences.
    EXPECT_DOUBLE_EQ(axis.Total(), double(n) * 24.0 + 26.0 + 6.0);
    EXPECT_DOUBLE_EQ(axis.Offset(n - 1), double(n - 1) * 24.0 + 26.0);
    EXPECT_EQ(axis.IndexAt(axis.Offset(n - 1) + 29.5), n - 1);
    EXPECT_EQ(axis.IndexAt(axis.Offset(n / 2) + 0.5), n / 2);
    EXPECT_LT(axis.GetMemoryBytes(), 4096u);
    // Separators: the end edge of the item within the tolerance.
    EXPECT_EQ(axis.SeparatorAt(axis.Offset(11) + 3.0, 4.0), 10);
    EXPECT_EQ(axis.SeparatorAt(axis.Offset(11) + 5.0, 4.0), -1);
}

TEST(DataGridNodeTest, HitTestsAtSeparatorsFrozenColumnsAndRowNumbers) {
    auto g = makeGrid(100, 6);
    g->SetShowRowNumbers(true);
    g->SetFixedColumnCount(1);
    float rn = g->GetRowNumberColumnWidth();
    ASSERT_GT(rn, 0.0f);
    float hh = g->GetColumnHeaderHeight();
    // Column 2's right edge; within and beyond the tolerance.
    float edge = rn + 300.0f;
    EXPECT_EQ(g->GetColumnHeaderIndexAtScreenPosition(edge - 3, hh / 2, true), 2);
    EXPECT_EQ(g->GetColumnHeaderIndexAtScreenPosition(edge + 3, hh / 2, true), 2);
    EXPECT_EQ(g->GetColumnHeaderIndexAtScreenPosition(edge - 10, hh / 2, true), -1);
    EXPECT_EQ(g->GetColumnHeaderIndexAtScreenPosition(edge - 10, hh / 2, false), 2);
    // Below the header the header test says no; the whole-height one answers.
    EXPECT_EQ(g->GetColumnHeaderIndexAtScreenPosition(edge, hh + 30, true), -1);
    EXPECT_EQ(g->GetColumnIndexAtScreenPosition(edge, hh + 30, true), 2);
    EXPECT_EQ(g->GetRowHeaderVerticalSeparatorIndexAtScreenPosition(rn + 2, 50), 0);
    EXPECT_EQ(g->GetRowHeaderVerticalSeparatorIndexAtScreenPosition(rn + 20, 50), -1);
    // Row separators: the bottom edge of row 3.
    float row3Bottom = hh + 4 * 24.0f;
    EXPECT_EQ(g->GetRowIndexAtScreenPosition(rn + 50, row3Bottom - 2, true), 3);
    EXPECT_EQ(g->GetRowIndexAtScreenPosition(rn + 50, row3Bottom - 12, true), -1);
    // Scrolled right by 150: the frozen column stays, column 1 is under it.
    g->SetScrollPosition(150, 0);
    EXPECT_EQ(g->GetColumnIndexAtScreenPosition(rn + 50, hh + 5, false), 0);
    EXPECT_EQ(g->GetColumnIndexAtScreenPosition(rn + 100 + 10, hh + 5, false), 2);  // 1 scrolled away by 150 - 100
    EXPECT_EQ(TqDataGrid::ConvertPickIDtoComponentID(g->GetPickIDAtScreenPosition(5, hh + 5)),
              TqDataGrid::COMPONENT_ROW_NUMBER);
    EXPECT_TRUE(g->IsPointInHeaderRegion(rn + 5, 2));
    EXPECT_FALSE(g->IsPointInHeaderRegion(rn + 5, hh + 1));
}

TEST(DataGridNodeTest, TotalsOnTopAndAtTheBottom) {
    auto g = makeGrid(1000, 3);
    g->SetColumnTotal(1, "Sum", "42");
    float hh = g->GetColumnHeaderHeight(), th = g->GetTotalsHeight();
    ASSERT_GT(th, 0.0f);
    // Bottom: held at the bottom of the frame while rows are taller than it.
    uint64_t id = g->GetPickIDAtScreenPosition(150, 300 - th / 2);
    EXPECT_EQ(TqDataGrid::ConvertPickIDtoComponentID(id), TqDataGrid::COMPONENT_TOTAL);
    EXPECT_EQ(TqDataGrid::GetColumnFromPickID(id), 1);
    EXPECT_EQ(TqDataGrid::GetRowFromPickID(g->GetPickIDAtScreenPosition(150, hh + 1)), 0);
    // Top: right under the header; the first row starts below it.
    g->SetTotalsOnTop(true);
    EXPECT_EQ(TqDataGrid::ConvertPickIDtoComponentID(g->GetPickIDAtScreenPosition(150, hh + th / 2)),
              TqDataGrid::COMPONENT_TOTAL);
    id = g->GetPickIDAtScreenPosition(150, hh + th + 1);
    EXPECT_EQ(TqDataGrid::ConvertPickIDtoComponentID(id), TqDataGrid::COMPONENT_CELL);
    EXPECT_EQ(TqDataGrid::GetRowFromPickID(id), 0);
    EXPECT_EQ(g->GetColumnTotalText(1), "Sum 42");
    // The scroll range leaves room for both bands.
    auto v = g->GetDataGridVirtualPageSize(0);
    EXPECT_DOUBLE_EQ(v.height, hh + th + 1000 * 24.0);
    g->SetScrollPosition(0, 1e12);
    EXPECT_DOUBLE_EQ(g->GetScrollY(), 1000 * 24.0 - (300 - hh - th));
}

TEST(DataGridNodeTest, TheHorizontalBarCoversNeitherTotalsNorTheLastRow) {
    // Eight columns of 100 in a 400-pixel frame overflow: the bar runs along
    // the bottom edge and the totals and rows end above it.
    auto g = makeGrid(1000, 8);
    g->SetColumnTotal(1, "Sum", "42");
    ASSERT_TRUE(g->AreScrollBarsShown());
    const float th = g->GetTotalsHeight(), hh = g->GetColumnHeaderHeight();
    const float bar = g->GetScrollBarController()->GetBarThickness();
    uint64_t id = g->GetPickIDAtScreenPosition(150, 300 - bar - th / 2);
    EXPECT_EQ(TqDataGrid::ConvertPickIDtoComponentID(id), TqDataGrid::COMPONENT_TOTAL);
    // Scrolled to the end, the last row sits right above the totals.
    g->SetScrollPosition(0, 1e12);
    EXPECT_DOUBLE_EQ(g->GetScrollY(), 1000 * 24.0 - (300 - hh - th - bar));
    id = g->GetPickIDAtScreenPosition(150, 300 - bar - th - 2);
    EXPECT_EQ(TqDataGrid::ConvertPickIDtoComponentID(id), TqDataGrid::COMPONENT_CELL);
    EXPECT_EQ(TqDataGrid::GetRowFromPickID(id), 999);
    // The page the table asks for holds the bar's band too.
    EXPECT_DOUBLE_EQ(g->GetDataGridVirtualPageSize(0).height, hh + th + 1000 * 24.0 + bar);
    // Columns that fit leave no room for a bar.
    auto narrow = makeGrid(1000, 3);
    narrow->SetColumnTotal(1, "Sum", "42");
    narrow->SetScrollPosition(0, 1e12);
    EXPECT_DOUBLE_EQ(narrow->GetScrollY(), 1000 * 24.0 - (300 - hh - th));
}

TEST(DataGridNodeTest, RightToLeftMirrorsColumns) {
    auto g = makeGrid(10, 3);
    g->SetRightToLeft(true);
    float hh = g->GetColumnHeaderHeight();
    // Column 0 sits at the right edge of the frame.
    EXPECT_EQ(g->GetColumnIndexAtScreenPosition(395, hh + 5, false), 0);
    EXPECT_EQ(g->GetColumnIndexAtScreenPosition(250, hh + 5, false), 1);
    EXPECT_EQ(g->GetColumnIndexAtScreenPosition(400 - 100, hh + 5, true), 0);
    EXPECT_EQ(g->GetColumnIndexAtScreenPosition(50, hh + 5, false), -1);  // past the last column
}

TEST(DataGridNodeTest, PickIdsRoundTripForEveryComponentAtHugeRows) {
    for (int comp : {0, 1, 2, 3}) {
        for (int64_t row : {int64_t(0), int64_t(100'000'000), TqDataGrid::MAX_ROWS - 1}) {
            for (int col : {0, 17, TqDataGrid::MAX_COLUMNS - 1}) {
                uint64_t id = TqDataGrid::GetPickID(row, col, comp);
                ASSERT_NE(id, TqDataGrid::NO_PICK_ID);
                EXPECT_EQ(TqDataGrid::ConvertPickIDtoComponentID(id), comp);
                EXPECT_EQ(TqDataGrid::GetRowFromPickID(id), row);
                EXPECT_EQ(TqDataGrid::GetColumnFromPickID(id), col);
            }
        }
    }
    EXPECT_EQ(TqDataGrid::GetPickID(TqDataGrid::MAX_ROWS, 0, 0), TqDataGrid::NO_PICK_ID);
    EXPECT_EQ(TqDataGrid::GetPickID(0, -1, 0), TqDataGrid::NO_PICK_ID);
    EXPECT_EQ(TqDataGrid::GetRowFromPickID(TqDataGrid::NO_PICK_ID), -1);
}

TEST(DataGridNodeTest, LastOfAHundredMillionRowsScrollsExactlyIntoPlace) {
    const int64_t n = 100'000'000;
    auto g = makeGrid(n, 3);
    CountingCallback cb;
    g->SetCellCallback(&cb);
    g->SetScrollPosition(0, g->GetRowTranslationOffset(n));  // past the end: clamped
    int64_t r0, r1;
    int c0, c1;
    g->GetMinMaxVisibleRowColIndices(r0, r1, c0, c1);
    EXPECT_EQ(r1, n - 1);
    // The last row ends exactly at the bottom of the frame.
    float bottomRowY = 300.0f - 12.0f;
    uint64_t id = g->GetPickIDAtScreenPosition(50, bottomRowY);
    EXPECT_EQ(TqDataGrid::GetRowFromPickID(id), n - 1);
    EXPECT_EQ(TqDataGrid::GetRowFromPickID(g->GetPickIDAtScreenPosition(50, 300.0f - 24.5f)), n - 2);
    // A pick through the node (y up from the frame's bottom) agrees.
    std::vector<TqSelectionInfoStruct> picks;
    g->Pick(TqPickQuery::rect({50, 5, 1, 1}), picks, true);
    ASSERT_EQ(picks.size(), 1u);
    EXPECT_EQ(picks[0].nodeId, 7u);
    EXPECT_EQ(TqDataGrid::GetRowFromPickID(picks[0].detailIndex), n - 1);
    // The drawn texts are the last rows' and sit inside the frame with small
    // coordinates.
    bool sawLast = false;
    orvane::test::forEachNode(g->GetVisibleContent(), [&](const TqGeometry* node) {
        auto* t = dynamic_cast<const TqText*>(node);
        if (!t) return;
        EXPECT_LT(std::abs(t->GetPosition().y), 1000.0f);
        if (t->GetText() == std::string("r").append(std::to_string(n - 1)).append("c0")) {
            sawLast = true;
            EXPECT_NEAR(t->GetPosition().y, 24.0f - 5.0f, 0.01f);  // top of the cell minus the padding
        }
    });
    EXPECT_TRUE(sawLast);
    EXPECT_LT(g->GetMemoryBytes(), 64u * 1024u);
}

TEST(DataGridNodeTest, CallbacksAskOnlyForDrawnAndMeasuredCells) {
    auto g = makeGrid(1'000'000, 10, 350, 200);
    CountingCallback cb;
    g->SetCellCallback(&cb);
    // Measuring column 4 over rows 0..100 asks exactly those cells.
    g->MeasureColumnWidth(TqDataGrid::COMPONENT_CELL, 4, 0, 100);
    EXPECT_EQ(g->GetCallbackCount(), 101);
    g->ResetCallbackCount();
    cb.asked.clear();
    g->GetVisibleContent();
    int64_t r0, r1;
    int c0, c1;
    g->GetMinMaxVisibleRowColIndices(r0, r1, c0, c1);
    int64_t drawn = (r1 - r0 + 1) * (c1 - c0 + 1);
    EXPECT_EQ(g->GetCallbackCount(), drawn);
    EXPECT_EQ(cb.ruled, drawn);
    for (const auto& [cell, count] : cb.asked) {
        EXPECT_EQ(count, 1);
        EXPECT_LE(cell.first, r1);
        EXPECT_LE(cell.second, c1);
    }
    // Drawing again asks nothing new; eager texts are never asked.
    g->SetCellStringEntry(0, 0, "eager");
    g->ResetCallbackCount();
    g->GetVisibleContent();
    EXPECT_EQ(g->GetCallbackCount(), 0);
    EXPECT_EQ(g->GetCellText(0, 0), "eager");
}

TEST(DataGridNodeTest, DisplayRuleColoursReachTheCellAndSelectionHighlights) {
    auto g = makeGrid(5, 3);
    CountingCallback cb;
    cb.colourColumn = 1;
    g->SetCellCallback(&cb);
    g->SetRowSelected(2, true);
    // Count the fills in the drawing nodes.
    std::map<uint32_t, int> counts;
    orvane::test::forEachNode(g->GetVisibleContent(), [&](const TqGeometry* n) {
        if (auto* r = dynamic_cast<const TqRectangle*>(n)) ++counts[r->GetFillColor()];
    });
    EXPECT_EQ(counts[0x00ff00], 5);                   // column 1 on every row
    EXPECT_EQ(counts[g->GetSelectionColor()], 2);     // row 2, columns 0 and 2
}

TEST(DataGridNodeTest, SelectedRowsAreBitsKeptToTheRows) {
    auto g = makeGrid(70, 2);
    // Rows 0, 3 and 65 and bits past the last row (70 and up), which are dropped.
    std::vector<uint64_t> words{0b1001, (uint64_t(1) << 1) | (uint64_t(1) << 6) | (uint64_t(1) << 40), ~uint64_t(0)};
    g->SetSelectedRows(words);
    EXPECT_EQ(g->GetSelectedRowCount(), 3u);
    EXPECT_TRUE(g->IsRowSelected(0));
    EXPECT_TRUE(g->IsRowSelected(3));
    EXPECT_TRUE(g->IsRowSelected(65));
    EXPECT_FALSE(g->IsRowSelected(64));
    EXPECT_FALSE(g->IsRowSelected(70));
    EXPECT_FALSE(g->IsRowSelected(-1));
    // Single rows on top: a row set twice counts once, unset rows leave the count.
    g->SetRowSelected(3, true);
    g->SetRowSelected(4, true);
    g->SetRowSelected(0, false);
    g->SetRowSelected(1000, true);  // no such row
    EXPECT_EQ(g->GetSelectedRowCount(), 3u);
    g->ClearSelectedRows();
    EXPECT_EQ(g->GetSelectedRowCount(), 0u);
    EXPECT_FALSE(g->IsRowSelected(65));
}

TEST(DataGridNodeTest, PicturesTakeTheirHalfOfTheCellAndAreAskedForOnce) {
    auto g = makeGrid(2, 2);
    CountingCallback cb;
    g->SetCellCallback(&cb);
    g->SetColumnType(1, TqDataGrid::COLUMN_PICTURE_AND_TEXT);
    // Asked for (through the record) until the cell has a picture.
    struct Asks : CountingCallback {
        int pictures = 0;
        void DisplayRuleCallback(int, int, DataGridCellInfoStruct* info) override { pictures += info->needsImageTexture; }
    } asks;
    g->SetCellCallback(&asks);
    g->GetVisibleContent();
    EXPECT_EQ(asks.pictures, 2);
    TqRef<TqRectangle> pic(new TqRectangle(0, 0, 10, 10));
    g->SetCellPicture(0, 1, pic.get());
    g->SetCellPicture(1, 1, pic.get());
    g->SetScrollPosition(0, 0);
    g->ClearCallbackTexts();
    g->GetVisibleContent();
    EXPECT_EQ(asks.pictures, 2);
    auto holderX = [&] {
        float x = -1;
        orvane::test::forEachNode(g->GetVisibleContent(), [&](const TqGeometry* n) {
            if (const TqGroup* grp = n->AsGroup())
                for (const TqGeometry* c : grp->GetChildren())
                    if (c == pic.get()) x = grp->GetTranslation().x;
        });
        return x;
    };
    EXPECT_FLOAT_EQ(holderX(), 100.0f);  // column 1 starts at 100: the left half
    g->SetColumnPictureOnRight(1, true);
    EXPECT_FLOAT_EQ(holderX(), 150.0f);  // the right half
}

TEST(DataGridNodeTest, ColumnDragDropsAtTheNearestBoundary) {
    auto g = makeGrid(5, 4);
    EXPECT_EQ(g->DropColumn(1), -1);  // no drag
    g->DragColumn(0, 0);
    g->DragColumn(0, 160);  // centre moves from 50 to 210: past column 2's middle (250)? no, past 1's (150)
    EXPECT_EQ(g->DropColumn(0), 1);
    g->DragColumn(3, 0);
    g->DragColumn(3, -320);
    EXPECT_EQ(g->DropColumn(3), 0);
    g->DragColumn(2, 10);
    EXPECT_EQ(g->DropColumn(2), -1);  // stays
    EXPECT_EQ(g->GetDraggedColumn(), -1);
}

TEST(DataGridNodeTest, ScrollOffsetForCellBringsItIntoView) {
    auto g = makeGrid(1000, 10);
    // Ten columns overflow the frame: the horizontal bar takes its band.
    float body = 300.0f - g->GetColumnHeaderHeight() - g->GetScrollBarController()->GetBarThickness();
    auto s = g->GetScrollOffsetForCell(TqDataGrid::GetPickID(500, 6, 0));
    EXPECT_DOUBLE_EQ(s.y, 501 * 24.0 - body);
    EXPECT_DOUBLE_EQ(s.x, 700.0 - 400.0);
    g->SetScrollPosition(s.x, s.y);
    s = g->GetScrollOffsetForCell(TqDataGrid::GetPickID(10, 0, 0));
    EXPECT_DOUBLE_EQ(s.y, 240.0);
    EXPECT_DOUBLE_EQ(s.x, 0.0);
}

TEST(DataGridNodeTest, BadSizesAndEmptyFramesAreHarmless) {
    auto g = makeGrid(3, 2, 0, 0);
    EXPECT_EQ(g->GetVisibleContent()->GetChildCount(), 0u);
    g->SetFrame(0, 0, 200, 100);
    g->SetColumnWidth(0, -5);
    g->SetColumnWidth(1, NAN);
    EXPECT_EQ(g->GetColumnWidth(0), 0.0f);
    EXPECT_EQ(g->GetColumnWidth(1), 0.0f);
    g->SetRowHeight(1, -3);
    EXPECT_EQ(g->GetRowHeight(1), 24.0f);
    g->SetCellStringEntry(0, 0, std::string(100000, 'x'));
    EXPECT_LE(g->GetCellText(0, 0).size(), 4096u);
    g->SetNumGridRowsAndColumns(-1, 5);
    EXPECT_EQ(g->GetNumRows(), 0);
    int64_t r0, r1;
    int c0, c1;
    g->GetMinMaxVisibleRowColIndices(r0, r1, c0, c1);
    EXPECT_EQ(r0, -1);
    EXPECT_NE(g->GetVisibleContent(), nullptr);
}

} // namespace
