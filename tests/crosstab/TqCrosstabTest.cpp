// SPDX-License-Identifier: Apache-2.0
// TqCrosstab: header trees with spans, leaves above the deepest level,
// buttons and their hits, pick ids of every component, the data area behind
// the headers, scrolling headers, cell selection and drawing.
#include "orvane/displaylist/TqCrosstab.h"
#include "orvane/displaylist/TqGroup.h"
#include "orvane/displaylist/TqPickQuery.h"
#include "orvane/displaylist/TqSvgWriter.h"

#include <gtest/gtest.h>


using namespace displaylist;
using G = TqCrosstab;

namespace {

// Rows: East (Boston, NYC, subtotal), West (collapsed leaf), Total.
// Columns: 2023 (2 measures), 2024 (2 measures), Total (1 measure).
TqRef<G> makeGrid(float width = 600.0f, float height = 400.0f) {
    TqRef<G> g(new G(0.0f, 0.0f, width, height, 7001));
    g->SetNumCrosstabRowHeaderColumns(2);
    g->SetNumCrosstabColumnHeaderRows(1);
    g->SetCrosstabRowAxisHeaderStringEntry(0, "Region");
    g->SetCrosstabRowAxisHeaderStringEntry(1, "City");
    g->SetCrosstabColumnAxisHeaderStringEntry(0, "Year");
    g->SetNumGridRowsAndColumns(5, 5);
    for (int c = 0; c < 5; ++c) {
        g->InitColumnWidth(c, 60.0f);
        g->SetColumnHeader(c, c % 2 ? "Units" : "Sales");
        for (int r = 0; r < 5; ++r) g->SetCellStringEntry(r, c, std::to_string(r * 10 + c));
    }
    g->SetCrosstabRowHeaderColumnWidth(0, 80.0f);
    g->SetCrosstabRowHeaderColumnWidth(1, 70.0f);
    int east = g->AddCrosstabRowHeaderStringEntry("East", -1, -1);
    g->AddCrosstabCellButton(east, G::BUTTON_COLLAPSE);
    g->AddCrosstabRowHeaderStringEntry("Boston", east, 0);
    g->AddCrosstabRowHeaderStringEntry("NYC", east, 1);
    int sub = g->AddCrosstabRowHeaderStringEntry("Subtotal East", east, 2);
    g->SetCrosstabCellTotal(sub, true);
    int west = g->AddCrosstabRowHeaderStringEntry("West", -1, 3);
    g->AddCrosstabCellButton(west, G::BUTTON_EXPAND);
    g->AddCrosstabRowHeaderStringEntry("Total", -1, 4);
    g->AddCrosstabColumnHeaderStringEntry("2023", -1, 0, 2);
    int y24 = g->AddCrosstabColumnHeaderStringEntry("2024", -1, 2, 2);
    g->AddCrosstabCellButton(y24, G::BUTTON_DRILL);
    g->AddCrosstabColumnHeaderStringEntry("Total", -1, 4, 1);
    return g;
}

} // namespace

TEST(TqCrosstab, ParentsSpanTheirLeavesAndShallowLeavesStretch) {
    auto g = makeGrid();
    const auto* east = g->GetCrosstabCell(0);
    ASSERT_TRUE(east);
    EXPECT_EQ(east->first, 0);
    EXPECT_EQ(east->extent, 3);  // Boston, NYC and the subtotal
    EXPECT_FALSE(east->leaf);
    // Every row of East finds East at level 0 and its own leaf at level 1.
    for (int r = 0; r < 3; ++r) {
        EXPECT_EQ(g->GetCellAt(G::AXIS_ROW, 0, r), 0) << r;
        EXPECT_EQ(g->GetCrosstabCell(g->GetCellAt(G::AXIS_ROW, 1, r))->level, 1);
    }
    // West is a leaf at level 0: it stands for level 1 too (it stretches).
    int west = g->GetLeafCell(G::AXIS_ROW, 3);
    EXPECT_EQ(g->GetCrosstabCell(west)->label, "West");
    EXPECT_EQ(g->GetCellAt(G::AXIS_ROW, 1, 3), west);
    double x = 0;
    Rect wr = g->GetScreenRectForPickID(G::GetHeaderPickID(G::COMPONENT_ROW_HEADER, 3, 0, 0));
    EXPECT_FLOAT_EQ(wr.x, float(x));
    EXPECT_FLOAT_EQ(wr.width, 150.0f);  // both level columns
    // Column spans: a leaf covers its measure columns.
    EXPECT_EQ(g->GetLeafCell(G::AXIS_COLUMN, 2), g->GetLeafCell(G::AXIS_COLUMN, 3));
    EXPECT_NE(g->GetLeafCell(G::AXIS_COLUMN, 1), g->GetLeafCell(G::AXIS_COLUMN, 2));
    Rect yr = g->GetScreenRectForPickID(G::GetHeaderPickID(G::COMPONENT_COLUMN_HEADER, 2, 0, 0));
    EXPECT_FLOAT_EQ(yr.width, 120.0f);
    EXPECT_FLOAT_EQ(yr.x, 150.0f + 120.0f);
}

