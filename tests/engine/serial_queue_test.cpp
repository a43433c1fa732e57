#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <vector>

#include "serial_queue.h"

namespace pellomarin {
namespace {

TEST(SerialQueue, WorkFromManyThreadsNeverOverlaps) {
    SerialQueue queue("Gravitation");
    EXPECT_EQ(queue.label(), "Gravitation");
    std::atomic<int> inside{0};
    std::atomic<bool> overlapped{false};
    long counter = 0;  // unguarded on purpose: the queue is the guard
    std::vector<std::thread> threads;
    for (int t = 0; t < 4; ++t) {
        threads.emplace_back([&] {
            for (int n = 0; n < 20'000; ++n) {
                queue.sync([&] {
                    if (++inside > 1)
                        overlapped = true;
                    ++counter;
                    --inside;
                });
            }
        });
    }
    for (auto& thread : threads)
        thread.join();
    EXPECT_FALSE(overlapped);
    EXPECT_EQ(counter, 80'000);
}

TEST(SerialQueue, WaitingWorkRunsInArrivalOrder) {
    SerialQueue queue("order");
    std::vector<int> order;
    std::atomic<bool> release{false};
    std::atomic<int> started{0};
    std::thread holder([&] {
        queue.sync([&] {
            ++started;
            while (!release)
                std::this_thread::yield();
        });
    });
    while (started == 0)
        std::this_thread::yield();
    std::vector<std::thread> waiters;
    for (int k = 0; k < 5; ++k) {
        waiters.emplace_back([&, k] { queue.sync([&] { order.push_back(k); }); });
        std::this_thread::sleep_for(std::chrono::milliseconds(50));  // ticket k is taken
    }
    release = true;
    holder.join();
    for (auto& waiter : waiters)
        waiter.join();
    EXPECT_EQ(order, (std::vector<int>{0, 1, 2, 3, 4}));
}

}  // namespace
}  // namespace pellomarin
