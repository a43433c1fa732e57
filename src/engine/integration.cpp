#include "integration.h"

#include <cmath>

namespace pellomarin {

namespace {

// The pull on ball i from every other ball. The pull falls off with 1/r, not
// 1/r²: the difference keeps its length while the factor divides by r².
Triple acceleration(const BallList& balls, int i, double g) {
    const Ball& pulled = *balls[i];
    Triple a = Triple::zero;
    for (int j = 0; j < 3; ++j) {
        if (j == i)
            continue;
        const Ball& pulling = *balls[j];
        Triple d = pulled.position.offset(pulling.position);
        const double r2 = (d.x() * d.x() + d.y() * d.y()) + d.z() * d.z();
        const double f = r2 == 0.0 ? greatestFiniteDouble : (g * pulling.mass) / r2;
        const double k = f / pulled.mass;
        // A pull that overflows adds nothing: coinciding centres would pull
        // with 0·∞ = NaN (a pulled mass below 1), centres a hair apart with ∞.
        // Coinciding centres add nothing for larger masses too: 0·k.
        if (std::isinf(k))
            continue;
        d.scale(k);
        a.add(d);
    }
    return a;
}

}  // namespace

void step(const BallList& balls, const StepParameters& parameters) {
    const double dt = parameters.timeStep;
    const double g = parameters.gravitationalConstant;

    // All accelerations come from the positions before anything moves.
    const std::array<Triple, 3> a{acceleration(balls, 0, g), acceleration(balls, 1, g),
                                  acceleration(balls, 2, g)};
    for (int i = 0; i < 3; ++i) {
        Ball& b = *balls[i];
        b.position.add(b.movement, dt);
        b.movement.add(a[i], dt);
        b.lastAcceleration = a[i];
    }
    correctDrift(balls);
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
