// SPDX-License-Identifier: Apache-2.0
#include "orvane/report/ReportDocument.h"
#include "orvane/report/ReportPage.h"

#include "common/TestSupport.h"
#include "common/ToolRunner.h"
#include "orvane/host/io/FileSystemManager.h"
#include "orvane/host/io/Image.h"
#include "orvane/host/text/TextEngine.h"
#include "orvane/layout/LayoutConstraint.h"
#include "orvane/layout/LayoutProxy.h"
#include "orvane/layout/RelativeLayoutStrategy.h"
#include "orvane/layout/StackLayoutStrategy.h"
#include "orvane/package/OrvaneUIDeserializer.h"
#include "orvane/view/LabelView.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <map>
#include <cstdio>
#include <sstream>

using orvane::test::runTool;
using orvane::test::sourceDir;
using orvane::test::tempDir;
using namespace orvane;

namespace {

// The elements of a --print-layout listing by path, and the page size.
struct Listing {
    float width = 0, height = 0;
    bool narrow = false;
    std::map<std::string, Rect> at;
    std::map<std::string, std::string> what;
};

Listing parseListing(const std::string& out) {
    Listing l;
    std::istringstream in(out);
    std::string line;
    while (std::getline(in, line)) {
        float w = 0, h = 0;
        if (std::sscanf(line.c_str(), "page %f x %f", &w, &h) == 2) {
            l.width = w;
            l.height = h;
            l.narrow = line.find("(narrow-screen layout)") != std::string::npos;
            continue;
        }
        // "  /2/0  x=24 y=92 w=325 h=230  stack"
        std::istringstream fields(line);
        std::string path, xs, ys, ws, hs;
        if (!(fields >> path >> xs >> ys >> ws >> hs) || path[0] != '/') continue;
        auto value = [](const std::string& f) { return std::stof(f.substr(2)); };
        l.at[path] = Rect(value(xs), value(ys), value(ws), value(hs));
        std::string rest;
        std::getline(fields, rest);
        l.what[path] = rest.substr(std::min(rest.find_first_not_of(' '), rest.size()));
    }
    return l;
}

float bottom(const Rect& r) { return r.y + r.height; }

std::string write(const std::string& dir, const std::string& name, const std::string& text) {
    std::string path = dir + "/" + name;
    EXPECT_TRUE(FileSystemManager::writeToFile(text, path));
    return path;
}

// Renders `path` and expects it refused (exit status 1) with `message`.
void expectRefused(const std::string& path, const std::string& message) {
    auto r = runTool({"render", path, "-o", path + ".svg"});
    EXPECT_EQ(r.status, 1) << path;
    EXPECT_NE(r.err.find(message), std::string::npos) << r.err;
    EXPECT_FALSE(std::filesystem::exists(path + ".svg"));
}

// A report whose second leaf holds `content` (on line 6 of the file).
std::string reportWith(const std::string& content) {
    return "<orvane version=\"202301\">\n"
           "  <LayoutProxy>\n"
           "    <defaultStrategy><StackLayoutStrategy/></defaultStrategy>\n"
           "    <children>\n"
           "      <LayoutProxy><content><label>fine</label></content></LayoutProxy>\n"
           "      <LayoutProxy>" + content + "</LayoutProxy>\n"
           "    </children>\n"
           "  </LayoutProxy>\n"
           "</orvane>\n";
}

} // namespace

