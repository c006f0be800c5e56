// SPDX-License-Identifier: Apache-2.0
// The prompt renderers' geometry, read back from the display list.
#include "orvane/displaylist/DisplayListEditor.h"
#include "orvane/displaylist/DisplayListRenderer.h"
#include "orvane/displaylist/TqEllipse.h"
#include "orvane/displaylist/TqGroup.h"
#include "orvane/displaylist/TqLine.h"
#include "orvane/displaylist/TqRectangle.h"
#include "orvane/displaylist/TqText.h"
#include "orvane/host/data/DataValue.h"
#include "orvane/host/io/LocalizationContext.h"
#include "orvane/host/io/ResourceManager.h"
#include "orvane/host/style/AttributeBundle.h"
#include "orvane/host/style/StyleChain.h"
#include "orvane/host/text/TextEngine.h"
#include "orvane/prompts/ComboBoxModel.h"
#include "orvane/prompts/ComboBoxRenderer.h"
#include "orvane/prompts/PromptButtonBarModel.h"
#include "orvane/prompts/PromptButtonBarRenderer.h"
#include "orvane/prompts/PromptListModel.h"
#include "orvane/prompts/PromptListRenderer.h"
#include "orvane/prompts/RangeSliderModel.h"
#include "orvane/prompts/RangeSliderRenderer.h"
#include "orvane/prompts/SingleRangeSliderModel.h"
#include "orvane/prompts/SingleRangeSliderRenderer.h"
#include "orvane/prompts/TextFieldModel.h"
#include "orvane/prompts/TextFieldRenderer.h"

#include "common/ViewSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

using namespace orvane;
using displaylist::TqEllipse;
using displaylist::TqLine;
using displaylist::TqRectangle;
using displaylist::TqText;

namespace {

// What one view drew, by kind, in drawing order.
struct Drawn {
    std::vector<const TqRectangle*> rects;
    std::vector<const TqEllipse*> circles;
    std::vector<const TqLine*> lines;
    std::vector<const TqText*> texts;
    std::shared_ptr<BaseView> root;  // keeps the nodes alive

    const TqText* text(const std::string& s) const {
        for (auto* t : texts)
            if (t->GetText() == s) return t;
        return nullptr;
    }
};

void collect(const displaylist::TqGeometry* root, Drawn& out) {
    test::forEachNode(root, [&](const displaylist::TqGeometry* node) {
        if (auto* r = dynamic_cast<const TqRectangle*>(node)) out.rects.push_back(r);
        else if (auto* e = dynamic_cast<const TqEllipse*>(node)) out.circles.push_back(e);
        else if (auto* l = dynamic_cast<const TqLine*>(node)) out.lines.push_back(l);
        else if (auto* t = dynamic_cast<const TqText*>(node)) out.texts.push_back(t);
    });
}

// Draws the view alone at W x H (its own coordinates are the page's).
Drawn draw(const std::shared_ptr<BaseView>& view, float w, float h) {
    Drawn d;
    d.root = test::rootView(w, h);
    if (!view->getSuperview()) d.root->addSubview(view);
    view->setFrame({0, 0, w, h});
    d.root->render();
    collect(d.root->getDisplayListEditor()->getRootNode(), d);
    return d;
}

Drawn redraw(const std::shared_ptr<BaseView>& view, Drawn& before) {
    Drawn d;
    d.root = before.root;
    d.root->render();
    collect(d.root->getDisplayListEditor()->getRootNode(), d);
    (void)view;
    return d;
}

std::shared_ptr<RangeSliderModel> rangeModel(double lo, double hi, double a, double b) {
    auto m = RangeSliderModel::create();
    m->isHorizontal = true;
    m->setRange(lo, hi, nullptr);
    m->setSelectedRange(a, b, nullptr);
    return m;
}

struct RightToLeft {
    RightToLeft() { ResourceManager::getLocalizationContext()->setRTL(true); }
    ~RightToLeft() { ResourceManager::getLocalizationContext()->setRTL(false); }
};

} // namespace

