// The table the choice of integration methods rests on: for each candidate,
// the relative energy error, sub-steps and CPU time per unit of simulated time
// on three problems, and the cost of a tick at the default period.
//
// Usage: methods_table [TOLERANCE [PROBLEMS [CANDIDATE...]]]
// (defaults: the accurate method's own tolerance, abc, every candidate)
//
// (a) the inverse-distance law with masses 1, G 5 and time step 1 (the
//     default period), from the runner's drawn starts of seeds 1 to 5, over
//     4,000 units;
// (b) Newton's law: the Pythagorean problem, time step 0.01, to t = 70;
// (c) Newton's law: ten periods of the figure-eight, time step 0.01.
// Candidates marked * choose their steps with Odeint's own pow-based control,
// which may round differently on another CPU: measured, not for the program.
// Every candidate stops at the accurate method's cap of sub-steps per tick.
#include <time.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include <boost/numeric/odeint/stepper/bulirsch_stoer.hpp>
#include <boost/numeric/odeint/stepper/extrapolation_stepper.hpp>
#include <boost/numeric/odeint/stepper/generation.hpp>
#include <boost/numeric/odeint/stepper/runge_kutta_cash_karp54.hpp>
#include <boost/numeric/odeint/stepper/runge_kutta_dopri5.hpp>

#include "accurate_method.h"
#include "integration.h"
#include "new_simulation.h"
#include "scenarios.h"

using namespace pellomarin;
namespace odeint = boost::numeric::odeint;

