// SPDX-License-Identifier: Apache-2.0
// The table view over its grid: totals and labels, sort indicators, column
// widths (user widths and the display's scale, auto-fill), scrolling state,
// the texts asked for, cell visuals and display rules, and empty tables.
#include "orvane/datagrid/CellBarRenderer.h"
#include "orvane/datagrid/CellGraph.h"
#include "orvane/datagrid/CellHeatMapRenderer.h"
#include "orvane/datagrid/DataGrid.h"
#include "orvane/datagrid/DataGridCellContentEvent.h"
#include "orvane/datagrid/DataGridColumnInfo.h"
#include "orvane/datagrid/DataGridRenderer.h"
#include "orvane/datagrid/GridColumnInfoManager.h"
#include "orvane/datagrid/GridDisplayOptions.h"
#include "orvane/datagrid/GridUtilities.h"
#include "orvane/displaylist/DisplayListEditor.h"
#include "orvane/displaylist/DisplayListRenderer.h"
#include "orvane/displaylist/TqGroup.h"
#include "orvane/displaylist/TqImageRectangle.h"
#include "orvane/displaylist/TqLine.h"
#include "orvane/displaylist/TqRectangle.h"
#include "orvane/displaylist/TqRef.h"
#include "orvane/displaylist/TqText.h"
#include "orvane/host/core/AbstractEventCallback.h"
#include "orvane/host/core/CLog.h"
#include "orvane/host/data/Column.h"
#include "orvane/host/data/DataSet.h"
#include "orvane/host/data/DataValue.h"
#include "orvane/host/data/Rule.h"
#include "orvane/host/document/PropertyTextCodec.h"
#include "orvane/host/io/ResourceManager.h"
#include "orvane/host/style/AttributeBundle.h"
#include "orvane/host/style/CSSParser.h"
#include "orvane/host/style/Style.h"
#include "orvane/host/style/StyleChain.h"
#include "orvane/view/PickedNodeInfo.h"

#include "common/EventLog.h"
#include "common/GridOnScreen.h"
#include "common/SampleData.h"
#include "common/ViewSupport.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <set>
#include <string>
#include <vector>

using namespace orvane;
using displaylist::TqDataGrid;

