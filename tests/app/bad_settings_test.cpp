// Bad values in the settings file, one of each kind that takes a way of its own, and a file that is
// missing, garbled, unreadable, a directory or in a folder that cannot be written: a new simulation
// is drawn and runs as the application makes it, with what the reading rule gives, and every other
// key keeps its value.
#include <QTemporaryDir>

#include "new_simulation.h"
#include "qsettings_store.h"
#include "qt_tests.h"

using namespace pellomarin;

class BadSettingsTest : public QObject {
    Q_OBJECT

    QTemporaryDir home;
    const QString folder = home.filePath("Pellomarin"), path = folder + "/Pellomarin.conf";
    const QStringList keys{"calculation period", "gravitational constant", "mass 0", "mass 1",
                           "mass 2"};
    int aliases = 0;

    static QString text(double x) {
        return QString::number(x, 'g', QLocale::FloatingPointShortest);
    }

    // New Simulation, the start and a few steps on the store (the drawing of a ball too large to
    // draw is the views test's): the period in microseconds, the constant and the masses they used.
    static QString run(SettingsStore& store) {
        RandomSource random(3);
        const auto model = newSimulation(readMasses(store), random);
        const RunSettings settings = readRunSettings(store);
        model->start(settings.periodMs, settings.gravitationalConstant);
        model->suspendOrResume();
        for (int n = 0; n < 3; ++n)
            model->tick();
        QStringList used{QString::number(model->frameDuration()),
                         text(model->stepParameters().gravitationalConstant)};
        for (const Ball& b : model->snapshot())
            used << text(b.mass);
        return used.join(' ');
    }

private slots:
    void init() { QDir().mkpath(folder); }
    void cleanup() { QDir(folder).removeRecursively() || QFile::remove(folder); }

    void badValueOrFile_data() {
        QTest::addColumn<QString>("used");
        QTest::addColumn<QString>("nextRun");  // what the file holds afterwards
        const auto row = [](const char* how, const char* used, const char* next) {
            QTest::newRow(how) << used << next;
        };
        row("calculation period = abc", "30000 4 2 3 4", "30 4 2 3 4");
        row("calculation period = 5e-324", "1 4 2 3 4", "5e-324 4 2 3 4");  // the shortest period
        row("calculation period = 1e16", "30000 4 2 3 4", "30 4 2 3 4");    // too long to count
        row("gravitational constant = inf", "20000 5 2 3 4", "20 5 2 3 4");
        row("gravitational constant = 1e308", "20000 1e+308 2 3 4", "20 1e+308 2 3 4");
        row("mass 0 = -0", "20000 4 1 3 4", "20 4 1 3 4");
        row("mass 2 = nan", "20000 4 2 3 1", "20 4 2 3 1");
        row("mass 0 = 5e-324", "20000 4 1 1 1", "20 4 5e-324 3 4");  // no start can be drawn
        row("mass 1 = 1e308", "20000 4 2 1e+308 4", "20 4 2 1e+308 4");
        row("mass 2 = 1e308", "20000 4 1 1 1", "20 4 2 3 1e+308");
        row("missing", "30000 5 1 1 1", "30 5 1 1 1");
        row("garbled", "30000 5 1 1 1", "30 5 1 1 1");
        row("link to itself", "30000 5 1 1 1", "30 5 1 1 1");  // replaced by a file
        row("directory", "30000 5 1 1 1", "0 0 0 0 0");
        row("folder cannot be written", "20000 4 2 3 1", "20 4 2 3 0");
    }
    void badValueOrFile() {
        QFETCH(QString, used);
        QFETCH(QString, nextRun);
        const QString how = QTest::currentDataTag();
        QStringList values{"20", "4", "2", "3", "4"};  // the user's own, no default
        const auto write = [&] {
            QSettings file(path, QSettings::IniFormat);
            for (int k = 0; k < 5; ++k)
                file.setValue(keys[k], values[k]);
        };
        if (const auto bad = how.split(" = "); bad.size() == 2) {
            values[keys.indexOf(bad[0])] = bad[1];
            write();
        }
        QString name = path;
        QFile file(path);
        if (how == "garbled") {
            QVERIFY(file.open(QIODevice::WriteOnly));
            for (int i = 0; i < 4096; ++i)
                file.putChar(char((i * 7919) % 256));
            file.close();
        }
        if (how == "link to itself")  // cannot be read, not even by root
            QVERIFY(QFile::link(path, path));
        if (how == "directory")
            QVERIFY(QDir().mkpath(path));
        if (how == "folder cannot be written") {  // /proc/self/fd takes no file, not even from root
            values[4] = "abc";
            write();
            QVERIFY(file.open(QIODevice::ReadOnly));
            name = "/proc/self/fd/" + QString::number(file.handle());
        }
        QSettingsStore store(name);
        QCOMPARE(run(store), used);
        // As a later launch reads it: QSettings shares one cache per file name
        // within a process, unsaved changes included, so under a new name.
        const QString alias = home.filePath(QString::number(++aliases));
        QFile::link(path, alias);
        const QSettingsStore later(alias);
        values.clear();
        for (const QString& key : keys)
            values << text(later.read(key.toStdString()));
        QCOMPARE(values.join(' '), nextRun);
    }
};

int main(int argc, char** argv) {
    return support::runQtTests<BadSettingsTest>(argc, argv);
}

#include "bad_settings_test.moc"
