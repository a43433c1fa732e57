// What one frame of the drawing and one status-bar refresh cost, painted
// into an image the size of the drawing in a 1280 × 800 window.
//   paint_bench [FRAMES]
#include <QApplication>
#include <QElapsedTimer>
#include <QImage>
#include <QPainter>
#include <algorithm>
#include <cstdio>
#include <vector>

#include "integration.h"
#include "new_simulation.h"
#include "simulation_view.h"
#include "status_bar.h"

using namespace pellomarin;

namespace {

void report(const char* what, std::vector<double> microseconds) {
    std::sort(microseconds.begin(), microseconds.end());
    const auto at = [&](double p) {
        return microseconds[std::min(microseconds.size() - 1,
                                     size_t(p * double(microseconds.size())))];
    };
    std::printf("%-34s median %7.1f us   p99 %7.1f us   (%zu samples)\n", what, at(0.5), at(0.99),
                microseconds.size());
}

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication qt(argc, argv);
    const int frames = argc > 1 ? std::atoi(argv[1]) : 2000;

    RandomSource random(1);
    const auto model = newSimulation({1.0, 1.0, 1.0}, random);
    model->start(30.0, 5.0);
    model->suspendOrResume();  // steps come from this loop only

    SimulationView view;
    view.setModel(model);
    view.resize(1280, 770);
    MinimumDistance minimum;
    StatusBar bar(minimum);
    bar.setModel(model);
    bar.resize(1280, 24);

    QImage frame(view.size(), QImage::Format_ARGB32_Premultiplied);
    QImage row(bar.size(), QImage::Format_ARGB32_Premultiplied);
    std::vector<double> paint, refresh;
    QElapsedTimer clock;
    for (int n = 0; n < frames; ++n) {
        model->tick();  // the balls move between frames
        clock.start();
        view.render(&frame);
        paint.push_back(double(clock.nsecsElapsed()) / 1e3);
        if (n % 4 == 0) {
            clock.start();
            bar.refresh();
            bar.render(&row);
            refresh.push_back(double(clock.nsecsElapsed()) / 1e3);
        }
    }
    report("drawing, one frame 1280 x 770", paint);
    report("status bar, refresh and paint", refresh);
    return 0;
}
