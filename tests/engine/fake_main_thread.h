#pragma once

#include <chrono>
#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>

#include "model.h"

namespace pellomarin::testing {

// Stands in for the application's event loop: other threads post to it and
// the test thread, acting as the main thread, runs what was posted.
class FakeMainThread {
public:
    PostToMain poster() {
        return [this](std::function<void()> work) {
            const std::lock_guard lock(mutex);
            queue.push_back(std::move(work));
            ++posted;
            arrived.notify_all();
        };
    }

    // Runs everything posted so far; returns how many functions ran.
    int runPending() {
        std::deque<std::function<void()>> batch;
        {
            const std::lock_guard lock(mutex);
            batch.swap(queue);
        }
        for (auto& work : batch)
            work();
        return static_cast<int>(batch.size());
    }

    // Runs posted work until `done` holds or the time is up.
    bool runUntil(const std::function<bool()>& done,
                  std::chrono::milliseconds limit = std::chrono::seconds(20)) {
        const auto end = std::chrono::steady_clock::now() + limit;
        while (!done()) {
            {
                std::unique_lock lock(mutex);
                if (!arrived.wait_until(lock, end, [&] { return !queue.empty(); }))
                    return done();
            }
            runPending();
        }
        return true;
    }

    std::size_t pending() const {
        const std::lock_guard lock(mutex);
        return queue.size();
    }
    std::size_t postedCount() const {
        const std::lock_guard lock(mutex);
        return posted;
    }

private:
    mutable std::mutex mutex;
    std::condition_variable arrived;
    std::deque<std::function<void()>> queue;
    std::size_t posted = 0;
};

}  // namespace pellomarin::testing
