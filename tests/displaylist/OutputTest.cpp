// SPDX-License-Identifier: Apache-2.0
// SVG and PNG output of the renderer, and the orvane draw command's golden
// pictures.
#include "common/TestSupport.h"
#include "common/ToolRunner.h"
#include "orvane/displaylist/DisplayListEditor.h"
#include "orvane/displaylist/DisplayListRenderer.h"
#include "orvane/displaylist/TqEllipse.h"
#include "orvane/displaylist/TqGroup.h"
#include "orvane/displaylist/TqImageRectangle.h"
#include "orvane/displaylist/TqRectangle.h"
#include "orvane/displaylist/TqText.h"
#include "orvane/host/core/CLog.h"
#include "orvane/host/io/FileSystemManager.h"
#include "orvane/host/io/Image.h"
#include "orvane/host/text/TextEngine.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

using namespace orvane;
using namespace displaylist;

namespace {

bool contains(const std::string& s, const std::string& part) { return s.find(part) != std::string::npos; }

TEST(SvgTest, ElementsAreFlippedAndStyled) {
    TextEngine::ScopedBackend fixed(TextEngine::Backend::FIXED_METRICS);
    auto renderer = DisplayListRenderer::create(false);
    renderer->setViewport(0, 0, 200, 100);
    auto e = renderer->getEditor();
    TqRectangle* r = e->addRectangle(10, 20, 30, 40, 0xff8000);
    r->SetOpacity(0.5f);
    r->SetOutline(true);
    r->SetOutlineColor(0x000000);
    r->SetOutlineWidth(2.0f);
    r->SetLineStyle(2);
    e->addLine(0, 0, 200, 100, 0x0000ff, 3.0f);
    e->openGroup(100, 10, 50, 40, 2.0f);
    TqText* t = e->addText("A&B <c>", 0, 0, 0);
    t->SetFontName("Arial");
    t->SetBold(true);
    t->SetItalic(true);
    t->SetColor(0x112233);
    e->closeGroup();
    TqEllipse* c = e->addCircle(50, 50, 5);
    c->SetFillColor(0x00ff00);
    c->SetNodeId(12);

    std::string svg = renderer->getDisplayListSVGString();
    EXPECT_EQ(svg, renderer->getDisplayListSVGString());  // deterministic
    EXPECT_TRUE(contains(svg, "width=\"200\" height=\"100\" viewBox=\"0 0 200 100\""));
    EXPECT_TRUE(contains(svg, "<rect width=\"200\" height=\"100\" fill=\"#ffffff\"/>"));
    // SVG y = H - y: the rect's top edge 20 + 40 becomes 100 - 60 = 40.
    EXPECT_TRUE(contains(svg, "<rect x=\"10\" y=\"40\" width=\"30\" height=\"40\" fill=\"#ff8000\" "
                              "fill-opacity=\"0.5\" stroke=\"#000000\" stroke-width=\"2\" "
                              "stroke-dasharray=\"2 4\" stroke-opacity=\"0.5\"/>"));
    EXPECT_TRUE(contains(svg, "<line x1=\"0\" y1=\"100\" x2=\"200\" y2=\"0\" stroke=\"#0000ff\" stroke-width=\"3\"/>"));
    // The group (origin 100, 10, height 40, scale 2): translate(100, 100 - 10 - 2 * 40).
    EXPECT_TRUE(contains(svg, "<g class=\"group\" transform=\"translate(100 10) scale(2)\">"));
    // Text: baseline 3.2 px above the box bottom, flipped in the group's 40 px frame.
    EXPECT_TRUE(contains(svg, "<text x=\"0 9.6 19.2 28.8 38.4 48 57.6\" y=\"36.8\" font-family=\"'Liberation Sans', Arial\" font-size=\"16\" font-weight=\"bold\" "
                              "font-style=\"italic\" fill=\"#112233\" xml:space=\"preserve\">A&amp;B &lt;c&gt;</text>"));
    EXPECT_TRUE(contains(svg, "<circle data-node-id=\"12\" cx=\"50\" cy=\"50\" r=\"5\" fill=\"#00ff00\"/>"));
}

TEST(SvgTest, EmptyListAndViewportOffset) {
    auto renderer = DisplayListRenderer::create(false);
    renderer->setViewport(0, 0, 64, 48);
    std::string svg = renderer->getDisplayListSVGString();
    EXPECT_TRUE(contains(svg, "width=\"64\" height=\"48\""));
    EXPECT_TRUE(contains(svg, "</svg>"));
    renderer->configure(true, 0);
    renderer->setViewport(10, 20, 64, 48);
    renderer->getEditor()->addRectangle(10, 20, 4, 4, 0x000000);
    svg = renderer->getDisplayListSVGString();
    EXPECT_FALSE(contains(svg, "fill=\"#ffffff\""));
    EXPECT_TRUE(contains(svg, "transform=\"translate(-10 20)\""));
    EXPECT_TRUE(contains(svg, "<rect x=\"10\" y=\"24\" width=\"4\" height=\"4\""));
}

TEST(PngTest, PixelsFollowTheList) {
    auto renderer = DisplayListRenderer::create(false);
    renderer->setViewport(0, 0, 100, 60);
    auto e = renderer->getEditor();
    e->addRectangle(10, 10, 30, 20, 0xff0000);  // lower left
    e->openGroup(50, 30, 50, 30, 0.5f);
    e->addRectangle(0, 0, 40, 40, 0x0000ff);    // covers 50..70 x 30..50
    e->closeGroup();
    std::string path = test::tempDir() + "/list.png";
    ASSERT_TRUE(renderer->writePNG(path, true, 1.0f));
    auto img = Image::readPNG(path);
    ASSERT_TRUE(img);
    EXPECT_EQ(img->getWidth(), 100);
    EXPECT_EQ(img->getHeight(), 60);
    // Picture rows run downwards: root y maps to row 60 - y.
    EXPECT_EQ(img->getPixel(25, 60 - 20), 0xff0000ffu);
    EXPECT_EQ(img->getPixel(60, 60 - 40), 0x0000ffffu);
    EXPECT_EQ(img->getPixel(75, 60 - 40), 0xffffffffu);
    EXPECT_EQ(img->getPixel(25, 60 - 35), 0xffffffffu);

    // Twice the scale doubles the picture; without background it is transparent.
    ASSERT_TRUE(renderer->writePNG(path, false, 2.0f));
    img = Image::readPNG(path);
    ASSERT_TRUE(img);
    EXPECT_EQ(img->getWidth(), 200);
    EXPECT_EQ(img->getPixel(50, 120 - 40), 0xff0000ffu);
    EXPECT_EQ(img->getPixel(150, 120 - 40) & 0xff, 0u);

    // An image rectangle shows the picture's pixels upright.
    std::vector<uint8_t> rgba = {255, 0, 0, 255, 0, 255, 0, 255, 0, 0, 255, 255, 255, 255, 255, 255};
    auto small = std::make_shared<Image>(2, 2, rgba);  // red green / blue white, top row first
    TqImageRectangle* ir = e->addImageRectangle({0, 0, 20, 20});
    ir->SetImage(small);
    auto pic = renderer->renderImage(true);
    // Scaling filters the pixels: compare near the middle of each source pixel.
    auto near = [](uint32_t a, uint32_t b) {
        for (int s = 0; s < 32; s += 8)
            if (std::abs(int((a >> s) & 0xff) - int((b >> s) & 0xff)) > 40) return false;
        return true;
    };
    EXPECT_PRED2(near, pic->getPixel(3, 60 - 17), 0xff0000ffu);   // top left
    EXPECT_PRED2(near, pic->getPixel(3, 60 - 3), 0x0000ffffu);    // bottom left
    EXPECT_PRED2(near, pic->getPixel(16, 60 - 17), 0x00ff00ffu);  // top right
}

TEST(PngTest, EmptyListsBadPathsAndBadScales) {
    auto renderer = DisplayListRenderer::create(false);
    renderer->setViewport(0, 0, 30, 20);
    renderer->configure(false, 0x123456);
    auto img = renderer->getImage();
    ASSERT_TRUE(img);
    EXPECT_EQ(img->getWidth(), 30);
    EXPECT_EQ(img->getHeight(), 20);
    EXPECT_EQ(img->getPixel(0, 0), 0x123456ffu);
    EXPECT_EQ(img->getPixel(29, 19), 0x123456ffu);

    CLogCapture log;
    std::string dir = test::tempDir();
    EXPECT_FALSE(renderer->writePNG(dir + "/missing/folder/x.png"));
    EXPECT_TRUE(log.contains(CLog::ERRORS, "Cannot write PNG file"));
    EXPECT_FALSE(std::filesystem::exists(dir + "/missing"));
    EXPECT_FALSE(renderer->writePNG(dir + "/x.png", true, -1.0f));
    EXPECT_FALSE(renderer->writePNG(dir + "/x.png", true, std::numeric_limits<float>::infinity()));
    renderer->setViewport(0, 0, 0, 10);
    EXPECT_FALSE(renderer->writePNG(dir + "/x.png"));
    EXPECT_FALSE(renderer->getImage());
    EXPECT_FALSE(std::filesystem::exists(dir + "/x.png"));
}

// The orvane tool draws the sample descriptions; SVG text is compared exactly
// (fixed metrics), PNG pixels with a tolerance.
class DrawToolTest : public ::testing::Test {
protected:
    static std::string tool() { return test::binaryDir() + "/bin/orvane"; }
    static int run(const std::string& args) { return test::runTool(test::words(args)).status; }
    static std::string read(const std::string& path) {
        std::string s;
        FileSystemManager::readFile(path, s);
        return s;
    }
};

TEST_F(DrawToolTest, GoldenSvg) {
    ASSERT_TRUE(std::filesystem::exists(tool()));
    for (const char* name : {"shapes", "richtext"}) {
        std::string out = test::tempDir() + "/" + name + ".svg";
        ASSERT_EQ(run("draw --fixed-metrics " + test::sourceDir() + "/examples/draw/" + name + ".json -o " + out), 0);
        std::string golden = read(test::sourceDir() + "/tests/displaylist/golden/" + name + ".svg");
        ASSERT_FALSE(golden.empty()) << name;
        EXPECT_EQ(read(out), golden) << name;
    }
}

TEST_F(DrawToolTest, GoldenPngWithinTolerance) {
    std::string out = test::tempDir() + "/shapes.png";
    ASSERT_EQ(run("draw --fixed-metrics " + test::sourceDir() + "/examples/draw/shapes.json -o " + out), 0);
    auto got = Image::readPNG(out);
    auto golden = Image::readPNG(test::sourceDir() + "/tests/displaylist/golden/shapes.png");
    ASSERT_TRUE(got);
    ASSERT_TRUE(golden);
    ASSERT_EQ(got->getWidth(), golden->getWidth());
    ASSERT_EQ(got->getHeight(), golden->getHeight());
    // Anti-aliasing and glyph rendering may differ a little between library
    // versions: allow small channel differences and a few odd pixels.
    int bad = 0;
    for (int y = 0; y < got->getHeight(); ++y) {
        for (int x = 0; x < got->getWidth(); ++x) {
            uint32_t a = got->getPixel(x, y), b = golden->getPixel(x, y);
            for (int s = 0; s < 32; s += 8) {
                int d = std::abs(static_cast<int>((a >> s) & 0xff) - static_cast<int>((b >> s) & 0xff));
                if (d > 48) {
                    ++bad;
                    break;
                }
            }
        }
    }
    EXPECT_LT(bad, got->getWidth() * got->getHeight() / 200) << bad << " pixels differ";
}

TEST_F(DrawToolTest, BadDescriptionsFailWithAMessage) {
    std::string dir = test::tempDir();
    auto write = [&](const std::string& name, const std::string& text) {
        FileSystemManager::writeToFile(text, dir + "/" + name, true);
        return dir + "/" + name;
    };
    std::string out = dir + "/out.svg";
    EXPECT_NE(run("draw " + write("a.json", "{\"width\": 10") + " -o " + out), 0);
    EXPECT_NE(run("draw " + write("b.json", "{\"width\": 10, \"height\": 10, \"nodes\": [{\"type\": \"blob\"}]}") +
                  " -o " + out),
              0);
    EXPECT_NE(run("draw " + write("c.json", "{\"width\": 10, \"height\": 10, \"nodes\": [{\"type\": \"rect\", "
                                            "\"x\": \"left\", \"y\": 0, \"w\": 1, \"h\": 1}]}") +
                  " -o " + out),
              0);
    EXPECT_FALSE(std::filesystem::exists(out));
    std::string ok = write("d.json", "{\"width\": 10, \"height\": 10}");
    EXPECT_NE(run("draw " + ok + " -o " + dir + "/out.gif"), 0);
    EXPECT_NE(run("draw " + ok + " -o " + dir + "/no/such/dir/out.png"), 0);
    EXPECT_EQ(run("draw " + ok + " -o " + out), 0);
    EXPECT_TRUE(std::filesystem::exists(out));
}

} // namespace

