// SPDX-License-Identifier: Apache-2.0
// Cost of building tone mappers (36 sound files resolved each time) and of
// mapping values, with the sound files already in the cache folder.
#include "orvane/host/io/FileSystemManager.h"
#include "orvane/accessibility/SonificationTone.h"
#include "orvane/accessibility/SonificationToneMapper.h"
#include "orvane/package/OrvaneUIPackage.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <unistd.h>

using namespace orvane;

namespace {
// A cache folder of the benchmark's own, removed at exit.
struct BenchCache {
    std::filesystem::path dir =
        std::filesystem::temp_directory_path() / ("orvane-bench-cache-" + std::to_string(::getpid()));
    BenchCache() {
        OrvaneUIPackage::instance();
        FileSystemManager::setCacheDirectory(dir.string());
    }
    ~BenchCache() {
        std::error_code ec;
        std::filesystem::remove_all(dir, ec);
    }
};
void prepare() { static BenchCache cache; }
} // namespace

static void BM_ToneMapperCreate(benchmark::State& state) {
    prepare();
    for (auto _ : state)
        benchmark::DoNotOptimize(
            SonificationToneMapper::create(SonificationScale::PENTATONIC, SonificationStyle::PIANO, 0, 1000));
}
BENCHMARK(BM_ToneMapperCreate);

static void BM_ToneMapperMap(benchmark::State& state) {
    prepare();
    auto mapper = SonificationToneMapper::create(SonificationScale::PENTATONIC, SonificationStyle::PIANO, 0, 1000);
    double v = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(mapper->map(v));
        v = v >= 1000 ? 0 : v + 7.3;
    }
}
BENCHMARK(BM_ToneMapperMap);

static void BM_ResolveCachedSoundFile(benchmark::State& state) {
    prepare();
    for (auto _ : state)
        benchmark::DoNotOptimize(
            FileSystemManager::getPathForResource("key49_p_Flat.mp3", "", SonificationTone::PIANO_DIRECTORY));
}
BENCHMARK(BM_ResolveCachedSoundFile);

BENCHMARK_MAIN();
