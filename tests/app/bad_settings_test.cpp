// Every key set to every kind of bad value, and a settings file that is
// missing, garbled, unreadable, a directory or in a folder that cannot be
// written: the application starts, draws and runs, the other keys keep their
// values, and the headless runner never touches the file.
#include <unistd.h>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QSettings>
#include <QTemporaryDir>
#include <QtTest>
#include <random>

#include "application.h"
#include "content_view.h"
#include "main_window.h"
#include "qsettings_store.h"
#include "simulation_view.h"

using namespace pellomarin;
using namespace std::chrono_literals;

namespace {

// The user's own values, distinct from every default.
const QList<QPair<QString, QString>> goodValues = {{"calculation period", "20"},
                                                   {"gravitational constant", "4"},
                                                   {"mass 0", "2"},
                                                   {"mass 1", "3"},
                                                   {"mass 2", "4"}};

QString fileKey(QString key) {
    return key.replace(' ', "%20");
}

void writeFile(const QString& path, const QString& badKey, const QString& badText) {
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("[General]\n");
    for (const auto& [key, value] : goodValues)
        file.write((fileKey(key) + "=" + (key == badKey ? badText : value) + "\n").toUtf8());
}

QString storedText(const QString& path, const QString& key) {
    QSettings settings(path, QSettings::IniFormat);
    return settings.value(key).toString();
}

}  // namespace

class BadSettingsTest : public QObject {
    Q_OBJECT

    QTemporaryDir home;
    QString path() const { return home.filePath("Pellomarin/Pellomarin.conf"); }

    // Starts the application on the file, waits for steps, grabs the picture.
    void launchAndRun(std::array<double, 3>* masses = nullptr) {
        QSettingsStore store(path());
        Application app(store, {1ms, 3});
        app.mainWindow().show();
        QTRY_VERIFY_WITH_TIMEOUT(app.model()->version() > 3, 10000);
        const QImage picture = app.mainWindow().content()->simulationView()->grab().toImage();
        QVERIFY(!picture.isNull());  // a mass of 1e308 fills it with its ball
        if (masses)
            for (int i = 0; i < 3; ++i)
                (*masses)[i] = app.model()->snapshot()[i].mass;
    }

    void runnerLeavesTheFileAlone() {
        QFile file(path());
        const QByteArray before = file.open(QIODevice::ReadOnly) ? file.readAll() : "missing";
        file.close();
        QProcess runner;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("XDG_CONFIG_HOME", home.path());
        runner.setProcessEnvironment(environment);
        runner.start(PELLOMARIN_RUN, {"--seed", "1", "--steps", "100"});
        QVERIFY(runner.waitForFinished(10000));
        QCOMPARE(runner.exitCode(), 0);
        QFile after(path());
        QCOMPARE(after.open(QIODevice::ReadOnly) ? after.readAll() : "missing", before);
    }

private slots:
    void cleanup() {
        QProcess::execute("chmod", {"-R", "u+rwx", home.path()});
        QDir(home.filePath("Pellomarin")).removeRecursively();
        QFile::remove(home.filePath("Pellomarin"));
    }

    void badValueOfOneKey_data() {
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("stored");  // the key's text after the run
        struct Outcome {
            const char* text;
            const char* period;
            const char* constant;
            const char* mass;
        };
        // What each key holds afterwards: replaced by its default, or kept.
        const Outcome outcomes[] = {
            {"nan", "30", "5", "1"},
            {"inf", "30", "5", "1"},
            {"-inf", "30", "5", "1"},
            {"-0", "30", "5", "1"},
            {"5e-324", "5e-324", "5e-324", "5e-324"},
            {"1e308", "30", "1e308", "1e308"},
            {"abc", "30", "5", "1"},
            {"", "30", "5", "1"},
        };
        for (const auto& [key, good] : goodValues) {
            for (const Outcome& o : outcomes) {
                const char* stored = key == "calculation period"       ? o.period
                                     : key == "gravitational constant" ? o.constant
                                                                       : o.mass;
                QTest::addRow("%s = '%s'", qPrintable(key), o.text)
                    << key << QString(o.text) << QString(stored);
            }
        }
    }
    void badValueOfOneKey() {
        QFETCH(QString, key);
        QFETCH(QString, text);
        QFETCH(QString, stored);
        writeFile(path(), key, text);
        runnerLeavesTheFileAlone();
        launchAndRun();
        QCOMPARE(storedText(path(), key), stored);
        for (const auto& [other, value] : goodValues)
            if (other != key)
                QCOMPARE(storedText(path(), other), value);
    }

    void massesThatGiveNoStartRunWithUnitMassesAndStayStored() {
        writeFile(path(), "mass 0", "5e-324");
        std::array<double, 3> masses{};
        launchAndRun(&masses);
        QCOMPARE(masses, (std::array<double, 3>{1, 1, 1}));
        QCOMPARE(storedText(path(), "mass 0"), QString("5e-324"));
    }

    void missingFileGetsTheDefaults() {
        runnerLeavesTheFileAlone();
        launchAndRun();
        QCOMPARE(storedText(path(), "mass 2"), QString("1"));
        QCOMPARE(storedText(path(), "calculation period"), QString("30"));
        QCOMPARE(storedText(path(), "gravitational constant"), QString("5"));
    }

    void garbledFileReadsAsEmpty() {
        QDir().mkpath(home.filePath("Pellomarin"));
        QFile file(path());
        QVERIFY(file.open(QIODevice::WriteOnly));
        std::mt19937 random(1);
        QByteArray bytes;
        for (int i = 0; i < 4096; ++i)
            bytes += char(random());
        file.write(bytes);
        file.close();
        runnerLeavesTheFileAlone();
        launchAndRun();
    }

    void unreadableFile() {
        QDir().mkpath(home.filePath("Pellomarin"));
        // A link to itself cannot be read, not even by root.
        QVERIFY(QFile::link(path(), path()));
        runnerLeavesTheFileAlone();
        launchAndRun();
    }

    void fileWithoutReadPermission() {
        if (geteuid() == 0)
            QSKIP("root reads every file");
        writeFile(path(), "", "");
        QFile::setPermissions(path(), QFileDevice::WriteOwner);
        launchAndRun();
    }

    void directoryInPlaceOfTheFile() {
        QVERIFY(QDir().mkpath(path()));
        runnerLeavesTheFileAlone();
        launchAndRun();
    }

    void folderThatCannotBeWritten() {
        // A file where the folder should be: nothing can be created in it.
        QFile blocker(home.filePath("Pellomarin"));
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        blocker.close();
        runnerLeavesTheFileAlone();
        launchAndRun();
        QVERIFY(QFileInfo(home.filePath("Pellomarin")).isFile());
    }

    void readOnlyFolder() {
        if (geteuid() == 0)
            QSKIP("root writes into every folder");
        writeFile(path(), "", "");
        QFile::setPermissions(home.filePath("Pellomarin"),
                              QFileDevice::ReadOwner | QFileDevice::ExeOwner);
        QFile::setPermissions(path(), QFileDevice::ReadOwner);
        launchAndRun();
        QCOMPARE(storedText(path(), "mass 1"), QString("3"));
    }
};

QTEST_MAIN(BadSettingsTest)
#include "bad_settings_test.moc"
