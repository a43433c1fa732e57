#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "periodic_timer.h"

namespace pellomarin {
namespace {

using namespace std::chrono_literals;

bool waitFor(const std::function<bool()>& done, std::chrono::milliseconds limit = 20s) {
    const auto end = std::chrono::steady_clock::now() + limit;
    while (!done()) {
        if (std::chrono::steady_clock::now() > end)
            return false;
        std::this_thread::sleep_for(1ms);
    }
    return true;
}

TEST(PeriodicTimer, MadeSuspendedAndIdleUntilScheduledAndResumed) {
    std::atomic<int> runs{0};
    PeriodicTimer timer;
    timer.setEventHandler([&] { ++runs; });
    EXPECT_EQ(timer.suspensionCount(), 1);
    timer.schedule(100us, 50us);
    std::this_thread::sleep_for(10ms);
    EXPECT_EQ(runs, 0);
    EXPECT_TRUE(timer.resume());
    EXPECT_TRUE(waitFor([&] { return runs >= 10; }));
}

TEST(PeriodicTimer, ResumesNeverOutnumberSuspensions) {
    PeriodicTimer timer;
    EXPECT_TRUE(timer.resume());
    EXPECT_FALSE(timer.resume());
    timer.suspend();
    timer.suspend();
    EXPECT_TRUE(timer.resume());
    EXPECT_TRUE(timer.resume());
    EXPECT_FALSE(timer.resume());
    EXPECT_EQ(timer.refusedResumes(), 2u);
    EXPECT_EQ(timer.suspensionCount(), 0);
}

TEST(PeriodicTimer, OneHandlerRunAtATimeAndOverrunsAreMergedNotCaughtUp) {
    std::atomic<int> inside{0};
    std::atomic<int> most{0};
    std::atomic<int> runs{0};
    PeriodicTimer timer;
    timer.setEventHandler([&] {
        most = std::max(most.load(), ++inside);
        std::this_thread::sleep_for(5ms);  // fifty periods
        --inside;
        ++runs;
    });
    timer.schedule(100us, 50us);
    timer.resume();
    std::this_thread::sleep_for(200ms);
    timer.suspend();
    EXPECT_EQ(most, 1);
    // Catching up would mean about two thousand runs.
    EXPECT_GT(runs, 5);
    EXPECT_LT(runs, 60);
}

TEST(PeriodicTimer, SuspendHoldsTheTicksAndResumeBringsThemBack) {
    std::atomic<int> runs{0};
    PeriodicTimer timer;
    timer.setEventHandler([&] { ++runs; });
    timer.schedule(200us, 100us);
    timer.resume();
    ASSERT_TRUE(waitFor([&] { return runs >= 5; }));
    timer.suspend();
    std::this_thread::sleep_for(5ms);  // a run under way finishes
    const int held = runs;
    std::this_thread::sleep_for(20ms);
    EXPECT_EQ(runs, held);
    timer.resume();
    EXPECT_TRUE(waitFor([&] { return runs >= held + 5; }));
}

TEST(PeriodicTimer, CancelStopsForGoodAndReleasesTheHandler) {
    auto owned = std::make_shared<int>(0);
    std::weak_ptr<int> watch = owned;
    std::atomic<int> runs{0};
    PeriodicTimer timer;
    timer.setEventHandler([&runs, owned] { ++runs; });
    owned.reset();
    timer.schedule(100us, 50us);
    timer.resume();
    ASSERT_TRUE(waitFor([&] { return runs >= 3; }));
    timer.cancel();
    EXPECT_TRUE(waitFor([&] { return watch.expired(); }));
    const int last = runs;
    std::this_thread::sleep_for(10ms);
    EXPECT_EQ(runs, last);
    timer.schedule(100us, 50us);  // nothing brings a cancelled timer back
    timer.suspend();
    timer.resume();
    std::this_thread::sleep_for(10ms);
    EXPECT_EQ(runs, last);
}

TEST(PeriodicTimer, CancelBeforeAnyScheduleReleasesTheHandlerAtOnce) {
    auto owned = std::make_shared<int>(0);
    std::weak_ptr<int> watch = owned;
    PeriodicTimer timer;
    timer.setEventHandler([owned] {});
    owned.reset();
    timer.cancel();
    EXPECT_TRUE(watch.expired());
}

}  // namespace
}  // namespace pellomarin
