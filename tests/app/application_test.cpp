#include <QAccessible>
#include <QAction>
#include <QClipboard>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QTemporaryDir>
#include <thread>

#include "application.h"
#include "content_view.h"
#include "main_window.h"
#include "qt_tests.h"
#include "run_runner.h"
#include "settings_window.h"
#include "simulation_view.h"
#include "status_bar.h"

using namespace pellomarin;
using namespace std::chrono_literals;

namespace {

constexpr auto delay = 200ms;

// What Copy Start puts on the clipboard: all of it, or its first line.
QString copied(Application& app, bool all = false) {
    app.copyStart();
    return QGuiApplication::clipboard()->text().section('\n', 0, all ? -1 : 0);
}

bool written(const QString& path, const QString& text) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(text.toUtf8()) > 0;
}

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

    // Each new simulation waits for its own delayed start, ignoring Suspend
    // meanwhile; the ones it replaced never step.
    void eachSimulationWaitsForItsOwnDelayedStart() {
        store.write("calculation period", 1);
        Application app(store, {delay, 1});
        const auto said = [&app] {
            return QAccessible::queryAccessibleInterface(app.mainWindow().suspendResumeAction())
                ->text(QAccessible::Description);
        };
        QCOMPARE(said(), QString("The simulation waits for its start."));
        QVERIFY(!app.mainWindow().suspendResumeAction()->isEnabled());
        QVERIFY(!store.contains("gravitational constant"));  // read only at the start
        const auto first = app.model();
        store.write("mass 1", 8);
        app.newSimulation();
        QCOMPARE(app.model()->snapshot()[1].mass, 8.0);
        QVERIFY(first->timer().isCancelled());
        app.suspendOrResume();  // ignored while it waits
        QTRY_VERIFY(app.model()->isRunning());
        QVERIFY(app.mainWindow().suspendResumeAction()->isEnabled());
        QCOMPARE(said(), QString("The simulation is running."));
        QCOMPARE(store.read("gravitational constant"), 5.0);
        QTRY_VERIFY(app.model()->version() > 5);
        app.suspendOrResume();
        QCOMPARE(said(), QString("The simulation is suspended."));
        QCOMPARE(first->stepsTaken(), 0);
    }

    // Work posted from a thread that goes on running reaches the main thread
    // whole and in order; under ThreadSanitizer this checks the hand-over,
    // which nothing else here orders (relaxed atomics order nothing for it).
    void workPostedFromAnotherThreadRunsOnTheMainThreadInOrder() {
        QStringList seen;
        std::atomic<int> stage = 0;  // 1: posted, 2: delivered
        const auto await = [&stage](int wanted) {
            while (stage.load(std::memory_order_relaxed) != wanted)
                std::this_thread::yield();
        };
        std::thread poster([&] {
            for (const char* text : {"first of the texts posted", "second of the texts posted"})
                postToMain([&seen, text = std::string(text)] {
                    seen << QString::fromStdString(text) +
                                (QThread::currentThread() == qApp->thread() ? "" : "!");
                });
            stage.store(1, std::memory_order_relaxed);
            await(2);
        });
        await(1);
        QCoreApplication::sendPostedEvents();  // outside the event loop's own wake-up
        stage.store(2, std::memory_order_relaxed);
        poster.join();
        QCOMPARE(seen, QStringList({"first of the texts posted", "second of the texts posted"}));
    }

    // Copy Start gives what the simulation runs with, which the runner replays step for step and
    // pixel for pixel. Open Start, Paste Start and the Starts menu run a start bit for bit with
    // what it names, the rest read from the store at the delayed start, and leave the store as it
    // was; New Simulation draws from the settings again.
    void copyStartReplaysInTheRunnerAndStartsComeInFromFileClipboardAndMenu() {
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
        store.writeText("force law", "inverse-distance");
        QCOMPARE(copied(app, true), text);
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

        const QString head = "# pellomarin-run --masses 0.1,2.5,1e-07 --gravity 0.7 --period 0.5",
                      balls = "\n1,2,3,0.1,0.2,0.3\n-1e-300,0,7,0,0,-0.3\n5,4,3,2,1,0.1\n";
        const QString file = dir.filePath("a.pellomarin");
        QVERIFY(written(file, head + " --law newton --state -\r\n# a comment" + balls));
        app.openStart(file);
        QTRY_VERIFY(app.model()->isRunning());
        const QString opens = head + " --integrator accurate --law newton --state -" + balls;
        QCOMPARE(copied(app, true), opens);
        const auto opened = app.model();
        app.pasteStart();
        QVERIFY(app.model() != opened && opened->timer().isCancelled());
        QTRY_COMPARE(opened->version(), opened->stepsTaken());  // also the steps held back
        QCOMPARE(copied(app, true), opens);  // before its start: what it will run with
        QCOMPARE(store.readText("force law"), "inverse-distance");
        for (QAction* action : app.mainWindow().startsMenu()->actions())
            if (action->text() == "figure-eight")
                action->trigger();
        QCOMPARE(copied(app),
                 "# pellomarin-run --masses 8,8,8 --gravity 375.161134522 "
                 "--period 30 --integrator accurate --law newton --state -");
        app.newSimulation();
        QCOMPARE(copied(app),
                 "# pellomarin-run --masses 1,2.5,1 --gravity 5 --period 1 "
                 "--integrator accurate --state -");
    }

    // A bad start, pasted or opened, leaves the simulation as it was and says
    // in a warning why, in the runner's words (the runner's test has the rest).
    void aBadStartChangesNothingAndSaysWhy() {
        Application app(store, {1h, 3});
        const auto model = app.model();
        QTemporaryDir dir;
        const QString ok = "1,2,3,4,5,6\n1,2,3,4,5,6\n";
        const std::pair<QString, QString> starts[] = {
            {"Dear diary,\n", "state line 1: expected x,y,z,vx,vy,vz, got 'Dear diary,'"},
            {"#pellomarin-run --law hooke\n", "state line 1: --law: expected inverse-distance"},
            {"# " + QString(64 * 1024, 'x') + "\n" + ok + ok, "larger than 64 KiB"}};
        for (const auto& [text, why] : starts) {
            const QString file = dir.filePath(QString::number(qHash(text)));
            QVERIFY(written(file, text));
            text.startsWith("Dear")
                ? (QGuiApplication::clipboard()->setText(text), app.pasteStart())
                : app.openStart(file);
            auto* box = app.mainWindow().findChild<QMessageBox*>();
            QVERIFY2(box && box->isVisible() && box->informativeText().contains(why),
                     qPrintable(box ? box->informativeText() : why));
            delete box;
            QVERIFY(app.model() == model && !model->timer().isCancelled());
        }
    }

    // Every command from the keyboard, in either window; Restart keeps the smallest distance and
    // clears the trails, New Simulation resets it; the View menu's choices are remembered.
    void everyCommandFromTheKeyboardInEitherWindow() {
        store.write("calculation period", 1);
        store.write("show trails", 1);
        Application app(store, {delay, 1});
        MainWindow& window = app.mainWindow();
        showAndActivate(window);
        QTRY_VERIFY(app.model()->version() > 300);
        // The drawing has the focus, framed once Tab brought it; Tab goes on to the cells.
        SimulationView* area = window.content()->simulationView();
        QCOMPARE(QApplication::focusWidget(), area);
        const auto image = [area] { return area->grab().toImage(); };
        QCOMPARE(image().pixelColor(0, 0), QColor(Qt::black));
        QTest::keyClick(&window, Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget()->objectName(), QString("speed 0"));
        QTest::keyClick(&window, Qt::Key_Backtab);
        QCOMPARE(image().pixelColor(0, 0), area->palette().color(QPalette::Highlight));
        QTest::keyClick(&window, Qt::Key_B, Qt::ControlModifier);
        QVERIFY(!app.model()->isRunning());
        window.content()->statusBar()->refresh();
        const double least = app.minimumDistance().minDistanceSoFar();
        const QImage trailed = image();
        const auto start = app.model()->memento()[0]->position;
        QTest::keyClick(&window, Qt::Key_R, Qt::ControlModifier);
        QCOMPARE(app.model()->snapshot()[0].position, start);
        QCOMPARE(app.minimumDistance().minDistanceSoFar(), least);
        const QImage fixedView = image();
        QTest::keyClick(&window, Qt::Key_T, Qt::ControlModifier);
        QVERIFY(least < greatestFiniteDouble && trailed != fixedView && image() == fixedView);
        // Zoom, turn and tilt change the picture; Reset View brings back the fixed view's.
        for (const Qt::Key key : {Qt::Key_Equal, Qt::Key_Left, Qt::Key_Down}) {
            QTest::keyClick(&window, key, Qt::ControlModifier);
            QVERIFY(image() != fixedView);
        }
        QTest::keyClick(&window, Qt::Key_0, Qt::ControlModifier);
        QCOMPARE(image(), fixedView);
        QTest::keyClick(&window, Qt::Key_E, Qt::ControlModifier);
        QTest::keyClick(&window, Qt::Key_F, Qt::ControlModifier);
        const auto shown = [](MainWindow& w) {  // trails off, conservation and Keep All in View on
            return !w.trailsAction()->isChecked() && w.keepAllInViewAction()->isChecked() &&
                   w.content()->statusBar()->findChild<QWidget*>("energy")->isVisibleTo(&w);
        };
        QVERIFY(shown(window) && shown(Application(store, {1h, 1}).mainWindow()));
        // Alt+P opens the menu; the arrows and Return choose a command.
        QMenu* menu = window.menuBar()->actions()[0]->menu();
        QTest::keyClick(&window, Qt::Key_P, Qt::AltModifier);
        QTRY_COMPARE(menu->activeAction(), window.restartAction());
        QTest::keySequence(menu, QKeySequence(Qt::Key_Up, Qt::Key_Up, Qt::Key_Return));  // round
        QTRY_VERIFY(app.settingsWindow().isActiveWindow());
        const auto first = app.model();
        QTest::keyClick(&app.settingsWindow(), Qt::Key_S, Qt::ControlModifier);
        QVERIFY(app.model() != first);
        QCOMPARE(app.minimumDistance().minDistanceSoFar(), greatestFiniteDouble);
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

    // At a short period, painted only where the balls were and are, what
    // reaches the screen is the whole picture: no ball left behind.
    void aShortPeriodLeavesNoBallBehindOnTheScreen() {
        store.write("calculation period", 0.05);
        Application app(store, {0ms, 5});
        MainWindow& window = app.mainWindow();
        showAndActivate(window);
        QWidget* view = window.content()->simulationView();
        QTRY_VERIFY(app.model()->version() > 2000);
        app.suspendOrResume();
        const QRect onScreen(view->mapTo(&window, QPoint(0, 0)), view->size());
        const auto rgb = [](const QImage& i) { return i.convertToFormat(QImage::Format_RGB32); };
        QTRY_COMPARE(rgb(window.screen()->grabWindow(window.winId()).toImage().copy(onScreen)),
                     rgb(view->grab().toImage()));
    }
};

int main(int argc, char** argv) {
    return support::runQtTests<ApplicationTest>(argc, argv);
}

#include "application_test.moc"
