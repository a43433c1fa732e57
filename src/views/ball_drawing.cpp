#include "ball_drawing.h"

#include "ball_colors.h"
#include "projection.h"

namespace pellomarin {

namespace {

// Up to this radius in device pixels a disc is drawn from each pixel's
// coverage: the painter's antialiased ellipse builds and rasterises a path,
// which for discs of a few pixels was a third of the window's drawing work.
constexpr double largestSmallDisc = 32.0;

// Each pixel covered as far as its centre lies inside the rim, to within a
// pixel: the antialiasing of a filled circle.
void paintSmallDisc(QPainter& painter, QPointF centre, double r, QColor colour) {
    const double ratio = painter.device()->devicePixelRatio();
    const QPointF c = centre * ratio;
    const double rim = r * ratio + 0.5;
    const QRect box = QRectF(c.x() - rim, c.y() - rim, 2 * rim, 2 * rim).toAlignedRect();
    QImage sprite(box.size(), QImage::Format_ARGB32_Premultiplied);
    const QRgb opaque = colour.rgb();
    const double inside = std::max(0.0, rim - 1.0) * std::max(0.0, rim - 1.0);
    for (int y = 0; y < box.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(sprite.scanLine(y));
        const double dy = box.y() + y + 0.5 - c.y();
        for (int x = 0; x < box.width(); ++x) {
            const double dx = box.x() + x + 0.5 - c.x();
            const double squared = dx * dx + dy * dy;
            if (squared <= inside) {
                line[x] = opaque;
                continue;
            }
            const double cover = std::clamp(rim - std::sqrt(squared), 0.0, 1.0);
            line[x] = qPremultiply(
                qRgba(qRed(opaque), qGreen(opaque), qBlue(opaque), int(cover * 255.0 + 0.5)));
        }
    }
    sprite.setDevicePixelRatio(ratio);
    painter.drawImage(QPointF(box.topLeft()) / ratio, sprite);
}

}  // namespace

Discs discsOf(const std::array<Ball, 3>& balls, QSizeF area, const Camera& camera,
              double smallest) {
    const double cx = area.width() * 0.5;
    const double cy = area.height() * 0.5;
    Discs discs;
    for (int i : camera.drawList(balls)) {
        const Ball& ball = balls[i];
        const double d = std::max(camera.apparentDiameter(ball), smallest);  // NaN stays
        const ScreenOffset offset = camera.offset(ball.position);
        if (isOnScreen(d, offset, cx, cy))
            discs.disc[discs.count++] = {{cx + offset.x, cy + offset.y}, d * 0.5, ball.id};
    }
    return discs;
}

void paintDiscs(QPainter& painter, const Discs& discs, const QRectF& area) {
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    for (const Disc& disc : discs) {
        painter.setBrush(ballColors[disc.id]);
        if (disc.r * painter.device()->devicePixelRatio() <= largestSmallDisc)
            paintSmallDisc(painter, disc.centre, disc.r, ballColors[disc.id]);
        else if (disc.r > largestEllipseRadius)
            hugeCircleSpans(disc.centre, disc.r, area,
                            [&](const QRectF& span) { painter.fillRect(span, painter.brush()); });
        else
            painter.drawEllipse(disc.centre, disc.r, disc.r);
    }
}

}  // namespace pellomarin
