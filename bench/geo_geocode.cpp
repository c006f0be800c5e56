// SPDX-License-Identifier: Apache-2.0
// Geocoding 10,000 addresses in batches of 200 against a loopback server that
// answers at once: the total time, and the part spent in the library
// (building request bodies, parsing answers, dispatching events) against the
// part spent waiting for the network and the server.
#include "orvane/host/net/NetworkManager.h"
#include "orvane/geo/EsriGeocodeServices.h"

#if ORVANE_GEO_TEST_SERVER
#include "GeoTestServer.h"
#endif

#include <benchmark/benchmark.h>

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <string>
#include <vector>

using namespace orvane;

namespace {

constexpr int kAddresses = 10000;
constexpr int kBatch = 200;

std::vector<std::string> addresses(int n) {
    static const char* streets[] = {"Main St", "Oak Avenue", "Rue de la Paix", "Königstraße", "New York St"};
    static const char* towns[] = {"Springfield, IL 62701", "Redlands, CA 92373", "Paris 75002", "Stuttgart 70173"};
    std::vector<std::string> out;
    out.reserve(static_cast<size_t>(n));
    for (int i = 0; i < n; ++i)
        out.push_back(std::to_string(1 + i % 997) + " " + streets[i % 5] + ", " + towns[(i / 5) % 4]);
    return out;
}

// An answer of the service for one batch, as it would come back.
std::string batchAnswer(int first, int count) {
    std::string s = "{\"spatialReference\":{\"wkid\":4326,\"latestWkid\":4326},\"locations\":[";
    for (int i = 0; i < count; ++i) {
        if (i) s += ',';
        s += "{\"address\":\"" + std::to_string(i) + " Main St, Springfield, Illinois, 62701\","
             "\"location\":{\"x\":-89.65014999999999,\"y\":39.78172000000001},\"score\":97.43,"
             "\"attributes\":{\"ResultID\":" + std::to_string(first + i) + ",\"Status\":\"M\",\"Loc_name\":\"World\"}}";
    }
    return s + "]}";
}

void BM_BuildBatchBodies(benchmark::State& state) {
    auto texts = addresses(kAddresses);
    std::vector<std::pair<int, std::string_view>> records;
    for (auto _ : state) {
        size_t bytes = 0;
        for (int begin = 0; begin < kAddresses; begin += kBatch) {
            records.clear();
            for (int i = begin; i < begin + kBatch; ++i) records.emplace_back(i, texts[static_cast<size_t>(i)]);
            bytes += EsriGeocodeServices::buildGeocodeBody(records, "token").size();
        }
        benchmark::DoNotOptimize(bytes);
    }
    state.counters["addresses_per_s"] =
        benchmark::Counter(static_cast<double>(kAddresses), benchmark::Counter::kIsIterationInvariantRate);
}
BENCHMARK(BM_BuildBatchBodies)->Unit(benchmark::kMillisecond);

void BM_ParseBatchAnswers(benchmark::State& state) {
    std::string answer = batchAnswer(0, kBatch);
    for (auto _ : state) {
        for (int b = 0; b < kAddresses / kBatch; ++b) {
            auto parsed = EsriGeocodeServices::parseGeocodeAnswer(answer);
            benchmark::DoNotOptimize(parsed.results.size());
        }
    }
    state.counters["addresses_per_s"] =
        benchmark::Counter(static_cast<double>(kAddresses), benchmark::Counter::kIsIterationInvariantRate);
}
BENCHMARK(BM_ParseBatchAnswers)->Unit(benchmark::kMillisecond);

#if ORVANE_GEO_TEST_SERVER
void BM_Geocode10000AgainstLoopback(benchmark::State& state) {
    test::GeoTestServer server(0, true);
    if (!server.isRunning()) {
        state.SkipWithError("no loopback server");
        return;
    }
    // Answers at once, from answers made before the run.
    std::vector<std::string> answers;
    for (int b = 0; b < kAddresses / kBatch; ++b) answers.push_back(batchAnswer(b * kBatch, kBatch));
    server.route("POST", EsriGeocodeServices::GEOCODE_PATH,
                 [&answers](const test::GeoTestServer::Request& req, httplib::Response& res) {
                     // The first OBJECTID of the batch picks its answer.
                     const std::string& body = req.body;
                     size_t at = body.find("OBJECTID%22%3A");
                     int first = at == std::string::npos ? 0 : std::atoi(body.c_str() + at + 14);
                     res.set_content(answers[static_cast<size_t>(first / kBatch) % answers.size()], "application/json");
                 });
    auto config = NetworkManager::getConfiguration();
    config.acceptEncoding.clear();  // no compression: the server answers at once
    NetworkManager::setConfiguration(config);

    std::mutex mutex;
    std::condition_variable arrived;
    bool ready = false;
    NetworkManager::setResponseReadyHook([&] {
        std::lock_guard<std::mutex> lock(mutex);
        ready = true;
        arrived.notify_all();
    });

    auto list = std::make_shared<std::vector<std::shared_ptr<const std::string>>>();
    for (auto& a : addresses(kAddresses)) list->push_back(std::make_shared<const std::string>(std::move(a)));
    using Clock = std::chrono::steady_clock;
    double libSeconds = 0, totalSeconds = 0;
    size_t results = 0;
    for (auto _ : state) {
        auto client = EsriGeocodeServices::create(kBatch);
        client->setServiceRoot(server.root());
        bool done = false;
        client->addEventListener(EsriGeocodeServices::GEOCODE_READY,
                                 FunctionEventCallback::create([&](const std::shared_ptr<PortableEvent>&) { done = true; }));
        client->addEventListener(EsriGeocodeServices::GEOCODE_FAILED,
                                 FunctionEventCallback::create([&](const std::shared_ptr<PortableEvent>&) { done = true; }));
        auto start = Clock::now();
        client->geocode(list, nullptr, "token");
        libSeconds += std::chrono::duration<double>(Clock::now() - start).count();
        while (!done) {
            {
                std::unique_lock<std::mutex> lock(mutex);
                arrived.wait_for(lock, std::chrono::milliseconds(50), [&] { return ready; });
                ready = false;
            }
            auto t = Clock::now();
            NetworkManager::processPendingResponses();
            libSeconds += std::chrono::duration<double>(Clock::now() - t).count();
        }
        totalSeconds += std::chrono::duration<double>(Clock::now() - start).count();
        results += client->getGeocodeResults()->size();
        if (client->hasFailed()) state.SkipWithError("geocoding failed");
    }
    NetworkManager::setResponseReadyHook(nullptr);
    const double n = static_cast<double>(state.iterations());
    state.counters["total_ms"] = totalSeconds / n * 1e3;
    state.counters["library_ms"] = libSeconds / n * 1e3;
    state.counters["waiting_ms"] = (totalSeconds - libSeconds) / n * 1e3;
    state.counters["library_us_per_address"] = libSeconds / n / kAddresses * 1e6;
    state.counters["results"] = static_cast<double>(results) / n;
}
BENCHMARK(BM_Geocode10000AgainstLoopback)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(5);
#else
void BM_Geocode10000AgainstLoopback(benchmark::State& state) {
    for (auto _ : state) state.SkipWithError("built without the loopback test server (ORVANE_BUILD_TESTS=OFF)");
}
BENCHMARK(BM_Geocode10000AgainstLoopback);
#endif

} // namespace

BENCHMARK_MAIN();
