#include <gtest/gtest.h>

#include <cmath>

#include "integration.h"

namespace pellomarin {
namespace {

constexpr Triple t(double x, double y, double z) {
    return {{x, y, z}};
}

BallList balls(std::array<double, 3> masses, std::array<Triple, 3> positions,
               std::array<Triple, 3> movements = {}) {
    BallList list;
    for (int i = 0; i < 3; ++i)
        list[i] = std::make_shared<Ball>(i, positions[i], masses[i], movements[i]);
    return list;
}

Triple momentum(const BallList& list) {
    Triple p = Triple::zero;
    for (const auto& b : list)
        p.add(b->movement, b->mass);
    return p;
}

TEST(Step, PullFallsOffWithDistanceAndDividesByThePulledMass) {
    gravitationalConstant = 5.0;
    timeStep = 1.0;
    // Ball 2 sits so far away that its pull is lost in rounding next to ball 1's.
    auto list = balls({2, 10, 1e-300}, {t(0, 0, 0), t(3, 4, 0), t(1e300, 0, 0)});
    step(list);
    EXPECT_EQ(list[0]->lastAcceleration, t(3, 4, 0));
}

TEST(Step, AccelerationsComeFromThePositionsBeforeTheMove) {
    gravitationalConstant = 1.0;
    timeStep = 1.0;
    auto list = balls({1, 1, 1}, {t(-10, 0, 0), t(10, 0, 0), t(0, 30, 0)},
                      {t(0, 0, 1), t(0, 0, -1), Triple::zero});
    auto expected = std::array<Triple, 3>{};
    for (int i = 0; i < 3; ++i) {
        for (int j = 0; j < 3; ++j) {
            if (i == j)
                continue;
            Triple d = list[i]->position.offset(list[j]->position);
            const double r2 = (d.x() * d.x() + d.y() * d.y()) + d.z() * d.z();
            d.scale((1.0 * 1.0 / r2) / 1.0);
            expected[i].add(d);
        }
    }
    step(list);
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(list[i]->lastAcceleration, expected[i]) << i;
}

TEST(Step, CoincidingCentresAddNothingWhateverThePulledMass) {
    gravitationalConstant = 5.0;
    timeStep = 1.0;
    for (double pulled : {1.0, 1e6, 0.5, 1e-300}) {
        auto list = balls({pulled, 3, 3}, {t(0, 0, 0), t(0, 0, 0), t(0, 0, 40)});
        step(list);
        for (const auto& b : list) {
            for (double c : b->position.vector)
                EXPECT_TRUE(std::isfinite(c)) << pulled;
            for (double c : b->movement.vector)
                EXPECT_TRUE(std::isfinite(c)) << pulled;
        }
        // Only ball 2 pulls ball 0: (0, 0, 40) · (5·3 / 1600) / m.
        EXPECT_EQ(list[0]->lastAcceleration, t(0, 0, 40 * ((5.0 * 3 / 1600) / pulled))) << pulled;
    }
}

TEST(Step, CentresAHairApartAddNothingInsteadOfAnInfinitePull) {
    gravitationalConstant = 5.0;
    timeStep = 1.0;
    // r² = 1e-320: G·m / r² overflows.
    auto list = balls({2, 3, 3}, {t(0, 0, 0), t(1e-160, 0, 0), t(0, 0, 40)});
    step(list);
    EXPECT_EQ(list[0]->lastAcceleration, t(0, 0, 40 * ((5.0 * 3 / 1600) / 2)));
    for (const auto& b : list)
        for (double c : b->position.vector)
            EXPECT_TRUE(std::isfinite(c));
}

TEST(Step, ZeroTimeStepStillRecordsAccelerationAndCorrects) {
    gravitationalConstant = 5.0;
    timeStep = 0.0;
    auto list = balls({1, 1, 1}, {t(-30, 0, 0), t(30, 0, 0), t(0, 0, 60)},
                      {t(0.1, 0, 0), t(-0.1, 0, 0), Triple::zero});
    step(list);
    EXPECT_EQ(list[0]->position, t(-30, 0, -20));  // only the recentring moved it
    EXPECT_EQ(list[0]->movement, t(0.1, 0, 0));
    EXPECT_NE(list[0]->lastAcceleration, Triple::zero);
}

TEST(CorrectDrift, RecentresEveryBallByAnEqualShareOfTheMassWeightedShift) {
    auto list = balls({1, 1, 1}, {t(1, 0, 0), t(0, 0, 0), t(0, 0, 0)});
    correctDrift(list);
    const double shift = 1.0 * -0.3333333333333333;
    EXPECT_EQ(list[0]->position, t(1 + shift, 0, 0));
    EXPECT_EQ(list[1]->position, t(shift, 0, 0));
    EXPECT_EQ(list[2]->position, t(shift, 0, 0));
}

TEST(CorrectDrift, HeavyBallsMoveLessWhenRecentred) {
    auto list = balls({1, 2, 4}, {t(3, 0, 0), t(5, 0, 0), t(-1, 0, 0)});
    correctDrift(list);  // Σ m·p = 9
    EXPECT_EQ(list[0]->position.x(), 3 + (9 * -0.3333333333333333) * (1.0 / 1));
    EXPECT_EQ(list[1]->position.x(), 5 + (9 * -0.3333333333333333) * (1.0 / 2));
    EXPECT_EQ(list[2]->position.x(), -1 + (9 * -0.3333333333333333) * (1.0 / 4));
}

TEST(CorrectDrift, MomentumIsTakenFromBallsAtRestOrMovingAlongIt) {
    auto list = balls({1, 1, 1}, {}, {t(1, 0, 0), t(0, 0, 0), t(-3, 0, 0)});
    correctDrift(list);
    EXPECT_EQ(list[0]->movement, t(1, 0, 0));  // moving against P = (-2, 0, 0): untouched
    EXPECT_EQ(list[1]->movement, t(1, 0, 0));
    EXPECT_EQ(list[2]->movement, t(-2, 0, 0));
    EXPECT_EQ(momentum(list), Triple::zero);
}

TEST(CorrectDrift, NoMomentumMeansNoChange) {
    auto list = balls({1, 2, 1}, {}, {t(1, 0, 0), t(-0.5, 0, 0), Triple::zero});
    correctDrift(list);
    EXPECT_EQ(list[0]->movement, t(1, 0, 0));
    EXPECT_EQ(list[1]->movement, t(-0.5, 0, 0));
    EXPECT_EQ(list[2]->movement, Triple::zero);
}

TEST(Step, LongRunKeepsCentreAndMomentumAtZero) {
    gravitationalConstant = 5.0;
    timeStep = 1.0;
    auto list = balls({1, 2, 3}, {t(100, 0, 0), t(-50, 40, 0), t(0, -20, 30)},
                      {t(0, 0.5, 0), t(0.2, 0, -0.3), t(-0.1, 0.1, 0.2)});
    for (int n = 0; n < 10'000; ++n)
        step(list);
    Triple centre = Triple::zero;
    for (const auto& b : list)
        centre.add(b->position, b->mass);
    for (double c : centre.vector)
        EXPECT_NEAR(c, 0.0, 1e-9);
    for (double c : momentum(list).vector)
        EXPECT_NEAR(c, 0.0, 1e-12);
}

}  // namespace
}  // namespace pellomarin
