// SPDX-License-Identifier: Apache-2.0
// `orvane render` as a scripted session on tables: gestures in the order
// given, one line each with what changed, linked tables, and bad scripts.
#include "common/TestSupport.h"
#include "common/ToolRunner.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

using orvane::test::runTool;
using orvane::test::sourceDir;

namespace {

std::vector<std::string> lines(const std::string& text) {
    std::vector<std::string> out;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        out.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    return out;
}

const std::string TABLE = "/examples/table/table-report.xml";
const std::string LINKED = "/examples/table/linked-tables.xml";

} // namespace

TEST(GestureSessionTool, HeaderTapsCycleTheSortInOrder) {
    auto r = runTool({"render", sourceDir() + TABLE, "--tap", "600,67", "--tap", "600,67", "--tap", "600,67"});
    ASSERT_EQ(r.status, 0) << r.err;
    auto l = lines(r.out);
    ASSERT_EQ(l.size(), 3u) << r.out;
    EXPECT_NE(l[0].find("tap at (600, 67): handled; table 1: sorted by quantity ascending"), std::string::npos) << l[0];
    EXPECT_NE(l[1].find("sorted by quantity descending"), std::string::npos) << l[1];
    EXPECT_NE(l[2].find("sorted by none"), std::string::npos) << l[2];
}

TEST(GestureSessionTool, RangeTapsSelectDataRowsInBothLinkedTables) {
    auto r = runTool({"render", sourceDir() + LINKED, "--tap", "120,170", "--tap", "120,218", "--modifier", "range"});
    ASSERT_EQ(r.status, 0) << r.err;
    auto l = lines(r.out);
    ASSERT_EQ(l.size(), 2u) << r.out;
    EXPECT_NE(l[0].find("table 1: selected rows 7; table 2: selected rows 7"), std::string::npos) << l[0];
    EXPECT_NE(l[1].find("with range: handled; table 1: selected rows 3 7 9; table 2: selected rows 3 7 9"),
              std::string::npos)
        << l[1];
}

TEST(GestureSessionTool, KeysNeedFocusAndGesturesOffTheTablesDoNothing) {
    auto r = runTool({"render", sourceDir() + TABLE, "--key", "down", "--tap", "5,5", "--wheel", "5,5,120", "--focus",
                      "--key", "down", "--key", "left", "--wheel", "300,200,240"});
    ASSERT_EQ(r.status, 0) << r.err;
    auto l = lines(r.out);
    ASSERT_EQ(l.size(), 7u) << r.out;
    EXPECT_EQ(l[0], "key down: not handled; nothing changed");
    EXPECT_EQ(l[1], "tap at (5, 5): not handled; nothing changed");
    EXPECT_EQ(l[2], "wheel at (5, 5) by 120: not handled; nothing changed");
    EXPECT_EQ(l[3], "focus: table 1 has the keyboard focus");
    EXPECT_NE(l[4].find("key down: handled; table 1: focus on row 0"), std::string::npos) << l[4];
    EXPECT_EQ(l[5], "key left: not handled; nothing changed");  // the first column already
    // The wheel over a table is the table's, even where all rows fit.
    EXPECT_NE(l[6].find("wheel at (300, 200) by 240: handled"), std::string::npos) << l[6];

    // The picture shows the focus a key moved: the table's focus rectangle.
    const std::string focusRect = "fill=\"none\" stroke=\"#202020\" stroke-width=\"2\"";
    for (const bool key : {false, true}) {
        const std::string out = orvane::test::tempDir() + "/keyed-focus.svg";
        std::vector<std::string> args{"render", sourceDir() + TABLE, "--focus", "-q", "-o", out};
        if (key) args.insert(args.begin() + 3, {"--key", "down"});
        ASSERT_EQ(runTool(args).status, 0);
        std::ifstream in(out);
        const std::string svg((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        EXPECT_EQ(svg.find(focusRect) != std::string::npos, key) << (key ? "after a key" : "focus alone");
    }
}

TEST(GestureSessionTool, BadScriptsAreUsageErrors) {
    const std::string file = sourceDir() + TABLE;
    for (const auto& args : std::vector<std::vector<std::string>>{
             {"render", file, "--modifier", "range", "--tap", "1,1"},
             {"render", file, "--tap", "1,1", "--modifier", "hyper"},
             {"render", file, "--key", "escape"},
             {"render", file, "--pan", "1,2,3"},
             {"render", file, "--pan", "1,2:3"},
             {"render", file, "--wheel", "1,2,0.5"},
             {"render", file, "--wheel", "1,2,1e9"},
             {"render", file, "--double-tap", "x,1"}}) {
        auto r = runTool(args);
        EXPECT_EQ(r.status, 2) << args[2] << " " << args[3];
        EXPECT_FALSE(r.err.empty());
    }
}

TEST(GestureSessionTool, KeysMoveATappedSliderThumbUntilAnotherViewIsTapped) {
    const std::string report = sourceDir() + "/examples/prompts/prompts-report.xml";
    // The range slider's lower thumb sits at the track's left end (2019).
    auto r = runTool({"render", report, "--tap", "359,106", "--key", "right", "--key", "right"});
    ASSERT_EQ(r.status, 0) << r.err;
    auto out = lines(r.out);
    ASSERT_GE(out.size(), 3u) << r.out;
    EXPECT_EQ(out[0], "tap at (359, 106): handled; nothing changed");
    EXPECT_EQ(out[1].rfind("key right: handled; table 1: selected rows ", 0), 0u) << out[1];
    EXPECT_NE(out[1].find("; prompt range on year: 2020 to 2024; 40 of 48 rows selected; crosstab 1: "),
              std::string::npos)
        << out[1];
    EXPECT_NE(out[2].find("; prompt range on year: 2021 to 2024; 32 of 48 rows selected"), std::string::npos) << out[2];
    EXPECT_NE(r.out.find("\nprompt range on year: 2021 to 2024; 32 of 48 rows selected\n"), std::string::npos);

    // A tap on the crosstab takes the keys from the slider: it stays put.
    auto away = runTool({"render", report, "--tap", "359,106", "--tap", "300,1450", "--key", "right"});
    ASSERT_EQ(away.status, 0) << away.err;
    EXPECT_EQ(away.out.find("prompt range on year: 2020"), std::string::npos) << away.out;
    EXPECT_NE(away.out.find("\nprompt range on year: nothing picked;"), std::string::npos) << away.out;
}
