#include <QAction>
#include <QLabel>
#include <QLibraryInfo>
#include <QMenuBar>
#include <QtTest>

#include "application.h"
#include "content_view.h"
#include "float_field.h"
#include "main_window.h"
#include "settings.h"
#include "settings_window.h"
#include "simulation_view.h"
#include "status_bar.h"
#include "translations.h"

using namespace pellomarin;
using namespace std::chrono_literals;

namespace {

constexpr Triple t(double x, double y, double z) {
    return {{x, y, z}};
}

QStringList texts(const QList<QLabel*>& labels) {
    QStringList list;
    for (const QLabel* label : labels)
        list << label->text();
    return list;
}

}  // namespace

// The application as a German user starts it: the translation is loaded as
// main() loads it, before the first window is built.
class TranslationTest : public QObject {
    Q_OBJECT

    MemoryStore store;

private slots:
    void initTestCase() {
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
        QVERIFY(installTranslations(*qApp, QLocale()).application);
    }

    void init() { minDistanceSoFar = greatestFiniteDouble; }

    void menuCommandsAreGermanAndTheMenuKeepsItsName() {
        Application app(store, {1h, 1});
        MainWindow& window = app.mainWindow();
        QCOMPARE(window.menuBar()->actions()[0]->iconText(), QString("Pellomarin"));
        QCOMPARE(window.restartAction()->text(), QString("Neustart"));
        QCOMPARE(window.newSimulationAction()->text(), QString("Neue Simulation"));
        QCOMPARE(window.suspendResumeAction()->text(), QString("Anhalten/Fortsetzen"));
        QCOMPARE(window.settingsAction()->text(), QString("Einstellungen…"));
        QCOMPARE(window.windowTitle(), QString("Pellomarin"));
    }

    void statusBarLabelsAreGermanAndNumbersKeepTheirForm() {
        StatusBar bar;
        QStringList headings;
        for (const QLabel* label : bar.findChildren<QLabel*>())
            if (label->objectName().isEmpty())
                headings << label->text();
        QCOMPARE(headings, QStringList({"Geschw.:", " Beschl.:", " Abst.:"}));
        QCOMPARE(bar.text("minimum distance"), QString("Min. Abst.: "));

        BallList balls;
        balls[0] = std::make_shared<Ball>(0, t(3, 4, 0), 1.0, t(1.234, 0, 0));
        balls[0]->lastAcceleration = t(12345, 0, 0);
        balls[1] = std::make_shared<Ball>(1, t(0, 0, 1234.5), 1.0, t(0, 0, 0));
        balls[2] = std::make_shared<Ball>(2, t(0, 0, 0), 1.0, t(0, 0, 0.5));
        bar.setModel(Model::make(balls));
        bar.refresh();
        // The same texts as in any other language: not German number forms.
        QCOMPARE(bar.text("speed 0"), QString("1,23"));
        QCOMPARE(bar.text("speed 2"), QString("0,500"));
        QCOMPARE(bar.text("acceleration 0"), QString("1.23E+04"));
        QCOMPARE(bar.text("distance 1"), QString("1235"));
        QCOMPARE(bar.text("minimum distance"), QString("Min. Abst.: 5,00"));

        const auto* least = bar.findChild<QLabel*>("minimum distance");
        QVERIFY(least->fontMetrics().horizontalAdvance(least->text()) <= least->width());
        QCOMPARE(bar.findChild<QLabel*>("speed 0")->accessibleName(),
                 QString("Geschwindigkeit von Kugel 0 (rot): 1,23"));
        QCOMPARE(bar.findChild<QLabel*>("distance 1-2")->accessibleName(),
                 QString("Abstand zwischen Kugel 1 (grün) und Kugel 2 (gelb): 1235"));
    }

    void settingsWindowIsGermanAndItsFieldsWriteGermanNumbers() {
        store.write("gravitational constant", 1234.5);
        SettingsWindow window(store);
        window.show();
        QCOMPARE(window.windowTitle(), QString("Pellomarin-Einstellungen"));
        const QStringList labels = texts(window.findChildren<QLabel*>());
        for (const char* text : {"Massen", "Rechenperiode", "Gravitationskonstante", "ms"})
            QVERIFY2(labels.contains(text), text);
        const auto* gravity = window.findChild<FloatField*>("gravitational constant");
        QCOMPARE(gravity->text(), QString("1.234,5"));
        QCOMPARE(gravity->accessibleName(), QString("Gravitationskonstante"));
        QCOMPARE(window.findChild<FloatField*>("mass 1")->accessibleName(),
                 QString("Masse von Kugel 1 (grün)"));
    }

    void theDrawingHasAGermanName() {
        SimulationView view;
        QCOMPARE(view.accessibleName(), QString("Simulation"));
        QVERIFY(view.accessibleDescription().startsWith("Die rote, die grüne und die gelbe Kugel"));
    }

    void qtsOwnTextsAreGermanWhereQtShipsThem() {
        const QDir translations(QLibraryInfo::path(QLibraryInfo::TranslationsPath));
        if (!translations.exists("qtbase_de.qm"))
            QSKIP("Qt's German translation is not installed (qt6-translations-l10n)");
        QCOMPARE(QKeySequence(Qt::CTRL | Qt::Key_R).toString(QKeySequence::NativeText),
                 QString("Strg+R"));
    }

    void aLanguageWithoutOurTranslationGetsNone() {
        QVERIFY(!installTranslations(*qApp, QLocale(QLocale::English, QLocale::UnitedStates))
                     .application);
    }
};

QTEST_MAIN(TranslationTest)
#include "translation_test.moc"
