#include <QAction>
#include <QMenuBar>
#include <QtTest>

#include "application.h"
#include "content_view.h"
#include "main_window.h"
#include "number_text.h"
#include "settings.h"
#include "simulation_view.h"
#include "status_bar.h"

using namespace pellomarin;
using namespace std::chrono_literals;

namespace {

constexpr auto delay = 200ms;

Application::Options shortDelay() {
    return {delay, 1};
}

}  // namespace

class ApplicationTest : public QObject {
    Q_OBJECT

    MemoryStore store;

    static bool sameBalls(const std::array<Ball, 3>& a, const std::array<Ball, 3>& b) {
        for (int i = 0; i < 3; ++i)
            if (!(a[i].position == b[i].position) || !(a[i].movement == b[i].movement))
                return false;
        return true;
    }

private slots:
    void init() {
        store = MemoryStore();
        minDistanceSoFar = greatestFiniteDouble;
    }

    void launchShowsAStillSimulationAndStartsItAfterTheDelay() {
        QElapsedTimer sinceLaunch;
        sinceLaunch.start();
        Application app(store, shortDelay());
        QCOMPARE(store.read("mass 0"), 1.0);
        QVERIFY(!store.contains("calculation period"));  // read only at the start
        QVERIFY(!app.mainWindow().suspendResumeAction()->isEnabled());
        QVERIFY(app.mainWindow().restartAction()->isEnabled());
        QVERIFY(!app.model()->isRunning());

        QTRY_VERIFY(app.model()->isRunning());
        QVERIFY(sinceLaunch.elapsed() >= delay.count());  // never early
        QCOMPARE(store.read("calculation period"), 30.0);
        QCOMPARE(store.read("gravitational constant"), 5.0);
        QVERIFY(app.mainWindow().suspendResumeAction()->isEnabled());
        QTRY_VERIFY(app.model()->version() > 2);
    }

