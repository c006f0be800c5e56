// SPDX-License-Identifier: Apache-2.0
// Responsive layout of a report-sized tree: a root of 100 containers, each
// holding 100 leaves with weights and minimum widths that wrap into lines
// (10,101 proxies). Reports the time per proxy of a full pass and the time of
// a relayout after one leaf's constraint changed. bench/compare_yoga runs the
// same tree through Yoga for comparison.
#include "orvane/host/style/Dimension.h"
#include "orvane/layout/LayoutConstraint.h"
#include "orvane/layout/LayoutContext.h"
#include "orvane/layout/LayoutProxy.h"
#include "orvane/layout/ResponsiveLayoutStrategy.h"
#include "orvane/package/FlexibilityType.h"

#include <benchmark/benchmark.h>

#include <memory>
#include <vector>

using namespace orvane;

namespace {

constexpr int kContainers = 100;
constexpr int kLeaves = 100;
constexpr int kProxies = 1 + kContainers + kContainers * kLeaves;

// The tree shared with the Yoga runner: the same numbers are in
// bench/compare_yoga/compare.mjs.
struct Tree {
    std::shared_ptr<LayoutProxy> root;
    std::vector<std::shared_ptr<LayoutProxy>> containers;
    std::vector<std::shared_ptr<LayoutProxy>> leaves;
};

std::shared_ptr<MonitoredVector<float>> weights(std::vector<float> w) { return MonitoredVector<float>::create(std::move(w)); }

Tree buildTree(bool containersConsiderChildren) {
    Tree t;
    t.root = LayoutProxy::create();
    t.root->setBoundsInPixels(Rect(0, 0, 1600, 8000));
    t.root->defaultStrategy.set(ResponsiveLayoutStrategy::create());
    auto rc = LayoutConstraint::create();
    rc->responsiveWeights.set(weights({1, 1, 1, 1}));  // four containers per line
    t.root->defaultConstraint.set(rc);
    auto rootKids = MonitoredVector<std::shared_ptr<LayoutProxy>>::create();
    for (int c = 0; c < kContainers; ++c) {
        auto box = LayoutProxy::create();
        box->defaultStrategy.set(ResponsiveLayoutStrategy::create());
        auto bc = LayoutConstraint::create();
        bc->height.set(Dimension::create(300.0f, DimensionUnit::PIXELS));
        bc->responsiveWeights.set(weights({1, 2, 1, 3, 1, 2, 1, 3, 1, 2}));  // at most ten per line
        bc->considerChildrenForSizeCalculations.set(containersConsiderChildren);
        box->defaultConstraint.set(bc);
        auto kids = MonitoredVector<std::shared_ptr<LayoutProxy>>::create();
        for (int i = 0; i < kLeaves; ++i) {
            auto leaf = LayoutProxy::create();
            auto lc = LayoutConstraint::create();
            lc->minimumWidth.set(40.0f + static_cast<float>((i * 7 + c) % 5) * 10.0f);  // 40..80: 5 to 8 per line
            lc->minimumHeight.set(20.0f);
            lc->widthFlexibility.set(FlexibilityType::FLEXIBLE);
            leaf->defaultConstraint.set(lc);
            kids->push_back(leaf);
            t.leaves.push_back(leaf);
        }
        box->children.set(kids);
        rootKids->push_back(box);
        t.containers.push_back(box);
    }
    t.root->children.set(rootKids);
    return t;
}

void BM_ResponsiveFullLayout(benchmark::State& state) {
    Tree t = buildTree(true);
    auto ctx = LayoutContext::create();
    float width = 1600.0f;
    for (auto _ : state) {
        // A different width each time, so that every proxy really moves.
        width = width == 1600.0f ? 1601.0f : 1600.0f;
        t.root->w.set(Dimension::create(width, DimensionUnit::PIXELS));
        t.root->layout(ctx);
        benchmark::ClobberMemory();
    }
    state.counters["proxies"] = kProxies;
    state.counters["per_proxy"] =
        benchmark::Counter(kProxies, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_ResponsiveFullLayout)->Unit(benchmark::kMillisecond);

// One leaf's minimum width changes; relayout() redoes its container and, as
// the root reads its containers' minimums from their children, the root's
// placement of the containers, but descends only into the changed container.
void relayoutOneLeaf(benchmark::State& state, bool considerChildren) {
    Tree t = buildTree(considerChildren);
    auto ctx = LayoutContext::create();
    t.root->layout(ctx);
    auto leaf = t.leaves[static_cast<size_t>(kLeaves * 42 + 17)];
    auto c = leaf->defaultConstraint.get();
    float m = 40.0f;
    for (auto _ : state) {
        m = m == 40.0f ? 120.0f : 40.0f;
        c->minimumWidth.set(m);
        leaf->relayout(ctx);
        benchmark::ClobberMemory();
    }
}
void BM_RelayoutOneLeaf(benchmark::State& state) { relayoutOneLeaf(state, true); }
void BM_RelayoutOneLeafContainerIgnoresChildren(benchmark::State& state) { relayoutOneLeaf(state, false); }
BENCHMARK(BM_RelayoutOneLeaf)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_RelayoutOneLeafContainerIgnoresChildren)->Unit(benchmark::kMicrosecond);

// For scale: a full pass over the same tree, without the relayout shortcut.
void BM_FullLayoutAfterOneLeafChanged(benchmark::State& state) {
    Tree t = buildTree(true);
    auto ctx = LayoutContext::create();
    t.root->layout(ctx);
    auto c = t.leaves[static_cast<size_t>(kLeaves * 42 + 17)]->defaultConstraint.get();
    float m = 40.0f;
    for (auto _ : state) {
        m = m == 40.0f ? 120.0f : 40.0f;
        c->minimumWidth.set(m);
        t.root->layout(ctx);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_FullLayoutAfterOneLeafChanged)->Unit(benchmark::kMicrosecond);

// For scale: only the four bounds writes per proxy that any pass makes (new
// pixel Dimensions, each a property change), over the same tree.
void BM_BoundsWritesOnly(benchmark::State& state) {
    Tree t = buildTree(true);
    float v = 0.0f;
    for (auto _ : state) {
        v = v == 0.0f ? 1.0f : 0.0f;
        for (auto& c : t.containers) c->setBoundsInPixels(Rect(v, v, 400, 300));
        for (auto& l : t.leaves) l->setBoundsInPixels(Rect(v, v, 40, 20));
        benchmark::ClobberMemory();
    }
    state.counters["per_proxy"] =
        benchmark::Counter(kProxies, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_BoundsWritesOnly)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
