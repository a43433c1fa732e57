#pragma once

#include <array>
#include <memory>

#include "ball.h"

namespace pellomarin::support {

constexpr Triple t(double x, double y, double z) {
    return {{x, y, z}};
}

// Balls 0, 1 and 2 at these positions, with these masses and movements.
inline BallList balls(const std::array<Triple, 3>& positions,
                      const std::array<double, 3>& masses = {1, 1, 1},
                      const std::array<Triple, 3>& movements = {}) {
    BallList list;
    for (int i = 0; i < 3; ++i)
        list[i] = std::make_shared<Ball>(i, positions[i], masses[i], movements[i]);
    return list;
}

}  // namespace pellomarin::support
