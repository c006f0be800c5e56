// SPDX-License-Identifier: Apache-2.0
// Node kinds beyond rectangles: arcs, rounded rectangles, clipping groups,
// text alignment, clipping and decoration, and tolerant UTF-8 input.
#include "orvane/displaylist/DisplayListEditor.h"
#include "orvane/displaylist/DisplayListRenderer.h"
#include "orvane/displaylist/TqArc.h"
#include "orvane/displaylist/TqGroup.h"
#include "orvane/displaylist/TqRectangle.h"
#include "orvane/displaylist/TqRichText.h"
#include "orvane/displaylist/TqRoundedRectangle.h"
#include "orvane/displaylist/TqText.h"
#include "orvane/host/core/CLog.h"
#include "orvane/host/io/Image.h"
#include "orvane/host/text/TextEngine.h"
#include "orvane/host/core/Utf8.h"

#include <gtest/gtest.h>

using namespace orvane;
using namespace displaylist;

namespace {

constexpr float ADV = 9.6f;  // fixed metrics at 12 pt
constexpr float PX = 16.0f;

bool contains(const std::string& s, const std::string& part) { return s.find(part) != std::string::npos; }

class ShapesTest : public ::testing::Test {
protected:
    TextEngine::ScopedBackend fixed{TextEngine::Backend::FIXED_METRICS};
    std::shared_ptr<DisplayListRenderer> renderer = DisplayListRenderer::create(false);
    std::shared_ptr<DisplayListEditor> e = renderer->getEditor();
    void SetUp() override { renderer->setViewport(0, 0, 200, 100); }
    bool picked(float x, float y) { return !renderer->getPickedNodeIds({x, y, 1, 1}).empty(); }
};

TEST_F(ShapesTest, PieSlicesPickAndDrawOnlyTheirSector) {
    // A quarter pie from 0 to 90 degrees (upper right of the centre, y up).
    TqArc* a = e->addArc(100, 50, 40, 40, 0, 90);
    a->SetFillColor(0xff0000);
    a->SetNodeId(1);
    EXPECT_TRUE(picked(115, 65));
    EXPECT_FALSE(picked(85, 65));   // upper left quarter
    EXPECT_FALSE(picked(115, 35));  // lower right quarter
    EXPECT_FALSE(picked(135, 85));  // inside the bounding box, beyond the radius
    auto img = renderer->renderImage(true);
    EXPECT_EQ(img->getPixel(115, 100 - 65), 0xff0000ffu);
    EXPECT_EQ(img->getPixel(85, 100 - 65), 0xffffffffu);
    // The SVG path sweeps counter-clockwise on screen (sweep flag 0) from the
    // start point (140, 50) through the middle (128.284, 21.716) to (100, 10).
    std::string svg = renderer->getDisplayListSVGString();
    EXPECT_TRUE(contains(svg, "d=\"M 100 50 L 140 50 A 40 40 0 0 0 128.284 21.716 A 40 40 0 0 0 100 10 Z\""));
}

TEST_F(ShapesTest, RoundedCornersAndClippingGroups) {
    TqRoundedRectangle* r = e->addRoundedRectangle(10, 10, 40, 20, 50);
    r->SetFillColor(0x00ff00);
    EXPECT_FLOAT_EQ(r->GetEffectiveRadius(), 10.0f);
    TqGroup* g = e->openGroup(100, 0, 50, 50);
    g->SetClipping(true);
    TqRectangle* big = e->addRectangle(0, 0, 100, 100, 0x0000ff);
    big->SetNodeId(2);
    e->closeGroup();
    auto img = renderer->renderImage(true);
    EXPECT_EQ(img->getPixel(11, 100 - 11), 0xffffffffu);  // cut corner
    EXPECT_EQ(img->getPixel(30, 100 - 20), 0x00ff00ffu);
    EXPECT_EQ(img->getPixel(120, 100 - 20), 0x0000ffffu);
    EXPECT_EQ(img->getPixel(170, 100 - 20), 0xffffffffu);  // clipped away
    EXPECT_TRUE(picked(120, 20));
    EXPECT_FALSE(picked(170, 20));
    EXPECT_FALSE(picked(120, 70));
    EXPECT_FLOAT_EQ(g->GetBoundsInParent().maxX(), 150.0f);
    EXPECT_TRUE(contains(renderer->getDisplayListSVGString(), "rx=\"10\" ry=\"10\""));
}

TEST_F(ShapesTest, TextAlignmentClippingAndDecoration) {
    // Two lines, "abcdef" and "ab", centred within the 6-character box.
    TqText* t = e->addText("abcdef\nab", 10, 90, TqAnchor::TOP_LEFT);
    t->SetTextAlignment(1);
    t->SetUnderline(true);
    t->SetBackgroundColor(0xffff00);
    t->SetBackgroundEnabled(true);
    EXPECT_NEAR(t->GetTextSize().width, 6 * ADV, 1e-4f);
    EXPECT_FLOAT_EQ(t->GetTextSize().height, 2 * PX);
    std::string svg = renderer->getDisplayListSVGString();
    // Second line starts at 10 + (6 - 2) * 9.6 / 2 = 29.2; baselines at
    // 90 - 12.8 and 90 - 28.8, written flipped.
    EXPECT_TRUE(contains(svg, "<text x=\"29.2 38.8\" y=\"38.8\""));
    EXPECT_TRUE(contains(svg, "<text x=\"10 19.6 29.2 38.8 48.4 58\" y=\"22.8\""));
    EXPECT_TRUE(contains(svg, "<rect x=\"10\" y=\"10\" width=\"57.6\" height=\"32\" fill=\"#ffff00\"/>"));
    // The underline of the first line: 0.1 em below the baseline, 1 px thick.
    EXPECT_TRUE(contains(svg, "<rect x=\"10\" y=\"23.9\" width=\"57.6\" height=\"1\" fill=\"#000000\"/>"));

    // A maximum size clips: no more lines than fit, and a clip path for the width.
    TqText* clipped = e->addText("a long line of text", 0, 0, TqAnchor::BOTTOM_LEFT);
    clipped->SetMaxSize(5 * ADV, PX);
    EXPECT_FLOAT_EQ(clipped->GetTextSize().width, 5 * ADV);
    EXPECT_FLOAT_EQ(clipped->GetTextSize().height, PX);
    EXPECT_TRUE(contains(renderer->getDisplayListSVGString(), "clip-path=\"url(#clip1)\""));
}

TEST_F(ShapesTest, RichTextAlignsLinesByTheirFirstRun) {
    TqRichText* rt = e->addRichText({0, 0, 10 * ADV, 50}, 1);
    rt->AddTextObject("left");
    TqTextObject* right = rt->AddTextObject("right");
    right->SetAlignment(2);
    right->SetBackgroundColor(0x00ffff);
    right->SetBackgroundEnabled(true);
    std::vector<Rect> boxes = rt->GetTextObjectBoxes(1);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_FLOAT_EQ(boxes[0].x, 5 * ADV);
    EXPECT_FLOAT_EQ(boxes[0].maxX(), 10 * ADV);
    EXPECT_FLOAT_EQ(rt->GetTextObjectBoxes(0)[0].x, 0.0f);
    auto img = renderer->renderImage(true);
    EXPECT_EQ(img->getPixel(static_cast<int>(5 * ADV) + 1, 100 - 20), 0x00ffffffu);  // the run's background
}

TEST(Utf8Test, MalformedInputDecodesToReplacements) {
    auto decode = [](std::string_view s) {
        std::u32string out;
        const char* p = s.data();
        const char* end = p + s.size();
        while (p < end) out += Utf8::next(p, end);
        return out;
    };
    EXPECT_EQ(decode("a\xc3\xa9\xe2\x82\xac\xf0\x9f\x98\x80"), U"a\u00e9\u20ac\U0001F600");
    EXPECT_EQ(decode("\xc3"), U"\ufffd");                 // truncated
    EXPECT_EQ(decode("\xc0\xaf"), U"\ufffd\ufffd");       // overlong
    EXPECT_EQ(decode("\xed\xa0\x80"), U"\ufffd\ufffd\ufffd");  // surrogate
    EXPECT_EQ(decode("\x80x"), U"\ufffdx");
    std::string back;
    for (char32_t cp : std::u32string(U"a\u00e9\u20ac\U0001F600")) Utf8::append(back, cp);
    EXPECT_EQ(back, "a\xc3\xa9\xe2\x82\xac\xf0\x9f\x98\x80");
}

TEST(RefCountTest, UnbalancedUnrefIsRefused) {
    CLogCapture log;
    auto* r = new TqRectangle(0, 0, 1, 1);
    r->Ref();
    r->Ref();
    r->Unref();
    EXPECT_EQ(r->GetRefCount(), 1);
    r->Unref();  // deleted here
    auto* floating = new TqRectangle(0, 0, 1, 1);
    floating->Unref();  // never referenced: refused, not deleted
    EXPECT_TRUE(log.contains(CLog::ERRORS, "Unref without a reference"));
    floating->Ref();
    floating->Unref();
}

} // namespace
