#include "camera.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace pellomarin {

Camera::Camera(double zoom, double turn, double tilt)
    : zoom_(zoom),
      turn_(std::remainder(turn, 360.0)),
      tilt_(std::clamp(tilt, -largestTilt, largestTilt)) {
    // A turn or zoom that comes back by steps lands within rounding of the fixed view.
    if (std::abs(turn_) < 1e-9)
        turn_ = 0.0;
    if (std::abs(tilt_) < 1e-9)
        tilt_ = 0.0;
    if (std::abs(zoom_ - 1.0) < 1e-12)
        zoom_ = 1.0;
    fixed = zoom_ == 1.0 && turn_ == 0.0 && tilt_ == 0.0;
    constexpr double radians = std::numbers::pi / 180.0;
    const double st = std::sin(turn_ * radians), ct = std::cos(turn_ * radians);
    const double sp = std::sin(tilt_ * radians), cp = std::cos(tilt_ * radians);
    // The eye sits at -distance·forward: to the right for a positive turn,
    // above (towards −z) for a positive tilt; the screen's right stays level.
    forward = {{-st * cp, ct * cp, sp}};
    right = {{ct, st, 0.0}};
    down = {{st * sp, -ct * sp, cp}};
    distance = zoom_ <= 1.0 ? -eyeY / zoom_ : -eyeY;
    focal = zoom_ <= 1.0 ? -eyeY : -eyeY * zoom_;
}

double Camera::apparentDiameter(const Ball& ball) const {
    if (fixed)
        return pellomarin::apparentDiameter(ball);
    const Triple& p = ball.position;
    const double dx = p.x() + forward.x() * distance;  // from the eye
    const double dy = p.y() + forward.y() * distance;
    const double dz = p.z() + forward.z() * distance;
    return (ball.radius * 10.0 * focal) / std::sqrt((dx * dx + dy * dy) + dz * dz);
}

DrawList Camera::drawList(const std::array<Ball, 3>& balls) const {
    if (fixed)
        return pellomarin::drawList(balls);
    DrawList list;
    std::array<double, 3> d{};
    for (int i = 0; i < 3; ++i) {
        d[i] = depth(balls[i].position);
        if (!(d[i] > 0.0))
            continue;
        int at = list.count++;  // stable insertion, as the fixed view's
        while (at > 0 && d[list.index[at - 1]] < d[i]) {
            list.index[at] = list.index[at - 1];
            --at;
        }
        list.index[at] = i;
    }
    return list;
}

// Up to zoom 1 a point's offset is s·200 / (p·forward + 200/z), which stays
// within h while 1/z ≥ s/h − p·forward/200; beyond it the offset grows as z
// times the offset at zoom 1. The disc's radius is at most 5r·focal/depth, so
// the point fits with its disc when s + 5r does.
double Camera::fittingZoom(const Triple& p, double r, double hx, double hy) const {
    const double rim = 5.0 * r;
    const double across =
        std::max((std::abs(dot(p, right)) + rim) / hx, (std::abs(dot(p, down)) + rim) / hy);
    const double ahead = dot(p, forward) / -eyeY;
    if (across - ahead >= 1.0)
        return 1.0 / (across - ahead);
    return (1.0 + ahead) / across;
}

}  // namespace pellomarin
