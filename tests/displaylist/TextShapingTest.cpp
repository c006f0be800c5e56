// SPDX-License-Identifier: Apache-2.0
// Text in every script with the real fonts: shaping, font fallback,
// bidirectional order, line breaking, ellipsis, and PNG and SVG that agree.
#include "common/TestSupport.h"

#include "orvane/displaylist/DisplayListEditor.h"
#include "orvane/displaylist/DisplayListRenderer.h"
#include "orvane/displaylist/TqCanvas.h"
#include "orvane/displaylist/TqGroup.h"
#include "orvane/displaylist/TqRichText.h"
#include "orvane/displaylist/TqSvgWriter.h"
#include "orvane/displaylist/TqText.h"
#include "orvane/host/core/Utf8.h"
#include "orvane/host/io/Image.h"
#include "orvane/host/text/FontTool.h"
#include "orvane/host/text/TextEngine.h"
#include "orvane/host/text/TextLayout.h"
#include "orvane/host/text/TextShaper.h"

#include <cairo.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>

using namespace orvane;
using namespace displaylist;

namespace {

constexpr float SIZE = 18.0f;  // points: 24 px

const char* const WORDS[] = {
    "Gr\u00fc\u00dfe",                                                   // German
    "\xe6\x97\xa5\xe6\x9c\xac\xe8\xaa\x9e",                              // Japanese
    "\xd8\xa7\xd9\x84\xd8\xb9\xd8\xb1\xd8\xa8\xd9\x8a\xd8\xa9",          // Arabic
    "\xe0\xa4\xb9\xe0\xa4\xbf\xe0\xa4\xa8\xe0\xa5\x8d\xe0\xa4\xa6\xe0\xa5\x80",  // Devanagari
    "\xe0\xb8\xa0\xe0\xb8\xb2\xe0\xb8\xa9\xe0\xb8\xb2\xe0\xb9\x84\xe0\xb8\x97\xe0\xb8\xa2",  // Thai
    "\xd7\xa2\xd7\x91\xd7\xa8\xd7\x99\xd7\xaa",                          // Hebrew
    "\xe2\x98\xba",                                                      // an emoji (white smiling face)
};

struct Box {
    int minX = 1 << 30, minY = 1 << 30, maxX = -1, maxY = -1;
    int count = 0;
    bool empty() const { return count == 0; }
};

bool inked(uint32_t rgba) {
    int r = rgba >> 24, g = (rgba >> 16) & 0xff, b = (rgba >> 8) & 0xff;
    return r + g + b < 3 * 160;
}

// Ink of a picture within columns [x0, x1) (rows run downwards).
Box inkOf(const Image& img, int x0 = 0, int x1 = 1 << 30) {
    Box b;
    for (int y = 0; y < img.getHeight(); ++y)
        for (int x = std::max(x0, 0); x < std::min(x1, img.getWidth()); ++x)
            if (inked(img.getPixel(x, y))) {
                b.minX = std::min(b.minX, x);
                b.maxX = std::max(b.maxX, x);
                b.minY = std::min(b.minY, y);
                b.maxY = std::max(b.maxY, y);
                ++b.count;
            }
    return b;
}

class ShapingTest : public ::testing::Test {
protected:
    TextEngine::ScopedBackend real{TextEngine::Backend::FREETYPE};
    Font font = TextEngine::instance().getFont("Arial", SIZE, false, false);

