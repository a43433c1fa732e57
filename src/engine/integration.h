#pragma once

#include <array>

#include "ball.h"

namespace pellomarin {

// What a step integrates with. A model's start sets them from the period and
// the constant it is given; a model never started keeps these.
struct StepParameters {
    double timeStep = 1.0;               // frameDuration / 30000.0: the period in units of 30 ms
    double gravitationalConstant = 1.0;  // G
};

inline constexpr std::array<int, 3> ballIndices{0, 1, 2};

// Advances the three balls by one forward Euler step of timeStep under their
// mutual pull, records each acceleration, then runs correctDrift.
void step(const BallList& balls, const StepParameters& parameters);

// Moves the mass-weighted centre back to the origin and removes the total momentum.
void correctDrift(const BallList& balls);

}  // namespace pellomarin
