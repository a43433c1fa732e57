#include "simulation_view.h"

#include <QFocusEvent>
#include <QPainter>
#include <cmath>

#include "ball_colors.h"
#include "projection.h"

namespace pellomarin {

namespace {

// Beyond this radius the painter's fixed-point rasteriser overflows, so a
// huge circle is filled as one horizontal span per pixel row instead.
constexpr double largestEllipseRadius = 16384.0;

// The pixels a disc touches, antialiased edge included.
QRect touched(QPointF centre, double r) {
    return QRectF(centre.x() - r, centre.y() - r, 2 * r, 2 * r)
        .toAlignedRect()
        .adjusted(-1, -1, 1, 1);
}

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
    setFocusPolicy(Qt::StrongFocus);
    setAccessibleName(tr("Simulation"));
    setAccessibleDescription(
        tr("The red, green and yellow balls in perspective, moving under their mutual "
           "gravitation"));
}

void SimulationView::setModel(std::shared_ptr<Model> model) {
    model_ = std::move(model);
    versions =
        model_ ? model_->observeVersion([this] { showLatest(); }) : Observers::Subscription();
    shown.reset();
    update();
}

SimulationView::Discs SimulationView::discsOf(const std::array<Ball, 3>& balls) const {
    const double cx = width() * 0.5;
    const double cy = height() * 0.5;
    Discs discs;
    for (int i : drawList(balls)) {
        const Ball& ball = balls[i];
        const double d = apparentDiameter(ball);
        const ScreenOffset offset = projectedOffset(ball.position);
        if (isOnScreen(d, offset, cx, cy))
            discs.disc[discs.count++] = {{cx + offset.x, cy + offset.y}, d * 0.5, ball.id};
    }
    return discs;
}

void SimulationView::showLatest() {
    if (!model_)
        return;
    shown = model_->snapshot();
    const Discs next = discsOf(*shown);
    for (const Discs* discs : {static_cast<const Discs*>(&drawn), &next}) {
        for (int k = 0; k < discs->count; ++k) {
            const Disc& disc = discs->disc[k];
            if (disc.r > width() + height()) {
                update();  // it covers the area
                return;
            }
            update(touched(disc.centre, disc.r));
        }
    }
}

void SimulationView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QRectF area = rect();
    painter.fillRect(area, Qt::black);  // clipped to what needs painting
    drawn = {};
    if (!model_)
        return;
    if (!shown)
        shown = model_->snapshot();

    drawn = discsOf(*shown);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    for (int k = 0; k < drawn.count; ++k) {
        const Disc& disc = drawn.disc[k];
        painter.setBrush(ballColors[disc.id]);
        if (disc.r > largestEllipseRadius)
            fillHugeCircle(painter, disc.centre, disc.r, area);
        else
            painter.drawEllipse(disc.centre, disc.r, disc.r);
    }
    if (focusFromKeyboard && hasFocus())
        paintFocusFrame(painter);
}

void SimulationView::focusInEvent(QFocusEvent* event) {
    // As a browser shows focus: after Tab, not after a click or at launch, so
    // that the picture stays as it is for mouse users. A window that comes
    // back to the front keeps what it showed.
    if (event->reason() != Qt::ActiveWindowFocusReason)
        focusFromKeyboard =
            event->reason() == Qt::TabFocusReason || event->reason() == Qt::BacktabFocusReason;
    QWidget::focusInEvent(event);  // repaints
}

void SimulationView::paintFocusFrame(QPainter& painter) const {
    constexpr int thickness = 2;
    const QColor colour = palette().color(QPalette::Highlight);
    painter.fillRect(QRect(0, 0, width(), thickness), colour);
    painter.fillRect(QRect(0, height() - thickness, width(), thickness), colour);
    painter.fillRect(QRect(0, 0, thickness, height()), colour);
    painter.fillRect(QRect(width() - thickness, 0, thickness, height()), colour);
}

}  // namespace pellomarin
