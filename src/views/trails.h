#pragma once

#include <QImage>
#include <QPen>
#include <QRect>
#include <array>
#include <optional>

#include "ball.h"
#include "screen_path.h"

class QPainter;

namespace pellomarin {

// Where the balls have been: each ball's recent positions, kept in 3D with
// their simulated time in a fixed-size ring, drawn as thin lines in the
// ball's colour that fade from full strength at the ball to nothing
// `fadeTime` back. The lines live on a layer, an image of the drawing area
// on black that the view shows instead of its black background. The layer
// changes only where a new segment is added, and everywhere at once only a
// few times a second of simulated time, when the fade is redrawn; so a frame
// with trails repaints little more than one without. Main thread.
class Trails {
public:
    static constexpr double fadeTime = 300.0;  // units of simulated time
    static constexpr int capacity = 1024;      // points per ball

    Trails();

    // Sizes the layer to a drawing area (its logical size and the screen's
    // ratio of device pixels) and draws the kept points anew: a resize
    // reprojects them.
    void resize(QSize area, qreal devicePixelRatio);
    bool fits(QSize area, qreal devicePixelRatio) const;

    // Takes the balls at simulated time `time`, at most once per frame;
    // returns the part of the area whose pixels changed.
    QRect add(const std::array<Ball, 3>& balls, double time);
    // Forgets every point; returns the part of the area that changed.
    QRect clear();

    // The layer, over the painter's whole area (clipped to what it paints).
    void paint(QPainter& painter) const;

private:
    struct Point {
        Triple position;
        double time;
    };
    struct Ring {
        std::array<Point, capacity> point;
        int first = 0;  // the oldest
        int count = 0;
        const Point& at(int k) const { return point[(first + k) % capacity]; }
        void push(const Point& p);
    };

    // Draws every kept point at its fade as of `now`; returns what changed.
    QRect redraw(double now);
    // The segment a–b with the painter's pen, cut to the area; returns what it covers.
    QRect drawSegment(QPainter& painter, ScreenPoint a, ScreenPoint b) const;
    ScreenRect bounds() const;

    static constexpr int shades = 32;  // levels of strength a segment is drawn at

    std::array<Ring, 3> rings;
    std::array<std::array<QPen, shades + 1>, 3> pens;
    QImage layer;
    QSize area;
    QRect drawnOn;           // what lines on the layer cover, in area coordinates
    double latest = 0.0;     // simulated time of the last balls added
    double redrawnAt = 0.0;  // and of the last full redraw
};

}  // namespace pellomarin
