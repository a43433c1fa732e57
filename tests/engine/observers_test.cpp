#include <gtest/gtest.h>

#include "observers.h"

namespace pellomarin {
namespace {

TEST(Observers, EverySubscriberIsToldUntilItsSubscriptionEnds) {
    Observers observers;
    int a = 0, b = 0;
    auto first = observers.subscribe([&] { ++a; });
    {
        auto second = observers.subscribe([&] { ++b; });
        observers.notify();
    }
    observers.notify();
    EXPECT_EQ(a, 2);
    EXPECT_EQ(b, 1);
    first = Observers::Subscription();  // assigning ends the old one
    observers.notify();
    EXPECT_EQ(a, 2);
}

TEST(Observers, CallbacksMaySubscribeAndUnsubscribeWhileBeingTold) {
    Observers observers;
    int told = 0, late = 0;
    Observers::Subscription self, added;
    std::vector<Observers::Subscription> more;
    self = observers.subscribe([&] {
        ++told;
        self.cancel();
        for (int n = 0; n < 20; ++n)
            more.push_back(observers.subscribe([&] { ++late; }));
    });
    observers.notify();
    EXPECT_EQ(told, 1);
    EXPECT_EQ(late, 0);  // added while telling: told next time
    observers.notify();
    EXPECT_EQ(told, 1);
    EXPECT_EQ(late, 20);
}

TEST(Observers, SubscriptionMayOutliveTheList) {
    Observers::Subscription subscription;
    {
        Observers observers;
        subscription = observers.subscribe([] {});
    }
    subscription.cancel();
}

TEST(BoolHolder, TellsOnlyOfChanges) {
    BoolHolder holder;
    int told = 0;
    const auto subscription = holder.observe([&] { ++told; });
    holder.setValue(false);
    holder.setValue(true);
    holder.setValue(true);
    EXPECT_TRUE(holder.value());
    EXPECT_EQ(told, 1);
}

}  // namespace
}  // namespace pellomarin