namespace {

std::shared_ptr<DataSet> sales(size_t rows = 6) { return test::regionAmounts(rows); }
using Fixture = test::GridOnScreen;

TEST(GridUtilitiesTest, TotalLabelKeysByAggregationCode) {
    EXPECT_EQ(GridUtilities::getTotalLabelKey(0), "aggregation.sum.txt");
    EXPECT_EQ(GridUtilities::getTotalLabelKey(1), "aggregation.count.txt");
    EXPECT_EQ(GridUtilities::getTotalLabelKey(8), "aggregation.count.txt");
    EXPECT_EQ(GridUtilities::getTotalLabelKey(2), "aggregation.average.txt");
    EXPECT_EQ(GridUtilities::getTotalLabelKey(14), "aggregation.numberMissing.txt");
    EXPECT_EQ(GridUtilities::getTotalLabelKey(23), "aggregation.pValue.txt");
    for (int none : {-1, 4, 13, 24, 99}) EXPECT_EQ(GridUtilities::getTotalLabelKey(none), "") << none;
}

TEST(DataGridRendererTest, TotalsCarryTheAggregationAndItsLabel) {
    Fixture f(sales());
    f.model->totalsVisible.set(true);
    TqDataGrid& g = f.rebuild();
    ASSERT_TRUE(g.HasTotals());
    EXPECT_EQ(g.GetColumnTotalText(1), "Sum 210");      // 10 + ... + 60
    EXPECT_EQ(g.GetColumnTotalText(2), "Average 4");    // (6 + ... + 1) / 6 = 3.5, format 8.
    EXPECT_EQ(g.GetColumnTotalText(0), "");             // a category has none
    f.model->totalsLabelVisible.set(false);
    EXPECT_EQ(f.rebuild().GetColumnTotalText(1), "210");
    f.model->totalsVisible.set(false);
    EXPECT_FALSE(f.rebuild().HasTotals());
}

TEST(DataGridRendererTest, SortIndicatorsForPrimaryAndSecondarySorts) {
    Fixture f(sales());
    ASSERT_TRUE(f.model->sortByColumn("region", SortDirection::ASCENDING, false));
    ASSERT_TRUE(f.model->sortByColumn("amount", SortDirection::DESCENDING, true));
    TqDataGrid& g = f.rebuild();
    EXPECT_EQ(g.GetColumnSortIndicator(0), TqDataGrid::SORT_PRIMARY_ASCENDING);
    EXPECT_EQ(g.GetColumnSortIndicator(1), TqDataGrid::SORT_SECONDARY_DESCENDING);
    EXPECT_EQ(g.GetColumnSortIndicator(2), TqDataGrid::SORT_NONE);
    // East rows first, each region by amount descending: 50, 30, 10 then 60, 40, 20.
    EXPECT_EQ(g.GetCellText(0, 1), "50");
    EXPECT_EQ(g.GetCellText(2, 1), "10");
    EXPECT_EQ(g.GetCellText(3, 1), "60");
    ASSERT_TRUE(f.model->sortByColumn("amount", SortDirection::ASCENDING, false));
    TqDataGrid& g2 = f.rebuild();
    EXPECT_EQ(g2.GetColumnSortIndicator(0), TqDataGrid::SORT_NONE);
    EXPECT_EQ(g2.GetColumnSortIndicator(1), TqDataGrid::SORT_PRIMARY_ASCENDING);
    f.model->sortByColumn("amount", SortDirection::DESCENDING, false);
    EXPECT_EQ(f.rebuild().GetColumnSortIndicator(1), TqDataGrid::SORT_PRIMARY_DESCENDING);
    EXPECT_FALSE(f.model->sortByColumn("nope", SortDirection::ASCENDING, false));
}

TEST(DataGridRendererTest, UserWidthsScaleWithTheDisplayAndAutoFillFillsTheFrame) {
    struct ScaleGuard {
        float old = ResourceManager::getDPIScaleFactor();
        ~ScaleGuard() { ResourceManager::setDPIScaleFactor(old); }
    } guard;
    ResourceManager::setDPIScaleFactor(2.0f);
    Fixture f(sales());
    f.model->columnAutoFill.set(false);
    auto info = DataGridColumnInfo::create();
    info->columnWidth.set(60);
    f.model->setColumnInfo(1, info);
    EXPECT_FLOAT_EQ(f.rebuild().GetColumnWidth(1), 120.0f);
    ResourceManager::setDPIScaleFactor(1.0f);

    // One column with auto-fill spans the frame less the row numbers.
    auto one = DataSet::create();
    one->addColumn(Column::createNumeric("x", {1, 2, 3}));
    Fixture g(one, 500, 200);
    g.model->showRowNumbers.set(true);
    TqDataGrid& grid = g.rebuild();
    EXPECT_FLOAT_EQ(grid.GetColumnWidth(0), 500.0f - grid.GetRowNumberColumnWidth());
    // Several columns: together they fill the frame, none past 3/4 of it.
    Fixture h(sales(), 900, 200);
    TqDataGrid& wide = h.rebuild();
    float sum = 0;
    for (int c = 0; c < 3; ++c) {
        sum += wide.GetColumnWidth(c);
        EXPECT_LE(wide.GetColumnWidth(c), 0.75f * 900.0f);
    }
    EXPECT_NEAR(sum, 900.0f, 1.0f);
}

TEST(DataGridRendererTest, SetStateScrollsTheCellToTheTopLeftAndSurvivesRebuilds) {
    Fixture f(sales(5000), 150, 200);
    f.model->columnAutoFill.set(false);
    for (int c = 0; c < 3; ++c) {
        auto info = DataGridColumnInfo::create();
        info->columnWidth.set(100);
        f.model->setColumnInfo(c, info);
    }
    TqDataGrid& g = f.rebuild();
    f.view->setState({1234, 1});
    EXPECT_DOUBLE_EQ(g.GetScrollY(), g.GetRowTranslationOffset(1234));
    TqDataGrid& g2 = f.rebuild();
    EXPECT_DOUBLE_EQ(g2.GetScrollY(), g2.GetRowTranslationOffset(1234));
    DataGridRenderer::State s = f.view->getState();
    EXPECT_EQ(s.row, 1234);
    EXPECT_EQ(s.column, 1);
    // The top-left body cell is that row.
    float y = g2.GetColumnHeaderHeight() + 2;
    EXPECT_EQ(TqDataGrid::GetRowFromPickID(g2.GetPickIDAtScreenPosition(5, y)), 1234);
    EXPECT_TRUE(f.view->page(true));
    EXPECT_GT(f.view->getState().row, 1234);
    f.view->pageToEnd();
    EXPECT_FALSE(f.view->canPage(true));
}

TEST(DataGridRendererTest, TextsAreAskedOnlyForMeasuredAndDrawnCells) {
    Fixture f(sales(100000), 400, 200);
    TqDataGrid& g = f.rebuild();
    // Measuring: rows 0..100 of each of the 3 columns; drawing the visible
    // window adds nothing new (those rows were measured).
    EXPECT_EQ(f.view->getCellCallback()->getTextCount(), 3 * 101);
    g.GetVisibleContent();
    EXPECT_EQ(f.view->getCellCallback()->getTextCount(), 3 * 101);
    // Far down, only the newly visible cells are asked.
    f.view->setScrollPosition(0, 50000 * 24.0);
    int64_t r0, r1;
    int c0, c1;
    g.GetMinMaxVisibleRowColIndices(r0, r1, c0, c1);
    g.GetVisibleContent();
    EXPECT_EQ(f.view->getCellCallback()->getTextCount(), 3 * 101 + (r1 - r0 + 1) * (c1 - c0 + 1));
    EXPECT_LT(g.GetStoredTextCount(), 1000u);
}

TEST(DataGridRendererTest, EmptyTables) {
    Fixture none(nullptr);
    TqDataGrid& g = none.rebuild();
    EXPECT_EQ(g.GetNumRows(), 5);
    EXPECT_EQ(g.GetNumColumns(), 5);
    EXPECT_FLOAT_EQ(g.GetColumnWidth(4), DataGridRenderer::DEFAULT_COLUMN_WIDTH);
    // Columns without rows: the headers over one empty row, no crash drawing.
    auto ds = DataSet::create();
    ds->addColumn(Column::createNumeric("a"));
    ds->addColumn(Column::createCharacter("b"));
    Fixture cols(ds);
    TqDataGrid& c = cols.rebuild();
    EXPECT_EQ(c.GetNumRows(), 1);
    EXPECT_EQ(c.GetColumnHeader(1), "b");
    EXPECT_EQ(c.GetCellText(0, 0), "");
    EXPECT_NE(c.GetVisibleContent(), nullptr);
    // Names the data lacks: an empty column, no crash.
    auto names = std::make_shared<MonitoredVector<std::shared_ptr<const std::string>>>();
    names->push_back(std::make_shared<const std::string>("b"));
    names->push_back(std::make_shared<const std::string>("missing"));
    cols.model->orderedColumnNames.set(names);
    TqDataGrid& m = cols.rebuild();
    EXPECT_EQ(m.GetNumColumns(), 2);
    EXPECT_EQ(m.GetColumnHeader(1), "missing");
    // A zero-size frame.
    Fixture zero(sales(), 0, 0);
    EXPECT_EQ(zero.rebuild().GetVisibleContent()->GetChildCount(), 0u);
}

TEST(DataGridRendererTest, DisplayRulesColourTheRightRowsOfASortedTable) {
    Fixture f(sales());
    auto rule = Rule::create();
    ASSERT_TRUE(rule->addCondition("value >= 50", CSSParser::parse("background-color: #00ff00")));
    auto manager = GridColumnInfoManager::create();
    manager->setDisplayRule(1, rule);
    f.model->columnInfoManager.set(manager);
    f.model->sortByColumn("amount", SortDirection::DESCENDING, false);
    TqDataGrid& g = f.rebuild();
    // Amounts 60 and 50 are now the first two display rows.
    std::multiset<float> greenTops;
    test::forEachNode(g.GetVisibleContent(), [&](const displaylist::TqGeometry* n) {
        if (auto* r = dynamic_cast<const displaylist::TqRectangle*>(n))
            if (r->GetFillColor() == 0x00ff00) greenTops.insert(r->GetRect().y);
    });
    EXPECT_EQ(greenTops.size(), 2u);
    EXPECT_EQ(g.GetCellText(0, 1), "60");
    EXPECT_EQ(g.GetCellText(1, 1), "50");
}

TEST(CellVisualsTest, BarsAtTheEdgeValues) {
    auto graph = CellGraph::create();
    auto bar = CellBarRenderer::create(1.0f);
    bar->setModel(graph);
    // All positive: from the left; all negative: ending at the right, where
    // the zero segment is; both: from the zero line in the middle.
    struct Case {
        double value, minimum, maximum;
        float x, end, segment;
    };
    for (const Case& c : {Case{5, 0, 10, 5, 50, -1}, Case{-5, -10, -1, NAN, 95, 95}, Case{5, -10, 10, 50, 72.5f, 50}}) {
        SCOPED_TRACE(c.value);
        graph->value.set(c.value);
        graph->minimum.set(c.minimum);
        graph->maximum.set(c.maximum);
        if (!std::isnan(c.x)) {
            EXPECT_FLOAT_EQ(bar->getX(100), c.x);
        }
        EXPECT_FLOAT_EQ(bar->getX(100) + bar->getBarWidth(100), c.end);
        EXPECT_FLOAT_EQ(bar->getSegmentX(100), c.segment);
    }
    // Drawn: a bar and the zero line; NaN draws nothing.
    auto editor = displaylist::DisplayListEditor::create(nullptr);
    bar->setFrame({0, 0, 100, 24});
    bar->updateDisplayList(editor);
    int rects = 0, lines = 0;
    test::forEachNode(editor->getRootNode(), [&](const displaylist::TqGeometry* n) {
        rects += dynamic_cast<const displaylist::TqRectangle*>(n) != nullptr;
        lines += dynamic_cast<const displaylist::TqLine*>(n) != nullptr;
    });
    EXPECT_EQ(rects, 1);
    EXPECT_EQ(lines, 1);
    graph->value.set(NAN);
    auto empty = displaylist::DisplayListEditor::create(nullptr);
    bar->updateDisplayList(empty);
    EXPECT_EQ(empty->getRootNode()->GetChildCount(), 0u);
    // All values zero: no division by zero, the minimum bar.
    graph->value.set(0);
    graph->minimum.set(0);
    graph->maximum.set(0);
    EXPECT_FLOAT_EQ(bar->getBarWidth(100), 1.0f);
}

TEST(CellVisualsTest, HeatMapColours) {
    auto graph = CellGraph::create();
    graph->value.set(5);
    graph->minimum.set(0);
    graph->maximum.set(10);
    EXPECT_EQ(CellHeatMapRenderer::getFillColor(*graph), 0xdcdcdcu);
    graph->styleChain.set(StyleChain::create({CSSParser::parse("heatmap-start-color: #000000; heatmap-end-color: #ffffff")}));
    graph->value.set(0);
    EXPECT_EQ(CellHeatMapRenderer::getFillColor(*graph), 0x000000u);
    graph->value.set(10);
    EXPECT_EQ(CellHeatMapRenderer::getFillColor(*graph), 0xffffffu);
    // Minimum equal to maximum: the first stop, no NaN.
    graph->minimum.set(10);
    EXPECT_EQ(CellHeatMapRenderer::getFillColor(*graph), 0x000000u);
    // Missing values: the missing colour when a fill colour is set, else none.
    graph->value.set(NAN);
    EXPECT_EQ(CellHeatMapRenderer::getFillColor(*graph), CellHeatMapRenderer::NO_COLOR);
    graph->fillColor.set(0x123456);
    graph->missingColor.set(0xabcdef);
    EXPECT_EQ(CellHeatMapRenderer::getFillColor(*graph), 0xabcdefu);
}

TEST(CellVisualsTest, BarAndHeatMapColumnsInATable) {
    auto ds = sales();
    ds->getColumn(1)->setNumberAtIndex(2, NAN);
    Fixture f(ds);
    auto bar = DataGridColumnInfo::create();
    bar->cellVisual.set(CellVisualType::BAR);
    bar->cellVisualPosition.set(CellVisualPosition::REPLACE);
    f.model->setColumnInfo(1, bar);
    auto heat = DataGridColumnInfo::create();
    heat->cellVisual.set(CellVisualType::HEATMAP);
    heat->cellVisualPosition.set(CellVisualPosition::REPLACE);
    f.model->setColumnInfo(2, heat);
    TqDataGrid& g = f.rebuild();
    g.GetVisibleContent();
    EXPECT_EQ(g.GetColumnType(1), TqDataGrid::COLUMN_PICTURE);
    // One picture per drawn cell, kept: a redraw makes none.
    int64_t made = f.view->getCellCallback()->getPictureCount();
    EXPECT_EQ(made, 6);
    ASSERT_NE(g.GetCellPicture(0, 1), nullptr);
    // The missing value's picture draws nothing.
    EXPECT_EQ(g.GetCellPicture(2, 1)->AsGroup()->GetChildCount(), 0u);
    g.SetScrollPosition(0, 1);
    g.GetVisibleContent();
    EXPECT_EQ(f.view->getCellCallback()->getPictureCount(), made);
    // Heat-map cells without a ramp are grey.
    int grey = 0;
    test::forEachNode(g.GetVisibleContent(), [&](const displaylist::TqGeometry* n) {
        if (auto* r = dynamic_cast<const displaylist::TqRectangle*>(n)) grey += r->GetFillColor() == 0xdcdcdc;
    });
    EXPECT_EQ(grey, 6);
}

TEST(CellVisualsTest, RichTextCellsShowTheirTextEagerly) {
    auto ds = DataSet::create();
    ds->addColumn(Column::createCharacter("note", {"<b>bold</b> move", "plain", "<span>unclosed"}));
    Fixture f(ds);
    auto info = DataGridColumnInfo::create();
    info->cellVisual.set(CellVisualType::RICHTEXT);
    f.model->setColumnInfo(0, info);
    TqDataGrid& g = f.rebuild();
    EXPECT_EQ(g.GetCellText(0, 0), "bold move");
    EXPECT_EQ(g.GetCellText(2, 0), "unclosed");
    // Drawn: each cell's markup becomes a picture, the malformed one its
    // plain text; nothing is drawn as raw markup.
    EXPECT_EQ(g.GetColumnType(0), TqDataGrid::COLUMN_PICTURE);
    g.GetVisibleContent();
    for (int r = 0; r < 3; ++r) {
        ASSERT_NE(g.GetCellPicture(r, 0), nullptr) << r;
        EXPECT_GT(g.GetCellPicture(r, 0)->AsGroup()->CountNodes(), 0u) << r;
    }
    test::forEachNode(g.GetVisibleContent(), [&](const displaylist::TqGeometry* n) {
        if (auto* t = dynamic_cast<const displaylist::TqText*>(n)) {
            EXPECT_EQ(t->GetText().find('<'), std::string::npos);
        }
    });
}

TEST(GridDisplayOptionsTest, GrammarBothWays) {
    std::vector<std::string> unknown;
    auto o = GridDisplayOptions::fromString("  wrapall Concise bogus RETAINNEWLINE", &unknown);
    EXPECT_TRUE(o->concise.get());
    EXPECT_FALSE(o->plain.get());
    EXPECT_TRUE(o->wrapall.get());
    EXPECT_TRUE(o->retainNewLines.get());
    EXPECT_EQ(unknown, std::vector<std::string>{"bogus"});
    EXPECT_EQ(o->toString(), "CONCISE WRAPALL RETAINNEWLINE");
    EXPECT_EQ(GridDisplayOptions::fromString(o->toString())->toString(), o->toString());
    EXPECT_EQ(GridDisplayOptions::create()->toString(), "");
}

TEST(DataGridRendererTest, SelectedRowsHighlightThroughTheSortMap) {
    auto ds = sales();
    Fixture f(ds);
    f.model->sortByColumn("amount", SortDirection::DESCENDING, false);
    TqDataGrid& g = f.rebuild();
    ds->ensureRowStates()->setSelectedIndices({5});  // amount 60: display row 0
    EXPECT_TRUE(g.IsRowSelected(0));
    EXPECT_EQ(g.GetSelectedRowCount(), 1u);
    uint64_t id = TqDataGrid::GetPickID(0, 1, 0);
    EXPECT_TRUE(f.view->isPickSelected(id));
    EXPECT_EQ(f.view->getPickText(id), "60");
    f.view->clearSelections(false, true);
    EXPECT_FALSE(g.IsRowSelected(0));
    EXPECT_TRUE(ds->getRowStates()->isSelected(5));  // the data's selection is left alone
}

} // namespace

