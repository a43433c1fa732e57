// The drawing and the status bar; ctest runs these at device pixel ratios 1, 1.5 and 2 as well.
#include <QPainter>
#include <cmath>
#include <thread>

#include "ball_colors.h"
#include "balls.h"
#include "camera.h"
#include "content_view.h"
#include "projection.h"
#include "qt_tests.h"
#include "simulation_view.h"
#include "status_bar.h"
#include "trails.h"

using namespace pellomarin;
using support::t;

namespace {

// Balls of radius 2; told of each step at once if asked, with no event loop between.
std::shared_ptr<Model> modelAt(std::array<Triple, 3> positions,
                               std::array<Triple, 3> movements = {}, bool toldAtOnce = false) {
    return Model::make(
        support::balls(positions, {8, 8, 8}, movements),
        toldAtOnce ? [](std::function<void()> publish) { publish(); } : PostToMain());
}

QColor pixelAt(const QImage& image, QPointF point) {
    return image.pixelColor((point * image.devicePixelRatio()).toPoint());
}

}  // namespace

class SimulationViewTest : public QObject {
    Q_OBJECT

private slots:
    // Where the balls land and in which colours, the runner's pictures show
    // with the same drawing code: here, what they cannot.
    void theNearestOnTopNoneLostInAWideAreaAndOneAtTheEyeFillsIt() {
        SimulationView view;
        view.resize(400, 400);
        view.setModel(modelAt({t(0, 0, 0), t(0, -100, 0), t(0, 0, 0)}));
        QCOMPARE(pixelAt(view.grab().toImage(), {200, 200}), ballColors[1]);
        view.resize(700, 400);  // farther from the centre than the height's half, still inside
        view.setModel(modelAt({t(250, 0, 0), t(0, 300, 0), t(0, 300, 40)}));
        QCOMPARE(pixelAt(view.grab().toImage(), {600, 200}), ballColors[0]);
        // Mass 1e30 a millionth in front of the eye: a circle far beyond what
        // the painter's rasteriser takes.
        view.setModel(Model::make(
            support::balls({t(0, -199.999999, 0), t(0, 500, 0), t(0, 600, 0)}, {1e30, 8, 8})));
        const QImage huge = view.grab().toImage();
        QVERIFY(pixelAt(huge, {1, 1}) == ballColors[0] &&
                pixelAt(huge, {398, 398}) == ballColors[0]);
    }

    // With Keep All in View on, even in the fixed view, no ball is drawn less than 4 device pixels
    // across, its rim smoothed at the screen's resolution; the eye goes back until a far ball is in
    // the picture, and comes in again with balls coming in.
    void keepAllInViewReachesAFarBallDrawnAtLeastFourPixelsAcross() {
        SimulationView keeping;
        keeping.resize(400, 400);
        keeping.show();  // a hidden widget's grab resizes it, which would fit it anew
        keeping.setKeepAllInView(true);
        for (const auto& [far, mass] : {std::pair{20000.0, 1.0}, {50.0, 1e-6}}) {
            keeping.setModel(
                Model::make(support::balls({t(far, 0, 0), t(-far / 2, 0, 0), {}}, {mass, 1, 1})));
            const QImage image = keeping.grab().toImage();
            double area = 0, partial = 0;  // ball 0's, in device pixels, and its rim's pixels
            for (int y = 0; y < image.height(); ++y)
                for (int x = 0; x < image.width(); ++x)
                    if (const QColor c = image.pixelColor(x, y); c.green() == 0)
                        area += c.redF(), partial += c.red() > 0 && c.red() < 255;
            QVERIFY2(std::abs(area - M_PI * 4) < 2 && partial > 4,
                     qPrintable(QString::number(area)));
        }
        QVERIFY(keeping.shownCamera().isFixedView());
        const auto model =
            modelAt({t(1000, 0, 0), t(-1000, 0, 0), {}}, {t(-100, 0, 0), t(100, 0, 0)}, true);
        keeping.setModel(model);
        const double far = keeping.shownCamera().zoom();
        for (int n = 0; n < 8; ++n)  // each step told of
            std::this_thread::sleep_for(Model::displayFrame), model->tick();
        QVERIFY(keeping.shownCamera().zoom() > far);
    }

    void trailsLieWhereABallWasUntilClearedOrTurnedOff() {
        // Ball 0 runs 200.5 down, through row 200 and behind ball 1 at 88; ball 2 is unseen.
        const auto model = modelAt({t(-150, 0, 0.5), t(-224, 200, 1), t(374, -200, -1.5)},
                                   {t(3, 0, 0), t(0, 0, 0), t(-3, 0, 0)}, true);
        SimulationView trailed;  // never painted: every version is shown at once
        trailed.resize(400, 400);
        trailed.setModel(model), trailed.setTrailsShown(true);
        for (int n = 0; n < 20; ++n) {
            std::this_thread::sleep_for(Model::displayFrame);  // each step told of
            n == 10 ? trailed.clearTrails() : model->tick();
        }
        const auto reddish = [](QColor c) { return c.red() > 100 && c.green() + c.blue() == 0; };
        QVERIFY(reddish(pixelAt(trailed.grab().toImage(), {95, 200})));
        QCOMPARE(pixelAt(trailed.grab().toImage(), {60, 200}), QColor(Qt::black));  // cleared
        trailed.resize(500, 400);  // the points are kept in 3D
        QVERIFY(reddish(pixelAt(trailed.grab().toImage(), {145, 200})));
        QCOMPARE(pixelAt(trailed.grab().toImage(), {138, 200}), ballColors[1]);  // over it
        trailed.setCamera(Camera(0.5, 0, 0));  // the eye twice as far: x -105 halved
        QVERIFY(reddish(pixelAt(trailed.grab().toImage(), {197, 200})));
        trailed.setTrailsShown(false);
        QCOMPARE(pixelAt(trailed.grab().toImage(), {145, 200}), QColor(Qt::black));
    }

