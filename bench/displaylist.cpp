// SPDX-License-Identifier: Apache-2.0
// Display-list costs: recording and serialising a large list, picking with a
// small aperture in large and small lists, and warm text measurement.
#include "orvane/displaylist/DisplayListEditor.h"
#include "orvane/displaylist/DisplayListRenderer.h"
#include "orvane/displaylist/TqGroup.h"
#include "orvane/displaylist/TqRectangle.h"
#include "orvane/displaylist/TqText.h"
#include "orvane/host/core/Utf8.h"
#include "orvane/host/text/FontTool.h"
#include "orvane/host/text/TextEngine.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <random>
#include <string>
#include <vector>

using namespace displaylist;

namespace {

constexpr int LARGE = 100000;

// Half text, half rectangles, on a square grid of cells 40 x 20 pixels apart
// (a plane of about 12,600 x 6,300 pixels for 100,000 nodes).
void record(DisplayListEditor& e, int count) {
    int cols = static_cast<int>(std::ceil(std::sqrt(count)));
    for (int i = 0; i < count; ++i) {
        float x = static_cast<float>(i % cols) * 40.0f;
        float y = static_cast<float>(i / cols) * 20.0f;
        if (i % 2 == 0) {
            TqRectangle* r = e.addRectangle(x, y, 36.0f, 16.0f, 0x4f81bd);
            r->SetNodeId(i + 1);
        } else {
            TqText* t = e.addText("cell " + std::to_string(i), x, y, 0);
            t->SetFontSize(9.0f);
            t->SetColor(0x202020);
            t->SetNodeId(i + 1);
        }
    }
}

void BM_RecordNodes(benchmark::State& state) {
    const int n = static_cast<int>(state.range(0));
    for (auto _ : state) {
        state.PauseTiming();
        auto renderer = DisplayListRenderer::create(false);
        auto editor = renderer->getEditor();
        state.ResumeTiming();
        record(*editor, n);
        benchmark::DoNotOptimize(renderer->getRootNode()->GetChildCount());
        state.PauseTiming();
        editor.reset();
        renderer.reset();
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * n);
}
BENCHMARK(BM_RecordNodes)->Arg(LARGE)->Unit(benchmark::kMillisecond);

// Serialising includes laying out every text node the first time; the
// "warm" variant reuses the cached layouts.
void BM_SerializeSVG(benchmark::State& state) {
    const bool warm = state.range(0) != 0;
    std::shared_ptr<DisplayListRenderer> renderer;
    size_t bytes = 0;
    auto fresh = [&] {
        renderer = DisplayListRenderer::create(false);
        renderer->setViewport(0, 0, 12640, 6320);
        record(*renderer->getEditor(), LARGE);
    };
    if (warm) {
        fresh();
        bytes = renderer->getDisplayListSVGString().size();
    }
    for (auto _ : state) {
        if (!warm) {
            state.PauseTiming();
            fresh();
            state.ResumeTiming();
        }
        std::string svg = renderer->getDisplayListSVGString();
        bytes = svg.size();
        benchmark::DoNotOptimize(svg.data());
    }
    state.SetItemsProcessed(state.iterations() * LARGE);
    state.counters["svg_MB"] = static_cast<double>(bytes) / 1e6;
}
BENCHMARK(BM_SerializeSVG)->Arg(0)->Arg(1)->ArgName("warm")->Unit(benchmark::kMillisecond);

// A 1 x 1 pick at random points of a list of n nodes spread over the plane.
void BM_Pick1x1(benchmark::State& state) {
    const int n = static_cast<int>(state.range(0));
    auto renderer = DisplayListRenderer::create(false);
    record(*renderer->getEditor(), n);
    int cols = static_cast<int>(std::ceil(std::sqrt(n)));
    float w = cols * 40.0f, h = static_cast<float>((n + cols - 1) / cols) * 20.0f;
    std::mt19937 rng(7);
    std::uniform_real_distribution<float> px(0.0f, w), py(0.0f, h);
    std::vector<Rect> probes;
    for (int i = 0; i < 4096; ++i) probes.push_back({px(rng), py(rng), 1.0f, 1.0f});
    benchmark::DoNotOptimize(renderer->getPickedNodeIds(probes[0]));  // builds bounds and index
    size_t k = 0, hits = 0;
    for (auto _ : state) {
        auto picks = renderer->getPickedNodeIds(probes[k++ & 4095]);
        hits += picks.size();
        benchmark::DoNotOptimize(picks.data());
    }
    state.counters["hit_rate"] = static_cast<double>(hits) / static_cast<double>(state.iterations());
}
BENCHMARK(BM_Pick1x1)->Arg(1000)->Arg(LARGE)->Unit(benchmark::kNanosecond);

// The first pick after recording also computes every node's bounds (text
// layout included) and builds the index.
void BM_FirstPickAfterRecording(benchmark::State& state) {
    for (auto _ : state) {
        state.PauseTiming();
        auto renderer = DisplayListRenderer::create(false);
        record(*renderer->getEditor(), LARGE);
        state.ResumeTiming();
        benchmark::DoNotOptimize(renderer->getPickedNodeIds({100.5f, 100.5f, 1.0f, 1.0f}));
        state.PauseTiming();
        renderer.reset();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_FirstPickAfterRecording)->Unit(benchmark::kMillisecond)->Iterations(5);

std::vector<std::string> distinctStrings() {
    std::vector<std::string> out;
    std::mt19937 rng(11);
    std::uniform_int_distribution<int> len(4, 14), letter(0, 51);
    const char* letters = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ";
    for (int i = 0; i < 10000; ++i) {
        std::string s = std::to_string(i) + " ";
        int n = len(rng);
        for (int k = 0; k < n; ++k) s += letters[letter(rng)];
        out.push_back(std::move(s));
    }
    return out;
}

// Warm measurement through the host's FontTool (as the views measure).
void BM_MeasureText(benchmark::State& state) {
    static const std::vector<std::string> strings = distinctStrings();
    auto tool = orvane::FontTool::instance();
    tool->setFont("ArialMT", 12.0f, false, state.range(0) != 0);
    for (const auto& s : strings) benchmark::DoNotOptimize(tool->getStringMetrics(s));  // warm up
    for (auto _ : state) {
        for (const auto& s : strings) benchmark::DoNotOptimize(tool->getStringMetrics(s));
    }
    state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(strings.size()));
}
BENCHMARK(BM_MeasureText)->Arg(0)->Arg(1)->ArgName("bold")->Unit(benchmark::kMicrosecond);

// The reference for the above: the same strings measured as a sum of the
// face's per-character advances (no shaping, no kerning), as measurement
// worked before text was shaped.
void BM_MeasureTextAdvanceSum(benchmark::State& state) {
    static const std::vector<std::string> strings = distinctStrings();
    orvane::Font font = orvane::TextEngine::instance().getFont("ArialMT", 12.0f, false, false);
    const orvane::FontFace* face = font.getFace();
    auto measure = [&](const std::string& s) {
        float em = 0.0f;
        const char* p = s.data();
        const char* end = p + s.size();
        while (p < end) em += face->getAdvance(orvane::Utf8::next(p, end));
        return em * font.getPixelSize();
    };
    for (const auto& s : strings) benchmark::DoNotOptimize(measure(s));
    for (auto _ : state) {
        for (const auto& s : strings) benchmark::DoNotOptimize(measure(s));
    }
    state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(strings.size()));
}
BENCHMARK(BM_MeasureTextAdvanceSum)->Unit(benchmark::kMicrosecond);

