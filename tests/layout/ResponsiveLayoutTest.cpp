// SPDX-License-Identifier: Apache-2.0
#include "LayoutTestSupport.h"

#include "orvane/host/core/CLog.h"
#include "orvane/layout/ResponsiveLayoutHelper.h"
#include "orvane/layout/ResponsiveLayoutStrategy.h"
#include "orvane/layout/StackLayoutStrategy.h"
#include "orvane/layout/TiledLayoutStrategy.h"
#include "orvane/package/FlexibilityType.h"
#include "orvane/view/GroupPreferredSizeRequestEvent.h"
#include "orvane/view/PreferredSizeRequestEvent.h"

#include <cmath>
#include <limits>

using namespace orvane;
using namespace orvane::test;

namespace {

std::shared_ptr<ResponsiveLayoutStrategy> responsive(
    LayoutOrientation::type o = LayoutOrientation::HORIZONTAL,
    ResponsiveLayoutOverflowType::type overflow = ResponsiveLayoutOverflowType::SCROLL) {
    auto s = ResponsiveLayoutStrategy::create();
    s->orientation.set(o);
    s->overflow.set(overflow);
    return s;
}

std::vector<int> linesOf(const std::shared_ptr<LayoutProxy>& p) {
    auto v = p->childrenPerLine.get();
    return v ? v->toVector() : std::vector<int>{};
}

std::vector<std::shared_ptr<LayoutProxy>> minimumWidths(std::initializer_list<float> mins) {
    std::vector<std::shared_ptr<LayoutProxy>> kids;
    for (float m : mins) {
        auto k = leaf();
        constraintOf(k)->minimumWidth.set(m);
        kids.push_back(k);
    }
    return kids;
}

TEST(ResponsiveLayout, LinesBreakAtTheMinimumSizes) {
    auto ctx = LayoutContext::create();
    auto kids = minimumWidths({300, 300, 300});
    auto root = container(Rect(0, 0, 800, 400), responsive(), kids);
    root->layout(ctx);
    EXPECT_EQ(linesOf(root), std::vector<int>({2, 1}));
    // Unconstrained children share their line; the lone child fills its own.
    EXPECT_RECT(kids[0]->getBoundsInPixels(), 0, 0, 400, 200);
    EXPECT_RECT(kids[1]->getBoundsInPixels(), 400, 0, 400, 200);
    EXPECT_RECT(kids[2]->getBoundsInPixels(), 0, 200, 800, 200);

    // Three weights and room: one line; two weights: 2 + 1 whatever the width.
    root->setBoundsInPixels(Rect(0, 0, 2000, 400));
    constraintOf(root)->responsiveWeights.set(floats({1, 1, 1}));
    root->layout(ctx);
    EXPECT_EQ(linesOf(root), std::vector<int>({3}));
    constraintOf(root)->responsiveWeights.set(floats({1, 1}));
    root->layout(ctx);
    EXPECT_EQ(linesOf(root), std::vector<int>({2, 1}));
}

TEST(ResponsiveLayout, ExactFitsAndOversizedChildren) {
    auto ctx = LayoutContext::create();
    // Minimums that add up exactly to the width stay on one line.
    auto thirds = minimumWidths({800.0f / 3, 800.0f / 3, 800.0f / 3});
    auto a = container(Rect(0, 0, 800, 100), responsive(), thirds);
    a->layout(ctx);
    EXPECT_EQ(linesOf(a), std::vector<int>({3}));

    // A child wider than the container still gets a line of its own.
    auto kids = minimumWidths({100, 900, 100});
    auto b = container(Rect(0, 0, 800, 300), responsive(), kids);
    b->layout(ctx);
    EXPECT_EQ(linesOf(b), std::vector<int>({1, 1, 1}));
    EXPECT_RECT(kids[1]->getBoundsInPixels(), 0, 100, 900, 100);
    EXPECT_TRUE(ResponsiveLayoutHelper::childrenSizeBiggerPrimary(
        *ResponsiveLayoutStrategyInfo::create(ctx, b, nullptr, {}, ResponsiveLayoutOverflowType::SCROLL, Rect(), false)) == false);
}

TEST(ResponsiveLayout, FilteringAndTheContainersOwnSize) {
    auto kids = leaves(4);
    constraintOf(kids[0])->maximumWidth.set(0.0f);  // left out
    constraintOf(kids[1])->maximumWidth.set(std::numeric_limits<float>::quiet_NaN());  // no maximum: kept
    kids[2]->disable();
    auto root = container(Rect(10, 20, 600, 300), responsive(), kids);
    auto w = root->w.get();
    auto h = root->h.get();
    root->layout(LayoutContext::create());
    EXPECT_EQ(ResponsiveLayoutHelper::getFilteredChildren(root).size(), 2u);
    EXPECT_RECT(kids[1]->getBoundsInPixels(), 0, 0, 300, 300);
    EXPECT_RECT(kids[3]->getBoundsInPixels(), 300, 0, 300, 300);
    EXPECT_EQ(kids[0]->x.get(), nullptr);
    EXPECT_RECT(kids[2]->getBoundsInPixels(), 0, 0, 0, 0);
    EXPECT_EQ(root->w.get(), w);
    EXPECT_EQ(root->h.get(), h);
}

TEST(ResponsiveLayout, AllChildrenDisabledLeavesOnlyTheRecursion) {
    auto grand = leaf();
    auto inner = container(Rect(0, 0, 100, 80), StackLayoutStrategy::create(), {grand});
    inner->disable();
    inner->setBoundsInPixels(Rect(0, 0, 100, 80));
    auto root = container(Rect(0, 0, 500, 500), responsive(), {inner});
    root->layout(LayoutContext::create());
    EXPECT_RECT(inner->getBoundsInPixels(), 0, 0, 100, 80);  // not placed
    EXPECT_RECT(grand->getBoundsInPixels(), 4, 4, 92, 72);   // but recursed into
    EXPECT_TRUE(linesOf(root).empty());
}

TEST(ResponsiveLayout, WeightsShareWholePixelsWithoutLosingAny) {
    for (float width : {803.0f, 800.0f, 7.0f, 1001.0f}) {
        auto kids = leaves(7);
        auto root = container(Rect(0, 0, width, 100), responsive(), kids);
        constraintOf(root)->responsiveWeights.set(floats({1, 2, 1}));
        root->layout(LayoutContext::create());
        EXPECT_EQ(linesOf(root), std::vector<int>({3, 3, 1}));
        for (size_t line = 0; line < 3; ++line) {
            float end = 0.0f;
            for (size_t i = line * 3; i < std::min<size_t>(7, line * 3 + 3); ++i) {
                Rect r = kids[i]->getBoundsInPixels();
                EXPECT_FLOAT_EQ(r.x, end);  // contiguous
                EXPECT_EQ(r.width, std::floor(r.width));
                end += r.width;
            }
            EXPECT_FLOAT_EQ(end, width);  // no pixel lost or gained
        }
        // Within a pixel of the exact weighted shares.
        EXPECT_NEAR(kids[1]->getBoundsInPixels().width, width / 2.0f, 1.0f);
        EXPECT_NEAR(kids[0]->getBoundsInPixels().width, width / 4.0f, 1.0f);
    }
}

TEST(ResponsiveLayout, WeightsWithMinimumsStillFillTheLineInWholePixels) {
    auto kids = minimumWidths({0, 500, 0});
    auto root = container(Rect(0, 0, 801, 100), responsive(), kids);
    constraintOf(root)->responsiveWeights.set(floats({1, 1, 1}));
    for (auto& k : kids) constraintOf(k)->widthFlexibility.set(FlexibilityType::FLEXIBLE);
    root->layout(LayoutContext::create());
    float total = 0;
    for (auto& k : kids) {
        float wdt = k->getBoundsInPixels().width;
        EXPECT_EQ(wdt, std::floor(wdt));
        total += wdt;
    }
    EXPECT_FLOAT_EQ(total, 801.0f);
    EXPECT_GE(kids[1]->getBoundsInPixels().width, 500.0f);
}

TEST(ResponsiveLayout, PrimaryGrowthFollowsPreferredSizesAndStopsAtMaximums) {
    auto kids = leaves(2);
    constraintOf(kids[0])->width.set(px(100));
    constraintOf(kids[1])->width.set(px(300));
    for (auto& k : kids) constraintOf(k)->widthFlexibility.set(FlexibilityType::GROWABLE);
    auto root = container(Rect(0, 0, 800, 100), responsive(), kids);
    root->layout(LayoutContext::create());
    EXPECT_FLOAT_EQ(kids[0]->getBoundsInPixels().width, 200.0f);
    EXPECT_FLOAT_EQ(kids[1]->getBoundsInPixels().width, 600.0f);

    constraintOf(kids[1])->maximumWidth.set(400.0f);
    root->layout(LayoutContext::create());
    EXPECT_FLOAT_EQ(kids[1]->getBoundsInPixels().width, 400.0f);
    EXPECT_FLOAT_EQ(kids[0]->getBoundsInPixels().width, 400.0f);

    // A fixed child keeps its preferred width; the space stays free.
    constraintOf(kids[0])->widthFlexibility.set(FlexibilityType::FIXED);
    root->layout(LayoutContext::create());
    EXPECT_FLOAT_EQ(kids[0]->getBoundsInPixels().width, 100.0f);
}

TEST(ResponsiveLayout, PrimaryShrinkingNeverGoesBelowMinimums) {
    auto kids = leaves(2);
    constraintOf(kids[0])->width.set(px(500));
    constraintOf(kids[1])->width.set(px(500));
    constraintOf(kids[0])->minimumWidth.set(100.0f);
    constraintOf(kids[1])->minimumWidth.set(450.0f);
    for (auto& k : kids) constraintOf(k)->widthFlexibility.set(FlexibilityType::SHRINKABLE);
    // 550 of minimums fit in 800, so both share one line and give back 200.
    auto root = container(Rect(0, 0, 800, 100), responsive(), kids);
    root->layout(LayoutContext::create());
    EXPECT_EQ(linesOf(root), std::vector<int>({2}));
    // Both give in proportion to their preferred sizes (100 each); the second
    // stops at 450 and the first gives the remaining 50.
    EXPECT_FLOAT_EQ(kids[0]->getBoundsInPixels().width, 350.0f);
    EXPECT_FLOAT_EQ(kids[1]->getBoundsInPixels().width, 450.0f);
    EXPECT_FLOAT_EQ(kids[1]->getBoundsInPixels().x, 350.0f);

    // A child that may not shrink keeps its preferred width.
    constraintOf(kids[1])->widthFlexibility.set(FlexibilityType::FIXED);
    root->layout(LayoutContext::create());
    EXPECT_FLOAT_EQ(kids[0]->getBoundsInPixels().width, 300.0f);
    EXPECT_FLOAT_EQ(kids[1]->getBoundsInPixels().width, 500.0f);
}

TEST(ResponsiveLayout, UnconstrainedChildrenShareWhatConstrainedOnesLeave) {
    auto kids = leaves(3);
    constraintOf(kids[0])->width.set(px(200));
    auto root = container(Rect(0, 0, 800, 100), responsive(), kids);
    root->layout(LayoutContext::create());
    EXPECT_RECT(kids[0]->getBoundsInPixels(), 0, 0, 200, 100);
    EXPECT_RECT(kids[1]->getBoundsInPixels(), 200, 0, 300, 100);
    EXPECT_RECT(kids[2]->getBoundsInPixels(), 500, 0, 300, 100);

    // Percent widths refer to the container's content width.
    constraintOf(kids[0])->width.set(percent(50));
    root->layout(LayoutContext::create());
    EXPECT_FLOAT_EQ(kids[0]->getBoundsInPixels().width, 400.0f);
    EXPECT_FLOAT_EQ(kids[2]->getBoundsInPixels().width, 200.0f);
}

TEST(ResponsiveLayout, SizeRequestsAreAnsweredThroughTheEvents) {
    auto kids = leaves(3);
    for (auto& k : kids) constraintOf(k)->minimumWidth.set(300.0f);
    constraintOf(kids[1])->headerHeight.set(10.0f);  // additional height of that child
    auto root = container(Rect(0, 0, 800, 1000), responsive(), kids);
    std::vector<float> asked;
    // The host answers on the root: events of every proxy bubble up to it.
    root->addEventListener(PreferredSizeRequestEvent::HEIGHT_REQUEST,
                           FunctionEventCallback::create([&](const std::shared_ptr<PortableEvent>& e) {
                               auto r = std::static_pointer_cast<PreferredSizeRequestEvent>(e);
                               asked.push_back(r->getConstrainedSize());
                               r->setResult(r->getConstrainedSize() / 4.0f);
                           }));
    root->layout(LayoutContext::create());
    ASSERT_EQ(asked.size(), 3u);
    EXPECT_FLOAT_EQ(asked[0], 400.0f);
    // Line one: 100 and 100 + 10 header -> 110; line two: 200.
    EXPECT_RECT(kids[0]->getBoundsInPixels(), 0, 0, 400, 110);
    EXPECT_RECT(kids[2]->getBoundsInPixels(), 0, 110, 800, 200);

    // A group answer wins over single requests.
    int singles = 0;
    root->addEventListener(GroupPreferredSizeRequestEvent::GROUP_HEIGHT_REQUEST,
                           FunctionEventCallback::create([&](const std::shared_ptr<PortableEvent>& e) {
                               auto g = std::static_pointer_cast<GroupPreferredSizeRequestEvent>(e);
                               ASSERT_EQ(g->getLayoutProxies()->size(), 3u);
                               EXPECT_EQ(g->getLayoutProxies()->at(2), kids[2]);
                               for (size_t i = 0; i < 3; ++i) g->setResult(i, 50.0f);
                           }));
    asked.clear();
    root->layout(LayoutContext::create());
    (void)singles;
    EXPECT_TRUE(asked.empty());
    EXPECT_FLOAT_EQ(kids[2]->getBoundsInPixels().height, 50.0f);
    EXPECT_FLOAT_EQ(kids[1]->getBoundsInPixels().height, 60.0f);
}

TEST(ResponsiveLayout, OverflowScrollKeepsSizesAndFitShrinks) {
    auto make = [](ResponsiveLayoutOverflowType::type overflow) {
        auto kids = leaves(3);
        for (auto& k : kids) {
            constraintOf(k)->height.set(px(200));
            constraintOf(k)->minimumHeight.set(50.0f);
            constraintOf(k)->heightFlexibility.set(FlexibilityType::SHRINKABLE);
        }
        auto root = container(Rect(0, 0, 300, 300), responsive(LayoutOrientation::HORIZONTAL, overflow), kids);
        constraintOf(root)->responsiveWeights.set(floats({1}));
        return root;
    };
    auto scroll = make(ResponsiveLayoutOverflowType::SCROLL);
    scroll->layout(LayoutContext::create());
    auto s = scroll->children.get();
    EXPECT_RECT((*s)[2]->getBoundsInPixels(), 0, 400, 300, 200);  // past the 300 pixels

    auto fit = make(ResponsiveLayoutOverflowType::FIT);
    fit->layout(LayoutContext::create());
    auto f = fit->children.get();
    for (size_t i = 0; i < 3; ++i) EXPECT_RECT((*f)[i]->getBoundsInPixels(), 0, 100.0f * i, 300, 100);

    // Fitting stops at the minimums.
    fit->setBoundsInPixels(Rect(0, 0, 300, 90));
    fit->layout(LayoutContext::create());
    EXPECT_RECT((*f)[2]->getBoundsInPixels(), 0, 100, 300, 50);

    // Children that may not shrink are not fitted.
    for (auto& k : f->items()) constraintOf(k)->heightFlexibility.set(FlexibilityType::FIXED);
    fit->setBoundsInPixels(Rect(0, 0, 300, 300));
    fit->layout(LayoutContext::create());
    EXPECT_FLOAT_EQ((*f)[2]->getBoundsInPixels().y, 400.0f);
}

TEST(ResponsiveLayout, RemainingSecondarySpaceGoesToOpenOrGrowableLines) {
    auto kids = leaves(2);
    constraintOf(kids[0])->height.set(px(100));
    auto root = container(Rect(0, 0, 400, 500), responsive(), kids);
    constraintOf(root)->responsiveWeights.set(floats({1}));
    root->layout(LayoutContext::create());
    // The second has no height of its own: its line takes the rest.
    EXPECT_RECT(kids[0]->getBoundsInPixels(), 0, 0, 400, 100);
    EXPECT_RECT(kids[1]->getBoundsInPixels(), 0, 100, 400, 400);

    // With both sized, only growable lines take more, up to their maximum.
    constraintOf(kids[1])->height.set(px(100));
    constraintOf(kids[1])->heightFlexibility.set(FlexibilityType::GROWABLE);
    constraintOf(kids[1])->maximumHeight.set(250.0f);
    root->layout(LayoutContext::create());
    EXPECT_FLOAT_EQ(kids[0]->getBoundsInPixels().height, 100.0f);
    EXPECT_FLOAT_EQ(kids[1]->getBoundsInPixels().height, 250.0f);
}

TEST(ResponsiveLayout, GrowPercentagesReferToThePercentageContext) {
    auto kid = leaf();
    constraintOf(kid)->width.set(percent(50));
    auto inner = container(Rect(), responsive(LayoutOrientation::HORIZONTAL, ResponsiveLayoutOverflowType::GROW), {kid});
    constraintOf(inner)->headerHeight.set(20.0f);
    auto root = container(Rect(0, 0, 1000, 600), responsive(), {inner});
    constraintOf(root)->responsiveWeights.set(floats({1, 1}));
    auto filler = leaf();
    root->children.get()->push_back(filler);
    auto ctx = LayoutContext::create();
    root->layout(ctx);
    // The root recorded itself as the children's percentage context.
    EXPECT_EQ(constraintOf(inner)->growPercentageContext.get().lock(), root);
    EXPECT_FLOAT_EQ(inner->cumulativeExtraHeight.get(), 20.0f);
    EXPECT_FLOAT_EQ(inner->getBoundsInPixels().width, 500.0f);
    // 50% of the root's 1000 (the context), not of the inner 500.
    EXPECT_FLOAT_EQ(kid->getBoundsInPixels().width, 500.0f);
    EXPECT_FLOAT_EQ(kid->getBoundsInPixels().y, 20.0f);  // below the inner header
}

TEST(ResponsiveLayout, StackOverflowStacksAtFullWidth) {
    auto kids = leaves(3);
    constraintOf(kids[0])->height.set(px(50));
    auto root = container(Rect(0, 0, 400, 100), responsive(LayoutOrientation::VERTICAL, ResponsiveLayoutOverflowType::STACK), kids);
    auto rc = constraintOf(root);
    rc->leftSpace.set(10.0f);
    rc->rightSpace.set(30.0f);
    root->addEventListener(PreferredSizeRequestEvent::HEIGHT_REQUEST,
                           FunctionEventCallback::create([&](const std::shared_ptr<PortableEvent>& e) {
                               auto r = std::static_pointer_cast<PreferredSizeRequestEvent>(e);
                               if (r->getOriginalSource() == kids[1].get()) r->setResult(r->getConstrainedSize() / 2);
                           }));
    root->layout(LayoutContext::create());
    EXPECT_RECT(kids[0]->getBoundsInPixels(), 10, 0, 360, 50);
    EXPECT_RECT(kids[1]->getBoundsInPixels(), 10, 50, 360, 180);
    EXPECT_RECT(kids[2]->getBoundsInPixels(), 10, 230, 360, 40);  // default minimum height
}

TEST(ResponsiveLayout, VerticalOrientationWrapsIntoColumns) {
    auto kids = leaves(3);
    for (auto& k : kids) constraintOf(k)->minimumHeight.set(150.0f);
    auto root = container(Rect(0, 0, 600, 400), responsive(LayoutOrientation::VERTICAL), kids);
    root->layout(LayoutContext::create());
    EXPECT_EQ(linesOf(root), std::vector<int>({2, 1}));
    EXPECT_RECT(kids[0]->getBoundsInPixels(), 0, 0, 300, 200);
    EXPECT_RECT(kids[1]->getBoundsInPixels(), 0, 200, 300, 200);
    EXPECT_RECT(kids[2]->getBoundsInPixels(), 300, 0, 300, 400);
}

TEST(ResponsiveLayout, ContainersAreMeasuredFromTheirChildren) {
    // An inner row needs 2 x 250; it breaks the outer line although it has no
    // minimum of its own.
    auto inner = container(Rect(), responsive(), minimumWidths({250, 250}));
    constraintOf(inner)->responsiveWeights.set(floats({1, 1}));
    auto other = leaf();
    constraintOf(other)->minimumWidth.set(300.0f);
    auto root = container(Rect(0, 0, 700, 600), responsive(), {other, inner});
    auto ctx = LayoutContext::create();
    // A wrapping inner row needs only its widest child (250): same line.
    root->layout(ctx);
    EXPECT_EQ(linesOf(root), std::vector<int>({2}));
    // Ignoring its children, it needs nothing at all.
    constraintOf(inner)->considerChildrenForSizeCalculations.set(false);
    root->layout(ctx);
    EXPECT_EQ(linesOf(root), std::vector<int>({2}));
    // A tiled-like vertical inner container needs its children's sum across.
    constraintOf(inner)->considerChildrenForSizeCalculations.set(true);
    constraintOf(inner)->minimumWidth.set(450.0f);
    root->layout(ctx);
    EXPECT_EQ(linesOf(root), std::vector<int>({1, 1}));
}

// Answers every height request with what a text wrapping at 390 pixels would
// need: one line when wider, five when narrower.
void answerWrappingHeights(const std::shared_ptr<LayoutProxy>& root, std::vector<float>* asked = nullptr) {
    for (int type : {PreferredSizeRequestEvent::HEIGHT_REQUEST, PreferredSizeRequestEvent::PREFERRED_HEIGHT_REQUEST})
        root->addEventListener(type, FunctionEventCallback::create([asked](const std::shared_ptr<PortableEvent>& e) {
                                   auto r = std::static_pointer_cast<PreferredSizeRequestEvent>(e);
                                   if (asked) asked->push_back(r->getConstrainedSize());
                                   r->setResult(r->getConstrainedSize() >= 390.0f ? 20.0f : 100.0f);
                               }));
}

TEST(ResponsiveLayout, StackedChildrenAreMeasuredInsideTheInsets) {
    // A stack 396 wide gives its child 388 (inset 4 each side): the content
    // is asked at that width and the line is as high as it then needs.
    auto content = leaf();
    auto stack = container(Rect(), StackLayoutStrategy::create(), {content});
    auto root = container(Rect(0, 0, 396, 600), responsive(), {stack});
    constraintOf(root)->responsiveWeights.set(floats({1}));
    std::vector<float> asked;
    answerWrappingHeights(root, &asked);
    root->layout(LayoutContext::create());
    ASSERT_FALSE(asked.empty());
    EXPECT_FLOAT_EQ(asked.front(), 388.0f);
    EXPECT_RECT(stack->getBoundsInPixels(), 0, 0, 396, 108);
    EXPECT_RECT(content->getBoundsInPixels(), 4, 4, 388, 100);
}

TEST(ResponsiveLayout, TiledAreasThatReflowAreMeasuredByTheirRows) {
    // Four tiles of at least 200 in a 600-wide page re-flow into two rows of
    // two: the tiled area must be measured that way, in width (the widest
    // tile, not the sum) and in height (two rows and a gap), so that it fits
    // the page and nothing below it is overlapped.
    auto tiles = leaves(4);
    for (auto& t : tiles) constraintOf(t)->minimumWidth.set(200.0f);
    auto area = container(Rect(), TiledLayoutStrategy::create(), tiles);
    auto below = leaf();
    constraintOf(below)->height.set(px(30));
    auto root = container(Rect(0, 0, 600, 1000), responsive(), {area, below});
    constraintOf(root)->responsiveWeights.set(floats({1}));
    answerWrappingHeights(root);  // tiles 300 wide: 100 high
    auto ctx = LayoutContext::create();
    ctx->enableTileReflow.set(true);
    root->layout(ctx);
    EXPECT_RECT(area->getBoundsInPixels(), 0, 0, 600, 208);
    EXPECT_RECT(tiles[0]->getBoundsInPixels(), 0, 0, 296, 100);
    EXPECT_RECT(tiles[3]->getBoundsInPixels(), 304, 108, 296, 100);
    EXPECT_FLOAT_EQ(below->getBoundsInPixels().y, 208.0f);

    // Wide enough for one row; at or above the design width the tiles are
    // placed side by side and measured so.
    root->setBoundsInPixels(Rect(0, 0, 1200, 1000));
    root->layout(ctx);
    EXPECT_RECT(area->getBoundsInPixels(), 0, 0, 1200, 20);
    EXPECT_FLOAT_EQ(tiles[3]->getBoundsInPixels().y, 0.0f);
    // Without reflow the tiles keep their sum as the area's minimum width.
    ctx->enableTileReflow.set(false);
    root->setBoundsInPixels(Rect(0, 0, 600, 1000));
    root->layout(ctx);
    EXPECT_FLOAT_EQ(area->getBoundsInPixels().width, 824.0f);
}

TEST(ResponsiveLayout, ScrollBarSpaceIsReservedWhenLinesOverflow) {
    auto kids = leaves(3);
    for (auto& k : kids) constraintOf(k)->height.set(px(200));
    auto root = container(Rect(0, 0, 300, 300), responsive(), kids);
    constraintOf(root)->responsiveWeights.set(floats({1}));
    auto ctx = LayoutContext::create();
    ctx->handleScrollBarSpace.set(true);
    ctx->scrollBarSize.set(15.0f);
    root->layout(ctx);
    EXPECT_FLOAT_EQ(kids[0]->getBoundsInPixels().width, 285.0f);
    // Content that fits keeps the whole width.
    root->setBoundsInPixels(Rect(0, 0, 300, 700));
    root->layout(ctx);
    EXPECT_FLOAT_EQ(kids[0]->getBoundsInPixels().width, 300.0f);
}

TEST(ResponsiveLayout, RelativeChildrenArePlacedFromTheirOffsets) {
    auto kids = leaves(2);
    constraintOf(kids[0])->horizontalOffset.set(px(10));
    constraintOf(kids[0])->width.set(px(100));
    constraintOf(kids[0])->height.set(px(50));
    constraintOf(kids[1])->verticalOffset.set(percent(50));
    auto root = container(Rect(0, 0, 400, 200), responsive(), kids);
    root->layout(LayoutContext::create());
    EXPECT_RECT(kids[0]->getBoundsInPixels(), 10, 0, 100, 50);
    EXPECT_RECT(kids[1]->getBoundsInPixels(), 0, 100, 400, 100);
}

TEST(ResponsiveLayout, BadConstraintValuesAreClampedWithALogLine) {
    CLogCapture log;
    auto kids = leaves(3);
    constraintOf(kids[0])->minimumWidth.set(std::numeric_limits<float>::quiet_NaN());
    constraintOf(kids[1])->width.set(px(-50));
    constraintOf(kids[2])->minimumHeight.set(std::numeric_limits<float>::infinity());
    auto root = container(Rect(0, 0, 300, 100), responsive(), kids);
    constraintOf(root)->responsiveWeights.set(floats({1, std::nanf(""), -1}));
    root->layout(LayoutContext::create());
    for (auto& k : kids) EXPECT_TRUE(k->getBoundsInPixels().isFinite());
    EXPECT_TRUE(log.contains(CLog::ERRORS, "minimumWidth"));
    EXPECT_TRUE(log.contains(CLog::ERRORS, "weight"));
    // Only the first weight counts: it takes the whole line.
    EXPECT_FLOAT_EQ(kids[0]->getBoundsInPixels().width, 300.0f);

    // A non-finite container size is read as 0: nothing is placed.
    root->w.set(Dimension::create(std::numeric_limits<float>::infinity()));
    root->layout(LayoutContext::create());
    for (auto& k : kids) EXPECT_TRUE(k->getBoundsInPixels().isFinite());
}

} // namespace

