#pragma once

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <mutex>
#include <thread>

namespace pellomarin {

// A repeating timer with its own thread, in the manner of a dispatch timer
// source: made suspended and unscheduled; one handler run at a time; firings
// missed while the handler overran are merged into one run, never caught up;
// suspensions are counted and a resume that would outnumber them is refused.
// Ticks stay on a fixed grid, each meant to land between its deadline and
// the leeway after it. With a leeway longer than the thread's expected
// wake-up lateness it sleeps to the deadline and never spins; with a shorter
// one it sleeps until that lateness before the deadline and spins the rest.
class PeriodicTimer {
public:
    using Clock = std::chrono::steady_clock;
    using Handler = std::function<void()>;

    PeriodicTimer() = default;
    ~PeriodicTimer();  // cancels and waits for a handler run in progress
    PeriodicTimer(const PeriodicTimer&) = delete;
    PeriodicTimer& operator=(const PeriodicTimer&) = delete;

    // The handler runs on the timer's thread and must not own the timer.
    void setEventHandler(Handler handler);
    // First firing now, then every `period`. The leeway is how late a firing
    // may be; a long one is also handed to the kernel, in part, to batch wake-ups.
    void schedule(std::chrono::microseconds period, std::chrono::microseconds leeway);
    // False, with no effect, when the timer is not suspended.
    bool resume();
    void suspend();
    // Stops for good and lets go of the handler; a run in progress finishes.
    void cancel();

    bool isCancelled() const { return locked(cancelled); }
    std::uint64_t refusedResumes() const { return locked(refused); }
    std::chrono::microseconds period() const { return locked(period_); }
    std::chrono::microseconds leeway() const { return locked(leeway_); }
    // The deadline that the run under way stands for (the earliest one when
    // missed firings merged); for a handler that wants to know how late it runs.
    Clock::time_point firingDeadline() const { return locked(firing); }

private:
    template <typename T>
    T locked(const T& member) const {
        const std::lock_guard lock(mutex);
        return member;
    }
    void run();
    void changed();  // with `mutex` held

    mutable std::mutex mutex;
    std::condition_variable wake;
    std::atomic<std::uint64_t> generation{0};  // raised on every change; ends a spin
    Handler handler;
    std::chrono::microseconds period_{0};
    std::chrono::microseconds leeway_{0};
    Clock::time_point deadline;
    Clock::time_point firing;
    bool cancelled = false;
    int suspensions = 1;
    std::uint64_t refused = 0;
    std::thread worker;
};

}  // namespace pellomarin
