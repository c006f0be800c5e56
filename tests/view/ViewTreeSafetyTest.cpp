// SPDX-License-Identifier: Apache-2.0
// Tree shape, drawing of content views at the root, size-change propagation,
// the animating state during an inertial pan, and gestures the host delivers
// as plain records.
#include "orvane/displaylist/DisplayListEditor.h"
#include "orvane/displaylist/DisplayListRenderer.h"
#include "orvane/displaylist/TqRectangle.h"
#include "orvane/host/core/CLog.h"
#include "orvane/host/core/Clock.h"
#include "orvane/host/input/AccessibilityManager.h"
#include "orvane/host/text/TextEngine.h"
#include "orvane/view/BaseView.h"
#include "orvane/view/GestureHandler.h"
#include "orvane/view/GestureHandlerEvent.h"
#include "orvane/view/LabelView.h"
#include "orvane/view/RichTextNode.h"
#include "orvane/view/RichTextView.h"

#include "common/EventLog.h"
#include "common/ViewSupport.h"

#include <gtest/gtest.h>

using namespace orvane;
using displaylist::DisplayListRenderer;

namespace {

class EveryKindHandler : public GestureHandler {
public:
    int getRequiredGestureRecognizerTypes() const override { return 0xfff; }
    bool handleTap(const Tap&) override { return kinds.push_back("tap"), true; }
    bool handlePan(const Pan&) override { return kinds.push_back("pan"), true; }
    bool handlePinch(const Pinch& p) override { return kinds.push_back("pinch"), p.getScale() == 1.0f; }
    bool handleLongPress(const LongPress&) override { return kinds.push_back("long press"), true; }
    bool handleMouseWheel(const MouseWheel& w) override {
        return kinds.push_back("wheel"), w.getDelta() == Point{0, 0};
    }
    bool handlePointerHover(const PointerHover& h) override {
        hoverAt = h.getLocation();
        return kinds.push_back("hover"), true;
    }
    std::vector<std::string> kinds;
    Point hoverAt{-1, -1};
};

} // namespace

TEST(ViewTree, AViewCannotBecomeItsOwnAncestor) {
    CLogCapture log;
    auto a = BaseView::create();
    auto b = BaseView::create();
    auto c = BaseView::create();
    a->addSubview(b);
    b->addSubview(c);
    c->addSubview(a);  // would close the loop a -> b -> c -> a
    b->addSubview(a);  // and so would this one
    EXPECT_FALSE(a->getSuperview());
    EXPECT_TRUE(!c->getSubviews() || c->getSubviews()->empty());
    EXPECT_EQ(b->getSubviews()->size(), 1u);
    EXPECT_TRUE(log.contains(CLog::ERRORS, "ancestor"));
    // The tree stays a tree: layout and coordinates end.
    c->setFrame({1, 2, 3, 4});
    b->setFrame({10, 20, 30, 40});
    a->layout();
    EXPECT_EQ(c->getOriginInRootViewCoordinates(), (Point{11, 22}));
    // Moving a view further down its own branch is still allowed.
    a->addSubview(c);
    EXPECT_EQ(c->getSuperview(), a);
}

TEST(ViewTree, ASubviewsNewSizeReachesTheRootsLayout) {
    auto root = test::rootView(200, 100);
    test::EventLog regestures(*root, {BaseView::NEEDS_UPDATE_GESTURE_RECOGNIZERS});
    root->layout();  // the root's own first size
    EXPECT_EQ(regestures.size(), 1u);
    root->layout();
    EXPECT_EQ(regestures.size(), 1u);

    // A new subview starts with its size changed; so does one deeper down.
    auto child = BaseView::create();
    child->setFrame({0, 0, 50, 50});
    root->addSubview(child);
    root->layout();
    EXPECT_EQ(regestures.size(), 2u);
    auto grandchild = BaseView::create();
    child->addSubview(grandchild);
    root->layout();
    EXPECT_EQ(regestures.size(), 3u);
    root->layout();
    EXPECT_EQ(regestures.size(), 3u);
}

