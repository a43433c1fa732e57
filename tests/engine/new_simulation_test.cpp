#include <gtest/gtest.h>

#include <cmath>

#include "integration.h"
#include "new_simulation.h"
#include "settings.h"

namespace pellomarin {
namespace {

constexpr Triple t(double x, double y, double z) {
    return {{x, y, z}};
}

TEST(BalancedBasis, EqualMasses) {
    const auto basis = balancedBasis({1, 1, 1});
    EXPECT_EQ(basis.e1, t(0.7071067811865475, 0, -0.7071067811865475));
    EXPECT_EQ(basis.e2, t(0.4082482904638631, -0.8164965809277261, 0.4082482904638631));
}

TEST(BalancedBasis, UnequalMasses) {
    const auto basis = balancedBasis({1, 2, 3});
    EXPECT_EQ(basis.e1, t(0.9486832980505138, 0, -0.3162277660168379));
    EXPECT_EQ(basis.e2, t(0.1690308509457033, -0.8451542547285167, 0.50709255283711));
}

TEST(BalancedGridPoint, WorkedExamples) {
    EXPECT_EQ(balancedGridPoint({1, 1, 1}, 200, 60, 40),
              t(20.705523608201663, 56.568542494923825, -77.27406610312549));
    // Outside the unit cube: such a draw is thrown away.
    EXPECT_EQ(balancedGridPoint({1, 1, 1}, 1, 100, 50),
              t(1.224744871391589, 0, -1.224744871391589));
    EXPECT_EQ(balancedGridPoint({1, 2, 3}, 200, 75, 20),
              t(129.18436462540268, 175.662013130736, -160.1694636289582));
}

TEST(RandomBalancedVector, StaysInTheCubeAndOnTheMassPlane) {
    RandomSource random(7);
    for (const Masses& m : {Masses{1, 1, 1}, Masses{1, 2, 3}, Masses{1, 1, 1000}}) {
        for (int n = 0; n < 2000; ++n) {
            const auto x = randomBalancedVector(m, 200, random);
            ASSERT_TRUE(x);
            for (double c : x->vector)
                ASSERT_LE(std::abs(c), 200);
            ASSERT_NEAR(m[0] * x->x() + m[1] * x->y() + m[2] * x->z(), 0, 1e-9 * m[2]);
        }
    }
}

TEST(RandomSource, UniformDrawCoversTheRangeWithoutBias) {
    RandomSource random(1);
    std::array<int, 101> counts{};
    for (int n = 0; n < 101'000; ++n)
        ++counts[random.uniform(100)];
    for (int count : counts) {
        EXPECT_GT(count, 850);
        EXPECT_LT(count, 1150);
    }
}

TEST(RandomSource, SameSeedSameNumbersOnEveryPlatform) {
    RandomSource random(42);
    // Fixed by the algorithm, not by the standard library.
    EXPECT_EQ(random.next(), 1546998764402558742u);
    RandomSource a(9), b(9);
    for (int n = 0; n < 100; ++n)
        EXPECT_EQ(a.uniform(100), b.uniform(100));
}

void expectSoundStart(const BallList& balls, const Masses& m) {
    Triple centre = Triple::zero, momentum = Triple::zero;
    for (int i = 0; i < 3; ++i) {
        const Ball& b = *balls[i];
        EXPECT_EQ(b.id, i);
        EXPECT_EQ(b.mass, m[i]);
        EXPECT_EQ(b.lastAcceleration, Triple::zero);
        for (double c : b.position.vector)
            EXPECT_LE(std::abs(c), 200);
        for (double c : b.movement.vector)
            EXPECT_LE(std::abs(c), 1);
        centre.add(b.position, b.mass);
        momentum.add(b.movement, b.mass);
        for (int j = 0; j < 3; ++j) {
            if (i == j)
                continue;
            const Triple towards = b.position.offset(balls[j]->position);
            EXPECT_GT(length(towards), 50);
            EXPECT_LE(towards.cosine(b.movement), maxApproachCosine);
        }
    }
    for (double c : centre.vector)
        EXPECT_NEAR(c, 0, 1e-9 * m[2]);
    for (double c : momentum.vector)
        EXPECT_NEAR(c, 0, 1e-12 * m[2]);
}

TEST(DrawStart, EveryStartMeetsEveryConstraint) {
    RandomSource random(2024);
    for (const Masses& m :
         {Masses{1, 1, 1}, Masses{1, 2, 3}, Masses{5, 0.1, 1}, Masses{1, 1, 1000}}) {
        for (int n = 0; n < 200; ++n) {
            const auto balls = drawStart(m, random);
            ASSERT_TRUE(balls);
            expectSoundStart(*balls, m);
        }
    }
}

TEST(DrawStart, HeavyBallStartsNearTheCentre) {
    RandomSource random(5);
    const auto balls = drawStart({1, 1, 1000}, random);
    ASSERT_TRUE(balls);
    for (int k = 0; k < 3; ++k) {
        const double light = (*balls)[0]->position.vector[k] + (*balls)[1]->position.vector[k];
        EXPECT_NEAR((*balls)[2]->position.vector[k], -light / 1000, 1e-12);
    }
}

TEST(DrawStart, SameSeedGivesTheSameStart) {
    RandomSource a(123), b(123);
    const auto first = drawStart({1, 2, 3}, a);
    const auto second = drawStart({1, 2, 3}, b);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ((*first)[i]->position, (*second)[i]->position);
        EXPECT_EQ((*first)[i]->movement, (*second)[i]->movement);
    }
}

TEST(NewSimulation, ReadsTheMassesAndWritesDefaultsForBadOnes) {
    MemoryStore store;
    store.write("mass 0", 8);
    store.write("mass 1", 0);
    store.write("mass 2", 1000);
    RandomSource random(3);
    const auto model = newSimulation(store, random);
    const auto balls = model->snapshot();
    EXPECT_EQ(balls[0].radius, 2.0);
    EXPECT_EQ(balls[1].mass, 1.0);
    EXPECT_EQ(balls[1].radius, 1.0);
    EXPECT_EQ(balls[2].radius, 9.999999999999998);
    EXPECT_EQ(store.read("mass 1"), 1.0);
    EXPECT_FALSE(store.contains("calculation period"));
    EXPECT_FALSE(model->isRunning());
    EXPECT_EQ(model->version(), 0);
}

TEST(NewSimulation, MassesThatCannotGiveAStartFallBackToUnitMassesAtOnce) {
    for (const Masses& m : {Masses{1e300, 1, 1}, Masses{1, 1e-300, 1}, Masses{1e200, 1e200, 1e200},
                            Masses{5e-324, 1, 1}, Masses{1, 1, 1e160}}) {
        MemoryStore store;
        for (int i = 0; i < 3; ++i)
            store.write(settings::mass[i].key, m[i]);
        RandomSource random(11);
        const auto model = newSimulation(store, random);
        const auto balls = model->snapshot();
        for (int i = 0; i < 3; ++i) {
            EXPECT_EQ(balls[i].mass, 1.0) << m[0] << " " << m[1] << " " << m[2];
            EXPECT_EQ(store.read(settings::mass[i].key), m[i]);  // the user's values stay
        }
    }
}

TEST(NewSimulation, NonFiniteMassesAreReplacedLikeNonPositiveOnes) {
    MemoryStore store;
    store.write("mass 0", NAN);
    store.write("mass 1", INFINITY);
    store.write("mass 2", -INFINITY);
    RandomSource random(4);
    const auto balls = newSimulation(store, random)->snapshot();
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(balls[i].mass, 1.0);
        EXPECT_EQ(store.read(settings::mass[i].key), 1.0);
    }
}

TEST(NewSimulation, UnstartedModelsAreIndependent) {
    MemoryStore store;
    RandomSource random(8);
    const auto a = newSimulation(store, random);
    const auto b = newSimulation(store, random);
    EXPECT_NE(a->snapshot()[0].position, b->snapshot()[0].position);
    EXPECT_FALSE(a->timer().isCancelled());
    EXPECT_EQ(a->timer().suspensionCount(), 1);
}

}  // namespace
}  // namespace pellomarin