    // Ball 0 draws a row of 10-pixel segments a time unit apart, then one of
    // 30-pixel segments far apart in time; balls 1 and 2 stay just in front of
    // the eye, projected beyond any integer: right and above, then left and below.
    void trailsFadeWithAgeAndRepaintLittle() {
        Trails trails;
        const QRect area(0, 0, 400, 400);
        trails.resize(area.size());
        std::vector<QRect> repainted;
        const auto repaints = [&](QPoint p) {
            return std::ranges::any_of(repainted, [&](const QRect& r) { return r.contains(p); });
        };
        const auto add = [&](double time, int x, int y) {  // ball 0 to (x, y + 0.5) on screen
            const double nearEye = std::nextafter(eyeY, 0.0),
                         far = (y < 200 ? 1 : -1) * (100 + time);
            repainted.clear();
            trails.add({Ball(0, t(x - 200, 0, y - 199.5), 8, {}),
                        Ball(1, t(far, nearEye, 0), 8, {}), Ball(2, t(0, nearEye, -far), 8, {})},
                       time, [&](const QRect& r) { repainted.push_back(r); });
            for (const QRect& r : repainted)
                QVERIFY(area.contains(r));
        };
        for (int k = 0; k < 20; ++k) {
            add(k, 10 + 10 * k, 100);
            // Just around ball 0's newest segment, nothing of balls 1 and 2 so that no frame shows
            // them, but all of it once a sixteenth of the fade time has passed.
            if (k > 0 && k < 19)
                QVERIFY(repainted.size() == 1 && repainted[0].contains(QRect(10 * k, 100, 11, 1)) &&
                        !repaints(QPoint(10 * k - 5, 100)));
            for (int j = 1; k == 19 && j <= k; ++j)
                QVERIFY(repaints(QPoint(5 + 10 * j, 100)));
        }
        int j = 0;
        for (const double time : {200, 250, 300, 350, 400, 550})
            add(time, 210 + 30 * j++, 300);
        QVERIFY(!repaints(QPoint(15, 100)));  // its points dropped once older than the fade time
        QImage image(area.size(), QImage::Format_RGB32);
        image.fill(Qt::black);
        QPainter painter(&image);
        trails.paint(painter, area);
        painter.end();
        // Fainter with age, and gone a fade time (300) after its newer end.
        for (int x = 225; x < 345; x += 30)
            QVERIFY(image.pixelColor(x, 300).red() < image.pixelColor(x + 30, 300).red());
        QCOMPARE(image.pixelColor(225, 300), QColor(Qt::black));
    }
};

class StatusBarTest : public QObject {
    Q_OBJECT

    MinimumDistance minimum;

private slots:
    // Conservation: empty before the start, then by hand after one Euler step with no
    // correction: ball 0 to (10, 1, 0) moving (-a, 1, 0), ball 1 opposite, a = 0.75 or 0.5.
    void eachValueInItsOwnCellTheMinimumAfterThePairsConservationUnderEachLaw() {
        StatusBar bar(minimum);
        bar.setConservationShown(true);
        for (const auto& [law, texts] :
             {std::pair{ForceLaw::inverseDistance, "2537.06 1.6E-02 7.5E-02"},
              std::pair{ForceLaw::newton, "-69.603 3.3E-02 5.0E-02"}}) {
            const auto model =
                modelAt({t(10, 0, 0), t(-10, 0, 0), t(0, 0, 0)}, {t(0, 1, 0), t(0, -1, 0), {}});
            bar.setModel(model), bar.refresh();
            QCOMPARE(bar.text("energy"), QString());
            model->cancel();  // started on a stopped timer, stepped here
            model->start(30, 5, IntegrationMethod::euler, law);
            model->tick();
            bar.refresh();
            QCOMPARE(bar.text("energy") + ' ' + bar.text("energy change") + ' ' +
                         bar.text("angular momentum change"),
                     QString(texts));
        }
        const auto model = modelAt({t(3, 4, 0), t(0, 0, 12.34), t(0, 0, 10)},
                                   {t(1.234, 0, 0), t(0, 0.5, 0), t(0, 0, 0)});
        bar.setModel(model), bar.refresh();
        // clang-format off
        const struct { const char* cell; const char* text; } rows[] = {
            {"speed 0", "1,23"}, {"speed 1", "0,500"}, {"speed 2", "0.0"}, {"distance 0", "5,00"},
            {"distance 1", "12,3"}, {"distance 2", "10,0"}, {"acceleration 0", "0"},
            {"distance 0-1", "13,3"}, {"distance 0-2", "11,2"}, {"distance 1-2", "2,34"},
            {"minimum distance", "Min. Dist.: 2,34"}};
        // clang-format on
        for (const auto& row : rows)
            QCOMPARE(bar.text(row.cell), QString(row.text));
        // Lowered only by samples; NaN never lowers it.
        bar.setModel(modelAt({t(NAN, 0, 0), t(0, 0, 100), t(0, NAN, 300)})), bar.refresh();
        QCOMPARE(bar.text("minimum distance"), QString("Min. Dist.: 2,34"));
        minimum.reset(), bar.refresh();
        QCOMPARE(bar.text("minimum distance"), QString("Min. Dist.: ***"));
        // It ticks every half second by itself.
        bar.setModel(model);
        QTRY_COMPARE_WITH_TIMEOUT(bar.text("minimum distance"), QString("Min. Dist.: 2,34"), 3000);
    }

