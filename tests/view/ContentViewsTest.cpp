// SPDX-License-Identifier: Apache-2.0
#include "common/TestSupport.h"
#include "orvane/displaylist/DisplayListEditor.h"
#include "orvane/displaylist/DisplayListImage.h"
#include "orvane/displaylist/DisplayListRenderer.h"
#include "orvane/displaylist/TqController2D.h"
#include "orvane/displaylist/TqText.h"
#include "orvane/host/core/AssertionFailed.h"
#include "orvane/host/core/CLog.h"
#include "orvane/host/style/Dimension.h"
#include "orvane/host/io/FileSystemManager.h"
#include "orvane/host/style/StyleAttribute.h"
#include "orvane/host/text/TextEngine.h"
#include "orvane/image/ImageUtilities.h"
#include "orvane/image/ImageView.h"
#include "orvane/image/RasterImage.h"
#include "orvane/package/Div.h"
#include "orvane/package/OrvaneUIDeserializer.h"
#include "orvane/view/BoxContainerView.h"
#include "orvane/view/GestureHandlerEvent.h"
#include "orvane/view/LabelView.h"
#include "orvane/view/RichTextView.h"
#include "orvane/view/ScrollView.h"
#include "orvane/view/TextStyle.h"

#include "common/ViewSupport.h"

#include <gtest/gtest.h>

using namespace orvane;
using displaylist::DisplayListRenderer;

namespace {
std::shared_ptr<StyleChain> chainWith(std::initializer_list<std::pair<int, int>> ints) {
    auto b = AttributeBundle::create();
    for (auto [id, v] : ints) b->setInt(id, v);
    return StyleChain::create({b});
}
} // namespace

TEST(LabelView, AnchorsMeasuresAndDraws) {
    TextEngine::ScopedBackend fixed(TextEngine::Backend::FIXED_METRICS);
    Point p;
    EXPECT_EQ(LabelView::anchorFor(1, 1, 100, 40, p), 4);
    EXPECT_EQ(p, (Point{50, 20}));
    EXPECT_EQ(LabelView::anchorFor(0, 0, 100, 40, p), 6);
    EXPECT_EQ(p, (Point{0, 40}));
    EXPECT_EQ(LabelView::anchorFor(2, 2, 100, 40, p), 2);
    EXPECT_EQ(p, (Point{100, 0}));
    EXPECT_EQ(LabelView::anchorFor(7, 1, 100, 40, p), 0);

    auto label = LabelView::create();
    EXPECT_EQ(label->getPreferredSize({0, 0}), (Size{0, 0}));
    label->setText("Hello");
    Size s = label->getPreferredSize({0, 0});
    EXPECT_GT(s.width, 0.0f);
    EXPECT_GT(s.height, 0.0f);

    auto root = test::rootView(200, 100);
    label->setFrame({10, 10, 100, 40});
    label->setVerticalAlignment(LabelView::VERTICAL_MIDDLE);
    label->setStyleChain(chainWith({{StyleAttribute::TEXT_ALIGN, 1}, {StyleAttribute::FONT_BOLD, 1}}));
    root->addSubview(label);
    root->render();
    auto* node = label->getTextNode();
    ASSERT_TRUE(node);
    EXPECT_EQ(node->GetAnchor(), 4);
    EXPECT_EQ(node->GetPosition(), (Point{50, 20}));
    EXPECT_TRUE(node->GetBold());
    EXPECT_FALSE(node->GetItalic());
    EXPECT_EQ(node->GetMaxSize(), (Size{100, 40}));

    // Empty text draws nothing.
    auto empty = LabelView::create();
    empty->setFrame({0, 0, 50, 50});
    auto root2 = test::rootView(50, 50);
    root2->addSubview(empty);
    root2->render();
    EXPECT_FALSE(empty->getTextNode());
}

TEST(RichTextView, TapsSelectActionsByNumber) {
    TextEngine::ScopedBackend fixed(TextEngine::Backend::FIXED_METRICS);
    auto rich = RichTextNode::create();
    auto para = RichTextNode::create();
    para->addChild(RichTextNode::create("Go to "));
    para->addChild(RichTextNode::create("north", nullptr, std::make_shared<const std::string>("open:north")));
    para->addChild(RichTextNode::create(" or "));
    para->addChild(RichTextNode::create("south", nullptr, std::make_shared<const std::string>("open:south")));
    rich->addChild(para);

    auto view = RichTextView::create();
    view->setRichTextNode(rich);
    Size pref = view->getPreferredSize({400, 0});
    EXPECT_GT(pref.width, 0.0f);
    EXPECT_LT(pref.width, 400.0f);

    auto root = test::rootView(400, 100);
    view->setFrame({0, 100 - pref.height, 400, pref.height});
    root->addSubview(view);
    root->render();
    EXPECT_EQ(view->getNumberOfActions(), 2);

    // Fixed metrics: 12 pt = 16 px em, advance 0.6 em = 9.6 px per character.
    const float ch = 9.6f;
    const float y = 100 - pref.height / 2;
    auto tapAt = [&](float x) {
        root->handleGesture(std::make_shared<Tap>(Point{x, y}));
        return view->getSelectedActionIndex();
    };
    EXPECT_EQ(tapAt(ch * (6 + 5 + 4) + ch * 2), 1);  // inside "south"
    ASSERT_TRUE(view->getSelectedAction());
    EXPECT_EQ(*view->getSelectedAction(), "open:south");
    EXPECT_EQ(tapAt(ch * 8), 0);    // inside "north"
    EXPECT_EQ(tapAt(ch * 2), -1);   // plain text: nothing
    EXPECT_EQ(tapAt(399), -1);      // beyond the text
    EXPECT_FALSE(RichTextView::create()->getSelectedAction());
}