TEST(ReportTool, DefaultRunWritesTheBundledReportAsSvgAndPng) {
    std::string dir = tempDir();
    std::filesystem::create_directory(dir + "/out");
    auto r = runTool({"render", "-o", "out/report.svg", "-o", "out/report.png"}, dir);
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find("wrote out/report.svg (1024 x "), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("wrote out/report.png (1024 x "), std::string::npos) << r.out;
    auto png = Image::readPNG(dir + "/out/report.png");
    ASSERT_TRUE(png);
    EXPECT_EQ(png->getWidth(), 1024);
    EXPECT_GT(png->getHeight(), 300);  // as tall as the content
    EXPECT_LT(png->getHeight(), 2048);  // not stretched to the largest page
    std::string svg;
    ASSERT_TRUE(FileSystemManager::readFile(dir + "/out/report.svg", svg));
    for (const char* text : {"Quarterly sales report", "Key figures", "Outlook", "Growth on 2022", "<image",
                             "Revenue by region and year", "Subtotal West"})
        EXPECT_NE(svg.find(text), std::string::npos) << text;

    // With -o only that file is written, and no out/ folder appears.
    std::string other = tempDir();
    auto one = runTool({"render", "-o", other + "/page.svg"}, other);
    ASSERT_EQ(one.status, 0) << one.err;
    EXPECT_TRUE(std::filesystem::exists(other + "/page.svg"));
    EXPECT_FALSE(std::filesystem::exists(other + "/out"));
}

TEST(ReportTool, ANarrowPageReflowsTheSameReport) {
    auto wide = runTool({"render", "--print-layout", "--fixed-metrics"});
    std::string dir = tempDir();
    auto narrow = runTool({"render", "--print-layout", "--fixed-metrics", "--width", "320", "-o", dir + "/n.png"});
    ASSERT_EQ(wide.status, 0) << wide.err;
    ASSERT_EQ(narrow.status, 0) << narrow.err;
    Listing w = parseListing(wide.out), n = parseListing(narrow.out);
    ASSERT_EQ(w.at.size(), n.at.size()) << narrow.out;
    ASSERT_TRUE(w.at.count("/2/2") && w.at.count("/4/0/3") && w.at.count("/5")) << wide.out;
    EXPECT_FALSE(w.narrow);
    EXPECT_TRUE(n.narrow);
    EXPECT_EQ(w.width, 1024.0f);
    EXPECT_EQ(n.width, 320.0f);
    auto png = Image::readPNG(dir + "/n.png");
    ASSERT_TRUE(png);
    EXPECT_EQ(png->getWidth(), 320);
    EXPECT_EQ(static_cast<float>(png->getHeight()), n.height);

    // Wide: the three panels share one row, the four tiles another.
    for (const char* p : {"/2/1", "/2/2"}) EXPECT_EQ(w.at[p].y, w.at["/2/0"].y) << p;
    EXPECT_GT(w.at["/2/1"].x, w.at["/2/0"].x + w.at["/2/0"].width - 1);
    for (const char* p : {"/4/0/1", "/4/0/2", "/4/0/3"}) EXPECT_EQ(w.at[p].y, w.at["/4/0/0"].y) << p;
    EXPECT_EQ(w.what["/4/0"], "tiled");
    // Narrow: the panels stack, one below the other, at the full width ...
    for (const char* p : {"/2/1", "/2/2"}) EXPECT_EQ(n.at[p].x, n.at["/2/0"].x) << p;
    EXPECT_GE(n.at["/2/1"].y, bottom(n.at["/2/0"]));
    EXPECT_GE(n.at["/2/2"].y, bottom(n.at["/2/1"]));
    EXPECT_EQ(n.at["/2/0"].width, n.width - 48.0f);  // the page less its padding
    // ... and the tiles re-flow into two rows of two.
    EXPECT_EQ(n.what["/4/0"], "tiled (re-flowed)");
    EXPECT_EQ(n.at["/4/0/1"].y, n.at["/4/0/0"].y);
    EXPECT_EQ(n.at["/4/0/3"].y, n.at["/4/0/2"].y);
    EXPECT_GT(n.at["/4/0/2"].y, bottom(n.at["/4/0/0"]));
    // Nothing overlaps what follows, and everything stays on the page.
    EXPECT_GE(n.at["/5"].y, bottom(n.at["/4/0/3"]));
    for (const Listing* l : {&w, &n})
        for (const auto& [path, r] : l->at) {
            EXPECT_GE(r.x, 0.0f) << path;
            EXPECT_LE(r.x + r.width, l->width) << path;
            EXPECT_LE(bottom(r), l->height) << path;
        }
    // A given height cuts the page instead.
    auto cut = runTool({"render", "--print-layout", "--width", "600", "--height", "300"});
    ASSERT_EQ(cut.status, 0) << cut.err;
    EXPECT_EQ(parseListing(cut.out).height, 300.0f);
}

