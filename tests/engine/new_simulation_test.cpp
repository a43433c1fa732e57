#include <gtest/gtest.h>

#include <cmath>

#include "new_simulation.h"

using namespace pellomarin;

// The runner's pinned runs hold the bases, grid points, masses and ids to the last bit;
// masses that give no start are the runner's refusals and rows of the bad-settings test.
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
                for (int k = 0; k < 3; ++k)
                    ASSERT_TRUE(std::abs(b.position.vector[k]) <= 200 &&
                                std::abs(b.movement.vector[k]) <= 1);
                centre.add(b.position, b.mass);
                momentum.add(b.movement, b.mass);
                for (int j = 0; j < 3; ++j) {
                    const Triple towards = b.position.offset(balls[j].position);
                    ASSERT_TRUE(i == j || (length(towards) > 50 &&
                                           towards.cosine(b.movement) <= maxApproachCosine));
                }
            }
            EXPECT_LT(length(centre), 1e-9 * m[2]);
            EXPECT_LT(length(momentum), 1e-12 * m[2]);
        }
    }
}
