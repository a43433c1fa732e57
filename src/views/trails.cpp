#include "trails.h"

#include <QPainter>
#include <QtMath>
#include <cmath>

#include "ball_colors.h"

namespace pellomarin {

namespace {

constexpr int fadeRedraws = 16;     // full redraws per fade time
constexpr double spacing = 1.0;     // at least this far apart on screen, kept points
constexpr int touchedMargin = 2;    // beyond a segment's box, antialiasing included
constexpr double clipMargin = 4.0;  // segments are cut to the area and this much more

QRect touched(ScreenPoint a, ScreenPoint b) {
    return QRectF(QPointF(a.x, a.y), QPointF(b.x, b.y))
        .normalized()
        .toAlignedRect()
        .adjusted(-touchedMargin, -touchedMargin, touchedMargin, touchedMargin);
}

}  // namespace

Trails::Trails() {
    // Each ball's colour at each strength, opaque over the layer's black.
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

void Trails::Ring::push(const Point& p) {
    if (count == capacity)
        first = (first + 1) % capacity;  // the oldest goes
    else
        ++count;
    point[(first + count - 1) % capacity] = p;
}

ScreenRect Trails::bounds() const {
    return {-clipMargin, -clipMargin, area.width() + clipMargin, area.height() + clipMargin};
}

bool Trails::fits(QSize area_, qreal devicePixelRatio) const {
    return area_ == area && layer.devicePixelRatio() == devicePixelRatio;
}

void Trails::resize(QSize area_, qreal devicePixelRatio) {
    area = area_;
    layer = QImage(qCeil(area.width() * devicePixelRatio), qCeil(area.height() * devicePixelRatio),
                   QImage::Format_RGB32);
    layer.setDevicePixelRatio(devicePixelRatio);
    layer.fill(Qt::black);
    drawnOn = {};
    redraw(latest);
}

QRect Trails::clear() {
    for (Ring& ring : rings)
        ring = {};
    return redraw(latest);
}

QRect Trails::drawSegment(QPainter& painter, ScreenPoint a, ScreenPoint b) const {
    if (!clipSegment(a, b, bounds()))
        return {};
    painter.drawLine(QPointF(a.x, a.y), QPointF(b.x, b.y));
    return touched(a, b);
}

QRect Trails::add(const std::array<Ball, 3>& balls, double time) {
    latest = time;
    std::array<std::optional<std::pair<ScreenPoint, ScreenPoint>>, 3> added;
    for (int i = 0; i < 3; ++i) {
        Ring& ring = rings[i];
        const auto point = screenPoint(balls[i].position, area.width(), area.height());
        std::optional<ScreenPoint> last;
        if (ring.count)
            last = screenPoint(ring.at(ring.count - 1).position, area.width(), area.height());
        if (!point && ring.count && !last)
            continue;  // the line is broken already
        if (point && last && std::hypot(point->x - last->x, point->y - last->y) < spacing)
            continue;
        ring.push({balls[i].position, time});
        if (point && last)
            added[i] = {*last, *point};
    }
    if (time < redrawnAt || time - redrawnAt >= fadeTime / fadeRedraws)
        return redraw(time);
    if (layer.isNull())
        return {};  // an empty area
    QRect changed;
    QPainter painter(&layer);
    painter.setRenderHint(QPainter::Antialiasing);
    for (int i = 0; i < 3; ++i) {
        if (!added[i])
            continue;
        painter.setPen(pens[i][shades]);
        changed |= drawSegment(painter, added[i]->first, added[i]->second);
    }
    drawnOn |= changed;
    return changed;
}

QRect Trails::redraw(double now) {
    redrawnAt = now;
    if (layer.isNull())
        return {};
    QPainter painter(&layer);
    const QRect before = drawnOn;
    painter.fillRect(before, Qt::black);
    drawnOn = {};
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
        Ring& ring = rings[i];
        while (ring.count > 1 && ring.at(1).time < now - fadeTime) {
            ring.first = (ring.first + 1) % capacity;  // wholly faded
            --ring.count;
        }
        std::optional<ScreenPoint> previous;
        for (int k = 0; k < ring.count; ++k) {
            const Point& p = ring.at(k);
            const auto point = screenPoint(p.position, area.width(), area.height());
            // A segment's strength is that of its newer end.
            const int shade =
                std::min(shades, int(std::ceil(shades * (1.0 - (now - p.time) / fadeTime))));
            if (previous && point && shade > 0) {
                const ScreenPoint a = *previous, b = *point;
                if (!contains(bounds(), a) || !contains(bounds(), b)) {
                    flush();
                    painter.setPen(pens[i][shade]);
                    drawnOn |= drawSegment(painter, a, b);
                } else {
                    if (shade != runShade || length == 0) {
                        flush();
                        runShade = shade;
                        run[length++] = QPointF(a.x, a.y);
                    }
                    run[length++] = QPointF(b.x, b.y);
                    drawnOn |= touched(a, b);
                }
            } else {
                flush();
            }
            previous = point;
        }
        flush();
    }
    return before | drawnOn;
}

void Trails::paint(QPainter& painter) const {
    painter.drawImage(QPointF(0, 0), layer);
}

}  // namespace pellomarin
