#include "trails.h"

#include <QPainter>
#include <QRegion>
#include <cmath>

#include "ball_colors.h"

namespace pellomarin {

namespace {

constexpr int fadeSteps = 16;       // times per fade time the trails are repainted
constexpr double spacing = 1.0;     // at least this far apart on screen, kept points
constexpr double touched = 2.0;     // beyond a segment's box, antialiasing included
constexpr double clipMargin = 4.0;  // segments are cut to the area and this much more

constexpr ScreenRect nothing{HUGE_VAL, HUGE_VAL, -HUGE_VAL, -HUGE_VAL};  // infinities

void extend(ScreenRect& box, const std::optional<ScreenPoint>& p) {
    if (!p)
        return;
    box = {std::min(box.left, p->x), std::min(box.top, p->y), std::max(box.right, p->x),
           std::max(box.bottom, p->y)};
}

ScreenRect boxOf(ScreenPoint a, ScreenPoint b) {
    return {std::min(a.x, b.x), std::min(a.y, b.y), std::max(a.x, b.x), std::max(a.y, b.y)};
}

// What a frame repaints, each rectangle widened by what a line just outside it
// touches: mostly a few small squares, with most of the trails elsewhere.
struct Reach {
    std::array<ScreenRect, 32> parts;
    int count = 0;

    explicit Reach(const QRegion& region) {
        if (region.rectCount() > int(parts.size()))
            add(region.boundingRect());
        else
            for (const QRect& r : region)
                add(r);
    }
    void add(const QRect& r) {
        constexpr double m = touched + 1.0;
        parts[count++] = {r.left() - m, r.top() - m, r.right() + m, r.bottom() + m};
    }
    bool reaches(const ScreenRect& box) const {
        return std::any_of(parts.begin(), parts.begin() + count, [&](const ScreenRect& p) {
            return !(p.right < box.left || p.left > box.right || p.bottom < box.top ||
                     p.top > box.bottom);
        });
    }
};

// Segments of one pen that join end to end go to the painter as one polyline.
struct Runs {
    QPainter& painter;
    const QPen* pen = nullptr;
    std::array<QPointF, Trails::capacity> run;  // a run stays within one ring
    int length = 0;

