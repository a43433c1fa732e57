#include <gtest/gtest.h>

#include <cmath>
#include <thread>

#include "balls.h"
#include "fake_main_thread.h"

using namespace pellomarin;
using namespace std::chrono_literals;
using support::t;

TEST(RunParameters, PeriodInWholeMicrosecondsHalvesAwayFromZero) {
    // The period in ms: the frame duration (µs), the time step, the leeway (µs).
    const std::tuple<double, std::int64_t, double, std::int64_t> rows[] = {
        {30.0004, 30000, 1.0, 15000},
        {0.0125, 13, 13 / 30000.0, 6},
        {0.0004, 1, 1 / 30000.0, 0},
        {9.2e15, 9'200'000'000'000'000'000, 9.2e18 / 30000, 4'600'000'000'000'000'000}};
    for (const auto& [ms, frameDuration, timeStep, leeway] : rows) {
        const auto run = runParameters(ms);
        ASSERT_TRUE(run) << ms;
        EXPECT_EQ(std::tuple(run->frameDuration, run->timeStep, run->leeway),
                  std::tuple(frameDuration, timeStep, leeway))
            << ms;
    }
    for (double ms : {0.0, -5.0, double(NAN), double(INFINITY), 9.3e15})
        EXPECT_FALSE(runParameters(ms)) << ms;
}

struct RunningModel : ::testing::Test {
    support::FakeMainThread main;
    std::shared_ptr<Model> model =
        Model::make(support::balls({t(-60, 0, -40), t(60, 0, -40), t(0, 0, 80)}, {1, 1, 1},
                                   {t(0, 0.3, 0), t(0, -0.3, 0), t(0.2, 0, 0)}),
                    main.poster());

    void runSteps(std::int64_t n) {
        const std::int64_t target = model->version() + n;
        ASSERT_TRUE(main.runUntil([&] { return model->version() >= target; }));
    }
    // Lets a step under way finish and its notification arrive.
    void settle() {
        std::this_thread::sleep_for(5ms);
        main.runPending();
    }
};

TEST_F(RunningModel, TheMainThreadHearsOfStepsOncePerFrameAtMostAndOfTheLastOnesAtTheStop) {
    const auto begin = std::chrono::steady_clock::now();
    model->start(0.02, 5);
    std::this_thread::sleep_for(100ms);  // the main thread is busy elsewhere
    EXPECT_LE(main.postCount(), 1u);     // one notification waits, for every step since
    model->suspendOrResume(), model->suspendOrResume();
    ASSERT_TRUE(main.runUntil([&] { return model->stepsTaken() > 10000; }));
    while (model->stepsTaken() < model->version() + 20)  // steps held for the next frame
        std::this_thread::yield();
    model->suspendOrResume();  // shows them at once
    const auto frames = (std::chrono::steady_clock::now() - begin) / Model::displayFrame;
    settle();
    // The first step, then one per frame boundary passed, and one at each stop.
    EXPECT_LE(main.postCount(), std::uint64_t(frames) + 4);
    EXPECT_EQ(model->version(), model->stepsTaken());
}

// Only the first start sets the parameters; Restart while suspended puts
// back the starting balls and publishes nothing; suspend and resume never
// resume more than they suspended.
TEST_F(RunningModel, StartRestartSuspendResumeAndCancel) {
    const auto start = model->snapshot();
    model->start(0.2, 0.5, IntegrationMethod::accurate, ForceLaw::newton);
    model->start(30, 5);
    EXPECT_EQ(
        std::tuple(model->timer().period(), model->timer().leeway(),
                   model->stepParameters().gravitationalConstant, model->stepParameters().law),
        std::tuple(200us, 100us, 0.5, ForceLaw::newton));
    EXPECT_TRUE(model->isTimerInitialized().value());
    runSteps(20);
    model->suspendOrResume();
    settle();
    const auto version = model->version();
    model->restart();
    std::this_thread::sleep_for(20ms);  // a hundred periods
    settle();
    EXPECT_EQ(model->version(), version);
    for (const Ball& b : model->snapshot())
        EXPECT_TRUE(b.position == start[b.id].position && b.movement == start[b.id].movement &&
                    b.lastAcceleration == Triple::zero);
    model->suspendOrResume();
    runSteps(5);
    EXPECT_EQ(model->timer().refusedResumes(), 0u);
    model->cancel();
    settle();
    const auto steps = model->stepsTaken();
    // The steps since the restart are a fresh start's, bit for bit.
    const BallList replay{start[0].copy(), start[1].copy(), start[2].copy()};
    Integrator fresh(model->stepParameters());
    for (auto n = version; n < steps; ++n)
        fresh.step(replay);
    EXPECT_EQ(model->snapshot()[0].position, replay[0]->position);
    const std::weak_ptr<Model> watch = model;
    model.reset();  // the cancelled handler held no reference
    EXPECT_TRUE(watch.expired());
}

TEST_F(RunningModel, ReadersSeeWholeBallsWhileStepsRun) {
    model->start(0.001, 5);
    // Recentring keeps Σ m·p at zero after every whole step; a torn read
    // shows a ball moved and its partners not yet.
    while (model->stepsTaken() < 20'000) {
        Triple centre = Triple::zero;
        for (const Ball& b : model->snapshot())
            centre.add(b.position, b.mass);
        ASSERT_LT(length(centre), 1e-9);
    }
    model->cancel();
}