namespace {

// Two identical trees: a responsive root of responsive rows of leaves.
std::shared_ptr<LayoutProxy> reportTree() {
    auto root = container(Rect(0, 0, 900, 2000), ResponsiveLayoutStrategy::create(), {});
    constraintOf(root)->responsiveWeights.set(floats({1, 1, 1}));
    for (int r = 0; r < 6; ++r) {
        std::vector<std::shared_ptr<LayoutProxy>> kids;
        for (int i = 0; i < 8; ++i) {
            auto k = leaf();
            constraintOf(k)->minimumWidth.set(40.0f + 10.0f * static_cast<float>((i + r) % 4));
            constraintOf(k)->minimumHeight.set(20.0f);
            constraintOf(k)->widthFlexibility.set(FlexibilityType::FLEXIBLE);
            kids.push_back(k);
        }
        auto row = container(Rect(), ResponsiveLayoutStrategy::create(), kids);
        constraintOf(row)->responsiveWeights.set(floats({1, 2, 1}));
        root->children.get()->push_back(row);
    }
    return root;
}

void collect(const std::shared_ptr<LayoutProxy>& p, std::vector<Rect>& out) {
    out.push_back(p->getBoundsInPixels());
    if (auto kids = p->children.get())
        for (auto& k : kids->items()) collect(k, out);
}

TEST(ResponsiveLayout, RelayoutMatchesAFullPass) {
    auto ctx = LayoutContext::create();
    for (float newMinimum : {45.0f, 260.0f, 20.0f}) {
        auto a = reportTree();
        auto b = reportTree();
        a->layout(ctx);
        b->layout(ctx);
        auto pick = [](const std::shared_ptr<LayoutProxy>& root) {
            return (*(*root->children.get())[4]->children.get())[5];
        };
        constraintOf(pick(a))->minimumWidth.set(newMinimum);
        constraintOf(pick(b))->minimumWidth.set(newMinimum);
        int otherRowEvents = 0;
        auto other = (*a->children.get())[1];
        other->addEventListener(AbstractProperty::CHANGE_EVENT,
                                FunctionEventCallback::create([&](const std::shared_ptr<PortableEvent>& e) {
                                    if (e->getOriginalSource() != other.get() &&
                                        dynamic_cast<AbstractProperty*>(e->getOriginalSource())->getOwner() != other.get())
                                        ++otherRowEvents;  // an event from inside the row
                                }));
        pick(a)->relayout(ctx);
        b->layout(ctx);
        std::vector<Rect> ra, rb;
        collect(a, ra);
        collect(b, rb);
        ASSERT_EQ(ra.size(), rb.size());
        for (size_t i = 0; i < ra.size(); ++i) EXPECT_EQ(ra[i], rb[i]) << "proxy " << i << " minimum " << newMinimum;
        EXPECT_EQ(otherRowEvents, 0) << "an unrelated row was laid out again";
    }
}

} // namespace

