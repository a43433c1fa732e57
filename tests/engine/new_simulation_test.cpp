#include <gtest/gtest.h>

#include <cmath>

#include "balls.h"
#include "new_simulation.h"

using namespace pellomarin;
using support::t;

TEST(NewSimulation, BasesAndGridPointsToTheLastBit) {
    EXPECT_EQ(balancedBasis({1, 1, 1}).e1, t(0.7071067811865475, 0, -0.7071067811865475));
    EXPECT_EQ(balancedBasis({1, 1, 1}).e2,
              t(0.4082482904638631, -0.8164965809277261, 0.4082482904638631));
    EXPECT_EQ(balancedBasis({1, 2, 3}).e1, t(0.9486832980505138, 0, -0.3162277660168379));
    EXPECT_EQ(balancedBasis({1, 2, 3}).e2,
              t(0.1690308509457033, -0.8451542547285167, 0.50709255283711));
    EXPECT_EQ(balancedGridPoint({1, 1, 1}, 200, 60, 40),
              t(20.705523608201663, 56.568542494923825, -77.27406610312549));
    EXPECT_EQ(balancedGridPoint({1, 1, 1}, 1, 100, 50),  // outside the cube: drawn again
              t(1.224744871391589, 0, -1.224744871391589));
    EXPECT_EQ(balancedGridPoint({1, 2, 3}, 200, 75, 20),
              t(129.18436462540268, 175.662013130736, -160.1694636289582));
}

TEST(NewSimulation, EveryStartMeetsEveryConstraint) {
    RandomSource random(2024);
    for (const Masses& m :
         {Masses{1, 1, 1}, Masses{1, 2, 3}, Masses{5, 0.1, 1}, Masses{1, 1, 1000}}) {
        for (int n = 0; n < 200; ++n) {
            const auto model = newSimulation(m, random);
            const auto balls = model->snapshot();
            Triple centre = Triple::zero, momentum = Triple::zero;
            for (int i = 0; i < 3; ++i) {
                const Ball& b = balls[i];
                ASSERT_EQ(b.id, i);
                ASSERT_EQ(b.mass, m[i]);
                for (int k = 0; k < 3; ++k)
                    ASSERT_TRUE(std::abs(b.position.vector[k]) <= 200 &&
                                std::abs(b.movement.vector[k]) <= 1);
                centre.add(b.position, b.mass);
                momentum.add(b.movement, b.mass);
                for (int j = 0; j < 3; ++j) {
                    if (i == j)
                        continue;
                    const Triple towards = b.position.offset(balls[j].position);
                    ASSERT_GT(length(towards), 50);
                    ASSERT_LE(towards.cosine(b.movement), maxApproachCosine);
                }
            }
            EXPECT_LT(length(centre), 1e-9 * m[2]);
            EXPECT_LT(length(momentum), 1e-12 * m[2]);
        }
    }
}

TEST(NewSimulation, MassesThatCannotGiveAStartRunWithUnitMasses) {
    for (const Masses& m : {Masses{1e300, 1, 1}, Masses{1, 1e-300, 1}, Masses{1e200, 1e200, 1e200},
                            Masses{5e-324, 1, 1}, Masses{1, 1, 1e160}, Masses{NAN, 1, 1}}) {
        RandomSource random(11);
        for (const Ball& b : newSimulation(m, random)->snapshot())
            EXPECT_EQ(b.mass, 1.0) << m[0] << " " << m[1] << " " << m[2];
    }
}
