// Bytes as three balls, G and the time step. Any doubles run without undefined behaviour (the
// sanitizers watch). Sensible ones (masses, G and the time step within 2^±20 or so, coordinates up
// to 2^20, coinciding centres and centres a hair apart included) leave every position, velocity and
// acceleration finite, and the centre of mass at the origin and the total momentum zero up to
// rounding.
#include <algorithm>
#include <cmath>
#include <limits>
#include <memory>

#include "fuzz_input.h"
#include "integration.h"

using namespace pellomarin;

namespace {

// Folds any double into [2^(lowest-1), 2^highest) in magnitude, keeping its
// mantissa; magnitudes already there stay as they are.
double folded(double x, int lowest, int highest, bool keepSign) {
    if (!std::isfinite(x) || x == 0.0)
        return keepSign ? 0.0 : 1.0;
    int exponent = 0;
    const double fraction = std::frexp(keepSign ? x : std::fabs(x), &exponent);
    if (exponent < lowest || exponent > highest)
        exponent = lowest + (exponent % (highest - lowest + 1) + (highest - lowest + 1)) %
                                (highest - lowest + 1);
    return std::ldexp(fraction, exponent);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::Reader in(data, size);
    const std::uint8_t layout = in.byte();
    const bool sensible = layout & 1;
    std::array<double, 3> masses;
    std::array<Triple, 3> positions, movements;
    for (double& m : masses)
        m = sensible ? folded(in.number(), -19, 20, false) : in.number();
    for (auto* list : {&positions, &movements})
        for (Triple& t : *list)
            for (double& c : t.vector)
                c = sensible ? folded(in.number(), -1074, 20, true) : in.number();
    // Coinciding centres are rare in random bytes: two layout bits make them.
    if (sensible && (layout & 2))
        positions[1] = positions[0];
    if (sensible && (layout & 4))
        positions[2] = positions[(layout & 8) ? 0 : 1];
    BallList list;
    for (int i = 0; i < 3; ++i)
        list[i] = std::make_shared<Ball>(i, positions[i], masses[i], movements[i]);
    const double g = in.number(), dt = in.number();
    const StepParameters parameters =
        sensible ? StepParameters{folded(dt, -19, 10, false), folded(g, -19, 10, false)}
                 : StepParameters{dt, g};
    step(list, parameters);
    if (!sensible)
        return 0;

    // Σ m·x per component, against the Σ m·|x| the correction started from.
    const double ulps = 64 * std::numeric_limits<double>::epsilon(), h = parameters.timeStep;
    // The correction squares velocities and the momentum: where that overflows it cannot hold.
    const bool squaresFit = std::ranges::all_of(
        list, [&](const auto& b) { return length(b->lastAcceleration) * h < 0x1p480; });
    for (int c = 0; c < 3; ++c) {
        double centre = 0, momentum = 0, centreScale = 0, momentumScale = 0;
        for (int i = 0; i < 3; ++i) {
            const Ball& b = *list[i];
            const double a = b.lastAcceleration.vector[c], v = movements[i].vector[c];
            for (double x : {b.position.vector[c], b.movement.vector[c], a})
                fuzz::require(std::isfinite(x), "finite after one step", b.description());
            centre += b.mass * b.position.vector[c];
            momentum += b.mass * b.movement.vector[c];
            centreScale += b.mass * (std::abs(positions[i].vector[c]) + std::abs(v) * h);
            momentumScale += b.mass * (std::abs(v) + std::abs(a) * h);
        }
        fuzz::require(std::abs(centre) <= ulps * centreScale + 0x1p-1000,
                      "centre of mass at the origin", list[0]->description());
        // Velocities too small to square (below 2^-511) take no part: below 2^-480 in all.
        fuzz::require(!squaresFit || std::abs(momentum) <= ulps * momentumScale + 0x1p-480,
                      "no total momentum", list[0]->description());
    }
    return 0;
}
