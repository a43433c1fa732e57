#include <gtest/gtest.h>

#include <cmath>

#include "ball.h"
#include "number_form.h"
#include "triple.h"

namespace pellomarin {
namespace {

constexpr Triple t(double x, double y, double z) {
    return {{x, y, z}};
}

TEST(VectorArithmetic, OffsetPointsFromOneVectorToTheOther) {
    EXPECT_EQ(t(1, 2, 3).offset(t(4, 6, 8)), t(3, 4, 5));
    EXPECT_EQ(t(4, 6, 8).offset(t(1, 2, 3)), t(-3, -4, -5));
}

TEST(VectorArithmetic, CosineOfRightOppositeAndZeroVectors) {
    EXPECT_EQ(t(1, 0, 0).cosine(t(0, 1, 0)), 0.0);
    EXPECT_EQ(t(1, 0, 0).cosine(t(-2, 0, 0)), -1.0);
    EXPECT_TRUE(std::isnan(t(0, 0, 0).cosine(t(1, 2, 3))));
    EXPECT_TRUE(std::isnan(t(1, 2, 3).cosine(t(0, 0, 0))));
}

TEST(VectorArithmetic, AddScaledRoundsTheProductBeforeTheSum) {
    Triple a = t(1, 1, 1);
    a.add(t(2, 4, 6), 0.5);
    EXPECT_EQ(a, t(2, 3, 4));
    // With a fused multiply-add this would keep the product's low bits.
    Triple b = t(-1.0, 0, 0);
    const double third = 1.0 / 3.0;
    b.add(t(3.0, 0, 0), third);
    EXPECT_EQ(b.x(), -1.0 + 3.0 * third);
    EXPECT_EQ(b.x(), 0.0);
}

TEST(VectorArithmetic, EqualityFollowsTheComponents) {
    EXPECT_EQ(t(-0.0, 0, 0), Triple::zero);
    EXPECT_FALSE(t(NAN, 0, 0) == t(NAN, 0, 0));
}

TEST(VectorArithmetic, DescriptionKeepsAPointOnWholeNumbers) {
    EXPECT_EQ(t(1, 2.5, -3).description(), "(1.0, 2.5, -3.0)");
    EXPECT_EQ(t(0.1, -0.0, 1e300).description(), "(0.1, -0.0, 1e+300)");
    EXPECT_EQ(descriptionText(NAN), "nan");
    EXPECT_EQ(descriptionText(-INFINITY), "-inf");
    EXPECT_EQ(descriptionText(123456789.0), "123456789.0");
}

TEST(Balls, RadiusIsThePowerOneThirdOfTheMass) {
    EXPECT_EQ(Ball(0, Triple::zero, 8, Triple::zero).radius, 2.0);
    EXPECT_EQ(Ball(0, Triple::zero, 1000, Triple::zero).radius, 9.999999999999998);
    EXPECT_EQ(Ball(0, Triple::zero, 1, Triple::zero).radius, 1.0);
}

TEST(Balls, DistanceLowersTheRunningMinimumOnlyWhenSmaller) {
    minDistanceSoFar = greatestFiniteDouble;
    const Ball a(0, t(0, 0, 0), 1, Triple::zero);
    const Ball b(1, t(3, 4, 0), 1, Triple::zero);
    EXPECT_EQ(a.distance(b), 5.0);
    EXPECT_EQ(minDistanceSoFar, 5.0);
    EXPECT_EQ(b.distance(a), 5.0);
    const Ball far(2, t(30, 40, 0), 1, Triple::zero);
    EXPECT_EQ(a.distance(far), 50.0);
    EXPECT_EQ(minDistanceSoFar, 5.0);
    const Ball lost(2, t(NAN, 0, 0), 1, Triple::zero);
    EXPECT_TRUE(std::isnan(a.distance(lost)));
    EXPECT_EQ(minDistanceSoFar, 5.0);
}

TEST(Balls, CopyIsIndependentAndForgetsTheAcceleration) {
    Ball original(2, t(1, 2, 3), 1000, t(4, 5, 6));
    original.lastAcceleration = t(1, 2, 3);
    original.radius = 7.0;  // copied, not recomputed
    const auto copied = original.copy();
    EXPECT_EQ(copied->id, 2);
    EXPECT_EQ(copied->lastAcceleration, Triple::zero);
    EXPECT_EQ(copied->radius, 7.0);
    EXPECT_EQ(copied->movement, t(4, 5, 6));
    copied->position = t(9, 9, 9);
    EXPECT_EQ(original.position, t(1, 2, 3));
}

TEST(Balls, DescriptionNamesPositionAndMovement) {
    const Ball ball(0, t(1, 2, 3), 1, t(0.5, 0, -1));
    EXPECT_EQ(ball.description(), "position: (1.0, 2.0, 3.0), movement: (0.5, 0.0, -1.0)");
}

}  // namespace
}  // namespace pellomarin
