#include <QAccessible>
#include <QAction>
#include <QClipboard>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QTemporaryDir>
#include <random>
#include <thread>

#include "application.h"
#include "content_view.h"
#include "main_window.h"
#include "qt_tests.h"
#include "run_runner.h"
#include "settings.h"
#include "settings_window.h"
#include "simulation_view.h"
#include "status_bar.h"

using namespace pellomarin;
using namespace std::chrono_literals;

namespace {

constexpr auto delay = 200ms;

// Counts the paint events of a widget and the area they cover.
struct Paints : QObject {
    int count = 0;
    qint64 area = 0;
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint) {
            ++count;
            for (const QRect& r : static_cast<QPaintEvent*>(event)->region())
                area += qint64(r.width()) * r.height();
        }
        return false;
    }
};

}  // namespace

class ApplicationTest : public QObject {
    Q_OBJECT

    MemoryStore store;

    static void showAndActivate(QWidget& window) {
        window.show();
        QVERIFY(QTest::qWaitForWindowActive(&window));
    }

private slots:
    void init() { store = MemoryStore(); }

    void launchShowsAStillSimulationAndStartsItAfterTheDelay() {
        QElapsedTimer sinceLaunch;
        sinceLaunch.start();
        Application app(store, {delay, 1});
        QCOMPARE(store.read("mass 0"), 1.0);
        QVERIFY(!store.contains("calculation period"));  // read only at the start
        QVERIFY(!app.mainWindow().suspendResumeAction()->isEnabled());
        QAccessibleInterface* command =
            QAccessible::queryAccessibleInterface(app.mainWindow().suspendResumeAction());
        const auto said = [command] { return command->text(QAccessible::Description); };
        QCOMPARE(said(), QString("The simulation waits for its start."));
        QTRY_VERIFY(app.model()->isRunning());
        QVERIFY(sinceLaunch.elapsed() >= delay.count());  // never early
        QCOMPARE(said(), QString("The simulation is running."));
        QCOMPARE(store.read("calculation period"), 30.0);
        QCOMPARE(store.read("gravitational constant"), 5.0);
        QVERIFY(app.mainWindow().suspendResumeAction()->isEnabled());
        QTRY_VERIFY(app.model()->version() > 2);
        app.suspendOrResume();
        QCOMPARE(said(), QString("The simulation is suspended."));
    }

    void newSimulationsWaitForTheirOwnDelayedStart() {
        store.write("calculation period", 1);
        Application app(store, {delay, 1});
        const auto first = app.model();
        app.newSimulation();
        const auto second = app.model();
        store.write("mass 1", 8);
        app.newSimulation();
        QCOMPARE(app.model()->snapshot()[1].mass, 8.0);
        QVERIFY(first->timer().isCancelled() && second->timer().isCancelled());
        // The first model's pending start enables Suspend/Resume early, which
        // leaves the waiting model alone.
        QTRY_VERIFY(app.isTimerInitialized().value());
        app.suspendOrResume();
        QVERIFY(!app.model()->isRunning());
        QTRY_VERIFY(app.model()->version() > 5);
        QCOMPARE(first->stepsTaken() + second->stepsTaken(), 0);
        QCOMPARE(app.model()->timer().refusedResumes(), 0u);
        QCOMPARE(&app.model()->isTimerInitialized(), &app.isTimerInitialized());
    }

    void copyStartReplaysInTheRunnerStepForStepAndPixelForPixel() {
        store.write("gravitational constant", -2);
        store.write("calculation period", 0.0125);  // 13 µs: the half rounds up
        store.write("mass 1", 2.5);
        store.writeText("integration method", "accurate");
        store.writeText("force law", "newton");
        Application app(store, {delay, 11});
        app.mainWindow().copyStartAction()->trigger();
        const QString text = QGuiApplication::clipboard()->text(),
                      command = text.section('\n', 0, 0);
        QCOMPARE(command,
                 "# pellomarin-run --masses 1,2.5,1 --gravity 5 --period 0.0125 "
                 "--integrator accurate --law newton --state -");
        QCOMPARE(store.read("gravitational constant"), -2.0);
        QTRY_VERIFY(app.model()->stepsTaken() > 1000);
        app.suspendOrResume();
        store.write("calculation period", 1);  // for the next simulation
        app.mainWindow().copyStartAction()->trigger();
        QCOMPARE(QGuiApplication::clipboard()->text(), text);
        SimulationView* view = app.mainWindow().content()->simulationView();
        view->setModel(app.model());  // a fresh snapshot at the next paint
        app.mainWindow().show();      // laid out as the user sees it
        QVERIFY(QTest::qWaitForWindowExposed(&app.mainWindow()));
        const QImage shown = view->grab().toImage().convertToFormat(QImage::Format_RGB32);
        QTemporaryDir dir;
        const QString more =
            QString::asprintf(" --describe --no-paths --steps %lld --size %dx%d --picture ",
                              qlonglong(app.model()->stepsTaken()), shown.width(), shown.height());
        const auto ran = support::runRunner(
            (command.mid(17) + more + dir.filePath("p.png")).toStdString(), text.toStdString());
        QCOMPARE(ran.out, app.model()->description() + "\n");
        QCOMPARE(QImage(dir.filePath("p.png")).convertToFormat(QImage::Format_RGB32), shown);
    }

