// SPDX-License-Identifier: Apache-2.0
#include "common/TestSupport.h"
#include "common/ToolRunner.h"
#include "orvane/host/io/FileSystemManager.h"
#include "orvane/host/io/Image.h"

#include <gtest/gtest.h>

using orvane::test::runTool;
using orvane::test::sourceDir;

TEST(RenderTool, DrawsRichTextAndReportsTappedActions) {
    std::string dir = orvane::test::tempDir();
    auto r = runTool({"render", sourceDir() + "/examples/actions.xml", "--width", "320", "--height", "80", "--tap",
                      "95,36", "--tap", "20,36", "-o", dir + "/a.png"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find("selected action 0: open:north"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("no action selected"), std::string::npos) << r.out;
    auto png = orvane::Image::readPNG(dir + "/a.png");
    ASSERT_TRUE(png);
    EXPECT_EQ(png->getWidth(), 320);
    EXPECT_EQ(png->getHeight(), 80);

    auto svg = runTool({"render", sourceDir() + "/examples/richtext.xml", "-o", dir + "/b.svg"});
    ASSERT_EQ(svg.status, 0) << svg.err;
    std::string text;
    ASSERT_TRUE(orvane::FileSystemManager::readFile(dir + "/b.svg", text));
    EXPECT_NE(text.find("Quarterly sales"), std::string::npos);
    EXPECT_NE(text.find("regional ledgers"), std::string::npos);
}

TEST(RenderTool, RefusesBadArgumentsAndDocuments) {
    EXPECT_NE(runTool({"render", sourceDir() + "/examples/actions.xml", "--tap", "x"}).status, 0);
    EXPECT_NE(runTool({"render", sourceDir() + "/examples/actions.xml", "--width", "-5"}).status, 0);
    auto bad = runTool({"render", sourceDir() + "/examples/bad/malformed.xml", "-o", orvane::test::tempDir() + "/x.svg"});
    EXPECT_EQ(bad.status, 1);
    EXPECT_NE(bad.err.find("malformed.xml:3"), std::string::npos);
    auto out = runTool({"render", sourceDir() + "/examples/actions.xml", "-o", "/no/such/dir/x.svg"});
    EXPECT_EQ(out.status, 1);
    EXPECT_NE(out.err.find("cannot write"), std::string::npos);
    EXPECT_NE(runTool({"render", sourceDir() + "/examples/actions.xml", "-o", "x.gif"}).status, 0);
}
