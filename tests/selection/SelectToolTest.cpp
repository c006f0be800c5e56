// SPDX-License-Identifier: Apache-2.0
#include "common/TestSupport.h"
#include "common/ToolRunner.h"

#include <gtest/gtest.h>

using orvane::test::runTool;
using orvane::test::sourceDir;

namespace {
std::string sales() { return sourceDir() + "/examples/sales.csv"; }
}

TEST(SelectTool, AppliesPrintsAndRoundTrips) {
    auto r = runTool({"select", sales(), "--where", "\"region\" in (\"East\",\"West\")"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find("selected 7 of 12 rows (1 selection change)"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("round trip: the same 7 rows"), std::string::npos) << r.out;

    // Two variables that do not tell the rows apart: the round trip says so.
    r = runTool({"select", sales(), "--where", "\"region\" = \"West\" and \"quantity\" < 5", "--vars", "region,product"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find("selected 2 of 12 rows"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("(\"region\" = \"West\" and \"product\" = \"Gadget\") or (\"region\" = \"West\" and \"product\" = \"Gizmo\")"),
              std::string::npos)
        << r.out;
    EXPECT_NE(r.out.find("round trip: 3 rows"), std::string::npos) << r.out;

    // Bins of one variable are or-ed; the boundary 10 falls in one bin only.
    r = runTool({"select", sales(), "--where", "\"quantity\" >= 10", "--vars", "quantity", "--bins", "quantity:0,10,20,50"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find("(\"quantity\" >= 10 and \"quantity\" < 20) or \"quantity\" between 20 and 50"), std::string::npos)
        << r.out;
    EXPECT_NE(r.out.find("round trip: the same 4 rows"), std::string::npos) << r.out;
}

TEST(SelectTool, BadInputIsReportedNotApplied) {
    auto r = runTool({"select", sales(), "--where", "\"colour\" = \"Red\""});
    EXPECT_EQ(r.status, 0);
    EXPECT_NE(r.out.find("selected 0 of 12 rows (0 selection changes)"), std::string::npos) << r.out;
    EXPECT_NE(r.err.find("Cannot convert expression to where-clause"), std::string::npos) << r.err;
    r = runTool({"select", sales(), "--where", "\"region\" in ("});
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("not an expression"), std::string::npos) << r.err;
    r = runTool({"select", sales()});
    EXPECT_EQ(r.status, 1);
    r = runTool({"select", sourceDir() + "/examples/missing.csv", "--where", "\"a\" = 1"});
    EXPECT_EQ(r.status, 1);
    r = runTool({"select", sales(), "--where", "\"quantity\" > 1", "--bins", "quantity:5"});
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("at least two boundaries"), std::string::npos) << r.err;
}
