// The timer and the observer lists that a model is made of.
#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "observers.h"
#include "periodic_timer.h"

using namespace pellomarin;
using namespace std::chrono_literals;

TEST(PeriodicTimer, OneRunAtATimeOverrunsMergedNotCaughtUpResumesBalanced) {
    std::atomic<int> inside{0}, most{0}, runs{0};
    PeriodicTimer timer;
    timer.setEventHandler([&] {
        most = std::max(most.load(), ++inside);
        std::this_thread::sleep_for(5ms);  // fifty periods
        --inside;
        ++runs;
    });
    timer.schedule(100us, 50us);
    std::this_thread::sleep_for(10ms);
    EXPECT_EQ(runs, 0);  // made suspended
    EXPECT_TRUE(timer.resume());
    EXPECT_FALSE(timer.resume());
    std::this_thread::sleep_for(200ms);
    timer.cancel();
    EXPECT_EQ(most, 1);
    EXPECT_GT(runs, 5);
    EXPECT_LT(runs, 60);  // catching up would mean about two thousand
    EXPECT_EQ(timer.refusedResumes(), 1u);
}

TEST(Observers, CallbacksMaySubscribeAndUnsubscribeWhileBeingTold) {
    auto observers = std::make_unique<Observers>();
    int told = 0, late = 0;
    Observers::Subscription self;
    std::vector<Observers::Subscription> more;
    self = observers->subscribe([&] {
        ++told;
        self.cancel();
        for (int n = 0; n < 20; ++n)  // enough to move the list's entries
            more.push_back(observers->subscribe([&] { ++late; }));
    });
    observers->notify();
    observers->notify();
    EXPECT_EQ(told, 1);
    EXPECT_EQ(late, 20);  // added while telling: told from the next time on
    observers.reset();
    more.clear();  // subscriptions may outlive their list
}
