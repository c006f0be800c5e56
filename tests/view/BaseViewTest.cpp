// SPDX-License-Identifier: Apache-2.0
#include "orvane/displaylist/DisplayListEditor.h"
#include "orvane/displaylist/DisplayListRenderer.h"
#include "orvane/displaylist/TqGroup.h"
#include "orvane/displaylist/TqRectangle.h"
#include "orvane/host/input/AccessibilityManager.h"
#include "orvane/host/core/Clock.h"
#include "orvane/host/style/Dimension.h"
#include "orvane/host/style/Style.h"
#include "orvane/host/style/StyleAttribute.h"
#include "orvane/animation/Transition.h"
#include "orvane/view/BaseView.h"

#include "common/EventLog.h"
#include "common/ViewSupport.h"

#include <gtest/gtest.h>

using namespace orvane;
using displaylist::DisplayListRenderer;

namespace {

// A view that draws one rectangle and counts how often it records.
class CountingView : public BaseView {
public:
    int records = 0;
    uint32_t color = 0x336699;
    void updateDisplayList(const std::shared_ptr<displaylist::DisplayListEditor>& editor) override {
        ++records;
        Rect f = getFrame();
        editor->addRectangle(0, 0, f.width, f.height, color);
        BaseView::updateDisplayList(editor);
    }
};

} // namespace

TEST(BaseView, ZeroSizedRootReportsInsteadOfDrawing) {
    auto root = test::rootView(0, 100);
    test::EventLog ev(*root, {BaseView::FRAME_ZERO_SIZE, BaseView::FRAME_VALID});
    EXPECT_EQ(root->render(), 0.0);
    EXPECT_EQ(ev.count(BaseView::FRAME_ZERO_SIZE), 1);
    EXPECT_EQ(ev.count(BaseView::FRAME_VALID), 0);
    EXPECT_EQ(root->getDisplayListRenderer()->getFrameCount(), 0u);
    // No renderer, no crash.
    auto bare = BaseView::create();
    bare->setFrame({0, 0, 10, 10});
    bare->render();
}

TEST(BaseView, FramesSubviewsAndRendererSharing) {
    auto root = test::rootView(200, 100);
    root->layout();
    EXPECT_FALSE(root->getNeedsLayout());
    root->setFrame({0, 0, 200, 100});
    EXPECT_FALSE(root->getNeedsLayout());
    root->setFrame({5, 5, 200, 100});  // new origin, same size
    EXPECT_TRUE(root->getNeedsLayout());
    EXPECT_FALSE(root->getFrameSizeChanged());
    EXPECT_EQ(root->getFrame().x, 0.0f);  // the root reports origin (0, 0)

    auto child = BaseView::create();
    auto own = DisplayListRenderer::create(false);
    child->setDisplayListRenderer(own);
    root->addSubview(child);
    root->addSubview(child);
    root->addSubview(nullptr);
    EXPECT_EQ(root->getSubviews()->size(), 1u);
    EXPECT_EQ(child->getDisplayListRenderer(), root->getDisplayListRenderer());
    child->setFrame({10, 20, 30, 40});
    auto grand = BaseView::create();
    child->addSubview(grand);
    grand->setFrame({1, 2, 3, 4});
    EXPECT_EQ(grand->getOriginInRootViewCoordinates(), (Point{11, 22}));
    EXPECT_EQ(BaseView::create()->getPreferredSize({10, 10}), (Size{0, 0}));
    EXPECT_EQ(child->getPreferredSize({0, 0}), (Size{30, 40}));
    root->removeSubview(child);
    EXPECT_TRUE(root->getSubviews()->empty());
    EXPECT_EQ(child->getDisplayListRenderer(), own);
}

TEST(BaseView, RenderDoesNothingWhenNothingChanged) {
    auto root = test::rootView(100, 100);
    auto a = std::make_shared<CountingView>();
    a->setFrame({0, 0, 50, 50});
    root->addSubview(a);
    test::EventLog ev(*root, {BaseView::FRAME_VALID, BaseView::NEEDS_UPDATE_GESTURE_RECOGNIZERS});
    ManualClock clock(1.0);
    root->render();
    EXPECT_EQ(a->records, 1);
    EXPECT_EQ(ev.count(BaseView::FRAME_VALID), 1);
    EXPECT_EQ(ev.count(BaseView::NEEDS_UPDATE_GESTURE_RECOGNIZERS), 1);  // the first frame size reached the root
    unsigned long frames = root->getDisplayListRenderer()->getFrameCount();
    EXPECT_EQ(root->render(), 0.0);
    EXPECT_EQ(root->render(), 0.0);
    EXPECT_EQ(root->getDisplayListRenderer()->getFrameCount(), frames);
    EXPECT_EQ(a->records, 1);
    // An invalid frame buffer redraws without re-recording.
    a->invalidateFrameBuffer();
    EXPECT_TRUE(root->getFrameBufferInvalid());
    root->render();
    EXPECT_EQ(root->getDisplayListRenderer()->getFrameCount(), frames + 1);
    EXPECT_EQ(a->records, 1);
    EXPECT_FALSE(root->getFrameBufferInvalid());
}

