// The real application's start-up and running costs, measured from inside.
//   app_bench startup            time from launch to the first painted frame
//   app_bench run SECONDS        one row of the cost table, over SECONDS from
//                                one second after the delayed start
// The launch time comes from PELLOMARIN_BENCH_LAUNCHED_NS (CLOCK_REALTIME in
// nanoseconds, as `date +%s%N` prints it); the period from the user's settings.
#include <dirent.h>
#include <time.h>
#include <unistd.h>

#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QTimer>
#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <map>
#include <string>
#include <vector>

#include "application.h"
#include "content_view.h"
#include "launch.h"
#include "main_window.h"
#include "simulation_view.h"

using namespace pellomarin;
using namespace std::chrono;

namespace {

double millisecondsSinceLaunch() {
    const char* launched = std::getenv("PELLOMARIN_BENCH_LAUNCHED_NS");
    if (!launched)
        return -1;
    const auto now = duration_cast<nanoseconds>(system_clock::now().time_since_epoch()).count();
    return double(now - std::atoll(launched)) / 1e6;
}

std::string statusField(const std::string& file, const std::string& field) {
    std::ifstream status(file);
    for (std::string line; std::getline(status, line);)
        if (line.rfind(field + ":", 0) == 0)
            return line.substr(field.size() + 1);
    return {};
}

double cpuClockSeconds(clockid_t clock) {
    timespec t{};
    return clock_gettime(clock, &t) == 0 ? double(t.tv_sec) + double(t.tv_nsec) / 1e9 : 0.0;
}

// CPU time in nanoseconds precision (the /proc/…/stat figures count 10 ms
// ticks) and voluntary context switches, that is wake-ups, of one thread.
struct ThreadUsage {
    std::string name;
    double cpuSeconds = 0;
    long wakeUps = 0;
};

std::map<int, ThreadUsage> threadUsage() {
    std::map<int, ThreadUsage> threads;
    DIR* tasks = opendir("/proc/self/task");
    while (const dirent* entry = tasks ? readdir(tasks) : nullptr) {
        const int tid = std::atoi(entry->d_name);
        if (tid <= 0)
            continue;
        const std::string dir = "/proc/self/task/" + std::to_string(tid);
        std::string name;
        std::getline(std::ifstream(dir + "/comm"), name);
        // The thread's CPU clock, as pthread_getcpuclockid builds it.
        const auto clock = clockid_t((~unsigned(tid) << 3) | 6);
        threads[tid] = {name, cpuClockSeconds(clock),
                        std::atol(statusField(dir + "/status", "voluntary_ctxt_switches").c_str())};
    }
    if (tasks)
        closedir(tasks);
    return threads;
}

// CPU time all processes have used, from the first line of /proc/stat: what
// the rest of the machine took meanwhile tells whether a row can be trusted.
double machineBusySeconds() {
    std::ifstream stat("/proc/stat");
    std::string cpu;
    unsigned long long user = 0, nice = 0, system = 0, idle = 0, iowait = 0, irq = 0, softirq = 0;
    stat >> cpu >> user >> nice >> system >> idle >> iowait >> irq >> softirq;
    return double(user + nice + system + irq + softirq) / double(sysconf(_SC_CLK_TCK));
}

double percentile(std::vector<double> values, double p) {
    if (values.empty())
        return 0;
    std::sort(values.begin(), values.end());
    return values[std::min(values.size() - 1, size_t(p * double(values.size())))];
}

class PaintCounter : public QObject {
public:
    std::function<void()> onPaint;
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint && onPaint)
            onPaint();
        return false;
    }
};

// When each firing ran and how late after its deadline (µs); written by the
// timer's thread into storage sized up front, read by the main thread up to
// `count`.
struct Firings {
    explicit Firings(std::size_t capacity) : at(capacity), lateUs(capacity) {}
    std::vector<PeriodicTimer::Clock::time_point> at;
    std::vector<double> lateUs;
    std::atomic<std::size_t> count{0};
    void add(PeriodicTimer::Clock::time_point now, double late) {
        const auto n = count.load(std::memory_order_relaxed);
        if (n < at.size()) {
            at[n] = now;
            lateUs[n] = late;
            count.store(n + 1, std::memory_order_release);
        }
    }
    // Ticks a second from the first firing to the last: a window's count
    // alone is off by up to one tick, 0.3 % at 30 ms over 10 s.
    double rate() const {
        const auto n = count.load(std::memory_order_acquire);
        return n < 2 ? 0 : double(n - 1) / duration<double>(at[n - 1] - at[0]).count();
    }
    std::vector<double> lateness() const {
        return {lateUs.begin(),
                lateUs.begin() + std::ptrdiff_t(count.load(std::memory_order_acquire))};
    }
};

void measureStartup(Application& app) {
    auto* counter = new PaintCounter;
    counter->onPaint = [counter] {
        std::printf("first frame after %.0f ms\n", millisecondsSinceLaunch());
        counter->onPaint = nullptr;
        QTimer::singleShot(0, [] { QApplication::exit(0); });
    };
    app.mainWindow().content()->simulationView()->installEventFilter(counter);
}

