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

static bool same(const Triple& a, const Triple& b) {
    for (int k = 0; k < 3; ++k)
        if (!(a.vector[k] == b.vector[k] || (std::isnan(a.vector[k]) && std::isnan(b.vector[k]))))
            return false;
    return true;
}

TEST(Step, APullThatOverflowsAddsNothing) {
    // Ball 2 alone pulls ball 0: (0, 0, 40) · (5·3 / 1600) / m.
    for (const Triple& p1 : {t(0, 0, 0), t(1e-160, 0, 0)}) {  // coinciding, a hair apart
        for (double pulled : {1.0, 1e6, 0.5, 1e-300}) {
            const BallList list = balls({t(0, 0, 0), p1, t(0, 0, 40)}, {pulled, 3, 3});
            step(list, {1.0, 5.0});
            EXPECT_EQ(list[0]->lastAcceleration, t(0, 0, 40 * ((5.0 * 3 / 1600) / pulled)))
                << pulled << " " << p1.x();
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

TEST(CorrectDrift, RecentresAndTakesTheMomentumFromTheSelectedBalls) {
    constexpr double third = -0.3333333333333333;
    const Triple rest = Triple::zero;
    const DriftCase cases[] = {
        {"centre shared equally",
         {1, 1, 1},
         {t(1, 0, 0), rest, rest},
         {},
         {t(1 + third, 0, 0), t(third, 0, 0), t(third, 0, 0)},
         {}},
        {"heavy balls move less",
         {1, 2, 4},
         {t(3, 0, 0), t(5, 0, 0), t(-1, 0, 0)},
         {},
         {t(3 + 9 * third, 0, 0), t(5 + 9 * third * 0.5, 0, 0), t(-1 + 9 * third * 0.25, 0, 0)},
         {}},
        {"against the momentum: untouched",
         {1, 1, 1},
         {},
         {t(1, 0, 0), rest, t(-3, 0, 0)},
         {},
         {t(1, 0, 0), t(1, 0, 0), t(-2, 0, 0)}},
        {"at a right angle: takes part",
         {1, 1, 1},
         {},
         {t(1, 0, 0), t(0, 1, 0), t(-1, 0, 0)},
         {},
         {t(1, third, 0), t(0, 1 + third, 0), t(-1, third, 0)}},
        {"a NaN cosine does not select",
         {1, 1, 1},
         {},
         {t(NAN, 0, 0), rest, t(1, 0, 0)},
         {},
         {t(NAN, 0, 0), t(NAN, 0, 0), t(1, 0, 0)}},
    };
    for (const DriftCase& c : cases) {
        const BallList list = balls(c.positions, c.masses, c.movements);
        correctDrift(list);
        for (int i = 0; i < 3; ++i) {
            EXPECT_TRUE(same(list[i]->position, c.positionsAfter[i])) << c.what << ", ball " << i;
            EXPECT_TRUE(same(list[i]->movement, c.movementsAfter[i]))
                << c.what << ", ball " << i << ": " << list[i]->movement.description();
        }
    }
}