TEST(BaseView, OneChangedViewRecordsAloneAndDeepChangesAreDrawn) {
    auto root = test::rootView(300, 100);
    std::vector<std::shared_ptr<CountingView>> leaves;
    for (int i = 0; i < 3; ++i) {
        auto v = std::make_shared<CountingView>();
        v->setFrame({100.0f * i, 0, 100, 100});
        root->addSubview(v);
        leaves.push_back(v);
    }
    // A leaf two levels down.
    auto deep = std::make_shared<CountingView>();
    deep->setFrame({10, 10, 20, 20});
    leaves[2]->addSubview(deep);
    root->render();
    for (auto& l : leaves) EXPECT_EQ(l->records, 1);
    EXPECT_EQ(deep->records, 1);

    leaves[1]->color = 0xff0000;
    leaves[1]->setNeedsUpdateDisplayList(true);
    EXPECT_GT(root->render(), -1.0);
    EXPECT_EQ(leaves[0]->records, 1);
    EXPECT_EQ(leaves[1]->records, 2);
    EXPECT_EQ(leaves[2]->records, 1);
    // The reused groups are still in the list: all four rectangles are drawn.
    std::string svg = root->getDisplayListRenderer()->getDisplayListSVGString();
    EXPECT_NE(svg.find("#ff0000"), std::string::npos);
    EXPECT_EQ(std::count(svg.begin(), svg.end(), '\n') > 0, true);
    size_t rects = 0;
    for (size_t p = svg.find("<rect"); p != std::string::npos; p = svg.find("<rect", p + 1)) ++rects;
    EXPECT_GE(rects, 4u);

    // A change two levels below the root is drawn on the next frame.
    deep->color = 0x00ff00;
    deep->setNeedsUpdateDisplayList(true);
    root->render();
    EXPECT_EQ(deep->records, 2);
    EXPECT_EQ(leaves[0]->records, 1);
    EXPECT_NE(root->getDisplayListRenderer()->getDisplayListSVGString().find("#00ff00"), std::string::npos);

    // Views smaller than 1 x 1 are skipped.
    auto tiny = std::make_shared<CountingView>();
    tiny->setFrame({0, 0, 0.5f, 10});
    root->addSubview(tiny);
    root->render();
    EXPECT_EQ(tiny->records, 0);
}

TEST(BaseView, VisualEffectRulesForTransitions) {
    auto root = test::rootView(100, 100);
    auto ordinary = Transition::create(5, 0.0, 1.0);
    ordinary->addPhase(TransitionPhase::create(2, 0, 1, false));
    auto continuous = Transition::create(10, 0.0, 1.0);
    continuous->addPhase(TransitionPhase::create(2, 0, 1, false));
    auto construction = Transition::create(1, 0.0, 1.0);

    root->setTransition(construction);
    EXPECT_FALSE(root->getTransition());
    root->setTransition(ordinary);
    EXPECT_EQ(root->getTransition(), ordinary);
    EXPECT_TRUE(root->isTransitioning(true));

    BaseView::setVisualEffectsEnabled(false);
    root->setTransition(nullptr);
    root->setTransition(ordinary);
    EXPECT_FALSE(root->getTransition());
    root->setTransition(continuous);
    EXPECT_EQ(root->getTransition(), continuous);
    EXPECT_FALSE(root->isTransitioning(false));
    EXPECT_FALSE(root->getDisplayListRenderer()->isTransitionAnimationEnabled() && root->resolveVisualEffectsState());
    BaseView::setVisualEffectsEnabled(true);

    // The platform's setting counts too; resolving drops an ordinary transition.
    root->setTransition(nullptr);
    root->setTransition(ordinary);
    AccessibilityManager::setVisualEffectsEnabled(false);
    EXPECT_FALSE(root->resolveVisualEffectsState());
    EXPECT_FALSE(root->getTransition());
    EXPECT_FALSE(root->getDisplayListRenderer()->isTransitionAnimationEnabled());
    AccessibilityManager::setVisualEffectsEnabled(true);
    root->resolveVisualEffectsState();
    EXPECT_TRUE(root->getDisplayListRenderer()->isTransitionAnimationEnabled());

    // The first render offers a construction transition that the base view refuses.
    auto v = test::rootView(10, 10);
    v->setShouldShowConstructionTransition(true);
    v->render();
    EXPECT_FALSE(v->getTransition());
    EXPECT_FALSE(v->isConstructionTransitionPending());
}

TEST(BaseView, TransitionDrivesFramesUntilItEnds) {
    ManualClock clock(100.0);
    auto root = test::rootView(50, 50);
    root->render();
    auto t = Transition::createDataSourceChange();
    root->setTransition(t);
    root->render();  // activates
    EXPECT_TRUE(t->isActive());
    clock.advance(0.5);
    EXPECT_GT(root->render(), -1.0);  // still transitioning: draws
    clock.advance(1.5);
    root->render();
    EXPECT_FALSE(root->getTransition());
    EXPECT_EQ(root->render(), 0.0);
}

TEST(BaseView, FocusActivationAndFocusRectangle) {
    auto root = test::rootView(50, 50);
    test::EventLog ev(*root, {BaseView::ACTIVATE});
    FocusManager::setKeyboardFocus(root->asFocusable());
    EXPECT_EQ(ev.count(BaseView::ACTIVATE), 1);
    auto editor = root->getDisplayListEditor();
    editor->setFocusRect({1, 1, 10, 10});
    FocusManager::setKeyboardFocus(nullptr);
    EXPECT_FALSE(editor->hasFocusRect());
    EXPECT_TRUE(root->getFrameBufferInvalid());

    auto style = Style::create();
    setFocusRectAttributes(editor, style);  // no bundle: nothing set
    auto bundle = style->ensureAttributeBundle(StyleElement::FOCUS_RECTANGLE);
    bundle->setColor(StyleAttribute::FOCUS_COLOR, 0x123456);
    bundle->setDimension(StyleAttribute::FOCUS_THICKNESS, Dimension::create(3, DimensionUnit::POINTS));
    setFocusRectAttributes(editor, style);
    auto r = root->getDisplayListRenderer();
    EXPECT_EQ(r->getFocusColor(), 0x123456u);
    EXPECT_FLOAT_EQ(r->getFocusThickness(), 4.0f);
    EXPECT_EQ(r->getFocusLineStyle(), 2);
}
