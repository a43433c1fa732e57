#include <gtest/gtest.h>

#include <cmath>
#include <thread>

#include "fake_main_thread.h"
#include "integration.h"
#include "model.h"
#include "settings.h"

namespace pellomarin {
namespace {

using testing::FakeMainThread;
using namespace std::chrono_literals;

constexpr Triple t(double x, double y, double z) {
    return {{x, y, z}};
}

BallList threeBalls(std::array<double, 3> masses = {1, 1, 1}) {
    return {std::make_shared<Ball>(0, t(-60, 0, -40), masses[0], t(0, 0.3, 0)),
            std::make_shared<Ball>(1, t(60, 0, -40), masses[1], t(0, -0.3, 0)),
            std::make_shared<Ball>(2, t(0, 0, 80), masses[2], t(0.2, 0, 0))};
}

struct RunningModel : ::testing::Test {
    FakeMainThread main;
    MemoryStore settings;
    std::shared_ptr<Model> model = Model::make(threeBalls(), main.poster());

    void SetUp() override { settings.write(settings::calculationPeriod.key, 0.2); }  // 200 µs

    bool runSteps(std::int64_t n) {
        const std::int64_t target = model->version() + n;
        return main.runUntil([&] { return model->version() >= target; });
    }
};

TEST(RunParameters, PeriodInWholeMicroseconds) {
    const auto standard = runParameters(30.0);
    EXPECT_EQ(standard->frameDuration, 30000);
    EXPECT_EQ(standard->timeStep, 1.0);
    EXPECT_EQ(standard->leeway, 15000);

    const auto half = runParameters(0.0125);  // 12.5 µs: the half goes up
    EXPECT_EQ(half->frameDuration, 13);
    EXPECT_EQ(half->timeStep, 13 / 30000.0);
    EXPECT_EQ(half->leeway, 6);

    EXPECT_EQ(runParameters(45.0)->timeStep, 1.5);
    EXPECT_EQ(runParameters(30.0004)->frameDuration, 30000);
}

TEST(RunParameters, UnusablePeriodsAreRefusedAndTinyOnesRunAtOneMicrosecond) {
    for (double period : std::initializer_list<double>{0.0, -5.0, NAN, INFINITY, 1e16, 9.3e15})
        EXPECT_FALSE(runParameters(period)) << period;
    EXPECT_TRUE(runParameters(9.2e15));
    const auto tiny = runParameters(0.0004);
    EXPECT_EQ(tiny->frameDuration, 1);
    EXPECT_EQ(tiny->timeStep, 1 / 30000.0);
    EXPECT_EQ(runParameters(5e-324)->frameDuration, 1);
}

TEST(ModelStart, FirstRunWritesTheDefaultsBack) {
    MemoryStore empty;
    FakeMainThread main;
    EXPECT_EQ(timeStep, 1.0);  // before any start in this process
    EXPECT_EQ(gravitationalConstant, 1.0);
    const auto model = Model::make(threeBalls(), main.poster());
    EXPECT_FALSE(model->isRunning());
    EXPECT_EQ(model->version(), 0);
    model->start(empty);
    model->suspendOrResume();  // stop the 30 ms ticks; this test only looks at start
    EXPECT_EQ(empty.read("calculation period"), 30.0);
    EXPECT_EQ(empty.read("gravitational constant"), 5.0);
    EXPECT_EQ(model->frameDuration(), 30000);
    EXPECT_EQ(model->timer().period(), 30000us);
    EXPECT_EQ(model->timer().leeway(), 15000us);
    EXPECT_EQ(timeStep, 1.0);
    EXPECT_EQ(gravitationalConstant, 5.0);
    EXPECT_TRUE(model->isTimerInitialized->value());
}

TEST(ModelStart, BadStoredValuesAreReplacedAndWrittenBack) {
    FakeMainThread main;
    MemoryStore store;
    store.write("gravitational constant", -2.0);
    store.write("calculation period", 1e300);  // no 64-bit microsecond count
    const auto model = Model::make(threeBalls(), main.poster());
    model->start(store);
    model->cancel();
    EXPECT_EQ(store.read("gravitational constant"), 5.0);
    EXPECT_EQ(store.read("calculation period"), 30.0);
    EXPECT_EQ(gravitationalConstant, 5.0);
    EXPECT_EQ(model->frameDuration(), 30000);
}

TEST(ModelStart, LaterModelKeepsTheGlobalsOfThePreviousStart) {
    FakeMainThread main;
    MemoryStore store;
    store.write("calculation period", 45.0);
    store.write("gravitational constant", 0.5);
    const auto first = Model::make(threeBalls(), main.poster());
    first->start(store);
    first->cancel();
    store.write("gravitational constant", 7.0);
    const auto second = Model::make(threeBalls(), main.poster());
    EXPECT_EQ(timeStep, 1.5);
    EXPECT_EQ(gravitationalConstant, 0.5);
    EXPECT_EQ(second->frameDuration(), 0);
}

TEST_F(RunningModel, EveryStepRaisesTheVersionOnTheMainThread) {
    int told = 0;
    const auto subscription = model->observeVersion([&] { ++told; });
    model->start(settings);
    ASSERT_TRUE(runSteps(50));
    model->suspendOrResume();
    main.runPending();
    EXPECT_EQ(model->version(), model->stepsTaken());
    EXPECT_GT(told, 0);
    EXPECT_LE(told, model->version());
    EXPECT_NE(model->snapshot()[0].lastAcceleration, Triple::zero);
}

TEST_F(RunningModel, SuspendedModelDoesNotStepAndResumesWhereItWas) {
    model->start(settings);
    ASSERT_TRUE(runSteps(5));
    model->suspendOrResume();
    EXPECT_FALSE(model->isRunning());
    std::this_thread::sleep_for(5ms);  // a step may still be finishing
    main.runPending();
    const auto version = model->version();
    const auto balls = model->snapshot();
    std::this_thread::sleep_for(20ms);  // a hundred periods
    main.runPending();
    EXPECT_EQ(model->version(), version);
    EXPECT_EQ(model->snapshot()[1].position, balls[1].position);

    model->suspendOrResume();
    EXPECT_TRUE(model->isRunning());
    ASSERT_TRUE(runSteps(5));
    EXPECT_EQ(model->timer().refusedResumes(), 0u);
}

TEST_F(RunningModel, SuspendOrResumeBeforeStartLeavesTheTimerBalanced) {
    model->suspendOrResume();
    model->suspendOrResume();
    EXPECT_FALSE(model->isRunning());
    model->start(settings);
    EXPECT_TRUE(model->isRunning());
    ASSERT_TRUE(runSteps(3));
    model->suspendOrResume();
    model->suspendOrResume();
    ASSERT_TRUE(runSteps(3));
    EXPECT_EQ(model->timer().refusedResumes(), 0u);
    EXPECT_EQ(model->timer().suspensionCount(), 0);
}

TEST_F(RunningModel, RestartPutsBackTheStartingBallsInEveryState) {
    const auto initial = threeBalls();
    const auto expectStart = [&] {
        const auto balls = model->snapshot();
        for (int i = 0; i < 3; ++i) {
            EXPECT_EQ(balls[i].position, initial[i]->position);
            EXPECT_EQ(balls[i].movement, initial[i]->movement);
            EXPECT_EQ(balls[i].lastAcceleration, Triple::zero);
            EXPECT_EQ(balls[i].id, i);
        }
    };
    model->workQueue().sync([&] { model->restart(); });  // before start
    expectStart();

    model->start(settings);
    ASSERT_TRUE(runSteps(20));
    model->workQueue().sync([&] { model->restart(); });  // while running
    model->suspendOrResume();
    std::this_thread::sleep_for(2ms);
    model->workQueue().sync([&] { model->restart(); });  // while suspended
    expectStart();
    const auto version = model->version();
    model->workQueue().sync([&] { model->restart(); });  // twice in a row
    expectStart();
    main.runPending();
    EXPECT_EQ(model->memento()[2]->position, initial[2]->position);
    EXPECT_LE(model->version() - version, 1);  // restart itself publishes nothing
}

TEST_F(RunningModel, CancelledModelNeverTicksAgainAndLetsGoOfItsHandler) {
    model->start(settings);
    ASSERT_TRUE(runSteps(3));
    model->cancel();
    std::this_thread::sleep_for(5ms);
    main.runPending();
    const auto steps = model->stepsTaken();
    std::this_thread::sleep_for(20ms);
    EXPECT_EQ(model->stepsTaken(), steps);
    EXPECT_TRUE(model->timer().isCancelled());
    model->suspendOrResume();  // harmless on a cancelled timer
    model->start(settings);    // a pending start on a replaced model does nothing new
    EXPECT_EQ(model->stepsTaken(), steps);
}

TEST_F(RunningModel, SlowMainThreadGetsMergedNotificationsAndCatchesUpExactly) {
    settings.write(settings::calculationPeriod.key, 0.02);  // 20 µs
    model->start(settings);
    std::this_thread::sleep_for(100ms);  // the main thread is busy elsewhere
    EXPECT_LE(main.pending(), 1u);
    model->suspendOrResume();
    std::this_thread::sleep_for(2ms);
    main.runPending();
    EXPECT_GT(model->stepsTaken(), 100);
    EXPECT_EQ(model->version(), model->stepsTaken());
}

TEST_F(RunningModel, ModelDroppedWhileRunningStopsItsTimerFirst) {
    model->start(settings);
    ASSERT_TRUE(runSteps(3));
    model.reset();      // joins the timer's thread; no tick outlives the model
    main.runPending();  // a posted increment for the dead model is dropped
}

TEST_F(RunningModel, ReadersSeeWholeBallsWhileStepsRun) {
    settings.write(settings::calculationPeriod.key, 0.001);
    model->start(settings);
    // Centre correction keeps Σ m·p at zero after every whole step; a torn
    // read would show a ball moved and its partners not yet.
    for (int n = 0; n < 20'000; ++n) {
        const auto balls = model->snapshot();
        Triple centre = Triple::zero;
        for (const Ball& b : balls)
            centre.add(b.position, b.mass);
        for (double c : centre.vector)
            ASSERT_NEAR(c, 0.0, 1e-6);
    }
    model->cancel();
}

TEST(ModelDescription, ListsPositionsMovementsAndMasses) {
    const auto model = Model::make({std::make_shared<Ball>(0, Triple::zero, 10, Triple::zero),
                                    std::make_shared<Ball>(1, Triple::zero, 20, Triple::zero),
                                    std::make_shared<Ball>(2, Triple::zero, 30, Triple::zero)});
    EXPECT_EQ(model->description(),
              "position:\t(0.0, 0.0, 0.0)\t(0.0, 0.0, 0.0)\t(0.0, 0.0, 0.0)\n"
              "momentum:\t(0.0, 0.0, 0.0)\t(0.0, 0.0, 0.0)\t(0.0, 0.0, 0.0)\n"
              "mass:\t10.0\t20.0\t30.0");
}

}  // namespace
}  // namespace pellomarin
