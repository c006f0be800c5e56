// SPDX-License-Identifier: Apache-2.0
#include "common/TestSupport.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <string>

namespace {
// Runs the orvane tool and answers its standard output and error; status in rc.
std::string run(const std::string& args, int& rc) {
    std::string cmd = orvane::test::binaryDir() + "/bin/orvane " + args + " 2>&1";
    std::string out;
    if (FILE* p = popen(cmd.c_str(), "r")) {
        char buf[4096];
        size_t n;
        while ((n = fread(buf, 1, sizeof buf, p)) > 0) out.append(buf, n);
        int status = pclose(p);
        rc = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    } else {
        rc = -1;
    }
    return out;
}
} // namespace

TEST(InspectDataTool, PrintsTypedColumnsAndFormattedRows) {
    if (!std::ifstream(orvane::test::binaryDir() + "/bin/orvane")) GTEST_SKIP() << "the orvane tool is not built";
    int rc = 0;
    std::string out = run("inspect --data " + orvane::test::sourceDir() + "/examples/sales.csv --rows 2", rc);
    EXPECT_EQ(rc, 0) << out;
    EXPECT_NE(out.find("12 rows, 9 columns"), std::string::npos) << out;
    EXPECT_NE(out.find("sales.columns.csv"), std::string::npos) << out;
    EXPECT_NE(out.find("order_date  date       DATE9."), std::string::npos) << out;
    EXPECT_NE(out.find("revenue     numeric    DOLLAR12.2  measure"), std::string::npos) << out;
    EXPECT_NE(out.find("Müller, Jonas   06JAN2024      "), std::string::npos) << out;  // aligned by display columns
    EXPECT_NE(out.find("first 2 rows"), std::string::npos) << out;
    EXPECT_EQ(out.find("Chloé Dubois"), std::string::npos) << out;  // row 3 is not shown

    std::string dir = orvane::test::tempDir();
    std::ofstream(dir + "/ragged.csv") << "a,b\n1,2\n3\n";
    out = run("inspect --data " + dir + "/ragged.csv", rc);
    EXPECT_EQ(rc, 1);
    EXPECT_NE(out.find("ragged.csv:3: row has 1 field, expected 2"), std::string::npos) << out;
    out = run("inspect --data " + dir + "/ragged.csv --rows many", rc);
    EXPECT_EQ(rc, 2);  // a usage error
    EXPECT_NE(out.find("--rows needs a number"), std::string::npos) << out;
}
