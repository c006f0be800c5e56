// SPDX-License-Identifier: Apache-2.0
#include "LayoutTestSupport.h"
#include "common/EventLog.h"

#include "orvane/host/core/CLog.h"
#include "orvane/layout/LayoutUtilities.h"
#include "orvane/layout/ResponsiveLayoutStrategy.h"
#include "orvane/layout/StackLayoutStrategy.h"
#include "orvane/layout/TiledLayoutStrategy.h"
#include "orvane/properties/PropertyChangeEvent.h"

#include <cmath>
#include <limits>

using namespace orvane;
using namespace orvane::test;

namespace {

int countChanges(EventDispatcher& d, const std::function<void()>& action) {
    return countEvents(d, AbstractProperty::CHANGE_EVENT, action);
}

TEST(LayoutProxy, BoundsTranslateAndDisable) {
    auto p = leaf();
    EXPECT_RECT(p->getBoundsInPixels(), 0, 0, 0, 0);  // null Dimensions read as 0
    p->w.set(Dimension::create(12.0f, DimensionUnit::POINTS));
    EXPECT_NEAR(p->getBoundsInPixels().width, 16.0f, 1e-4f);

    // One change event per field, each a new pixel Dimension.
    auto oldX = p->x.get();
    EXPECT_EQ(countChanges(*p, [&] { p->setBoundsInPixels(Rect(1, 2, 3, 4)); }), 4);
    EXPECT_NE(p->x.get(), oldX);
    EXPECT_EQ(p->x.get()->getUnit(), DimensionUnit::PIXELS);

    p->translate(Point(10, -2));
    EXPECT_RECT(p->getBoundsInPixels(), 11, 0, 3, 4);

    p->disable();
    EXPECT_TRUE(p->isDisabled.get());
    EXPECT_RECT(p->getBoundsInPixels(), 0, 0, 0, 0);
    p->setBoundsInPixels(Rect(5, 5, 5, 5));
    p->enable();
    EXPECT_FALSE(p->isDisabled.get());
    EXPECT_RECT(p->getBoundsInPixels(), 5, 5, 5, 5);
}

TEST(LayoutProxy, UnheardWritesReuseTheDimensionOnlyWhenNobodyCanTell) {
    auto p = leaf();
    p->setBoundsInPixels(Rect(1, 2, 3, 4));
    // Nobody listens and only the property holds it: changed in place.
    const Dimension* before = LayoutUtilities::peek(p->x);
    p->setBoundsInPixels(Rect(5, 6, 7, 8));
    EXPECT_EQ(LayoutUtilities::peek(p->x), before);
    EXPECT_RECT(p->getBoundsInPixels(), 5, 6, 7, 8);

    // Someone else holds the Dimension: it is not changed under them.
    auto held = p->w.get();
    p->setBoundsInPixels(Rect(0, 0, 50, 8));
    EXPECT_FLOAT_EQ(held->getValue(), 7.0f);
    EXPECT_NE(p->w.get(), held);

    // A listener up the tree: every write is a new Dimension and an event.
    auto parent = container(Rect(0, 0, 100, 100), StackLayoutStrategy::create(), {p});
    before = LayoutUtilities::peek(p->x);
    EXPECT_EQ(countChanges(*parent, [&] { p->setBoundsInPixels(Rect(9, 9, 9, 9)); }), 4);
    EXPECT_NE(LayoutUtilities::peek(p->x), before);
}

TEST(LayoutProxy, NonFiniteBoundsAreNeverWritten) {
    CLogCapture log;
    auto p = leaf();
    p->setBoundsInPixels(Rect(std::nanf(""), 1, std::numeric_limits<float>::infinity(), 2));
    EXPECT_RECT(p->getBoundsInPixels(), 0, 1, 0, 2);
    p->translate(Point(std::nanf(""), 3));
    EXPECT_RECT(p->getBoundsInPixels(), 0, 4, 0, 2);
    EXPECT_GE(log.count(), 2u);
}

TEST(StackLayout, EveryEnabledChildFillsTheContainerBelowTheHeader) {
    auto kids = leaves(3);
    kids[2]->disable();  // keeps empty bounds
    auto root = container(Rect(0, 0, 200, 100), StackLayoutStrategy::create(), kids);
    root->layout(LayoutContext::create());
    for (size_t i = 0; i < 2; ++i) EXPECT_RECT(kids[i]->getBoundsInPixels(), 4, 4, 192, 92);
    EXPECT_RECT(kids[2]->getBoundsInPixels(), 0, 0, 0, 0);
    constraintOf(root)->headerHeight.set(20.0f);
    root->layout(LayoutContext::create());
    for (size_t i = 0; i < 2; ++i) EXPECT_RECT(kids[i]->getBoundsInPixels(), 4, 24, 192, 72);
    EXPECT_RECT(kids[2]->getBoundsInPixels(), 0, 0, 0, 0);

    // No clamping: a container smaller than its insets gives negative sizes.
    root->setBoundsInPixels(Rect(0, 0, 6, 10));
    root->layout(LayoutContext::create());
    EXPECT_RECT(kids[0]->getBoundsInPixels(), 4, 24, -2, -18);
}

TEST(LayoutProxy, LayoutSkipsMissingPieces) {
    // Empty children: untouched even with a strategy.
    auto lonely = container(Rect(0, 0, 100, 100), StackLayoutStrategy::create());
    EXPECT_EQ(countChanges(*lonely, [&] { lonely->layout(LayoutContext::create()); }), 0);
    // No context, no strategy: nothing happens.
    auto kid = leaf();
    auto root = container(Rect(0, 0, 100, 100), nullptr, {kid});
    root->layout(LayoutContext::create());
    root->defaultStrategy.set(StackLayoutStrategy::create());
    root->layout(nullptr);
    EXPECT_EQ(kid->x.get(), nullptr);
    // A child without strategy is not recursed into; its children stay put.
    auto grand = leaf();
    auto middle = container(Rect(), nullptr, {grand});
    auto top = container(Rect(0, 0, 100, 100), StackLayoutStrategy::create(), {middle});
    top->layout(LayoutContext::create());
    EXPECT_RECT(middle->getBoundsInPixels(), 4, 4, 92, 92);
    EXPECT_EQ(grand->x.get(), nullptr);
}

TEST(LayoutProxy, RecursionAndDisableRecursion) {
    auto grand = leaf();
    auto middle = container(Rect(), StackLayoutStrategy::create(), {grand});
    auto root = container(Rect(0, 0, 200, 100), StackLayoutStrategy::create(), {middle});
    root->layout(LayoutContext::create());
    EXPECT_RECT(middle->getBoundsInPixels(), 4, 4, 192, 92);
    EXPECT_RECT(grand->getBoundsInPixels(), 4, 4, 184, 84);

    grand->setBoundsInPixels(Rect(1, 1, 1, 1));
    root->setBoundsInPixels(Rect(0, 0, 300, 100));
    auto ctx = LayoutContext::create();
    ctx->disableRecursion.set(true);
    root->layout(ctx);
    EXPECT_RECT(middle->getBoundsInPixels(), 4, 4, 292, 92);
    EXPECT_RECT(grand->getBoundsInPixels(), 1, 1, 1, 1);
}

TEST(LayoutProxy, MirroringFlipsTheWholeSubtreeInPlace) {
    auto grand = leaf();
    auto child = container(Rect(), StackLayoutStrategy::create(), {grand});
    // A stack child 30 wide at x 10 inside a 200 wide container (inset 10).
    auto root = container(Rect(0, 0, 50, 100), StackLayoutStrategy::create(), {child});
    auto ctx = LayoutContext::create();
    ctx->containerInset.set(10.0f);
    ctx->invertXSpace.set(true);
    root->layout(ctx);
    // child: x 10, w 30 -> 50 - 10 - 30 = 10; grand (x 10, w 10 inside the
    // 30 wide child) -> 30 - 10 - 10 = 10: mirrored within its own parent.
    EXPECT_RECT(child->getBoundsInPixels(), 10, 10, 30, 80);
    EXPECT_RECT(grand->getBoundsInPixels(), 10, 10, 10, 60);

    // The documented case: x 10, width 30 in a container at x 0, width 200 ends at 160.
    auto a = leaf();
    a->setBoundsInPixels(Rect(10, 0, 30, 10));
    auto holder = container(Rect(0, 0, 200, 50), LayoutStrategy::create(), {a});
    auto xDimension = a->x.get();
    int changes = countChanges(*a, [&] { holder->layout(ctx); });
    EXPECT_FLOAT_EQ(a->getBoundsInPixels().x, 160.0f);
    EXPECT_EQ(a->x.get(), xDimension);  // changed in place: no event
    EXPECT_EQ(changes, 0);

    // Vertically: y' = R.height - y - h, without R.y.
    auto b = leaf();
    b->setBoundsInPixels(Rect(0, 5, 10, 20));
    auto vholder = container(Rect(0, 1000, 50, 100), LayoutStrategy::create(), {b});
    auto vctx = LayoutContext::create();
    vctx->invertYSpace.set(true);
    vholder->layout(vctx);
    EXPECT_FLOAT_EQ(b->getBoundsInPixels().y, 75.0f);
}

// Three levels of uneven placement: every proxy must stay inside its parent
// after mirroring, at the mirror image of its place there, in both directions.
TEST(LayoutProxy, MirroringNestedLayoutsKeepsEveryProxyInsideItsParent) {
    for (bool horizontally : {true, false}) {
        auto leafA = leaf();
        leafA->setBoundsInPixels(Rect(2, 3, 5, 4));
        auto leafB = leaf();
        leafB->setBoundsInPixels(Rect(12, 1, 6, 8));
        auto middle = container(Rect(4, 6, 30, 20), LayoutStrategy::create(), {leafA, leafB});
        auto side = leaf();
        side->setBoundsInPixels(Rect(150, 40, 40, 30));
        auto top = container(Rect(20, 10, 60, 50), LayoutStrategy::create(), {middle});
        auto root = container(Rect(100, 200, 300, 120), LayoutStrategy::create(), {top, side});
        auto ctx = LayoutContext::create();
        (horizontally ? ctx->invertXSpace : ctx->invertYSpace).set(true);
        root->layout(ctx);

        struct Expect {
            std::shared_ptr<LayoutProxy> proxy;
            Rect parent;  // the parent's size (positions are relative to it)
            Rect before;
        };
        const Expect all[] = {
            {top, Rect(0, 0, 300, 120), Rect(20, 10, 60, 50)},
            {side, Rect(0, 0, 300, 120), Rect(150, 40, 40, 30)},
            {middle, Rect(0, 0, 60, 50), Rect(4, 6, 30, 20)},
            {leafA, Rect(0, 0, 30, 20), Rect(2, 3, 5, 4)},
            {leafB, Rect(0, 0, 30, 20), Rect(12, 1, 6, 8)},
        };
        for (const Expect& e : all) {
            Rect b = e.proxy->getBoundsInPixels();
            Rect want = e.before;
            if (horizontally) want.x = e.parent.width - e.before.x - e.before.width;
            else want.y = e.parent.height - e.before.y - e.before.height;
            EXPECT_RECT(b, want.x, want.y, want.width, want.height);
            EXPECT_GE(b.x, 0.0f);
            EXPECT_GE(b.y, 0.0f);
            EXPECT_LE(b.x + b.width, e.parent.width);
            EXPECT_LE(b.y + b.height, e.parent.height);
        }
    }
}

TEST(LayoutProxy, NarrowScreenRoundTripRestoresTheBackups) {
    auto strategy = ResponsiveLayoutStrategy::create();
    strategy->orientation.set(LayoutOrientation::VERTICAL);
    strategy->backupOrientation.set(LayoutOrientation::VERTICAL);
    strategy->backupOverflow.set(ResponsiveLayoutOverflowType::SCROLL);
    auto kid = leaf();
    auto kc = constraintOf(kid);
    kc->width.set(px(300));
    kc->backupWidth.set(px(300));
    auto positioned = leaf();
    constraintOf(positioned)->horizontalOffset.set(px(5));
    auto root = container(Rect(0, 0, 500, 500), strategy, {kid, positioned});
    auto rc = constraintOf(root);
    rc->responsiveWeights.set(floats({1, 2}));
    rc->backupResponsiveWeights.set(floats({1, 2}));

    root->setNarrowScreenLayout(true);
    EXPECT_EQ(strategy->orientation.get(), LayoutOrientation::HORIZONTAL);
    EXPECT_EQ(strategy->overflow.get(), ResponsiveLayoutOverflowType::FIT);
    ASSERT_TRUE(rc->responsiveWeights.get());
    EXPECT_EQ(rc->responsiveWeights.get()->toVector(), std::vector<float>({1.0f}));
    EXPECT_EQ(rc->width.get()->getUnit(), DimensionUnit::PERCENT);
    EXPECT_FLOAT_EQ(rc->width.get()->getValue(), 100.0f);
    EXPECT_EQ(kc->width.get()->getUnit(), DimensionUnit::PERCENT);
    EXPECT_EQ(constraintOf(positioned)->width.get(), nullptr);  // positioned: width kept
    EXPECT_EQ(kc->responsiveWeights.get(), nullptr);             // leaf without responsive strategy

    root->setNarrowScreenLayout(false);
    EXPECT_EQ(strategy->orientation.get(), LayoutOrientation::VERTICAL);
    EXPECT_EQ(strategy->overflow.get(), ResponsiveLayoutOverflowType::SCROLL);
    EXPECT_EQ(rc->responsiveWeights.get()->toVector(), std::vector<float>({1.0f, 2.0f}));
    EXPECT_NE(rc->responsiveWeights.get(), rc->backupResponsiveWeights.get());  // a copy
    EXPECT_FLOAT_EQ(kc->width.get()->getValue(), 300.0f);
    EXPECT_EQ(rc->width.get(), nullptr);  // backupWidth was null
    EXPECT_EQ(kc->responsiveWeights.get(), nullptr);

    // A FIT overflow stays FIT when going narrow.
    strategy->overflow.set(ResponsiveLayoutOverflowType::GROW);
    root->setNarrowScreenLayout(true);
    EXPECT_EQ(strategy->overflow.get(), ResponsiveLayoutOverflowType::GROW);
}

TEST(LayoutProxy, TileReflowReplacesTheTiledPlacementBelowTheDesignWidth) {
    auto make = [](float width) {
        auto kids = leaves(3);
        for (auto& k : kids) constraintOf(k)->minimumWidth.set(300.0f);
        return container(Rect(0, 0, width, 400), TiledLayoutStrategy::create(), kids);
    };
    auto ctx = LayoutContext::create();
    ctx->enableTileReflow.set(true);
    ctx->tileGap.set(0.0f);

    auto narrow = make(800);
    narrow->layout(ctx);
    auto kids = narrow->children.get();
    // Reflowed: two tiles of 400 in the first row, one of 800 below.
    EXPECT_RECT((*kids)[0]->getBoundsInPixels(), 0, 0, 400, 200);
    EXPECT_RECT((*kids)[1]->getBoundsInPixels(), 400, 0, 400, 200);
    EXPECT_RECT((*kids)[2]->getBoundsInPixels(), 0, 200, 800, 200);

    auto wide = make(1024);
    wide->layout(ctx);
    auto w = wide->children.get();
    EXPECT_NEAR((*w)[2]->getBoundsInPixels().x, 682.67f, 0.01f);  // plain tiles in one row
    EXPECT_FLOAT_EQ((*w)[2]->getBoundsInPixels().y, 0.0f);

    // Nested tiled areas re-flow too.
    auto inner = make(600);
    auto outer = container(Rect(0, 0, 600, 400), StackLayoutStrategy::create(), {inner});
    ctx->containerInset.set(0.0f);
    outer->layout(ctx);
    auto n = inner->children.get();
    EXPECT_RECT((*n)[1]->getBoundsInPixels(), 300, 0, 300, 200);
    EXPECT_RECT((*n)[2]->getBoundsInPixels(), 0, 200, 600, 200);
}

TEST(LayoutProxy, MalformedTreesAreRefused) {
    CLogCapture log;
    auto ctx = LayoutContext::create();
    // A cycle: the root is its own grandchild.
    auto middle = container(Rect(), StackLayoutStrategy::create());
    auto root = container(Rect(0, 0, 100, 100), StackLayoutStrategy::create(), {middle});
    middle->children.get()->push_back(root);
    root->layout(ctx);
    EXPECT_TRUE(log.contains(CLog::ERRORS, "cycle"));
    EXPECT_EQ(middle->getBoundsInPixels().width, 0.0f);  // refused before anything was written
    log.clear();
    root->setNarrowScreenLayout(true);
    EXPECT_TRUE(log.contains(CLog::ERRORS, "cycle"));
    // Calling a strategy directly on the cycle stops at the depth bound.
    log.clear();
    root->getStrategy()->layout(root, ctx);
    EXPECT_TRUE(log.contains(CLog::ERRORS, "deeper than 256"));
    middle->children.get()->clear();  // break the reference cycle

    // A proxy present twice.
    log.clear();
    auto shared = leaf();
    auto twice = container(Rect(0, 0, 100, 100), StackLayoutStrategy::create(), {shared, shared});
    twice->layout(ctx);
    EXPECT_TRUE(log.contains(CLog::ERRORS, "more than once"));

    // A chain deeper than the bound.
    log.clear();
    auto top = container(Rect(0, 0, 100, 100), StackLayoutStrategy::create());
    auto at = top;
    for (int i = 0; i < 300; ++i) {
        auto next = container(Rect(), StackLayoutStrategy::create());
        at->children.get()->push_back(next);
        at = next;
    }
    at->children.get()->push_back(leaf());
    top->layout(ctx);
    EXPECT_TRUE(log.contains(CLog::ERRORS, "deeper than 256"));
}

TEST(LayoutProxy, RelayoutRedoesOnlyWhatTheChangeReaches) {
    // root (stack) -> two responsive containers of three leaves.
    auto makeRow = [] {
        auto kids = leaves(3);
        for (auto& k : kids) constraintOf(k)->minimumWidth.set(50.0f);
        auto s = ResponsiveLayoutStrategy::create();
        auto row = container(Rect(), s, kids);
        return row;
    };
    auto a = makeRow();
    auto b = makeRow();
    auto root = LayoutProxy::create();
    root->setBoundsInPixels(Rect(0, 0, 308, 108));
    auto rootStrategy = TiledLayoutStrategy::create();
    rootStrategy->orientation.set(LayoutOrientation::VERTICAL);
    root->defaultStrategy.set(rootStrategy);
    root->children.set(MonitoredVector<std::shared_ptr<LayoutProxy>>::create({a, b}));
    auto ctx = LayoutContext::create();
    ctx->defaultMinimumHeight.set(0.0f);
    root->layout(ctx);
    auto a0 = (*a->children.get())[0];
    auto b0 = (*b->children.get())[0];
    EXPECT_EQ(a0->getLayoutParent(), a);
    EXPECT_EQ(a->getLayoutParent(), root);
    EXPECT_NEAR(a0->getBoundsInPixels().width, 102.67f, 0.01f);

    // a0 now needs 200: only row a is laid out again.
    constraintOf(a0)->minimumWidth.set(200.0f);
    int bEvents = 0;
    auto cb = FunctionEventCallback::create([&](const std::shared_ptr<PortableEvent>&) { ++bEvents; });
    b->addEventListener(AbstractProperty::CHANGE_EVENT, cb);
    a0->relayout(ctx);
    EXPECT_FLOAT_EQ(a0->getBoundsInPixels().width, 200.0f);
    EXPECT_EQ(bEvents, 0);
    // The same result as a full pass.
    auto before = (*a->children.get())[2]->getBoundsInPixels();
    root->layout(ctx);
    EXPECT_EQ((*a->children.get())[2]->getBoundsInPixels(), before);

    // A proxy that was never laid out falls back to its own layout.
    auto fresh = container(Rect(0, 0, 100, 100), StackLayoutStrategy::create(), leaves(1));
    fresh->relayout(ctx);
    EXPECT_RECT((*fresh->children.get())[0]->getBoundsInPixels(), 4, 4, 92, 92);
}

} // namespace
