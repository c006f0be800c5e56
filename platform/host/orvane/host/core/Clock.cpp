// SPDX-License-Identifier: Apache-2.0
#include "orvane/host/core/Clock.h"

#include <chrono>

namespace orvane {

namespace {
Clock::TimeSource& timeSource() {
    static Clock::TimeSource source;
    return source;
}
} // namespace

double getCurrentTime() {
    auto& src = timeSource();
    if (src) return src();
    using namespace std::chrono;
    return duration<double>(steady_clock::now().time_since_epoch()).count();
}

void Clock::setTimeSource(TimeSource source) { timeSource() = std::move(source); }

ManualClock::ManualClock(double start) : time_(start) {
    Clock::setTimeSource([this] { return time_; });
}

ManualClock::~ManualClock() { Clock::setTimeSource({}); }

} // namespace orvane
