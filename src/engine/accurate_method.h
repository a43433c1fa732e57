#pragma once

// Adaptive sub-steps for the accurate method: Boost.Odeint's error steppers
// under a controller of our own. Odeint's controllers choose the next step
// with pow(), which may round differently on another CPU; here every sub-step
// is timeStep / 2^level, reached by exact halving and doubling and decided by
// comparisons alone, so a run gives the same bits everywhere.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <type_traits>

#include <boost/numeric/odeint/stepper/runge_kutta_fehlberg78.hpp>
#include <boost/numeric/odeint/stepper/stepper_categories.hpp>

#include "force_law.h"
#include "integration.h"

namespace pellomarin {

// Positions of balls 0, 1 and 2, then their movements: x, y, z each.
using PhaseState = std::array<double, 18>;

// The equations of motion under a law, in Odeint's form. A sub-step
// integrates the change of the state from zero: its small increments are not
// rounded into large positions before they are summed with compensation, and
// two close balls' offset keeps its own precision wherever they are.
struct Motion {
    ForceLaw law;
    std::array<double, 3> masses;
    double g;
    const PhaseState& base;   // the state before the sub-step, as summed
    const PhaseState& carry;  // what the compensated sums of `base` lost: base − carry is nearer

    void operator()(const PhaseState& change, PhaseState& dxdt, double /*t*/) const {
        Offsets d;
        for (int i = 0; i < 3; ++i) {
            for (int j = i + 1; j < 3; ++j) {
                for (int k = 0; k < 3; ++k) {
                    const int a = 3 * i + k, b = 3 * j + k;
                    d[i + j - 1].vector[k] =
                        (base[b] - base[a]) + ((change[b] - change[a]) - (carry[b] - carry[a]));
                }
            }
        }
        const Accelerations a = accelerations(law, d, masses, g);
        for (int i = 0; i < 3; ++i) {
            for (int k = 0; k < 3; ++k) {
                const int v = 9 + 3 * i + k;
                dxdt[3 * i + k] = (base[v] - carry[v]) + change[v];
                dxdt[v] = a[i].vector[k];
            }
        }
    }
};

// Whether every component of a sub-step's error estimate lies within `bound`
// of its scale: positions against the smallest distance between two balls,
// movements against the larger of the fastest relative speed and √(a·d), the
// speed of an orbit at that distance. Both scales come from the sub-step's
// start and need neither a ball in motion nor one away from the origin.
// Largest components, not lengths: comparisons only. NaN is never within.
inline bool within(const PhaseState& error, const PhaseState& x, const PhaseState& dxdt,
                   double bound) {
    double distance = HUGE_VAL;
    double speed = 0.0;
    double pull = 0.0;
    for (int i = 0; i < 3; ++i) {
        for (int j = i + 1; j < 3; ++j) {
            double d = 0.0;
            for (int k = 0; k < 3; ++k) {
                d = std::max(d, std::fabs(x[3 * j + k] - x[3 * i + k]));
                speed = std::max(speed, std::fabs(x[9 + 3 * j + k] - x[9 + 3 * i + k]));
            }
            distance = std::min(distance, d);
        }
        for (int k = 0; k < 3; ++k)
            pull = std::max(pull, std::fabs(dxdt[9 + 3 * i + k]));
    }
    const double positionBound = bound * distance;
    const double speedBound = bound * std::max(speed, std::sqrt(pull * distance));
    for (int k = 0; k < 18; ++k)
        if (!(std::fabs(error[k]) <= (k < 9 ? positionBound : speedBound)))
            return false;
    return true;
}

template <class Stepper>
struct LadderSettings {
    double tolerance;  // a sub-step whose error is not within this is halved
    int cap;           // sub-steps per tick, rejected ones included
    // Doubling the sub-step multiplies the local error by about 2^(order+1):
    // double only below this, so that the doubled step is seldom rejected.
    double growBelow() const { return tolerance / double(1 << (Stepper::error_order_value + 2)); }
};

// Advances x by exactly timeStep in sub-steps of timeStep / 2^level, halving
// a rejected sub-step and doubling after a small error where the tick's grid
// allows. `motion` sees x and carry, which the sub-steps advance; `level` and
// `carry` carry over to the next tick. On return dxdt holds the motion at x.
// Returns the sub-steps tried.
template <class Stepper>
int advance(Stepper& stepper, const Motion& motion, PhaseState& x, PhaseState& carry,
            PhaseState& dxdt, double timeStep, int& level,
            const LadderSettings<Stepper>& settings) {
    constexpr int deepest = 60;  // sub-steps of timeStep / 2^60: far below any rounding
    constexpr bool firstSameAsLast =
        std::is_same_v<typename Stepper::stepper_category,
                       boost::numeric::odeint::explicit_error_stepper_fsal_tag>;
    const PhaseState zero{};
    PhaseState change, changeDxdt, error;
    std::uint64_t done = 0;  // sub-steps of the current level taken in this tick
    int tried = 0;
    motion(zero, dxdt, 0.0);
    while (done < (std::uint64_t{1} << level)) {
        const bool rest = tried + 1 == settings.cap;
        const double h =
            rest ? std::ldexp(double((std::uint64_t{1} << level) - done), -level) * timeStep
                 : std::ldexp(timeStep, -level);
        if constexpr (firstSameAsLast)
            stepper.do_step(motion, zero, dxdt, 0.0, change, changeDxdt, h, error);
        else
            stepper.do_step(motion, zero, dxdt, 0.0, change, h, error);
        ++tried;
        if (!rest && level < deepest && !within(error, x, dxdt, settings.tolerance)) {
            ++level;
            done *= 2;
            continue;
        }
        const bool small = within(error, x, dxdt, settings.growBelow());
        for (int k = 0; k < 18; ++k) {  // Kahan's compensated sum
            const double y = change[k] - carry[k];
            const double sum = x[k] + y;
            carry[k] = (sum - x[k]) - y;
            x[k] = sum;
        }
        if constexpr (firstSameAsLast)
            dxdt = changeDxdt;
        else
            motion(zero, dxdt, 0.0);
        if (rest)
            break;
        ++done;
        if (small && level > 0 && done % 2 == 0) {
            --level;
            done /= 2;
        }
    }
    return tried;
}

// One tick of the accurate method with this stepper; lastAcceleration is the
// acceleration at the tick's end. Returns the sub-steps tried.
template <class Stepper>
int accurateTick(Stepper& stepper, const BallList& balls, const StepParameters& parameters,
                 int& level, PhaseState& carry, const LadderSettings<Stepper>& settings) {
    PhaseState x, dxdt;
    for (int i = 0; i < 3; ++i) {
        for (int k = 0; k < 3; ++k) {
            x[3 * i + k] = balls[i]->position.vector[k];
            x[9 + 3 * i + k] = balls[i]->movement.vector[k];
        }
    }
    const Motion motion{parameters.law,
                        {balls[0]->mass, balls[1]->mass, balls[2]->mass},
                        parameters.gravitationalConstant,
                        x,
                        carry};
    const int tried =
        advance(stepper, motion, x, carry, dxdt, parameters.timeStep, level, settings);
    for (int i = 0; i < 3; ++i) {
        for (int k = 0; k < 3; ++k) {
            balls[i]->position.vector[k] = x[3 * i + k];
            balls[i]->movement.vector[k] = x[9 + 3 * i + k];
            balls[i]->lastAcceleration.vector[k] = dxdt[9 + 3 * i + k];
        }
    }
    return tried;
}

}  // namespace pellomarin
