// SPDX-License-Identifier: Apache-2.0
#include "orvane/displaylist/DisplayListEditor.h"
#include "orvane/displaylist/DisplayListRenderer.h"
#include "orvane/displaylist/TqController2D.h"
#include "orvane/host/core/Clock.h"
#include "orvane/animation/AnimatingPan.h"
#include "orvane/view/BaseView.h"
#include "orvane/view/GestureHandler.h"
#include "orvane/view/GestureHandlerEvent.h"

#include <gtest/gtest.h>

using namespace orvane;
using displaylist::DisplayListRenderer;

namespace {

class RecordingHandler : public GestureHandler {
public:
    explicit RecordingHandler(int types = GestureRecognizerType::ANY_TAP | GestureRecognizerType::PAN |
                                          GestureRecognizerType::CONTINUED_PAN | GestureRecognizerType::MOUSE_WHEEL)
        : types_(types) {}
    int getRequiredGestureRecognizerTypes() const override { return types_; }
    bool handleTap(const Tap& t) override {
        taps.push_back(t.getLocation());
        return consume;
    }
    bool handlePan(const Pan& p) override {
        pans.push_back(p.getState());
        panTypes.push_back(p.getType());
        translations.push_back(p.getTranslation());
        return true;
    }
    bool handleMouseWheel(const MouseWheel&) override { return true; }
    void handlePick(const std::shared_ptr<DisplayListRenderer>&) override { ++picks; }
    std::vector<Point> taps;
    std::vector<int> pans, panTypes;
    std::vector<Point> translations;
    int picks = 0;
    bool consume = true;

private:
    int types_;
};

struct Outcomes {
    std::vector<int> types;
    std::vector<int> activates;
    void listen(BaseView& v) {
        for (int t : {GestureHandlerEvent::SUCCESS, GestureHandlerEvent::FAILURE})
            v.addEventListener(t, FunctionEventCallback::create([this](auto& e) { types.push_back(e->getType()); }));
        v.addEventListener(BaseView::ACTIVATE,
                           FunctionEventCallback::create([this](auto& e) { activates.push_back(e->getType()); }));
    }
};

std::shared_ptr<BaseView> viewAt(const Rect& frame, const std::shared_ptr<GestureHandler>& h = nullptr) {
    auto v = BaseView::create();
    v->setFrame(frame);
    if (h) {
        h->setFrame({0, 0, frame.width, frame.height});
        v->addGestureHandler(h);
    }
    return v;
}

} // namespace

TEST(GestureRouting, DeeperAndEarlierHandlersWin) {
    auto root = viewAt({0, 0, 200, 200}, std::make_shared<RecordingHandler>());
    root->setDisplayListRenderer(DisplayListRenderer::create(false));
    auto first = std::make_shared<RecordingHandler>();
    auto second = std::make_shared<RecordingHandler>();
    auto a = viewAt({0, 0, 100, 100}, first);
    auto b = viewAt({50, 50, 100, 100}, second);
    root->addSubview(a);
    root->addSubview(b);
    auto hits = GestureHandler::handlerHitTest(root, {0, 0}, Tap({75, 75}));
    ASSERT_EQ(hits.size(), 3u);
    EXPECT_EQ(hits[0], first);
    EXPECT_EQ(hits[1], second);
    EXPECT_EQ(hits[2], (*root->getGestureHandlers())[0]);

    Outcomes out;
    out.listen(*root);
    root->handleGesture(std::make_shared<Tap>(Point{75, 75}));
    ASSERT_EQ(first->taps.size(), 1u);
    EXPECT_EQ(first->taps[0], (Point{75, 75}));  // in a's coordinates (origin 0,0)
    EXPECT_EQ(first->picks, 1);
    root->handleGesture(std::make_shared<Tap>(Point{140, 140}));
    ASSERT_EQ(second->taps.size(), 1u);
    EXPECT_EQ(second->taps[0], (Point{90, 90}));  // re-expressed relative to b
    // A tap outside the root fails; a handler that declines fails too.
    root->handleGesture(std::make_shared<Tap>(Point{300, 10}));
    first->consume = false;
    root->handleGesture(std::make_shared<Tap>(Point{10, 10}));
    EXPECT_EQ(out.types, (std::vector<int>{GestureHandlerEvent::SUCCESS, GestureHandlerEvent::SUCCESS,
                                           GestureHandlerEvent::FAILURE, GestureHandlerEvent::FAILURE}));
    EXPECT_EQ(out.activates.size(), 4u);
    // A wheel does not activate; gestures on a subview are ignored.
    root->handleGesture(std::make_shared<MouseWheel>(Point{10, 10}, Point{0, 5}));
    EXPECT_EQ(out.activates.size(), 4u);
    EXPECT_EQ(out.types.back(), GestureHandlerEvent::SUCCESS);
    size_t before = first->taps.size();
    a->handleGesture(std::make_shared<Tap>(Point{10, 10}));
    EXPECT_EQ(first->taps.size(), before);
    EXPECT_EQ(GestureHandler::getRequiredGestureRecognizerTypes(root) & GestureRecognizerType::PAN,
              GestureRecognizerType::PAN);
    // A gesture without touch points is not hit-tested into any handler.
    auto empty = std::make_shared<Tap>(Point{10, 10});
    empty->setTouchPoints(std::vector<Point>{});
    EXPECT_TRUE(GestureHandler::handlerHitTest(root, {0, 0}, *empty).empty());
}