// Cell content: image cells, the placeholder (matches-all) row, the
// cell-content events the view dispatches and answers, style objects
// followed by the view, and 64-bit pick ids in picked-node records.
namespace {

int images(const displaylist::TqGeometry* picture) {
    int n = 0;
    test::forEachNode(picture, [&](const displaylist::TqGeometry* g) { n += dynamic_cast<const displaylist::TqImageRectangle*>(g) != nullptr; });
    return n;
}

std::shared_ptr<DataGridColumnInfo> info(CellVisualType::type visual) {
    auto i = DataGridColumnInfo::create();
    i->cellVisual.set(visual);
    i->cellVisualPosition.set(CellVisualPosition::REPLACE);
    return i;
}

} // namespace

TEST(ImageCellsTest, ImagesAreDrawnOnceAndUnreadableOnesAreEmptyAndLoggedOnce) {
    const std::string png = std::string(ORVANE_SOURCE_DIR) + "/examples/report/sales-chart.png";
    auto ds = DataSet::create();
    ds->addColumn(Column::createCharacter("name", {"a", "b", "c", "d"}));
    ds->addColumn(Column::createCharacter("flag", {png, "no-such-image.png", "", "also-missing.png"}));
    Fixture t(ds);
    auto icon = DataGridColumnInfo::create();
    icon->columnType.set(ColumnContentType::ICON);
    t.model->setColumnInfo(1, icon);
    CLogCapture log;
    TqDataGrid& g = t.rebuild();
    EXPECT_EQ(g.GetColumnType(1), TqDataGrid::COLUMN_PICTURE);
    g.GetVisibleContent();
    // Every image cell has a picture, made once.
    for (int r = 0; r < 4; ++r) ASSERT_NE(g.GetCellPicture(r, 1), nullptr) << r;
    EXPECT_EQ(t.view->getCellCallback()->getPictureCount(), 4);
    // The readable image is drawn, fitted into the cell (the 320 x 160 image
    // is wider than the cell and is never drawn past it).
    const auto* drawn = g.GetCellPicture(0, 1)->AsGroup();
    ASSERT_NE(drawn, nullptr);
    EXPECT_EQ(images(drawn), 1);
    auto box = drawn->GetBounds();
    EXPECT_LE(box.width, g.GetColumnWidth(1) + 0.5f);
    EXPECT_GT(box.width, 0.0f);
    // Unreadable and empty paths: empty cells, one log line in all.
    EXPECT_EQ(g.GetCellPicture(1, 1)->AsGroup()->GetChildCount(), 0u);
    EXPECT_EQ(g.GetCellPicture(2, 1)->AsGroup()->GetChildCount(), 0u);
    EXPECT_EQ(g.GetCellPicture(3, 1)->AsGroup()->GetChildCount(), 0u);
    EXPECT_EQ(test::countLogged(log, CLog::ERRORS, "image cell"), 1);
    // Drawing again makes no picture and logs nothing more.
    g.SetScrollPosition(0, 1);
    g.GetVisibleContent();
    EXPECT_EQ(t.view->getCellCallback()->getPictureCount(), 4);
    EXPECT_EQ(test::countLogged(log, CLog::ERRORS, "image cell"), 1);
}