TEST(RangeSliderRenderer, ThumbsBarsAndTextsAtTheBounds) {
    TextEngine::ScopedBackend fixed(TextEngine::Backend::FIXED_METRICS);
    auto view = RangeSliderRenderer::create();
    view->setModel(rangeModel(0, 100, 0, 100));
    Drawn d = draw(view, 300, 60);
    // Thumbs: an outer and an inner circle each, at x = 8 and x = W - 8 on the track line.
    ASSERT_EQ(d.circles.size(), 4u);
    EXPECT_EQ(d.circles[0]->GetCenter(), (Point{8, 30}));
    EXPECT_FLOAT_EQ(d.circles[0]->GetRadiusX(), 8.0f);
    EXPECT_EQ(d.circles[0]->GetFillColor(), 0xBFBFBFu);
    EXPECT_EQ(d.circles[1]->GetFillColor(), 0x90B0D9u);
    EXPECT_EQ(d.circles[2]->GetCenter(), (Point{292, 30}));
    EXPECT_FLOAT_EQ(view->getThumbPosition(false), 8.0f);
    EXPECT_FLOAT_EQ(view->getThumbPosition(true), 292.0f);
    // Three bars 4 pixels thick centred on the track line; the middle one,
    // the selection, spans the whole track.
    ASSERT_EQ(d.rects.size(), 3u);
    EXPECT_EQ(d.rects[1]->GetRect(), (Rect{8, 28, 284, 4}));
    EXPECT_EQ(d.rects[1]->GetFillColor(), 0x90B0D9u);
    EXPECT_FLOAT_EQ(d.rects[0]->GetRect().width, 0.0f);
    EXPECT_FLOAT_EQ(d.rects[2]->GetRect().width, 0.0f);
    // The range's texts below the track at both ends, the selection's above.
    const TqText* low = d.text("0");
    const TqText* high = d.text("100");
    ASSERT_TRUE(low && high);
    EXPECT_EQ(low->GetPosition(), (Point{8, 22}));
    EXPECT_EQ(low->GetAnchor(), displaylist::TqAnchor::TOP_LEFT);
    EXPECT_EQ(high->GetPosition(), (Point{292, 22}));
    EXPECT_EQ(high->GetAnchor(), displaylist::TqAnchor::TOP_RIGHT);
    ASSERT_TRUE(d.text("0 to 100"));
    EXPECT_EQ(view->getSelectedLabel(), "0 to 100");
    EXPECT_FLOAT_EQ(d.text("0 to 100")->GetPosition().y, 38.0f);
}

TEST(RangeSliderRenderer, EqualBoundsDrawOneBarAndNoThumbs) {
    TextEngine::ScopedBackend fixed(TextEngine::Backend::FIXED_METRICS);
    auto view = RangeSliderRenderer::create();
    view->setModel(rangeModel(5, 5, 5, 5));
    Drawn d = draw(view, 200, 60);
    EXPECT_TRUE(d.circles.empty());
    ASSERT_EQ(d.rects.size(), 1u);
    EXPECT_EQ(d.rects[0]->GetRect(), (Rect{8, 28, 184, 4}));
    EXPECT_EQ(d.rects[0]->GetFillColor(), 0xBFBFBFu);
    EXPECT_FALSE(view->hasThumbs());
}

TEST(RangeSliderRenderer, SelectionBarFollowsTheModelAndRedraws) {
    TextEngine::ScopedBackend fixed(TextEngine::Backend::FIXED_METRICS);
    auto model = rangeModel(0, 10, 2, 6);
    auto view = RangeSliderRenderer::create();
    view->setModel(model);
    Drawn d = draw(view, 116, 60);  // L = 100: 10 pixels a unit
    ASSERT_EQ(d.rects.size(), 3u);
    EXPECT_EQ(d.rects[0]->GetRect(), (Rect{8, 28, 20, 4}));
    EXPECT_EQ(d.rects[1]->GetRect(), (Rect{28, 28, 40, 4}));
    EXPECT_EQ(d.rects[2]->GetRect(), (Rect{68, 28, 40, 4}));
    EXPECT_EQ(d.circles[2]->GetCenter(), (Point{68, 30}));
    // A model change asks for a layout; the next render draws the new value.
    model->moveThumb(true, 9, nullptr);
    EXPECT_TRUE(view->getNeedsLayout());
    Drawn after = redraw(view, d);
    ASSERT_EQ(after.circles.size(), 4u);
    EXPECT_EQ(after.circles[2]->GetCenter(), (Point{98, 30}));
    EXPECT_FLOAT_EQ(view->valueAtPosition(98), 9.0);
    EXPECT_FLOAT_EQ(view->valueAtPosition(-50), 0.0);  // beyond the track: the end
    EXPECT_FLOAT_EQ(view->valueAtPosition(5000), 10.0);
}