TEST(ContentViews, ALabelOrRichTextAtTheRootDrawsItsContent) {
    TextEngine::ScopedBackend fixed(TextEngine::Backend::FIXED_METRICS);
    auto label = test::asRoot(LabelView::create(), 200, 50);
    label->setText("Root label");
    label->render();
    auto svg = label->getDisplayListRenderer()->getDisplayListSVGString();
    EXPECT_NE(svg.find("Root label"), std::string::npos) << svg;
    // A second frame clears the first one's content before drawing again.
    label->setText("Second text");
    label->render();
    svg = label->getDisplayListRenderer()->getDisplayListSVGString();
    EXPECT_NE(svg.find("Second text"), std::string::npos);
    EXPECT_EQ(svg.find("Root label"), std::string::npos);
    // The same when the host records without render().
    label->setText("Direct");
    label->updateDisplayList(label->getDisplayListEditor());
    svg = label->getDisplayListRenderer()->getDisplayListSVGString();
    EXPECT_NE(svg.find("Direct"), std::string::npos);
    EXPECT_EQ(svg.find("Second text"), std::string::npos);

    auto node = RichTextNode::create();
    auto paragraph = RichTextNode::create();
    paragraph->addChild(RichTextNode::create("Rich root"));
    node->addChild(paragraph);
    auto rich = test::asRoot(RichTextView::create(), 300, 80);
    rich->setRichTextNode(node);
    rich->render();
    svg = rich->getDisplayListRenderer()->getDisplayListSVGString();
    EXPECT_NE(svg.find("Rich"), std::string::npos) << svg;
}

TEST(Animating, AnInertialPanIsAnimatingWhateverTheViewsOwnEffectsFlag) {
    ManualClock clock(0.0);
    auto handler = std::make_shared<EveryKindHandler>();
    auto root = test::rootView(400, 400);
    handler->setFrame({0, 0, 400, 400});
    root->addGestureHandler(handler);
    root->setShouldShowVisualEffects(false);
    root->render();
    root->handleGesture(std::make_shared<Pan>(GestureRecognizerState::BEGAN, Point{100, 100}));
    root->handleGesture(
        std::make_shared<Pan>(GestureRecognizerState::ENDED, Point{120, 100}, Point{20, 0}, Point{1500, 0}));
    ASSERT_TRUE(root->getAnimatedGesture());
    EXPECT_TRUE(root->isAnimating());
    // Picking answers nothing while the pan is in flight.
    EXPECT_TRUE(root->getPickedNodeIdsInAperture({0, 0, 400, 400}, false).empty());
    // With the process-wide switch off, it is not animating.
    BaseView::setVisualEffectsEnabled(false);
    EXPECT_FALSE(root->isAnimating());
    BaseView::setVisualEffectsEnabled(true);
}

TEST(GestureRouting, PlainGestureRecordsOfEveryKindAreConverted) {
    CLogCapture log;
    auto handler = std::make_shared<EveryKindHandler>();
    auto root = test::rootView(400, 400);
    handler->setFrame({0, 0, 400, 400});
    root->addGestureHandler(handler);
    root->render();
    int successes = 0, failures = 0;
    root->addEventListener(GestureHandlerEvent::SUCCESS, FunctionEventCallback::create([&](auto&) { ++successes; }));
    root->addEventListener(GestureHandlerEvent::FAILURE, FunctionEventCallback::create([&](auto&) { ++failures; }));
    namespace T = GestureRecognizerType;
    for (int type : {T::TAP, T::PAN, T::PINCH, T::LONG_PRESS, T::MOUSE_WHEEL, T::POINTER_HOVER}) {
        for (int state : {GestureRecognizerState::BEGAN, GestureRecognizerState::ENDED})
            root->handleGesture(std::make_shared<Gesture>(type, state, Point{30, 40}));
    }
    EXPECT_EQ(failures, 0);
    EXPECT_EQ(successes, 12);
    EXPECT_EQ(handler->kinds, (std::vector<std::string>{"tap", "tap", "pan", "pan", "pinch", "pinch", "long press",
                                                         "long press", "wheel", "wheel", "hover", "hover"}));
    EXPECT_EQ(handler->hoverAt, (Point{30, 40}));
    EXPECT_FALSE(root->getAnimatedGesture());  // a plain pan has no velocity

    // A record whose kind bits name another class is refused, not cast.
    handler->kinds.clear();
    auto odd = std::make_shared<Tap>(Point{5, 5});
    odd->setType(T::POINTER_HOVER);
    root->handleGesture(odd);
    EXPECT_TRUE(handler->kinds.empty());
    EXPECT_EQ(failures, 1);
    EXPECT_TRUE(log.contains(CLog::ERRORS, "gesture refused"));
}
