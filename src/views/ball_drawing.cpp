#include "ball_drawing.h"

#include "ball_colors.h"
#include "projection.h"

namespace pellomarin {

namespace {

// Up to this radius in device pixels a disc is drawn from its pixels'
// coverage (how far each centre lies inside the rim, to within a pixel): the
// painter's antialiased ellipse rasterises a path, three times the work.
constexpr double largestSmallDisc = 32.0;

void paintSmallDisc(QPainter& painter, QPointF centre, double r, QRgb colour) {
    const double ratio = painter.device()->devicePixelRatio(), rim = r * ratio + 0.5;
    const QPointF c = centre * ratio;
    const QRect box = QRectF(c.x() - rim, c.y() - rim, 2 * rim, 2 * rim).toAlignedRect();
    QImage sprite(box.size(), QImage::Format_ARGB32_Premultiplied);
    for (int y = 0; y < box.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(sprite.scanLine(y));
        const double dy = box.y() + y + 0.5 - c.y();
        for (int x = 0; x < box.width(); ++x) {
            const double dx = box.x() + x + 0.5 - c.x();
            const double cover = std::clamp(rim - std::sqrt(dx * dx + dy * dy), 0.0, 1.0);
            line[x] = qPremultiply((colour & RGB_MASK) | unsigned(cover * 255.0 + 0.5) << 24);
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
            paintSmallDisc(painter, disc.centre, disc.r, ballColors[disc.id].rgb());
        else if (disc.r > largestEllipseRadius)
            hugeCircleSpans(disc.centre, disc.r, area,
                            [&](const QRectF& span) { painter.fillRect(span, painter.brush()); });
        else
            painter.drawEllipse(disc.centre, disc.r, disc.r);
    }
}

}  // namespace pellomarin
