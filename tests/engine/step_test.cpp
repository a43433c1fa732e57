// The runner's pinned runs hold the order of every operation of the step;
// these hold what a pin cannot show: overflowing pulls and which balls the
// momentum correction selects.
#include <gtest/gtest.h>

#include <cmath>

#include "balls.h"
#include "integration.h"

using namespace pellomarin;
using support::balls;
using support::t;

TEST(Step, APullThatOverflowsAddsNothing) {
    // Ball 2 alone pulls ball 0: (0, 0, 40) · (G·3 / 1600) / m, or by Newton · G·3 / 40³.
    // A G·m₁ that rounds to 0 would make coinciding centres pull with 0 / 0.
    constexpr auto inverse = ForceLaw::inverseDistance, newton = ForceLaw::newton;
    struct Row {
        double pulled, g, m1;
        ForceLaw law;
    };
    for (const Triple& p1 : {t(0, 0, 0), t(1e-160, 0, 0)}) {  // coinciding, a hair apart
        for (auto [pulled, g, m1, law] : {Row{1, 5, 3, inverse},
                                          {1e6, 5, 3, newton},
                                          {0.5, 5, 3, inverse},
                                          {1e-300, 5, 3, inverse},
                                          {1, 5e-324, 0.1, inverse},
                                          {1, 5e-324, 0.1, newton}}) {
            const BallList list = balls({t(0, 0, 0), p1, t(0, 0, 40)}, {pulled, m1, 3});
            step(list, {1.0, g, IntegrationMethod::euler, law});
            const double k = law == newton ? g * 3 / 64000 : (g * 3 / 1600) / pulled;
            EXPECT_EQ(list[0]->lastAcceleration, t(0, 0, 40 * k)) << pulled << " " << p1.x();
            for (const auto& b : list)
                for (double c : {b->position.x(), b->position.y(), b->position.z(), b->movement.x(),
                                 b->movement.y(), b->movement.z()})
                    EXPECT_TRUE(std::isfinite(c));
        }
    }
}

struct DriftCase {
    const char* what;
    std::array<double, 3> masses;
    std::array<Triple, 3> positions, movements, positionsAfter, movementsAfter;
};

static Triple x(double along) {
    return t(along, 0, 0);
}

TEST(CorrectDrift, RecentresAndTakesTheMomentumFromTheSelectedBalls) {
    constexpr double third = -0.3333333333333333;
    const Triple o = Triple::zero;
    // clang-format off
    const DriftCase cases[] = {
        {"centre shared equally", {1, 1, 1}, {x(1), o, o}, {}, {x(1 + third), x(third), x(third)}, {}},
        {"heavy balls move less", {1, 2, 4}, {x(3), x(5), x(-1)}, {},
         {x(3 + 9 * third), x(5 + 9 * third * 0.5), x(-1 + 9 * third * 0.25)}, {}},
        {"against the momentum: untouched", {1, 1, 1}, {}, {x(1), o, x(-3)}, {}, {x(1), x(1), x(-2)}},
        {"at a right angle: takes part", {1, 1, 1}, {}, {x(1), t(0, 1, 0), x(-1)}, {},
         {t(1, third, 0), t(0, 1 + third, 0), t(-1, third, 0)}},
        {"a NaN cosine does not select", {1, 1, 1}, {}, {x(NAN), o, x(1)}, {}, {x(NAN), x(NAN), x(1)}},
    };
    // clang-format on
    for (const DriftCase& c : cases) {
        const BallList list = balls(c.positions, c.masses, c.movements);
        correctDrift(list);
        for (int i = 0; i < 3; ++i) {  // shortest round-trip texts: equal bits, NaN included
            EXPECT_EQ(list[i]->position.description(), c.positionsAfter[i].description()) << c.what;
            EXPECT_EQ(list[i]->movement.description(), c.movementsAfter[i].description()) << c.what;
        }
    }
}
