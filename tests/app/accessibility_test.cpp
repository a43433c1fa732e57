#include <QAccessible>
#include <QAction>
#include <QLabel>
#include <QMenu>
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

using namespace pellomarin;
using namespace std::chrono_literals;

namespace {

QString accessibleText(QWidget* widget, QAccessible::Text kind) {
    QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(widget);
    return accessible ? accessible->text(kind) : QString();
}

// The drawing, every status-bar value and every settings field.
QList<QWidget*> describedWidgets(Application& app) {
    QList<QWidget*> widgets{app.mainWindow().content()->simulationView()};
    for (QLabel* label : app.mainWindow().content()->statusBar()->findChildren<QLabel*>())
        if (!label->objectName().isEmpty())
            widgets << label;
    for (FloatField* field : app.settingsWindow().findChildren<FloatField*>())
        widgets << field;
    return widgets;
}

}  // namespace

class AccessibilityTest : public QObject {
    Q_OBJECT

    MemoryStore store;

private slots:
    void init() { store = MemoryStore(); }

    void everyValueFieldAndTheDrawingHaveADistinctNameAndADescription() {
        Application app(store, {1h, 1});
        const QList<QWidget*> widgets = describedWidgets(app);
        QCOMPARE(widgets.size(), 1 + 13 + 5);
        QSet<QString> names;
        for (QWidget* widget : widgets) {
            const QString name = accessibleText(widget, QAccessible::Name);
            QVERIFY2(!name.isEmpty(), qPrintable(widget->objectName()));
            QVERIFY2(!accessibleText(widget, QAccessible::Description).isEmpty(), qPrintable(name));
            names.insert(name);
        }
        QCOMPARE(names.size(), widgets.size());
    }

    void namesTellWhichBallAndStatusCellsSayTheirValue() {
        Application app(store, {1h, 1});
        StatusBar* bar = app.mainWindow().content()->statusBar();
        const auto named = [bar](const char* objectName) {
            return accessibleText(bar->findChild<QLabel*>(objectName), QAccessible::Name);
        };
        QCOMPARE(named("speed 0"), QString("Speed of ball 0 (red)"));
        QCOMPARE(named("acceleration 2"), QString("Acceleration of ball 2 (yellow)"));
        QCOMPARE(named("distance 0-2"),
                 QString("Distance between ball 0 (red) and ball 2 (yellow)"));

        bar->refresh();
        QCOMPARE(named("distance 1"),
                 "Distance of ball 1 (green) from the centre: " + bar->text("distance 1"));
        QCOMPARE(named("minimum distance"),
                 "Smallest distance: " + bar->text("minimum distance").section(": ", 1));
        QCOMPARE(accessibleText(app.settingsWindow().findChild<FloatField*>("mass 1"),
                                QAccessible::Name),
                 QString("Mass of ball 1 (green)"));
        QCOMPARE(accessibleText(app.settingsWindow().findChild<FloatField*>("calculation period"),
                                QAccessible::Name),
                 QString("Calculation period in milliseconds"));
    }

    void everyCommandHasAShortcutThatWorksFromEitherWindow() {
        Application app(store, {1h, 1});
        QMenu* menu = app.mainWindow().menuBar()->actions()[0]->menu();
        for (QAction* action : menu->actions()) {
            if (action->isSeparator())
                continue;
            QVERIFY2(!action->shortcut().isEmpty(), qPrintable(action->text()));
            QCOMPARE(action->shortcutContext(), Qt::ApplicationShortcut);
        }
        app.mainWindow().show();
        QVERIFY(QTest::qWaitForWindowActive(&app.mainWindow()));
        QTest::keySequence(&app.mainWindow(), app.mainWindow().settingsAction()->shortcut());
        QTRY_VERIFY(app.settingsWindow().isVisible());
        QVERIFY(QTest::qWaitForWindowActive(&app.settingsWindow()));
        const auto first = app.model();
        QTest::keyClick(&app.settingsWindow(), Qt::Key_S, Qt::ControlModifier);
        QVERIFY(app.model() != first);
    }

    void altPOpensTheMenuAndArrowsReachItsCommands() {
        Application app(store, {1h, 1});
        MainWindow& window = app.mainWindow();
        window.show();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        QMenu* menu = window.menuBar()->actions()[0]->menu();
        QTest::keyClick(&window, Qt::Key_P, Qt::AltModifier);
        QTRY_VERIFY(menu->isVisible());
        QTRY_COMPARE(menu->activeAction(), window.restartAction());
        // Suspend/Resume is disabled until the first start and is skipped.
        QTest::keyClick(menu, Qt::Key_Down);
        QTest::keyClick(menu, Qt::Key_Down);
        QCOMPARE(menu->activeAction(), window.settingsAction());
        QTest::keyClick(menu, Qt::Key_Return);
        QTRY_VERIFY(app.settingsWindow().isVisible());
        QVERIFY(!menu->isVisible());
    }

    void settingsFieldsAreReachedWithTabAndEscapeClosesTheWindow() {
        SettingsWindow window(store);
        window.show();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        const QList<FloatField*> fields = window.findChildren<FloatField*>();
        fields[0]->setFocus();
        QSet<QWidget*> reached;
        for (int i = 0; i < fields.size(); ++i) {
            reached.insert(QApplication::focusWidget());
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        }
        QCOMPARE(reached, QSet<QWidget*>(fields.begin(), fields.end()));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
        QTRY_VERIFY(!window.isVisible());
    }
};

QTEST_MAIN(AccessibilityTest)
#include "accessibility_test.moc"
