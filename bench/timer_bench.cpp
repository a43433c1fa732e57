// How late after its deadline each tick runs, against the leeway, and whether
// the rate holds: the bare PeriodicTimer, then a real Model, each for a few
// seconds per period.
//
// Usage: timer_bench [SECONDS] [timer|model|both|wakeups|gaps] [PERIOD_US...]
// (defaults: 3 both 30000 1000 100 13). `wakeups` measures what a bare timed
// sleep and wake-up of a thread costs this machine at each period, the floor
// under any sleeping timer's CPU time. `gaps` only measures how often the
// machine takes the CPU away from a busy thread: every such gap longer than a
// period costs that period a firing, whatever the timer does.
#include <sys/prctl.h>
#include <sys/resource.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <condition_variable>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <iterator>
#include <mutex>
#include <string_view>
#include <thread>
#include <vector>

#include "allocation_count.h"
#include "fake_main_thread.h"
#include "model.h"
#include "new_simulation.h"
#include "periodic_timer.h"

using namespace pellomarin;
using Clock = std::chrono::steady_clock;

namespace {

const std::vector<std::int64_t> defaultPeriodsUs{30000, 1000, 100, 13};
constexpr double rateAimPercent = 0.5;

// Tick times and how late each ran after its deadline, written by the
// timer's thread into storage sized up front so that the handler never
// allocates; read only after that thread has ended.
class Stamps {
public:
    explicit Stamps(std::size_t capacity) : at(capacity), late(capacity) {}
    void record(const PeriodicTimer& timer) {
        if (count == at.size())
            return;
        const auto now = Clock::now();
        late[count] =
            std::chrono::duration<double, std::micro>(now - timer.firingDeadline()).count();
        at[count++] = now;
    }
    const Clock::time_point* begin() const { return at.data(); }
    const Clock::time_point* end() const { return at.data() + count; }
    std::size_t size() const { return count; }
    std::vector<double> lateness() const {
        return {late.begin(), late.begin() + std::ptrdiff_t(count)};
    }

private:
    std::vector<Clock::time_point> at;
    std::vector<double> late;
    std::size_t count = 0;
};

// Other work on the machine decides much of the result, so it is printed too.
void printLoadAverage(const char* when) {
    double load[3] = {NAN, NAN, NAN};
    if (std::FILE* file = std::fopen("/proc/loadavg", "r")) {
        if (std::fscanf(file, "%lf %lf %lf", &load[0], &load[1], &load[2]) != 3)
            load[0] = load[1] = load[2] = NAN;
        std::fclose(file);
    }
    std::printf("load average %s: %.2f %.2f %.2f; %u hardware threads\n", when, load[0], load[1],
                load[2], std::thread::hardware_concurrency());
}

// User and system time of every thread of this process.
double processCpuSeconds() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    const auto seconds = [](const timeval& t) {
        return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_usec) * 1e-6;
    };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

// CPU time all processes have used, from the first line of /proc/stat; NaN
// where that is not available.
double machineBusySeconds() {
    unsigned long long user = 0, nice = 0, system = 0, idle = 0, iowait = 0, irq = 0, softirq = 0,
                       steal = 0;
    std::FILE* file = std::fopen("/proc/stat", "r");
    if (!file)
        return NAN;
    const int fields = std::fscanf(file, "cpu %llu %llu %llu %llu %llu %llu %llu %llu", &user,
                                   &nice, &system, &idle, &iowait, &irq, &softirq, &steal);
    std::fclose(file);
    const auto ticksPerSecond = static_cast<double>(sysconf(_SC_CLK_TCK));
    if (fields != 8 || !(ticksPerSecond > 0.0))
        return NAN;
    return static_cast<double>(user + nice + system + irq + softirq) / ticksPerSecond;
}

// Wall time, CPU time and allocations of the whole process over one run, and
// the CPU time everything else on the machine took meanwhile.
class Usage {
public:
    Usage()
        : wallStart(Clock::now()),
          cpuStart(processCpuSeconds()),
          busyStart(machineBusySeconds()),
          allocationsStart(bench::allocationCount()) {}
    void stop() {
        wallSeconds = std::chrono::duration<double>(Clock::now() - wallStart).count();
        cpuSeconds = processCpuSeconds() - cpuStart;
        othersSeconds = std::max(0.0, machineBusySeconds() - busyStart - cpuSeconds);
        allocations = bench::allocationCount() - allocationsStart;
    }

    double wallSeconds = 0.0;
    double cpuSeconds = 0.0;
    double othersSeconds = 0.0;
    std::uint64_t allocations = 0;

private:
    Clock::time_point wallStart;
    double cpuStart;
    double busyStart;
    std::uint64_t allocationsStart;
};

