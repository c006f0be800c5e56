// SPDX-License-Identifier: Apache-2.0
// Property sets and model-document reading.
#include "orvane/host/document/AbstractDeserializer.h"
#include "orvane/datagrid/DataGridColumnInfo.h"
#include "orvane/layout/LayoutConstraint.h"
#include "orvane/layout/LayoutProxy.h"
#include "orvane/package/OrvaneUIDeserializer.h"
#include "orvane/package/OrvaneUIPackage.h"

#include <benchmark/benchmark.h>
#include <expat.h>

#include <cstdlib>
#include <malloc.h>
#include <memory>
#include <vector>
#include <new>
#include <string>

// Counts heap allocations of the benchmark thread (operator new and delete
// are replaced together, so malloc/free pair correctly). The benchmarks run on
// one thread, so a plain thread-local counter is exact and needs no locked
// increment on every allocation.
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"
static thread_local size_t gAllocations = 0;
static thread_local size_t gAllocatedBytes = 0;
void* operator new(size_t n) {
    ++gAllocations;
    gAllocatedBytes += n;
    if (void* p = std::malloc(n ? n : 1)) return p;
    throw std::bad_alloc();
}
void operator delete(void* p) noexcept { std::free(p); }
void operator delete(void* p, size_t) noexcept { std::free(p); }

using namespace orvane;

// Setting a property to the value it already has: no allocation, no event.
static void BM_PropertySetUnchanged(benchmark::State& state) {
    OrvaneUIPackage::instance();
    auto c = LayoutConstraint::create();
    int events = 0;
    c->addEventListener(AbstractProperty::CHANGE_EVENT, FunctionEventCallback::create([&](auto&) { ++events; }));
    c->minimumWidth.set(10.0f);
    events = 0;
    size_t before = gAllocations;
    for (auto _ : state) {
        c->minimumWidth.set(10.0f);
        benchmark::DoNotOptimize(c.get());
    }
    size_t allocations = gAllocations - before;
    state.counters["allocations"] = static_cast<double>(allocations);
    state.counters["events"] = events;
    if (allocations != 0 || events != 0) state.SkipWithError("an unchanged set allocated or dispatched");
}
BENCHMARK(BM_PropertySetUnchanged);

// A changed value with one listener on the owner: one event per set.
static void BM_PropertySetChangedOneListener(benchmark::State& state) {
    OrvaneUIPackage::instance();
    auto c = LayoutConstraint::create();
    int events = 0;
    c->addEventListener(AbstractProperty::CHANGE_EVENT, FunctionEventCallback::create([&](auto&) { ++events; }));
    float v = 0.0f;
    for (auto _ : state) {
        c->minimumWidth.set(v);
        v += 1.0f;
    }
    state.counters["events"] = events;
}
BENCHMARK(BM_PropertySetChangedOneListener);

// A changed value that nobody listens to: no event is built.
static void BM_PropertySetChangedNoListener(benchmark::State& state) {
    OrvaneUIPackage::instance();
    auto c = LayoutConstraint::create();
    float v = 0.0f;
    size_t before = gAllocations;
    for (auto _ : state) {
        c->minimumWidth.set(v);
        v += 1.0f;
    }
    state.counters["allocations/set"] =
        benchmark::Counter(static_cast<double>(gAllocations - before), benchmark::Counter::kAvgIterations);
}
BENCHMARK(BM_PropertySetChangedNoListener);

// Memory of properties and models: the bytes of a Property<float> and the
// bytes allocated for a layout proxy with its constraint (both models, their
// properties, the link between them and the shared-pointer blocks).
static void BM_ModelMemory(benchmark::State& state) {
    OrvaneUIPackage::instance();
    constexpr int kPairs = 10000;
    double pairBytes = 0, heldBytes = 0;
    for (auto _ : state) {
        std::vector<std::shared_ptr<LayoutProxy>> keep;
        keep.reserve(kPairs);
        const size_t before = gAllocatedBytes;
        const size_t heldBefore = mallinfo2().uordblks + mallinfo2().hblkhd;
        for (int i = 0; i < kPairs; ++i) {
            auto proxy = LayoutProxy::create();
            proxy->defaultConstraint.set(LayoutConstraint::create());
            keep.push_back(std::move(proxy));
        }
        pairBytes = static_cast<double>(gAllocatedBytes - before) / kPairs;
        heldBytes = static_cast<double>(mallinfo2().uordblks + mallinfo2().hblkhd - heldBefore) / kPairs;
        benchmark::DoNotOptimize(keep.data());
    }
    state.counters["bytes/Property<float>"] = static_cast<double>(sizeof(Property<float>));
    state.counters["bytes/Property<double>"] = static_cast<double>(sizeof(Property<double>));
    state.counters["bytes/LayoutProxy"] = static_cast<double>(sizeof(LayoutProxy));
    state.counters["bytes/LayoutConstraint"] = static_cast<double>(sizeof(LayoutConstraint));
    // Held: the heap the pair keeps (malloc's own headers included);
    // allocated: every byte asked for while building it, freed ones included.
    state.counters["held/proxy+constraint"] = heldBytes;
    state.counters["allocated/proxy+constraint"] = pairBytes;
}
BENCHMARK(BM_ModelMemory)->Unit(benchmark::kMillisecond)->Iterations(1);

