#include "force_law.h"

#include <cmath>

namespace pellomarin {

std::string_view lawName(ForceLaw law) {
    return law == ForceLaw::newton ? "newton" : "inverse-distance";
}

std::optional<ForceLaw> forceLaw(std::string_view name) {
    for (ForceLaw law : {ForceLaw::inverseDistance, ForceLaw::newton})
        if (name == lawName(law))
            return law;
    return std::nullopt;
}

namespace {

double squaredLength(const Triple& d) {
    return (d.x() * d.x() + d.y() * d.y()) + d.z() * d.z();
}

// Adds the pull of a ball of mass `pulling` at offset d to the acceleration a
// of a ball of mass `pulled`. The order of every operation is fixed: results
// are compared bit for bit.
template <ForceLaw law>
void addPull(Triple& a, Triple d, double pulling, double pulled, double g) {
    const double r2 = squaredLength(d);
    double k = 0.0;
    if constexpr (law == ForceLaw::inverseDistance) {
        // Falls off with 1/r, not 1/r²: the difference keeps its length while
        // the factor divides by r².
        const double f = r2 == 0.0 ? greatestFiniteDouble : (g * pulling) / r2;
        k = f / pulled;
    } else {
        // r³ of 0 (coinciding centres, or a hair apart) counts as an overflow
        // even where G·m rounds to 0 as well.
        const double r3 = r2 * std::sqrt(r2);
        k = r3 == 0.0 ? HUGE_VAL : (g * pulling) / r3;
    }
    // A pull that overflows adds nothing: coinciding centres would pull with
    // 0·∞ = NaN (a pulled mass below 1), centres a hair apart with ∞.
    // Coinciding centres add nothing for larger masses too: 0·k.
    if (std::isinf(k))
        return;
    d.scale(k);
    a.add(d);
}

Triple negated(const Triple& d) {
    return {{-d.x(), -d.y(), -d.z()}};  // exact: p_i − p_j is −(p_j − p_i) to the bit
}

// Each ball's pulls in the order of the pulling balls' numbers.
template <ForceLaw law>
Accelerations accelerationsUnder(const Offsets& d, const std::array<double, 3>& m, double g) {
    Accelerations a{};
    addPull<law>(a[0], d[0], m[1], m[0], g);
    addPull<law>(a[0], d[1], m[2], m[0], g);
    addPull<law>(a[1], negated(d[0]), m[0], m[1], g);
    addPull<law>(a[1], d[2], m[2], m[1], g);
    addPull<law>(a[2], negated(d[1]), m[0], m[2], g);
    addPull<law>(a[2], negated(d[2]), m[1], m[2], g);
    return a;
}

// ln x from + − × ÷ alone, within a few ulps: the C library's log may take
// another path on another CPU (glibc picks one by the CPU's features), and the
// printed energy is compared bit for bit.
double naturalLog(double x) {
    if (!(x > 0.0) || std::isinf(x))  // x is r², never negative: ln 0 = −∞, ∞ and NaN stay
        return x == 0.0 ? -HUGE_VAL : x;
    constexpr double ln2High = 6.93147180369123816490e-01;  // 32 bits: e·ln2High is exact
    constexpr double ln2Low = 1.90821492927058770002e-10;
    int e = 0;
    double m = std::frexp(x, &e);  // exact: x = m·2^e, m in [1/2, 1)
    if (m < 0.7071067811865476) {
        m = m * 2.0;
        e = e - 1;
    }
    // ln m = 2·atanh s = 2·(s + s³/3 + s⁵/5 + …) with |s| ≤ 0.172: twelve terms.
    const double s = (m - 1.0) / (m + 1.0);
    const double s2 = s * s;
    double sum = 2.0 / 23;
    for (double c : {2.0 / 21, 2.0 / 19, 2.0 / 17, 2.0 / 15, 2.0 / 13, 2.0 / 11, 2.0 / 9, 2.0 / 7,
                     2.0 / 5, 2.0 / 3, 2.0})
        sum = c + s2 * sum;
    return e * ln2High + (e * ln2Low + s * sum);
}

}  // namespace

Offsets offsets(const BallList& balls) {
    return {balls[0]->position.offset(balls[1]->position),
            balls[0]->position.offset(balls[2]->position),
            balls[1]->position.offset(balls[2]->position)};
}

Accelerations accelerations(ForceLaw law, const Offsets& d, const std::array<double, 3>& masses,
                            double g) {
    return law == ForceLaw::newton ? accelerationsUnder<ForceLaw::newton>(d, masses, g)
                                   : accelerationsUnder<ForceLaw::inverseDistance>(d, masses, g);
}

double energy(ForceLaw law, const BallList& balls, double g) {
    const Offsets d = offsets(balls);
    // Summed ball by ball, then pair by pair (0–1, 0–2, 1–2): compared bit for bit.
    double e = 0.0;
    for (const auto& b : balls) {
        const double inertia = law == ForceLaw::newton ? b->mass : b->mass * b->mass;
        e = e + (0.5 * inertia) * squaredLength(b->movement);
    }
    for (int i = 0; i < 3; ++i) {
        for (int j = i + 1; j < 3; ++j) {
            const double r2 = squaredLength(d[i + j - 1]);
            const double gmm = (g * balls[i]->mass) * balls[j]->mass;
            if (law == ForceLaw::newton)
                e = e - gmm / std::sqrt(r2);
            else
                e = e + gmm * (0.5 * naturalLog(r2));
        }
    }
    return e;
}

Triple angularMomentum(ForceLaw law, const BallList& balls) {
    Triple l = Triple::zero;
    for (const auto& b : balls) {
        const Triple& p = b->position;
        const Triple& v = b->movement;
        const Triple cross{{p.y() * v.z() - p.z() * v.y(), p.z() * v.x() - p.x() * v.z(),
                            p.x() * v.y() - p.y() * v.x()}};
        l.add(cross, law == ForceLaw::newton ? b->mass : b->mass * b->mass);
    }
    return l;
}

}  // namespace pellomarin
