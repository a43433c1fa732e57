#pragma once

#include <array>
#include <optional>
#include <string_view>

#include "ball.h"
#include "force_law.h"

namespace pellomarin {

// How a tick advances the balls. euler: forward Euler, the first method, kept
// bit for bit. leapfrog: kick–drift–kick, one pull per tick, holds the energy
// of a smooth run. accurate: adaptive sub-steps of an error-controlled
// Runge–Kutta method, resolving close encounters.
enum class IntegrationMethod { euler, leapfrog, accurate };

std::string_view methodName(IntegrationMethod method);  // "euler", "leapfrog", "accurate"
std::optional<IntegrationMethod> integrationMethod(std::string_view name);

// What a step integrates with. A model's start sets them from the period and
// the constant it is given; a model never started keeps these.
struct StepParameters {
    double timeStep = 1.0;               // frameDuration / 30000.0: the period in units of 30 ms
    double gravitationalConstant = 1.0;  // G
    IntegrationMethod method = IntegrationMethod::euler;
    ForceLaw law = ForceLaw::inverseDistance;
};

inline constexpr std::array<int, 3> ballIndices{0, 1, 2};

// One run's stepping: the method with what it keeps between ticks (leapfrog's
// last accelerations, the accurate method's sub-step). Belongs to the thread
// that steps the balls. The same balls and parameters give the same bits on
// every run, after reset() as from a fresh integrator.
class Integrator {
public:
    explicit Integrator(const StepParameters& parameters_ = {}) : parameters(parameters_) {}

    // Advances the balls by exactly timeStep and records each ball's
    // acceleration. Under the inverse-distance law every method then runs
    // correctDrift; under Newton's law only euler does, as the first step did.
    void step(const BallList& balls);
    // The balls were put back: the next tick starts as a fresh integrator's first.
    void reset();

    const StepParameters& stepParameters() const { return parameters; }
    // Sub-steps the last tick tried, rejected ones included; at most subStepCap.
    int subSteps() const { return subSteps_; }

    // Bounds a tick of the accurate method: balls on a collision course take
    // the rest of the tick in one unchecked sub-step, and the energy shows it.
    static constexpr int subStepCap = 1000;
    // The accurate method's local error bound, relative to the smallest
    // distance between balls and to the speeds (see accurate_method.h).
    static constexpr double tolerance = 1e-14;

private:
    void leapfrog(const BallList& balls, const std::array<double, 3>& masses);
    void accurate(const BallList& balls);

    StepParameters parameters;
    std::optional<Accelerations> closing;  // leapfrog: the last tick's closing accelerations
    int level = 0;                         // accurate: sub-steps of timeStep / 2^level
    std::array<double, 18> carry{};        // accurate: what its compensated sums lost
    int subSteps_ = 0;
};

// One tick of a fresh integrator. A run of ticks keeps one Integrator instead,
// so that leapfrog reuses its accelerations and the accurate method its sub-step.
void step(const BallList& balls, const StepParameters& parameters);

// Moves the mass-weighted centre back to the origin and removes the total momentum.
void correctDrift(const BallList& balls);

}  // namespace pellomarin