TEST(ImageCellsTest, RelativePathsAreReadFromTheImageFolder) {
    auto ds = DataSet::create();
    ds->addColumn(Column::createCharacter("flag", {"sales-chart.png"}));
    ds->addColumn(Column::createCharacter("name", {"n"}));
    Fixture t(ds);
    auto icon = DataGridColumnInfo::create();
    icon->columnType.set(ColumnContentType::ICON);
    icon->columnWidth.set(30);
    t.model->setColumnInfo(0, icon);
    t.view->setImageDirectory(std::string(ORVANE_SOURCE_DIR) + "/examples/report");
    TqDataGrid& g = t.rebuild();
    g.GetVisibleContent();
    ASSERT_NE(g.GetCellPicture(0, 0), nullptr);
    EXPECT_EQ(images(g.GetCellPicture(0, 0)), 1);
    // The file name is not drawn, so it does not wrap into a taller row in
    // a narrow column.
    EXPECT_FLOAT_EQ(g.GetRowHeight(0), g.GetRowHeight(-1));
}

TEST(MatchesAllTest, APlaceholderRowHidesTheTextOfItsOwnColumnOnly) {
    auto make = [](size_t rows, int placeholderColumn) {
        auto ds = DataSet::create();
        std::vector<std::string> a, b;
        for (size_t i = 0; i < rows; ++i) {
            a.push_back("a" + std::to_string(i));
            b.push_back("b" + std::to_string(i));
        }
        ds->addColumn(Column::createCharacter("a", a));
        ds->addColumn(Column::createCharacter("b", b));
        ds->getColumn(size_t(placeholderColumn))->setValueFlagsAtIndex(0, DataValue::MATCHES_ALL);
        return ds;
    };
    // The placeholder in the second column: the first column keeps its text.
    {
        Fixture t(make(1, 1));
        TqDataGrid& g = t.rebuild();
        EXPECT_EQ(g.GetCellText(0, 0), "a0");
        EXPECT_EQ(g.GetCellText(0, 1), "");
        g.GetVisibleContent();
        EXPECT_EQ(g.GetCellText(0, 0), "a0");
        EXPECT_EQ(g.GetCellText(0, 1), "");
    }
    // The placeholder in the first column does not empty the others.
    {
        Fixture t(make(1, 0));
        TqDataGrid& g = t.rebuild();
        g.GetVisibleContent();
        EXPECT_EQ(g.GetCellText(0, 0), "");
        EXPECT_EQ(g.GetCellText(0, 1), "b0");
    }
    // The text step alone decides the same, asked directly.
    {
        Fixture t(make(1, 1));
        t.rebuild();
        auto cb = t.view->getCellCallback();
        displaylist::TqRef<TqDataGrid> ref(new TqDataGrid(0, 0, 200, 100, 1));
        TqDataGrid& grid = *ref;
        grid.SetNumGridRowsAndColumns(1, 2);
        cb->CellContentCallback(0, 0, &grid);
        cb->CellContentCallback(1, 0, &grid);
        EXPECT_EQ(grid.GetStoredTextCount(), 2u);
        EXPECT_EQ(grid.GetCellText(0, 0), "a0");
        EXPECT_EQ(grid.GetCellText(0, 1), "");
    }
    // With more than one row the flag is an ordinary value's.
    {
        Fixture t(make(2, 0));
        TqDataGrid& g = t.rebuild();
        EXPECT_EQ(g.GetCellText(0, 0), "a0");
        EXPECT_EQ(g.GetCellText(1, 1), "b1");
    }
}

