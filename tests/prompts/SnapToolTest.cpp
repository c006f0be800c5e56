// SPDX-License-Identifier: Apache-2.0
#include "common/ToolRunner.h"

#include <gtest/gtest.h>

using orvane::test::runTool;

TEST(SnapTool, ListsNumericAndDateSnapValues) {
    auto r = runTool({"snap", "0", "0.05", "--format", "COMMA8.2"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "step: 0.01\n6 snap values\n0.00\n0.01\n0.02\n0.03\n0.04\n0.05\n");
    r = runTool({"snap", "2024-02-27", "2024-03-02", "--format", "DATE9."});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "step: one period of DATE\n5 snap values\n27FEB2024\n28FEB2024\n29FEB2024\n01MAR2024\n02MAR2024\n");
    r = runTool({"snap", "15JAN2024", "15APR2024", "--format", "MONYY7."});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find("4 snap values\nJAN2024\nFEB2024\nMAR2024\nAPR2024\n"), std::string::npos) << r.out;
    // Long lists show their ends.
    r = runTool({"snap", "0", "1000"});
    EXPECT_NE(r.out.find("1001 snap values"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("... 961 more (--all lists them)"), std::string::npos) << r.out;
}

TEST(SnapTool, RefusesWhatHasNoSnapValues) {
    auto r = runTool({"snap", "0", "1e12"});
    EXPECT_EQ(r.status, 0);
    EXPECT_NE(r.out.find("no snap values"), std::string::npos) << r.out;
    EXPECT_EQ(runTool({"snap", "0", "inf"}).status, 1);
    EXPECT_EQ(runTool({"snap", "a", "3"}).status, 1);
    EXPECT_EQ(runTool({"snap", "1", "3", "--format", "NOSUCHFMT9."}).status, 1);
    EXPECT_EQ(runTool({"snap", "1"}).status, 1);
}