TEST(ReportTool, PhoneAndNarrowerPagesKeepEveryElementInsideItsParent) {
    for (const char* width : {"320", "200"}) {
        auto r = runTool({"render", "--print-layout", "--width", width});
        ASSERT_EQ(r.status, 0) << r.err;
        Listing l = parseListing(r.out);
        ASSERT_EQ(l.width, std::stof(width));
        ASSERT_GT(l.at.size(), 20u) << r.out;
        for (const auto& [path, box] : l.at) {
            EXPECT_GT(box.width, 0.0f) << width << " " << path;
            EXPECT_GT(box.height, 0.0f) << width << " " << path;
            EXPECT_GE(box.x, 0.0f) << width << " " << path;
            EXPECT_LE(box.x + box.width, l.width) << width << " " << path << "\n" << r.out;
            // Inside its parent across: nothing runs past a panel's edge.
            std::string parent = path.substr(0, path.rfind('/'));
            if (parent.empty() || !l.at.count(parent)) continue;
            const Rect& p = l.at[parent];
            EXPECT_GE(box.x, p.x) << width << " " << path;
            EXPECT_LE(box.x + box.width, p.x + p.width) << width << " " << path << "\n" << r.out;
        }
    }
}

TEST(ReportTool, ImagesAndRichTextComeFromTheReportsFolder) {
    std::string dir = tempDir();
    std::filesystem::create_directories(dir + "/pictures");
    std::filesystem::copy_file(sourceDir() + "/examples/report/sales-chart.png", dir + "/pictures/chart.png");
    std::string report = write(dir, "r.xml", reportWith(
        "<content panel=\"background-color: #ffffff; border-width: 1px\"><image src=\"pictures/chart.png\"/></content>"));
    auto r = runTool({"render", report, "--print-layout", "--width", "200", "-o", dir + "/r.svg"}, tempDir());
    ASSERT_EQ(r.status, 0) << r.err;
    // Shrunk to the 192-pixel cell (inside the stack's insets), proportions kept.
    EXPECT_NE(r.out.find("panel, image chart.png drawn 192 x 96"), std::string::npos) << r.out;

    std::string rich = write(dir, "rich.xml", reportWith(
        "<content><richtext style=\"font-size: 20pt\">\n"
        "  <div>Plain <span style=\"font-weight: bold\">bold</span></div>\n"
        "</richtext></content>"));
    auto t = runTool({"render", rich, "--print-layout"});
    ASSERT_EQ(t.status, 0) << t.err;
    EXPECT_NE(t.out.find("richtext \"Plain bold\""), std::string::npos) << t.out;
}