// Wrapped layout of the same strings in a narrow column (the full line breaker).
void BM_LayoutWrapped(benchmark::State& state) {
    static const std::vector<std::string> strings = distinctStrings();
    orvane::Font font = orvane::TextEngine::instance().getFont("Arial", 12.0f, false, false);
    orvane::TextLayoutOptions o;
    o.flags = orvane::TextFlags::WRAP;
    o.maxWidth = 40.0f;
    for (auto _ : state) {
        for (const auto& s : strings) benchmark::DoNotOptimize(orvane::TextLayout::compute(font, s, o).height);
    }
    state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(strings.size()));
}
BENCHMARK(BM_LayoutWrapped)->Unit(benchmark::kMicrosecond);

// A paragraph of 1,000 characters in seven scripts (Latin, Japanese, Arabic,
// Devanagari, Thai, Hebrew, Greek): shaping with fallback faces, the
// bidirectional algorithm and line breaking into a 300 pixel column, warm.
void BM_MixedScriptParagraph(benchmark::State& state) {
    static const std::string paragraph = [] {
        const char* words[] = {"revenue", "\u65e5\u672c\u8a9e\u306e", "\u0627\u0644\u0639\u0631\u0628\u064a\u0629",
                               "\u0939\u093f\u0928\u094d\u0926\u0940", "\u0e20\u0e32\u0e29\u0e32",
                               "\u05e2\u05d1\u05e8\u05d9\u05ea", "\u03b1\u03c1\u03b9\u03b8\u03bc\u03cc\u03c2", "2024"};
        std::string out;
        size_t chars = 0;
        for (size_t i = 0; chars < 1000; ++i) {
            std::string w = words[i % std::size(words)];
            if (!out.empty()) {
                out += ' ';
                ++chars;
            }
            for (size_t k = 0; k < w.size(); ++k)
                if ((static_cast<unsigned char>(w[k]) & 0xc0) != 0x80) ++chars;
            out += w;
        }
        return out;
    }();
    orvane::Font font = orvane::TextEngine::instance().getFont("Arial", 12.0f, false, false);
    orvane::TextLayoutOptions o;
    o.flags = orvane::TextFlags::WRAP;
    o.maxWidth = 300.0f;
    benchmark::DoNotOptimize(orvane::TextLayout::compute(font, paragraph, o).height);  // warm up
    for (auto _ : state) benchmark::DoNotOptimize(orvane::TextLayout::compute(font, paragraph, o).height);
    state.counters["lines"] = static_cast<double>(orvane::TextLayout::compute(font, paragraph, o).lines.size());
}
BENCHMARK(BM_MixedScriptParagraph)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
