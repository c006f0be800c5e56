// SPDX-License-Identifier: Apache-2.0
#include "LayoutTestSupport.h"

#include "orvane/host/core/CLog.h"
#include "orvane/layout/SlideLayoutStrategy.h"
#include "orvane/layout/TiledLayoutStrategy.h"
#include "orvane/layout/TiledReflowLayoutStrategy.h"

#include <numeric>

using namespace orvane;
using namespace orvane::test;

namespace {

std::shared_ptr<SlideLayoutStrategy> slide(LayoutOrientation::type o) {
    auto s = SlideLayoutStrategy::create();
    s->orientation.set(o);
    return s;
}
std::shared_ptr<TiledLayoutStrategy> tiled(LayoutOrientation::type o) {
    auto s = TiledLayoutStrategy::create();
    s->orientation.set(o);
    return s;
}

TEST(SlideAndTiledLayout, ChildrenShareTheContainerLessInsetsGapsAndHeader) {
    // Slides keep 4-pixel insets and 8-pixel gaps; tiles run edge to edge with
    // their gap between them, below the header, placed relative to the root
    // when asked.
    struct Case {
        const char* what;
        std::shared_ptr<LayoutStrategy> strategy;
        Rect bounds;
        float header;
        bool relativeToRoot;
        std::vector<Rect> expected;
    };
    const Case cases[] = {
        {"three slides", slide(LayoutOrientation::HORIZONTAL), Rect(0, 0, 1000, 500), 0, false,
         {Rect(4, 4, 325.33f, 492), Rect(337.33f, 4, 325.33f, 492), Rect(670.67f, 4, 325.33f, 492)}},
        {"one slide", slide(LayoutOrientation::HORIZONTAL), Rect(0, 0, 400, 300), 0, false, {Rect(4, 4, 392, 292)}},
        {"two tiles", tiled(LayoutOrientation::HORIZONTAL), Rect(0, 0, 800, 300), 0, false,
         {Rect(0, 0, 396, 300), Rect(404, 0, 396, 300)}},
        {"one tile below a header", tiled(LayoutOrientation::HORIZONTAL), Rect(0, 0, 640, 300), 20, false,
         {Rect(0, 20, 640, 280)}},
        {"tiles relative to the root", tiled(LayoutOrientation::VERTICAL), Rect(100, 50, 400, 200), 0, true,
         {Rect(100, 50, 400, 96), Rect(100, 154, 400, 96)}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        auto kids = leaves(c.expected.size());
        auto root = container(c.bounds, c.strategy, kids);
        if (c.header > 0) constraintOf(root)->headerHeight.set(c.header);
        auto ctx = LayoutContext::create();
        ctx->positionTiledContentRelativeToRoot.set(c.relativeToRoot);
        root->layout(ctx);
        for (size_t i = 0; i < kids.size(); ++i) {
            const Rect& e = c.expected[i];
            EXPECT_RECT(kids[i]->getBoundsInPixels(), e.x, e.y, e.width, e.height);
        }
    }
}

TEST(SlideLayout, VerticalWantedSizesAndTheZeroHeightRule) {
    auto kids = leaves(3);
    constraintOf(kids[0])->height.set(px(0));      // set with value 0: defaultMinimumHeight
    constraintOf(kids[1])->height.set(percent(20));  // 20% of 500
    auto root = container(Rect(0, 0, 300, 500), slide(LayoutOrientation::VERTICAL), kids);
    constraintOf(root)->headerHeight.set(50.0f);
    root->layout(LayoutContext::create());
    // Fixed 40 and 100; the flexible one takes 450 - 140 = 310; each less 2*4/3 + 2*8/3 = 8.
    EXPECT_RECT(kids[0]->getBoundsInPixels(), 4, 54, 292, 32);
    EXPECT_RECT(kids[1]->getBoundsInPixels(), 4, 94, 292, 92);
    EXPECT_RECT(kids[2]->getBoundsInPixels(), 4, 194, 292, 302);
}

TEST(TiledLayout, MinimumsTakeWholePixelsFromTheOthers) {
    auto kids = leaves(3);
    constraintOf(kids[0])->minimumWidth.set(50.0f);
    constraintOf(kids[1])->minimumWidth.set(50.0f);
    constraintOf(kids[2])->minimumWidth.set(150.0f);
    auto root = container(Rect(0, 0, 300, 100), tiled(LayoutOrientation::HORIZONTAL), kids);
    auto ctx = LayoutContext::create();
    ctx->tileGap.set(0.0f);
    ctx->enableTileMinimums.set(true);
    root->layout(ctx);
    EXPECT_RECT(kids[0]->getBoundsInPixels(), 0, 0, 75, 100);
    EXPECT_RECT(kids[1]->getBoundsInPixels(), 75, 0, 75, 100);
    EXPECT_RECT(kids[2]->getBoundsInPixels(), 150, 0, 150, 100);

    // Without enableTileMinimums the constraint minimums are not read.
    ctx->enableTileMinimums.set(false);
    root->layout(ctx);
    EXPECT_NEAR(kids[2]->getBoundsInPixels().width, 100.0f, 0.01f);
}

TEST(TiledLayout, VerticalDefaultMinimumHeightAndUnmeetableMinimums) {
    // Four tiles in 100 pixels: 25 each, below the default minimum of 40, and
    // 4 x 40 does not fit: without enableTileMinimums the sizes stay.
    auto kids = leaves(4);
    auto root = container(Rect(0, 0, 100, 100), tiled(LayoutOrientation::VERTICAL), kids);
    auto ctx = LayoutContext::create();
    ctx->tileGap.set(0.0f);
    root->layout(ctx);
    for (size_t i = 0; i < 4; ++i) EXPECT_RECT(kids[i]->getBoundsInPixels(), 0, 25.0f * i, 100, 25);

    // With enableTileMinimums the minimums win and the tiles overflow.
    ctx->enableTileMinimums.set(true);
    root->layout(ctx);
    for (size_t i = 0; i < 4; ++i) EXPECT_RECT(kids[i]->getBoundsInPixels(), 0, 40.0f * i, 100, 40);
}

TEST(TiledLayout, PixelRoundsMatchThePixelByPixelWalk) {
    // Large sizes: the result is the same as taking one pixel at a time.
    std::vector<int64_t> sizes{1000000, 1000000, 10, 999999};
    std::vector<int64_t> minimums{10, 20, 500000, 0};
    int64_t deficit = 500000 - 10;
    auto walk = sizes;
    {
        int64_t d = deficit;
        bool took = true;
        while (d > 0 && took) {
            took = false;
            for (size_t i = 0; i < walk.size() && d > 0; ++i) {
                if (minimums[i] < walk[i]) {
                    if (walk[i] > 0) --walk[i];
                    --d;
                    took = true;
                } else {
                    walk[i] = minimums[i];
                }
            }
        }
    }
    TiledLayoutStrategy::takePixels(sizes, minimums, deficit);
    EXPECT_EQ(sizes, walk);
}

TEST(TiledReflow, RowsFillTheWidthInWholePixels) {
    auto kids = leaves(5);
    for (auto& k : kids) constraintOf(k)->minimumWidth.set(100.0f);
    constraintOf(kids[4])->tiledReflowMinimumHeight.set(120.0f);
    auto root = container(Rect(0, 0, 333, 200), TiledLayoutStrategy::create(), kids);
    auto ctx = LayoutContext::create();
    ctx->tileGap.set(8.0f);
    ctx->defaultMinimumHeight.set(30.0f);
    auto reflow = TiledReflowLayoutStrategy::create();
    reflow->flowLayout(root, ctx, 0, root->getBoundsInPixels());
    // 3 + 2 tiles; row widths 333 - 16 = 317 and 333 - 8 = 325, no pixel lost.
    float row1 = 0, row2 = 0;
    for (int i = 0; i < 3; ++i) {
        Rect r = kids[i]->getBoundsInPixels();
        EXPECT_EQ(r.width, std::floor(r.width));
        EXPECT_GE(r.width, 100.0f);
        row1 += r.width;
        EXPECT_FLOAT_EQ(r.y, 0.0f);
    }
    for (int i = 3; i < 5; ++i) row2 += kids[i]->getBoundsInPixels().width;
    EXPECT_FLOAT_EQ(row1, 317.0f);
    EXPECT_FLOAT_EQ(row2, 325.0f);
    Rect last = kids[4]->getBoundsInPixels();
    EXPECT_FLOAT_EQ(last.x + last.width, 333.0f);
    // Rows share 200 - 8 = 192 but the second needs its 120.
    EXPECT_FLOAT_EQ(kids[0]->getBoundsInPixels().height, 96.0f);
    EXPECT_RECT(kids[3]->getBoundsInPixels(), 0, 104, 163, 120);  // 325 = 163 + 162
}

TEST(TiledReflow, VerticalTilesAndMissingMinimums) {
    // Without minimum widths tiles keep their width at the design width:
    // 1024 / 4 = 256, so three fit in 800.
    auto kids = leaves(4);
    auto root = container(Rect(0, 0, 800, 400), TiledLayoutStrategy::create(), kids);
    auto ctx = LayoutContext::create();
    ctx->tileGap.set(0.0f);
    ctx->enableTileReflow.set(true);
    root->layout(ctx);
    EXPECT_EQ(root->children.get()->size(), 4u);
    EXPECT_FLOAT_EQ(kids[2]->getBoundsInPixels().y, 0.0f);
    EXPECT_RECT(kids[3]->getBoundsInPixels(), 0, 200, 800, 200);

    // A vertical tiled container flows one tile per row.
    auto column = container(Rect(0, 0, 500, 300), tiled(LayoutOrientation::VERTICAL), leaves(3));
    column->layout(ctx);
    auto c = column->children.get();
    for (size_t i = 0; i < 3; ++i) EXPECT_RECT((*c)[i]->getBoundsInPixels(), 0, 100.0f * i, 500, 100);
}

} // namespace
