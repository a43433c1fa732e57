#pragma once

#include <array>
#include <optional>

#include "screen_path.h"

namespace pellomarin::cli {

// Follows each ball's projected path, step by step, and hands the segments
// between kept points to a sink: `sink.segment(ball, from, to)`. A point within
// half a pixel of the previous kept one is not kept, which bounds the work by
// the picture's size rather than the number of steps; the path breaks where a
// ball cannot be drawn. Owned by one thread.
template <typename Sink>
class PathTracer {
public:
    PathTracer(double width_, double height_, Sink& sink_)
        : width(width_), height(height_), sink(sink_) {}

    void add(int ball, const Triple& position) {
        Path& path = paths[ball];
        const auto point = screenPoint(position, width, height);
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
        sink.segment(ball, *path.kept, *point);
        path.kept = point;
    }

    // Takes each path on to the ball's last place, kept or not.
    void finish() {
        for (int ball = 0; ball < 3; ++ball) {
            Path& path = paths[ball];
            if (path.kept && (path.latest.x != path.kept->x || path.latest.y != path.kept->y))
                sink.segment(ball, *path.kept, path.latest);
        }
    }

private:
    struct Path {
        std::optional<ScreenPoint> kept;
        ScreenPoint latest{};
    };

    double width;
    double height;
    Sink& sink;
    std::array<Path, 3> paths{};
};

}  // namespace pellomarin::cli
