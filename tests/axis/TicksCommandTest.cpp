// SPDX-License-Identifier: Apache-2.0
#include "common/ToolRunner.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>

using orvane::test::ToolResult;

namespace {
// The ticks command's output; its messages follow on standard error.
ToolResult ticks(const std::string& args) { return orvane::test::runTool(orvane::test::words("ticks " + args)); }
} // namespace

TEST(TicksCommand, NumericLogarithmicAndIntegerRanges) {
    ToolResult r = ticks("0 100");
    EXPECT_EQ(r.status, 0) << r.out;
    EXPECT_NE(r.out.find("ticks (6): 0 20 40 60 80 100"), std::string::npos) << r.out;
    r = ticks("-3 7 --max-ticks 6");
    EXPECT_NE(r.out.find("ticks (6): -5 -2.5 0 2.5 5 7.5"), std::string::npos) << r.out;
    r = ticks("9.5 1100 --log 10");
    EXPECT_NE(r.out.find("majors (3): 10 100 1000"), std::string::npos) << r.out;
    r = ticks("0 1000 --integer --max-ticks 3");
    EXPECT_NE(r.out.find("ticks (3): 0 500 1000"), std::string::npos) << r.out;
    // The range spans more than the largest double: the ticks stay finite.
    r = ticks("-1e308 1e308");
    EXPECT_EQ(r.status, 0) << r.out;
    EXPECT_EQ(r.out.find("inf"), std::string::npos) << r.out;
    r = ticks("0 100 --format COMMA8.1");
    EXPECT_NE(r.out.find("labels (COMMA8.1): 0.0 20.0 40.0"), std::string::npos) << r.out;
}

TEST(TicksCommand, DateDateTimeAndTimeRanges) {
    ToolResult r = ticks("01JAN2020 15MAR2021 --format DATE9.");
    EXPECT_EQ(r.status, 0) << r.out;
    EXPECT_NE(r.out.find("interval MONTH3, label format MONYY7."), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("21915            2020-01-01"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("22371            2021-04-01"), std::string::npos) << r.out;
    r = ticks("01jan2020:08:00 01JAN2020:17:30");
    EXPECT_NE(r.out.find("interval HOUR2, label format DATETIME10."), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("2020-01-01 18:00:00"), std::string::npos) << r.out;
    r = ticks("08:00 17:30 --format TIME5.");
    EXPECT_NE(r.out.find("label format TIME5."), std::string::npos) << r.out;
    r = ticks("01JAN2020 31DEC2020 --format WEEKDAY.");
    EXPECT_EQ(r.err.rfind("ticks: no interval of the ladder fits", 0), 0u) << r.err;
}

TEST(TicksCommand, RejectsBadArguments) {
    // 2: a usage error; 1: arguments that read but give no axis (after its
    // heading). Either way the message names the command, on standard error.
    const std::pair<const char*, int> cases[] = {
        {"", 2}, {"1", 2}, {"x 3", 2}, {"1 2 --bogus", 2}, {"1 2 --max-ticks", 2}, {"1 2 --max-ticks 2.5", 2},
        {"31FEB2020 01MAR2020", 2}, {"25:00 26:00", 2}, {"01JAN2020 01FEB2020 --format COMMA8.", 2},
        {"1 2 --log ten", 2}, {"1 2 --log 1", 2}, {"01JAN2020 01FEB2020 --integer", 2}, {"nan 5", 2}, {"1 inf", 2},
        {"-inf 0 --log 10", 2}, {"01JAN2020 01JAN20001", 1}, {"-5 5 --log 10", 1}};
    for (const auto& [args, status] : cases) {
        SCOPED_TRACE(args);
        ToolResult r = ticks(args);
        EXPECT_EQ(r.status, status) << r.err;
        EXPECT_EQ(r.err.rfind("ticks: ", 0), 0u) << r.err;
        if (status == 2) {
            EXPECT_TRUE(r.out.empty()) << r.out;  // refused before any work
        }
    }
}