    // Restart keeps the minimum and clears the trails; New Simulation resets
    // the minimum, and Copy Start then gives the new simulation's start.
    void whatRestartAndNewSimulationKeepAndReset() {
        store.write("show trails", 1);
        store.write("calculation period", 1);
        Application app(store, {0ms, 1});
        app.mainWindow().show();
        QVERIFY(QTest::qWaitForWindowExposed(&app.mainWindow()));
        SimulationView* view = app.mainWindow().content()->simulationView();
        QTRY_VERIFY(app.model()->version() > 300);
        app.suspendOrResume();
        app.mainWindow().content()->statusBar()->refresh();
        const double sampled = app.minimumDistance().minDistanceSoFar();
        QVERIFY(sampled < greatestFiniteDouble);
        const QImage trailed = view->grab().toImage();
        app.restart();
        QCOMPARE(app.minimumDistance().minDistanceSoFar(), sampled);
        const QImage restarted = view->grab().toImage();
        view->setTrailsShown(false);
        QVERIFY(trailed != view->grab().toImage());
        QCOMPARE(restarted, view->grab().toImage());
        store.write("mass 1", 2);
        store.write("calculation period", 2);
        store.write("gravitational constant", 3);
        app.newSimulation();
        QCOMPARE(app.minimumDistance().minDistanceSoFar(), greatestFiniteDouble);
        app.copyStart();
        QCOMPARE(QGuiApplication::clipboard()->text().section('\n', 0, 0),
                 "# pellomarin-run --masses 1,2,1 --gravity 3 --period 2 --state -");
    }

    // Open Start and Paste Start run the start bit for bit with what it names,
    // the rest read from the store at the delayed start, and leave the store
    // as it was; New Simulation draws from the settings again.
    void aStartComesInFromAFileTheClipboardOrTheStartsMenu() {
        const std::pair<const char*, double> stored[] = {
            {"calculation period", 1}, {"gravitational constant", 3}, {"mass 1", 2}};
        for (const auto& [key, value] : stored)
            store.write(key, value);
        store.writeText("integration method", "leapfrog");
        Application app(store, {0ms, 3});
        const QString head = "# pellomarin-run --masses 0.1,2.5,1e-07 --gravity 0.7 --period 0.5",
                      balls = "\n1,2,3,0.1,0.2,0.3\n-1e-300,0,7,0,0,-0.3\n5,4,3,2,1,0.1\n";
        QTemporaryDir dir;
        QFile file(dir.filePath("a.pellomarin"));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write((head + " --law newton --state -\r\n# a comment" + balls).toUtf8());
        file.close();
        app.openStart(file.fileName());
        QTRY_VERIFY(app.model()->isRunning());
        const QString copied = head + " --integrator leapfrog --law newton --state -" + balls;
        app.copyStart();
        QCOMPARE(QGuiApplication::clipboard()->text(), copied);
        const auto opened = app.model();
        app.pasteStart();
        QVERIFY(app.model() != opened && opened->timer().isCancelled());
        app.copyStart();  // before its start: what it will run with
        QCOMPARE(QGuiApplication::clipboard()->text(), copied);
        for (const auto& [key, value] : stored)
            QCOMPARE(store.read(key), value);
        QCOMPARE(store.readText("force law"), "inverse-distance");
        const auto named = [&app](const QString& name) {
            for (QAction* action : app.mainWindow().startsMenu()->actions())
                if (action->text() == name)
                    action->trigger();
            app.copyStart();
            return QGuiApplication::clipboard()->text().section('\n', 0, 0);
        };
        QCOMPARE(named("figure-eight"),
                 "# pellomarin-run --masses 8,8,8 --gravity 375.161134522 "
                 "--period 30 --integrator accurate --law newton --state -");
        app.newSimulation();
        app.copyStart();
        QCOMPARE(QGuiApplication::clipboard()->text().section('\n', 0, 0),
                 "# pellomarin-run --masses 1,2,1 --gravity 3 --period 1 --integrator leapfrog "
                 "--state -");
    }

