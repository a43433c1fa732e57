// Every key set to every kind of bad value, and a settings file that is
// missing, garbled, unreadable, a directory or in a folder that cannot be
// written: a new simulation is drawn and runs as the application makes it,
// and every other key keeps its value.
#include <QTemporaryDir>

#include "new_simulation.h"
#include "qsettings_store.h"
#include "qt_tests.h"
#include "simulation_view.h"

using namespace pellomarin;

class BadSettingsTest : public QObject {
    Q_OBJECT

    QTemporaryDir home;
    const QString folder = home.filePath("Pellomarin"), path = folder + "/Pellomarin.conf";
    // The user's own values, distinct from every default.
    const QStringList keys{"calculation period", "gravitational constant", "mass 0", "mass 1",
                           "mass 2"};
    const QStringList goodValues{"20", "4", "2", "3", "4"};

    // New Simulation, the start and a few steps on the file; the masses used.
    Masses runOnTheFile() {
        QSettingsStore store(path);
        RandomSource random(3);
        const auto model = newSimulation(readMasses(store), random);
        const RunSettings run = readRunSettings(store);
        model->start(run.periodMs, run.gravitationalConstant);
        model->suspendOrResume();
        for (int n = 0; n < 3; ++n)
            model->tick();
        SimulationView view;
        view.setModel(model);
        view.resize(400, 400);
        view.grab();
        const auto balls = model->snapshot();
        return {balls[0].mass, balls[1].mass, balls[2].mass};
    }

private slots:
    void init() { QDir().mkpath(folder); }
    void cleanup() { QDir(folder).removeRecursively() || QFile::remove(folder); }

    void badValueOfOneKey_data() {
        QTest::addColumn<int>("key");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("after");  // the key's text afterwards: its default, or kept
        for (int key = 0; key < 5; ++key)
            for (const char* text : {"nan", "inf", "-inf", "-0", "abc", "", "5e-324", "1e308"}) {
                const bool kept =
                    QString(text) == "5e-324" || (key > 0 && QString(text) == "1e308");
                const char* fallback = key == 0 ? "30" : key == 1 ? "5" : "1";
                QTest::addRow("%s = '%s'", qPrintable(keys[key]), text)
                    << key << QString(text) << QString(kept ? text : fallback);
            }
    }
    void badValueOfOneKey() {
        QFETCH(int, key);
        QFETCH(QString, text);
        QFETCH(QString, after);
        QSettings file(path, QSettings::IniFormat);
        for (int k = 0; k < 5; ++k)
            file.setValue(keys[k], k == key ? text : goodValues[k]);
        file.sync();
        const Masses masses = runOnTheFile();
        file.sync();
        for (int k = 0; k < 5; ++k)
            QCOMPARE(file.value(keys[k]).toString(), k == key ? after : goodValues[k]);
        // Masses that give no start run as 1, 1, 1 and stay stored.
        if (key >= 2 && (text == "5e-324" || (text == "1e308" && key != 3)))
            QCOMPARE(masses, (Masses{1, 1, 1}));
    }

    void brokenFile_data() {
        QTest::addColumn<QString>("how");
        for (const char* how :
             {"missing", "garbled", "link to itself", "directory", "folder blocked"})
            QTest::newRow(how) << how;
    }
    void brokenFile() {
        QFETCH(QString, how);
        QFile file(path);
        if (how == "garbled" && file.open(QIODevice::WriteOnly))
            for (int i = 0; i < 4096; ++i)
                file.putChar(char((i * 7919) % 256));
        if (how == "link to itself")  // cannot be read, not even by root
            QVERIFY(QFile::link(path, path));
        if (how == "directory")
            QVERIFY(QDir().mkpath(path));
        if (how == "folder blocked")  // a file where the folder should be
            QVERIFY(QDir(folder).removeRecursively() && QFile(folder).open(QIODevice::WriteOnly));
        file.close();
        QCOMPARE(runOnTheFile(), (Masses{1, 1, 1}));
        if (how == "missing" || how == "garbled")
            QCOMPARE(QSettingsStore(path).read("calculation period"), 30.0);
    }
};

int main(int argc, char** argv) {
    return support::runQtTests<BadSettingsTest>(argc, argv);
}

#include "bad_settings_test.moc"