TEST(GestureRouting, RightToLeftMirrorsTaps) {
    auto h = std::make_shared<RecordingHandler>();
    auto root = viewAt({0, 0, 200, 100}, h);
    auto renderer = DisplayListRenderer::create(false);
    renderer->setRTLEnabled(true);
    root->setDisplayListRenderer(renderer);
    root->handleGesture(std::make_shared<Tap>(Point{10, 50}));
    ASSERT_EQ(h->taps.size(), 1u);
    EXPECT_EQ(h->taps[0], (Point{190, 50}));
    Pan pan(GestureRecognizerState::CHANGED, {20, 20}, {15, 3}, {0, 0});
    auto mirrored = root->createTransformedGestureForRTL(pan);
    EXPECT_EQ(static_cast<Pan*>(mirrored.get())->getTranslation(), (Point{-15, 3}));
    EXPECT_EQ(mirrored->getLocation(), (Point{180, 20}));
}

TEST(GestureRouting, ReleasedPanContinuesAsAnAnimatedPan) {
    ManualClock clock(0.0);
    auto h = std::make_shared<RecordingHandler>();
    auto root = viewAt({0, 0, 400, 400}, h);
    root->setDisplayListRenderer(DisplayListRenderer::create(false));
    root->render();
    auto begin = std::make_shared<Pan>(GestureRecognizerState::BEGAN, Point{100, 100}, Point{0, 0}, Point{0, 0});
    root->handleGesture(begin);
    auto move = std::make_shared<Pan>(GestureRecognizerState::CHANGED, Point{120, 100}, Point{20, 0}, Point{0, 0});
    root->handleGesture(move);
    // Ends with zero velocity: no animated pan, handler forgotten.
    root->handleGesture(std::make_shared<Pan>(GestureRecognizerState::ENDED, Point{120, 100}, Point{20, 0}, Point{0, 0}));
    EXPECT_FALSE(root->getAnimatedGesture());
    EXPECT_FALSE(root->getActiveGestureHandler());

    root->handleGesture(begin);
    root->handleGesture(move);
    root->handleGesture(
        std::make_shared<Pan>(GestureRecognizerState::ENDED, Point{120, 100}, Point{20, 0}, Point{1500, 0}));
    auto animated = root->getAnimatedGesture();
    ASSERT_TRUE(animated);
    EXPECT_EQ(h->panTypes.back(), GestureRecognizerType::CONTINUED_PAN);
    EXPECT_TRUE(root->getActiveGestureHandler());  // kept while the pan goes on
    size_t pans = h->pans.size();
    clock.advance(0.1);
    EXPECT_GT(root->render(), -1.0);
    EXPECT_EQ(h->pans.size(), pans + 1);
    EXPECT_GT(h->translations.back().x, 20.0f);
    clock.advance(1.0);
    root->render();
    EXPECT_FALSE(root->getAnimatedGesture());
    EXPECT_FALSE(root->getActiveGestureHandler());
    EXPECT_TRUE(root->getFrameBufferInvalid());
}

TEST(GestureRouting, ScrollDirectionsFollowTheController) {
    auto root = viewAt({0, 0, 100, 100});
    EXPECT_FALSE(root->canHandleGestureDirection(GestureDirectionType::UP));
    root->setDisplayListRenderer(DisplayListRenderer::create(false));
    auto* c = root->getDisplayListEditor()->getController2D();
    c->SetViewportSize(100, 100);
    c->SetContentSize(100, 300);
    EXPECT_TRUE(root->canHandleGestureDirection(99));
    bool up = root->canHandleGestureDirection(GestureDirectionType::UP);
    bool down = root->canHandleGestureDirection(GestureDirectionType::DOWN);
    EXPECT_NE(up, down);  // at one end of the content only one way is open
    EXPECT_FALSE(root->canHandleGestureDirection(GestureDirectionType::LEFT));
    EXPECT_FALSE(root->canHandleGestureDirection(GestureDirectionType::RIGHT));
    root->setGestureHandlersEnabled(false);
    EXPECT_FALSE(root->canHandleGestureDirection(99));
}