TEST(RangeSliderRenderer, PreferredHeightsFontFittingAndRightToLeft) {
    TextEngine::ScopedBackend fixed(TextEngine::Backend::FIXED_METRICS);
    auto model = rangeModel(0, 100000, 20000, 80000);
    auto view = RangeSliderRenderer::create();
    view->setModel(model);
    const float t = view->getPreferredTextHeight();
    ASSERT_GT(t, 0.0f);
    EXPECT_FLOAT_EQ(view->getPreferredSize({300, 0}).height, std::ceil(2 * t + 26));
    EXPECT_FLOAT_EQ(view->getPreferredSize({300, 0}).width, 300.0f);
    model->isHorizontal = false;
    EXPECT_FLOAT_EQ(view->getPreferredSize({300, 0}).height, std::ceil(6 * t + 34));
    model->isHorizontal = true;

    // Texts that do not fit shrink, never below 2 points.
    Drawn wide = draw(view, 600, 60);
    EXPECT_FLOAT_EQ(wide.text("0")->GetFontSize(), 12.0f);
    auto narrow = RangeSliderRenderer::create();
    narrow->setModel(model);
    Drawn small = draw(narrow, 90, 60);
    const float size = small.text("0")->GetFontSize();
    EXPECT_LT(size, 12.0f);
    EXPECT_GE(size, 2.0f);

    // Right to left: the minimum at the right end.
    RightToLeft rtl;
    auto mirrored = RangeSliderRenderer::create();
    mirrored->setModel(rangeModel(0, 10, 0, 10));
    Drawn m = draw(mirrored, 116, 60);
    EXPECT_FLOAT_EQ(mirrored->getThumbPosition(false), 108.0f);
    EXPECT_FLOAT_EQ(mirrored->getThumbPosition(true), 8.0f);
    EXPECT_FLOAT_EQ(mirrored->valueAtPosition(108), 0.0);
    EXPECT_EQ(m.text("0")->GetPosition(), (Point{108, 22}));
    EXPECT_EQ(m.text("0")->GetAnchor(), displaylist::TqAnchor::TOP_RIGHT);
}

TEST(SingleRangeSliderRenderer, OneThumbOneBar) {
    TextEngine::ScopedBackend fixed(TextEngine::Backend::FIXED_METRICS);
    auto model = SingleRangeSliderModel::create();
    model->isHorizontal = true;
    model->setRange(0, 10, nullptr);
    model->setSelectedValueSnapped(3, nullptr);
    auto view = SingleRangeSliderRenderer::create();
    view->setModel(model);
    Drawn d = draw(view, 116, 60);
    ASSERT_EQ(d.rects.size(), 1u);
    EXPECT_EQ(d.rects[0]->GetRect(), (Rect{8, 28, 100, 4}));
    ASSERT_EQ(d.circles.size(), 2u);
    EXPECT_EQ(d.circles[0]->GetCenter(), (Point{38, 30}));
    ASSERT_TRUE(d.text("3"));
    EXPECT_FLOAT_EQ(d.text("3")->GetPosition().y, 38.0f);
    // Vertical: the track runs up the view, the minimum at the bottom.
    model->isHorizontal = false;
    Drawn v = redraw(view, d);
    ASSERT_EQ(v.circles.size(), 2u);
    EXPECT_FLOAT_EQ(v.circles[0]->GetCenter().y, 8.0f + 3.0f * (60.0f - 16.0f) / 10.0f);
}