namespace {

// When an independent SVG renderer is installed (rsvg-convert), the SVG of a
// list and the renderer's own PNG must show the same picture.
TEST_F(DrawToolTest, SvgAndPngShowTheSamePicture) {
    if (std::system("command -v rsvg-convert > /dev/null 2>&1") != 0) GTEST_SKIP() << "rsvg-convert not installed";
    std::string dir = test::tempDir();
    for (const char* name : {"shapes", "richtext"}) {
        std::string json = test::sourceDir() + "/examples/draw/" + name + ".json";
        ASSERT_EQ(run("draw " + json + " -o " + dir + "/own.png"), 0);
        ASSERT_EQ(run("draw " + json + " -o " + dir + "/list.svg"), 0);
        ASSERT_EQ(std::system(("rsvg-convert " + dir + "/list.svg -o " + dir + "/svg.png").c_str()), 0);
        auto own = Image::readPNG(dir + "/own.png");
        auto svg = Image::readPNG(dir + "/svg.png");
        ASSERT_TRUE(own && svg);
        ASSERT_EQ(own->getWidth(), svg->getWidth());
        ASSERT_EQ(own->getHeight(), svg->getHeight());
        // Both anti-alias text their own way: compare the pictures blurred
        // over 3 x 3 pixels, which keeps any real shift or missing shape.
        auto blurred = [](const Image& img, int x, int y, int shift) {
            int sum = 0, n = 0;
            for (int dy = -1; dy <= 1; ++dy)
                for (int dx = -1; dx <= 1; ++dx) {
                    int px = x + dx, py = y + dy;
                    if (px < 0 || py < 0 || px >= img.getWidth() || py >= img.getHeight()) continue;
                    sum += static_cast<int>((img.getPixel(px, py) >> shift) & 0xff);
                    ++n;
                }
            return sum / n;
        };
        int bad = 0;
        for (int y = 0; y < own->getHeight(); ++y)
            for (int x = 0; x < own->getWidth(); ++x)
                for (int s = 8; s < 32; s += 8)
                    if (std::abs(blurred(*own, x, y, s) - blurred(*svg, x, y, s)) > 40) {
                        ++bad;
                        break;
                    }
        EXPECT_LT(bad, own->getWidth() * own->getHeight() / 100) << name << ": " << bad << " pixels differ";
    }
}

} // namespace
