#include "application.h"

#include <QAction>
#include <QClipboard>
#include <QFile>
#include <QFileDialog>
#include <QGuiApplication>
#include <QMenu>
#include <QMessageBox>
#include <QTimer>

#include "content_view.h"
#include "described_menu_item.h"
#include "main_window.h"
#include "new_simulation.h"
#include "settings.h"
#include "settings_placement.h"
#include "settings_window.h"
#include "simulation_view.h"
#include "start_file.h"
#include "status_bar.h"

#if defined(__SANITIZE_THREAD__)
#include <sanitizer/tsan_interface.h>
extern "C" void __tsan_ignore_thread_begin(), __tsan_ignore_thread_end();
#endif

namespace pellomarin {

void postToMain(std::function<void()> work) {
#if defined(__SANITIZE_THREAD__)
    // Qt's hand-over lock is invisible to ThreadSanitizer in a Qt not built with it: a release and
    // an acquire on a box of the work order it instead, and Qt's copies of the box are not watched.
    auto box = std::make_shared<std::function<void()>>(std::move(work));
    __tsan_release(box.get());
    __tsan_ignore_thread_begin();
    work = [box] { __tsan_acquire(box.get()), (*box)(); };
#endif
    QMetaObject::invokeMethod(QCoreApplication::instance(), std::move(work), Qt::QueuedConnection);
#if defined(__SANITIZE_THREAD__)
    __tsan_ignore_thread_end();
#endif
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
    connect(w->openStartAction(), &QAction::triggered, this, &Application::chooseStart);
    connect(w->pasteStartAction(), &QAction::triggered, this, &Application::pasteStart);
    const auto folder =
        cli::startsFolder(QFile::encodeName(QCoreApplication::applicationDirPath()).toStdString());
    for (const std::string& name : cli::startNames(folder)) {
        const QString path = QFile::decodeName((folder / name).string().c_str()) +
                             QString::fromStdString(std::string(cli::startExtension));
        w->startsMenu()->addAction(QString::fromStdString(name), this,
                                   [this, path] { openStart(path); });
    }
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
    connect(timer, &QTimer::timeout, this, [this, timer, model = std::move(model), named = opened] {
        const RunSettings run = readRunSettings(settings, named);
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
    auto next = pellomarin::newSimulation(readMasses(settings), random, postToMain);
    opened = {};
    replace(std::move(next));
}

void Application::replace(std::shared_ptr<Model> next) {
    model_->cancel();
    minimum.reset();
    show(std::move(next));
}

void Application::chooseStart() {
    auto* dialog = new QFileDialog(window.get(), tr("Open Start"), QString(),
                                   tr("Starts (*%1)").arg(cli::startExtension.data()));
    dialog->setFileMode(QFileDialog::ExistingFile);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    connect(dialog, &QFileDialog::fileSelected, this, &Application::openStart);
    dialog->open();
}

void Application::openStart(const QString& path) {
    const auto text = cli::readStateFile(QFile::encodeName(path).toStdString(), largestStart);
    if (const auto* error = std::get_if<InputError>(&text))
        return refuse(error->message);
    showStart(std::get<std::string>(text));
}

void Application::pasteStart() {
    showStart(QGuiApplication::clipboard()->text().toStdString());
}

void Application::showStart(const std::string& text) {
    const auto start = cli::readStart(text);
    if (const auto* error = std::get_if<InputError>(&start))
        return refuse(error->message);
    const auto& [named, balls] = std::get<cli::StartFile>(start);
    auto next = Model::make(startBalls(balls, named.masses ? *named.masses : readMasses(settings)),
                            postToMain);
    opened = named;
    replace(std::move(next));
}

void Application::refuse(const std::string& message) {
    // Not exec(): the simulation and the rest of the program go on meanwhile.
    auto* box = new QMessageBox(QMessageBox::Warning, QStringLiteral("Pellomarin"),
                                tr("This start cannot be opened."), QMessageBox::Ok, window.get());
    QString why = QString::fromStdString(message);
    if (why.size() > 300)  // a long line of garbage, quoted
        why = why.left(300) + QStringLiteral("…");
    box->setInformativeText(why);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->open();
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
    const RunSettings run = startedWith.value_or(upcomingRunSettings(settings, opened));
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
