// SPDX-License-Identifier: Apache-2.0
// Prompts in report pages: the markup, the tables they select in, gestures
// routed through the report, and the tool's drag and typing.
#include "common/TestSupport.h"
#include "common/ToolRunner.h"
#include "orvane/crosstab/Crosstab.h"
#include "orvane/crosstab/CrosstabRenderer.h"
#include "orvane/datagrid/DataGrid.h"
#include "orvane/datagrid/DataGridRenderer.h"
#include "orvane/displaylist/TqCrosstab.h"
#include "orvane/host/data/Column.h"
#include "orvane/host/data/DataValue.h"
#include "orvane/host/data/DataSet.h"
#include "orvane/host/data/RowStates.h"
#include "orvane/host/input/Gesture.h"
#include "orvane/host/input/GestureRecognizerType.h"
#include "orvane/host/input/KeyCode.h"
#include "orvane/host/text/TextEngine.h"
#include "orvane/prompts/PromptListRenderer.h"
#include "orvane/prompts/RangeSliderRenderer.h"
#include "orvane/prompts/SingleRangeSliderRenderer.h"
#include "orvane/report/Report.h"
#include "orvane/report/ReportPage.h"
#include "orvane/report/ReportPrompt.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

using namespace orvane;
using orvane::test::runTool;

namespace {

std::string page(const std::string& prompts) {
    return R"(<orvane version="202301">
  <LayoutProxy>
    <defaultStrategy><ResponsiveLayoutStrategy orientation="vertical"/></defaultStrategy>
    <children>
)" + prompts + R"(
      <LayoutProxy>
        <content>
          <table data="orders.csv"><DataGrid/></table>
        </content>
      </LayoutProxy>
    </children>
  </LayoutProxy>
</orvane>
)";
}

std::string reportPath() { return test::sourceDir() + "/examples/prompts/inline.xml"; }


} // namespace

TEST(PromptReport, PromptsSelectInTheTablesOverTheirData) {
    TextEngine::ScopedBackend fixed(TextEngine::Backend::FIXED_METRICS);
    std::vector<std::string> errors;
    auto report = Report::read(reportPath(), page(R"(
      <LayoutProxy><content><prompt kind="list" data="orders.csv" column="region" select="East|West"/></content></LayoutProxy>
      <LayoutProxy><content><prompt kind="range" data="orders.csv" column="year" select="2020|2021"/></content></LayoutProxy>)"),
                               errors);
    ASSERT_TRUE(report) << (errors.empty() ? "" : errors[0]);
    report->layout(800);
    report->render();
    auto prompts = report->getPage()->getPrompts();
    ASSERT_EQ(prompts.size(), 2u);
    // Both select in the table's data set: East and West orders of 2020 and 2021.
    auto ds = prompts[0]->getTargets().front();
    EXPECT_EQ(prompts[1]->getTargets().front(), ds);
    EXPECT_EQ(ds->getRowCount(), 48u);
    EXPECT_EQ(ds->getRowStates()->getSelectedCount(), 8u);
    std::ostringstream layout;
    report->printLayout(layout);
    EXPECT_NE(layout.str().find("prompt list on region (orders.csv)"), std::string::npos) << layout.str();
    EXPECT_NE(layout.str().find("prompt range on year (orders.csv)"), std::string::npos);

    // A tap routed through the report: the list's third row (North) joins.
    auto list = std::static_pointer_cast<PromptListRenderer>(prompts[0]->getView());
    const Point origin = list->getOriginInRootViewCoordinates();
    const float l = list->getLineHeight();
    const Point row{origin.x + 60, origin.y + list->getFrame().height - l / 8 - 1.5f * l};
    EXPECT_EQ(report->routeGesture(std::make_shared<Tap>(row)), Report::Outcome::HANDLED);
    EXPECT_EQ(prompts[0]->describeSelection(), "East, North, West");
    EXPECT_EQ(ds->getRowStates()->getSelectedCount(), 12u);

    // A pan routed through the report moves the range's upper thumb to the end.
    auto slider = std::static_pointer_cast<RangeSliderRenderer>(prompts[1]->getView());
    const Point so = slider->getOriginInRootViewCoordinates();
    const Point thumb{so.x + slider->getThumbPosition(true), so.y + slider->trackCentre()};
    report->routeGesture(std::make_shared<Pan>(GestureRecognizerState::BEGAN, thumb, Point{0, 0}));
    report->routeGesture(std::make_shared<Pan>(GestureRecognizerState::ENDED, Point{thumb.x + 2000, thumb.y},
                                               Point{2000, 0}));
    EXPECT_EQ(prompts[1]->describeSelection(), "2020 to 2024");
    EXPECT_EQ(ds->getRowStates()->getSelectedCount(), 30u);
}

