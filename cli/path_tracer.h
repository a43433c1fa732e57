#pragma once

#include <array>
#include <optional>

#include "ball.h"
#include "screen_path.h"

namespace pellomarin::cli {

// Follows each ball's projected path, step by step, and hands the segments
// between kept points to a sink, `sink.segment(ball, from, to)`, cut to the
// picture and a pixel around it. A point within half a pixel of the previous
// kept one is not kept, which bounds the work by the picture's size rather
// than the number of steps; the path breaks where a ball cannot be drawn.
// Owned by one thread.
template <typename Sink>
class PathTracer {
public:
    // `camera` is read at every step: it may be set before the first.
    PathTracer(double width_, double height_, Sink& sink_, const Camera& camera_)
        : width(width_),
          height(height_),
          near{-1.0, -1.0, width_ + 1.0, height_ + 1.0},
          sink(sink_),
          camera(camera_) {}

    void add(const BallList& balls) {
        for (int i = 0; i < 3; ++i)
            follow(i, balls[i]->position);
    }

    // Takes each path on to the ball's last place, kept or not.
    void finish() {
        for (int ball = 0; ball < 3; ++ball) {
            Path& path = paths[ball];
            if (path.kept && (path.latest.x != path.kept->x || path.latest.y != path.kept->y))
                segment(ball, *path.kept, path.latest);
        }
    }

private:
    struct Path {
        std::optional<ScreenPoint> kept;
        ScreenPoint latest{};
    };

    void follow(int ball, const Triple& position) {
        Path& path = paths[ball];
        const auto point = screenPoint(position, width, height, camera);
        if (!point) {
            path = {};
            return;
        }
        path.latest = *point;
        if (!path.kept) {
            path.kept = point;
            return;
        }
        const double dx = point->x - path.kept->x;
        const double dy = point->y - path.kept->y;
        if (dx * dx + dy * dy < 0.25)
            return;
        segment(ball, *path.kept, *point);
        path.kept = point;
    }

    // Only a far end needs cutting: the sinks leave out what falls just outside.
    void segment(int ball, ScreenPoint a, ScreenPoint b) {
        if ((!contains(near, a) || !contains(near, b)) &&
            (beyondOneEdge(near, a, b) || !clipSegment(a, b, near)))
            return;
        sink.segment(ball, a, b);
    }

    double width;
    double height;
    ScreenRect near;
    Sink& sink;
    const Camera& camera;
    std::array<Path, 3> paths{};
};

}  // namespace pellomarin::cli
