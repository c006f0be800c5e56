// SPDX-License-Identifier: Apache-2.0
// The shared text engine: exact layout with the fixed-metric backend, real
// fonts through fontconfig and FreeType, and FontTool measuring what the text
// nodes draw.
#include "orvane/displaylist/DisplayListEditor.h"
#include "orvane/displaylist/DisplayListRenderer.h"
#include "orvane/displaylist/TqRichText.h"
#include "orvane/displaylist/TqText.h"
#include "orvane/host/style/AttributeBundle.h"
#include "orvane/host/core/CLog.h"
#include "orvane/host/style/Dimension.h"
#include "orvane/host/text/FontTool.h"
#include "orvane/host/io/ResourceManager.h"
#include "orvane/host/style/StyleAttribute.h"
#include "orvane/host/style/StyleChain.h"
#include "orvane/host/text/TextEngine.h"
#include "orvane/host/text/TextLayout.h"

#include <gtest/gtest.h>

using namespace orvane;
using namespace displaylist;

namespace {

// 12 pt is 16 px; with the fixed metrics a character advances 9.6 px and a
// line is 16 px (ascent 12.8, descent 3.2).
constexpr float PX = 16.0f;
constexpr float ADV = 0.6f * PX;

class FixedTextTest : public ::testing::Test {
protected:
    TextEngine::ScopedBackend fixed{TextEngine::Backend::FIXED_METRICS};
    Font font = TextEngine::instance().getFont("Arial", 12.0f, false, false);

