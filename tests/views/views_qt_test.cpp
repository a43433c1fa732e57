// The drawing and the status bar; ctest runs these at device pixel ratios 1,
// 1.5 and 2 as well.
#include <QLabel>
#include <cmath>

#include "ball_colors.h"
#include "balls.h"
#include "projection.h"
#include "qt_tests.h"
#include "simulation_view.h"
#include "status_bar.h"

using namespace pellomarin;
using support::t;

namespace {

std::shared_ptr<Model> modelAt(std::array<Triple, 3> positions,
                               std::array<Triple, 3> movements = {}) {
    return Model::make(support::balls(positions, {8, 8, 8}, movements));  // radius 2
}

QColor pixelAt(const QImage& image, QPointF point) {
    return image.pixelColor((point * image.devicePixelRatio()).toPoint());
}

}  // namespace

class SimulationViewTest : public QObject {
    Q_OBJECT

    SimulationView view;

    QImage drawn(std::array<Triple, 3> positions, QSize size = {400, 400}) {
        view.setModel(modelAt(positions));
        view.resize(size);
        return view.grab().toImage();
    }

private slots:
    void ballsAreDrawnWhereTheyProjectNearestOnTop() {
        const QImage image = drawn({t(100, 0, -50), t(-120, 100, 80), t(0, 0, 0)});
        QCOMPARE(pixelAt(image, {300, 150}), ballColors[0]);  // 100 right, 50 up
        const auto green = projectedOffset(t(-120, 100, 80));
        QCOMPARE(pixelAt(image, {200 + green.x, 200 + green.y}), ballColors[1]);
        QCOMPARE(pixelAt(image, {310, 150}), QColor(Qt::black));  // just outside red
        QCOMPARE(pixelAt(image, {5, 395}), QColor(Qt::black));
        QCOMPARE(pixelAt(drawn({t(0, 0, 0), t(0, -100, 0), t(0, 0, 0)}), {200, 200}),
                 ballColors[1]);
        QCOMPARE(pixelAt(drawn({t(0, 50, 0), t(0, 50, 0), t(0, 100, 0)}), {200, 200}),
                 ballColors[1]);
    }

    void ballsBehindTheEyeOrNotANumberAreNotDrawnAndOneAtTheEyeFillsTheArea() {
        QCOMPARE(pixelAt(drawn({t(0, -200, 0), t(0, -250, 0), t(NAN, 0, 0)}), {200, 200}),
                 QColor(Qt::black));
        const QImage huge = drawn({t(0, -199.999999, 0), t(0, 500, 0), t(0, 600, 0)});
        QCOMPARE(pixelAt(huge, {1, 1}), ballColors[0]);
        QCOMPARE(pixelAt(huge, {398, 398}), ballColors[0]);
    }

    void aLargerAreaMovesTheCentreAndWidensTheTest() {
        const std::array<Triple, 3> p{t(250, 0, 0), t(0, 300, 0), t(0, 300, 40)};
        QCOMPARE(pixelAt(drawn(p, {400, 400}), {398, 200}), QColor(Qt::black));
        QCOMPARE(pixelAt(drawn(p, {700, 400}), {600, 200}), ballColors[0]);
    }

    void edgesAreSmoothAtTheScreensResolution() {
        const QImage image = drawn({t(100, 0, -50), t(0, -300, 0), t(0, -300, 0)});
        const qreal ratio = image.devicePixelRatio();
        QCOMPARE(image.size(), QSize(400, 400) * ratio);
        // Partly covered pixels all round the rim, each a device pixel.
        const double r = apparentDiameter(Ball(0, t(100, 0, -50), 8, Triple::zero)) * 0.5 * ratio;
        int partial = 0;
        for (int y = int(150 * ratio - r - 2); y <= int(150 * ratio + r + 2); ++y)
            for (int x = int(300 * ratio - r - 2); x <= int(300 * ratio + r + 2); ++x)
                partial +=
                    image.pixelColor(x, y).redF() > 0.05 && image.pixelColor(x, y).redF() < 0.95;
        QVERIFY2(partial > 3 * r, qPrintable(QString::number(partial)));
    }