    // Each bad start leaves the simulation as it was and says in a warning
    // which line is wrong and why, in the runner's words.
    void aBadStartChangesNothingAndSaysWhy() {
        Application app(store, {1h, 3});
        const auto model = app.model();
        QTemporaryDir dir;
        const QString ok = "1,2,3,4,5,6\n1,2,3,4,5,6\n";
        const std::pair<QByteArray, QString> starts[] = {
            {"Dear diary,\n", "state line 1: expected x,y,z,vx,vy,vz, got 'Dear diary,'"},
            {(ok + "1,2,3,4,5\n").toUtf8(), "state line 3: expected x,y,z,vx,vy,vz"},
            {(ok + "1,2,3,4,inf,6\n").toUtf8(), "state line 3: 'inf' is not a finite number"},
            {("# pellomarin-run --masses 1,-2,1\n" + ok + ok).toUtf8(), "state line 1: --masses"},
            {"# pellomarin-run --integrator rk4\n", "state line 1: --integrator: expected euler"},
            {"#pellomarin-run --law hooke\n", "state line 1: --law: expected inverse-distance"},
            {QByteArray("\x89PNG\r\n\x1a\n\0\xff", 10), "state line 1: expected x,y,z"},
            {"missing", "cannot read state file"},
            {".", "is a folder"},
            {("# " + QByteArray(64 * 1024, 'x') + "\n" + ok + ok).toUtf8(), "larger than 64 KiB"}};
        for (const auto& [text, why] : starts) {
            const QString path = dir.filePath(QString::number(qHash(text)));
            QFile file(path);
            if (text != "missing" && text != "." && file.open(QIODevice::WriteOnly))
                file.write(text);
            file.close();
            text.startsWith("Dear")
                ? (QGuiApplication::clipboard()->setText(text), app.pasteStart())
                : app.openStart(text == "." ? dir.path() : path);
            auto* box = app.mainWindow().findChild<QMessageBox*>();
            QVERIFY2(box && box->isVisible() && box->informativeText().contains(why),
                     qPrintable(box ? box->informativeText() : why));
            delete box;
            QVERIFY(app.model() == model && !model->timer().isCancelled());
        }
    }

    // The model's notifications rely on the order.
    void workPostedFromAnotherThreadRunsOnTheMainThreadInOrder() {
        std::vector<int> ran;
        std::thread([&ran] {
            for (int k = 0; k < 100; ++k)
                postToMain([&ran, k] {
                    ran.push_back(QThread::currentThread() == qApp->thread() ? k : -1);
                });
        }).join();
        QTRY_COMPARE(ran.size(), 100u);
        for (int k = 0; k < 100; ++k)
            QCOMPARE(ran[k], k);
    }