    std::shared_ptr<DisplayListRenderer> page(float w, float h) {
        auto r = DisplayListRenderer::create(false);
        r->setViewport(0, 0, w, h);
        return r;
    }
    static TqText* addText(DisplayListRenderer& r, const std::string& text, float x, float y) {
        TqText* t = r.getEditor()->addText(text, x, y, TqAnchor::BOTTOM_LEFT);
        t->SetFontSize(SIZE);
        t->SetColor(0x000000);
        return t;
    }
    // The picture of one text alone at (x, y).
    std::shared_ptr<Image> alone(const std::string& text, float x, float y, float w, float h) {
        auto r = page(w, h);
        addText(*r, text, x, y);
        return r->renderImage(true);
    }
};

TEST_F(ShapingTest, EveryScriptHasInkWhereItsWordIs) {
    // One line of all the words; each word's ink is compared with the ink of
    // the word drawn alone at the place the line gives it.
    std::string line;
    std::vector<float> starts;
    for (const char* w : WORDS) {
        if (!line.empty()) line += "  ";
        starts.push_back(10.0f + font.measure(line));
        line += w;
    }
    const float W = 900, H = 60;
    auto full = page(W, H);
    addText(*full, line, 10, 20);
    auto fullImg = full->renderImage(true);
    ASSERT_TRUE(fullImg);
    for (size_t i = 0; i < std::size(WORDS); ++i) {
        auto single = alone(WORDS[i], starts[i], 20, W, H);
        Box own = inkOf(*single);
        ASSERT_FALSE(own.empty()) << "word " << i << " draws nothing alone";
        Box there = inkOf(*fullImg, own.minX, own.maxX + 1);
        EXPECT_GT(there.count, own.count * 6 / 10) << "word " << i;
        EXPECT_LT(there.count, own.count * 14 / 10 + 10) << "word " << i;
        EXPECT_NEAR(there.minY, own.minY, 2) << "word " << i;
        EXPECT_NEAR(there.maxY, own.maxY, 2) << "word " << i;
    }
}

TEST_F(ShapingTest, CombiningMarksLandOverTheirBase) {
    // e + U+0301: the accent's ink lies over the e, and takes no width.
    EXPECT_FLOAT_EQ(font.measure("e\xcc\x81"), font.measure("e"));
    auto pair = alone("e\xcc\x81", 20, 10, 80, 60);
    auto base = alone("e", 20, 10, 80, 60);
    Box e = inkOf(*base);
    ASSERT_FALSE(e.empty());
    Box accent;
    for (int y = 0; y < pair->getHeight(); ++y)
        for (int x = 0; x < pair->getWidth(); ++x)
            if (inked(pair->getPixel(x, y)) && !inked(base->getPixel(x, y))) {
                accent.minX = std::min(accent.minX, x);
                accent.maxX = std::max(accent.maxX, x);
                accent.maxY = std::max(accent.maxY, y);
                ++accent.count;
            }
    ASSERT_FALSE(accent.empty()) << "the accent draws nothing";
    EXPECT_LT(accent.minX, e.maxX);  // the two ink boxes overlap across
    EXPECT_GT(accent.maxX, e.minX);
    float centre = (accent.minX + accent.maxX) / 2.0f;
    EXPECT_GE(centre, e.minX);
    EXPECT_LE(centre, e.maxX);
    EXPECT_LE(accent.maxY, e.minY + 2);  // above the letter
}

TEST_F(ShapingTest, ArabicIsJoinedAndReordered) {
    // Shin, mim, sin: initial, medial and final forms, none of them the
    // isolated letter.
    const std::string shams = "\xd8\xb4\xd9\x85\xd8\xb3";
    auto joined = TextShaper::shape(font, shams, true);
    ASSERT_EQ(joined->glyphs.size(), 3u);
    int differ = 0;
    float isolatedWidth = 0.0f;
    const char* p = shams.data();
    for (size_t i = 0; i < 3; ++i) {
        size_t len = Utf8::sequenceLength(p, shams.data() + shams.size());
        auto isolated = TextShaper::shape(font, std::string(p, len), true);
        ASSERT_EQ(isolated->glyphs.size(), 1u);
        isolatedWidth += isolated->width;
        // Visual order is right to left: the first letter is the last glyph.
        const ShapedGlyph& g = joined->glyphs[2 - i];
        EXPECT_EQ(g.cluster, static_cast<uint32_t>(p - shams.data()));
        if (g.index != isolated->glyphs[0].index) ++differ;
        p += len;
    }
    EXPECT_EQ(differ, 3);
    EXPECT_GT(std::abs(joined->width - isolatedWidth), 0.5f);
    // Lam and alef make one ligature: four letters, three glyphs.
    const std::string salam = "\xd8\xb3\xd9\x84\xd8\xa7\xd9\x85";
    EXPECT_EQ(TextShaper::shape(font, salam, true)->glyphs.size(), 3u);
    EXPECT_NE(joined->glyphs[0].face, font.getFace());  // Liberation Sans has no Arabic: a fallback face

    // In a left-to-right line the Arabic word is one right-to-left segment
    // between the Latin ones; in a right-to-left paragraph it comes first
    // from the right.
    std::string mixed = "abc " + salam + " def";
    TextLayoutOptions o;
    TextLayout L = TextLayout::compute(font, mixed, o);
    ASSERT_EQ(L.lines.size(), 1u);
    ASSERT_GE(L.segments.size(), 3u);
    std::vector<std::string> order;
    for (const TextSegment& s : L.segments) order.push_back(std::string(TextLayout::segmentText(s, mixed)));
    EXPECT_EQ(order.front().substr(0, 3), "abc");
    EXPECT_NE(order.back().find("def"), std::string::npos);
    bool arabicRtl = false;
    for (const TextSegment& s : L.segments)
        if (TextLayout::segmentText(s, mixed) == salam) arabicRtl = s.rightToLeft();
    EXPECT_TRUE(arabicRtl);

    std::string rtlText = salam + " abc";
    TextLayout R = TextLayout::compute(font, rtlText, o);
    ASSERT_EQ(R.lines.size(), 1u);
    EXPECT_TRUE(R.lines[0].rightToLeft);
    float arabicX = -1, latinX = -1;
    for (const TextSegment& s : R.segments) {
        std::string_view t = TextLayout::segmentText(s, rtlText);
        if (t.find("abc") != std::string_view::npos) latinX = s.x;
        if (t.find(salam) != std::string_view::npos) arabicX = s.x;
    }
    EXPECT_GT(arabicX, latinX);
    // Text without strong characters follows the view's direction.
    o.rightToLeft = true;
    EXPECT_TRUE(TextLayout::compute(font, "123 - 456", o).lines[0].rightToLeft);
    o.rightToLeft = false;
    EXPECT_FALSE(TextLayout::compute(font, "123 - 456", o).lines[0].rightToLeft);
}

TEST_F(ShapingTest, LinesBreakAtUnicodeOpportunities) {
    // CJK breaks between ideographs; no character is lost or repeated.
    const std::string cjk = "\xe6\x97\xa5\xe6\x9c\xac\xe8\xaa\x9e\xe3\x81\xae\xe6\x96\x87\xe7\xab\xa0\xe3\x82\x92"
                            "\xe6\x8a\x98\xe3\x82\x8a\xe8\xbf\x94\xe3\x81\x99";  // 日本語の文章を折り返す
    float ideograph = font.measure("\xe6\x97\xa5");
    ASSERT_GT(ideograph, 0.0f);
    TextLayoutOptions o;
    o.flags = TextFlags::WRAP;
    o.maxWidth = ideograph * 4.5f;
    TextLayout L = TextLayout::compute(font, cjk, o);
    EXPECT_GE(L.lines.size(), 3u);
    std::string joined;
    for (const TextLine& line : L.lines) {
        EXPECT_LE(line.width, o.maxWidth + 0.01f);
        for (uint32_t k = 0; k < line.segmentCount; ++k)
            joined += TextLayout::segmentText(L.segments[line.firstSegment + k], cjk);
    }
    EXPECT_EQ(joined, cjk);

    // A word too long for a line breaks between clusters, never before a mark.
    std::string accents;
    for (int i = 0; i < 12; ++i) accents += "e\xcc\x81";
    o.maxWidth = font.measure("e") * 3.5f;
    TextLayout A = TextLayout::compute(font, accents, o);
    EXPECT_GE(A.lines.size(), 4u);
    for (const TextLine& line : A.lines) {
        const TextSegment& first = A.segments[line.firstSegment];
        EXPECT_EQ(accents[first.begin], 'e');
    }
    // Latin words still wrap whole.
    std::string words = "alpha beta gamma delta";
    o.maxWidth = font.measure("gamma delta") + 1.0f;
    TextLayout W = TextLayout::compute(font, words, o);
    ASSERT_EQ(W.lines.size(), 2u);
    EXPECT_EQ(W.segments[W.lines[1].firstSegment].begin, words.find("gamma"));
}

TEST_F(ShapingTest, MissingCharacterDrawsABox) {
    const std::string missing = "\xcd\xb8";  // U+0378, assigned to nothing
    EXPECT_EQ(TextEngine::instance().getFallbackFace(*font.getFace(), 0x378), nullptr);
    EXPECT_GT(font.measure(missing), 2.0f);
    Box b = inkOf(*alone(missing, 10, 10, 60, 50));
    EXPECT_GT(b.count, 10);
    EXPECT_GT(b.maxY - b.minY, 8);  // a box of about the letter height
}

TEST_F(ShapingTest, MeasuredWidthIsDrawnWidthInEveryScript) {
    auto tool = FontTool::instance();
    ASSERT_TRUE(tool->setFont("Arial", SIZE, false, false));
    cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, 4, 4);
    cairo_t* cr = cairo_create(surface);
    TqCanvas canvas(cr);
    for (const char* word : WORDS) {
        float measured = tool->getStringWidth(word);
        EXPECT_GT(measured, 5.0f) << word;
        float drawn = canvas.drawGlyphs(font, word, 0, 0, 0, false, TextShaper::hasRightToLeft(word));
        EXPECT_FLOAT_EQ(drawn, measured) << word;
        auto r = page(400, 60);
        TqText* t = addText(*r, word, 20, 20);
        EXPECT_FLOAT_EQ(t->GetTextSize().width, measured) << word;
        // The ink lies within the measured box (glyphs may overhang a little).
        Box ink = inkOf(*r->renderImage(true));
        EXPECT_GE(ink.minX, 20 - 3) << word;
        EXPECT_LE(ink.maxX, 20 + measured + 3) << word;
        EXPECT_GT(ink.maxX - ink.minX, measured * 0.5f) << word;
    }
    cairo_destroy(cr);
    cairo_surface_destroy(surface);
}

