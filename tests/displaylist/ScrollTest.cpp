// SPDX-License-Identifier: Apache-2.0
// Scrolling state: the 2-D controller's translation and pan limits, and the
// scroll bars kept consistent with it.
#include "orvane/displaylist/DisplayListEditor.h"
#include "orvane/displaylist/DisplayListRenderer.h"
#include "orvane/displaylist/TqController2D.h"
#include "orvane/displaylist/TqRef.h"
#include "orvane/displaylist/TqScrollBarController.h"

#include <gtest/gtest.h>

using namespace displaylist;

namespace {

TEST(Controller2DTest, PanLimitsFollowTheContentExtent) {
    auto renderer = DisplayListRenderer::create(false);
    renderer->setViewport(0, 0, 100, 50);
    TqController2D* c = renderer->getEditor()->getController2D();
    ASSERT_NE(c, nullptr);
    // Content that fits: no pan in any direction.
    c->SetContentSize(80, 40);
    for (float d : {0.1f, -0.1f}) {
        EXPECT_FALSE(c->CanPanHorizontally(d));
        EXPECT_FALSE(c->CanPanVertically(d));
    }
    c->SetContentSize(300, 200);  // room: x up to 200, y up to 150
    // At the origin only scrolling towards more content is possible.
    EXPECT_FALSE(c->CanPanHorizontally(0.1f));
    EXPECT_TRUE(c->CanPanHorizontally(-0.1f));
    EXPECT_FALSE(c->CanPanVertically(0.1f));
    EXPECT_TRUE(c->CanPanVertically(-0.1f));

    // tx += gx, ty -= gy.
    c->OnGestureTranslate(-50, -30);
    EXPECT_EQ(c->GetTranslation(), Point(-50, 30));
    for (float d : {0.1f, -0.1f}) {
        EXPECT_TRUE(c->CanPanHorizontally(d));
        EXPECT_TRUE(c->CanPanVertically(d));
    }
    // Clamped at the far edges.
    c->OnGestureTranslate(-1000, -1000);
    EXPECT_EQ(c->GetTranslation(), Point(-200, 150));
    EXPECT_TRUE(c->CanPanHorizontally(0.1f));
    EXPECT_FALSE(c->CanPanHorizontally(-0.1f));
    EXPECT_TRUE(c->CanPanVertically(0.1f));
    EXPECT_FALSE(c->CanPanVertically(-0.1f));
    // Shrinking the content pulls the translation back inside.
    c->SetContentSize(150, 60);
    EXPECT_EQ(c->GetTranslation(), Point(-50, 10));
}

TEST(Controller2DTest, ScrollToRoundTrip) {
    // The scroll view's scrollTo: dx = -x - tx, dy = y - ty, then
    // OnGestureTranslate(dx, -dy); the position reads back as (-tx, ty).
    TqRef<TqController2D> c(new TqController2D);
    c->SetViewportSize(100, 100);
    c->SetContentSize(500, 400);
    auto scrollTo = [&](float x, float y) {
        Point t = c->GetTranslation();
        float dx = -x - t.x, dy = y - t.y;
        c->OnGestureTranslate(dx, -dy);
    };
    for (Point p : {Point(120, 45), Point(0, 300), Point(400, 0), Point(37.5f, 12.25f)}) {
        scrollTo(p.x, p.y);
        Point t = c->GetTranslation();
        EXPECT_EQ(Point(-t.x, t.y), p);
    }
}

TEST(ScrollBarTest, BarsStayConsistentWithTheController) {
    TqRef<TqController2D> c(new TqController2D);
    TqRef<TqScrollBarController> bars(new TqScrollBarController);
    bars->SetController2D(c.get());
    bars->SetFrame({0, 0, 200, 100});
    bars->SetContentSize(200, 100);
    EXPECT_FALSE(bars->AreScrollBarsShown());
    bars->SetContentSize(800, 400);  // max scroll (600, 300)
    ASSERT_TRUE(bars->AreScrollBarsShown());

    bars->ScrollTo(300, 150);
    EXPECT_EQ(c->GetTranslation(), Point(-300, 150));
    EXPECT_EQ(bars->GetScrollDelta(), Point(300, 150));
    bars->ScrollBy(1000, -1000);
    EXPECT_EQ(bars->GetScrollPosition(), Point(600, 0));
    EXPECT_EQ(c->GetTranslation(), Point(-600, 0));

    // The vertical thumb is at the top at y = 0 and at the bottom at the end.
    TqScrollBar* v = bars->GetVerticalScrollBar();
    Rect top = v->GetThumbRect();
    EXPECT_FLOAT_EQ(top.maxY(), v->GetTrack().maxY());
    bars->ScrollTo(0, 300);
    EXPECT_FLOAT_EQ(v->GetThumbRect().y, v->GetTrack().y);

    // A tap on the track above the thumb pages up by one view height.
    Rect thumb = v->GetThumbRect();
    EXPECT_TRUE(bars->handleTap({196, thumb.maxY() + 5}));
    EXPECT_EQ(bars->GetScrollPosition(), Point(0, 200));
    EXPECT_EQ(bars->GetScrollDelta(), Point(0, -100));
    EXPECT_FALSE(bars->handleTap({100, 50}));  // content, not a bar

    // Dragging the thumb down by its whole travel scrolls to the end.
    bars->ScrollTo(0, 0);
    thumb = v->GetThumbRect();
    Point grip{196, thumb.y + thumb.height / 2};
    EXPECT_TRUE(bars->handlePan(grip, {0, 0}, 1));
    EXPECT_TRUE(bars->IsDragging());
    float travel = v->GetTrack().height - thumb.height;
    EXPECT_TRUE(bars->handlePan(grip, {0, -travel / 2}, 2));
    EXPECT_NEAR(bars->GetScrollPosition().y, 150.0f, 1e-3f);
    EXPECT_TRUE(bars->handlePan(grip, {0, -travel * 3}, 3));
    EXPECT_FALSE(bars->IsDragging());
    EXPECT_EQ(bars->GetScrollPosition().y, 300.0f);
    EXPECT_EQ(c->GetTranslation().y, 300.0f);
    EXPECT_FALSE(bars->handlePan({100, 50}, {5, 5}, 1));  // not on a thumb
    EXPECT_FALSE(bars->handlePan({100, 50}, {5, 5}, 2));

    // The scroll view's path: the bar moves by the position change, then the controller.
    bars->ScrollTo(0, 0);
    bars->UpdateScrollTranslation(50, 20);
    EXPECT_EQ(bars->GetScrollPosition(), Point(50, 20));
    c->OnGestureTranslate(-50, -20);
    EXPECT_EQ(c->GetTranslation(), Point(-50, 20));

    EXPECT_TRUE(bars->handleHover({196, v->GetThumbRect().y + 1}));
    EXPECT_TRUE(v->IsHover());
    EXPECT_FALSE(bars->handleHover({10, 90}));
    EXPECT_FALSE(v->IsHover());
    bars->SetScrollBarsShown(false);
    EXPECT_FALSE(bars->AreScrollBarsShown());
    EXPECT_FALSE(bars->handleTap({196, 50}));
}

} // namespace
