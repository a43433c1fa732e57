#include "simulation_view.h"

#include <QPaintEvent>
#include <QPainter>

namespace pellomarin {

namespace {

// At most one paint per frame of a 60 Hz display: at a 1 ms period the model
// publishes a thousand versions a second.
constexpr int frameInterval = 16;

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
    setFocusPolicy(Qt::NoFocus);
    setAccessibleName(tr("Simulation"));
    setAccessibleDescription(
        tr("The red, green and yellow balls in perspective, moving under their mutual "
           "gravitation"));
    nextFrame.setSingleShot(true);
    nextFrame.setTimerType(Qt::PreciseTimer);
    connect(&nextFrame, &QTimer::timeout, this, &SimulationView::showLatest);
}

void SimulationView::versionChanged() {
    if (nextFrame.isActive())
        return;  // that frame will show this version too
    const qint64 since = sinceLastPaint.isValid() ? sinceLastPaint.elapsed() : frameInterval;
    if (since >= frameInterval)
        showLatest();
    else
        nextFrame.start(int(frameInterval - since));
}

void SimulationView::setModel(std::shared_ptr<Model> model) {
    model_ = std::move(model);
    versions =
        model_ ? model_->observeVersion([this] { versionChanged(); }) : Observers::Subscription();
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
    sinceLastPaint.start();
    QPainter painter(this);
    const QRectF area = rect();
    painter.fillRect(area, Qt::black);  // clipped to what needs painting
    if (trails)
        trails->paint(painter, event->region());  // under the balls
    drawn = {};
    if (!model_)
        return;
    if (!shown)
        shown = model_->snapshot();

    drawn = discsOf(*shown, size());
    paintDiscs(painter, drawn, area);
}

}  // namespace pellomarin
