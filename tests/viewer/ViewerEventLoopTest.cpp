// SPDX-License-Identifier: Apache-2.0
// The viewer's event loop: every task runs on its one thread, the tick runs
// when it asked to, and stopping never leaves a caller waiting.
#include "ViewerEventLoop.h"

#include <gtest/gtest.h>

#include <atomic>
#include <set>
#include <stdexcept>
#include <vector>

namespace orvane::tool {
namespace {

TEST(ViewerEventLoop, RunsTasksOnOneThreadAndTicksWhenAsked) {
    std::atomic<int> ticks{0};
    std::atomic<bool> wantTicks{false};
    ViewerEventLoop loop([&](double now) {
        ++ticks;
        return wantTicks ? now + 0.01 : -1.0;
    });
    std::set<std::thread::id> threads;
    std::vector<std::thread> callers;
    std::mutex mutex;
    int counter = 0;  // touched only on the loop: no lock needed there
    for (int i = 0; i < 8; ++i)
        callers.emplace_back([&] {
            for (int j = 0; j < 100; ++j)
                ASSERT_TRUE(loop.run([&] {
                    ++counter;
                    std::lock_guard<std::mutex> lock(mutex);
                    threads.insert(std::this_thread::get_id());
                }));
        });
    for (auto& t : callers) t.join();
    EXPECT_EQ(counter, 800);
    EXPECT_EQ(threads.size(), 1u);
    EXPECT_EQ(threads.count(std::this_thread::get_id()), 0u);

    // A tick that asks for more keeps coming without any task.
    wantTicks = true;
    loop.run([] {});
    const int before = ticks;
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
    EXPECT_GE(ticks - before, 3);
    wantTicks = false;

    // A task's exception reaches its caller; the loop goes on.
    EXPECT_THROW(loop.run([] { throw std::runtime_error("bad"); }), std::runtime_error);
    EXPECT_TRUE(loop.run([] {}));
    loop.stop();
    EXPECT_FALSE(loop.run([] {})) << "a stopped loop runs nothing and does not block";
}

TEST(ViewerEventLoop, StoppingWakesWaitingCallers) {
    ViewerEventLoop loop(nullptr);
    std::atomic<bool> release{false};
    std::thread blocker([&] { loop.run([&] { while (!release) std::this_thread::sleep_for(std::chrono::milliseconds(1)); }); });
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    std::atomic<int> refused{0};
    std::vector<std::thread> waiting;
    for (int i = 0; i < 4; ++i)
        waiting.emplace_back([&] {
            if (!loop.run([] {})) ++refused;
        });
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    std::thread stopper([&] { loop.stop(); });
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    release = true;
    stopper.join();
    blocker.join();
    for (auto& t : waiting) t.join();
    EXPECT_EQ(refused, 4) << "queued tasks are dropped, and their callers told";
}

} // namespace
} // namespace orvane::tool