TEST(ComboBoxRenderer, EmptyBoxSeparatorAndArrow) {
    TextEngine::ScopedBackend fixed(TextEngine::Backend::FIXED_METRICS);
    auto model = ComboBoxModel::create();
    auto view = ComboBoxRenderer::create();
    view->setModel(model);
    const float h = view->getPreferredFieldHeight();
    Drawn d = draw(view, 200, 100);
    EXPECT_TRUE(d.texts.empty());
    ASSERT_EQ(d.rects.size(), 1u);
    EXPECT_EQ(d.rects[0]->GetRect(), (Rect{1, 100 - h + 1, 198, h - 2}));
    EXPECT_EQ(d.rects[0]->GetFillColor(), 0xFFFFFFu);
    ASSERT_EQ(d.lines.size(), 3u);
    // The separator spans the box's height at x = W - 31.
    EXPECT_EQ(d.lines[0]->GetPoints().front(), (Point{169, 100 - h + 1}));
    EXPECT_EQ(d.lines[0]->GetPoints().back(), (Point{169, 99}));
    // The arrow, a "v" centred on the box.
    const float m = 100 - h / 2;
    const auto& arrow = d.lines[1]->GetPoints();
    ASSERT_EQ(arrow.size(), 3u);
    EXPECT_EQ(arrow[0], (Point{174, m + 5}));
    EXPECT_EQ(arrow[1], (Point{184.5f, m - 3}));
    EXPECT_EQ(arrow[2], (Point{195, m + 5}));
    EXPECT_FLOAT_EQ(d.lines[1]->GetWidth(), 4.0f);

    model->label = std::make_shared<const std::string>("Pick one");
    EXPECT_EQ(view->getDisplayText(), "Pick one");
    model->currentValue = DataValue::create("West");
    model->formattedMeasure = std::make_shared<const std::string>("12");
    EXPECT_EQ(view->getDisplayText(), "West (12)");
    Drawn t = redraw(view, d);
    ASSERT_TRUE(t.text("West (12)"));
    EXPECT_FLOAT_EQ(t.text("West (12)")->GetPosition().x, 10.0f);
    EXPECT_FLOAT_EQ(t.text("West (12)")->GetMaxSize().width, 200 - 10 - 31);
}

TEST(TextFieldRenderer, PlaceholderOnlyWithoutText) {
    TextEngine::ScopedBackend fixed(TextEngine::Backend::FIXED_METRICS);
    auto model = TextFieldModel::create();
    model->label = std::make_shared<const std::string>("Find");
    auto view = TextFieldRenderer::create();
    view->setModel(model);
    Drawn d = draw(view, 150, 40);
    ASSERT_TRUE(d.text("Find"));
    EXPECT_TRUE(d.lines.empty());
    EXPECT_EQ(d.rects.size(), 1u);
    model->setText("wid");
    Drawn typed = redraw(view, d);
    EXPECT_TRUE(typed.texts.empty());
    EXPECT_EQ(typed.rects.size(), 1u);
}