void printRow(Application& app, double elapsed, int paints, int cameraMoves,
              const std::map<int, ThreadUsage>& before, const std::map<int, ThreadUsage>& after,
              double processCpu, double machineBusy, const Firings& firings) {
    const auto share = [elapsed](double seconds) { return 100 * seconds / elapsed; };
    double main = 0, timer = 0, others = 0;
    long mainWakeUps = 0;
    for (const auto& [tid, usage] : after) {
        const auto was = before.find(tid);
        const double used = usage.cpuSeconds - (was == before.end() ? 0 : was->second.cpuSeconds);
        if (tid == getpid()) {
            main = used;
            mainWakeUps = usage.wakeUps - (was == before.end() ? 0 : was->second.wakeUps);
        } else if (usage.name == "PeriodicTimer") {
            timer += used;
        } else {
            others += used;
        }
    }
    const Model& model = *app.model();
    const double ticks = firings.rate();
    const double nominal = 1e6 / double(model.frameDuration());
    const auto late = firings.lateness();
    std::printf(
        "| %g ms%s | %.2f %% | %.2f %% | %.3f %% | %.2f %% | %.0f | %.1f | %.6g (%+.2f %%) | "
        "%.0f / %.0f / %.0f µs (%lld µs) | %ld MB | %.0f %% |\n",
        double(model.frameDuration()) / 1000,
        (std::string(app.mainWindow().trailsAction()->isChecked() ? ", trails" : "") +
         (app.mainWindow().keepAllInViewAction()->isChecked()
              ? ", keep all in view (moved in " + std::to_string(cameraMoves) + " frames)"
              : "") +
         (model.stepParameters().method == IntegrationMethod::euler
              ? ""
              : ", " + std::string(methodName(model.stepParameters().method))))
            .c_str(),
        share(processCpu), share(main), share(timer), share(others), double(mainWakeUps) / elapsed,
        paints / elapsed, ticks, 100 * (ticks / nominal - 1), percentile(late, 0.5),
        percentile(late, 0.99), percentile(late, 0.999), (long long)model.timer().leeway().count(),
        std::atol(statusField("/proc/self/status", "VmHWM").c_str()) / 1024,
        share(std::max(0.0, machineBusy - processCpu)));
    std::fflush(stdout);
}

void measureRun(Application& app, int seconds) {
    auto* counter = new PaintCounter;
    auto paints = std::make_shared<int>(0);
    // Frames painted with a camera other than the last one's: Keep All in View moving.
    auto moves = std::make_shared<int>(0);
    const SimulationView* view = app.mainWindow().content()->simulationView();
    counter->onPaint = [paints, moves, view, last = std::make_shared<Camera>()] {
        ++*paints;
        if (!(view->shownCamera() == *last)) {
            ++*moves;
            *last = view->shownCamera();
        }
    };
    app.mainWindow().content()->simulationView()->installEventFilter(counter);

    // A second after the delayed start, for `seconds`.
    QTimer::singleShot(6000, [&app, seconds, paints, moves] {
        Model& model = *app.model();
        auto& timer = const_cast<PeriodicTimer&>(model.timer());
        const auto nominal = 1e6 / double(model.frameDuration());
        // Never freed: the timer's thread may still write while the program ends.
        auto* firings = new Firings(std::size_t(nominal * seconds * 1.1) + 1000);
        // The model's own handler, wrapped to learn when each firing runs;
        // two pointers, so that the timer's copy of it per firing allocates nothing.
        timer.setEventHandler([m = &model, f = firings] {
            const auto now = PeriodicTimer::Clock::now();
            const auto late = now - m->timer().firingDeadline();
            m->tick();
            f->add(now, duration<double, std::micro>(late).count());
        });
        const int paintsBefore = *paints, movesBefore = *moves;
        const auto before = threadUsage();
        const double processCpu = cpuClockSeconds(CLOCK_PROCESS_CPUTIME_ID);
        const double machineBusy = machineBusySeconds();
        auto wall = std::make_shared<QElapsedTimer>();
        wall->start();
        QTimer::singleShot(seconds * 1000, [=, &app] {
            const double elapsed = double(wall->nsecsElapsed()) / 1e9;
            printRow(app, elapsed, *paints - paintsBefore, *moves - movesBefore, before,
                     threadUsage(), cpuClockSeconds(CLOCK_PROCESS_CPUTIME_ID) - processCpu,
                     machineBusySeconds() - machineBusy, *firings);
            app.model()->cancel();
            QApplication::exit(0);
        });
    });
}

}  // namespace

int main(int argc, char** argv) {
    const std::string mode = argc > 1 ? argv[1] : "";
    if (mode != "startup" && mode != "run") {
        std::fprintf(stderr, "usage: app_bench startup | run SECONDS\n");
        return 2;
    }
    const int seconds = argc > 2 ? std::atoi(argv[2]) : 10;
    int qtArgc = 1;
    return launch(qtArgc, argv, [&](Application& app) {
        if (mode == "startup")
            measureStartup(app);
        else
            measureRun(app, seconds);
    });
}
