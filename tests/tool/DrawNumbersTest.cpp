// SPDX-License-Identifier: Apache-2.0
// orvane draw: numbers that become integer codes or ids are range-checked,
// and the error names the key at its line and column (file:line:column:).
#include "common/TestSupport.h"
#include "common/ToolRunner.h"

#include <gtest/gtest.h>

#include <fstream>

using namespace orvane::test;

namespace {

ToolResult drawText(const std::string& name, const std::string& json) {
    std::string path = tempDir() + "/" + name;
    std::ofstream(path) << json;
    return runTool({"draw", path, "-o", tempDir() + "/" + name + ".svg"});
}

} // namespace

TEST(DrawCommand, NumbersBeyondTheIntegerRangeAreReportedWithTheirPlace) {
    // The focus line style of the report that found it.
    auto r = drawText("focus.json",
                      "{\"width\":1,\"height\":1,\"focus\":{\"x\":0,\"y\":0,\"w\":1,\"h\":1,\"lineStyle\":1e10}}");
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("\"lineStyle\""), std::string::npos) << r.err;
    EXPECT_NE(r.err.find("focus.json:1:56: focus: "), std::string::npos) << r.err;

    struct Case {
        const char* node;
        const char* key;
    };
    for (Case c : {Case{"{\"type\":\"rect\",\"x\":0,\"y\":0,\"w\":5,\"h\":5,\"lineStyle\":-3e9}", "lineStyle"},
                   Case{"{\"type\":\"line\",\"x1\":0,\"y1\":0,\"x2\":5,\"y2\":5,\"lineStyle\":1e300}", "lineStyle"},
                   Case{"{\"type\":\"text\",\"text\":\"a\",\"x\":0,\"y\":0,\"anchor\":4294967296}", "anchor"},
                   Case{"{\"type\":\"text\",\"text\":\"a\",\"x\":0,\"y\":0,\"align\":-1e20}", "align"},
                   Case{"{\"type\":\"rect\",\"x\":0,\"y\":0,\"w\":5,\"h\":5,\"id\":2147483648}", "id"},
                   Case{"{\"type\":\"richtext\",\"x\":0,\"y\":0,\"w\":50,\"h\":20,\"maxLines\":9e99,\"paragraphs\":[]}",
                        "maxLines"},
                   Case{"{\"type\":\"richtext\",\"x\":0,\"y\":0,\"w\":50,\"h\":20,\"paragraphs\":[[{\"text\":\"a\","
                        "\"align\":5e9}]]}",
                        "align"}}) {
        std::string json = "{\"width\":100,\"height\":50,\n  \"nodes\":[\n    " + std::string(c.node) + "]}";
        auto res = drawText("node.json", json);
        EXPECT_EQ(res.status, 1) << c.node;
        EXPECT_NE(res.err.find("\"" + std::string(c.key) + "\""), std::string::npos) << res.err;
        EXPECT_NE(res.err.find("node.json:3:"), std::string::npos) << res.err;
    }
    // Action ids counted from the largest id would pass the integer range.
    auto ids = drawText("ids.json",
                        "{\"width\":100,\"height\":50,\"nodes\":[{\"type\":\"richtext\",\"x\":0,\"y\":0,\"w\":50,\"h\":20,"
                        "\"id\":2147483647,\"paragraphs\":[[{\"text\":\"a\",\"action\":true},{\"text\":\"b\","
                        "\"action\":true}]]}]}");
    EXPECT_EQ(ids.status, 1);
    EXPECT_NE(ids.err.find("\"id\""), std::string::npos) << ids.err;

    // Numbers in range still draw, fractions cut as before.
    auto ok = drawText("ok.json",
                       "{\"width\":100,\"height\":50,\"focus\":{\"x\":0,\"y\":0,\"w\":1,\"h\":1,\"lineStyle\":3.7},"
                       "\"nodes\":[{\"type\":\"rect\",\"x\":0,\"y\":0,\"w\":5,\"h\":5,\"id\":-2147483648,"
                       "\"lineStyle\":2}]}");
    EXPECT_EQ(ok.status, 0) << ok.err;
}
