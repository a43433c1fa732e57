#include <gtest/gtest.h>

#include <cmath>

#include "balls.h"

using namespace pellomarin;
using support::t;

// The step's arithmetic is held by the runner's pinned runs; this is what they cannot show.
TEST(Vectors, DescriptionsAndRadii) {
    EXPECT_EQ(t(1, 2.5, -3).description(), "(1.0, 2.5, -3.0)");
    EXPECT_EQ(t(NAN, -0.0, 1e300).description(), "(nan, -0.0, 1e+300)");
    // The power function's cube root, which SVG pictures print to the last bit; cbrt gives 10.
    EXPECT_EQ(Ball(0, Triple::zero, 1000, Triple::zero).radius, 9.999999999999998);
}