TEST(PromptListRenderer, LinesFromTheTopAndTheirWindow) {
    TextEngine::ScopedBackend fixed(TextEngine::Backend::FIXED_METRICS);
    auto model = PromptListModel::create();
    model->isPromptListRadio = true;
    model->setItems({DataValue::create("East"), DataValue::create("North"), DataValue::create("West")});
    model->setItemSelected(1, true);
    auto view = PromptListRenderer::create();
    view->setModel(model);
    const float text = view->getPreferredTextHeight();
    ASSERT_LT(text, 25.0f);
    EXPECT_FLOAT_EQ(view->getLineHeight(), 25.0f);
    EXPECT_FLOAT_EQ(view->getPreferredSize({200, 0}).height, 75.0f);
    EXPECT_EQ(view->getTotalLines(), 3);

    view->setLines(0, 0);  // all lines
    Drawn d = draw(view, 200, 100);
    EXPECT_EQ(view->getEndLine(), 3);
    EXPECT_EQ(view->getFullSize(), (Size{200, 75}));
    // One circle per line and the dot of the ticked one.
    ASSERT_EQ(d.circles.size(), 4u);
    const float l = 25, y0 = 100 - l / 8 - l;
    EXPECT_EQ(d.circles[0]->GetCenter(), (Point{l / 2 + 10, y0 + (l - 1) / 2}));
    EXPECT_FLOAT_EQ(d.circles[0]->GetRadiusX(), (l - 5) / 2);
    EXPECT_EQ(d.circles[0]->GetFillColor(), 0xDFDFDFu);
    EXPECT_FLOAT_EQ(d.circles[2]->GetCenter().y, y0 - l + (l - 1) / 2);  // the ticked second line's dot
    EXPECT_FLOAT_EQ(d.text("West")->GetPosition().x, 2 * l + 10);
    EXPECT_EQ(view->getItemAt({60, y0 + 1}), 0);
    EXPECT_EQ(view->getItemAt({60, y0 - l + 1}), 1);
    EXPECT_EQ(view->getItemAt({60, 99.5f}), -1);  // the band above the first line
    EXPECT_EQ(view->getItemAt({60, 5}), -1);      // below the last line

    // A window of lines; corrections are kept.
    view->setLines(-4, 2);
    EXPECT_EQ(view->getFirstLine(), 0);
    Drawn two = redraw(view, d);
    EXPECT_EQ(two.texts.size(), 2u);
    view->setLines(2, 99);
    EXPECT_EQ(view->getEndLine(), 3);
    Drawn last = redraw(view, d);
    ASSERT_EQ(last.texts.size(), 1u);
    EXPECT_EQ(last.texts[0]->GetText(), "West");
    EXPECT_EQ(view->getItemAt({60, y0 + 1}), 2);
    view->setLines(3, 3);
    Drawn empty = redraw(view, d);
    EXPECT_TRUE(empty.texts.empty());

    // The background is outlined only when the style names a border colour.
    // (The nodes of earlier drawings are gone: read the latest one.)
    ASSERT_FALSE(empty.rects.empty());
    EXPECT_FALSE(empty.rects[0]->GetOutline());
    auto edge = AttributeBundle::create();
    edge->setColor(10, 0x8a96a3);
    model->styleChain = StyleChain::create({edge});
    Drawn outlined = redraw(view, d);
    ASSERT_FALSE(outlined.rects.empty());
    EXPECT_TRUE(outlined.rects[0]->GetOutline());
    EXPECT_EQ(outlined.rects[0]->GetOutlineColor(), 0x8a96a3u);
    EXPECT_EQ(outlined.rects[0]->GetFillColor(), 0xFFFFFFu);
}

TEST(PromptListRenderer, CheckBoxesMeasuresAndLongLists) {
    TextEngine::ScopedBackend fixed(TextEngine::Backend::FIXED_METRICS);
    auto model = PromptListModel::create();
    std::vector<std::shared_ptr<DataValue>> items;
    for (int i = 0; i < 10000; ++i) items.push_back(DataValue::create("item " + std::to_string(i)));
    model->setItems(items);
    model->formattedMeasures = MonitoredVector<std::shared_ptr<const std::string>>::create(
        std::vector<std::shared_ptr<const std::string>>(10000, std::make_shared<const std::string>("7")));
    model->setItemSelected(0, true);
    auto view = PromptListRenderer::create();
    view->setModel(model);
    Drawn d = draw(view, 300, 100);
    // Only the lines in view (and one below) are drawn.
    EXPECT_LE(d.texts.size(), 2u * 6u);
    EXPECT_FLOAT_EQ(view->getFullSize().height, 250000.0f);
    // Check boxes, and a check mark for the ticked entry.
    EXPECT_TRUE(d.circles.empty());
    EXPECT_GE(d.rects.size(), 4u);
    EXPECT_EQ(d.lines.size(), 1u);
    const TqText* measure = d.text("7");
    ASSERT_TRUE(measure);
    EXPECT_EQ(measure->GetPosition().x, 290.0f);
    EXPECT_EQ(measure->GetAnchor(), displaylist::TqAnchor::MIDDLE_RIGHT);
}

