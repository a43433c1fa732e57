#pragma once

#include <QPainter>
#include <QPointF>
#include <QRectF>
#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>

#include "ball.h"
#include "camera.h"

namespace pellomarin {

// The balls as the window draws them, shared by the window and the runner's
// pictures so that both give the same pixels.

// A ball as drawn: its circle, in the drawing area's coordinates.
struct Disc {
    QPointF centre;
    double r;
    std::int64_t id;
};
struct Discs {
    std::array<Disc, 3> disc{};
    int count = 0;
    const Disc* begin() const { return disc.data(); }
    const Disc* end() const { return disc.data() + count; }
};

// The visible balls in an area of this size, farthest first, seen with this
// camera and never smaller across than `smallest`.
Discs discsOf(const std::array<Ball, 3>& balls, QSizeF area, const Camera& camera = {},
              double smallest = 0.0);

// Beyond this radius the painter's fixed-point rasteriser overflows, so a
// huge circle is filled as one horizontal span per pixel row instead.
inline constexpr double largestEllipseRadius = 16384.0;

// Calls fill(QRectF) for each row's span of a huge circle inside `area`.
template <typename Fill>
void hugeCircleSpans(QPointF centre, double r, const QRectF& area, Fill fill) {
    for (double top = area.top(); top < area.bottom(); top += 1.0) {
        const double dy = top + 0.5 - centre.y();
        if (std::abs(dy) >= r)
            continue;
        const double half = std::sqrt(r * r - dy * dy);
        const double left = std::max(centre.x() - half, area.left());
        const double right = std::min(centre.x() + half, area.right());
        if (left < right)
            fill(QRectF(left, top, right - left, 1.0));
    }
}

// Fills the discs in their order, antialiased, in the balls' colours.
void paintDiscs(QPainter& painter, const Discs& discs, const QRectF& area);

}  // namespace pellomarin
