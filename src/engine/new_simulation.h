#pragma once

#include <array>
#include <memory>
#include <optional>

#include "ball.h"
#include "model.h"
#include "random_source.h"

namespace pellomarin {

using Masses = std::array<double, 3>;

inline constexpr double positionRange = 200.0;
inline constexpr double movementRange = 1.0;
inline constexpr double minInitialDistanceSquared = 2500.0;      // 50², compared strictly
inline constexpr double maxApproachCosine = 0.5000000000000001;  // cos(π/3) as a double

// An orthonormal basis of the plane m·x = 0.
struct BalancedBasis {
    Triple e1;
    Triple e2;
};
BalancedBasis balancedBasis(const Masses& m);

// The grid point (k1, k2), each in 0...100, of the square of half-width s·√3
// in the plane m·x = 0; it may lie outside the cube [-s, s]³.
Triple balancedGridPoint(const Masses& m, double s, int k1, int k2);

// A random grid point of the plane m·x = 0 inside the cube [-s, s]³; empty
// when none turned up within a bounded number of draws.
std::optional<Triple> randomBalancedVector(const Masses& m, double s, RandomSource& random);

// Whether these masses give a sound start: positive, finite, with a finite
// inverse and an orthonormal basis (extreme ratios overflow it).
bool canDrawStart(const Masses& m);

// Balls with the centre of mass at the origin and no total momentum, more than
// 50 apart and none heading within 60° of another; empty when bounded attempts
// found none.
std::optional<BallList> drawStart(const Masses& m, RandomSource& random);

// A new, unstarted model with these masses. Masses that cannot give a start
// are replaced by 1, 1, 1 for this simulation.
std::shared_ptr<Model> newSimulation(const Masses& m, RandomSource& random,
                                     PostToMain postToMain = {});

}  // namespace pellomarin