TEST(PromptButtonBarRenderer, WidthsShareTheRowAndThePressedButtonStandsOut) {
    TextEngine::ScopedBackend fixed(TextEngine::Backend::FIXED_METRICS);
    auto model = PromptButtonBarModel::create();
    model->values = MonitoredVector<std::shared_ptr<DataValue>>::create(
        {DataValue::create("A"), DataValue::create("Bbbbbbbb"), DataValue::create("C")});
    model->numberOfItems = 3;
    model->isHorizonal = true;
    model->selectedIndex = 1;
    auto view = PromptButtonBarRenderer::create();
    view->setModel(model);
    Size pref = view->getPreferredSize({0, 0});
    const float widest = BasePromptRenderer::getTextSize("Bbbbbbbb", 12, 0, 0, "Arial").width;
    EXPECT_FLOAT_EQ(pref.width, std::ceil(widest + 2));

    // Wider than three of the widest: equal shares.
    const float W = 3 * widest + 100;
    Drawn d = draw(view, W, 30);
    auto rects = view->getButtonRects();
    ASSERT_EQ(rects.size(), 3u);
    for (const auto& r : rects) EXPECT_FLOAT_EQ(r.width, (W - 2) / 3);
    EXPECT_FLOAT_EQ(rects[1].x, 1 + (W - 2) / 3);
    ASSERT_EQ(d.rects.size(), 3u);
    EXPECT_EQ(d.rects[1]->GetFillColor(), PromptButtonBarRenderer::PRESSED_FILL);
    EXPECT_EQ(d.rects[0]->GetFillColor(), 0xFFFFFFu);
    EXPECT_EQ(view->getButtonAt({rects[2].x + 1, 15}), 2);
    EXPECT_FALSE(view->overflows());

    // Between the natural sum and three of the widest: each grows by the same.
    auto mid = PromptButtonBarRenderer::create();
    mid->setModel(model);
    const float sum = BasePromptRenderer::getTextSize("A", 12, 0, 0, "Arial").width + widest +
                      BasePromptRenderer::getTextSize("C", 12, 0, 0, "Arial").width;
    const float W2 = sum + 2 + 30;
    draw(mid, W2, 30);
    auto grown = mid->getButtonRects();
    EXPECT_NEAR(grown[1].width, widest + 10, 0.01);

    // Too narrow: the smallest button width, and a marker at the end.
    auto tight = PromptButtonBarRenderer::create();
    tight->setModel(model);
    Drawn t = draw(tight, 20, 30);
    EXPECT_TRUE(tight->overflows());
    const float minWidth = BasePromptRenderer::getTextSize("MMMM", 12, 0, 0, "Arial").width;
    EXPECT_FLOAT_EQ(tight->getButtonRects()[0].width, std::max(18.0f / 3, minWidth));
    bool marker = std::any_of(t.rects.begin(), t.rects.end(),
                              [](auto* r) { return r->GetFillColor() == PromptButtonBarRenderer::MARKER_COLOR; });
    EXPECT_TRUE(marker);
}

TEST(PromptRenderers, ModelsOfAnotherKindDrawNothing) {
    TextEngine::ScopedBackend fixed(TextEngine::Backend::FIXED_METRICS);
    auto view = RangeSliderRenderer::create();
    view->setModel(ComboBoxModel::create());
    Drawn d = draw(view, 200, 60);
    EXPECT_TRUE(d.rects.empty() && d.circles.empty() && d.texts.empty());
    EXPECT_EQ(view->getFullSize(), (Size{0, 0}));
    // Each model makes the renderer of its kind, drawing that model.
    auto list = PromptListModel::create();
    auto r = list->createRenderer();
    ASSERT_TRUE(std::dynamic_pointer_cast<PromptListRenderer>(r));
    EXPECT_EQ(r->getModel(), list);
    EXPECT_TRUE(std::dynamic_pointer_cast<RangeSliderRenderer>(RangeSliderModel::create()->createRenderer()));
    EXPECT_TRUE(std::dynamic_pointer_cast<TextFieldRenderer>(TextFieldModel::create()->createRenderer()));
    EXPECT_FALSE(PromptModel::create()->createRenderer());
    // Not-a-number bounds: no thumbs, nothing thrown.
    auto nan = RangeSliderModel::create();
    nan->minimumValue = std::nan("");
    nan->maximumValue = 3;
    auto v = nan->createRenderer();
    Drawn n = draw(v, 200, 60);
    EXPECT_TRUE(n.circles.empty());
}