double percentile(std::vector<double>& values, double fraction) {
    if (values.empty())
        return NAN;
    const auto k = static_cast<std::size_t>(fraction * static_cast<double>(values.size() - 1));
    std::nth_element(values.begin(), values.begin() + static_cast<std::ptrdiff_t>(k), values.end());
    return values[k];
}

void printHeader() {
    std::printf("%-6s %9s %10s %10s %8s %8s %8s %8s %8s %7s %9s %7s %8s %4s\n", "mode", "period_us",
                "nominal/s", "ticks/s", "error_%", "late_p50", "p99", "p99.9", "leeway", "lost",
                "cpu_ms/s", "others", "allocs/t", "aim");
}

void printRow(const char* mode, std::int64_t periodUs, const Stamps& stamps, const Usage& usage) {
    const double period = static_cast<double>(periodUs);
    const double nominal = 1e6 / period;
    const double leeway = static_cast<double>(periodUs / 2);
    // The grid starts at schedule(), so the first firing is as late as the
    // timer's thread was to start: a one-off, left out of the figures.
    const auto* first = stamps.begin() + std::min<std::size_t>(1, stamps.size());
    const auto* last = stamps.end();
    const auto intervals = last - first - 1;
    auto late = stamps.lateness();
    late.erase(late.begin(), late.begin() + std::min<std::ptrdiff_t>(1, std::ssize(late)));
    const double span =
        intervals < 1 ? NAN : std::chrono::duration<double>(*(last - 1) - *first).count();
    const double rate = static_cast<double>(intervals) / span;
    // Firings merged into a late run: the grid held more ticks than ran.
    const long long lost =
        intervals < 1 ? 0 : std::max(0LL, std::llround(span * nominal) - intervals);
    const double error = (rate - nominal) / nominal * 100.0;
    const double p999 = percentile(late, 0.999);
    const bool aimMet = std::abs(error) <= rateAimPercent && (periodUs < 1000 || p999 <= leeway);
    std::printf(
        "%-6s %9lld %10.2f %10.2f %+8.3f %8.1f %8.1f %8.1f %8.0f %7lld %9.1f %7.0f %8.3f %4s\n",
        mode, static_cast<long long>(periodUs), nominal, rate, error, percentile(late, 0.5),
        percentile(late, 0.99), p999, leeway, lost, usage.cpuSeconds / usage.wallSeconds * 1000.0,
        usage.othersSeconds / usage.wallSeconds * 1000.0,
        static_cast<double>(usage.allocations) / static_cast<double>(stamps.size()),
        aimMet ? "yes" : "no");
    std::fflush(stdout);
}

std::size_t capacityFor(std::int64_t periodUs, double seconds) {
    return static_cast<std::size_t>(seconds * 1e6 / static_cast<double>(periodUs) * 1.1) + 1000;
}

void runTimer(std::int64_t periodUs, double seconds) {
    Stamps stamps(capacityFor(periodUs, seconds));
    Usage usage;
    {
        PeriodicTimer timer;
        timer.setEventHandler([&stamps, &timer] { stamps.record(timer); });
        timer.schedule(std::chrono::microseconds(periodUs),
                       std::chrono::microseconds(periodUs / 2));
        timer.resume();
        std::this_thread::sleep_for(std::chrono::duration<double>(seconds));
    }  // cancels and waits for the timer's thread
    usage.stop();
    printRow("timer", periodUs, stamps, usage);
}

void runModel(std::int64_t periodUs, double seconds) {
    RandomSource random(1);
    support::FakeMainThread mainThread;
    Stamps stamps(capacityFor(periodUs, seconds));
    std::uint64_t versionChanges = 0;
    std::int64_t steps = 0;

    Usage usage;
    {
        auto model = newSimulation({1.0, 1.0, 1.0}, random, mainThread.poster());
        model->observeVersion([&versionChanges] { ++versionChanges; });
        model->start(static_cast<double>(periodUs) / 1000.0, 5.0);
        // The model has no hook per tick, so its own handler is wrapped.
        const_cast<PeriodicTimer&>(model->timer()).setEventHandler([m = model.get(), &stamps] {
            stamps.record(m->timer());
            m->tick();
        });
        mainThread.runUntil([] { return false; }, std::chrono::duration_cast<Clock::duration>(
                                                      std::chrono::duration<double>(seconds)));
        model->cancel();
        steps = model->stepsTaken();
    }  // the model's timer waits for its thread here
    usage.stop();
    printRow("model", periodUs, stamps, usage);
    std::printf("       steps %lld, posts to main %llu, version changes %llu\n",
                static_cast<long long>(steps),
                static_cast<unsigned long long>(mainThread.postCount()),
                static_cast<unsigned long long>(versionChanges));
}

