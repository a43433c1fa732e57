#pragma once

#include <array>
#include <cstdint>
#include <limits>
#include <memory>
#include <string>

#include "triple.h"

namespace pellomarin {

inline constexpr double greatestFiniteDouble = std::numeric_limits<double>::max();

// One body. Shared: the model's list and its readers hold the same object;
// a copy made by `copy()` shares nothing with its original.
class Ball {
public:
    // radius = pow(mass, 1/3) with the power function, so mass 1000 gives
    // 9.999999999999998, not 10.
    Ball(std::int64_t id, Triple position, double mass, Triple movement);

    std::int64_t id;
    Triple position;
    double mass;
    Triple movement;  // velocity
    double radius;
    Triple lastAcceleration;  // the one the most recent step used

    // A new ball with the same fields (radius copied, not recomputed) and no acceleration.
    std::shared_ptr<Ball> copy() const;

    // sqrt((dx·dx + dy·dy) + dz·dz) between the centres.
    double distance(const Ball& to) const;

    std::string description() const;
};

using BallList = std::array<std::shared_ptr<Ball>, 3>;

inline constexpr double oneThird = 0.3333333333333333;  // what 1.0 / 3.0 gives

}  // namespace pellomarin
