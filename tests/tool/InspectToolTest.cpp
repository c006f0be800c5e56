// SPDX-License-Identifier: Apache-2.0
#include "common/TestSupport.h"
#include "common/ToolRunner.h"
#include "orvane/host/io/FileSystemManager.h"

#include <gtest/gtest.h>

using orvane::test::runTool;
using orvane::test::sourceDir;

TEST(InspectTool, PrintsTreesAndWritesDocumentsThatReadBack) {
    auto r = runTool({"inspect", sourceDir() + "/examples/datagrid.xml"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find("DataGrid (wrapper type id 10019)"), std::string::npos);
    EXPECT_NE(r.out.find("totalsPosition = top"), std::string::npos);
    EXPECT_NE(r.out.find("CompactFormatOptions (wrapper type id 10011)"), std::string::npos);

    for (const char* name : {"richtext.xml", "layout.xml", "datagrid.xml"}) {
        auto xml = runTool({"inspect", "--xml", sourceDir() + "/examples/" + name});
        ASSERT_EQ(xml.status, 0) << xml.err;
        EXPECT_TRUE(xml.err.empty()) << xml.err;
        std::string path = orvane::test::tempDir() + "/" + name;
        ASSERT_TRUE(orvane::FileSystemManager::writeToFile(xml.out, path));
        // The written document prints the same tree as the original.
        auto a = runTool({"inspect", sourceDir() + "/examples/" + name});
        auto b = runTool({"inspect", path});
        ASSERT_EQ(b.status, 0) << b.err;
        EXPECT_EQ(a.out.substr(a.out.find('\n')), b.out.substr(b.out.find('\n'))) << name;
    }
}

TEST(InspectTool, AReportPagePrintsItsLayoutTree) {
    const std::string path = sourceDir() + "/examples/report/report.xml";
    auto r = runTool({"inspect", path});
    ASSERT_EQ(r.status, 0) << r.err;
    // The count is the number of <content> elements the file holds (comments aside).
    std::string text;
    ASSERT_TRUE(orvane::FileSystemManager::readFile(path, text));
    for (size_t at = text.find("<!--"); at != std::string::npos; at = text.find("<!--", at)) {
        size_t end = text.find("-->", at);
        text.erase(at, end == std::string::npos ? std::string::npos : end + 3 - at);
    }
    size_t contents = 0;
    for (size_t at = text.find("<content"); at != std::string::npos; at = text.find("<content", at + 1)) ++contents;
    EXPECT_NE(r.out.find("a report page with " + std::to_string(contents) + " <content> elements"), std::string::npos)
        << r.out.substr(0, 200);
    EXPECT_NE(r.out.find("LayoutProxy"), std::string::npos);
    EXPECT_NE(r.out.find("ResponsiveLayoutStrategy"), std::string::npos);
}

TEST(InspectTool, BadDocumentsGiveFileLineAndProblem) {
    struct Case {
        const char* file;
        const char* expected;
    } cases[] = {{"bad/unknown-element.xml", "unknown-element.xml:5:7: unknown element <LayoutPrixy>"},
                 {"bad/malformed.xml", "malformed.xml:3:29: malformed markup"},
                 {"bad/bad-enum.xml", "bad-enum.xml:3:3: attribute \"totalsPosition\""}};
    for (const auto& c : cases) {
        auto r = runTool({"inspect", sourceDir() + "/examples/" + c.file});
        EXPECT_EQ(r.status, 1) << c.file;
        EXPECT_NE(r.err.find(c.expected), std::string::npos) << r.err;
        EXPECT_TRUE(r.out.empty());
    }
    auto missing = runTool({"inspect", "/no/such/file.xml"});
    EXPECT_EQ(missing.status, 1);
    EXPECT_NE(missing.err.find("/no/such/file.xml"), std::string::npos);
    EXPECT_NE(runTool({"inspect"}).status, 0);
    EXPECT_NE(runTool({"no-such-command"}).status, 0);
    EXPECT_EQ(runTool({"help"}).status, 0);
}