TEST(PromptReport, MarkupMistakesAreReportedWithTheirPlace) {
    std::vector<std::string> errors;
    auto bad = [&](const std::string& prompt) {
        errors.clear();
        auto r = Report::read(reportPath(), page("<LayoutProxy><content>" + prompt + "</content></LayoutProxy>"), errors);
        EXPECT_FALSE(r);
        return errors.empty() ? std::string() : errors[0];
    };
    EXPECT_NE(bad(R"(<prompt kind="list" data="orders.csv" column="nope"/>)").find("no column \"nope\""),
              std::string::npos);
    EXPECT_NE(bad(R"(<prompt kind="wheel" data="orders.csv" column="region"/>)").find("kind must be list"),
              std::string::npos);
    EXPECT_NE(bad(R"(<prompt kind="list" column="region"/>)").find("needs a data attribute"), std::string::npos);
    EXPECT_NE(bad(R"(<prompt kind="range" data="orders.csv" column="region"/>)").find("needs a column of numbers"),
              std::string::npos);
    EXPECT_NE(bad(R"(<prompt kind="list" data="missing.csv" column="region"/>)").find("cannot read the prompt data"),
              std::string::npos);
    EXPECT_NE(bad(R"(<prompt kind="list" data="orders.csv" column="region">text</prompt>)").find("<prompt> cannot hold text"),
              std::string::npos);
    const std::string where = bad(R"(<prompt kind="list" data="orders.csv" column="region" colour="red"/>)");
    EXPECT_NE(where.find("inline.xml:5:"), std::string::npos) << where;
    EXPECT_NE(where.find("unknown attribute \"colour\""), std::string::npos) << where;
}

TEST(PromptReport, ToolDragsTypesAndPrintsTheSelection) {
    const std::string example = test::sourceDir() + "/examples/prompts/prompts-report.xml";
    const std::string png = test::tempDir() + "/prompts.png";
    auto r = runTool({"render", example, "--print-layout"});
    ASSERT_EQ(r.status, 0) << r.err;
    auto r2 = runTool({"render", example, "--type", "gad", "-o", png});
    ASSERT_EQ(r2.status, 0) << r2.err;
    EXPECT_NE(r2.out.find("type \"gad\""), std::string::npos) << r2.out;
    EXPECT_NE(r2.out.find("prompt text on product: Gadget; "), std::string::npos) << r2.out;
    EXPECT_NE(r2.out.find(" of 48 rows selected"), std::string::npos) << r2.out;
    EXPECT_TRUE(std::filesystem::exists(png));
    // Malformed drags are usage errors.
    auto bad = runTool({"render", example, "--drag", "1,2,3"});
    EXPECT_EQ(bad.status, 2);
    EXPECT_NE(bad.err.find("--drag wants X,Y,DX,DY"), std::string::npos) << bad.err;
    // A drag over nothing says so.
    auto none = runTool({"render", example, "--drag", "5,5,10,0"});
    EXPECT_EQ(none.status, 0) << none.err;
    EXPECT_NE(none.out.find("nothing there to drag"), std::string::npos) << none.out;
}

