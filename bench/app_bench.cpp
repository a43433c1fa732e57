// The real application's start-up and running costs, measured from inside.
//   app_bench startup            time from launch to the first painted frame
//   app_bench run SECONDS        after the delayed start: ticks, paints,
//                                event-loop lateness, CPU and memory
// The launch time comes from PELLOMARIN_BENCH_LAUNCHED_NS (CLOCK_REALTIME in
// nanoseconds, as `date +%s%N` prints it); the period from the user's settings.
#include <sys/resource.h>
#include <time.h>
#include <QAbstractEventDispatcher>
#include <QApplication>
#include <QElapsedTimer>
#include <QTimer>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
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

// The calling thread's CPU time: the main thread's, without the timer's.
double threadCpuSeconds() {
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return double(t.tv_sec) + double(t.tv_nsec) / 1e9;
}

double cpuSeconds() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return double(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
           double(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

long statusKilobytes(const std::string& field) {
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);)
        if (line.rfind(field + ":", 0) == 0)
            return std::atol(line.c_str() + field.size() + 1);
    return -1;
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

void measureStartup(Application& app) {
    auto* counter = new PaintCounter;
    counter->onPaint = [counter] {
        std::printf("first frame after %.0f ms\n", millisecondsSinceLaunch());
        counter->onPaint = nullptr;
        QTimer::singleShot(0, [] { QApplication::exit(0); });
    };
    app.mainWindow().content()->simulationView()->installEventFilter(counter);
}

void measureRun(Application& app, int seconds) {
    auto* counter = new PaintCounter;
    auto paints = std::make_shared<int>(0);
    counter->onPaint = [paints] { ++*paints; };
    app.mainWindow().content()->simulationView()->installEventFilter(counter);

    // Second part: the lateness of a 20 ms timer, what a key press waits for
    // at most. Apart from the first part, whose CPU time it would add to.
    const auto measureLateness = [seconds] {
        auto lateness = std::make_shared<std::vector<double>>();
        auto since = std::make_shared<QElapsedTimer>();
        auto* probe = new QTimer;
        probe->setTimerType(Qt::PreciseTimer);
        QObject::connect(probe, &QTimer::timeout, [since, lateness] {
            lateness->push_back(double(since->nsecsElapsed()) / 1e6 - 20.0);
            since->start();
        });
        since->start();
        probe->start(20);
        QTimer::singleShot(seconds * 500, [lateness] {
            std::printf("  event-loop lateness median %.2f ms, p99 %.2f ms\n",
                        percentile(*lateness, 0.5), percentile(*lateness, 0.99));
            QApplication::exit(0);
        });
    };

    // First part, a second after the delayed start: ticks, paints, CPU, memory.
    QTimer::singleShot(6000, [&app, seconds, paints, measureLateness] {
        const std::int64_t steps = app.model()->stepsTaken();
        const double cpu = cpuSeconds();
        const double mainCpu = threadCpuSeconds();
        const long rss = statusKilobytes("VmRSS");
        const int paintsBefore = *paints;
        auto wall = std::make_shared<QElapsedTimer>();
        wall->start();
        QTimer::singleShot(seconds * 1000, [=, &app] {
            const double elapsed = double(wall->nsecsElapsed()) / 1e9;
            const double usedCpu = cpuSeconds() - cpu;
            const double usedMainCpu = threadCpuSeconds() - mainCpu;
            const double ticks = double(app.model()->stepsTaken() - steps) / elapsed;
            const double nominal = 1e6 / double(app.model()->frameDuration());
            std::printf("period %lld us: %.1f ticks/s (%+.2f %% off nominal %.1f), %.1f paints/s\n",
                        (long long)app.model()->frameDuration(), ticks, 100 * (ticks / nominal - 1),
                        nominal, (*paints - paintsBefore) / elapsed);
            std::printf("  CPU %.2f %% of one core, the main thread %.2f %%\n",
                        100 * usedCpu / elapsed, 100 * usedMainCpu / elapsed);
            std::printf(
                "  resident %ld kB at the start of the run, %ld kB at its end, peak %ld kB\n", rss,
                statusKilobytes("VmRSS"), statusKilobytes("VmHWM"));
            measureLateness();
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