// A thread that never sleeps still loses the CPU now and then (interrupts,
// the hypervisor, other threads); counts those gaps by length.
void runGaps(double seconds) {
    const double limitsUs[] = {5.0, 13.0, 50.0, 150.0, 1000.0};
    std::int64_t over[std::size(limitsUs)] = {};
    double worst = 0.0;
    const auto start = Clock::now();
    const auto end =
        start + std::chrono::duration_cast<Clock::duration>(std::chrono::duration<double>(seconds));
    for (auto previous = start, now = start; now < end; previous = now) {
        now = Clock::now();
        const double gap = std::chrono::duration<double, std::micro>(now - previous).count();
        worst = std::max(worst, gap);
        for (std::size_t k = 0; k < std::size(limitsUs); ++k)
            over[k] += gap > limitsUs[k] ? 1 : 0;
    }
    std::printf("gaps in a busy loop, per second:");
    for (std::size_t k = 0; k < std::size(limitsUs); ++k)
        std::printf("  >%g µs: %.1f", limitsUs[k], static_cast<double>(over[k]) / seconds);
    std::printf("  (longest %.0f µs)\n", worst);
}

// A thread that only sleeps to each deadline of a grid, with no timer slack:
// its CPU time per wake-up and how late the wake-ups come.
void runWakeUps(std::int64_t periodUs, double seconds) {
    prctl(PR_SET_TIMERSLACK, 1UL, 0UL, 0UL, 0UL);
    std::mutex mutex;
    std::condition_variable never;
    std::unique_lock lock(mutex);
    const auto period = std::chrono::microseconds(periodUs);
    std::vector<double> late(
        static_cast<std::size_t>(std::max(1.0, seconds * 1e6 / double(periodUs))));
    timespec before{}, after{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &before);
    auto deadline = Clock::now();
    for (double& lateUs : late) {
        deadline += period;
        while (Clock::now() < deadline)
            never.wait_until(lock, deadline);
        lateUs = std::chrono::duration<double, std::micro>(Clock::now() - deadline).count();
    }
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &after);
    const double cpuUs = (double(after.tv_sec - before.tv_sec) * 1e6 +
                          double(after.tv_nsec - before.tv_nsec) / 1e3) /
                         double(late.size());
    std::printf(
        "period %7lld µs: a bare wake-up costs %5.1f µs of CPU (%.3f %% of a core), comes "
        "%.0f / %.0f / %.0f µs late (p50 / p99 / p99.9)\n",
        static_cast<long long>(periodUs), cpuUs, cpuUs / double(periodUs) * 100.0,
        percentile(late, 0.5), percentile(late, 0.99), percentile(late, 0.999));
}

}  // namespace

int main(int argc, char** argv) {
    const double seconds = argc > 1 ? std::atof(argv[1]) : 3.0;
    const std::string_view mode = argc > 2 ? argv[2] : "both";
    const bool timer = mode == "timer" || mode == "both";
    const bool model = mode == "model" || mode == "both";
    const bool gaps = mode == "gaps";
    const bool wakeUps = mode == "wakeups";
    std::vector<std::int64_t> periodsUs;
    for (int i = 3; i < argc; ++i)
        periodsUs.push_back(std::atoll(argv[i]));
    if (periodsUs.empty())
        periodsUs = defaultPeriodsUs;
    const bool periodsValid = std::all_of(periodsUs.begin(), periodsUs.end(),
                                          [](std::int64_t period) { return period > 0; });
    if (!(seconds > 0.0) || (!timer && !model && !gaps && !wakeUps) || !periodsValid) {
        std::fprintf(
            stderr,
            "usage: timer_bench [SECONDS] [timer|model|both|wakeups|gaps] [PERIOD_US...]\n");
        return 2;
    }
    if (wakeUps) {
        printLoadAverage("before");
        for (const auto period : periodsUs)
            runWakeUps(period, seconds);
        return 0;
    }
    if (gaps) {
        printLoadAverage("before");
        runGaps(seconds);
        return 0;
    }

    std::printf("%g s per period, first firing left out; lateness after the deadline in µs\n",
                seconds);
    std::printf("cpu_ms/s: this process, others: the rest of the machine (CPU ms per wall s)\n");
    std::printf("aim: rate within %.1f %%; from 1 ms up, p99.9 within the leeway\n",
                rateAimPercent);
    printLoadAverage("before");
    printHeader();
    if (timer)
        for (const auto period : periodsUs)
            runTimer(period, seconds);
    if (model)
        for (const auto period : periodsUs)
            runModel(period, seconds);
    printLoadAverage("after");
    return 0;
}