TEST(PromptReport, KeysReachTheFocusedPromptUntilATableIsTapped) {
    TextEngine::ScopedBackend fixed(TextEngine::Backend::FIXED_METRICS);
    std::vector<std::string> errors;
    auto report = Report::read(reportPath(), page(R"(
      <LayoutProxy><content><prompt kind="slider" data="orders.csv" column="year" select="2021"/></content></LayoutProxy>)"),
                               errors);
    ASSERT_TRUE(report) << (errors.empty() ? "" : errors[0]);
    report->layout(800);
    report->render();
    auto prompt = report->getPage()->getPrompts().at(0);
    auto slider = std::static_pointer_cast<SingleRangeSliderRenderer>(prompt->getView());
    const Point so = slider->getOriginInRootViewCoordinates();
    auto thumb = [&] { return Point{so.x + slider->getThumbPosition(), so.y + slider->trackCentre()}; };
    EXPECT_EQ(prompt->describeSelection(), "2021");
    const size_t rows2021 = prompt->getSelectedRowCount();

    // Nothing focused: an arrow is no prompt's.
    EXPECT_EQ(report->routeKey(KeyCode::RIGHT), Report::Outcome::NOT_HANDLED);
    EXPECT_EQ(prompt->describeSelection(), "2021");

    // A tap on the thumb focuses the slider without moving it; then the
    // arrows move the thumb one snap step, and the selection follows.
    report->routeGesture(std::make_shared<Tap>(thumb()));
    ASSERT_TRUE(prompt->hasFocus());
    EXPECT_EQ(prompt->describeSelection(), "2021");
    EXPECT_EQ(report->routeKey(KeyCode::RIGHT), Report::Outcome::HANDLED);
    EXPECT_EQ(prompt->describeSelection(), "2022");
    EXPECT_EQ(rows2021, 8u);  // each year has eight orders
    EXPECT_EQ(prompt->getSelectedRowCount(), 8u);
    EXPECT_EQ(report->routeKey(KeyCode::LEFT), Report::Outcome::HANDLED);
    EXPECT_EQ(report->routeKey(KeyCode::LEFT), Report::Outcome::HANDLED);
    EXPECT_EQ(prompt->describeSelection(), "2020");
    EXPECT_EQ(report->routeKey(KeyCode::HOME), Report::Outcome::HANDLED);
    const std::string lowest = prompt->describeSelection();
    // At the bound the thumb stays: nothing to handle.
    EXPECT_EQ(report->routeKey(KeyCode::LEFT), Report::Outcome::NOT_HANDLED);
    EXPECT_EQ(prompt->describeSelection(), lowest);
    // A key prompts do not answer is not taken by anyone else either.
    EXPECT_EQ(report->routeKey(KeyCode::TAB), Report::Outcome::NOT_HANDLED);
    EXPECT_EQ(prompt->describeSelection(), lowest);
    EXPECT_EQ(report->routeKey(KeyCode::END), Report::Outcome::HANDLED);
    EXPECT_EQ(prompt->describeSelection(), "2024");
    // Ten steps down from the top stop at the bottom.
    EXPECT_EQ(report->routeKey(KeyCode::PAGE_DOWN), Report::Outcome::HANDLED);
    EXPECT_EQ(prompt->describeSelection(), lowest);
    report->routeGesture(std::make_shared<Tap>(thumb()));
    report->routeKey(KeyCode::HOME);
    report->routeKey(KeyCode::RIGHT);
    EXPECT_EQ(report->routeKey(KeyCode::RIGHT), Report::Outcome::HANDLED);
    const std::string twoUp = prompt->describeSelection();
    EXPECT_NE(twoUp, lowest);

    // A tap on the table takes the focus: the table holds the keys now and
    // the slider no longer moves.
    auto table = report->getTables().at(0);
    const Point to = table->getOriginInRootViewCoordinates();
    const Rect tf = table->getFrame();
    report->routeGesture(std::make_shared<Tap>(Point{to.x + tf.width / 2, to.y + tf.height / 2}));
    EXPECT_FALSE(prompt->hasFocus());
    EXPECT_TRUE(table->asFocusable()->hasKeyboardFocus());
    report->routeKey(KeyCode::RIGHT);
    EXPECT_EQ(prompt->describeSelection(), twoUp);
}

