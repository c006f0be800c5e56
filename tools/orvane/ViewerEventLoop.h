// SPDX-License-Identifier: Apache-2.0
#pragma once
#include <chrono>
#include <condition_variable>
#include <deque>
#include <functional>
#include <future>
#include <mutex>
#include <thread>

namespace orvane::tool {

// The one thread that owns every report of `orvane serve`: the library wants
// its views used from one thread, so the HTTP threads hand it tasks and wait
// for them. Between tasks it calls the tick function, which advances time
// (long presses, animations) and says when it wants to be called again.
class ViewerEventLoop {
public:
    // Called on the loop with the loop's clock; returns when it wants the next
    // call on that clock, or a negative number for "only after a task".
    using Tick = std::function<double(double now)>;

    explicit ViewerEventLoop(Tick tick);
    ~ViewerEventLoop();
    ViewerEventLoop(const ViewerEventLoop&) = delete;
    ViewerEventLoop& operator=(const ViewerEventLoop&) = delete;

    // Runs `task` on the loop and waits for it. False when the loop stopped
    // before it ran; an exception the task threw is rethrown here.
    bool run(std::function<void()> task);
    // Stops the loop; tasks still waiting are not run (run() returns false).
    void stop();
    // The loop's clock: seconds since an arbitrary start, monotonic.
    static double now();

private:
    void loop();

    Tick tick_;
    std::mutex mutex_;
    std::condition_variable wake_;
    std::deque<std::packaged_task<void()>> tasks_;
    bool stopping_ = false;
    std::thread thread_;
};

} // namespace orvane::tool
