// Bytes as three balls, G and the time step. Any doubles run without
// undefined behaviour (the sanitizers watch); sensible ones, including
// coinciding centres and centres a hair apart, leave finite positions.
#include <cmath>
#include <memory>
#include <string>

#include "fuzz_input.h"
#include "integration.h"

using namespace pellomarin;

namespace {

// Folds any double into [lowest, highest] in magnitude, keeping its mantissa;
// magnitudes already there stay as they are.
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
        m = sensible ? folded(in.number(), -330, 330, false) : in.number();
    for (auto* list : {&positions, &movements})
        for (Triple& t : *list)
            for (double& c : t.vector)
                c = sensible ? folded(in.number(), -1074, 20, true) : in.number();
    BallList list;
    for (int i = 0; i < 3; ++i)
        list[i] = std::make_shared<Ball>(i, positions[i], masses[i], movements[i]);
    // Coinciding centres are rare in random bytes: two layout bits make them.
    if (sensible && (layout & 2))
        list[1]->position = list[0]->position;
    if (sensible && (layout & 4))
        list[2]->position = list[(layout & 8) ? 0 : 1]->position;
    const double g = in.number(), dt = in.number();
    step(list, sensible ? StepParameters{folded(dt, -1000, 10, false), folded(g, -1000, 10, false)}
                        : StepParameters{dt, g});
    if (sensible)
        for (const auto& b : list)
            for (double c : b->position.vector)
                fuzz::require(std::isfinite(c), "finite positions after one step",
                              b->description());
    return 0;
}
