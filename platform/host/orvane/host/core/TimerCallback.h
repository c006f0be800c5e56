// SPDX-License-Identifier: Apache-2.0
#pragma once
#include "orvane/host/HostExport.h"
#include <functional>
#include <memory>
#include <vector>

namespace orvane {

/// A repeating timer run by the host's frame loop. Views keep shared callbacks;
/// the static registry holds them weakly, so a callback stops with its owner.
class ORVANE_HOST_EXPORT TimerCallback {
public:
    using Function = std::function<void(double now)>;
    static std::shared_ptr<TimerCallback> create(double intervalSeconds, Function fn);

    /// Runs every live callback whose interval has elapsed since it last ran.
    static void updateTimers();
    static size_t activeCount();

    void stop() { stopped_ = true; }
    bool isStopped() const { return stopped_; }
    double getInterval() const { return interval_; }

    TimerCallback(double interval, Function fn);

private:
    double interval_;
    double lastRun_;
    bool stopped_ = false;
    Function fn_;
};

} // namespace orvane