namespace {

// One way of advancing the balls by a tick; returns the sub-steps tried.
using Tick = std::function<int(const BallList&)>;
using Candidate = std::function<Tick(const StepParameters&)>;

struct Named {
    std::string name;
    Candidate make;
};

template <class Stepper>
Candidate ladder(double tolerance) {
    return [tolerance](const StepParameters& p) -> Tick {
        return [p, tolerance, stepper = std::make_shared<Stepper>(),
                level = std::make_shared<int>(0),
                carry = std::make_shared<PhaseState>()](const BallList& balls) {
            const int n = accurateTick(*stepper, balls, p, *level, *carry,
                                       LadderSettings<Stepper>{tolerance, Integrator::subStepCap});
            if (p.law == ForceLaw::inverseDistance)
                correctDrift(balls);
            return n;
        };
    };
}

// Odeint's own step control around a controlled stepper.
template <class Controlled, class... Arguments>
Candidate ownControl(Arguments... arguments) {
    return [arguments...](const StepParameters& p) -> Tick {
        return [p, stepper = std::make_shared<Controlled>(arguments...),
                guess = std::make_shared<double>(p.timeStep)](const BallList& balls) {
            PhaseState x;
            for (int i = 0; i < 3; ++i)
                for (int k = 0; k < 3; ++k) {
                    x[3 * i + k] = balls[i]->position.vector[k];
                    x[9 + 3 * i + k] = balls[i]->movement.vector[k];
                }
            const PhaseState zero{};  // the state is x itself
            const Motion motion{p.law,
                                {balls[0]->mass, balls[1]->mass, balls[2]->mass},
                                p.gravitationalConstant,
                                zero,
                                zero};
            double t = 0.0;
            int n = 0;
            while (t < p.timeStep && n < Integrator::subStepCap) {
                double h = std::min(*guess, p.timeStep - t);
                const bool clipped = h < *guess;
                const auto result = stepper->try_step(motion, x, t, h);
                ++n;
                if (result == odeint::fail || !clipped)
                    *guess = h;
            }
            for (int i = 0; i < 3; ++i)
                for (int k = 0; k < 3; ++k) {
                    balls[i]->position.vector[k] = x[3 * i + k];
                    balls[i]->movement.vector[k] = x[9 + 3 * i + k];
                }
            if (p.law == ForceLaw::inverseDistance)
                correctDrift(balls);
            return n;
        };
    };
}

Candidate method(IntegrationMethod m) {
    return [m](StepParameters p) -> Tick {
        p.method = m;
        return [integrator = std::make_shared<Integrator>(p)](const BallList& balls) {
            integrator->step(balls);
            return integrator->subSteps();
        };
    };
}

// CPU time, so that moments when the shared machine runs something else do not count.
double cpuSeconds(clockid_t clock = CLOCK_PROCESS_CPUTIME_ID) {
    timespec now{};
    clock_gettime(clock, &now);
    return double(now.tv_sec) + 1e-9 * double(now.tv_nsec);
}

BallList copied(const BallList& balls) {
    return {balls[0]->copy(), balls[1]->copy(), balls[2]->copy()};
}

struct Outcome {
    double energyError = 0;  // largest |E − E₀| / |E₀| over the run
    double endError = 0;     // the same at the end
    double firstError = 0;   // largest over the first tenth of the run
    double lastError = 0;    // largest over the last tenth
    double subSteps = 0;     // per unit of simulated time
    double cpu = 0;          // µs per unit of simulated time
    double worstTick = 0;    // µs, with the two clock readings around it
    BallList end;
};

// Twice: once timed as a whole, once with each tick timed and the energy read.
// Reading the thread's CPU clock is a system call: the worst tick includes
// about half a microsecond of it.
Outcome run(const Candidate& candidate, const BallList& start, const StepParameters& p,
            long ticks) {
    Outcome o;
    {
        const BallList balls = copied(start);
        const Tick tick = candidate(p);
        const double before = cpuSeconds();
        for (long n = 0; n < ticks; ++n)
            tick(balls);
        o.cpu = (cpuSeconds() - before) * 1e6 / (double(ticks) * p.timeStep);
    }
    const BallList balls = copied(start);
    const Tick tick = candidate(p);
    const double e0 = energy(p.law, balls, p.gravitationalConstant);
    long subSteps = 0;
    for (long n = 0; n < ticks; ++n) {
        const double before = cpuSeconds(CLOCK_THREAD_CPUTIME_ID);
        subSteps += tick(balls);
        const double us = (cpuSeconds(CLOCK_THREAD_CPUTIME_ID) - before) * 1e6;
        o.worstTick = std::max(o.worstTick, us);
        o.endError = std::fabs(energy(p.law, balls, p.gravitationalConstant) - e0) / std::fabs(e0);
        o.energyError = std::max(o.energyError, o.endError);
        if (n < ticks / 10)
            o.firstError = std::max(o.firstError, o.endError);
        if (n >= ticks - ticks / 10)
            o.lastError = std::max(o.lastError, o.endError);
    }
    o.subSteps = double(subSteps) / (double(ticks) * p.timeStep);
    o.end = balls;
    return o;
}

void problemA(const std::vector<Named>& candidates) {
    std::printf(
        "\n(a) inverse-distance law, masses 1, G 5, time step 1, seeds 1-5, 4,000 units\n\n"
        "| method | energy error, largest | sub-steps per unit | CPU per unit: a tick, mean | "
        "tick, worst |\n|---|---|---|---|---|\n");
    for (const auto& [name, make] : candidates) {
        Outcome worst;
        for (std::uint64_t seed = 1; seed <= 5; ++seed) {
            RandomSource random(seed);
            const Outcome o =
                run(make, *drawStart({1, 1, 1}, random),
                    {1.0, 5.0, IntegrationMethod::euler, ForceLaw::inverseDistance}, 4000);
            worst.energyError = std::max(worst.energyError, o.energyError);
            worst.subSteps = std::max(worst.subSteps, o.subSteps);
            worst.cpu = std::max(worst.cpu, o.cpu);
            worst.worstTick = std::max(worst.worstTick, o.worstTick);
        }
        std::printf("| %s | %.1e | %.1f | %.2f µs | %.1f µs |\n", name.c_str(), worst.energyError,
                    worst.subSteps, worst.cpu, worst.worstTick);
    }
}

double distance(const Triple& a, const Triple& b) {
    return length(a.offset(b));
}

void problemB(const std::vector<Named>& candidates) {
    std::printf(
        "\n(b) Newton, the Pythagorean problem, time step 0.01, to t = 70\n\n"
        "| method | energy error, largest | at t = 70 | ball 0 at t = 70 | pair 1–2: distance, "
        "energy | sub-steps per unit | CPU per unit |\n|---|---|---|---|---|---|---|\n");
    for (const auto& [name, make] : candidates) {
        const Outcome o = run(make, support::pythagorean(),
                              {0.01, 1.0, IntegrationMethod::euler, ForceLaw::newton}, 7000);
        const Ball &b1 = *o.end[1], &b2 = *o.end[2];
        const Triple pairMovement = b1.movement.offset(b2.movement);
        const double reduced = b1.mass * b2.mass / (b1.mass + b2.mass);
        const double pairEnergy = 0.5 * reduced * length(pairMovement) * length(pairMovement) -
                                  b1.mass * b2.mass / distance(b1.position, b2.position);
        std::printf("| %s | %.1e | %.1e | (%.2f, %.2f, %.2f) | %.3g, %.3g | %.0f | %.0f µs |\n",
                    name.c_str(), o.energyError, o.endError, o.end[0]->position.x(),
                    o.end[0]->position.y(), o.end[0]->position.z(),
                    distance(b1.position, b2.position), pairEnergy, o.subSteps, o.cpu);
    }
}

void problemC(const std::vector<Named>& candidates) {
    const long ticks = std::lround(10 * support::figureEightPeriod / 0.01);
    // The start, moved on by the time the last tick overshoots ten periods.
    const double overshoot = double(ticks) * 0.01 - 10 * support::figureEightPeriod;
    std::printf(
        "\n(c) Newton, the figure-eight, time step 0.01, ten periods\n\n"
        "| method | energy error, largest | in the first period | in the last | "
        "back on the orbit within | sub-steps per unit | CPU per unit |\n"
        "|---|---|---|---|---|---|---|\n");
    for (const auto& [name, make] : candidates) {
        const BallList start = support::figureEight();
        const Outcome o =
            run(make, start, {0.01, 1.0, IntegrationMethod::euler, ForceLaw::newton}, ticks);
        double off = 0;
        for (int i = 0; i < 3; ++i) {
            Triple expected = start[i]->position;
            expected.add(start[i]->movement, overshoot);
            off = std::max(off, distance(o.end[i]->position, expected));
        }
        std::printf("| %s | %.1e | %.1e | %.1e | %.1e | %.0f | %.0f µs |\n", name.c_str(),
                    o.energyError, o.firstError, o.lastError, off, o.subSteps, o.cpu);
    }
}

}  // namespace