    // One row where the window is wide enough, else as many as needed, each group whole and in
    // order, and one row again when widened: every cell visible and in order, the ball cells and
    // markers in their colours.
    void groupsOnRowsInOrderAndCellsInTheBallColours() {
        ContentView content(minimum);
        content.show();
        const StatusBar& bar = *content.statusBar();
        const auto groups = bar.findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
        QImage image;
        // The cells and markers (by colour) row by row, from the left.
        const auto reading = [&] {
            image = content.grab().toImage();
            QMap<std::pair<int, int>, QString> seen;  // by row, then from the left
            for (QWidget* child : bar.findChildren<QWidget*>()) {
                const QRect r(child->mapTo(&content, QPoint(0, 0)), child->size());
                QString name = child->objectName();
                if (child->size() == QSize(11, 11))  // a marker, by its colour
                    name =
                        QString::number(std::ranges::find(ballColors, pixelAt(image, r.center())) -
                                        ballColors.begin());
                if (!name.isEmpty() && child->isVisible())
                    seen[{child->parentWidget()->mapTo(&content, QPoint()).y(), r.x()}] = name;
            }
            return QStringList(seen.values()).join(',');
        };
        // Each group's row; "!" for one cut off or squeezed, or neither right of nor below the one
        // before.
        const auto rows = [&] {
            QString text;
            QRect before(0, -1, 0, 0);
            for (int g = 0, row = -1; g < groups.size(); ++g) {
                if (groups[g]->isHidden())
                    continue;
                const QRect r(groups[g]->mapTo(&content, QPoint()), groups[g]->size());
                row += r.top() > before.bottom();
                const bool whole = content.rect().contains(r) &&
                                   r.height() >= groups[g]->sizeHint().height() &&
                                   (r.top() > before.bottom() || r.left() > before.right());
                text += whole ? QString::number(row) : "!";
                before = r;
            }
            return text;
        };
        const QString cells(
            "speed 0,speed 1,speed 2,acceleration 0,acceleration 1,acceleration 2,distance 0,"
            "distance 1,distance 2,0,1,distance 0-1,0,2,distance 0-2,1,2,distance 1-2,minimum "
            "distance");
        const int oneRow = bar.sizeHint().width() + 3;  // just wide enough (3 for the inset)
        content.resize(oneRow, 700);
        QTRY_COMPARE(rows(), QString("00000"));
        QCOMPARE(bar.height(), groups[0]->sizeHint().height());  // the hidden group takes no row
        const auto upTo = [&](int g) {
            return oneRow - bar.width() + groups[g]->geometry().right() + 1;  // 0 to g on one row
        };
        const std::pair<int, const char*> widths[] = {
            {oneRow - 1, "00001"}, {upTo(2), "00011"}, {upTo(1), "00122"}, {oneRow, "00000"}};
        for (const auto& [width, expected] : widths) {
            content.resize(width, 700);
            QTRY_COMPARE(rows(), QString(expected));
            QTRY_COMPARE(reading(), cells);
            for (const QWidget* cell :
                 bar.findChildren<QWidget*>(QRegularExpression("^\\w+ \\d$"))) {
                QCOMPARE(cell->palette().color(QPalette::WindowText),
                         ballColors[cell->objectName().right(1).toInt()]);
                QCOMPARE(pixelAt(image, cell->mapTo(&content, QPoint(1, 1))), QColor(Qt::gray));
            }
        }
        content.statusBar()->setConservationShown(true);  // a sixth group, on a row of its own
        QTRY_COMPARE(rows(), QString("000001"));
        QTRY_COMPARE(reading(), cells + ",energy,energy change,angular momentum change");
        content.resize(bar.sizeHint().width() + 3, 700);
        QTRY_COMPARE(rows(), QString("000000"));
    }
};

int main(int argc, char** argv) {
    return support::runQtTests<SimulationViewTest, StatusBarTest>(argc, argv);
}

#include "views_qt_test.moc"
