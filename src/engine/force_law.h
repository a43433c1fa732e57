#pragma once

#include <array>
#include <optional>
#include <string_view>

#include "ball.h"

namespace pellomarin {

// How the balls pull each other. An integration method only asks a law for
// accelerations, so every method runs under every law.
//
// inverseDistance: a_i = Σ_j G·m_j·(p_j − p_i) / (r²·m_i), the pull falling off
// as 1/r and divided by the pulled mass: bodies of inertia m_i² in the
// potential Σ_{i<j} G·m_i·m_j·ln r_ij.
// newton: a_i = Σ_j G·m_j·(p_j − p_i) / r³.
enum class ForceLaw { inverseDistance, newton };

std::string_view lawName(ForceLaw law);  // "inverse-distance", "newton"
std::optional<ForceLaw> forceLaw(std::string_view name);

// p_1 − p_0, p_2 − p_0 and p_2 − p_1: all a law needs of the positions.
using Offsets = std::array<Triple, 3>;
using Accelerations = std::array<Triple, 3>;

Offsets offsets(const BallList& balls);

// Each ball's acceleration from the offsets before anything moves. A pull
// that overflows adds nothing (coinciding centres, centres a hair apart).
Accelerations accelerations(ForceLaw law, const Offsets& d, const std::array<double, 3>& masses,
                            double g);

// The law's total energy, kinetic plus potential, in program units with the
// natural logarithm; the same bits on every CPU.
double energy(ForceLaw law, const BallList& balls, double g);
// Σ w_i·p_i × v_i, with the law's inertia w_i (m_i² or m_i).
Triple angularMomentum(ForceLaw law, const BallList& balls);

}  // namespace pellomarin