TEST(PromptReport, PromptsMarkTheCrossingsOfACrosstabOverTheirData) {
    TextEngine::ScopedBackend fixed(TextEngine::Backend::FIXED_METRICS);
    std::vector<std::string> errors;
    auto report = Report::read(reportPath(), R"(<orvane version="202301">
  <LayoutProxy>
    <defaultStrategy><ResponsiveLayoutStrategy orientation="vertical"/></defaultStrategy>
    <children>
      <LayoutProxy><content><prompt kind="list" data="orders.csv" column="region" select="East"/></content></LayoutProxy>
      <LayoutProxy><content><crosstab data="orders.csv" rows="region" columns="year" measures="revenue:sum" totals="true"/></content></LayoutProxy>
    </children>
  </LayoutProxy>
</orvane>
)",
                               errors);
    ASSERT_TRUE(report) << (errors.empty() ? "" : errors[0]);
    report->layout(800);
    report->render();
    auto prompt = report->getPage()->getPrompts().at(0);
    auto crosstab = report->getCrosstabs().at(0);
    // The prompt selects in the crosstab's own data (no table on the page).
    ASSERT_EQ(prompt->getTargets().size(), 1u);
    EXPECT_EQ(prompt->getTargets().front(), crosstab->getModel()->sourceDataSet.get());
    auto source = crosstab->getModel()->sourceDataSet.get();
    auto region = source->getColumnWithName("region");
    ASSERT_TRUE(region);

    // Every crossing of the East row (its years and its total) is marked and
    // nothing else: each marked crossing holds East orders only.
    auto check = [&](const std::string& name) {
        const auto& cells = crosstab->getSelectedCells();
        EXPECT_FALSE(cells.empty()) << name;
        size_t inRow = 0;
        for (const auto& [row, col] : cells) {
            auto leaf = crosstab->getRowLeafAt(row);
            ASSERT_TRUE(leaf);
            EXPECT_EQ(leaf->getPresentableText(), name);
            for (int32_t r : crosstab->getSourceRows(row, col)) {
                auto text = region->getStringAtIndex(size_t(r));
                EXPECT_EQ(text ? *text : std::string(), name);
            }
            ++inRow;
        }
        // The row's crossings with rows at all are every one marked.
        int64_t at = -1;
        for (int64_t r = 0; r < crosstab->getCrosstabNode()->GetNumRows(); ++r)
            if (auto leaf = crosstab->getRowLeafAt(r); leaf && leaf->getPresentableText() == name) at = r;
        ASSERT_GE(at, 0) << name;
        size_t withRows = 0;
        for (int g = 0; g < crosstab->getCrosstabNode()->GetNumColumns(); ++g)
            if (!crosstab->getSourceRows(at, g).empty()) ++withRows;
        EXPECT_EQ(inRow, withRows) << name;
    };
    check("East");

    // Another pick moves the marks; clearing the list clears them.
    auto list = std::static_pointer_cast<PromptListRenderer>(prompt->getView());
    const Point origin = list->getOriginInRootViewCoordinates();
    const float l = list->getLineHeight();
    auto lineAt = [&](int i) { return Point{origin.x + 60, origin.y + list->getFrame().height - l / 8 - (i + 0.5f) * l}; };
    report->routeGesture(std::make_shared<Tap>(lineAt(0)));  // East off: nothing picked
    EXPECT_EQ(prompt->describeSelection(), "nothing picked");
    EXPECT_TRUE(crosstab->getSelectedCells().empty());
    report->routeGesture(std::make_shared<Tap>(lineAt(3)));  // West
    EXPECT_EQ(prompt->describeSelection(), "West");
    check("West");
}