    explicit Runs(QPainter& painter_) : painter(painter_) {}
    void add(const QPen& next, ScreenPoint a, ScreenPoint b) {
        if (&next != pen || length == 0) {
            flush();
            pen = &next;
            run[length++] = QPointF(a.x, a.y);
        }
        run[length++] = QPointF(b.x, b.y);
    }
    void flush() {
        if (length > 1) {
            painter.setPen(*pen);
            painter.drawPolyline(run.data(), length);
        }
        length = 0;
    }
};

// A segment with a far end is cut to `cut` first: the painter's fixed-point
// arithmetic would overflow on it.
void drawCut(QPainter& painter, const QPen& pen, ScreenPoint a, ScreenPoint b,
             const ScreenRect& cut) {
    if (!clipSegment(a, b, cut))
        return;
    painter.setPen(pen);
    painter.drawLine(QPointF(a.x, a.y), QPointF(b.x, b.y));
}

}  // namespace

Trails::Trails() {
    // Each ball's colour at each strength, opaque over the black background.
    for (int ball = 0; ball < 3; ++ball) {
        const QColor full = ballColors[ball];
        for (int shade = 0; shade <= shades; ++shade) {
            const double k = double(shade) / shades;
            QPen& pen = pens[ball][shade];
            pen = QPen(QColor::fromRgbF(float(full.redF() * k), float(full.greenF() * k),
                                        float(full.blueF() * k)));
            pen.setCosmetic(true);  // one device pixel wide: sharp on every screen
        }
    }
}

std::optional<ScreenPoint> Trails::project(const Point& p) const {
    return screenPoint(p.position, area.width(), area.height(), camera);
}

// Hands over the pixels of the area that a line within `box` touches. Bounded
// to the area while still in floating point: a point just in front of the eye
// projects far beyond any integer.
void Trails::repaintBox(const ScreenRect& box, const Repaint& repaint) const {
    const QRectF pixels(
        QPointF(std::max(box.left - touched, 0.0), std::max(box.top - touched, 0.0)),
        QPointF(std::min(box.right + touched, double(area.width())),
                std::min(box.bottom + touched, double(area.height()))));
    if (pixels.width() > 0.0 && pixels.height() > 0.0)
        repaint(pixels.toAlignedRect());
}

// A segment's strength is that of its newer end.
int Trails::shadeAt(double time) const {
    return std::min(shades, int(std::ceil(shades * (1.0 - (fadedAt - time) / fadeTime))));
}

void Trails::push(Ring& ring, const Point& p) const {
    // The ring does not fill: points come at most 60 times a second and go
    // once older than the fade time, 9 s of wall time. Were it full, the
    // newest would take the oldest's place.
    if (ring.count == capacity)
        ring.dropOldest();
    const int slot = ring.slot(ring.count);
    ScreenRect& box = ring.box[slot / chunk];
    if (slot % chunk == 0) {
        box = nothing;
        if (ring.count)
            extend(box, project(ring.at(ring.count - 1)));
    }
    extend(box, project(p));
    ring.point[slot] = p;
    ++ring.count;
}

void Trails::resize(QSize area_) {
    area = area_;
    reproject();
}

void Trails::setCamera(const Camera& camera_) {
    camera = camera_;
    reproject();
}

void Trails::reproject() {
    for (Ring& ring : rings) {
        const Ring old = ring;  // the boxes, projected anew
        ring = {};
        for (int k = 0; k < old.count; ++k)
            push(ring, old.at(k));
    }
}

void Trails::repaintAll(const Repaint& repaint) const {
    for (const Ring& ring : rings)
        for (int k = 0; k < ring.count; k = ring.runEnd(k))
            repaintBox(ring.boxAt(k), repaint);
}

void Trails::add(const std::array<Ball, 3>& balls, double time, const Repaint& repaint) {
    for (int i = 0; i < 3; ++i) {
        Ring& ring = rings[i];
        const Point next{balls[i].position, time};
        const auto point = project(next);
        std::optional<ScreenPoint> last;
        if (ring.count)
            last = project(ring.at(ring.count - 1));
        if (!point && ring.count && !last)
            continue;  // the line is broken already
        if (point && last && std::hypot(point->x - last->x, point->y - last->y) < spacing)
            continue;
        push(ring, next);
        if (point && last)
            repaintBox(boxOf(*last, *point), repaint);
    }
    if (time < fadedAt || time - fadedAt >= fadeTime / fadeSteps) {
        repaintAll(repaint);  // every segment fades, and the oldest go
        fadedAt = time;
        for (Ring& ring : rings)
            while (ring.count > 1 && ring.at(1).time < time - fadeTime)
                ring.dropOldest();
    }
}

void Trails::clear(const Repaint& repaint) {
    repaintAll(repaint);
    for (Ring& ring : rings)
        ring.first = ring.count = 0;
}

void Trails::paint(QPainter& painter, const QRegion& region) const {
    const Reach reach(region);
    const ScreenRect cut{-clipMargin, -clipMargin, area.width() + clipMargin,
                         area.height() + clipMargin};
    painter.setRenderHint(QPainter::Antialiasing);
    Runs runs(painter);
    for (int i = 0; i < 3; ++i) {
        const Ring& ring = rings[i];
        for (int k = 0; k < ring.count;) {
            const int end = ring.runEnd(k);
            if (!reach.reaches(ring.boxAt(k))) {
                runs.flush();
                k = end;
                continue;
            }
            auto previous = k > 0 ? project(ring.at(k - 1)) : std::nullopt;
            for (; k < end; ++k) {
                const auto point = project(ring.at(k));
                const int shade = shadeAt(ring.at(k).time);
                if (!previous || !point || shade <= 0 || !reach.reaches(boxOf(*previous, *point))) {
                    runs.flush();
                } else if (contains(cut, *previous) && contains(cut, *point)) {
                    runs.add(pens[i][shade], *previous, *point);
                } else {
                    runs.flush();
                    drawCut(painter, pens[i][shade], *previous, *point, cut);
                }
                previous = point;
            }
        }
    }
    runs.flush();  // a ring's first point flushes the last ring's run
}

}  // namespace pellomarin
