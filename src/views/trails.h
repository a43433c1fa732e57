#pragma once

#include <QPen>
#include <QRect>
#include <algorithm>
#include <array>
#include <functional>
#include <optional>

#include "ball.h"
#include "screen_path.h"

class QPainter;
class QRegion;

namespace pellomarin {

// Where the balls have been: each ball's recent positions, kept in 3D with
// their simulated time in a fixed-size ring and projected whenever they are
// drawn, as thin lines in the ball's colour that fade from full strength at
// the ball to nothing `fadeTime` back. The fade is measured from a time that
// moves on only every sixteenth of the fade time, when the trails are
// repainted where they lie; in between a frame repaints only the newest
// segments, and paints only the segments near what it repaints, so a frame
// with trails costs little more than one without. Main thread.
class Trails {
public:
    static constexpr double fadeTime = 300.0;  // units of simulated time
    static constexpr int capacity = 1024;      // points per ball

    Trails();

    // The drawing area the points are projected into, and the camera: the
    // points are projected anew, at most `capacity` per ball.
    void resize(QSize area);
    void setCamera(const Camera& camera);

    // Hands over each part of the area to repaint, a rectangle at a time.
    using Repaint = std::function<void(const QRect&)>;

    // Takes the balls at simulated time `time`, at most once per frame.
    void add(const std::array<Ball, 3>& balls, double time, const Repaint& repaint);
    // Forgets every point.
    void clear(const Repaint& repaint);

    // Draws the segments that reach into `region`.
    void paint(QPainter& painter, const QRegion& region) const;

private:
    static constexpr int shades = 32;  // levels of strength a segment is drawn at
    static constexpr int chunk = 16;   // slots whose segments share one box

    struct Point {
        Triple position;
        double time;
    };
    struct Ring {
        std::array<Point, capacity> point;
        // On screen, what the segments ending in each run of `chunk` slots
        // cover; set anew by the first point pushed into the run.
        std::array<ScreenRect, capacity / chunk> box;
        int first = 0;  // the oldest
        int count = 0;
        int slot(int k) const { return (first + k) % capacity; }
        const Point& at(int k) const { return point[slot(k)]; }
        const ScreenRect& boxAt(int k) const { return box[slot(k) / chunk]; }
        void dropOldest() {
            first = slot(1);
            --count;
        }
        // Where the run of slots that holds the k-th point ends.
        int runEnd(int k) const { return std::min(count, k + chunk - slot(k) % chunk); }
    };

    // The one place where points meet the screen.
    std::optional<ScreenPoint> project(const Point& p) const;
    void repaintBox(const ScreenRect& box, const Repaint& repaint) const;
    int shadeAt(double time) const;
    void push(Ring& ring, const Point& p) const;
    void repaintAll(const Repaint& repaint) const;
    void reproject();

    std::array<Ring, 3> rings;
    std::array<std::array<QPen, shades + 1>, 3> pens;
    QSize area;
    Camera camera;
    double fadedAt = 0.0;  // the fade is measured from here
};

}  // namespace pellomarin
