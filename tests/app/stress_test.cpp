// The real model at a 0.05 ms period inside the real application, with the
// main thread firing thousands of random commands while the view paints and
// the status bar ticks.
#include <QtTest>
#include <random>

#include "application.h"
#include "content_view.h"
#include "main_window.h"
#include "settings.h"
#include "simulation_view.h"
#include "status_bar.h"

using namespace pellomarin;
using namespace std::chrono_literals;

class StressTest : public QObject {
    Q_OBJECT

private slots:
    void randomCommandsWhileRunningFast() {
        MemoryStore store;
        store.write("calculation period", 0.05);
        Application app(store, {5ms, 42});
        app.mainWindow().show();
        QVERIFY(QTest::qWaitForWindowExposed(&app.mainWindow()));

        std::vector<std::shared_ptr<Model>> models{app.model()};
        std::mt19937 random(7);
        const double periods[] = {0.05, 0.013, 0.2, -1, 0, NAN, 1e308};
        const double values[] = {1, 2.5, 0.001, 1000, -3, 0, NAN, INFINITY};
        for (int command = 0; command < 3000; ++command) {
            switch (random() % 40) {
                case 0:
                    app.newSimulation();
                    models.push_back(app.model());
                    break;
                case 1:
                case 2:
                case 3:
                    app.restart();
                    break;
                case 4:
                    store.write("calculation period", periods[random() % std::size(periods)]);
                    break;
                case 5:
                    store.write(settings::all[1 + random() % 4].key,
                                values[random() % std::size(values)]);
                    break;
                case 6:
                    app.mainWindow().content()->statusBar()->refresh();
                    break;
                default:
                    app.suspendOrResume();
                    break;
            }
            if (command % 10 == 0)
                app.mainWindow().content()->simulationView()->repaint();
            if (command % 4 == 0)
                QTest::qWait(1);  // let the model run between commands
            else
                QCoreApplication::processEvents();
        }
        QTest::qWait(600);  // a status-bar tick

        // Stop everything, then let the last notifications arrive.
        if (app.model()->isRunning())
            app.suspendOrResume();
        app.model()->cancel();
        for (const auto& model : models)
            model->cancel();
        QTest::qWait(50);
        QCoreApplication::processEvents();
        int started = 0;
        for (const auto& model : models) {
            QCOMPARE(model->timer().refusedResumes(), 0u);
            QVERIFY(model->timer().suspensionCount() >= 0);
            QCOMPARE(model->version(), model->stepsTaken());
            started += model->hasStarted();
        }
        std::int64_t total = 0;
        for (const auto& model : models)
            total += model->stepsTaken();
        qInfo("%d models, %d started, %lld steps", int(models.size()), started, (long long)total);
        QVERIFY(started > 1);
        QVERIFY(total > 1000);  // a loaded machine runs fewer
        QVERIFY(models.size() > 20);
    }
};

QTEST_MAIN(StressTest)
#include "stress_test.moc"
