// SPDX-License-Identifier: Apache-2.0
#include "LayoutTestSupport.h"

#include "orvane/host/core/CLog.h"
#include "orvane/layout/RelativeLayoutStrategy.h"
#include "orvane/layout/StackLayoutStrategy.h"
#include "orvane/view/GroupPreferredSizeRequestEvent.h"
#include "orvane/view/PreferredSizeRequestEvent.h"

#include <limits>

using namespace orvane;
using namespace orvane::test;

namespace {

TEST(RelativeLayout, OffsetsAndSizesInPixelsAndPercent) {
    auto kids = leaves(3);
    auto a = constraintOf(kids[0]);
    a->horizontalOffset.set(px(20));
    a->verticalOffset.set(percent(10));
    a->width.set(percent(50));
    a->height.set(px(60));
    auto b = constraintOf(kids[1]);
    b->horizontalOffset.set(px(300));  // no size: the rest of the container
    b->verticalOffset.set(px(150));
    auto root = container(Rect(5, 5, 400, 200), RelativeLayoutStrategy::create(), kids);  // kids[2]: no constraint
    root->layout(LayoutContext::create());
    EXPECT_RECT(kids[0]->getBoundsInPixels(), 20, 20, 200, 60);
    EXPECT_RECT(kids[1]->getBoundsInPixels(), 300, 150, 100, 50);
    EXPECT_RECT(kids[2]->getBoundsInPixels(), 0, 0, 400, 200);
}

TEST(RelativeLayout, SizesAreClampedToMinimumsAndMaximums) {
    auto kids = leaves(2);
    auto a = constraintOf(kids[0]);
    a->width.set(px(10));
    a->height.set(px(500));
    a->minimumWidth.set(40.0f);
    a->maximumHeight.set(120.0f);
    auto b = constraintOf(kids[1]);
    b->horizontalOffset.set(px(390));  // the rest is 10 pixels, below the minimum
    b->minimumWidth.set(30.0f);
    auto root = container(Rect(0, 0, 400, 200), RelativeLayoutStrategy::create(), kids);
    root->layout(LayoutContext::create());
    EXPECT_RECT(kids[0]->getBoundsInPixels(), 0, 0, 40, 120);
    EXPECT_RECT(kids[1]->getBoundsInPixels(), 390, 0, 30, 200);
}

TEST(RelativeLayout, StackingOrderFollowsZIndex) {
    auto kids = leaves(4);
    constraintOf(kids[0])->zIndex.set(3);
    constraintOf(kids[1])->zIndex.set(-1);
    constraintOf(kids[2])->zIndex.set(3);
    kids[3]->disable();
    auto root = container(Rect(0, 0, 100, 100), RelativeLayoutStrategy::create(), kids);
    auto order = RelativeLayoutStrategy::childrenInStackingOrder(*root);
    ASSERT_EQ(order.size(), 3u);
    EXPECT_EQ(order[0], kids[1]);
    EXPECT_EQ(order[1], kids[0]);  // equal zIndex keeps child order
    EXPECT_EQ(order[2], kids[2]);

    // Children are placed bottom first.
    std::vector<int> placed;
    for (int i = 0; i < 3; ++i)
        kids[static_cast<size_t>(i)]->addEventListener(
            AbstractProperty::CHANGE_EVENT, FunctionEventCallback::create([&placed, i](const std::shared_ptr<PortableEvent>&) {
                if (placed.empty() || placed.back() != i) placed.push_back(i);
            }));
    root->layout(LayoutContext::create());
    EXPECT_EQ(placed, std::vector<int>({1, 0, 2}));
    EXPECT_RECT(kids[3]->getBoundsInPixels(), 0, 0, 0, 0);
}

TEST(RelativeLayout, MissingSizesAreAskedFromTheContent) {
    auto kids = leaves(3);
    constraintOf(kids[0])->width.set(px(100));   // height asked
    constraintOf(kids[1])->height.set(px(40));   // width asked
    constraintOf(kids[2])->width.set(px(200));   // height asked, no answer: rest of container
    constraintOf(kids[0])->additionalContentHeight.set(5.0f);
    auto root = container(Rect(0, 0, 400, 300), RelativeLayoutStrategy::create(), kids);
    int groups = 0;
    root->addEventListener(GroupPreferredSizeRequestEvent::GROUP_HEIGHT_REQUEST,
                           FunctionEventCallback::create([&](const std::shared_ptr<PortableEvent>& e) {
                               ++groups;
                               auto g = std::static_pointer_cast<GroupPreferredSizeRequestEvent>(e);
                               ASSERT_EQ(g->getLayoutProxies()->size(), 2u);
                               EXPECT_FLOAT_EQ(g->getConstrainedSizes()->at(0), 100.0f);
                               g->setResult(0, 30.0f);  // the second stays unanswered
                           }));
    root->addEventListener(PreferredSizeRequestEvent::WIDTH_REQUEST,
                           FunctionEventCallback::create([&](const std::shared_ptr<PortableEvent>& e) {
                               auto r = std::static_pointer_cast<PreferredSizeRequestEvent>(e);
                               EXPECT_FLOAT_EQ(r->getConstrainedSize(), 40.0f);
                               r->setResult(75.0f);
                           }));
    root->layout(LayoutContext::create());
    EXPECT_EQ(groups, 1);
    EXPECT_RECT(kids[0]->getBoundsInPixels(), 0, 0, 100, 35);
    EXPECT_RECT(kids[1]->getBoundsInPixels(), 0, 0, 75, 40);
    EXPECT_RECT(kids[2]->getBoundsInPixels(), 0, 0, 200, 300);
}

TEST(RelativeLayout, BadOffsetsAndSizesAreIgnoredWithALogLine) {
    CLogCapture log;
    auto kids = leaves(1);
    auto c = constraintOf(kids[0]);
    c->horizontalOffset.set(px(-30));
    c->verticalOffset.set(px(std::numeric_limits<float>::quiet_NaN()));
    c->width.set(px(std::numeric_limits<float>::infinity()));
    c->height.set(px(-10));
    auto root = container(Rect(0, 0, 400, 300), RelativeLayoutStrategy::create(), kids);
    root->layout(LayoutContext::create());
    EXPECT_RECT(kids[0]->getBoundsInPixels(), 0, 0, 400, 0);
    EXPECT_TRUE(log.contains(CLog::ERRORS, "horizontalOffset"));
    EXPECT_TRUE(log.contains(CLog::ERRORS, "verticalOffset"));
    EXPECT_TRUE(log.contains(CLog::ERRORS, "constraint width"));
}

TEST(RelativeLayout, RecursesIntoChildren) {
    auto grand = leaf();
    auto child = container(Rect(), StackLayoutStrategy::create(), {grand});
    constraintOf(child)->horizontalOffset.set(px(50));
    constraintOf(child)->width.set(px(100));
    constraintOf(child)->height.set(px(100));
    auto root = container(Rect(0, 0, 400, 300), RelativeLayoutStrategy::create(), {child});
    root->layout(LayoutContext::create());
    EXPECT_RECT(grand->getBoundsInPixels(), 4, 4, 92, 92);
}

} // namespace