    void menuAndShortcuts() {
        Application app(store, shortDelay());
        MainWindow& window = app.mainWindow();
        QVERIFY(window.windowFlags() & Qt::FramelessWindowHint);
        const auto menus = window.menuBar()->actions();
        QCOMPARE(menus.size(), 1);
        // "&" marks the Alt+P mnemonic and is not shown.
        QCOMPARE(menus[0]->text(), QString("&Pellomarin"));
        QCOMPARE(menus[0]->iconText(), QString("Pellomarin"));
        QCOMPARE(window.restartAction()->text(), QString("Restart"));
        QCOMPARE(window.restartAction()->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_R));
        QCOMPARE(window.newSimulationAction()->text(), QString("New Simulation"));
        QCOMPARE(window.newSimulationAction()->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_S));
        QCOMPARE(window.suspendResumeAction()->text(), QString("Suspend/Resume"));
        QCOMPARE(window.suspendResumeAction()->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_B));
        QCOMPARE(window.settingsAction()->menuRole(), QAction::PreferencesRole);
        QVERIFY(!window.settingsAction()->shortcut().isEmpty());

        window.show();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        QTRY_VERIFY(app.model()->isRunning());
        QTest::keyClick(&window, Qt::Key_B, Qt::ControlModifier);
        QVERIFY(!app.model()->isRunning());
        QTest::keyClick(&window, Qt::Key_B, Qt::ControlModifier);
        QVERIFY(app.model()->isRunning());
        const auto first = app.model();
        QTest::keyClick(&window, Qt::Key_S, Qt::ControlModifier);
        QVERIFY(app.model() != first);
    }

    void restartBeforeTheFirstStartChangesNothingVisible() {
        Application app(store, shortDelay());
        const auto before = app.model()->snapshot();
        app.restart();
        QVERIFY(sameBalls(app.model()->snapshot(), before));
        QTRY_VERIFY(app.model()->isRunning());
    }

    void restartWhileSuspendedRestoresTheStartAndStaysSuspended() {
        store.write("calculation period", 1);
        Application app(store, shortDelay());
        const auto start = app.model()->snapshot();
        QTRY_VERIFY(app.model()->version() > 20);
        app.suspendOrResume();
        QTest::qWait(20);
        const auto version = app.model()->version();
        app.restart();
        QVERIFY(sameBalls(app.model()->snapshot(), start));
        QTest::qWait(50);
        QVERIFY(!app.model()->isRunning());
        QCOMPARE(app.model()->version(), version);  // restart publishes nothing
    }

    void newSimulationWhileSuspendedStartsTheNewModelAfterTheDelay() {
        store.write("calculation period", 1);
        Application app(store, shortDelay());
        QTRY_VERIFY(app.model()->isRunning());
        app.suspendOrResume();
        const auto old = app.model();
        app.newSimulation();
        QVERIFY(old->timer().isCancelled());
        QVERIFY(app.model() != old);
        QVERIFY(app.isTimerInitialized().value());
        QCOMPARE(app.model()->isTimerInitialized.get(), &app.isTimerInitialized());
        QVERIFY(!app.model()->isRunning());
        // Waiting for its start: Suspend/Resume leaves the new timer alone.
        app.suspendOrResume();
        QVERIFY(!app.model()->isRunning());
        QTRY_VERIFY(app.model()->isRunning());
        QTRY_VERIFY(app.model()->version() > 5);
        QCOMPARE(app.model()->timer().refusedResumes(), 0u);
        QCOMPARE(app.model()->timer().suspensionCount(), 0);
    }

    void twoNewSimulationsWithinTheDelay() {
        store.write("calculation period", 1);
        Application app(store, shortDelay());
        const auto first = app.model();
        app.newSimulation();
        const auto second = app.model();
        app.newSimulation();
        // The first model's pending start enables Suspend/Resume early.
        QTRY_VERIFY(app.isTimerInitialized().value());
        QTRY_VERIFY(app.model()->isRunning());
        QTest::qWait(50);
        QCOMPARE(first->stepsTaken(), 0);
        QCOMPARE(second->stepsTaken(), 0);
        QVERIFY(app.model()->stepsTaken() > 0);
    }

    void newSimulationResetsTheMinimumAndRestartKeepsIt() {
        Application app(store, shortDelay());
        StatusBar* bar = app.mainWindow().content()->statusBar();
        bar->refresh();
        const double sampled = minDistanceSoFar;
        QVERIFY(sampled < greatestFiniteDouble);
        app.restart();
        QCOMPARE(double(minDistanceSoFar), sampled);
        app.newSimulation();
        QCOMPARE(double(minDistanceSoFar), greatestFiniteDouble);
        const QString before = bar->text("minimum distance");
        QCOMPARE(bar->text("minimum distance"), before);  // texts stay until the next tick
        bar->refresh();
        QVERIFY(bar->text("distance 0-1") != QString());
    }

    void newMassesTakeEffectAtTheNextNewSimulation() {
        Application app(store, shortDelay());
        store.write("mass 1", 8);
        QCOMPARE(app.model()->snapshot()[1].mass, 1.0);
        app.newSimulation();
        QCOMPARE(app.model()->snapshot()[1].mass, 8.0);
        QCOMPARE(app.model()->snapshot()[1].radius, 2.0);
    }

    void draggingTheDrawingAreaMovesTheWindowAndItsEdgeResizesIt() {
        Application app(store, shortDelay());
        MainWindow& window = app.mainWindow();
        window.setGeometry(100, 100, window.minimumSizeHint().width() + 100, 700);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QWidget* area = window.content()->simulationView();
        const QRect before = window.geometry();
        QTest::mousePress(area, Qt::LeftButton, {}, QPoint(200, 200));
        QTest::mouseMove(area, QPoint(230, 210));
        QTest::mouseRelease(area, Qt::LeftButton, {}, QPoint(230, 210));
        QTRY_COMPARE(window.geometry().topLeft(), before.topLeft() + QPoint(30, 10));

        const QRect moved = window.geometry();
        const QPoint rightEdge(window.width() - 2, 300);
        QTest::mousePress(area, Qt::LeftButton, {}, area->mapFrom(&window, rightEdge));
        QTest::mouseMove(area, area->mapFrom(&window, rightEdge + QPoint(-50, 0)));
        QTest::mouseRelease(area, Qt::LeftButton, {},
                            area->mapFrom(&window, rightEdge + QPoint(-50, 0)));
        QTRY_COMPARE(window.geometry().width(), moved.width() - 50);
        QCOMPARE(window.geometry().left(), moved.left());
    }

    void aShortPeriodIsPaintedAtMostOncePerDisplayFrame() {
        store.write("calculation period", 0.05);
        Application app(store, {0ms, 1});
        QWidget* area = app.mainWindow().content()->simulationView();
        app.mainWindow().show();
        QVERIFY(QTest::qWaitForWindowExposed(&app.mainWindow()));
        int paints = 0;
        struct Counter : QObject {
            int& count;
            explicit Counter(int& c) : count(c) {}
            bool eventFilter(QObject*, QEvent* event) override {
                count += event->type() == QEvent::Paint;
                return false;
            }
        } counter(paints);
        area->installEventFilter(&counter);
        QTest::qWait(1000);
        area->removeEventFilter(&counter);
        QVERIFY2(app.model()->version() > 2000,
                 qPrintable(QString::number(app.model()->version())));
        QVERIFY2(paints > 5 && paints <= 70, qPrintable(QString::number(paints)));
    }

    void repaintingOnlyWhereBallsMoveLeavesNoTrails() {
        store.write("calculation period", 1);
        Application app(store, {0ms, 5});
        MainWindow& window = app.mainWindow();
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        struct Areas : QObject {
            qint64 painted = 0;
            int paints = 0;
            bool eventFilter(QObject*, QEvent* event) override {
                if (event->type() == QEvent::Paint) {
                    for (const QRect& r : static_cast<QPaintEvent*>(event)->region())
                        painted += qint64(r.width()) * r.height();
                    ++paints;
                }
                return false;
            }
        } areas;
        QWidget* view = window.content()->simulationView();
        QTest::qWait(50);
        view->installEventFilter(&areas);
        QTRY_VERIFY_WITH_TIMEOUT(app.model()->version() > 2000, 20000);
        view->removeEventFilter(&areas);
        // Only where balls were or are: a few small squares, not the area.
        QVERIFY(areas.paints > 10);
        QVERIFY(areas.painted / areas.paints < view->width() * view->height() / 20);
        app.suspendOrResume();
        QTest::qWait(100);  // the last frames reach the screen
        QWidget* area = window.content()->simulationView();
        const QRect onScreen(area->mapTo(&window, QPoint(0, 0)), area->size());
        const QImage shown = window.screen()->grabWindow(window.winId()).toImage().copy(onScreen);
        const QImage fresh = area->grab().toImage();
        QCOMPARE(shown.convertToFormat(QImage::Format_RGB32),
                 fresh.convertToFormat(QImage::Format_RGB32));
    }

    void theWindowFollowsTheCurrentModel() {
        Application app(store, shortDelay());
        app.newSimulation();
        QCOMPARE(app.mainWindow().content()->statusBar() != nullptr, true);
        app.mainWindow().content()->statusBar()->refresh();
        const auto balls = app.model()->snapshot();
        const QString expected = QString::fromStdString(
            numberText(std::sqrt((balls[0].position.x() * balls[0].position.x() +
                                  balls[0].position.y() * balls[0].position.y()) +
                                 balls[0].position.z() * balls[0].position.z())));
        QCOMPARE(app.mainWindow().content()->statusBar()->text("distance 0"), expected);
        QVERIFY(app.mainWindow().minimumSizeHint().width() >= 400);
    }
};

QTEST_MAIN(ApplicationTest)
#include "application_test.moc"
