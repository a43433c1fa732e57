// The laws' conserved quantities, and what the accurate method promises on a
// known problem. The runner's pins hold the order of every operation of
// euler and leapfrog under both laws.
#include <gtest/gtest.h>

#include <cmath>

#include "integration.h"
#include "scenarios.h"

using namespace pellomarin;
using support::t;

namespace {

// Balls 0, 1, 2 with masses 1, 2, 3 at the corners of a 3-4-5 triangle.
BallList triangle() {
    return support::balls({t(0, 0, 0), t(3, 0, 0), t(0, 4, 0)}, {1, 2, 3},
                          {t(0, 0, 1), t(0, 1, 0), t(1, 0, 0)});
}

}  // namespace

TEST(ForceLaws, EnergyAndAngularMomentumByHand) {
    // G = 2: kinetic ½·Σ w·v², potential over the pairs 0–1 (r 3), 0–2 (r 4), 1–2 (r 5).
    EXPECT_NEAR(energy(ForceLaw::inverseDistance, triangle(), 2.0),
                7 + 2 * (2 * std::log(3) + 3 * std::log(4) + 6 * std::log(5)), 1e-14);
    EXPECT_DOUBLE_EQ(energy(ForceLaw::newton, triangle(), 2.0), 3 - 2 * (2 / 3.0 + 0.75 + 1.2));
    EXPECT_EQ(angularMomentum(ForceLaw::inverseDistance, triangle()), t(0, 0, 4 * 3 - 9 * 4));
    EXPECT_EQ(angularMomentum(ForceLaw::newton, triangle()), t(0, 0, 2 * 3 - 3 * 4));
}

TEST(Integrator, AfterResetTheSameBitsAsFromAFreshStart) {
    for (auto method : {IntegrationMethod::leapfrog, IntegrationMethod::accurate}) {
        Integrator integrator({1.0, 1.0, method, ForceLaw::newton});
        std::string runs[2];
        for (std::string& run : runs) {
            const BallList balls = support::pythagorean();
            for (int n = 0; n < 3; ++n)
                integrator.step(balls);
            for (const auto& b : balls)
                run += b->description() + b->lastAcceleration.description();
            integrator.reset();  // the second run starts from here
        }
        EXPECT_EQ(runs[0], runs[1]) << methodName(method);
    }
}

// Close encounters, which the runner's pinned run of the method never meets:
// ball 0 leaves, 1 and 2 stay a tight, bound pair, and the energy holds.
TEST(Accurate, PythagoreanProblemUnderNewton) {
    const BallList balls = support::pythagorean();
    const double before = energy(ForceLaw::newton, balls, 1.0);
    Integrator integrator({0.01, 1.0, IntegrationMethod::accurate, ForceLaw::newton});
    for (int n = 0; n < 7000; ++n)
        integrator.step(balls);
    EXPECT_LE(std::fabs(energy(ForceLaw::newton, balls, 1.0) / before - 1), 1e-10);
    EXPECT_LT(length(balls[0]->position.offset(t(7.0, 20.4, 0))), 0.3);
    const Ball &b1 = *balls[1], &b2 = *balls[2];
    const double v = length(b1.movement.offset(b2.movement)), r = b1.distance(b2);
    EXPECT_LT(r, 1.0);
    EXPECT_LT(0.5 * (4.0 * 5 / 9) * v * v, 4.0 * 5 / r);  // kinetic below potential: bound
}

TEST(Accurate, AHeadOnCollisionTakesTheRestOfTheTickAtTheCap) {
    const BallList balls = support::balls({t(-1, 0, 0), t(1, 0, 0), t(0, 50, 0)}, {1, 1, 1},
                                          {t(1, 0, 0), t(-1, 0, 0), t(0, 0, 0)});
    Integrator integrator({1.0, 5.0, IntegrationMethod::accurate, ForceLaw::inverseDistance});
    int most = 0;
    for (int n = 0; n < 10; ++n) {
        integrator.step(balls);
        most = std::max(most, integrator.subSteps());
    }
    EXPECT_EQ(most, Integrator::subStepCap);
    for (const auto& b : balls)
        EXPECT_TRUE(std::isfinite(length(b->position)) && std::isfinite(length(b->movement)));
}
