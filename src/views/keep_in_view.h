#pragma once

#include <array>

#include "camera.h"

namespace pellomarin {

// Keep All in View: moves the user's camera back just far enough that every
// ball lies inside the drawing with a margin, and forward again as the balls
// come together, never closer than the user's own zoom. A frame moves the
// zoom by a few percent at most, and the margins differ on the way out and
// in, so that the camera rests while the balls keep within them: it moves out
// once a ball comes near the edge, and in only once all are well inside.
class KeepInView {
public:
    // Beyond this the zoom does not go: a ball thrown out at any speed stays
    // in view for years, and the numbers stay finite.
    static constexpr double smallestZoom = 0x1p-40;

    // The camera for the balls of the next frame in a drawing of half sizes
    // hx, hy: gliding there by frames from where the last frame was (at
    // first, from the user's zoom), or at once.
    Camera follow(const std::array<Ball, 3>& balls, const Camera& user, double hx, double hy,
                  bool glide = true);

private:
    enum class Moving { no, out, in };
    double zoom = 0.0;  // none before the first frame
    Moving moving = Moving::no;
};

}  // namespace pellomarin