TEST(CellContentEventTest, PicturesAreMadeThroughEventsFromTheView) {
    auto ds = DataSet::create();
    std::vector<double> v;
    for (int i = 0; i < 40; ++i) v.push_back(i - 10.0);
    ds->addColumn(Column::createNumeric("value", v));
    ds->addColumn(Column::createNumeric("bar", v));
    Fixture t(ds, 400, 200);
    t.model->setColumnInfo(1, info(CellVisualType::BAR));
    test::EventLog heard(*t.view, {DataGridCellContentEvent::GRID_CELL_CONTENT});
    TqDataGrid& g = t.rebuild();
    g.GetVisibleContent();
    int64_t r0, r1;
    int c0, c1;
    g.GetMinMaxVisibleRowColIndices(r0, r1, c0, c1);
    const int64_t drawnBars = r1 - r0 + 1;
    // One event per drawn bar cell, each answered by the view with a picture.
    auto cb = t.view->getCellCallback();
    EXPECT_EQ(int64_t(heard.size()), drawnBars);
    EXPECT_EQ(cb->getEventCount(), drawnBars);
    EXPECT_EQ(cb->getPictureCount(), drawnBars);
    for (const auto& e : heard.events) {
        auto* c = dynamic_cast<DataGridCellContentEvent*>(e.get());
        ASSERT_NE(c, nullptr);
        EXPECT_NE(c->getCellInfo(), nullptr);
        EXPECT_NE(c->getColumnInfo(), nullptr);
        EXPECT_EQ(c->getColumnIndex(), 1);
        EXPECT_NE(g.GetCellPicture(c->getRowIndex(), c->getColumnIndex()), nullptr);
    }
    // A redraw announces nothing: the pictures are kept.
    g.GetVisibleContent();
    EXPECT_EQ(int64_t(heard.size()), drawnBars);
    EXPECT_EQ(cb->getPictureCount(), drawnBars);
}