TEST(RichTextView, DivMarkupKeepsItsInlineStyles) {
    auto reader = OrvaneUIDeserializer::create();
    auto div = std::dynamic_pointer_cast<Div>(reader->deserialize(
        "<div style=\"font-size: 14pt; color: #102030\">plain <span style=\"font-weight: bold\">bold "
        "<span style=\"color: #ff0000\">red</span></span><span class=\"x\" style=\"nonsense\">kept</span>"
        "<div style=\"font-size: 9pt; font-style: italic\">small</div><div>inherits</div></div>"));
    ASSERT_TRUE(div) << reader->getLastError().toString();
    auto rich = RichTextView::richTextFromDiv(div);
    auto paras = rich->children.get();
    ASSERT_TRUE(paras);
    ASSERT_EQ(paras->size(), 3u);
    auto runs = (*paras)[0]->children.get();
    ASSERT_TRUE(runs);
    ASSERT_EQ(runs->size(), 4u);
    auto style = [](const std::shared_ptr<RichTextNode>& run) { return TextStyle::from(run->textStyle.get()); };
    auto text = [](const std::shared_ptr<RichTextNode>& run) { return *run->text.get(); };
    // Each attribute comes from the innermost div or span that sets it.
    EXPECT_EQ(text((*runs)[0]), "plain ");
    EXPECT_FLOAT_EQ(style((*runs)[0]).fontSize, 14.0f);
    EXPECT_FALSE(style((*runs)[0]).bold);
    EXPECT_EQ(style((*runs)[0]).color, 0x102030u);
    EXPECT_TRUE(style((*runs)[1]).bold);
    EXPECT_EQ(style((*runs)[1]).color, 0x102030u);
    EXPECT_EQ(text((*runs)[2]), "red");
    EXPECT_TRUE(style((*runs)[2]).bold);
    EXPECT_EQ(style((*runs)[2]).color, 0xff0000u);
    EXPECT_FLOAT_EQ(style((*runs)[2]).fontSize, 14.0f);
    // A style that cannot be read (and a class) adds nothing.
    EXPECT_EQ(text((*runs)[3]), "kept");
    EXPECT_FALSE(style((*runs)[3]).bold);
    EXPECT_FLOAT_EQ(style((*runs)[3]).fontSize, 14.0f);
    // Nested divs are paragraphs with their own styles over the outer ones.
    auto small = (*(*paras)[1]->children.get())[0];
    EXPECT_FLOAT_EQ(style(small).fontSize, 9.0f);
    EXPECT_TRUE(style(small).italic);
    EXPECT_EQ(style(small).color, 0x102030u);
    auto inherits = (*(*paras)[2]->children.get())[0];
    EXPECT_FLOAT_EQ(style(inherits).fontSize, 14.0f);
    EXPECT_FALSE(style(inherits).italic);
    // Markup without styles keeps the default style.
    auto bare = std::dynamic_pointer_cast<Div>(reader->deserialize("<div>text</div>"));
    ASSERT_TRUE(bare);
    auto bareRun = (*(*RichTextView::richTextFromDiv(bare)->children.get())[0]->children.get())[0];
    EXPECT_FALSE(bareRun->textStyle.get());
}

TEST(BoxContainerView, TitleIsHiddenWithoutContentAndPlacedAtTheTopWithIt) {
    TextEngine::ScopedBackend fixed(TextEngine::Backend::FIXED_METRICS);
    class Box : public BoxContainerView {
    public:
        float getContentInset() const override { return 5.0f; }
    };
    auto box = std::make_shared<Box>();
    box->initialize();
    box->setFrame({0, 0, 300, 200});
    box->layout();
    EXPECT_EQ(box->getTitleView()->getFrame(), (Rect{0, 0, 0, 0}));
    EXPECT_FALSE(box->getTitleView()->isVisible());

    auto title = RichTextNode::create();
    auto para = RichTextNode::create();
    para->addChild(RichTextNode::create("Sales"));
    title->addChild(para);
    box->getTitleView()->setRichTextNode(title);
    box->setNeedsLayout(true);
    box->layout();
    Rect f = box->getTitleView()->getFrame();
    EXPECT_TRUE(box->getTitleView()->isVisible());
    EXPECT_FLOAT_EQ(f.x, 5.0f);
    EXPECT_FLOAT_EQ(f.y + f.height, 195.0f);
    EXPECT_EQ(BoxContainerView::applyInset({7, 7, 100, 50}, 10), (Rect{10, 10, 80, 30}));

    auto root = test::rootView(300, 200);
    auto b = AttributeBundle::create();
    b->setDimension(StyleAttribute::BORDER_WIDTH, Dimension::create(2, DimensionUnit::PIXELS));
    b->setColor(StyleAttribute::BORDER_COLOR, 0x00aa00);
    box->drawBorderAndBackground(root->getDisplayListEditor(), StyleChain::create({b}));
    std::string svg = root->getDisplayListRenderer()->getDisplayListSVGString();
    EXPECT_NE(svg.find("#00aa00"), std::string::npos);
}

