// SPDX-License-Identifier: Apache-2.0
// Reads numeric ranges ("lo hi" per line) from standard input and prints, per
// range, one JSON line with the ticks znaxis chooses (at most 6) and the time
// per call: of znaxis alone and of znaxis plus the tick values in a vector.
// bench/compare_d3/run.mjs runs it next to d3's ticks on the same ranges.
#include "orvane/axis/ZxAxis.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

using namespace orvane;

namespace {
template <class F>
double nsPerCall(F&& f) {
    using clock = std::chrono::steady_clock;
    // Grow the batch until it takes 2 ms, then take the best of 41 batches: on
    // a shared machine the fastest batch is the one least disturbed.
    size_t n = 100;
    for (;;) {
        auto t0 = clock::now();
        for (size_t i = 0; i < n; ++i) f();
        if (std::chrono::duration<double>(clock::now() - t0).count() > 0.002 || n > (size_t(1) << 30)) break;
        n *= 2;
    }
    double best = 1e300;
    for (int round = 0; round < 41; ++round) {
        auto t0 = clock::now();
        for (size_t i = 0; i < n; ++i) f();
        best = std::min(best, std::chrono::duration<double, std::nano>(clock::now() - t0).count() / double(n));
    }
    return best;
}

std::string number(double v) {
    char buf[40];
    std::snprintf(buf, sizeof buf, "%.17g", v);
    return buf;
}
} // namespace

int main() {
    std::string line;
    while (std::getline(std::cin, line)) {
        std::istringstream in(line);
        double lo, hi;
        if (!(in >> lo >> hi)) continue;
        ZxAxis::Ticks t = ZxAxis::znaxis(lo, hi, false, false, 6, 0.6, 0.8);
        double bare = nsPerCall([&] { benchmark::DoNotOptimize(ZxAxis::znaxis(lo, hi, false, false, 6, 0.6, 0.8)); });
        std::vector<double> ticks;
        double withTicks = nsPerCall([&] {
            ZxAxis::Ticks r = ZxAxis::znaxis(lo, hi, false, false, 6, 0.6, 0.8);
            ticks.clear();
            for (double k = 0; k < r.count; ++k) ticks.push_back(r.first + k * r.step);
            benchmark::DoNotOptimize(ticks.data());
        });
        std::cout << "{\"lo\":" << number(lo) << ",\"hi\":" << number(hi) << ",\"first\":" << number(t.first)
                  << ",\"step\":" << number(t.step) << ",\"count\":" << number(t.count) << ",\"ticks\":[";
        for (size_t k = 0; k < ticks.size(); ++k) std::cout << (k ? "," : "") << number(ticks[k]);
        std::cout << "],\"ns\":" << number(bare) << ",\"nsTicks\":" << number(withTicks) << "}\n";
    }
    return 0;
}