TEST(TqCrosstab, PickIdsRoundTripEveryComponent) {
    auto g = makeGrid();
    const float top = g->GetTotalColumnHeaderHeight() + g->GetColumnHeaderHeight();
    const float rowH = g->GetRowHeight(0);
    // A data cell: row 1, column 2.
    uint64_t id = g->GetCrosstabPickIDAtScreenPosition(150.0f + 2 * 60.0f + 5.0f, top + rowH * 1.5f);
    EXPECT_EQ(G::ConvertPickIDtoComponentID(id), G::COMPONENT_CELL);
    EXPECT_EQ(G::GetRowFromPickID(id), 1);
    EXPECT_EQ(G::GetColumnFromPickID(id), 2);
    EXPECT_EQ(g->GetPickText(id), "12");
    // The measure header of column 3.
    id = g->GetCrosstabPickIDAtScreenPosition(150.0f + 3 * 60.0f + 5.0f, g->GetTotalColumnHeaderHeight() + 2.0f);
    EXPECT_EQ(G::ConvertPickIDtoComponentID(id), G::COMPONENT_HEADER);
    EXPECT_EQ(g->GetPickText(id), "Units");
    // The row header NYC (level 1, row 1) away from any button.
    id = g->GetCrosstabPickIDAtScreenPosition(140.0f, top + rowH * 1.5f);
    EXPECT_EQ(G::ConvertPickIDtoComponentID(id), G::COMPONENT_ROW_HEADER);
    EXPECT_EQ(G::GetLevelFromPickID(id), 1);
    EXPECT_EQ(g->GetPickText(id), "NYC");
    EXPECT_EQ(G::GetButtonFromPickID(id), G::BUTTON_NONE);
    // East spans rows 0-2: a click on its third row still names East.
    id = g->GetCrosstabPickIDAtScreenPosition(70.0f, top + rowH * 2.5f);
    EXPECT_EQ(g->GetPickText(id), "East");
    // Axis labels in the corner.
    id = g->GetCrosstabPickIDAtScreenPosition(100.0f, g->GetTotalColumnHeaderHeight() + 2.0f);
    EXPECT_EQ(G::ConvertPickIDtoComponentID(id), G::COMPONENT_ROW_AXIS_HEADER);
    EXPECT_EQ(g->GetPickText(id), "City");
    id = g->GetCrosstabPickIDAtScreenPosition(10.0f, 2.0f);
    EXPECT_EQ(G::ConvertPickIDtoComponentID(id), G::COMPONENT_COLUMN_AXIS_HEADER);
    EXPECT_EQ(g->GetPickText(id), "Year");
    // Outside the frame.
    EXPECT_EQ(g->GetCrosstabPickIDAtScreenPosition(-1.0f, 5.0f), G::NO_PICK_ID);
    EXPECT_EQ(g->GetCrosstabPickIDAtScreenPosition(5.0f, 1.0e9f), G::NO_PICK_ID);
}

