// SPDX-License-Identifier: Apache-2.0
#include "orvane/host/core/TimerCallback.h"

#include "orvane/host/core/Clock.h"

#include <algorithm>

namespace orvane {

namespace {
std::vector<std::weak_ptr<TimerCallback>>& registry() {
    static std::vector<std::weak_ptr<TimerCallback>> r;
    return r;
}
} // namespace

TimerCallback::TimerCallback(double interval, Function fn)
    : interval_(interval), lastRun_(getCurrentTime()), fn_(std::move(fn)) {}

std::shared_ptr<TimerCallback> TimerCallback::create(double intervalSeconds, Function fn) {
    auto cb = std::make_shared<TimerCallback>(intervalSeconds, std::move(fn));
    registry().push_back(cb);
    return cb;
}

void TimerCallback::updateTimers() {
    auto& r = registry();
    // Snapshot: callbacks may create or stop timers while running.
    std::vector<std::shared_ptr<TimerCallback>> live;
    live.reserve(r.size());
    for (auto& w : r)
        if (auto cb = w.lock(); cb && !cb->stopped_) live.push_back(std::move(cb));
    r.erase(std::remove_if(r.begin(), r.end(),
                           [](const std::weak_ptr<TimerCallback>& w) {
                               auto cb = w.lock();
                               return !cb || cb->stopped_;
                           }),
            r.end());
    double now = getCurrentTime();
    for (auto& cb : live) {
        if (cb->stopped_) continue;
        if (now - cb->lastRun_ >= cb->interval_) {
            cb->lastRun_ = now;
            if (cb->fn_) cb->fn_(now);
        }
    }
}

size_t TimerCallback::activeCount() {
    size_t n = 0;
    for (auto& w : registry())
        if (auto cb = w.lock(); cb && !cb->stopped_) ++n;
    return n;
}

} // namespace orvane