TEST(CellContentEventTest, EnabledCellCallbackAnnouncesEveryDrawnCell) {
    auto ds = DataSet::create();
    ds->addColumn(Column::createNumeric("x", {1, 2, 3}));
    ds->addColumn(Column::createCharacter("y", {"p", "q", "r"}));
    Fixture t(ds);
    t.model->enableCellCallback.set(true);
    test::EventLog heard(*t.view, {DataGridCellContentEvent::GRID_CELL_CONTENT});
    t.rebuild().GetVisibleContent();
    EXPECT_EQ(heard.size(), 6u);
    // No pictures: none of these cells needs one.
    EXPECT_EQ(t.view->getCellCallback()->getPictureCount(), 0);
}

TEST(StyleFollowTest, EditsInsideTheCurrentStyleReachTheTableAndTheOldStyleIsLetGo) {
    auto ds = DataSet::create();
    ds->addColumn(Column::createNumeric("x", {1, 2}));
    Fixture t(ds);
    auto first = Style::create();
    auto second = Style::create();
    t.model->style.set(first);
    t.rebuild();
    t.view->setNeedsUpdateDisplayList(false);
    first->notifyChanged();
    EXPECT_TRUE(t.view->getNeedsUpdateDisplayList());

    t.model->style.set(second);
    t.rebuild();
    t.view->setNeedsUpdateDisplayList(false);
    first->notifyChanged();
    EXPECT_FALSE(t.view->getNeedsUpdateDisplayList());
    second->notifyChanged();
    EXPECT_TRUE(t.view->getNeedsUpdateDisplayList());

    // Without a style nothing is heard any more.
    t.model->style.set(nullptr);
    t.view->setNeedsUpdateDisplayList(false);
    second->notifyChanged();
    EXPECT_FALSE(t.view->getNeedsUpdateDisplayList());
}

