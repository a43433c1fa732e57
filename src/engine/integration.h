#pragma once

#include <array>
#include <atomic>

#include "ball.h"

namespace pellomarin {

// The integration parameters, set by Model::start before its timer runs and
// read by every step on the timer's thread.
extern std::atomic<double> timeStep;               // frameDuration / 30000.0
extern std::atomic<double> gravitationalConstant;  // G
inline constexpr std::array<int, 3> ballIndices{0, 1, 2};

// Advances the three balls by one forward Euler step of timeStep under their
// mutual pull, records each acceleration, then runs correctDrift.
void step(const BallList& balls);

// Moves the mass-weighted centre back to the origin and removes the total momentum.
void correctDrift(const BallList& balls);

}  // namespace pellomarin
