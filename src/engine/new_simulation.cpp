#include "new_simulation.h"

#include <cmath>

namespace pellomarin {

static_assert(maxApproachCosine > 0.5 && maxApproachCosine - 0.5 == 0x1p-53);

namespace {

constexpr double squareRootOf3 = 1.7320508075688772;
constexpr int gridSteps = 100;
// With a usable basis over a third of all grid points lie in the cube and most
// starts pass, so these bounds are only reached by masses that never succeed.
constexpr int maxDraws = 10'000;

double squaredDistance(const Triple& a, const Triple& b) {
    const double dx = a.x() - b.x();
    const double dy = a.y() - b.y();
    const double dz = a.z() - b.z();
    return (dx * dx + dy * dy) + dz * dz;
}

bool isUnitVector(const Triple& v) {
    return std::abs(length(v) - 1.0) < 1e-9;
}

}  // namespace

// The operations are the exact ones the starts are defined by: results are
// compared bit for bit.
BalancedBasis balancedBasis(const Masses& m) {
    const double a = m[0] / m[2];
    const double c1 = 1 / std::sqrt(a * a + 1);
    const double b = -m[2] / m[1] - (m[0] / m[1]) * a;
    const double c2 =
        1 / std::sqrt((a * a + 1) + (m[2] * m[2] + m[0] * (m[0] * (a * a + 2))) / (m[1] * m[1]));
    return {{{c1, 0.0 * c1, -(a * c1)}}, {{a * c2, b * c2, c2}}};
}

Triple balancedGridPoint(const Masses& m, double s, int k1, int k2) {
    const BalancedBasis basis = balancedBasis(m);
    const double r = s * squareRootOf3;
    const double u = ((r + r) * k1) / gridSteps - r;
    const double w = ((r + r) * k2) / gridSteps - r;
    const Triple& e1 = basis.e1;
    const Triple& e2 = basis.e2;
    return {{e1.x() * u + e2.x() * w, e1.y() * u + e2.y() * w, e1.z() * u + e2.z() * w}};
}

std::optional<Triple> randomBalancedVector(const Masses& m, double s, RandomSource& random) {
    for (int draw = 0; draw < maxDraws; ++draw) {
        const auto k1 = static_cast<int>(random.uniform(gridSteps));
        const auto k2 = static_cast<int>(random.uniform(gridSteps));
        const Triple x = balancedGridPoint(m, s, k1, k2);
        if (!(std::abs(x.x()) > s || std::abs(x.y()) > s || std::abs(x.z()) > s))
            return x;
    }
    return std::nullopt;
}

bool canDrawStart(const Masses& m) {
    for (double mass : m)
        if (!(mass > 0.0) || !std::isfinite(mass) || !std::isfinite(1.0 / mass))
            return false;
    const BalancedBasis basis = balancedBasis(m);
    const double dot = basis.e1.cosine(basis.e2);  // both have length 1
    return isUnitVector(basis.e1) && isUnitVector(basis.e2) && std::abs(dot) < 1e-9;
}

namespace {

// Ball i takes element i of each of the three balanced vectors.
std::optional<std::array<Triple, 3>> drawBalanced(const Masses& m, double s, RandomSource& random) {
    std::array<Triple, 3> axes;  // the x, y and z elements of the three balls
    for (Triple& axis : axes) {
        const auto drawn = randomBalancedVector(m, s, random);
        if (!drawn)
            return std::nullopt;
        axis = *drawn;
    }
    std::array<Triple, 3> v;
    for (int i = 0; i < 3; ++i)
        v[i] = {{axes[0].vector[i], axes[1].vector[i], axes[2].vector[i]}};
    return v;
}

// Draws until `fits` takes a draw; nothing after maxDraws, or if the masses give none.
template <typename Fits>
std::optional<std::array<Triple, 3>> drawFitting(const Masses& m, double s, RandomSource& random,
                                                 Fits fits) {
    for (int attempt = 0; attempt < maxDraws; ++attempt) {
        auto drawn = drawBalanced(m, s, random);
        if (!drawn || fits(*drawn))
            return drawn;
    }
    return std::nullopt;
}

bool farEnoughApart(const std::array<Triple, 3>& p) {
    return squaredDistance(p[0], p[1]) > minInitialDistanceSquared &&
           squaredDistance(p[1], p[2]) > minInitialDistanceSquared &&
           squaredDistance(p[2], p[0]) > minInitialDistanceSquared;
}

bool noneHeadingAtAnother(const std::array<Triple, 3>& p, const std::array<Triple, 3>& v) {
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j)
            if (i != j && !(p[i].offset(p[j]).cosine(v[i]) <= maxApproachCosine))
                return false;  // NaN (a ball at rest) too
    return true;
}

}  // namespace

std::optional<BallList> drawStart(const Masses& m, RandomSource& random) {
    const auto positions = drawFitting(m, positionRange, random, farEnoughApart);
    if (!positions)
        return std::nullopt;
    const auto movements = drawFitting(m, movementRange, random, [&](const auto& v) {
        return noneHeadingAtAnother(*positions, v);
    });
    if (!movements)
        return std::nullopt;
    BallList balls;
    for (int i = 0; i < 3; ++i)
        balls[i] = std::make_shared<Ball>(i, (*positions)[i], m[i], (*movements)[i]);
    return balls;
}

std::shared_ptr<Model> newSimulation(const Masses& m, RandomSource& random, PostToMain postToMain) {
    std::optional<BallList> balls;
    if (canDrawStart(m))
        balls = drawStart(m, random);
    // Equal unit masses always give a start; this loop ends with probability 1.
    while (!balls)
        balls = drawStart({1.0, 1.0, 1.0}, random);
    return Model::make(*balls, std::move(postToMain));
}

}  // namespace pellomarin