    void trailsLieWhereABallWasUntilClearedOrTurnedOff() {
        // Ball 0 runs 200.5 down, through row 200 and behind ball 1 at 88; ball 2 is unseen.
        const auto model =
            Model::make(support::balls({t(-150, 0, 0.5), t(-224, 200, 1), t(374, -200, -1.5)},
                                       {8, 8, 8}, {t(3, 0, 0), t(0, 0, 0), t(-3, 0, 0)}),
                        [](std::function<void()> publish) { publish(); });
        SimulationView trailed;  // never painted: every version is shown at once
        trailed.resize(400, 400);
        trailed.setModel(model);
        trailed.setTrailsShown(true);
        for (int n = 0; n < 20; ++n)
            n == 10 ? trailed.clearTrails() : model->tick();
        const auto reddish = [](QColor c) { return c.red() > 100 && c.green() + c.blue() == 0; };
        QVERIFY(reddish(pixelAt(trailed.grab().toImage(), {95, 200})));
        QCOMPARE(pixelAt(trailed.grab().toImage(), {60, 200}), QColor(Qt::black));  // cleared
        trailed.resize(500, 400);  // the points are kept in 3D
        QVERIFY(reddish(pixelAt(trailed.grab().toImage(), {145, 200})));
        QCOMPARE(pixelAt(trailed.grab().toImage(), {138, 200}), ballColors[1]);  // over it
        trailed.setTrailsShown(false);
        QCOMPARE(pixelAt(trailed.grab().toImage(), {145, 200}), QColor(Qt::black));
    }
};

class StatusBarTest : public QObject {
    Q_OBJECT

    MinimumDistance minimum;

private slots:
    void eachValueInItsOwnCellAndTheMinimumAfterThePairs() {
        StatusBar bar(minimum);
        const auto model = modelAt({t(3, 4, 0), t(0, 0, 12.34), t(0, 0, 0)},
                                   {t(1.234, 0, 0), t(0, 0.5, 0), t(0, 0, 0)});
        bar.setModel(model);
        bar.refresh();
        const struct {
            const char* cell;
            const char* text;
        } rows[] = {{"speed 0", "1,23"},      {"speed 1", "0,500"},
                    {"speed 2", "0.0"},       {"distance 0", "5,00"},
                    {"distance 1", "12,3"},   {"acceleration 0", "0"},
                    {"distance 0-1", "13,3"}, {"distance 0-2", "5,00"},
                    {"distance 1-2", "12,3"}, {"minimum distance", "Min. Dist.: 5,00"}};
        for (const auto& row : rows)
            QCOMPARE(bar.text(row.cell), QString(row.text));
        // Lowered only by samples; NaN never lowers it.
        bar.setModel(modelAt({t(NAN, 0, 0), t(0, 0, 100), t(0, NAN, 300)}));
        bar.refresh();
        QCOMPARE(bar.text("distance 0-1"), QString("nan"));
        QCOMPARE(bar.text("minimum distance"), QString("Min. Dist.: 5,00"));
        minimum.reset();
        bar.refresh();
        QCOMPARE(bar.text("minimum distance"), QString("Min. Dist.: ***"));
        // It ticks every half second by itself.
        bar.setModel(model);
        QTRY_COMPARE_WITH_TIMEOUT(bar.text("minimum distance"), QString("Min. Dist.: 5,00"), 3000);
    }

    void cellsInTheBallColoursAndMarkersRedGreenRedYellowGreenYellow() {
        StatusBar bar(minimum);
        bar.resize(1300, 30);
        bar.show();
        QVERIFY(QTest::qWaitForWindowExposed(&bar));
        const QImage image = bar.grab().toImage();
        std::vector<std::pair<int, QColor>> markers;
        for (QWidget* child : bar.findChildren<QWidget*>()) {
            if (child->size() == QSize(11, 11))
                markers.emplace_back(child->x(), pixelAt(image, child->geometry().center()));
            const auto* cell = qobject_cast<QLabel*>(child);
            const int ball = cell ? cell->objectName().right(1).toInt() : 0;
            if (cell && cell->objectName().contains(QRegularExpression("^\\w+ \\d$"))) {
                QCOMPARE(cell->palette().color(QPalette::WindowText), ballColors[ball]);
                QCOMPARE(pixelAt(image, cell->geometry().topLeft() + QPoint(1, 1)),
                         QColor(Qt::gray));
            }
        }
        std::sort(markers.begin(), markers.end(),
                  [](auto& a, auto& b) { return a.first < b.first; });
        QCOMPARE(int(markers.size()), 6);
        const int expected[] = {0, 1, 0, 2, 1, 2};
        for (int k = 0; k < 6; ++k)
            QCOMPARE(markers[k].second, ballColors[expected[k]]);
        const int pair = bar.findChild<QLabel*>("distance 0-1")->x();
        QVERIFY(pair > markers[1].first && pair < markers[2].first);
    }
};

int main(int argc, char** argv) {
    return support::runQtTests<SimulationViewTest, StatusBarTest>(argc, argv);
}

#include "views_qt_test.moc"
