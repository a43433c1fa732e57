// The application as a German user starts it, with the translation loaded
// before the first window is built; and what a screen reader is told.
#include <QAccessible>
#include <QComboBox>

#include "application.h"
#include "balls.h"
#include "content_view.h"
#include "float_field.h"
#include "main_window.h"
#include "qt_tests.h"
#include "settings_window.h"
#include "simulation_view.h"
#include "status_bar.h"
#include "translations.h"

using namespace pellomarin;
using support::t;

class GermanTest : public QObject {
    Q_OBJECT

private slots:
    void labelsNamesAndNumbers() {
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
        const InstalledTranslations installed = installTranslations(*qApp, QLocale());
        QVERIFY(installed.application && installed.qt);  // Qt's from qt6-translations-l10n
        MemoryStore store;
        store.write("gravitational constant", 1234.5);
        Application app(store, {std::chrono::hours(1), 1});
        MainWindow& window = app.mainWindow();
        QCOMPARE(window.newSimulationAction()->text(), QString("Neue Simulation"));
        QCOMPARE(window.restartAction()->shortcut().toString(QKeySequence::NativeText),
                 QString("Strg+R"));  // Qt's own texts too
        QCOMPARE(app.settingsWindow().findChild<FloatField*>("gravitational constant")->text(),
                 QString("1.234,5"));
        StatusBar* bar = window.content()->statusBar();
        bar->setModel(Model::make(support::balls({t(3, 4, 0), t(0, 0, 1234.5), t(0, 0, 0)})));
        bar->refresh();
        QCOMPARE(bar->text("minimum distance"), QString("Min. Abst.: 5,00"));

        // The drawing, every status cell and every settings field have a
        // name of their own and a description; a cell's name carries its value.
        QList<QWidget*> widgets = bar->findChildren<QWidget*>(QRegularExpression("."));  // cells
        widgets << window.content()->simulationView();
        for (QWidget* input : app.settingsWindow().findChildren<QWidget*>())
            if (qobject_cast<FloatField*>(input) || qobject_cast<QComboBox*>(input))
                widgets << input;
        QSet<QString> names;
        for (QWidget* widget : widgets) {
            const QAccessibleInterface* told = QAccessible::queryAccessibleInterface(widget);
            QVERIFY(!told->text(QAccessible::Description).isEmpty());
            names.insert(told->text(QAccessible::Name));
        }
        QCOMPARE(names.size(), 1 + 16 + 5 + 2);
        QVERIFY(names.contains("Abstand zwischen Kugel 1 (grün) und Kugel 2 (gelb): 1235") &&
                names.contains("Masse von Kugel 1 (grün)"));
    }
};

int main(int argc, char** argv) {
    return support::runQtTests<GermanTest>(argc, argv);
}

#include "german_test.moc"
