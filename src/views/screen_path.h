#pragma once

#include <cmath>
#include <optional>

#include "camera.h"

namespace pellomarin {

// Paths of the balls on screen: the window's trails and the runner's pictures.

struct ScreenPoint {
    double x = 0.0;
    double y = 0.0;
};

// Where a position appears in a drawing area of this size, top left at (0, 0),
// exactly where a ball centred there is drawn. Nothing for a position the
// drawing skips: at or behind the eye, or projected to no finite place.
inline std::optional<ScreenPoint> screenPoint(const Triple& position, double width, double height,
                                              const Camera& camera = {}) {
    if (!camera.isInFront(position))
        return std::nullopt;
    const ScreenOffset offset = camera.offset(position);
    const ScreenPoint point{width * 0.5 + offset.x, height * 0.5 + offset.y};
    if (!std::isfinite(point.x) || !std::isfinite(point.y))
        return std::nullopt;
    return point;
}

struct ScreenRect {
    double left;
    double top;
    double right;
    double bottom;
};

constexpr bool contains(const ScreenRect& rect, const ScreenPoint& p) {
    return p.x >= rect.left && p.x <= rect.right && p.y >= rect.top && p.y <= rect.bottom;
}

// Whether both ends lie beyond the same edge, so that none of the segment is inside.
constexpr bool beyondOneEdge(const ScreenRect& rect, const ScreenPoint& a, const ScreenPoint& b) {
    return (a.x < rect.left && b.x < rect.left) || (a.x > rect.right && b.x > rect.right) ||
           (a.y < rect.top && b.y < rect.top) || (a.y > rect.bottom && b.y > rect.bottom);
}

// Cuts the segment a–b down to the part inside `rect`; false when no part is.
bool clipSegment(ScreenPoint& a, ScreenPoint& b, const ScreenRect& rect);

}  // namespace pellomarin
