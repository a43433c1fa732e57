#include "simulation_view.h"

#include <QPainter>
#include <cmath>

#include "ball_colors.h"
#include "projection.h"

namespace pellomarin {

namespace {

// Beyond this radius the painter's fixed-point rasteriser overflows, so a
// huge circle is filled as one horizontal span per pixel row instead.
constexpr double largestEllipseRadius = 16384.0;

// At most one paint per frame of a 60 Hz display: at a 1 ms period the model
// publishes a thousand versions a second.
constexpr int frameInterval = 16;

void fillHugeCircle(QPainter& painter, QPointF centre, double r, const QRectF& area) {
    for (double top = area.top(); top < area.bottom(); top += 1.0) {
        const double dy = top + 0.5 - centre.y();
        if (std::abs(dy) >= r)
            continue;
        const double half = std::sqrt(r * r - dy * dy);
        const double left = std::max(centre.x() - half, area.left());
        const double right = std::min(centre.x() + half, area.right());
        if (left < right)
            painter.fillRect(QRectF(left, top, right - left, 1.0), painter.brush());
    }
}

}  // namespace

SimulationView::SimulationView(QWidget* parent) : QWidget(parent) {
    setMinimumSize(400, 400);
    setAttribute(Qt::WA_OpaquePaintEvent);  // every pixel is painted
    setFocusPolicy(Qt::NoFocus);
    setAccessibleName(tr("Simulation"));
    setAccessibleDescription(
        tr("The red, green and yellow balls in perspective, moving under their mutual "
           "gravitation"));
    nextFrame.setSingleShot(true);
    nextFrame.setTimerType(Qt::PreciseTimer);
    connect(&nextFrame, &QTimer::timeout, this, qOverload<>(&QWidget::update));
}

void SimulationView::versionChanged() {
    if (nextFrame.isActive()) return;  // that frame will show this version too
    const qint64 since = sinceLastPaint.isValid() ? sinceLastPaint.elapsed() : frameInterval;
    if (since >= frameInterval)
        update();
    else
        nextFrame.start(int(frameInterval - since));
}

void SimulationView::setModel(std::shared_ptr<Model> model) {
    model_ = std::move(model);
    versions = model_ ? model_->observeVersion([this] { versionChanged(); })
                      : Observers::Subscription();
    update();
}

void SimulationView::paintEvent(QPaintEvent*) {
    sinceLastPaint.start();
    QPainter painter(this);
    const QRectF area = rect();
    painter.fillRect(area, Qt::black);
    if (!model_)
        return;

    const auto balls = model_->snapshot();
    const double cx = area.width() * 0.5;
    const double cy = area.height() * 0.5;
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    for (int i : drawList(balls)) {
        const Ball& ball = balls[i];
        const double d = apparentDiameter(ball);
        const ScreenOffset offset = projectedOffset(ball.position);
        if (!isOnScreen(d, offset, cx, cy))
            continue;
        painter.setBrush(ballColors[ball.id]);
        const QPointF centre(cx + offset.x, cy + offset.y);
        const double r = d * 0.5;
        if (r > largestEllipseRadius)
            fillHugeCircle(painter, centre, r, area);
        else
            painter.drawEllipse(centre, r, r);
    }
}

}  // namespace pellomarin
