#include <QSettings>
#include <QTemporaryDir>
#include <QtTest>
#include <cmath>

#include "qsettings_store.h"

using namespace pellomarin;

class QSettingsStoreTest : public QObject {
    Q_OBJECT

    QTemporaryDir dir;
    QString file() const { return dir.filePath("Pellomarin.conf"); }

private slots:
    void cleanup() { QFile::remove(file()); }

    void absentKeysReadAsZero() {
        QSettingsStore store(file());
        QCOMPARE(store.read("mass 0"), 0.0);
    }

    void everyWriteIsOnDiskAtOnceAndReadsBackToTheSameBits() {
        QSettingsStore store(file());
        const double values[] = {0.1, 30.0, -3.0, 1e-300, 5e-324, 1.7976931348623157e308, 0.013};
        for (double value : values) {
            store.write("gravitational constant", value);
            QSettingsStore other(file());  // a second process would see the same
            QCOMPARE(other.read("gravitational constant"), value);
            QCOMPARE(store.read("gravitational constant"), value);
        }
    }

    void keysAreKeptApart() {
        QSettingsStore store(file());
        store.write("mass 0", 2);
        store.write("mass 1", 3);
        QCOMPARE(store.read("mass 0"), 2.0);
        QCOMPARE(store.read("mass 1"), 3.0);
        QCOMPARE(store.read("mass 2"), 0.0);
    }

    void valuesThatAreNotNumbersReadAsAbsent() {
        {
            QFile f(file());
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write(
                "[General]\nmass%200=abc\nmass%201=\nmass%202=1e999\ncalculation%20period=45\n"
                "gravitational%20constant=nan\n");
        }
        QSettingsStore store(file());
        QCOMPARE(store.read("mass 0"), 0.0);
        QCOMPARE(store.read("mass 1"), 0.0);
        QCOMPARE(store.read("mass 2"), 0.0);
        QCOMPARE(store.read("calculation period"), 45.0);
        QVERIFY(std::isnan(store.read("gravitational constant")));  // the reading rule replaces it
    }

    void garbledFileReadsAsEmptyAndNeverStopsTheProgram() {
        {
            QFile f(file());
            QVERIFY(f.open(QIODevice::WriteOnly));
            QByteArray bytes;
            for (int i = 0; i < 4096; ++i)
                bytes += char((i * 7919) % 256);
            f.write(bytes);
        }
        QSettingsStore store(file());
        store.read("mass 0");
        store.write("mass 0", 2.0);
        QCOMPARE(store.read("mass 0"), 2.0);
    }
};

QTEST_MAIN(QSettingsStoreTest)
#include "qsettings_store_test.moc"