TEST(TqCrosstab, ButtonsAreHitWhereTheyAreDrawn) {
    auto g = makeGrid();
    const float top = g->GetTotalColumnHeaderHeight() + g->GetColumnHeaderHeight();
    const float rowH = g->GetRowHeight(0);
    const float pad = float(g->GetHorizontalPadding());
    // West's expand button: at the start of its cell, vertically centred.
    uint64_t id = g->GetCrosstabPickIDAtScreenPosition(pad + 3.0f, top + rowH * 3.5f);
    EXPECT_EQ(G::GetButtonFromPickID(id), G::BUTTON_EXPAND);
    // East's collapse button sits in its first (visible) row.
    id = g->GetCrosstabPickIDAtScreenPosition(pad + 3.0f, top + rowH * 0.5f);
    EXPECT_EQ(G::GetButtonFromPickID(id), G::BUTTON_COLLAPSE);
    // The same cell, right of the button: the cell itself.
    id = g->GetCrosstabPickIDAtScreenPosition(75.0f, top + rowH * 0.5f);
    EXPECT_EQ(G::GetButtonFromPickID(id), G::BUTTON_NONE);
    EXPECT_EQ(g->GetPickText(id), "East");
    // The drill button of 2024 in the column header.
    id = g->GetCrosstabPickIDAtScreenPosition(150.0f + 120.0f + pad + 3.0f, g->GetTotalColumnHeaderHeight() / 2.0f);
    EXPECT_EQ(G::ConvertPickIDtoComponentID(id), G::COMPONENT_COLUMN_HEADER);
    EXPECT_EQ(G::GetButtonFromPickID(id), G::BUTTON_DRILL);
    // Unknown button codes are refused.
    g->AddCrosstabCellButton(0, 99);
    EXPECT_EQ(g->GetCrosstabCell(0)->buttons.size(), 1u);
}

TEST(TqCrosstab, HeadersFollowTheScrollAndOnlyVisibleCellsAreDrawn) {
    TqRef<G> g(new G(0.0f, 0.0f, 300.0f, 120.0f, 7002));
    g->SetNumCrosstabRowHeaderColumns(1);
    g->SetNumGridRowsAndColumns(1000, 1);
    g->InitColumnWidth(0, 80.0f);
    for (int r = 0; r < 1000; ++r) g->AddCrosstabRowHeaderStringEntry("m" + std::to_string(r), -1, r);
    const float rowH = g->GetRowHeight(0);
    g->SetScrollPosition(0.0, rowH * 500.0);
    const float top = g->GetTotalColumnHeaderHeight() + g->GetColumnHeaderHeight();
    uint64_t id = g->GetCrosstabPickIDAtScreenPosition(10.0f, top + rowH * 0.5f);
    EXPECT_EQ(g->GetPickText(id), "m500");
    // Drawing holds a handful of header texts, not a thousand.
    TqSvgWriter writer(300.0f, 120.0f);
    g->WriteSVG(writer);
    const std::string out = writer.out();
    EXPECT_NE(out.find("m500"), std::string::npos);
    EXPECT_EQ(out.find("m10<"), std::string::npos);
    EXPECT_EQ(out.find("m900"), std::string::npos);
}

TEST(TqCrosstab, SelectedCellsAndRangesOfTheDataArea) {
    auto g = makeGrid();
    g->SetCellSelected(1, 2, true);
    g->SetCellSelected(1, 2, true);
    g->SetCellSelected(4, 4, true);
    g->SetCellSelected(9, 9, true);  // outside: ignored
    EXPECT_EQ(g->GetSelectedCellCount(), 2u);
    EXPECT_TRUE(g->IsCellSelected(1, 2));
    g->SetCellSelected(1, 2, false);
    EXPECT_FALSE(g->IsCellSelected(1, 2));
    g->ClearSelectedCells();
    EXPECT_EQ(g->GetSelectedCellCount(), 0u);
    // The data area is what the headers leave; the virtual size adds them.
    auto v = g->GetCrosstabVirtualPageSize();
    EXPECT_DOUBLE_EQ(v.width, 150.0 + 5 * 60.0);
    EXPECT_GT(v.height, 5.0 * g->GetRowHeight(0));
    Rect data = g->TqDataGrid::GetFrame();
    EXPECT_FLOAT_EQ(data.x, 150.0f);
    EXPECT_FLOAT_EQ(data.width, 450.0f);
}

TEST(TqCrosstab, PickThroughTheNodeUsesNodeCoordinates) {
    auto g = makeGrid(600.0f, 400.0f);
    const float top = g->GetTotalColumnHeaderHeight() + g->GetColumnHeaderHeight();
    const float rowH = g->GetRowHeight(0);
    // Node coordinates: y up from the bottom of the frame.
    float y = 400.0f - (top + rowH * 3.5f);
    TqPickQuery q = TqPickQuery::rect(Rect{30.0f, y, 1.0f, 1.0f});
    std::vector<TqSelectionInfoStruct> out;
    g->Pick(q, out, true);
    ASSERT_EQ(out.size(), 1u);
    EXPECT_EQ(out[0].nodeId, 7001u);
    EXPECT_EQ(g->GetPickText(out[0].detailIndex), "West");
}

