#include <gtest/gtest.h>

#include <cmath>

#include "projection.h"

namespace pellomarin {
namespace {

constexpr Triple t(double x, double y, double z) {
    return {{x, y, z}};
}

Ball ball(int id, Triple position, double mass = 1) {
    return {id, position, mass, Triple::zero};
}

TEST(Projection, PlaneThroughTheOriginIsDrawnAtScaleOne) {
    const auto offset = projectedOffset(t(100, 0, -50));
    EXPECT_EQ(offset.x, 100);
    EXPECT_EQ(offset.y, -50);
    EXPECT_EQ(apparentDiameter(ball(0, t(0, 0, 0))), 10);
    const auto farther = projectedOffset(t(100, 200, 30));
    EXPECT_EQ(farther.x, 50);
    EXPECT_EQ(farther.y, 15);
}

TEST(Projection, WorkedExampleDiameter) {
    const Ball b = ball(0, t(100, 0, -50), 8);  // radius 2
    EXPECT_EQ(apparentDiameter(b), (2 * 2000.0) / std::sqrt((100.0 * 100 + 200 * 200) + 50 * 50));
    EXPECT_NEAR(apparentDiameter(b), 17.46, 0.01);
}

TEST(Projection, AtTheEyeEverythingIsTheGreatestDouble) {
    const auto offset = projectedOffset(t(5, -200, 5));
    EXPECT_EQ(offset.x, greatestFiniteDouble);
    EXPECT_EQ(offset.y, greatestFiniteDouble);
    EXPECT_EQ(apparentDiameter(ball(0, eyePoint)), greatestFiniteDouble);
}

TEST(DrawList, FarthestFirstEqualDepthsKeepTheirOrderAndBallsBehindTheEyeDropOut) {
    const std::array<Ball, 3> balls{ball(0, t(0, 10, 0)), ball(1, t(0, 50, 0)),
                                    ball(2, t(0, 10, 0))};
    const DrawList list = drawList(balls);
    EXPECT_EQ(std::vector<int>(list.begin(), list.end()), (std::vector<int>{1, 0, 2}));

    const std::array<Ball, 3> behind{ball(0, t(0, -200, 0)), ball(1, t(0, -300, 0)),
                                     ball(2, t(0, NAN, 0))};
    const DrawList kept = drawList(behind);
    EXPECT_EQ(std::vector<int>(kept.begin(), kept.end()), (std::vector<int>{2}));
}

TEST(Visibility, StrictTestsAgainstTheHalfSizes) {
    EXPECT_TRUE(isOnScreen(10, {0, 0}, 200, 200));
    EXPECT_TRUE(isOnScreen(10, {204, 0}, 200, 200));
    EXPECT_FALSE(isOnScreen(10, {205, 0}, 200, 200));  // touches the edge from outside
    EXPECT_FALSE(isOnScreen(10, {0, -205}, 200, 200));
    EXPECT_TRUE(isOnScreen(10, {0, -205}, 200, 300));  // a taller area reaches it
    EXPECT_FALSE(isOnScreen(NAN, {0, 0}, 200, 200));
    EXPECT_FALSE(isOnScreen(10, {NAN, 0}, 200, 200));
}

TEST(Visibility, JustInFrontOfTheEye) {
    const Triple offAxis = t(1, -199.999, 0);
    EXPECT_FALSE(
        isOnScreen(apparentDiameter(ball(0, offAxis)), projectedOffset(offAxis), 200, 200));
    const Triple onAxis = t(0, -199.999, 0);
    const double d = apparentDiameter(ball(0, onAxis));
    EXPECT_GT(d, 1e6);
    EXPECT_TRUE(isOnScreen(d, projectedOffset(onAxis), 200, 200));
}

}  // namespace
}  // namespace pellomarin
