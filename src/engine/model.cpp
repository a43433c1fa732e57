#include "model.h"

#include <cmath>

#include "number_form.h"

namespace pellomarin {

std::optional<RunParameters> runParameters(double periodMs) {
    if (!(periodMs > 0.0) || !std::isfinite(periodMs))
        return std::nullopt;
    const double microseconds = std::round(periodMs * 1000.0);  // halves away from zero
    if (microseconds >= 0x1p63)
        return std::nullopt;
    if (microseconds == 0.0)
        return RunParameters{1, 1.0 / 30000.0, 0};
    const auto frameDuration = static_cast<std::int64_t>(microseconds);
    return RunParameters{frameDuration, microseconds / 30000.0, frameDuration / 2};
}

namespace {

BallList copies(const BallList& balls) {
    return {balls[0]->copy(), balls[1]->copy(), balls[2]->copy()};
}

}  // namespace

std::shared_ptr<Model> Model::make(BallList balls, PostToMain postToMain) {
    return std::make_shared<Model>(Key{}, std::move(balls), std::move(postToMain));
}

Model::Model(Key, BallList balls, PostToMain postToMain_)
    : postToMain(std::move(postToMain_)), ball(std::move(balls)), memento_(copies(ball)) {}

Model::~Model() {
    timer_.cancel();
}

void Model::start(double periodMs, double gravitationalConstant, IntegrationMethod method,
                  ForceLaw law) {
    const auto run = runParameters(periodMs);
    if (started || !run)
        return;
    started = true;
    frameDuration_ = run->frameDuration;
    integrator = Integrator({run->timeStep, gravitationalConstant, method, law});

    // The timer belongs to this model, so a plain pointer outlives every run.
    timer_.setEventHandler([this] { tick(); });
    timer_.schedule(std::chrono::microseconds(run->frameDuration),
                    std::chrono::microseconds(run->leeway));
    isRunning_ = true;
    timer_.resume();
    timerInitialized->setValue(true);
}

void Model::tick() {
    workQueue_.sync([this] { integrator.step(ball); });
    steps.fetch_add(1);
    if (!postToMain)
        return;
    // The main thread hears of the steps once per display frame: the first
    // step after each boundary of a fixed frame grid tells of every step
    // since. A step left behind by Suspend or Cancel tells at once.
    const auto now = PeriodicTimer::Clock::now();
    if (now >= nextFrame)
        nextFrame = now + displayFrame - (now - nextFrame) % displayFrame;
    else if (!stopping.load())
        return;
    // One pending notification at a time: a main thread that falls behind
    // catches up in one go instead of working through a growing queue.
    if (!publishPending.exchange(true)) {
        postToMain([model = weak_from_this()] {
            if (const auto self = model.lock())
                self->publishSteps();
        });
    }
}

void Model::publishSteps() {
    publishPending = false;  // before reading, so that a later step posts again
    showSteps();
}

void Model::showSteps() {
    const std::int64_t taken = steps.load();
    if (taken == version_)
        return;
    version_ = taken;
    if (versionChanged)
        versionChanged();
}

void Model::restart() {
    workQueue_.sync([this] {
        ball = copies(memento_);
        integrator.reset();
    });
}

void Model::suspendOrResume() {
    if (!started)
        return;
    if (isRunning_) {
        stop(&PeriodicTimer::suspend);
        isRunning_ = false;
    } else {
        stopping = false;
        timer_.resume();
        isRunning_ = true;
    }
}

void Model::cancel() {
    stop(&PeriodicTimer::cancel);
}

void Model::stop(void (PeriodicTimer::*stopTimer)()) {
    // Steps held for the next frame are shown now; a step under way sees
    // `stopping` and tells of itself, or is counted here (both are seq_cst).
    stopping = true;
    (timer_.*stopTimer)();
    showSteps();
}

std::array<Ball, 3> Model::snapshot() const {
    return workQueue_.sync([this] { return std::array<Ball, 3>{*ball[0], *ball[1], *ball[2]}; });
}

std::string Model::description() const {
    const auto balls = snapshot();
    std::string text = "position:";
    for (const Ball& b : balls)
        (text += '\t') += b.position.description();
    text += "\nmomentum:";
    for (const Ball& b : balls)
        (text += '\t') += b.movement.description();
    text += "\nmass:";
    for (const Ball& b : balls)
        (text += '\t') += descriptionText(b.mass);
    return text;
}

}  // namespace pellomarin
