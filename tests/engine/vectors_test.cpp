#include <gtest/gtest.h>

#include <cmath>

#include "balls.h"

using namespace pellomarin;
using support::t;

// The step's arithmetic is held by the runner's pinned runs; this is what they cannot show.
TEST(Vectors, Descriptions) {
    EXPECT_EQ(t(1, 2.5, -3).description(), "(1.0, 2.5, -3.0)");
    EXPECT_EQ(t(NAN, -0.0, 1e300).description(), "(nan, -0.0, 1e+300)");
}

TEST(Balls, RadiusComesFromThePowerFunctionAndCopiesForgetTheAcceleration) {
    EXPECT_EQ(Ball(0, Triple::zero, 8, Triple::zero).radius, 2.0);
    EXPECT_EQ(Ball(0, Triple::zero, 1000, Triple::zero).radius, 9.999999999999998);
    Ball original(2, t(1, 2, 3), 1, t(4, 5, 6));
    original.lastAcceleration = t(1, 2, 3);
    original.radius = 7.0;  // copied, not recomputed
    const auto copied = original.copy();
    EXPECT_EQ(copied->id, 2);
    EXPECT_EQ(copied->radius, 7.0);
    EXPECT_EQ(copied->movement, t(4, 5, 6));
    EXPECT_EQ(copied->lastAcceleration, Triple::zero);
    EXPECT_EQ(original.distance(Ball(0, t(4, 6, 3), 1, Triple::zero)), 5.0);
}