TEST_F(ShapingTest, TruncatedLinesEndInAnEllipsis) {
    std::string text = "The quarterly revenue grew in every region";
    TextLayoutOptions o;
    o.flags = TextFlags::ELLIPSIS;
    o.maxWidth = 120.0f;
    TextLayout L = TextLayout::compute(font, text, o);
    ASSERT_EQ(L.lines.size(), 1u);
    const TextSegment& last = L.segments.back();
    EXPECT_TRUE(last.ellipsis);
    EXPECT_EQ(TextLayout::segmentText(last, text), TextLayout::ELLIPSIS);
    EXPECT_LE(L.lines[0].width, 120.0f);
    EXPECT_FALSE(L.clipped);
    EXPECT_EQ(TextLayout::measure(font, text, o), Size(L.width, L.height));
    // Text that fits is left alone.
    o.maxWidth = 1000.0f;
    EXPECT_FALSE(TextLayout::compute(font, text, o).segments.back().ellipsis);
    // A right-to-left line keeps its start (the right end) and shows the ellipsis at the left.
    std::string hebrew;
    for (int i = 0; i < 8; ++i) hebrew += std::string(WORDS[5]) + " ";
    o.maxWidth = 150.0f;
    TextLayout R = TextLayout::compute(font, hebrew, o);
    ASSERT_FALSE(R.segments.empty());
    EXPECT_TRUE(R.segments.front().ellipsis);
    EXPECT_LE(R.lines[0].width, 150.0f);
}