TEST(PickedNodeInfoTest, KeepsTheGridsSixtyFourBitPickIds) {
    for (int component : {TqDataGrid::COMPONENT_CELL, TqDataGrid::COMPONENT_HEADER, TqDataGrid::COMPONENT_TOTAL}) {
        uint64_t id = TqDataGrid::GetPickID(int64_t(100000000) * 1000, 1000, component);
        auto info = PickedNodeInfo::create(7, id);
        EXPECT_EQ(info->detailIndex.get(), id);
        EXPECT_EQ(TqDataGrid::ConvertPickIDtoComponentID(info->detailIndex.get()), component);
        EXPECT_EQ(TqDataGrid::GetRowFromPickID(info->detailIndex.get()), int64_t(100000000) * 1000);
        EXPECT_EQ(TqDataGrid::GetColumnFromPickID(info->detailIndex.get()), 1000);
        // Written and read back as text (documents), all 64 bits kept.
        std::string text, error;
        ASSERT_TRUE(PropertyTextCodec::toText(info->detailIndex, nullptr, text));
        EXPECT_EQ(text, std::to_string(id));
        auto back = PickedNodeInfo::create();
        ASSERT_TRUE(PropertyTextCodec::setFromText(back->detailIndex, text, nullptr, error)) << error;
        EXPECT_EQ(back->detailIndex.get(), id);
    }
    auto bad = PickedNodeInfo::create(1, 5);
    std::string error;
    EXPECT_FALSE(PropertyTextCodec::setFromText(bad->detailIndex, "-1", nullptr, error));
    EXPECT_FALSE(PropertyTextCodec::setFromText(bad->detailIndex, "99999999999999999999999", nullptr, error));
    EXPECT_EQ(bad->detailIndex.get(), 5u);
}
