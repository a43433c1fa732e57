#include "projection.h"

#include <cmath>

namespace pellomarin {

double apparentDiameter(const Ball& ball) {
    const Triple& p = ball.position;
    if (p == eyePoint)
        return greatestFiniteDouble;
    const double dx = 0 - p.x();
    const double dy = -200 - p.y();
    const double dz = 0 - p.z();
    return (ball.radius * 2000.0) / std::sqrt((dx * dx + dy * dy) + dz * dz);
}

DrawList drawList(const std::array<Ball, 3>& balls) {
    DrawList list;
    for (int i = 0; i < 3; ++i) {
        if (balls[i].position.y() <= eyeY)
            continue;  // a NaN depth stays
        // Insertion sort: stable, and no allocation while painting.
        int at = list.count++;
        while (at > 0 && balls[list.index[at - 1]].position.y() < balls[i].position.y()) {
            list.index[at] = list.index[at - 1];
            --at;
        }
        list.index[at] = i;
    }
    return list;
}

bool isOnScreen(double d, ScreenOffset offset, double cx, double cy) {
    const double r = d * 0.5;
    return offset.x + r > -cx && offset.x - r < cx && offset.y + r > -cy && offset.y - r < cy;
}

}  // namespace pellomarin
