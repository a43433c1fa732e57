#include <QLineEdit>
#include <QtTest>

#include "float_field.h"
#include "settings_window.h"

using namespace pellomarin;

class SettingsWindowTest : public QObject {
    Q_OBJECT

    MemoryStore store;

    FloatField* field(SettingsWindow& window, const char* key) {
        return window.findChild<FloatField*>(key);
    }

    void type(FloatField* f, const QString& text) {
        f->setFocus();
        f->selectAll();
        QTest::keyClicks(f, text);
        QTest::keyClick(f, Qt::Key_Return);
    }

private slots:
    void init() {
        store = MemoryStore();
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    }

    void freshInstallShowsMassesAndZeros() {
        store.write("mass 0", 1);
        store.write("mass 1", 1);
        store.write("mass 2", 1);
        SettingsWindow window(store);
        window.show();
        QCOMPARE(field(window, "mass 1")->text(), QString("1"));
        QCOMPARE(field(window, "calculation period")->text(), QString("0"));
        QCOMPARE(field(window, "gravitational constant")->text(), QString("0"));
        QCOMPARE(field(window, "mass 0")->width(), 100);
    }

    void committedNumbersAreStoredWhateverTheirSign() {
        SettingsWindow window(store);
        window.show();
        type(field(window, "mass 2"), "-3");
        QCOMPARE(store.read("mass 2"), -3.0);
        type(field(window, "calculation period"), "0.013");
        QCOMPARE(store.read("calculation period"), 0.013);
        type(field(window, "gravitational constant"), "1,234.5");
        QCOMPARE(store.read("gravitational constant"), 1234.5);
    }

    void textThatIsNotANumberStoresNothing() {
        store.write("calculation period", 30);
        SettingsWindow window(store);
        window.show();
        FloatField* period = field(window, "calculation period");
        for (const char* text : {"abc", "", "0,013"}) {
            type(period, text);
            QCOMPARE(store.read("calculation period"), 30.0);
            QCOMPARE(period->text(), QString("30"));  // back to what is stored
        }
    }

    void leavingTheFieldCommitsToo() {
        SettingsWindow window(store);
        window.show();
        QApplication::setActiveWindow(&window);
        FloatField* mass = field(window, "mass 0");
        mass->setFocus();
        QTest::keyClicks(mass, "2.5");
        field(window, "mass 1")->setFocus();
        QTRY_COMPARE(store.read("mass 0"), 2.5);
    }

    void anUneditedFieldNeverRoundsTheStoredValue() {
        store.write("gravitational constant", 0.12345);
        SettingsWindow window(store);
        window.show();
        FloatField* g = field(window, "gravitational constant");
        QCOMPARE(g->text(), QString("0.123"));
        g->setFocus();
        QTest::keyClick(g, Qt::Key_Return);
        QCOMPARE(store.read("gravitational constant"), 0.12345);
    }

    void showsTheStoredValuesWhenOpenedAgain() {
        SettingsWindow window(store);
        window.show();
        window.hide();
        store.write("calculation period", 30);
        store.write("gravitational constant", 5);
        window.show();
        QCOMPARE(field(window, "calculation period")->text(), QString("30"));
        QCOMPARE(field(window, "gravitational constant")->text(), QString("5"));
    }

    void followsTheUsersLocale() {
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
        store.write("mass 0", 1234.5);
        SettingsWindow window(store);
        window.show();
        QCOMPARE(field(window, "mass 0")->text(), QString("1.234,5"));
        type(field(window, "mass 1"), "0,013");
        QCOMPARE(store.read("mass 1"), 0.013);
        type(field(window, "mass 2"), "0.013");  // a group separator in the wrong place
        QCOMPARE(store.contains("mass 2"), false);
    }
};

QTEST_MAIN(SettingsWindowTest)
#include "settings_window_test.moc"