TEST(ReportTool, BadContentIsReportedWithFileAndLine) {
    std::string dir = tempDir();
    struct Case {
        const char* content;
        const char* expected;
    } cases[] = {
        {"<content><chart/></content>", "bad.xml:6:29: unknown content kind <chart>"},
        {"<content><image src=\"nowhere.png\"/></content>", "bad.xml:6:29: cannot read the image"},
        {"<content><image/></content>", "<image> needs a src attribute"},
        {"<content><label style=\"font-size: huge\">x</label></content>", "bad.xml:6:29: bad style in <label>"},
        {"<content panel=\"colour: red\"/>", "bad.xml:6:20: bad style in the panel"},
        {"<content><label valign=\"up\">x</label></content>", "valign must be top, middle or bottom"},
        {"<content><label> </label></content>", "<label> needs a text"},
        {"<content>words</content>", "text inside <content> must be inside a <label>"},
        {"<content><label>a</label><label>b</label></content>", "a <content> element holds one item"},
        {"<content/><content/>", "a <LayoutProxy> holds at most one <content> element"},
        {"<content unknown=\"1\"/>", "unknown attribute \"unknown\" on <content>"},
        {"<content><richtext>\n<div>fine\n<bogus/></div></richtext></content>", "bad.xml:8:1: unknown element <bogus>"},
        {"<content><richtext> </richtext></content>", "<richtext> needs <div> markup"},
        {"<defaultConstraint><LayoutConstraint><content/></LayoutConstraint></defaultConstraint>",
         "bad.xml:6:57: <content> must sit directly inside a <LayoutProxy>"},
    };
    for (const auto& c : cases) {
        std::string path = write(dir, "bad.xml", reportWith(c.content));
        auto r = runTool({"render", path, "-o", dir + "/x.svg"});
        EXPECT_EQ(r.status, 1) << c.content;
        EXPECT_NE(r.err.find(c.expected), std::string::npos) << c.content << "\n" << r.err;
        EXPECT_EQ(r.out.find("wrote"), std::string::npos) << c.content;
    }
    // Every problem is listed, not only the first.
    std::string many = write(dir, "many.xml", reportWith("<content><chart/><label/></content>"));
    auto r = runTool({"render", many, "-o", dir + "/x.svg"});
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("unknown content kind <chart>"), std::string::npos) << r.err;
    EXPECT_NE(r.err.find("holds one item"), std::string::npos) << r.err;
    // An item belongs in a leaf; a container holds only a panel.
    std::string container = write(dir, "container.xml",
                                  "<orvane version=\"202301\">\n<LayoutProxy>\n"
                                  "<content><label>title</label></content>\n"
                                  "<children><LayoutProxy/></children>\n</LayoutProxy>\n</orvane>\n");
    expectRefused(container, "container.xml:3:1: a <label> needs a LayoutProxy without children");
}

TEST(ReportTool, MalformedLayoutsAreRefusedCleanly) {
    std::string dir = tempDir();
    // Markup that is not well-formed: the reader's message, line and column.
    std::string broken = write(dir, "broken.xml", reportWith("<content><label>x</content>"));
    expectRefused(broken, "broken.xml:6:39: malformed markup: mismatched tag");
    // The model reader still checks the layout document around the contents.
    std::string unknown = write(dir, "unknown.xml", reportWith("<content/><LayoutPrixy/>"));
    auto u = runTool({"render", unknown, "-o", dir + "/x.svg"});
    EXPECT_EQ(u.status, 1);
    EXPECT_NE(u.err.find("unknown.xml:6:"), std::string::npos) << u.err;
    EXPECT_NE(u.err.find("LayoutPrixy"), std::string::npos) << u.err;
    // Nesting deeper than the reader takes is refused, not a stack overflow.
    std::string deep = "<orvane version=\"202301\">\n";
    for (int i = 0; i < 400; ++i) deep += "<LayoutProxy><defaultStrategy><StackLayoutStrategy/></defaultStrategy><children>\n";
    deep += "<LayoutProxy><content><label>deep</label></content></LayoutProxy>\n";
    for (int i = 0; i < 400; ++i) deep += "</children></LayoutProxy>\n";
    deep += "</orvane>\n";
    auto d = runTool({"render", write(dir, "deep.xml", deep), "-o", dir + "/x.svg"});
    EXPECT_EQ(d.status, 1);
    EXPECT_NE(d.err.find("deep.xml:"), std::string::npos) << d.err;
    // A container without a strategy would give its items no room: refused, not an empty page.
    std::string loose = write(dir, "loose.xml",
                              "<orvane version=\"202301\">\n<LayoutProxy>\n<children>\n"
                              "<LayoutProxy><content><label>lost</label></content></LayoutProxy>\n"
                              "</children>\n</LayoutProxy>\n</orvane>\n");
    expectRefused(loose, "loose.xml: the layout element / has children but no strategy");
    // A bare proxy is an empty page, not an error.
    auto e = runTool({"render", write(dir, "empty.xml", "<orvane version=\"202301\"><LayoutProxy/></orvane>"),
                      "--print-layout"});
    EXPECT_EQ(e.status, 0) << e.err;
    EXPECT_NE(e.out.find("page 1024 x "), std::string::npos) << e.out;
    // Neither a layout nor rich text.
    auto other = runTool({"render", sourceDir() + "/examples/datagrid.xml", "-o", dir + "/x.svg"});
    EXPECT_EQ(other.status, 1);
    EXPECT_NE(other.err.find("neither a layout tree"), std::string::npos) << other.err;
    EXPECT_NE(runTool({"render", sourceDir() + "/examples/richtext.xml", "--print-layout"}).status, 0);
}

