#include "ball_drawing.h"

#include "ball_colors.h"
#include "projection.h"

namespace pellomarin {

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
        if (disc.r > largestEllipseRadius)
            hugeCircleSpans(disc.centre, disc.r, area,
                            [&](const QRectF& span) { painter.fillRect(span, painter.brush()); });
        else
            painter.drawEllipse(disc.centre, disc.r, disc.r);
    }
}

}  // namespace pellomarin
