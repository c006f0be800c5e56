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
    r = runTool({"render", kReport, "--key", "47", "--print-layout"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find("key 47: toggled"), std::string::npos) << r.out;
}
