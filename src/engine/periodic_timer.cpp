#include "periodic_timer.h"

#include <algorithm>

#if defined(__linux__)
#include <pthread.h>
#include <sys/prctl.h>
#endif
#if defined(__x86_64__) || defined(__i386__) || defined(_M_X64)
#include <immintrin.h>
#endif

namespace pellomarin {

using namespace std::chrono_literals;

namespace {

void relax() {
#if defined(__x86_64__) || defined(__i386__) || defined(_M_X64)
    _mm_pause();
#elif defined(__aarch64__)
    asm volatile("yield");
#endif
}

// Tracks about the 95th percentile of how late a timed sleep wakes up beyond
// the timer slack asked for: whether the leeway absorbs that lateness decides
// between sleeping to the deadline and spinning the last of the wait.
class WakeMargin {
public:
    std::chrono::nanoseconds value() const { return margin; }
    void observe(std::chrono::nanoseconds late) {
        constexpr auto stepSize = 500ns;
        margin += late > margin ? 19 * stepSize : -stepSize;
        margin = std::clamp<std::chrono::nanoseconds>(margin, 10us, 400us);
    }

private:
    std::chrono::nanoseconds margin = 100us;
};

// How late the kernel may wake the timer's thread so as to batch the wake-up
// with others. Half of a long leeway, leaving the other half for the
// machine's own lateness; a short one is kept for that lateness alone.
std::chrono::nanoseconds slackFor(std::chrono::microseconds leeway) {
    return leeway >= 1ms ? std::chrono::nanoseconds(leeway) / 2 : 1ns;
}

void setSlack([[maybe_unused]] std::chrono::nanoseconds slack) {
#if defined(__linux__)
    prctl(PR_SET_TIMERSLACK, static_cast<unsigned long>(slack.count()), 0UL, 0UL, 0UL);
#endif
}

}  // namespace

PeriodicTimer::~PeriodicTimer() {
    cancel();
    if (worker.joinable())
        worker.join();
}

void PeriodicTimer::changed() {
    generation.fetch_add(1, std::memory_order_relaxed);
    wake.notify_all();
}

void PeriodicTimer::setEventHandler(Handler newHandler) {
    const std::lock_guard lock(mutex);
    if (cancelled)
        return;
    handler = std::move(newHandler);
}

void PeriodicTimer::schedule(std::chrono::microseconds period, std::chrono::microseconds leeway) {
    const std::lock_guard lock(mutex);
    if (cancelled)
        return;
    period_ = std::max(period, 1us);
    leeway_ = leeway;
    deadline = Clock::now();
    if (!worker.joinable())
        worker = std::thread([this] { run(); });
    changed();
}

bool PeriodicTimer::resume() {
    const std::lock_guard lock(mutex);
    if (suspensions == 0) {
        ++refused;
        return false;
    }
    --suspensions;
    changed();
    return true;
}

void PeriodicTimer::suspend() {
    const std::lock_guard lock(mutex);
    ++suspensions;
    changed();
}

void PeriodicTimer::cancel() {
    const std::lock_guard lock(mutex);
    if (cancelled)
        return;
    cancelled = true;
    if (!worker.joinable())
        handler = nullptr;  // otherwise the thread lets go of it
    changed();
}

void PeriodicTimer::run() {
#if defined(__linux__)
    pthread_setname_np(pthread_self(), "PeriodicTimer");  // for top -H and the benchmarks
#endif
    WakeMargin margin;
    std::chrono::nanoseconds slack{0};  // the kernel's default until set
    std::unique_lock lock(mutex);
    while (!cancelled) {
        if (suspensions > 0) {
            wake.wait(lock);
            continue;
        }
        if (const auto wanted = slackFor(leeway_); wanted != slack)
            setSlack(slack = wanted);
        const auto now = Clock::now();
        if (now < deadline) {
            // A firing may land up to the leeway after its deadline: where
            // that absorbs the expected lateness, sleep to the deadline. A
            // shorter leeway (periods of about 0.1 ms and below) would lose
            // firings to late wake-ups, so the timer wakes that lateness early
            // and spins to the deadline, which also holds the spacing.
            const bool absorbed = slack + margin.value() <= std::chrono::nanoseconds(leeway_);
            const auto wakeAt = absorbed ? deadline : deadline - margin.value();
            if (now < wakeAt) {
                const auto seen = generation.load(std::memory_order_relaxed);
                wake.wait_until(lock, wakeAt);
                if (generation.load(std::memory_order_relaxed) == seen)
                    margin.observe(Clock::now() - wakeAt - slack);
            } else {
                const auto seen = generation.load(std::memory_order_relaxed);
                const auto due = deadline;
                lock.unlock();
                while (Clock::now() < due && generation.load(std::memory_order_relaxed) == seen)
                    relax();
                lock.lock();
            }
            continue;
        }
        // Due: one run stands for every firing missed since the deadline.
        const auto missed = (now - deadline) / period_;
        firing = deadline;
        deadline += period_ * (missed + 1);
        const Handler current = handler;
        lock.unlock();
        if (current)
            current();
        lock.lock();
    }
    handler = nullptr;
}

}  // namespace pellomarin
