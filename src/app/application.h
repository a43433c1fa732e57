#pragma once

#include <QObject>
#include <chrono>
#include <memory>
#include <optional>

#include "minimum_distance.h"
#include "model.h"
#include "random_source.h"
#include "settings.h"
#include "state_file.h"

namespace pellomarin {

class MainWindow;
class SettingsWindow;

// Runs `work` on the main thread, after what was posted before it: Qt's queued
// call on the application object, which outlives every model. Any thread.
void postToMain(std::function<void()> work);

// The application shell: owns the current model and the one holder that
// tells whether any model has started, launches the first simulation with a
// delayed start, and carries the menu commands. Main thread.
class Application : public QObject {
    Q_OBJECT

public:
    struct Options {
        std::chrono::milliseconds startDelay = std::chrono::seconds(5);
        std::optional<std::uint64_t> seed;  // a random one when empty
    };

    explicit Application(SettingsStore& settings);
    Application(SettingsStore& settings, Options options);
    ~Application() override;

    MainWindow& mainWindow() { return *window; }
    SettingsWindow& settingsWindow() { return *settingsWindow_; }
    const std::shared_ptr<Model>& model() const { return model_; }
    const BoolHolder& isTimerInitialized() const { return *holder; }
    const MinimumDistance& minimumDistance() const { return minimum; }

    // Puts the balls back to this simulation's start; waits for a step under way.
    void restart();
    // Cancels the current simulation and shows a new one from the stored
    // masses, started after the delay.
    void newSimulation();
    // Suspends or resumes a started simulation; ignored while the current
    // simulation waits for its delayed start, which then starts it as usual.
    void suspendOrResume();
    void showSettings();
    // Puts this simulation's start on the clipboard as a state file for the
    // runner, headed by the command that replays it step for step.
    void copyStart();
    // Replaces the simulation, as New Simulation does, with the start in a
    // file, on the clipboard or chosen in a file dialog. What the start does
    // not name comes from the settings; a bad start only gets a warning.
    void openStart(const QString& path);
    void pasteStart();
    void chooseStart();

    // Start files larger than this are refused before they are read.
    static constexpr std::uintmax_t largestStart = 64 * 1024;

private:
    void show(std::shared_ptr<Model> model);
    void scheduleStart(std::shared_ptr<Model> model);
    void replace(std::shared_ptr<Model> next);
    void showStart(const std::string& text);
    void refuse(const std::string& message);
    // The Suspend/Resume command's description: running, suspended or waiting.
    void describeRunState();

    SettingsStore& settings;
    Options options;
    RandomSource random;
    std::shared_ptr<BoolHolder> holder = std::make_shared<BoolHolder>();
    MinimumDistance minimum;
    std::shared_ptr<Model> model_;
    std::optional<RunSettings> startedWith;  // once the current model has started
    StartOptions opened;                     // what the current simulation's start names
    std::unique_ptr<MainWindow> window;
    SettingsWindow* settingsWindow_;  // the main window's: closing that one ends the program
};

}  // namespace pellomarin