// A document of n models: a list table column record with a compact-format
// child per record, under one layout proxy tree.
static std::string makeDocument(int models) {
    std::string doc = "<?xml version=\"1.0\"?>\n<orvane version=\"202301\">\n<LayoutProxy grow=\"true\">\n<children>\n";
    int made = 1;
    int i = 0;
    while (made < models) {
        doc += "<LayoutProxy x=\"" + std::to_string(i % 800) + "px\" w=\"25%\" isDisabled=\"false\">"
               "<defaultConstraint><LayoutConstraint minimumWidth=\"" + std::to_string(i % 300) +
               "\" zIndex=\"" + std::to_string(i) + "\" widthFlexibility=\"flexible\" responsiveWeights=\"1 2 1\"/>"
               "</defaultConstraint></LayoutProxy>\n";
        made += 2;
        ++i;
    }
    doc += "</children>\n</LayoutProxy>\n</orvane>\n";
    return doc;
}

static void BM_ReadDocument100k(benchmark::State& state) {
    OrvaneUIPackage::instance();
    std::string doc = makeDocument(100000);
    size_t allocations = 0, bytes = 0;
    for (auto _ : state) {
        const size_t before = gAllocations, beforeBytes = gAllocatedBytes;
        auto d = OrvaneUIDeserializer::create();
        auto root = d->deserialize(doc, true);
        if (!root) state.SkipWithError(d->getLastError().toString().c_str());
        benchmark::DoNotOptimize(root.get());
        allocations += gAllocations - before;
        bytes += gAllocatedBytes - beforeBytes;
        // Freeing the tree is measured by BM_FreeDocument100k.
        state.PauseTiming();
        root.reset();
        state.ResumeTiming();
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(doc.size()));
    state.counters["allocations/model"] =
        static_cast<double>(allocations) / static_cast<double>(state.iterations()) / 100000.0;
    state.counters["bytes/model"] = static_cast<double>(bytes) / static_cast<double>(state.iterations()) / 100000.0;
}
BENCHMARK(BM_ReadDocument100k)->Unit(benchmark::kMillisecond);

static void BM_FreeDocument100k(benchmark::State& state) {
    OrvaneUIPackage::instance();
    std::string doc = makeDocument(100000);
    for (auto _ : state) {
        state.PauseTiming();
        auto root = OrvaneUIDeserializer::create()->deserialize(doc, true);
        state.ResumeTiming();
        root.reset();
    }
}
BENCHMARK(BM_FreeDocument100k)->Unit(benchmark::kMillisecond);

// The same document through expat alone (SAX, empty handlers that touch the
// names and attributes): the floor for any reader built on it.
static void BM_ExpatOnly100k(benchmark::State& state) {
    std::string doc = makeDocument(100000);
    for (auto _ : state) {
        XML_Parser p = XML_ParserCreate("UTF-8");
        size_t count = 0;
        XML_SetUserData(p, &count);
        XML_SetElementHandler(
            p,
            [](void* ud, const XML_Char* name, const XML_Char** atts) {
                size_t& c = *static_cast<size_t*>(ud);
                c += name[0] != 0;
                for (const XML_Char** a = atts; *a; a += 2) c += a[1][0] != 0;
            },
            [](void*, const XML_Char*) {});
        XML_SetCharacterDataHandler(p, [](void* ud, const XML_Char*, int len) { *static_cast<size_t*>(ud) += len > 0; });
        XML_Parse(p, doc.data(), static_cast<int>(doc.size()), 1);
        XML_ParserFree(p);
        benchmark::DoNotOptimize(count);
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(doc.size()));
}
BENCHMARK(BM_ExpatOnly100k)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
