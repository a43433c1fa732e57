#pragma once

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <vector>

#include "model.h"

namespace pellomarin::support {

// Stands in for the application's event loop: other threads post to it, and the thread that calls
// runPending or runUntil runs what was posted. Posting allocates nothing once the queue has grown.
class FakeMainThread {
public:
    PostToMain poster() {
        return [this](std::function<void()> work) {
            const std::lock_guard lock(mutex);
            pending.push_back(std::move(work));
            ++posts;
            arrived.notify_one();
        };
    }
    void runPending() {
        std::unique_lock lock(mutex);
        std::swap(pending, running);
        lock.unlock();
        for (auto& work : running)
            work();
        running.clear();
    }
    // Runs posted work until `done` holds or the time is up; says whether it holds.
    bool runUntil(const std::function<bool()>& done,
                  std::chrono::steady_clock::duration limit = std::chrono::seconds(20)) {
        const auto end = std::chrono::steady_clock::now() + limit;
        while (!done()) {
            std::unique_lock lock(mutex);
            if (!arrived.wait_until(lock, end, [&] { return !pending.empty(); }))
                return done();
            lock.unlock();
            runPending();
        }
        return true;
    }
    std::uint64_t postCount() const { return posts; }

private:
    std::mutex mutex;
    std::condition_variable arrived;
    std::vector<std::function<void()>> pending, running;
    std::atomic<std::uint64_t> posts = 0;
};

}  // namespace pellomarin::support
