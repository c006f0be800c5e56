// SPDX-License-Identifier: Apache-2.0
// orvane a11y (the screen-reader transcript) and orvane sonify --table: what
// is read in order, navigation steps and page turns in the order given, the
// edges, narrow pages with a frozen column, and refused input.
#include "common/TestSupport.h"
#include "common/ToolRunner.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

using orvane::test::runTool;

namespace {

std::string example(const std::string& path) { return orvane::test::sourceDir() + "/examples/" + path; }

size_t count(const std::string& text, const std::string& what) {
    size_t n = 0;
    for (size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) ++n;
    return n;
}

TEST(A11yCommandTest, ReadsTheBundledTableInGridOrder) {
    auto r = runTool({"a11y"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out.rfind("List table, 12 rows, 7 columns\n", 0), 0u) << r.out;
    // The header row first, then the rows, then the totals.
    size_t header = r.out.find("  Column 1 of 7; Column header; Customer\n");
    size_t first = r.out.find("  Row 1 of 12; Column 1 of 7; Customer = ");
    size_t last = r.out.find("  Row 12 of 12; Column 7 of 7; Discount = ");
    size_t total = r.out.find("  Column 7 of 7; No total\n");
    ASSERT_NE(header, std::string::npos) << r.out;
    EXPECT_LT(header, first);
    EXPECT_LT(first, last);
    EXPECT_LT(last, total);
    EXPECT_EQ(count(r.out, "Row 1 of 12;"), 7u);
    EXPECT_NE(r.out.find("Revenue; Sorted descending, first sort"), std::string::npos);
    EXPECT_NE(r.out.find("    hint: Double tap to select the row.\n"), std::string::npos);
}

TEST(A11yCommandTest, StepsRunInTheOrderGivenAndStopAtTheEdges) {
    auto r = runTool({"a11y", "--focus", "next", "--focus", "left", "--focus", "down", "--focus=end", "--focus", "right",
                      "--focus", "prev"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find("focus next\n  Column 1 of 7; Column header; Customer\n"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("focus left\n  (edge of the table: the focus stays)\n  Column 1 of 7;"), std::string::npos);
    EXPECT_NE(r.out.find("focus end\n  Row 1 of 12; Column 7 of 7; Discount = "), std::string::npos);
    EXPECT_NE(r.out.find("focus right\n  (edge of the table: the focus stays)\n  Row 1 of 12; Column 7 of 7;"),
              std::string::npos);
    EXPECT_NE(r.out.find("focus prev\n  Row 1 of 12; Column 6 of 7; Revenue = "), std::string::npos);
    auto looped = runTool({"a11y", "--loop", "--focus", "first", "--focus", "prev"});
    ASSERT_EQ(looped.status, 0) << looped.err;
    EXPECT_NE(looped.out.find("focus prev\n  Column 7 of 7; No total\n"), std::string::npos) << looped.out;
}

TEST(A11yCommandTest, ANarrowPageScrollsPastItsFrozenColumn) {
    auto r = runTool({"a11y", example("table/table-report.xml"), "--width", "320", "--focus", "next", "--focus", "down",
                      "--focus", "end", "--focus", "home"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find("focus end\n  Row 1 of 12; Column 8 of 8; Discount = "), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("focus home\n  Row 1 of 12; Column 1 of 8; Customer = "), std::string::npos);
    EXPECT_EQ(r.out.find("(off screen)"), std::string::npos);  // the focused cell is always shown
    auto second = runTool({"a11y", example("table/table-report.xml"), "--table", "2"});
    ASSERT_EQ(second.status, 0) << second.err;
    EXPECT_EQ(second.out.rfind("List table, 5 rows, 5 columns\n", 0), 0u) << second.out;
}

TEST(A11yCommandTest, RightToLeftTheFirstColumnIsOnTheRightAndLeftWalksOn) {
    auto r = runTool({"a11y", "--rtl", "--focus", "next", "--focus", "down", "--focus", "right", "--focus", "left"});
    ASSERT_EQ(r.status, 0) << r.err;
    // The table's grid is mirrored: column 1 is drawn right of column 2, the
    // right arrow is at the edge from column 1, and left walks to column 2.
    EXPECT_NE(r.out.find("focus right\n  (edge of the table: the focus stays)\n  Row 1 of 12; Column 1 of 7;"),
              std::string::npos)
        << r.out;
    EXPECT_NE(r.out.find("focus left\n  Row 1 of 12; Column 2 of 7;"), std::string::npos) << r.out;
    auto x = [&](const std::string& after) {
        size_t at = r.out.find(after);
        at = at == std::string::npos ? at : r.out.find("    at ", at);
        return at == std::string::npos ? -1 : std::stoi(r.out.substr(at + 7));
    };
    const int first = x("focus down\n"), second = x("focus left\n");
    ASSERT_GE(first, 0);
    ASSERT_GE(second, 0);
    EXPECT_GT(first, second);
    // Left to right, the same steps go the other way.
    auto ltr = runTool({"a11y", "--focus", "next", "--focus", "down", "--focus", "left"});
    EXPECT_NE(ltr.out.find("focus left\n  (edge of the table: the focus stays)\n  Row 1 of 12; Column 1 of 7;"),
              std::string::npos)
        << ltr.out;
}

TEST(A11yCommandTest, ACrosstabTallerThanItsBoxPagesAndListsItsRowsBelowTheWindow) {
    const std::string report = orvane::test::tempDir() + "/tall-crosstab.xml";
    {
        std::ofstream out(report);
        out << R"(<orvane version="202301"><LayoutProxy>
  <defaultStrategy><ResponsiveLayoutStrategy orientation="vertical"/></defaultStrategy>
  <children><LayoutProxy><content>
    <crosstab data=")" << example("crosstab/orders.csv")
            << R"(" rows="region,city" columns="year" measures="revenue:sum" expand="*" height="140"/>
  </content></LayoutProxy></children>
</LayoutProxy></orvane>
)";
    }
    auto all = runTool({"a11y", report, "--crosstab", "1"});
    ASSERT_EQ(all.status, 0) << all.err;
    // The row just below the window is read too, with its outline below the box.
    const size_t off = all.out.find(" (off screen)\n");
    ASSERT_NE(off, std::string::npos) << all.out;
    const size_t at = all.out.rfind("    at ", off);
    ASSERT_NE(at, std::string::npos);
    const int y = std::stoi(all.out.substr(all.out.find(',', at) + 1));
    EXPECT_GE(y, 140) << all.out.substr(at, off - at);

    auto paged = runTool({"a11y", report, "--crosstab", "1", "--page", "down", "--page", "down", "--page", "down",
                          "--page", "down", "--page", "up"});
    ASSERT_EQ(paged.status, 0) << paged.err;
    EXPECT_EQ(paged.out.find("only list tables"), std::string::npos) << paged.out;
    EXPECT_EQ(paged.out.find("page down\n"), paged.out.find("page down")) << "the first page turns\n" << paged.out;
    EXPECT_NE(paged.out.find("page down: already at the end\n"), std::string::npos) << paged.out;
    EXPECT_NE(paged.out.find("page up\n"), std::string::npos) << paged.out;
}

TEST(A11yCommandTest, BadStepsAndReportsWithoutTablesAreRefused) {
    auto r = runTool({"a11y", "--focus", "sideways"});
    EXPECT_EQ(r.status, 2);
    EXPECT_NE(r.err.find("--focus wants next, prev"), std::string::npos) << r.err;
    EXPECT_EQ(runTool({"a11y", "--page", "over"}).status, 2);
    EXPECT_EQ(runTool({"a11y", "--table", "0"}).status, 2);
    auto noTable = runTool({"a11y", example("layout.xml")});
    EXPECT_EQ(noTable.status, 1);
    EXPECT_NE(noTable.err.find("the report has no table"), std::string::npos) << noTable.err;
    auto tooFar = runTool({"a11y", "--table", "3"});
    EXPECT_EQ(tooFar.status, 1);
    EXPECT_NE(tooFar.err.find("but the report has 1 table"), std::string::npos) << tooFar.err;
    EXPECT_EQ(runTool({"a11y", "nosuch.xml"}).status, 1);
}

TEST(A11yCommandTest, SonifyPlaysATableColumnInTheTablesOrder) {
    std::string dir = orvane::test::tempDir();
    auto r = runTool({"sonify", "--table", example("table/table-report.xml"), "--column", "Revenue ($K)", "-o",
                      dir + "/revenue.wav"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find("12 values (1 missing"), std::string::npos) << r.out;
    EXPECT_GT(std::filesystem::file_size(dir + "/revenue.wav"), 1000u);
    auto text = runTool({"sonify", "--table", example("table/table-report.xml"), "--column", "customer", "-o",
                         dir + "/c.wav"});
    EXPECT_EQ(text.status, 1);
    EXPECT_NE(text.err.find("holds no numbers"), std::string::npos) << text.err;
    EXPECT_FALSE(std::filesystem::exists(dir + "/c.wav"));
    EXPECT_EQ(runTool({"sonify", "--table", example("table/table-report.xml"), "--column", "nope", "-o", dir + "/n.wav"})
                  .status,
              1);
    EXPECT_EQ(runTool({"sonify", example("sales.csv"), "--table", example("table/table-report.xml"), "--column",
                       "revenue", "-o", dir + "/x.wav"})
                  .status,
              2);
}

} // namespace
