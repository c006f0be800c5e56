// SPDX-License-Identifier: Apache-2.0
// Prompts in report pages: the markup, the tables they select in, gestures
// routed through the report, and the tool's drag and typing.
#include "common/TestSupport.h"
#include "common/ToolRunner.h"
#include "orvane/datagrid/DataGrid.h"
#include "orvane/host/data/DataSet.h"
#include "orvane/host/data/RowStates.h"
#include "orvane/host/input/Gesture.h"
#include "orvane/host/input/GestureRecognizerType.h"
#include "orvane/host/text/TextEngine.h"
#include "orvane/prompts/PromptListRenderer.h"
#include "orvane/prompts/RangeSliderRenderer.h"
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