    void everyCommandFromTheKeyboardInEitherWindow() {
        store.write("calculation period", 1);
        Application app(store, {delay, 1});
        MainWindow& window = app.mainWindow();
        showAndActivate(window);
        QTRY_VERIFY(app.model()->isRunning());
        // The drawing has the focus, framed once Tab brought it; Tab goes on to the cells.
        QWidget* area = window.content()->simulationView();
        QCOMPARE(QApplication::focusWidget(), area);
        const auto corner = [area] { return area->grab().toImage().pixelColor(0, 0); };
        QCOMPARE(corner(), QColor(Qt::black));
        QTest::keyClick(&window, Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget()->objectName(), QString("speed 0"));
        QTest::keyClick(&window, Qt::Key_Backtab);
        QCOMPARE(corner(), area->palette().color(QPalette::Highlight));
        QTest::keyClick(&window, Qt::Key_B, Qt::ControlModifier);
        QVERIFY(!app.model()->isRunning());
        const auto start = app.model()->memento()[0]->position;
        QTest::keyClick(&window, Qt::Key_R, Qt::ControlModifier);
        QCOMPARE(app.model()->snapshot()[0].position, start);
        // Zoom, turn and tilt change the picture; Reset View brings back the fixed view's.
        const QImage fixedView = area->grab().toImage();
        for (const Qt::Key key : {Qt::Key_Equal, Qt::Key_Left, Qt::Key_Down}) {
            QTest::keyClick(&window, key, Qt::ControlModifier);
            QVERIFY(area->grab().toImage() != fixedView);
        }
        QTest::keyClick(&window, Qt::Key_0, Qt::ControlModifier);
        QCOMPARE(area->grab().toImage(), fixedView);
        QTest::keyClick(&window, Qt::Key_T, Qt::ControlModifier);
        QTest::keyClick(&window, Qt::Key_E, Qt::ControlModifier);
        QTest::keyClick(&window, Qt::Key_F, Qt::ControlModifier);
        const auto shown = [](MainWindow& w) {  // trails, conservation, Keep All in View
            return w.trailsAction()->isChecked() && w.keepAllInViewAction()->isChecked() &&
                   w.content()->statusBar()->findChild<QWidget*>("energy")->isVisibleTo(&w);
        };
        QVERIFY(shown(window) && shown(Application(store, {1h, 1}).mainWindow()));
        // Alt+P opens the menu; the arrows and Return choose a command.
        QMenu* menu = window.menuBar()->actions()[0]->menu();
        QTest::keyClick(&window, Qt::Key_P, Qt::AltModifier);
        QTRY_COMPARE(menu->activeAction(), window.restartAction());
        for (int k = 0; k < 7; ++k)
            QTest::keyClick(menu, Qt::Key_Down);
        QCOMPARE(menu->activeAction(), window.settingsAction());
        QTest::keyClick(menu, Qt::Key_Return);
        QTRY_VERIFY(app.settingsWindow().isActiveWindow());
        const auto first = app.model();
        QTest::keyClick(&app.settingsWindow(), Qt::Key_S, Qt::ControlModifier);
        QVERIFY(app.model() != first);
        QTimer::singleShot(5000, &app, [] { QCoreApplication::exit(1); });
        QTimer::singleShot(0, window.quitAction(), &QAction::trigger);
        QCOMPARE(QCoreApplication::exec(), 0);
        QTest::keyClick(&app.settingsWindow(), Qt::Key_Escape);
        QTRY_VERIFY(!app.settingsWindow().isVisible());
    }

    // Only a drag of the drag distance moves the window from the drawing or
    // resizes it from an edge; the menu's title on the resize border still opens.
    void onlyADragMovesOrResizesAndTheMenuTitleStillOpens() {
        Application app(store, {1h, 1});
        MainWindow& window = app.mainWindow();
        const QRect start(100, 100, 900, 700);
        showAndActivate(window);
        const int distance = QApplication::startDragDistance();
        const std::tuple<QPoint, QPoint, QRect> drags[] = {
            {{200, 300}, {distance - 2, 1}, start},
            {{200, 300}, {distance - 1, 1}, start.translated(distance - 1, 1)},
            {{898, 300}, {-50, 0}, start.adjusted(0, 0, -50, 0)},
            {{2, 300}, {-40, 0}, start.adjusted(-40, 0, 0, 0)},
            {{450, 1}, {0, 30}, start.adjusted(0, 30, 0, 0)},
            {{450, 685}, {30, 0}, start}};  // the status bar
        for (const auto& [from, by, after] : drags) {
            window.setGeometry(start);
            QTest::mousePress(window.windowHandle(), Qt::LeftButton, {}, from);
            QTest::mouseMove(window.windowHandle(), from + by);
            // Where the pointer now is on the moved window: no further move.
            QTest::mouseRelease(window.windowHandle(), Qt::LeftButton, {},
                                window.mapFromGlobal(start.topLeft() + from + by));
            QTRY_COMPARE(window.geometry(), after);
        }
        QAction* title = window.menuBar()->actions()[0];
        QTest::mouseClick(window.windowHandle(), Qt::LeftButton, {},
                          window.menuBar()->actionGeometry(title).topLeft() + QPoint(2, 2));
        QTRY_VERIFY(title->menu()->isVisible());
    }

