#include "trails.h"

#include <QPainter>
#include <QRegion>
#include <cmath>
#include <limits>

#include "ball_colors.h"

namespace pellomarin {

namespace {

constexpr int fadeSteps = 16;       // times per fade time the trails are repainted
constexpr double spacing = 1.0;     // at least this far apart on screen, kept points
constexpr double touched = 2.0;     // beyond a segment's box, antialiasing included
constexpr double clipMargin = 4.0;  // segments are cut to the area and this much more

constexpr double infinity = std::numeric_limits<double>::infinity();
constexpr ScreenRect nothing{infinity, infinity, -infinity, -infinity};

void extend(ScreenRect& box, const std::optional<ScreenPoint>& p) {
    if (!p)
        return;
    box = {std::min(box.left, p->x), std::min(box.top, p->y), std::max(box.right, p->x),
           std::max(box.bottom, p->y)};
}

bool overlap(const ScreenRect& a, const ScreenRect& b) {
    return !(a.right < b.left || a.left > b.right || a.bottom < b.top || a.top > b.bottom);
}

QRect pixelsOf(const ScreenRect& box) {
    if (box.left > box.right)
        return {};
    return QRectF(QPointF(box.left - touched, box.top - touched),
                  QPointF(box.right + touched, box.bottom + touched))
        .toAlignedRect();
}

QRect pixelsOf(ScreenPoint a, ScreenPoint b) {
    ScreenRect box = nothing;
    extend(box, a);
    extend(box, b);
    return pixelsOf(box);
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
    for (Ring& ring : rings)
        ring.box.fill(nothing);
}

std::optional<ScreenPoint> Trails::project(const Point& p) const {
    return screenPoint(p.position, area.width(), area.height());
}

// A segment's strength is that of its newer end.
int Trails::shadeAt(double time) const {
    return std::min(shades, int(std::ceil(shades * (1.0 - (fadedAt - time) / fadeTime))));
}

void Trails::push(Ring& ring, const Point& p) const {
    if (ring.count == capacity) {
        ring.first = (ring.first + 1) % capacity;  // the oldest goes
        --ring.count;
    }
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
    for (Ring& ring : rings) {
        const Ring old = ring;  // the boxes, projected anew
        ring = {};
        ring.box.fill(nothing);
        for (int k = 0; k < old.count; ++k)
            push(ring, old.at(k));
    }
}

void Trails::repaintAll(const Repaint& repaint) const {
    for (const Ring& ring : rings)
        for (const ScreenRect& box : ring.box)
            if (box.left <= box.right)
                repaint(pixelsOf(box));
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
        if (ring.count == capacity) {
            const auto oldest = project(ring.at(0)), second = project(ring.at(1));
            if (oldest && second)
                repaint(pixelsOf(*oldest, *second));
        }
        push(ring, next);
        if (point && last)
            repaint(pixelsOf(*last, *point));
    }
    if (time < fadedAt || time - fadedAt >= fadeTime / fadeSteps) {
        repaintAll(repaint);  // every segment fades, and the oldest go
        fadedAt = time;
        for (Ring& ring : rings) {
            while (ring.count > 1 && ring.at(1).time < time - fadeTime) {
                ring.first = (ring.first + 1) % capacity;
                --ring.count;
            }
        }
    }
}

void Trails::clear(const Repaint& repaint) {
    repaintAll(repaint);
    for (Ring& ring : rings) {
        ring.first = ring.count = 0;
        ring.box.fill(nothing);
    }
}

void Trails::paint(QPainter& painter, const QRegion& region) const {
    // Only segments near the region are drawn: a frame's region is a few
    // small squares, and most of the trails lie elsewhere.
    constexpr int mostParts = 32;
    std::array<ScreenRect, mostParts> parts;
    int partCount = 0;
    const auto reachOf = [](const QRect& r) {
        constexpr double m = touched + 1.0;
        return ScreenRect{r.left() - m, r.top() - m, r.right() + m, r.bottom() + m};
    };
    if (region.rectCount() > mostParts)
        parts[partCount++] = reachOf(region.boundingRect());
    else
        for (const QRect& r : region)
            parts[partCount++] = reachOf(r);
    const auto reaches = [&](const ScreenRect& box) {
        for (int p = 0; p < partCount; ++p)
            if (overlap(parts[p], box))
                return true;
        return false;
    };
    const ScreenRect cut{-clipMargin, -clipMargin, area.width() + clipMargin,
                         area.height() + clipMargin};

    painter.setRenderHint(QPainter::Antialiasing);
    // Runs of segments of one shade go to the painter as one polyline.
    std::array<QPointF, capacity> run;
    int length = 0;
    int runShade = 0;
    int i = 0;
    const auto flush = [&] {
        if (length > 1) {
            painter.setPen(pens[i][runShade]);
            painter.drawPolyline(run.data(), length);
        }
        length = 0;
    };
    for (i = 0; i < 3; ++i) {
        const Ring& ring = rings[i];
        std::optional<ScreenPoint> previous;
        for (int k = 0; k < ring.count;) {
            const int slot = ring.slot(k);
            const int end = std::min(ring.count, k + chunk - slot % chunk);
            if (!reaches(ring.box[slot / chunk])) {
                flush();
                previous.reset();
                k = end;
                continue;
            }
            if (!previous && k > 0)
                previous = project(ring.at(k - 1));
            for (; k < end; ++k) {
                const auto point = project(ring.at(k));
                const int shade = shadeAt(ring.at(k).time);
                ScreenRect box = nothing;
                extend(box, previous);
                extend(box, point);
                if (!previous || !point || shade <= 0 || !reaches(box)) {
                    flush();
                } else if (!contains(cut, *previous) || !contains(cut, *point)) {
                    flush();  // far ends: cut first, for the painter's fixed-point arithmetic
                    ScreenPoint a = *previous, b = *point;
                    if (clipSegment(a, b, cut)) {
                        painter.setPen(pens[i][shade]);
                        painter.drawLine(QPointF(a.x, a.y), QPointF(b.x, b.y));
                    }
                } else {
                    if (shade != runShade || length == 0) {
                        flush();
                        runShade = shade;
                        run[length++] = QPointF(previous->x, previous->y);
                    }
                    run[length++] = QPointF(point->x, point->y);
                }
                previous = point;
            }
        }
        flush();
    }
}

}  // namespace pellomarin
