#pragma once

#include "ball.h"

namespace pellomarin {

// The smallest pair distance the status bar has sampled since the last New
// Simulation. The application owns the one instance; only the status bar's
// refresh lowers it, New Simulation resets it, Restart keeps it. Main thread.
class MinimumDistance {
public:
    double minDistanceSoFar() const { return value; }
    // Strictly smaller only: a NaN never lowers it.
    void lower(double distance) {
        if (distance < value)
            value = distance;
    }
    void reset() { value = greatestFiniteDouble; }

private:
    double value = greatestFiniteDouble;
};

}  // namespace pellomarin
