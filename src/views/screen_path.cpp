#include "screen_path.h"

#include <algorithm>
#include <cmath>

namespace pellomarin {

// Liang–Barsky: the segment is a + t·(b − a) for t in [0, 1], narrowed by each edge.
bool clipSegment(ScreenPoint& a, ScreenPoint& b, const ScreenRect& rect) {
    const double dx = b.x - a.x;
    const double dy = b.y - a.y;
    if (!std::isfinite(dx) || !std::isfinite(dy))
        return false;  // ends too far apart to compute with
    double enter = 0.0;
    double leave = 1.0;
    const double p[4] = {-dx, dx, -dy, dy};
    const double q[4] = {a.x - rect.left, rect.right - a.x, a.y - rect.top, rect.bottom - a.y};
    for (int edge = 0; edge < 4; ++edge) {
        if (p[edge] == 0.0) {
            if (q[edge] < 0.0)
                return false;  // parallel to this edge and outside it
            continue;
        }
        const double t = q[edge] / p[edge];
        if (p[edge] < 0.0)
            enter = std::max(enter, t);
        else
            leave = std::min(leave, t);
    }
    if (enter > leave)
        return false;
    const ScreenPoint start = a;
    if (enter > 0.0)
        a = {start.x + enter * dx, start.y + enter * dy};
    if (leave < 1.0)
        b = {start.x + leave * dx, start.y + leave * dy};
    return true;
}

}  // namespace pellomarin