    // On the offscreen screen (800 x 800) and on 960 x 540 points: as wide as the screen, down to
    // a 400 x 400 drawing with the whole status bar; the settings (its dialog) leave that in view.
    void fitsTheScreenAndKeepsTheStatusBarInView() {
        Application app(store, {1h, 1});
        MainWindow& window = app.mainWindow();
        showAndActivate(window);
        const QRect screen = window.screen()->availableGeometry();
        QVERIFY(screen.contains(window.frameGeometry()) && window.width() == screen.width());
        const StatusBar* bar = window.content()->statusBar();
        for (const QRect frame : {window.geometry(), QRect(screen.topLeft(), QSize(400, 400)),
                                  QRect(screen.right() - 399, screen.top(), 400, 400)}) {
            window.setGeometry(frame);
            QTRY_VERIFY(window.rect().contains(QRect(bar->mapTo(&window, QPoint()), bar->size())));
            app.showSettings();
            const QRect settings = app.settingsWindow().frameGeometry();
            QVERIFY(!settings.intersects(QRect(bar->mapToGlobal(QPoint()), bar->size())));
            QCOMPARE(settings.intersects(window.frameGeometry()), frame.width() > 400);
            app.settingsWindow().hide();
        }
        QCOMPARE(window.content()->simulationView()->size(), QSize(400, 400));
        QCOMPARE(app.settingsWindow().windowHandle()->transientParent(), window.windowHandle());
    }

    void aShortPeriodIsPaintedOncePerFrameOnlyWhereBallsAreAndLeavesNoTrails() {
        store.write("calculation period", 0.05);
        Application app(store, {0ms, 5});
        MainWindow& window = app.mainWindow();
        showAndActivate(window);
        QWidget* view = window.content()->simulationView();
        Paints paints;
        view->installEventFilter(&paints);
        QTest::qWait(1000);
        view->removeEventFilter(&paints);
        QVERIFY2(app.model()->version() > 2000,
                 qPrintable(QString::number(app.model()->version())));
        QVERIFY2(paints.count > 5 && paints.count <= 70, qPrintable(QString::number(paints.count)));
        QVERIFY(paints.area / paints.count < view->width() * view->height() / 20);
        app.suspendOrResume();
        QTest::qWait(100);  // the last frames reach the screen
        const QRect onScreen(view->mapTo(&window, QPoint(0, 0)), view->size());
        const QImage shown = window.screen()->grabWindow(window.winId()).toImage().copy(onScreen);
        QCOMPARE(shown.convertToFormat(QImage::Format_RGB32),
                 view->grab().toImage().convertToFormat(QImage::Format_RGB32));
    }

    // Thousands of random commands against models at 0.05 ms while the view
    // paints and the status bar ticks: no resume beyond the suspensions, and
    // every model's version ends equal to its steps.
    void randomCommandsWhileRunningFast() {
        store.write("calculation period", 0.05);
        Application app(store, {5ms, 42});
        app.mainWindow().show();
        std::vector<std::shared_ptr<Model>> models{app.model()};
        std::mt19937 random(7);
        const double values[] = {0.05, 0.013, 1, -3, 0, NAN, INFINITY, 1e308};
        for (int command = 0; command < 3000; ++command) {
            if (const auto pick = random() % 40; pick == 0)
                app.newSimulation(), models.push_back(app.model());
            else if (pick < 3)
                app.restart();
            else if (pick == 3)
                store.write(settings::all[random() % 5].key, values[random() % std::size(values)]);
            else if (pick == 4)
                app.mainWindow().content()->statusBar()->refresh();
            else
                app.suspendOrResume();
            if (command % 10 == 0)
                app.mainWindow().content()->simulationView()->repaint();
            command % 4 == 0 ? QTest::qWait(1) : QCoreApplication::processEvents();
        }
        std::int64_t steps = 0;
        for (const auto& model : models)
            model->cancel();
        QTest::qWait(50);
        for (const auto& model : models) {
            QCOMPARE(model->timer().refusedResumes(), 0u);
            QCOMPARE(model->version(), model->stepsTaken());
            steps += model->stepsTaken();
        }
        QVERIFY(models.size() > 20 && steps > 1000);  // a loaded machine runs fewer
    }
};

int main(int argc, char** argv) {
    return support::runQtTests<ApplicationTest>(argc, argv);
}

#include "application_test.moc"
