// SPDX-License-Identifier: Apache-2.0
// Time per call of the axis engine on tables of representative ranges:
// numeric (znaxis), integer (ziaxis), logarithmic (zlogaxis), time (ztaxis)
// and the period stepping behind it. Each benchmark iteration runs the whole
// table; the "time_per_call" counter divides by the table size.
#include "orvane/axis/TimeInterval.h"
#include "orvane/axis/ZxAxis.h"

#include "orvane/host/format/Formatter.h"

#include <benchmark/benchmark.h>

#include <utility>
#include <vector>

using namespace orvane;

namespace {
// The same numeric table as bench/compare_d3/ranges.json.
const std::vector<std::pair<double, double>> kNumericRanges{
    {0, 100},      {0, 1},           {0.5, 99.5},   {1, 1000},        {-3, 7},        {-250, 1000},
    {0.001, 0.0042}, {1e-9, 3e-9},   {123456, 987654}, {-1e6, 1e6},   {3.7, 3.75},    {1e15, 3.7e15},
    {-0.3, 12.7},  {2, 10000},       {17, 23},      {0, 7.3},
};

// Dates (days) and date-times (seconds) from a few days to centuries.
struct TimeRange {
    double min, max;
    bool dateTime;
};
const std::vector<TimeRange> kTimeRanges{
    {21915, 21919, false},   {21915, 21945, false},    {21915, 22354, false},  {21915, 23741, false},
    {0, 21915, false},       {-120000, 40000, false},  {21915.0 * 86400, 21915.0 * 86400 + 50, true},
    {21915.0 * 86400, 21915.0 * 86400 + 7 * 3600, true}, {21915.0 * 86400, 21935.0 * 86400, true},
    {21915.0 * 86400, 22300.0 * 86400, true},
};

void setPerCall(benchmark::State& state, size_t callsPerIteration) {
    // Seconds per call, printed with its SI prefix ("55.1ns").
    state.counters["time_per_call"] = benchmark::Counter(
        static_cast<double>(callsPerIteration), benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
    state.SetItemsProcessed(static_cast<int64_t>(state.iterations() * callsPerIteration));
}
} // namespace

static void BM_znaxis(benchmark::State& state) {
    for (auto _ : state)
        for (auto [lo, hi] : kNumericRanges) benchmark::DoNotOptimize(ZxAxis::znaxis(lo, hi, false, false, 6, 0.6, 0.8));
    setPerCall(state, kNumericRanges.size());
}
BENCHMARK(BM_znaxis);

static void BM_znaxis_ticks(benchmark::State& state) {
    // znaxis plus the tick values laid out in a vector (what d3.ticks returns).
    std::vector<double> ticks;
    for (auto _ : state) {
        for (auto [lo, hi] : kNumericRanges) {
            ZxAxis::Ticks t = ZxAxis::znaxis(lo, hi, false, false, 6, 0.6, 0.8);
            ticks.clear();
            for (double k = 0; k < t.count; ++k) ticks.push_back(t.first + k * t.step);
            benchmark::DoNotOptimize(ticks.data());
        }
    }
    setPerCall(state, kNumericRanges.size());
}
BENCHMARK(BM_znaxis_ticks);

static void BM_ziaxis(benchmark::State& state) {
    for (auto _ : state)
        for (auto [lo, hi] : kNumericRanges) benchmark::DoNotOptimize(ZxAxis::ziaxis(lo, hi, false, false, 6, 0.6, 0.8));
    setPerCall(state, kNumericRanges.size());
}
BENCHMARK(BM_ziaxis);

static void BM_zlogaxis(benchmark::State& state) {
    const std::vector<std::pair<double, double>> ranges{{1, 1000}, {3, 700}, {9.5, 1100}, {1e-5, 1e15}, {0.02, 7}};
    for (auto _ : state)
        for (auto [lo, hi] : ranges) benchmark::DoNotOptimize(ZxAxis::zlogaxis(lo, hi, 10, 6, 0.6, 0.8, true, false, -1));
    setPerCall(state, ranges.size());
}
BENCHMARK(BM_zlogaxis);

static void BM_ztaxis(benchmark::State& state) {
    std::shared_ptr<const Formatter> date = Formatter::create("DATE9."), dt = Formatter::create("DATETIME16.");
    for (auto _ : state)
        for (const TimeRange& r : kTimeRanges)
            benchmark::DoNotOptimize(ZxAxis::ztaxis(nullptr, r.min, r.max, 6, true, r.dateTime ? dt : date));
    setPerCall(state, kTimeRanges.size());
}
BENCHMARK(BM_ztaxis);

static void BM_computeMajorTickmarkInterval(benchmark::State& state) {
    // The interval choice alone, without tick lists and formats.
    TimeInterval scratch;
    for (auto _ : state) {
        for (const TimeRange& r : kTimeRanges) {
            TimeInterval iv;
            iv.setFromName(r.dateTime ? "SECOND" : "DAY");
            iv.valueKind = r.dateTime ? 1 : 2;
            benchmark::DoNotOptimize(ZxAxis::computeMajorTickmarkIntervalAndFormat(iv, r.min, r.max, 6, scratch));
        }
    }
    setPerCall(state, kTimeRanges.size());
}
BENCHMARK(BM_computeMajorTickmarkInterval);

static void BM_stepMonths(benchmark::State& state) {
    TimeInterval iv;
    iv.setFromName("MONTH3.2");
    iv.valueKind = 2;
    double day = -100000;
    for (auto _ : state) {
        benchmark::DoNotOptimize(ZxAxis::getBeginingOfNextPeriodAfterStartValue(iv, day, 1));
        day = day > 6000000 ? -100000 : day + 97;
    }
    setPerCall(state, 1);
}
BENCHMARK(BM_stepMonths);

static void BM_calendarRoundTrip(benchmark::State& state) {
    int64_t day = -138061;
    for (auto _ : state) {
        ZxAxis::MonthDayYear d = ZxAxis::zidmdyd(day);
        benchmark::DoNotOptimize(ZxAxis::ziddmdy(d.month, d.day, d.year));
        day = day > 6589000 ? -138061 : day + 31;
    }
    setPerCall(state, 1);
}
BENCHMARK(BM_calendarRoundTrip);

BENCHMARK_MAIN();
