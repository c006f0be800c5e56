// SPDX-License-Identifier: Apache-2.0
#include "common/TestSupport.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <string>

namespace {
struct ToolRun {
    int status;
    std::string out;
};

ToolRun runTool(const std::string& args) {
    std::string command = orvane::test::binaryDir() + "/bin/orvane " + args + " 2>&1";
    ToolRun r{-1, ""};
    FILE* p = popen(command.c_str(), "r");
    if (!p) return r;
    std::array<char, 4096> buf;
    while (size_t n = fread(buf.data(), 1, buf.size(), p)) r.out.append(buf.data(), n);
    int status = pclose(p);
    r.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return r;
}
} // namespace

TEST(TicksCommand, NumericLogarithmicAndIntegerRanges) {
    ToolRun r = runTool("ticks 0 100");
    EXPECT_EQ(r.status, 0) << r.out;
    EXPECT_NE(r.out.find("ticks (6): 0 20 40 60 80 100"), std::string::npos) << r.out;
    r = runTool("ticks -3 7 --max-ticks 6");
    EXPECT_NE(r.out.find("ticks (6): -5 -2.5 0 2.5 5 7.5"), std::string::npos) << r.out;
    r = runTool("ticks 9.5 1100 --log 10");
    EXPECT_NE(r.out.find("majors (3): 10 100 1000"), std::string::npos) << r.out;
    r = runTool("ticks 0 1000 --integer --max-ticks 3");
    EXPECT_NE(r.out.find("ticks (3): 0 500 1000"), std::string::npos) << r.out;
    // The range spans more than the largest double: the ticks stay finite.
    r = runTool("ticks -1e308 1e308");
    EXPECT_EQ(r.status, 0) << r.out;
    EXPECT_EQ(r.out.find("inf"), std::string::npos) << r.out;
    r = runTool("ticks 0 100 --format COMMA8.1");
    EXPECT_NE(r.out.find("labels (COMMA8.1): 0.0 20.0 40.0"), std::string::npos) << r.out;
}

TEST(TicksCommand, DateDateTimeAndTimeRanges) {
    ToolRun r = runTool("ticks 01JAN2020 15MAR2021 --format DATE9.");
    EXPECT_EQ(r.status, 0) << r.out;
    EXPECT_NE(r.out.find("interval MONTH3, label format MONYY7."), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("21915            2020-01-01"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("22371            2021-04-01"), std::string::npos) << r.out;
    r = runTool("ticks 01jan2020:08:00 01JAN2020:17:30");
    EXPECT_NE(r.out.find("interval HOUR2, label format DATETIME10."), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("2020-01-01 18:00:00"), std::string::npos) << r.out;
    r = runTool("ticks 08:00 17:30 --format TIME5.");
    EXPECT_NE(r.out.find("label format TIME5."), std::string::npos) << r.out;
    r = runTool("ticks 01JAN2020 31DEC2020 --format WEEKDAY.");
    EXPECT_NE(r.out.find("no interval of the ladder fits"), std::string::npos) << r.out;
}

TEST(TicksCommand, RejectsBadArguments) {
    for (const char* args : {"ticks", "ticks 1", "ticks x 3", "ticks 1 2 --bogus", "ticks 1 2 --max-ticks",
                             "ticks 1 2 --max-ticks 2.5", "ticks 31FEB2020 01MAR2020", "ticks 25:00 26:00",
                             "ticks 01JAN2020 01FEB2020 --format COMMA8.", "ticks 1 2 --log ten",
                             "ticks 1 2 --log 1", "ticks 01JAN2020 01FEB2020 --integer", "ticks nan 5", "ticks 1 inf",
                             "ticks -inf 0 --log 10"}) {
        ToolRun r = runTool(args);
        EXPECT_EQ(r.status, 2) << args << "\n" << r.out;  // a usage error
        EXPECT_EQ(r.out.rfind("ticks: ", 0), 0u) << args << "\n" << r.out;
    }
    // Arguments that read but give no axis: the work fails.
    for (const char* args : {"ticks 01JAN2020 01JAN20001", "ticks -5 5 --log 10"}) {
        ToolRun r = runTool(args);
        EXPECT_EQ(r.status, 1) << args << "\n" << r.out;
        EXPECT_EQ(r.out.rfind("ticks: ", 0), 0u) << args << "\n" << r.out;
    }
}
