// SPDX-License-Identifier: Apache-2.0
// orvane render of a crosstab report: the picture, and the scripted session
// (expand, collapse, drill, page, keys, taps) printing what changed.
#include "common/TestSupport.h"
#include "common/ToolRunner.h"

#include <gtest/gtest.h>

#include <fstream>

using orvane::test::runTool;

namespace {
bool toolBuilt() { return std::ifstream(orvane::test::binaryDir() + "/bin/orvane").good(); }
const std::string kReport = orvane::test::sourceDir() + "/examples/crosstab/crosstab-report.xml";
} // namespace

TEST(CrosstabRenderTool, ExpandsCollapsesDrillsAndPages) {
    if (!toolBuilt()) GTEST_SKIP() << "the orvane tool is not built";
    const std::string out = orvane::test::tempDir() + "/xtab.png";
    auto r = runTool({"render", kReport, "--expand", "North", "--expand", "West", "--collapse", "North", "--page", "down",
                      "--page", "start", "-o", out});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find("expand North: "), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("collapse North: "), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("page start: "), std::string::npos) << r.out;
    EXPECT_TRUE(std::ifstream(out).good());
    // The drill: the region's cities become the rows.
    r = runTool({"render", kReport, "--drill", "West", "--print-layout"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find("drill West: "), std::string::npos) << r.out;
    // A member that is not shown is a clear error.
    r = runTool({"render", kReport, "--expand", "Atlantis", "--print-layout"});
    EXPECT_NE(r.status, 0);
    EXPECT_NE(r.err.find("no member \"Atlantis\""), std::string::npos) << r.err;
    r = runTool({"render", kReport, "--page", "sideways", "--print-layout"});
    EXPECT_NE(r.status, 0);
    r = runTool({"render", kReport, "--key", "3", "--print-layout"});
    EXPECT_NE(r.status, 0);
    // Keys: Space on the first data cell selects it.
    r = runTool({"render", kReport, "--key", "space", "--print-layout"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find("crosstab: toggled"), std::string::npos) << r.out;
}

TEST(CrosstabRenderTool, SeparatorPansAndAltKeysResizeHeaderColumns) {
    if (!toolBuilt()) GTEST_SKIP() << "the orvane tool is not built";
    // The Region column's right edge (82, 140 on the page) dragged 40 px.
    auto r = runTool({"render", kReport, "--pan", "82,140,40,0", "--print-layout"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find("row header 0 width 103"), std::string::npos) << r.out;
    // The Region axis header focused, then alt+right widens its column.
    r = runTool({"render", kReport, "--tap", "45,90", "--key", "right", "--modifier", "alt", "--print-layout"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find("key right with alt: handled"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("resized Region"), std::string::npos) << r.out;
    // Without the modifier the arrows walk the axis labels into the data.
    r = runTool({"render", kReport, "--tap", "45,90", "--key", "right", "--key", "right", "--print-layout"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find("focus on row axis label City"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("focus on measure header Revenue"), std::string::npos) << r.out;
    // A saved window restored as an export shows it.
    r = runTool({"render", kReport, "--window", "1,3", "--width", "320", "--print-layout"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find("columns 3-"), std::string::npos) << r.out;
    r = runTool({"render", kReport, "--window", "0,x", "--print-layout"});
    EXPECT_NE(r.status, 0);
    // The sorted example renders with its levels' order.
    const std::string out = orvane::test::tempDir() + "/xtab-sorted.png";
    r = runTool({"render", orvane::test::sourceDir() + "/examples/crosstab/crosstab-sorted.xml", "-o", out});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_TRUE(std::ifstream(out).good());
}

TEST(CrosstabRenderTool, PagingButtonsSavedWindowAndOtherShapes) {
    if (!toolBuilt()) GTEST_SKIP() << "the orvane tool is not built";
    const std::string dir = orvane::test::sourceDir() + "/examples/crosstab/";
    // A page down moves the buttons: the new first row pages back.
    auto r = runTool({"render", dir + "crosstab-paging.xml", "--page", "down", "--page", "right", "--print-layout"});
    ASSERT_EQ(r.status, 0) << r.err;
    const auto down = r.out.find("page down: ");
    ASSERT_NE(down, std::string::npos) << r.out;
    const std::string line = r.out.substr(down, r.out.find('\n', down) - down);
    EXPECT_NE(line.find("paging buttons on "), std::string::npos) << line;
    EXPECT_NE(line.find(" (up)"), std::string::npos) << line;
    EXPECT_NE(line.find(" (down)"), std::string::npos) << line;
    EXPECT_NE(r.out.find("page right: "), std::string::npos) << r.out;
    // Printed: no buttons, so nothing to page with; the pictures are made.
    for (const auto& args : std::vector<std::vector<std::string>>{
             {dir + "crosstab-paging.xml", "--static"}, {dir + "crosstab-outline.xml"}, {dir + "crosstab-outline.xml", "--width", "320"}}) {
        const std::string out = orvane::test::tempDir() + "/xtab-shape.png";
        std::vector<std::string> call{"render"};
        call.insert(call.end(), args.begin(), args.end());
        call.insert(call.end(), {"-o", out});
        r = runTool(call);
        ASSERT_EQ(r.status, 0) << args[0] << ": " << r.err;
        EXPECT_TRUE(std::ifstream(out).good());
    }
    // A window that is not two numbers is a clear error.
    const std::string bad = orvane::test::tempDir() + "/bad-window.xml";
    std::ofstream(bad) << "<orvane version=\"202301\"><LayoutProxy><content><crosstab data=\"" << dir
                       << "orders.csv\" rows=\"region\" columns=\"year\" measures=\"revenue:sum\" window=\"3\"/>"
                       << "</content></LayoutProxy></orvane>\n";
    r = runTool({"render", bad, "--print-layout"});
    EXPECT_NE(r.status, 0);
    EXPECT_NE(r.err.find("window must be ROW,COLUMN"), std::string::npos) << r.err;
}