TEST(ImageViews, FilesImagesAndSaving) {
    CLogCapture log;
    auto view = ImageView::create();
    view->setFile("picture.png");
    view->setFile("logo.img");
    EXPECT_TRUE(log.contains(CLog::ERRORS, "Image type not supported"));
    EXPECT_EQ(*view->getFile(), "picture.png");
    view->setFile("");
    EXPECT_EQ(*view->getFile(), "picture.png");

    // A 4 x 2 red picture drawn at its size over the DPI factor.
    std::vector<uint8_t> px(4 * 2 * 4, 0);
    for (size_t i = 0; i < px.size(); i += 4) px[i] = px[i + 3] = 255;
    std::string path = test::tempDir() + "/red.png";
    ASSERT_TRUE(Image(4, 2, px).writePNG(path));
    auto iv = ImageView::create(path);
    iv->loadImageBitmap();
    EXPECT_EQ(iv->getFullImageSize(), (Size{4, 2}));
    iv->setImageScale(2.0f);
    EXPECT_EQ(iv->getUnScaledImageSize(), (Size{8, 4}));
    EXPECT_TRUE(RasterImage::createFromFile(path));
    EXPECT_FALSE(RasterImage::createFromFile(path + ".missing"));

    auto raster = RasterImage::createFromFile(path);
    std::string out = test::tempDir();
    EXPECT_TRUE(ImageUtilities::saveImageToFile(raster, out + "/a.png", 0, false, 0xffffff));
    EXPECT_TRUE(log.contains(CLog::INFO, "Image saved to PNG file: " + out + "/a.png"));
    auto back = Image::readPNG(out + "/a.png");
    ASSERT_TRUE(back);
    EXPECT_EQ(back->getPixel(1, 1) >> 8, 0xff0000u);
    EXPECT_TRUE(ImageUtilities::saveImageToFile(raster, out + "/a.svg", 1, false, 0xffffff));
    EXPECT_TRUE(FileSystemManager::fileExists(out + "/a.svg"));
    EXPECT_FALSE(ImageUtilities::saveImageToFile(raster, out + "/a.gif", 2, false, 0));
    EXPECT_TRUE(log.contains(CLog::ERRORS, "Unsupported image format."));
    EXPECT_FALSE(ImageUtilities::saveImageToFile(raster, "/no/such/dir/a.svg", 1, false, 0));
    EXPECT_TRUE(log.contains(CLog::ERRORS, "Error writing image to SVG file: /no/such/dir/a.svg"));
}

TEST(ImageUtilities, ADisplayListImageBelongsToOneRenderer) {
    auto image = displaylist::DisplayListImage::create(100, 50);
    auto r1 = DisplayListRenderer::create(false);
    auto r2 = DisplayListRenderer::create(false);
    ImageUtilities::drawImage(r1->getEditor(), image, {0, 0, 50, 25});
    ImageUtilities::drawImage(r1->getEditor(), image, {0, 0, 50, 25});
    try {
        ImageUtilities::drawImage(r2->getEditor(), image, {0, 0, 50, 25});
        FAIL() << "expected AssertionFailed";
    } catch (const AssertionFailed& e) {
        EXPECT_STREQ(e.what(), "DislayListImage can only be rawn into a single DisplayListRenderer instance!");
    }
    ImageUtilities::drawImage(nullptr, image, {0, 0, 1, 1});
}

TEST(ScrollView, ScrollsThroughTheController) {
    auto scroll = ScrollView::create();
    EXPECT_TRUE(scroll->getScrollPosition().isNull());
    scroll->setDisplayListRenderer(DisplayListRenderer::create(false));
    scroll->setFrame({0, 0, 100, 100});
    auto* c = scroll->getDisplayListEditor()->getController2D();
    c->SetViewportSize(100, 100);
    c->SetContentSize(400, 400);
    scroll->scrollTo(30, 40);
    EXPECT_EQ(scroll->getScrollPosition(), (Point{30, 40}));
    EXPECT_TRUE(scroll->getFrameBufferInvalid());
    scroll->scrollTo(0, 0);
    EXPECT_EQ(scroll->getScrollPosition(), (Point{0, 0}));
}
