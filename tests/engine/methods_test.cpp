// The runner's pinned runs hold the order of every operation of the step, euler and leapfrog under
// both laws; these hold what a pin cannot show: overflowing pulls, which balls the momentum
// correction selects and what the accurate method promises on a known problem.
#include <gtest/gtest.h>

#include <cmath>

#include "integration.h"
#include "scenarios.h"

using namespace pellomarin;
using support::balls;
using support::t;

// Leapfrog's closing pull and the accurate method's step ladder start over.
TEST(Integrator, AfterResetTheSameBitsAsFromAFreshStart) {
    for (auto method : {IntegrationMethod::leapfrog, IntegrationMethod::accurate}) {
        Integrator integrator({1.0, 1.0, method, ForceLaw::newton});
        std::string runs[2];
        for (std::string& run : runs) {
            const BallList balls = support::pythagorean();
            integrator.step(balls), integrator.step(balls), integrator.step(balls);
            run = balls[0]->description() + balls[1]->description() + balls[2]->description();
            integrator.reset();  // the second run starts from here
        }
        EXPECT_EQ(runs[0], runs[1]) << methodName(method);
    }
}

// Weighted by m² under the inverse-distance law and by m under Newton's,
// which the pins' and the status bar's equal masses cannot tell apart.
TEST(ForceLaws, AngularMomentumByHand) {
    const BallList triangle = balls({t(0, 0, 0), t(3, 0, 0), t(0, 4, 0)}, {1, 2, 3},
                                    {t(0, 0, 1), t(0, 1, 0), t(1, 0, 0)});
    EXPECT_EQ(angularMomentum(ForceLaw::inverseDistance, triangle), t(0, 0, 4 * 3 - 9 * 4));
    EXPECT_EQ(angularMomentum(ForceLaw::newton, triangle), t(0, 0, 2 * 3 - 3 * 4));
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
    EXPECT_TRUE(r < 1 && 0.5 * (4.0 * 5 / 9) * v * v < 4.0 * 5 / r);  // kinetic below potential
}

TEST(Accurate, AHeadOnCollisionTakesTheRestOfTheTickAtTheCap) {
    const BallList balls = support::balls({t(-1, 0, 0), t(1, 0, 0), t(0, 50, 0)}, {1, 1, 1},
                                          {t(1, 0, 0), t(-1, 0, 0), t(0, 0, 0)});
    Integrator integrator({1.0, 5.0, IntegrationMethod::accurate, ForceLaw::inverseDistance});
    int most = 0;
    for (int n = 0; n < 10; ++n)
        integrator.step(balls), most = std::max(most, integrator.subSteps());
    EXPECT_EQ(most, Integrator::subStepCap);
}

TEST(Step, APullThatOverflowsAddsNothing) {
    // Ball 2 alone pulls ball 0: (0, 0, 40) · (G·3 / 1600) / m, or by Newton · G·3 / 40³.
    // A G·m₁ that rounds to 0 would make coinciding centres pull with 0 / 0.
    constexpr auto inverse = ForceLaw::inverseDistance, newton = ForceLaw::newton;
    for (const Triple& p1 : {t(0, 0, 0), t(1e-160, 0, 0)}) {  // coinciding, a hair apart
        for (auto [pulled, g, m1, law] : {std::tuple{1.0, 5.0, 3.0, inverse},
                                          {1e6, 5, 3, newton},
                                          {0.5, 5, 3, inverse},
                                          {1e-300, 5, 3, inverse},
                                          {1, 5e-324, 0.1, inverse},
                                          {1, 5e-324, 0.1, newton}}) {
            const BallList list = balls({t(0, 0, 0), p1, t(0, 0, 40)}, {pulled, m1, 3});
            step(list, {1.0, g, IntegrationMethod::euler, law});
            const double k = law == newton ? g * 3 / 64000 : (g * 3 / 1600) / pulled;
            EXPECT_EQ(list[0]->lastAcceleration, t(0, 0, 40 * k)) << pulled << " " << p1.x();
        }
    }
}

// The edges of which balls the correction moves: one at a right angle to the
// drift and one at rest take part, one whose cosine is NaN does not.
TEST(CorrectDrift, ARightAngleAndRestTakePartANaNCosineDoesNot) {
    const auto corrected = [](std::array<Triple, 3> movements) {
        const BallList list = balls({}, {1, 1, 1}, movements);
        correctDrift(list);  // shortest round-trip texts: equal bits, NaN included
        return list[0]->movement.description() + list[1]->movement.description() +
               list[2]->movement.description();
    };
    EXPECT_EQ(corrected({t(1, 0, 0), t(0, 1, 0), t(-1, 0, 0)}),
              "(1.0, -0.3333333333333333, 0.0)(0.0, 0.6666666666666667, 0.0)"
              "(-1.0, -0.3333333333333333, 0.0)");
    EXPECT_EQ(corrected({t(NAN, 0, 0), {}, t(1, 0, 0)}),
              "(nan, 0.0, 0.0)(nan, 0.0, 0.0)(1.0, 0.0, 0.0)");
}

TEST(Ball, DescriptionsAndRadii) {
    EXPECT_EQ(t(NAN, -0.0, 1e300).description(), "(nan, -0.0, 1e+300)");
    // The power function's cube root, which SVG pictures print to the last bit; cbrt gives 10.
    EXPECT_EQ(Ball(0, Triple::zero, 1000, Triple::zero).radius, 9.999999999999998);
}
