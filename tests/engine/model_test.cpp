#include <gtest/gtest.h>

#include <atomic>
#include <cmath>
#include <thread>

#include "balls.h"
#include "fake_main_thread.h"
#include "new_simulation.h"

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
        EXPECT_TRUE(run && std::tuple(run->frameDuration, run->timeStep, run->leeway) ==
                               std::tuple(frameDuration, timeStep, leeway))
            << ms;
    }
    for (double ms : {0.0, -5.0, double(NAN), double(INFINITY), 9.3e15})
        EXPECT_FALSE(runParameters(ms)) << ms;
}

// The runner's pinned runs hold the bases, grid points, masses and ids to the
// last bit, and with them the box, the centre and the momentum; masses that
// give no start are the runner's refusals and rows of the bad-settings test.
TEST(NewSimulation, EveryStartKeepsItsBallsApartAndNoneHeadingAtAnother) {
    RandomSource random(2024);
    for (const Masses& m : {Masses{1, 1, 1}, {1, 2, 3}, {5, 0.1, 1}, {1, 1, 1000}})
        for (int n = 0; n < 200; ++n) {
            const auto balls = newSimulation(m, random)->snapshot();
            for (const Ball& b : balls)
                for (const Triple towards : {b.position.offset(balls[(b.id + 1) % 3].position),
                                             b.position.offset(balls[(b.id + 2) % 3].position)})
                    ASSERT_TRUE(length(towards) > 50 &&
                                towards.cosine(b.movement) <= maxApproachCosine);
        }
}

// Only the first start sets the parameters; the main thread hears of steps once per frame at most
// and of the last ones at the stop; Restart while suspended puts back the starting balls and
// publishes nothing; suspend and resume never resume more than they suspended.
TEST(Model, StartRestartSuspendResumeAndCancel) {
    support::FakeMainThread main;
    auto model = Model::make(support::balls({t(-60, 0, -40), t(60, 0, -40), t(0, 0, 80)}, {1, 1, 1},
                                            {t(0, 0.3, 0), t(0, -0.3, 0), t(0.2, 0, 0)}),
                             main.poster());
    // A step under way finishes and its notification arrives.
    const auto settle = [&] { std::this_thread::sleep_for(5ms), main.runPending(); };
    const auto start = model->snapshot();
    const auto begin = std::chrono::steady_clock::now();
    model->start(0.2, 0.5, IntegrationMethod::accurate, ForceLaw::newton);
    model->start(30, 5);
    EXPECT_EQ(
        std::tuple(model->timer().period(), model->timer().leeway(),
                   model->stepParameters().gravitationalConstant, model->stepParameters().law),
        std::tuple(200us, 100us, 0.5, ForceLaw::newton));
    EXPECT_TRUE(model->isTimerInitialized().value());
    std::this_thread::sleep_for(100ms);  // the main thread is busy elsewhere
    EXPECT_LE(main.postCount(), 1u);     // one notification waits, for every step since
    model->suspendOrResume(), model->suspendOrResume();
    ASSERT_TRUE(main.runUntil([&] { return model->stepsTaken() > 1000; }));
    while (model->stepsTaken() < model->version() + 20)  // steps held for the next frame
        std::this_thread::yield();
    model->suspendOrResume();  // shows them at once
    const auto frames = (std::chrono::steady_clock::now() - begin) / Model::displayFrame;
    settle();
    // The first step, then one per frame boundary passed, and one at each stop.
    EXPECT_LE(main.postCount(), std::uint64_t(frames) + 4);
    EXPECT_EQ(model->version(), model->stepsTaken());
    const auto version = model->version();
    model->restart();
    std::this_thread::sleep_for(20ms);  // a hundred periods
    settle();
    EXPECT_EQ(model->version(), version);
    model->suspendOrResume();
    ASSERT_TRUE(main.runUntil([&] { return model->version() >= version + 5; }));
    EXPECT_EQ(model->timer().refusedResumes(), 0u);
    model->cancel();
    settle();
    // The steps since the restart are a fresh start's, bit for bit: it put back the starting balls.
    const BallList replay{start[0].copy(), start[1].copy(), start[2].copy()};
    Integrator fresh(model->stepParameters());
    for (auto n = version; n < model->stepsTaken(); ++n)
        fresh.step(replay);
    EXPECT_EQ(model->snapshot()[0].position, replay[0]->position);
    const std::weak_ptr<Model> watch = model;
    model.reset();  // the cancelled handler held no reference
    EXPECT_TRUE(watch.expired());
}

TEST(PeriodicTimer, OneRunAtATimeOverrunsMergedNotCaughtUpOnTheGridResumesBalanced) {
    std::atomic<int> inside{0}, most{0};
    std::vector<PeriodicTimer::Clock::time_point> deadlines;  // the timer's thread only
    {
        PeriodicTimer timer;
        timer.setEventHandler([&] {
            most = std::max(most.load(), ++inside);
            deadlines.push_back(timer.firingDeadline());
            std::this_thread::sleep_for(5ms);  // fifty periods
            --inside;
        });
        timer.schedule(100us, 50us);
        // Scheduled suspended: the first resume runs it, a second is refused.
        EXPECT_TRUE(timer.resume() && !timer.resume() && timer.refusedResumes() == 1u);
        std::this_thread::sleep_for(100ms);
    }  // waits for the timer's thread
    EXPECT_EQ(most, 1);
    // Each run after a late one stands for the firings it missed: the next
    // deadline lies past them, not one period on, and on the first one's grid.
    ASSERT_GT(deadlines.size(), 3u);
    for (std::size_t k = 1; k < deadlines.size(); ++k)
        EXPECT_TRUE((deadlines[k] - deadlines[0]) % 100us == 0us &&
                    (k == 1 || deadlines[k] - deadlines[k - 1] > 10 * 100us));
}