int main(int argc, char** argv) {
    const double tolerance = argc > 1 ? std::atof(argv[1]) : Integrator::tolerance;
    using Rk78 = odeint::runge_kutta_fehlberg78<PhaseState>;
    std::vector<Named> candidates{
        {"euler", method(IntegrationMethod::euler)},
        {"leapfrog", method(IntegrationMethod::leapfrog)},
        {"accurate", method(IntegrationMethod::accurate)},
        {"Dormand–Prince 5(4)", ladder<odeint::runge_kutta_dopri5<PhaseState>>(tolerance)},
        {"Cash–Karp 5(4)", ladder<odeint::runge_kutta_cash_karp54<PhaseState>>(tolerance)},
        {"extrapolation, order 8", ladder<odeint::extrapolation_stepper<8, PhaseState>>(tolerance)},
        {"Fehlberg 7(8)*",
         ownControl<odeint::controlled_runge_kutta<Rk78>>(
             odeint::default_error_checker<double, odeint::array_algebra,
                                           odeint::default_operations>(tolerance, tolerance))},
        {"Bulirsch–Stoer*", ownControl<odeint::bulirsch_stoer<PhaseState>>(tolerance, tolerance)},
    };
    if (tolerance != Integrator::tolerance)  // else the same as accurate
        candidates.insert(candidates.begin() + 3, {"Fehlberg 7(8)", ladder<Rk78>(tolerance)});
    const std::string problems = argc > 2 ? argv[2] : "abc";
    std::vector<Named> chosen;
    for (const Named& c : candidates)
        if (argc <= 3 || std::find(argv + 3, argv + argc, c.name) != argv + argc)
            chosen.push_back(c);
    std::printf("tolerance %g, sub-step cap %d\n", tolerance, Integrator::subStepCap);
    if (problems.find('a') != std::string::npos)
        problemA(chosen);
    if (problems.find('b') != std::string::npos)
        problemB(chosen);
    if (problems.find('c') != std::string::npos)
        problemC(chosen);
}