namespace {

TEST(ResponsiveLayout, HelperStepsToleratePartialRecords) {
    // Steps run out of order, on an empty record or without context or proxy
    // must neither crash nor write non-finite bounds.
    auto kids = leaves(3);
    auto info = ResponsiveLayoutStrategyInfo::create(nullptr, nullptr, nullptr, kids, ResponsiveLayoutOverflowType::FIT,
                                                     Rect(0, 0, 300, 200), false);
    using H = ResponsiveLayoutHelper;
    H::applyRemainingPrimarySpaceToUnconstrained(*info, 0, 100.0f);
    H::applyRemainingPrimarySpaceToConstrained(*info, 7, 100.0f);
    H::applyRemainingSecondarySpace(*info);
    H::fitChildrenToContainerSecondarySize(*info);
    EXPECT_FALSE(H::childrenSizeBiggerPrimary(*info));
    H::calculateMinMaxSecondarySizesPerLine(*info);
    H::runSteps(*info);
    for (auto& k : kids) EXPECT_TRUE(k->getBoundsInPixels().isFinite());
    EXPECT_FLOAT_EQ(kids[2]->getBoundsInPixels().x, 200.0f);

    auto empty = ResponsiveLayoutStrategyInfo::create(nullptr, nullptr, nullptr, {}, ResponsiveLayoutOverflowType::SCROLL,
                                                      Rect(), true);
    H::runSteps(*empty);
    EXPECT_FALSE(H::handleNonResponsiveCases(*empty));
    EXPECT_EQ(H::getPreferredSize(*empty, 3, true), 0.0f);
    EXPECT_TRUE(H::getFilteredChildren(nullptr).empty());
}

} // namespace
