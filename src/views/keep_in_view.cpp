#include "keep_in_view.h"

#include <algorithm>
#include <cmath>

namespace pellomarin {

namespace {

// Where on the way from the centre to the edge the farthest ball may go
// before the camera moves out, where it rests after a move, and where all
// must be before it moves in.
constexpr double edge = 0.9;
constexpr double rest = 0.8;
constexpr double inside = 0.65;
// The most a frame changes the zoom, out and in.
constexpr double outPerFrame = 1.05;
constexpr double inPerFrame = 1.02;
// Where a ball will be this much simulated time on counts too, so that the
// camera sets out before a fast ball reaches the edge, and does not come in
// while one heads out.
constexpr double lookAhead = 8.0;

}  // namespace

Camera KeepInView::follow(const std::array<Ball, 3>& balls, const Camera& user, double hx,
                          double hy, bool glide) {
    // The largest zoom at which every ball lies within k of the way to the
    // edge, now and a little later.
    const auto fit = [&](double k) {
        double z = HUGE_VAL;  // NaN positions are left out
        for (const Ball& ball : balls) {
            Triple later = ball.position;
            later.add(ball.movement, lookAhead);
            for (const Triple& p : {ball.position, later})
                z = std::min(z, user.fittingZoom(p, ball.radius, k * hx, k * hy));
        }
        return std::max(z, smallestZoom);
    };
    double z = zoom == 0.0 ? user.zoom() : std::min(zoom, user.zoom());
    if (z > fit(edge))
        moving = Moving::out;
    else if (z < std::min(fit(inside), user.zoom()))
        moving = Moving::in;
    // Out, or in, towards where the farthest ball rests, and no further.
    const double home = std::min(fit(rest), user.zoom());
    if (moving == Moving::out && home < z)
        z = glide ? std::max(home, z / outPerFrame) : home;
    else if (moving == Moving::in && home > z)
        z = glide ? std::min(home, z * inPerFrame) : home;
    else
        moving = Moving::no;
    if (z == home)
        moving = Moving::no;
    zoom = z;
    return user.zoomedTo(z);
}

}  // namespace pellomarin
