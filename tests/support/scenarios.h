#pragma once

#include "balls.h"

namespace pellomarin::support {

// Known runs under Newton's law with G = 1, for the tests and the benchmark.

// Burrau's Pythagorean problem: masses 3, 4, 5 at rest at the corners of a
// 3-4-5 triangle. By t = 70 ball 0 leaves and balls 1 and 2 stay as a tight pair.
inline BallList pythagorean() {
    return balls({t(1, 3, 0), t(-2, -1, 0), t(1, -1, 0)}, {3, 4, 5});
}

// The figure-eight (Chenciner–Montgomery, Simó's values), in the x–z plane.
inline constexpr double figureEightPeriod = 6.32591398;
inline BallList figureEight() {
    const Triple v = t(0.466203685, 0, 0.43236573);
    return balls({t(0.97000436, 0, -0.24308753), t(-0.97000436, 0, 0.24308753), t(0, 0, 0)},
                 {1, 1, 1}, {v, v, t(-0.93240737, 0, -0.86473146)});
}

}  // namespace pellomarin::support
