// SPDX-License-Identifier: Apache-2.0
// Rendering and gesture routing over view trees.
#include "orvane/displaylist/DisplayListEditor.h"
#include "orvane/displaylist/DisplayListRenderer.h"
#include "orvane/displaylist/TqRectangle.h"
#include "orvane/view/BaseView.h"
#include "orvane/view/GestureHandler.h"

#include <benchmark/benchmark.h>

using namespace orvane;

namespace {

// A view that draws a number of rectangles as its content.
class BoxesView : public BaseView {
public:
    int boxes = 10;
    void updateDisplayList(const std::shared_ptr<displaylist::DisplayListEditor>& editor) override {
        Rect f = getFrame();
        for (int i = 0; i < boxes; ++i)
            editor->addRectangle(0, 0, f.width / (i + 1), f.height / (i + 1), 0x102030u + static_cast<unsigned>(i));
        BaseView::updateDisplayList(editor);
    }
};

// A root with `count` leaves in rows of 40.
std::shared_ptr<BaseView> makeTree(int count, int boxesPerView, std::vector<std::shared_ptr<BoxesView>>* leaves) {
    auto root = BaseView::create();
    root->setDisplayListRenderer(displaylist::DisplayListRenderer::create(false));
    root->setFrame({0, 0, 4000, 4000});
    for (int i = 0; i < count; ++i) {
        auto v = std::make_shared<BoxesView>();
        v->boxes = boxesPerView;
        v->setFrame({static_cast<float>((i % 40) * 100), static_cast<float>((i / 40) * 100), 90, 90});
        root->addSubview(v);
        if (leaves) leaves->push_back(v);
    }
    root->render();
    return root;
}

} // namespace

// Nothing changed: render() must return at once.
static void BM_RenderUnchanged(benchmark::State& state) {
    auto root = makeTree(static_cast<int>(state.range(0)), 10, nullptr);
    for (auto _ : state) benchmark::DoNotOptimize(root->render());
    state.counters["ns/view"] = benchmark::Counter(static_cast<double>(state.range(0)),
                                                   benchmark::Counter::kIsIterationInvariantRate |
                                                       benchmark::Counter::kInvert);
}
BENCHMARK(BM_RenderUnchanged)->Arg(1000);

// One leaf changed; the siblings' content size varies: the cost must not
// follow it.
static void BM_RenderOneLeafChanged(benchmark::State& state) {
    std::vector<std::shared_ptr<BoxesView>> leaves;
    auto root = makeTree(1000, static_cast<int>(state.range(0)), &leaves);
    size_t i = 0;
    for (auto _ : state) {
        leaves[i++ % leaves.size()]->setNeedsUpdateDisplayList(true);
        benchmark::DoNotOptimize(root->render());
    }
}
BENCHMARK(BM_RenderOneLeafChanged)->Arg(1)->Arg(10)->Arg(100)->Unit(benchmark::kMicrosecond);

// Everything re-recorded, for comparison.
static void BM_RenderAllChanged(benchmark::State& state) {
    std::vector<std::shared_ptr<BoxesView>> leaves;
    auto root = makeTree(1000, static_cast<int>(state.range(0)), &leaves);
    for (auto _ : state) {
        for (auto& l : leaves) l->setNeedsUpdateDisplayList(true);
        benchmark::DoNotOptimize(root->render());
    }
}
BENCHMARK(BM_RenderAllChanged)->Arg(10)->Unit(benchmark::kMicrosecond);

namespace {
class TapHandler : public GestureHandler {
public:
    int getRequiredGestureRecognizerTypes() const override { return GestureRecognizerType::TAP; }
    bool handleTap(const Tap&) override { return true; }
};
} // namespace

// A tap routed through a tree of depth 10 holding 1,000 handlers.
static void BM_RouteTapDepth10(benchmark::State& state) {
    auto root = BaseView::create();
    root->setDisplayListRenderer(displaylist::DisplayListRenderer::create(false));
    root->setFrame({0, 0, 1000, 1000});
    int handlers = 0;
    std::shared_ptr<BaseView> parent = root;
    // A spine of 10 nested views, each with 99 sibling leaves carrying a handler.
    for (int depth = 0; depth < 10; ++depth) {
        for (int k = 0; k < 99; ++k) {
            auto leaf = BaseView::create();
            leaf->setFrame({static_cast<float>(k % 10) * 9, static_cast<float>(k / 10) * 9, 8, 8});
            auto h = std::make_shared<TapHandler>();
            h->setFrame({0, 0, 8, 8});
            leaf->addGestureHandler(h);
            parent->addSubview(leaf);
            ++handlers;
        }
        auto next = BaseView::create();
        next->setFrame({0, 0, 900, 900});
        auto h = std::make_shared<TapHandler>();
        h->setFrame({0, 0, 900, 900});
        next->addGestureHandler(h);
        ++handlers;
        parent->addSubview(next);
        parent = next;
    }
    auto tap = std::make_shared<Tap>(Point{850, 850});
    for (auto _ : state) root->handleGesture(tap);
    state.counters["handlers"] = handlers;
}
BENCHMARK(BM_RouteTapDepth10)->Unit(benchmark::kMicrosecond);

BENCHMARK_MAIN();
