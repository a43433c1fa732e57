#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "ball.h"
#include "integration.h"
#include "periodic_timer.h"
#include "serial_queue.h"

namespace pellomarin {

// Hands a function to the main thread's event loop and returns at once.
using PostToMain = std::function<void(std::function<void()>)>;

// An observable flag; the application's one holder turns true at the first
// start of any model and is never reset. Main thread only.
class BoolHolder {
public:
    bool value() const { return value_; }
    void setValue(bool newValue) {
        if (newValue == value_)
            return;
        value_ = newValue;
        if (changed)
            changed();
    }
    // The one watcher (the application); an empty function stops it.
    void observe(std::function<void()> callback) { changed = std::move(callback); }

private:
    bool value_ = false;
    std::function<void()> changed;
};

// What a calculation period in milliseconds means for the run.
struct RunParameters {
    std::int64_t frameDuration;  // µs, the timer period
    double timeStep;             // frameDuration / 30000.0: the period in units of 30 ms
    std::int64_t leeway;         // µs, half the period, truncated
};

// The period rounded to whole microseconds, halves away from zero; a positive
// period below half a microsecond runs at 1 µs. Empty for a period that is not
// positive, not finite, or whose microsecond count does not fit 64 bits.
std::optional<RunParameters> runParameters(double periodMs);

// A running simulation: three balls, their starting copies, the timer that
// steps them and the version counter that the views watch.
//
// Threads: construction, start, restart, suspendOrResume, cancel, version and
// its watcher belong to the main thread. Steps run on the timer's thread
// inside workQueue, and so do restart and the readers: any thread may call
// snapshot() and description(), which see whole balls.
class Model : public std::enable_shared_from_this<Model> {
    struct Key {};

public:
    // `postToMain` carries the version increments; it may be empty for a
    // model that is never started.
    static std::shared_ptr<Model> make(BallList balls, PostToMain postToMain = {});
    Model(Key, BallList balls, PostToMain postToMain);
    ~Model();
    Model(const Model&) = delete;
    Model& operator=(const Model&) = delete;

    // The holder that start sets true; the application hands in its own.
    const BoolHolder& isTimerInitialized() const { return *timerInitialized; }
    void setIsTimerInitialized(std::shared_ptr<BoolHolder> holder) {
        timerInitialized = std::move(holder);
    }

    // Steps every `periodMs` (rounded to whole microseconds) with the constant
    // G, the method and the law, as the settings' reading rule hands them in.
    // Once per model; later calls do nothing, and so does a period
    // runParameters refuses.
    void start(double periodMs, double gravitationalConstant,
               IntegrationMethod method = IntegrationMethod::euler,
               ForceLaw law = ForceLaw::inverseDistance);
    // One step inside workQueue; the version reaches the main thread at most
    // once per display frame, and at once when the timer stops. On the
    // timer's thread, one tick at a time.
    void tick();
    // Puts back copies of the starting balls, after the step under way; the
    // steps that follow are the same bits as those after the start.
    void restart();
    // Suspends a running model or resumes a suspended one. A model that has
    // not started yet is left alone: its start resumes the timer.
    void suspendOrResume();
    // Stops the timer for good (New Simulation).
    void cancel();

    // The balls as whole values, never half-way through a step.
    std::array<Ball, 3> snapshot() const;
    std::string description() const;

    std::int64_t version() const { return version_; }
    // The one watcher of the version (the view that shows this model); an
    // empty function stops it. A model may outlive its view.
    void observeVersion(std::function<void()> callback) { versionChanged = std::move(callback); }

    bool isRunning() const { return isRunning_; }
    std::int64_t frameDuration() const { return frameDuration_; }
    const StepParameters& stepParameters() const { return integrator.stepParameters(); }
    std::int64_t stepsTaken() const { return steps.load(); }
    const PeriodicTimer& timer() const { return timer_; }
    const BallList& memento() const { return memento_; }

    // How often the main thread hears of new steps at most: a 60 Hz display's frame.
    static constexpr std::chrono::nanoseconds displayFrame{16'666'667};

private:
    void publishSteps();
    void showSteps();
    void stop(void (PeriodicTimer::*stopTimer)());

    PostToMain postToMain;
    std::shared_ptr<BoolHolder> timerInitialized = std::make_shared<BoolHolder>();
    BallList ball;
    const BallList memento_;
    mutable SerialQueue workQueue_{"Gravitation"};  // every step, restart and reader

    std::int64_t version_ = 0;
    std::function<void()> versionChanged;
    std::atomic<std::int64_t> steps{0};
    std::atomic<bool> publishPending{false};
    std::atomic<bool> stopping{false};           // Suspend or Cancel under way: publish at once
    PeriodicTimer::Clock::time_point nextFrame;  // the timer's thread only

    bool isRunning_ = false;
    bool started = false;
    std::int64_t frameDuration_ = 0;
    Integrator integrator;  // set before the timer first runs; then inside workQueue only
    PeriodicTimer timer_;   // last: stopped first, while everything its handler uses lives
};

}  // namespace pellomarin