TEST_F(ShapingTest, FixedMetricsKeepLatinAdvancesOnly) {
    TextEngine::ScopedBackend fixed{TextEngine::Backend::FIXED_METRICS};
    Font f = TextEngine::instance().getFont("Arial", 12.0f, false, false);
    EXPECT_FLOAT_EQ(f.measure("Hello, world"), 12 * 0.6f * 16.0f);
    // Arabic is shaped: its width is not four fixed advances, and it is not empty.
    float arabic = f.measure("\xd8\xb3\xd9\x84\xd8\xa7\xd9\x85");
    EXPECT_GT(arabic, 1.0f);
    EXPECT_NE(arabic, 4 * 0.6f * 16.0f);
}

// PNG and SVG of a mixed-script page agree (SVG drawn by librsvg): as text
// elements naming the faces used, and as glyph outlines.
TEST_F(ShapingTest, PngAndSvgAgree) {
    if (std::system("command -v rsvg-convert > /dev/null 2>&1") != 0) GTEST_SKIP() << "rsvg-convert is not installed";
    const float W = 700, H = 220;
    auto r = page(W, H);
    float y = H - 40;
    for (size_t i = 0; i < std::size(WORDS); i += 2) {
        std::string line = WORDS[i];
        if (i + 1 < std::size(WORDS)) line += std::string(" 12 ") + WORDS[i + 1];
        addText(*r, line, 20, y);
        y -= 45;
    }
    auto png = r->renderImage(true);
    ASSERT_TRUE(png);
    for (bool outlines : {false, true}) {
        TqSvgWriter svg(W, H);
        svg.setTextAsOutlines(outlines);
        svg.writeNode(*r->getEditor()->getRootNode());
        std::string dir = test::tempDir();
        std::string svgPath = dir + "/mixed.svg", pngPath = dir + "/mixed-rsvg.png";
        std::ofstream(svgPath) << svg.finish();
        std::string cmd = "rsvg-convert -b white -o '" + pngPath + "' '" + svgPath + "'";
        ASSERT_EQ(std::system(cmd.c_str()), 0);
        auto other = Image::readPNG(pngPath);
        ASSERT_TRUE(other);
        ASSERT_EQ(other->getWidth(), png->getWidth());
        ASSERT_EQ(other->getHeight(), png->getHeight());
        // Cells of 6 x 6 pixels: ink in one picture and not in the other.
        const int cell = 6;
        int cells = 0, differ = 0;
        for (int cy = 0; cy + cell <= png->getHeight(); cy += cell)
            for (int cx = 0; cx + cell <= png->getWidth(); cx += cell) {
                int a = 0, b = 0;
                for (int y2 = cy; y2 < cy + cell; ++y2)
                    for (int x2 = cx; x2 < cx + cell; ++x2) {
                        a += inked(png->getPixel(x2, y2));
                        b += inked(other->getPixel(x2, y2));
                    }
                if (a == 0 && b == 0) continue;
                ++cells;
                if (std::abs(a - b) > cell * cell / 3) ++differ;
            }
        ASSERT_GT(cells, 100);
        EXPECT_LT(differ, cells * (outlines ? 5 : 12) / 100) << (outlines ? "outlines" : "text") << ": " << differ
                                                            << " of " << cells << " cells differ";
    }
}

} // namespace