TEST(TqCrosstab, BadInputIsRefusedQuietly) {
    TqRef<G> g(new G(0.0f, 0.0f, 100.0f, 100.0f, 7003));
    EXPECT_EQ(g->GetCrosstabCell(-1), nullptr);
    EXPECT_EQ(g->GetCrosstabCell(5), nullptr);
    EXPECT_EQ(g->GetLeafCell(3, 0), -1);
    g->SetNumCrosstabRowHeaderColumns(-4);
    g->SetNumCrosstabColumnHeaderRows(100000);
    EXPECT_EQ(g->GetNumCrosstabRowHeaderColumns(), 0);
    EXPECT_EQ(g->GetNumCrosstabColumnHeaderRows(), G::MAX_LEVELS);
    g->SetCrosstabRowHeaderColumnWidth(7, 10.0f);
    g->SetFrame(0.0f, 0.0f, NAN, -5.0f);
    EXPECT_EQ(g->GetFrame().width, 0.0f);
    EXPECT_EQ(g->GetFrame().height, 0.0f);
    EXPECT_EQ(g->GetCrosstabPickIDAtScreenPosition(NAN, 1.0f), G::NO_PICK_ID);
    // A child naming a parent of the other axis becomes a top-level cell.
    int c = g->AddCrosstabColumnHeaderStringEntry("a", -1, 0, 1);
    int r = g->AddCrosstabRowHeaderStringEntry("b", c, 0);
    EXPECT_EQ(g->GetCrosstabCell(r)->parent, -1);
    TqSvgWriter writer(100.0f, 100.0f);
    g->WriteSVG(writer);
    EXPECT_EQ(writer.out().find(">b<"), std::string::npos);  // nothing drawn in an empty frame
}

TEST(TqCrosstab, AxisHeaderSortIndicatorsAreDrawnAndTakeRoom) {
    auto svgOf = [](const TqRef<G>& g) {
        TqSvgWriter writer(600.0f, 400.0f);
        g->WriteSVG(writer);
        return writer.out();
    };
    auto count = [](const std::string& s, const std::string& what) {
        size_t n = 0;
        for (size_t at = s.find(what); at != std::string::npos; at = s.find(what, at + 1)) ++n;
        return n;
    };
    auto g = makeGrid();
    const std::string plain = svgOf(g);
    const float measured = g->MeasureRowHeaderColumnWidth(0, -1);
    g->SetCrosstabAxisHeaderSortIndicator(G::AXIS_ROW, 0, 1);
    EXPECT_EQ(g->GetCrosstabAxisHeaderSortIndicator(G::AXIS_ROW, 0), 1);
    const std::string ascending = svgOf(g);
    // The indicator is a small triangle of rules in the level's label cell.
    EXPECT_EQ(count(ascending, "<line"), count(plain, "<line") + 4);
    g->SetCrosstabAxisHeaderSortIndicator(G::AXIS_ROW, 0, 2);
    const std::string descending = svgOf(g);
    EXPECT_EQ(count(descending, "<line"), count(plain, "<line") + 4);
    EXPECT_NE(descending, ascending);  // pointing the other way
    // The label's width leaves room for it.
    EXPECT_GT(g->MeasureRowHeaderColumnWidth(0, -1), measured);
    // Column-axis levels have theirs too; unknown codes and levels change nothing.
    g->SetCrosstabAxisHeaderSortIndicator(G::AXIS_COLUMN, 0, 1);
    EXPECT_EQ(count(svgOf(g), "<line"), count(plain, "<line") + 8);
    g->SetCrosstabAxisHeaderSortIndicator(G::AXIS_COLUMN, 5, 1);
    g->SetCrosstabAxisHeaderSortIndicator(G::AXIS_COLUMN, 0, 9);
    EXPECT_EQ(g->GetCrosstabAxisHeaderSortIndicator(G::AXIS_COLUMN, 0), 2);
    EXPECT_EQ(g->GetCrosstabAxisHeaderSortIndicator(G::AXIS_COLUMN, 5), 0);
    g->SetCrosstabAxisHeaderSortIndicator(G::AXIS_ROW, 0, 0);
    g->SetCrosstabAxisHeaderSortIndicator(G::AXIS_COLUMN, 0, 0);
    EXPECT_EQ(svgOf(g), plain);
}
