#include "integration.h"

#include "accurate_method.h"

namespace pellomarin {

std::string_view methodName(IntegrationMethod method) {
    switch (method) {
        case IntegrationMethod::leapfrog:
            return "leapfrog";
        case IntegrationMethod::accurate:
            return "accurate";
        default:
            return "euler";
    }
}

std::optional<IntegrationMethod> integrationMethod(std::string_view name) {
    for (auto method :
         {IntegrationMethod::euler, IntegrationMethod::leapfrog, IntegrationMethod::accurate})
        if (name == methodName(method))
            return method;
    return std::nullopt;
}

namespace {

std::array<double, 3> massesOf(const BallList& balls) {
    return {balls[0]->mass, balls[1]->mass, balls[2]->mass};
}

// Forward Euler: positions move with the old movements, movements with the
// accelerations of the positions before anything moved; then correctDrift.
void euler(const BallList& balls, const StepParameters& parameters) {
    const double dt = parameters.timeStep;
    const Accelerations a = accelerations(parameters.law, offsets(balls), massesOf(balls),
                                          parameters.gravitationalConstant);
    for (int i = 0; i < 3; ++i) {
        Ball& b = *balls[i];
        b.position.add(b.movement, dt);
        b.movement.add(a[i], dt);
        b.lastAcceleration = a[i];
    }
    correctDrift(balls);
}

}  // namespace

void Integrator::step(const BallList& balls) {
    subSteps_ = 1;
    if (parameters.method == IntegrationMethod::euler)
        return euler(balls, parameters);
    if (parameters.method == IntegrationMethod::leapfrog)
        leapfrog(balls, massesOf(balls));
    else
        accurate(balls);
    if (parameters.law == ForceLaw::inverseDistance)
        correctDrift(balls);
}

// Kick, drift, kick: v += a·dt/2, p += v·dt, a = a(p), v += a·dt/2, ball by
// ball in that order (compared bit for bit). The closing accelerations open
// the next tick, also where the drift correction has since moved the balls a
// little: one pull per tick. lastAcceleration is that closing one, at the
// positions the drift reached.
void Integrator::leapfrog(const BallList& balls, const std::array<double, 3>& masses) {
    const double dt = parameters.timeStep;
    const double half = dt * 0.5;
    const double g = parameters.gravitationalConstant;
    if (!closing)
        closing = accelerations(parameters.law, offsets(balls), masses, g);
    for (int i = 0; i < 3; ++i)
        balls[i]->movement.add((*closing)[i], half);
    for (int i = 0; i < 3; ++i)
        balls[i]->position.add(balls[i]->movement, dt);
    closing = accelerations(parameters.law, offsets(balls), masses, g);
    for (int i = 0; i < 3; ++i) {
        balls[i]->movement.add((*closing)[i], half);
        balls[i]->lastAcceleration = (*closing)[i];
    }
}

// Fehlberg's 7(8) pair won the measurement (bench/methods_table.cpp).
void Integrator::accurate(const BallList& balls) {
    boost::numeric::odeint::runge_kutta_fehlberg78<PhaseState> stepper;
    subSteps_ = accurateTick(stepper, balls, parameters, level, carry,
                             LadderSettings<decltype(stepper)>{tolerance, subStepCap});
}

void Integrator::reset() {
    closing.reset();
    level = 0;
    carry = {};
    subSteps_ = 0;
}

void step(const BallList& balls, const StepParameters& parameters) {
    Integrator(parameters).step(balls);
}

namespace {

Triple weighted(double m, const Triple& v) {
    return {{m * v.x(), m * v.y(), m * v.z()}};
}

}  // namespace

void correctDrift(const BallList& balls) {
    // Centre: each ball moves by -(Σ m·p) / (3·m_i).
    Triple s = Triple::zero;
    for (int i = 0; i < 3; ++i)
        s.add(weighted(balls[i]->mass, balls[i]->position));
    s.scale(-oneThird);
    for (int i = 0; i < 3; ++i) {
        const double r = 1.0 / balls[i]->mass;
        balls[i]->position.add(weighted(r, s));
    }

    // Momentum: only balls at rest or moving along the total momentum P take
    // part, and each of them loses an equal share of P.
    Triple p = Triple::zero;
    for (int i = 0; i < 3; ++i)
        p.add(weighted(balls[i]->mass, balls[i]->movement));
    if (p == Triple::zero)
        return;

    std::array<bool, 3> selected{};
    int n = 0;
    for (int i : ballIndices) {
        const Triple& v = balls[i]->movement;
        selected[i] = v == Triple::zero || v.cosine(p) >= 0.0;  // NaN does not select
        n += selected[i] ? 1 : 0;
    }
    p.scale(-1.0 / n);
    for (int i = 0; i < 3; ++i) {
        if (!selected[i])
            continue;
        const double r = 1.0 / balls[i]->mass;
        balls[i]->movement.add(weighted(r, p));
    }
}

}  // namespace pellomarin
