#pragma once

#include <array>

#include "projection.h"

namespace pellomarin {

// Across, in device pixels, the least a ball is drawn once the camera has left
// the fixed view (or follows the balls): a far ball stays in sight.
inline constexpr double smallestDisc = 4.0;

// The eye the drawing is seen with. It looks at the origin from a direction
// given by a turn about the world's z axis (the screen's vertical while
// untilted) and a tilt about the screen's horizontal, from a distance the
// zoom sets. Up to zoom 1 the eye moves back (distance 200/zoom, focal length
// 200), so that zooming out also shows what lies behind the fixed view's eye;
// beyond it the view narrows (distance 200, focal length 200·zoom), so that
// zooming in loses no ball near the eye. Either way the zoom is the scale of
// the drawing at the origin. The default camera is the fixed view of
// projection.h and projects with its functions as they are, so that its
// pictures stay the same to the bit.
class Camera {
public:
    static constexpr double smallestZoom = 1.0 / 64;  // the user's zoom
    static constexpr double largestZoom = 8.0;
    static constexpr double largestTilt = 89.0;  // degrees, up or down

    Camera() = default;
    // Degrees: a positive turn takes the eye to its right around the origin, a
    // positive tilt up over it. The tilt is kept within ±largestTilt, the turn
    // within ±180; the zoom must be positive (Keep All in View goes beyond
    // the user's range).
    Camera(double zoom, double turn, double tilt);

    double zoom() const { return zoom_; }
    double turn() const { return turn_; }
    double tilt() const { return tilt_; }
    // The same direction at another zoom.
    Camera zoomedTo(double zoom) const { return {zoom, turn_, tilt_}; }

    bool isFixedView() const { return fixed; }
    bool operator==(const Camera& other) const {
        return zoom_ == other.zoom_ && turn_ == other.turn_ && tilt_ == other.tilt_;
    }

    // Strictly in front of the eye: only such points are drawn. NaN is not.
    bool isInFront(const Triple& p) const { return fixed ? p.y() > eyeY : depth(p) > 0.0; }
    // Where a point in front of the eye appears, relative to the drawing's centre.
    ScreenOffset offset(const Triple& p) const {
        if (fixed)
            return projectedOffset(p);
        const double d = depth(p);
        return {(dot(p, right) * focal) / d, (dot(p, down) * focal) / d};
    }
    // 10 × radius at the origin, times the zoom.
    double apparentDiameter(const Ball& ball) const;
    // The balls in front of the eye, farthest first (equal depths in index order).
    DrawList drawList(const std::array<Ball, 3>& balls) const;

    // The largest zoom in this direction at which a ball of radius r at p lies
    // with its disc within hx, hy of the drawing's centre; infinity for a
    // point that fits at any zoom, NaN for a NaN point.
    double fittingZoom(const Triple& p, double r, double hx, double hy) const;

private:
    static double dot(const Triple& a, const Triple& b) {
        return (a.x() * b.x() + a.y() * b.y()) + a.z() * b.z();
    }
    double depth(const Triple& p) const { return dot(p, forward) + distance; }

    double zoom_ = 1.0;
    double turn_ = 0.0;
    double tilt_ = 0.0;
    bool fixed = true;
    // Unit vectors: where the eye looks, and the screen's right and down.
    Triple forward{{0.0, 1.0, 0.0}};
    Triple right{{1.0, 0.0, 0.0}};
    Triple down{{0.0, 0.0, 1.0}};
    double distance = -eyeY;  // from the origin to the eye
    double focal = -eyeY;
};

}  // namespace pellomarin
