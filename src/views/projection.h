#pragma once

#include <array>

#include "ball.h"

namespace pellomarin {

// The viewer sits at (0, -200, 0) and looks along +y: y is depth, x grows to
// the right and z downwards on screen. The plane y = 0 is drawn at scale 1.
inline constexpr double eyeY = -200.0;
inline constexpr Triple eyePoint{{0.0, eyeY, 0.0}};

struct ScreenOffset {
    double x;
    double y;
};

// Where a position appears, relative to the centre of the drawing area.
// Inline: the runner's pictures project every ball after every step. The
// order of operations is fixed: positions are compared bit for bit.
inline ScreenOffset projectedOffset(const Triple& p) {
    if (p.y() == eyeY)
        return {greatestFiniteDouble, greatestFiniteDouble};
    return {(p.x() * 200.0) / (p.y() + 200.0), (p.z() * 200.0) / (p.y() + 200.0)};
}

// The diameter a ball appears with: 10 × radius at the origin.
double apparentDiameter(const Ball& ball);

// Indices of the balls in front of the viewer, farthest first; equal depths
// keep their order, so the lower index is drawn under the other.
struct DrawList {
    std::array<int, 3> index{};
    int count = 0;
    const int* begin() const { return index.data(); }
    const int* end() const { return index.data() + count; }
};
DrawList drawList(const std::array<Ball, 3>& balls);

// Whether a circle of diameter d centred at `offset` reaches into a drawing
// area of half sizes cx, cy. NaN is never visible.
bool isOnScreen(double d, ScreenOffset offset, double cx, double cy);

}  // namespace pellomarin
