#include "application.h"

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QTimer>

#include "content_view.h"
#include "described_menu_item.h"
#include "main_window.h"
#include "new_simulation.h"
#include "settings.h"
#include "settings_placement.h"
#include "settings_window.h"
#include "simulation_view.h"
#include "state_file.h"
#include "status_bar.h"

namespace pellomarin {

void postToMain(std::function<void()> work) {
    QMetaObject::invokeMethod(QCoreApplication::instance(), std::move(work), Qt::QueuedConnection);
}

Application::Application(SettingsStore& settings_) : Application(settings_, Options{}) {}

Application::Application(SettingsStore& settings_, Options options_)
    : settings(settings_),
      options(options_),
      random(options_.seed.value_or(RandomSource::randomSeed())),
      window(std::make_unique<MainWindow>(minimum)),
      settingsWindow_(new SettingsWindow(settings_, window.get())) {
    describeMenuItemsByStatusTip();
    MainWindow* w = window.get();
    connect(w->restartAction(), &QAction::triggered, this, &Application::restart);
    connect(w->newSimulationAction(), &QAction::triggered, this, &Application::newSimulation);
    connect(w->suspendResumeAction(), &QAction::triggered, this, &Application::suspendOrResume);
    connect(w->settingsAction(), &QAction::triggered, this, &Application::showSettings);
    connect(w->copyStartAction(), &QAction::triggered, this, &Application::copyStart);
    connect(w->quitAction(), &QAction::triggered, qApp, &QCoreApplication::quit);

    SimulationView* view = w->content()->simulationView();
    // The View menu's remembered choices: the key, the command, what it sets.
    StatusBar* bar = w->content()->statusBar();
    const std::tuple<std::string_view, QAction*, std::function<void(bool)>> choices[] = {
        {settings::showTrails, w->trailsAction(), [view](bool on) { view->setTrailsShown(on); }},
        {settings::showConservation, w->conservationAction(),
         [bar](bool on) { bar->setConservationShown(on); }},
        {settings::keepAllInView, w->keepAllInViewAction(),
         [view](bool on) { view->setKeepAllInView(on); }}};
    for (const auto& [key, action, set] : choices) {
        action->setChecked(settings.read(key) > 0.0);
        set(action->isChecked());
        connect(action, &QAction::toggled, this, [this, key = key, set = set](bool on) {
            settings.write(key, on ? 1.0 : 0.0);
            set(on);
        });
    }
    holder->observe([this] { window->suspendResumeAction()->setEnabled(holder->value()); });

    show(pellomarin::newSimulation(readMasses(settings), random, postToMain));
}

Application::~Application() {
    holder->observe({});  // models that a pending start holds keep the holder
    if (model_)
        model_->cancel();
}

void Application::show(std::shared_ptr<Model> model) {
    model->setIsTimerInitialized(holder);
    model_ = std::move(model);
    startedWith.reset();
    window->content()->setModel(model_);
    scheduleStart(model_);
    describeRunState();
}

void Application::scheduleStart(std::shared_ptr<Model> model) {
    // Not cancelled by a later New Simulation: a replaced model still gets
    // its start, on a cancelled timer, and lives until then.
    auto* timer = new QTimer(this);
    timer->setSingleShot(true);
    timer->setTimerType(Qt::PreciseTimer);  // a coarse timer may fire 5 % early
    connect(timer, &QTimer::timeout, this, [this, timer, model = std::move(model)] {
        const RunSettings run = readRunSettings(settings);
        model->start(run.periodMs, run.gravitationalConstant, run.method, run.law);
        if (model == model_)
            startedWith = run;
        describeRunState();
        timer->deleteLater();
    });
    timer->start(options.startDelay);
}

void Application::restart() {
    model_->restart();
    window->content()->simulationView()->clearTrails();
}

void Application::newSimulation() {
    model_->cancel();
    auto next = pellomarin::newSimulation(readMasses(settings), random, postToMain);
    minimum.reset();
    show(std::move(next));
}

void Application::suspendOrResume() {
    model_->suspendOrResume();
    describeRunState();
}

void Application::describeRunState() {
    // What a screen reader says with "Suspend/Resume", whose label stays.
    QString state = tr("The simulation waits for its start.");
    if (model_->isRunning())
        state = tr("The simulation is running.");
    else if (model_->frameDuration() > 0)
        state = tr("The simulation is suspended.");
    window->suspendResumeAction()->setStatusTip(state);
}

void Application::copyStart() {
    // Before the start, what it will read; the defaults are written only then.
    const RunSettings run = startedWith.value_or(upcomingRunSettings(settings));
    RunStart start{{}, run.gravitationalConstant, run.periodMs, {}, run.method, run.law};
    for (int i = 0; i < 3; ++i) {
        const Ball& ball = *model_->memento()[i];
        start.masses[i] = ball.mass;
        start.balls[i] = {ball.position, ball.movement};
    }
    QGuiApplication::clipboard()->setText(QString::fromStdString(startFileText(start)));
}

void Application::showSettings() {
    if (!settingsWindow_->isVisible())
        settingsWindow_->move(settingsPosition(*settingsWindow_, *window->content()));
    settingsWindow_->show();
    settingsWindow_->raise();
    settingsWindow_->activateWindow();
}

}  // namespace pellomarin
