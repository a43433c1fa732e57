#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <vector>

#include "periodic_timer.h"

using namespace pellomarin;
using namespace std::chrono_literals;

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
        EXPECT_TRUE(timer.resume());  // made suspended
        EXPECT_FALSE(timer.resume());
        EXPECT_EQ(timer.refusedResumes(), 1u);
        std::this_thread::sleep_for(100ms);
    }  // waits for the timer's thread
    EXPECT_EQ(most, 1);
    // Each run after a late one stands for the firings it missed: the next
    // deadline lies past them, not one period on, and on the first one's grid.
    ASSERT_GT(deadlines.size(), 3u);
    for (std::size_t k = 1; k < deadlines.size(); ++k)
        EXPECT_EQ((deadlines[k] - deadlines[0]) % 100us, 0us) << k;
    for (std::size_t k = 2; k < deadlines.size(); ++k)
        EXPECT_GT(deadlines[k] - deadlines[k - 1], 10 * 100us);
}