TEST(ReportPage, CyclesAndSharedProxiesAreRefused) {
    auto root = LayoutProxy::create();
    auto a = LayoutProxy::create();
    root->defaultStrategy.set(StackLayoutStrategy::create());
    a->defaultStrategy.set(StackLayoutStrategy::create());
    root->children.set(MonitoredVector<std::shared_ptr<LayoutProxy>>::create({a}));
    a->children.set(MonitoredVector<std::shared_ptr<LayoutProxy>>::create({root}));  // root inside itself
    std::vector<std::string> errors;
    EXPECT_FALSE(ReportPage::create(root, {}, "cycle.xml", errors));
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_NE(errors[0].find("cycle.xml: the layout tree is malformed"), std::string::npos) << errors[0];
    a->children.set(nullptr);  // break the cycle so both can go

    auto leaf = LayoutProxy::create();
    root->children.set(MonitoredVector<std::shared_ptr<LayoutProxy>>::create({leaf, leaf}));
    errors.clear();
    EXPECT_FALSE(ReportPage::create(root, {}, "twice.xml", errors));
    EXPECT_EQ(errors.size(), 1u);
    errors.clear();
    EXPECT_FALSE(ReportPage::create(nullptr, {}, "none.xml", errors));
    EXPECT_EQ(errors.size(), 1u);
}

TEST(ReportPage, ViewsGetFramesFromTheProxiesAndSizeTheContent) {
    TextEngine::ScopedBackend fixed(TextEngine::Backend::FIXED_METRICS);
    // A relative container 200 x 100 with one label at (10, 20), 120 wide:
    // its height comes from the label's answer to the layout's request.
    auto leaf = LayoutProxy::create();
    auto c = LayoutConstraint::create();
    c->horizontalOffset.set(Dimension::create(10, DimensionUnit::PIXELS));
    c->verticalOffset.set(Dimension::create(20, DimensionUnit::PIXELS));
    c->width.set(Dimension::create(120, DimensionUnit::PIXELS));
    leaf->defaultConstraint.set(c);
    auto root = LayoutProxy::create();
    root->defaultStrategy.set(RelativeLayoutStrategy::create());
    root->children.set(MonitoredVector<std::shared_ptr<LayoutProxy>>::create({leaf}));
    ReportContent label;
    label.kind = ReportContent::Kind::LABEL;
    label.text = "two words";
    label.path = {0};
    std::vector<std::string> errors;
    auto page = ReportPage::create(root, {label}, "page.xml", errors);
    ASSERT_TRUE(page) << (errors.empty() ? "" : errors[0]);
    page->layout(1200, 100);
    EXPECT_FALSE(page->isNarrow());
    EXPECT_EQ(page->getHeight(), 100.0f);
    // Fixed metrics: 12 pt is a 16-pixel em, one line is 16 pixels high.
    EXPECT_EQ(leaf->getBoundsInPixels().height, 16.0f);
    // View frames are measured from the bottom left: y = 100 - 20 - 16.
    auto rootViews = page->getRootView()->getSubviews();
    ASSERT_TRUE(rootViews && rootViews->size() == 1u);
    auto items = (*rootViews)[0]->getSubviews();
    ASSERT_TRUE(items && items->size() == 1u);
    auto view = std::dynamic_pointer_cast<LabelView>((*items)[0]);
    ASSERT_TRUE(view);
    Rect f = view->getFrame();
    EXPECT_EQ(f.x, 10.0f);
    EXPECT_EQ(f.y, 64.0f);
    EXPECT_EQ(f.width, 120.0f);
    EXPECT_EQ(f.height, 16.0f);
    // Narrower, the label wraps into two lines and the request says so.
    c->width.set(Dimension::create(60, DimensionUnit::PIXELS));
    page->layout(1200, 100);
    EXPECT_EQ(leaf->getBoundsInPixels().height, 32.0f);
    std::ostringstream listing;
    page->printLayout(listing);
    EXPECT_NE(listing.str().find("/0  x=10 y=20 w=60 h=32  label \"two words\""), std::string::npos) << listing.str();
}

