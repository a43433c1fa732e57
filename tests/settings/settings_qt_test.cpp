#include <QAccessible>
#include <QComboBox>
#include <cmath>

#include "float_field.h"
#include "locale_number.h"
#include "qt_tests.h"
#include "settings_window.h"

using namespace pellomarin;

class NumbersTest : public QObject {
    Q_OBJECT

private slots:
    // The method and the law: one of their names, or the default, written back.
    void methodAndLawByName() {
        const char* const names[][3] = {{"", "newtonian", "euler inverse-distance"},
                                        {"Leapfrog", "newton", "euler newton"},
                                        {"accurate", "", "accurate inverse-distance"}};
        for (const auto& [method, law, used] : names) {
            MemoryStore store;
            store.writeText("integration method", method);
            store.writeText("force law", law);
            const RunSettings run = readRunSettings(store);
            QCOMPARE(std::string(methodName(run.method)) + ' ' += lawName(run.law), used);
            QCOMPARE(store.readText("integration method") + ' ' + store.readText("force law"),
                     used);
        }
    }

    // A field shows at most three fraction digits and reads only well-formed
    // numbers of its locale: a misplaced group separator is refused.
    void fieldTextsInTheUsersLocale() {
        const std::tuple<const char*, double, const char*> shown[] = {
            {"en_US", 0.12345, "0.123"},
            {"en_US", 0.0625, "0.062"},
            {"en_US", 1e20, "100,000,000,000,000,000,000"},
            {"de_DE", 1234.5, "1.234,5"},
            {"hi_IN", 1234567.5, "12,34,567.5"}};
        for (const auto& [locale, value, text] : shown)
            QCOMPARE(fieldText(value, QLocale(locale)), QString(text));
        // What a field shows reads back to itself, whatever the locale's separators.
        for (const char* name : {"en_US", "de_DE", "fr_FR", "de_CH", "hi_IN"})
            for (double value : {-1234567.8915, -0.0004, 999.9995, 1e300, 5e-324}) {
                const QLocale locale(name);
                const QString text = fieldText(value, locale);
                const auto back = parseFieldText(text, locale);
                QVERIFY2(back && fieldText(*back, locale) == text, qPrintable(text));
            }
        const std::tuple<const char*, const char*, double> read[] = {
            // NaN: refused
            {"en_US", "1,234.5", 1234.5}, {"en_US", " -3 ", -3},
            {"en_US", ".5", 0.5},         {"de_DE", "1.234,5", 1234.5},
            {"fr_FR", "1 234,5", 1234.5}, {"hi_IN", "12,34,567.5", 1234567.5},
            {"en_US", "abc", NAN},        {"en_US", "", NAN},
            {"en_US", "0,013", NAN},      {"en_US", "1e5", NAN},
            {"en_US", "30 ms", NAN},      {"de_DE", "0.013", NAN},
            {"hi_IN", "123,456", NAN},    {"en_US", "1,00,000", NAN},
            {"en_US", "1,2345", NAN}};
        for (const auto& [locale, text, value] : read) {
            const auto parsed = parseFieldText(text, QLocale(locale));
            QVERIFY2(std::isnan(value) ? !parsed : parsed && *parsed == value, text);
        }
    }
};

class SettingsWindowTest : public QObject {
    Q_OBJECT

    MemoryStore store;

private slots:
    void showsWhatIsStoredAndStoresOnlyWhatIsCommitted() {
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
        store.write("gravitational constant", 1.0 / 3);  // to the last bit
        store.writeText("force law", "Newton");          // no law's name: shown as the default
        SettingsWindow window(store);
        window.show();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        const auto field = [&](const char* key) { return window.findChild<FloatField*>(key); };
        QCOMPARE(QAccessible::queryAccessibleInterface(&window)->role(), QAccessible::Dialog);
        for (const char* key : {"mass 0", "mass 1", "mass 2", "calculation period",
                                "gravitational constant", "integration method", "force law"}) {
            QCOMPARE(QApplication::focusWidget()->objectName(), QString(key));
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        }
        // A choice stores a pick of another entry than the one shown, nothing else.
        const auto choice = [&](const char* key) { return window.findChild<QComboBox*>(key); };
        QCOMPARE(choice("force law")->currentText(), QString("Inverse distance (the original)"));
        emit choice("force law")->activated(0);
        QCOMPARE(store.readText("force law"), "Newton");
        choice("integration method")->setFocus();
        QTest::keyClick(choice("integration method"), Qt::Key_Down);
        QCOMPARE(store.readText("integration method"), "leapfrog");
        const auto type = [&](const char* key, const char* text) {
            field(key)->setFocus();
            field(key)->selectAll();
            QTest::keyClicks(field(key), text);
            QTest::keyClick(field(key), Qt::Key_Return);
        };
        type("mass 2", "-3");
        type("mass 2", "abc");
        QCOMPARE(field("mass 2")->text(), QString("-3"));  // what is stored, not what was typed
        // An unedited field never rounds the stored value to what it shows.
        field("gravitational constant")->setFocus();
        QTest::keyClick(field("gravitational constant"), Qt::Key_Return);
        QCOMPARE(store.read("gravitational constant"), 1.0 / 3);
        QTest::keyClicks(field("gravitational constant"), "7");
        field("mass 2")->setFocus();  // leaving a field commits it too
        QTRY_COMPARE(store.read("gravitational constant"), 0.3337);
        window.hide();
        store.write("calculation period", 30);
        store.writeText("integration method", "accurate");
        window.show();  // shows what is stored now, from mass 0 on
        QCOMPARE(field("calculation period")->text(), QString("30"));
        QCOMPARE(choice("integration method")->currentIndex(), 2);
        QCOMPARE(window.focusWidget(), field("mass 0"));
    }
};

int main(int argc, char** argv) {
    return support::runQtTests<NumbersTest, SettingsWindowTest>(argc, argv);
}

#include "settings_qt_test.moc"
