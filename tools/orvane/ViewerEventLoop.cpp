// SPDX-License-Identifier: Apache-2.0
#include "ViewerEventLoop.h"

#include <algorithm>

namespace orvane::tool {

ViewerEventLoop::ViewerEventLoop(Tick tick) : tick_(std::move(tick)), thread_([this] { loop(); }) {}

ViewerEventLoop::~ViewerEventLoop() { stop(); }

double ViewerEventLoop::now() {
    using namespace std::chrono;
    return duration<double>(steady_clock::now().time_since_epoch()).count();
}

bool ViewerEventLoop::run(std::function<void()> task) {
    std::packaged_task<void()> packaged(std::move(task));
    auto done = packaged.get_future();
    {
        std::lock_guard<std::mutex> lock(mutex_);
        if (stopping_) return false;
        tasks_.push_back(std::move(packaged));
    }
    wake_.notify_one();
    try {
        done.get();
    } catch (const std::future_error&) {
        return false;  // dropped unrun when the loop stopped
    }
    return true;
}

void ViewerEventLoop::stop() {
    std::deque<std::packaged_task<void()>> dropped;
    {
        std::lock_guard<std::mutex> lock(mutex_);
        stopping_ = true;
    }
    wake_.notify_all();
    if (thread_.joinable() && thread_.get_id() != std::this_thread::get_id()) thread_.join();
    std::lock_guard<std::mutex> lock(mutex_);
    dropped.swap(tasks_);  // their futures see a broken promise
}

void ViewerEventLoop::loop() {
    double next = -1.0;
    for (;;) {
        std::packaged_task<void()> task;
        {
            std::unique_lock<std::mutex> lock(mutex_);
            const auto ready = [this] { return stopping_ || !tasks_.empty(); };
            if (next < 0.0) {
                // Idle: wake for a task, and now and then to let the tick
                // free what has been idle too long.
                wake_.wait_for(lock, std::chrono::seconds(1), ready);
            } else {
                // At most one tick per frame of a 60 Hz screen.
                const double wait = std::max(next - now(), 1.0 / 60.0);
                wake_.wait_for(lock, std::chrono::duration<double>(wait), ready);
            }
            if (stopping_) return;
            if (!tasks_.empty()) {
                task = std::move(tasks_.front());
                tasks_.pop_front();
            }
        }
        if (task.valid()) task();
        next = tick_ ? tick_(now()) : -1.0;
    }
}

} // namespace orvane::tool
