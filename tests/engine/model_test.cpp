#include <gtest/gtest.h>

#include <cmath>
#include <thread>

#include "balls.h"
#include "fake_main_thread.h"

using namespace pellomarin;
using namespace std::chrono_literals;
using support::t;

TEST(RunParameters, PeriodInWholeMicrosecondsHalvesAwayFromZero) {
    const struct {
        double ms;
        std::int64_t frameDuration;
        double timeStep;
        std::int64_t leeway;
    } rows[] = {{30.0, 30000, 1.0, 15000},
                {0.0125, 13, 13 / 30000.0, 6},
                {45.0, 45000, 1.5, 22500},
                {30.0004, 30000, 1.0, 15000},
                {0.0004, 1, 1 / 30000.0, 0},
                {9.2e15, 9'200'000'000'000'000'000, 9.2e18 / 30000, 4'600'000'000'000'000'000}};
    for (const auto& row : rows) {
        const auto run = runParameters(row.ms);
        ASSERT_TRUE(run) << row.ms;
        EXPECT_EQ(run->frameDuration, row.frameDuration) << row.ms;
        EXPECT_EQ(run->timeStep, row.timeStep) << row.ms;
        EXPECT_EQ(run->leeway, row.leeway) << row.ms;
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
    void expectStart(const std::array<Ball, 3>& start, const char* when) {
        const auto balls = model->snapshot();
        for (int i = 0; i < 3; ++i) {
            EXPECT_EQ(balls[i].position, start[i].position) << when;
            EXPECT_EQ(balls[i].movement, start[i].movement) << when;
            EXPECT_EQ(balls[i].lastAcceleration, Triple::zero) << when;
        }
    }
};

TEST_F(RunningModel, StartSetsTheParametersOnceAndRaisesTheHolder) {
    model->start(0.0125, 0.5);
    model->start(30, 5);
    EXPECT_EQ(model->stepParameters().timeStep, 13 / 30000.0);
    EXPECT_EQ(model->stepParameters().gravitationalConstant, 0.5);
    EXPECT_EQ(model->timer().leeway(), 6us);
    EXPECT_TRUE(model->isTimerInitialized().value());
}

TEST_F(RunningModel, TheMainThreadHearsOfStepsOncePerFrameAtMostAndOfTheLastOnesAtTheStop) {
    int told = 0;
    model->observeVersion([&] { ++told; });
    const auto begin = std::chrono::steady_clock::now();
    model->start(0.02, 5);
    std::this_thread::sleep_for(100ms);  // the main thread is busy elsewhere
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
    EXPECT_GE(told, 1);
}

// Restart in every state; suspend and resume, never more resumes than suspensions.
TEST_F(RunningModel, RestartSuspendResumeAndCancelInEveryState) {
    const auto start = model->snapshot();
    model->restart();
    model->suspendOrResume();  // before the start: left alone
    expectStart(start, "before the start");
    model->start(0.2, 5, IntegrationMethod::accurate, ForceLaw::newton);
    runSteps(20);
    model->restart();  // while running: after the step under way
    model->suspendOrResume();
    settle();
    const auto version = model->version();
    model->restart();
    expectStart(start, "while suspended");
    std::this_thread::sleep_for(20ms);  // a hundred periods
    settle();
    EXPECT_EQ(model->version(), version);  // no steps, and restart publishes nothing
    expectStart(start, "suspended for a while");
    model->suspendOrResume();
    runSteps(5);
    EXPECT_EQ(model->timer().refusedResumes(), 0u);
    EXPECT_EQ(model->timer().suspensionCount(), 0);

    model->cancel();
    settle();
    const auto steps = model->stepsTaken();
    // The steps since the restart are a fresh start's, bit for bit.
    const BallList balls{start[0].copy(), start[1].copy(), start[2].copy()};
    Integrator fresh(model->stepParameters());
    for (auto n = version; n < steps; ++n)
        fresh.step(balls);
    EXPECT_EQ(model->snapshot()[0].position, balls[0]->position);
    model->suspendOrResume();
    std::this_thread::sleep_for(20ms);
    EXPECT_EQ(model->stepsTaken(), steps);
    const std::weak_ptr<Model> watch = model;
    model.reset();  // the cancelled handler held no reference
    EXPECT_TRUE(watch.expired());
    main.runPending();  // a notification for the dead model is dropped
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
