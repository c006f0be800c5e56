// SPDX-License-Identifier: Apache-2.0
#pragma once
#include "orvane/host/HostExport.h"
#include <functional>

namespace orvane {

/// Current time in seconds. Reads a monotonic clock unless a test or host has
/// installed its own source with Clock::setTimeSource.
ORVANE_HOST_EXPORT double getCurrentTime();

class ORVANE_HOST_EXPORT Clock {
public:
    using TimeSource = std::function<double()>;
    /// Replaces the time source; an empty function restores the system clock.
    static void setTimeSource(TimeSource source);
    static double now() { return getCurrentTime(); }
};

/// A clock a test drives by hand. While it lives it is the process time source.
class ORVANE_HOST_EXPORT ManualClock {
public:
    explicit ManualClock(double start = 0.0);
    ~ManualClock();
    ManualClock(const ManualClock&) = delete;
    ManualClock& operator=(const ManualClock&) = delete;
    void set(double t) { time_ = t; }
    void advance(double dt) { time_ += dt; }
    double time() const { return time_; }

private:
    double time_;
};

} // namespace orvane
