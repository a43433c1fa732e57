#include "simulation_view.h"

#include <QFocusEvent>
#include <QPaintEvent>
#include <QPainter>

namespace pellomarin {

namespace {

// The pixels a disc touches, antialiased edge included.
QRect touched(QPointF centre, double r) {
    return QRectF(centre.x() - r, centre.y() - r, 2 * r, 2 * r)
        .toAlignedRect()
        .adjusted(-1, -1, 1, 1);
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

// A replaced model may live on (a pending delayed start holds it): it must
// not call back into this view.
SimulationView::~SimulationView() {
    if (model_)
        model_->observeVersion({});
}

void SimulationView::setModel(std::shared_ptr<Model> model) {
    if (model_)
        model_->observeVersion({});
    model_ = std::move(model);
    if (model_)
        model_->observeVersion([this] { showLatest(); });
    shown.reset();
    clearTrails();
    update();
}

void SimulationView::setTrailsShown(bool on) {
    if (on == trailsShown())
        return;
    trails = on ? std::make_unique<Trails>() : nullptr;
    if (trails)
        trails->resize(size());
    update();
}

void SimulationView::clearTrails() {
    if (trails)
        trails->clear([this](const QRect& r) { update(r); });
}

void SimulationView::resizeEvent(QResizeEvent*) {
    if (trails)
        trails->resize(size());  // the points are projected anew
}

double SimulationView::simulatedTime() const {
    return double(model_->stepsTaken()) * model_->stepParameters().timeStep;
}

void SimulationView::showLatest() {
    if (!model_)
        return;
    shown = model_->snapshot();
    if (trails)
        trails->add(*shown, simulatedTime(), [this](const QRect& r) { update(r); });
    const Discs next = discsOf(*shown, size());
    for (const Discs* discs : {static_cast<const Discs*>(&drawn), &next}) {
        for (const Disc& disc : *discs) {
            if (disc.r > width() + height()) {
                update();  // it covers the area
                return;
            }
            update(touched(disc.centre, disc.r));
        }
    }
}

void SimulationView::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    const QRectF area = rect();
    painter.fillRect(area, Qt::black);  // clipped to what needs painting
    if (trails)
        trails->paint(painter, event->region());  // under the balls
    drawn = {};
    if (model_) {
        if (!shown)
            shown = model_->snapshot();
        drawn = discsOf(*shown, size());
        paintDiscs(painter, drawn, area);
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
