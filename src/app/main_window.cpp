#include "main_window.h"

#include <QMenuBar>
#include <QScreen>

#include "content_view.h"
#include "simulation_view.h"
#include "window_frame.h"

namespace pellomarin {

namespace {

QAction* addCommand(QMenu* menu, const QString& label, const QKeySequence& shortcut) {
    QAction* action = menu->addAction(label);
    action->setShortcut(shortcut);
    // Also from the settings window.
    action->setShortcutContext(Qt::ApplicationShortcut);
    return action;
}

QKeySequence preferencesShortcut() {
    const QKeySequence platform(QKeySequence::Preferences);
    return platform.isEmpty() ? QKeySequence(Qt::CTRL | Qt::Key_Comma) : platform;
}

}  // namespace

MainWindow::MainWindow(MinimumDistance& minimum, QWidget* parent)
    : QMainWindow(parent, Qt::Window | Qt::FramelessWindowHint),
      content_(new ContentView(minimum, this)) {
    setWindowTitle(QStringLiteral("Pellomarin"));
    setCentralWidget(content_);

    // Not translated; the mnemonic opens it with Alt+P (shown as "Pellomarin").
    QMenu* menu = menuBar()->addMenu(QStringLiteral("&Pellomarin"));
    restart = addCommand(menu, tr("Restart"), QKeySequence(Qt::CTRL | Qt::Key_R));
    newSimulation = addCommand(menu, tr("New Simulation"), QKeySequence(Qt::CTRL | Qt::Key_S));
    suspendResume = addCommand(menu, tr("Suspend/Resume"), QKeySequence(Qt::CTRL | Qt::Key_B));
    suspendResume->setEnabled(false);
    copyStart = addCommand(menu, tr("Copy Start"), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_C));
    openStart = addCommand(menu, tr("Open Start…"), QKeySequence(Qt::CTRL | Qt::Key_O));
    pasteStart =
        addCommand(menu, tr("Paste Start"), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_V));
    starts = menu->addMenu(tr("Starts"));  // the shipped ones, filled by the application
    menu->addSeparator();
    // macOS moves these two items into the application menu.
    settings = addCommand(menu, tr("Settings…"), preferencesShortcut());
    settings->setMenuRole(QAction::PreferencesRole);
    menu->addSeparator();
    quit = addCommand(menu, tr("Quit"), QKeySequence(Qt::CTRL | Qt::Key_Q));
    quit->setMenuRole(QAction::QuitRole);

    QMenu* view = menuBar()->addMenu(tr("&View"));
    trails = addCommand(view, tr("Trails"), QKeySequence(Qt::CTRL | Qt::Key_T));
    trails->setCheckable(true);
    conservation = addCommand(view, tr("Conservation"), QKeySequence(Qt::CTRL | Qt::Key_E));
    conservation->setCheckable(true);
    view->addSeparator();
    SimulationView* area = content_->simulationView();
    constexpr double zoomStep = 1.25;
    constexpr double turnStep = 15.0;  // degrees
    const auto command = [&](const QString& label, QKeyCombination key, auto act) {
        QAction* action = addCommand(view, label, key);
        connect(action, &QAction::triggered, area, act);
        return action;
    };
    // Also = : the key that has + on it, without Shift.
    command(tr("Zoom In"), Qt::CTRL | Qt::Key_Plus, [area] { area->zoomBy(zoomStep); })
        ->setShortcuts(
            {QKeySequence(Qt::CTRL | Qt::Key_Plus), QKeySequence(Qt::CTRL | Qt::Key_Equal)});
    command(tr("Zoom Out"), Qt::CTRL | Qt::Key_Minus, [area] { area->zoomBy(1.0 / zoomStep); });
    command(tr("Turn Left"), Qt::CTRL | Qt::Key_Left, [area] { area->turnBy(-turnStep, 0.0); });
    command(tr("Turn Right"), Qt::CTRL | Qt::Key_Right, [area] { area->turnBy(turnStep, 0.0); });
    command(tr("Tilt Up"), Qt::CTRL | Qt::Key_Up, [area] { area->turnBy(0.0, turnStep); });
    command(tr("Tilt Down"), Qt::CTRL | Qt::Key_Down, [area] { area->turnBy(0.0, -turnStep); });
    command(tr("Reset View"), Qt::CTRL | Qt::Key_0, [area] { area->setCamera({}); });
    keepAllInView = addCommand(view, tr("Keep All in View"), QKeySequence(Qt::CTRL | Qt::Key_F));
    keepAllInView->setCheckable(true);

    new WindowFrame(this, content_->simulationView());
    // Wide enough for the status bar on one row, where the screen has room.
    resize(sizeHint().expandedTo(QSize(720, 720)).boundedTo(screen()->availableGeometry().size()));
}

}  // namespace pellomarin