    TextLayout layout(std::string_view text, unsigned flags = 0, float maxW = 0, float maxH = 0) {
        TextLayoutOptions o;
        o.flags = flags;
        o.maxWidth = maxW;
        o.maxHeight = maxH;
        return TextLayout::compute(font, text, o);
    }
    static std::string lineText(const TextLayout& L, std::string_view text, size_t i) {
        std::string s;
        const TextLine& line = L.lines[i];
        for (uint32_t k = 0; k < line.segmentCount; ++k) {
            const TextSegment& seg = L.segments[line.firstSegment + k];
            s += text.substr(seg.begin, seg.end - seg.begin);
        }
        return s;
    }
};

TEST_F(FixedTextTest, SingleLineSizesAreExact) {
    ASSERT_TRUE(font.isValid());
    EXPECT_FLOAT_EQ(font.getPixelSize(), PX);
    TextLayout L = layout("abc de");
    ASSERT_EQ(L.lines.size(), 1u);
    EXPECT_FLOAT_EQ(L.width, 6 * ADV);
    EXPECT_FLOAT_EQ(L.height, PX);
    EXPECT_FLOAT_EQ(L.lines[0].baseline(), 0.8f * PX);
    // Multi-byte characters count once; malformed bytes are one replacement each.
    EXPECT_FLOAT_EQ(font.measure("\xc3\xa9t\xe2\x82\xac"), 3 * ADV);
    EXPECT_FLOAT_EQ(font.measure("a\xff" "b"), 3 * ADV);
}

TEST_F(FixedTextTest, NewlinesAndWrapping) {
    std::string text = "one two three four";
    TextLayout L = layout(text, TextFlags::WRAP, 10 * ADV);
    ASSERT_EQ(L.lines.size(), 2u);
    EXPECT_EQ(lineText(L, text, 0), "one two");
    EXPECT_EQ(lineText(L, text, 1), "three four");
    EXPECT_FLOAT_EQ(L.lines[0].width, 7 * ADV);  // the space at the break is dropped
    EXPECT_FLOAT_EQ(L.height, 2 * PX);
    EXPECT_FLOAT_EQ(L.lines[1].top, PX);

    // Without the flag the text stays on one line and is clipped to the width.
    TextLayout noWrap = layout(text, 0, 9 * ADV);
    EXPECT_EQ(noWrap.lines.size(), 1u);
    EXPECT_TRUE(noWrap.clipped);
    EXPECT_FLOAT_EQ(noWrap.width, 9 * ADV);

    // Hard breaks always apply; a trailing newline opens an empty line.
    TextLayout nl = layout("ab\ncd\n");
    EXPECT_EQ(nl.lines.size(), 3u);
    EXPECT_FLOAT_EQ(nl.width, 2 * ADV);
    EXPECT_FLOAT_EQ(nl.height, 3 * PX);

    // A word wider than the line breaks between characters.
    std::string longWord = "abcdefghij";
    TextLayout chars = layout(longWord, TextFlags::WRAP, 4 * ADV);
    ASSERT_EQ(chars.lines.size(), 3u);
    EXPECT_EQ(lineText(chars, longWord, 0), "abcd");
    EXPECT_EQ(lineText(chars, longWord, 2), "ij");
}

TEST_F(FixedTextTest, MaximumHeightAndLineLimits) {
    std::string text = "a b c d e";
    // Five lines of one word; 2.5 lines of height keep two.
    TextLayout L = layout(text, TextFlags::WRAP, 1.5f * ADV, 2.5f * PX);
    EXPECT_EQ(L.lines.size(), 2u);
    EXPECT_TRUE(L.truncated);
    EXPECT_FLOAT_EQ(L.height, 2 * PX);
    // The first line is kept even when it does not fit; the height is clamped.
    TextLayout tiny = layout(text, TextFlags::WRAP, 1.5f * ADV, 5.0f);
    EXPECT_EQ(tiny.lines.size(), 1u);
    EXPECT_FLOAT_EQ(tiny.height, 5.0f);

    TextLayoutOptions o;
    o.flags = TextFlags::WRAP;
    o.maxWidth = 1.5f * ADV;
    o.maxLines = 3;
    EXPECT_EQ(TextLayout::compute(font, text, o).lines.size(), 3u);
    o.maxLines = 0;
    o.minLines = 7;
    EXPECT_FLOAT_EQ(TextLayout::compute(font, text, o).height, 7 * PX);
}

TEST_F(FixedTextTest, FastMeasureAgreesWithFullLayout) {
    const char* texts[] = {"", "x", "hello world", "  lead", "trail  ", "a\nbb\nccc", "wrap me please now"};
    for (const char* t : texts) {
        for (unsigned flags : {0u, TextFlags::WRAP}) {
            for (float maxW : {0.0f, 5 * ADV, 100 * ADV}) {
                TextLayoutOptions o;
                o.flags = flags;
                o.maxWidth = maxW;
                o.maxHeight = 0;
                Size fast = TextLayout::measure(font, t, o);
                TextLayout full = TextLayout::compute(font, t, o);
                EXPECT_FLOAT_EQ(fast.width, full.width) << t << " " << flags << " " << maxW;
                EXPECT_FLOAT_EQ(fast.height, full.height) << t << " " << flags << " " << maxW;
            }
        }
    }
}

TEST_F(FixedTextTest, AnchorsPlaceTheBox) {
    auto renderer = DisplayListRenderer::create(false);
    auto editor = renderer->getEditor();
    // "abcd" is 38.4 x 16.
    const float w = 4 * ADV, h = PX;
    struct Case {
        int anchor;
        float x, y;  // expected lower-left corner for the anchor at (100, 50)
    } cases[] = {{0, 100, 50},         {1, 100 - w / 2, 50},         {2, 100 - w, 50},
                 {3, 100, 50 - h / 2}, {4, 100 - w / 2, 50 - h / 2}, {5, 100 - w, 50 - h / 2},
                 {6, 100, 50 - h},     {7, 100 - w / 2, 50 - h},     {8, 100 - w, 50 - h}};
    for (const Case& c : cases) {
        TqText* t = editor->addText("abcd", 100, 50, c.anchor);
        Rect box = t->GetTextBox();
        EXPECT_FLOAT_EQ(box.x, c.x) << "anchor " << c.anchor;
        EXPECT_FLOAT_EQ(box.y, c.y) << "anchor " << c.anchor;
        EXPECT_FLOAT_EQ(box.width, w);
        EXPECT_FLOAT_EQ(box.height, h);
    }
    CLogCapture log;
    TqText* bad = editor->addText("abcd", 0, 0, 9);
    EXPECT_EQ(bad->GetAnchor(), 0);
    EXPECT_TRUE(log.contains(CLog::ERRORS, "anchor"));
}

TEST_F(FixedTextTest, FontToolMeasuresWhatTextNodesDraw) {
    auto tool = FontTool::instance();
    auto bundle = std::make_shared<AttributeBundle>();
    bundle->setString(StyleAttribute::FONT_FAMILY, "Arial");
    bundle->setDimension(StyleAttribute::FONT_SIZE, Dimension::create(18.0f, DimensionUnit::POINTS));
    bundle->setInt(StyleAttribute::FONT_BOLD, 1);
    auto chain = StyleChain::create({bundle});
    ASSERT_TRUE(tool->setFont(chain));
    EXPECT_TRUE(tool->isBold());
    EXPECT_FALSE(tool->isItalic());

    std::string text = "The quick brown fox jumps";
    Size measured = tool->getStringMetrics(text, TextFlags::WRAP, 100.0f, 0.0f);
    auto renderer = DisplayListRenderer::create(false);
    TqText* node = renderer->getEditor()->addText(text, 0, 0, 6);
    node->SetFontName("Arial");
    node->SetFontSize(18.0f);
    node->SetBold(true);
    node->SetFlags(TextFlags::WRAP);
    node->SetMaxSize(100.0f, 0.0f);
    EXPECT_EQ(node->GetTextSize(), measured);
    EXPECT_GT(measured.height, 24.0f);  // wrapped onto several 24 px lines

    // Points convert to pixels with 4/3 times the DPI scale factor.
    ResourceManager::setDPIScaleFactor(2.0f);
    EXPECT_FLOAT_EQ(TextEngine::pointsToPixels(12.0f), 32.0f);
    ResourceManager::setDPIScaleFactor(1.0f);
    EXPECT_FLOAT_EQ(tool->getFontMetrics().ascent, 0.8f * 24.0f);

    // A null chain gives the defaults; sizes that are not lengths are rejected.
    EXPECT_TRUE(tool->setFont(nullptr));
    EXPECT_FLOAT_EQ(tool->getFont().getPointSize(), 12.0f);
    CLogCapture log;
    EXPECT_FALSE(tool->setFont("Arial", -3.0f, false, false));
    EXPECT_FALSE(tool->setFont("Arial", std::numeric_limits<float>::quiet_NaN(), false, false));
    EXPECT_FLOAT_EQ(tool->getFont().getPointSize(), 12.0f);
    EXPECT_TRUE(log.contains(CLog::ERRORS, "font size"));
}

TEST_F(FixedTextTest, RichTextLinesRunsAndLimits) {
    auto renderer = DisplayListRenderer::create(false);
    TqRichText* rt = renderer->getEditor()->addRichText({0, 0, 10 * ADV, 200}, 40);
    rt->AddTextObject("aaa bbb");
    TqTextObject* link = rt->AddTextObject(" ccc");
    link->SetContinueLine(true);
    link->SetId(41);
    rt->AddTextObject("");  // a paragraph without runs: an empty line
    TqTextObject* big = rt->AddTextObject("d");
    big->SetFontSize(24.0f);
    const TextLayout& L = rt->GetLayout();
    ASSERT_EQ(L.lines.size(), 4u);  // "aaa bbb" | "ccc" | "" | "d"
    EXPECT_FLOAT_EQ(L.lines[0].width, 7 * ADV);
    EXPECT_FLOAT_EQ(L.lines[1].width, 3 * ADV);
    EXPECT_FLOAT_EQ(L.lines[3].height(), 2 * PX);
    EXPECT_EQ(rt->getTextSize(), Size(7 * ADV, 5 * PX));
    // The text hangs from the top of the rect: "ccc" is the second line.
    std::vector<Rect> boxes = rt->GetTextObjectBoxes(1);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_FLOAT_EQ(boxes[0].y, 200 - 2 * PX);

    rt->setMinMaxLine(0, 2);
    EXPECT_EQ(rt->getTextSize(), Size(7 * ADV, 2 * PX));
    rt->setMinMaxLine(6, 0);
    EXPECT_FLOAT_EQ(rt->getTextSize().height, 5 * PX + 2 * 2 * PX);
    rt->setMinMaxLine(0, 0);
    rt->SetMaxSize(3 * ADV, 2000.0f);  // narrower: every word on its own line
    EXPECT_EQ(rt->GetLayout().lines.size(), 5u);
    EXPECT_FLOAT_EQ(rt->getTextSize().width, 3 * ADV);
}

TEST(RealFontTest, ArialNamesResolveToAMetricCompatibleFace) {
    TextEngine& engine = TextEngine::instance();
    ASSERT_EQ(engine.getBackend(), TextEngine::Backend::FREETYPE);
    for (const char* name : {"Arial", "ArialMT", "arial"}) {
        for (int style = 0; style < 4; ++style) {
            bool resolved = false;
            auto face = engine.getFace(name, style & 1, style & 2, &resolved);
            ASSERT_TRUE(face) << name;
            EXPECT_TRUE(resolved) << name;
            EXPECT_EQ(face->getFamily(), "Liberation Sans") << name;
            EXPECT_EQ(face->isBold(), (style & 1) != 0);
        }
    }
    Font regular = engine.getFont("ArialMT", 12.0f, false, false);
    Font bold = engine.getFont("ArialMT", 12.0f, true, false);
    std::string sample = "Quarterly revenue by region";
    EXPECT_GE(bold.measure(sample), regular.measure(sample));
    EXPECT_GT(bold.measure(sample), regular.measure(sample) * 1.02f);
    // Arial's vertical metrics: ascent 0.905 em, descent 0.212 em; capitals
    // about 0.7 em.
    FontMetrics m = regular.getMetrics();
    EXPECT_NEAR(m.ascent / m.pixelSize, 0.905f, 0.01f);
    EXPECT_NEAR(m.descent / m.pixelSize, 0.212f, 0.01f);
    EXPECT_NEAR(m.capHeight / m.pixelSize, 0.7f, 0.05f);
    EXPECT_LT(m.xHeight, m.capHeight);
    // Advances scale linearly with the size.
    Font big = engine.getFont("Arial", 24.0f, false, false);
    EXPECT_NEAR(big.measure(sample), 2 * regular.measure(sample), 1e-3f);
}

TEST(RealFontTest, UnknownFamilyFallsBackWithALogLine) {
    CLogCapture log;
    bool resolved = true;
    auto face = TextEngine::instance().getFace("No Such Family 4711", false, false, &resolved);
    ASSERT_TRUE(face);
    EXPECT_FALSE(resolved);
    EXPECT_EQ(face->getFamily(), TextEngine::DEFAULT_FAMILY);
    EXPECT_TRUE(log.contains(CLog::ERRORS, "No Such Family 4711"));
    // FontTool accepts it: what it measures is what the nodes draw.
    EXPECT_TRUE(FontTool::instance()->setFont("No Such Family 4711", 10.0f, false, false));
    EXPECT_GT(FontTool::instance()->getStringWidth("abc"), 0.0f);
}

TEST(RealFontTest, BackendSwitchReachesExistingNodes) {
    auto renderer = DisplayListRenderer::create(false);
    TqText* t = renderer->getEditor()->addText("abcd", 0, 0, 0);
    float real = t->GetTextSize().width;
    {
        TextEngine::ScopedBackend fixed(TextEngine::Backend::FIXED_METRICS);
        EXPECT_FLOAT_EQ(t->GetTextSize().width, 4 * ADV);
    }
    EXPECT_FLOAT_EQ(t->GetTextSize().width, real);
    EXPECT_NE(real, 4 * ADV);
}

} // namespace