TEST(ReportDocument, ContentsAreFoundAndBlankedOutLineForLine) {
    const std::string text =
        "<orvane version=\"202301\">\n"
        "<LayoutProxy><content panel=\"border-width: 2px\"/>\n"
        "  <children>\n"
        "    <LayoutProxy/>\n"
        "    <LayoutProxy><children><LayoutProxy/><LayoutProxy>\n"
        "      <content>\n"
        "        <label style=\"font-weight: bold\" valign=\"middle\" wrap=\"false\">  Two\n   lines  </label>\n"
        "      </content></LayoutProxy></children></LayoutProxy>\n"
        "  </children>\n"
        "</LayoutProxy>\n"
        "</orvane>\n";
    auto doc = ReportDocument::read("/reports/r.xml", text);
    EXPECT_TRUE(doc.errors.empty()) << doc.errors[0];
    ASSERT_EQ(doc.contents.size(), 2u);
    EXPECT_TRUE(doc.contents[0].path.empty());
    EXPECT_EQ(doc.contents[0].kind, ReportContent::Kind::PANEL);
    ASSERT_TRUE(doc.contents[0].panel);
    const auto& label = doc.contents[1];
    EXPECT_EQ(label.path, (std::vector<size_t>{1, 1}));
    EXPECT_EQ(label.line, 6);
    EXPECT_EQ(label.column, 7);
    EXPECT_EQ(label.text, "Two lines");
    EXPECT_EQ(label.verticalAlignment, 1);
    EXPECT_FALSE(label.wrap);
    ASSERT_TRUE(label.style);
    // Same length, same line breaks, no <content> left: the model reader sees
    // a plain layout document and reports lines as they are in the file.
    ASSERT_EQ(doc.layoutText.size(), text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\n') {
            EXPECT_EQ(doc.layoutText[i], '\n');
        }
    }
    EXPECT_EQ(doc.layoutText.find("content"), std::string::npos);
    EXPECT_EQ(doc.layoutText.find("label"), std::string::npos);
    auto model = OrvaneUIDeserializer::create()->deserialize(doc.layoutText);
    auto root = std::dynamic_pointer_cast<LayoutProxy>(model);
    ASSERT_TRUE(root);
    EXPECT_EQ(root->children.get()->size(), 2u);

    // Markup that is not well-formed: where, and the text untouched.
    auto broken = ReportDocument::read("b.xml", "<orvane><LayoutProxy><content></orvane>");
    EXPECT_TRUE(broken.contents.empty());
    ASSERT_EQ(broken.errors.size(), 1u);
    EXPECT_EQ(broken.errors[0], "b.xml:1:33: malformed markup: mismatched tag");
    EXPECT_EQ(broken.layoutText, "<orvane><LayoutProxy><content></orvane>");
}
