#include "simulation_view.h"

#include <QFocusEvent>
#include <QNativeGestureEvent>
#include <QPaintEvent>
#include <QPainter>
#include <cmath>

namespace pellomarin {

namespace {

constexpr double zoomPerNotch = 1.25;    // a mouse wheel's notch, as Zoom In
constexpr double degreesPerPixel = 0.4;  // of a drag with the right button

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
    if (keepAll && model_) {
        shown = model_->snapshot();
        follow(false);  // a new picture: at once
    }
    update();
}

void SimulationView::setTrailsShown(bool on) {
    if (on == trailsShown())
        return;
    trails = on ? std::make_unique<Trails>() : nullptr;
    if (trails) {
        trails->resize(size());
        trails->setCamera(seenWith);
    }
    update();
}

void SimulationView::clearTrails() {
    if (trails)
        trails->clear([this](const QRect& r) { update(r); });
}

void SimulationView::resizeEvent(QResizeEvent*) {
    if (trails)
        trails->resize(size());  // the points are projected anew
    cameraChanged();
}

void SimulationView::setCamera(const Camera& camera) {
    userCamera = Camera(std::clamp(camera.zoom(), Camera::smallestZoom, Camera::largestZoom),
                        camera.turn(), camera.tilt());
    cameraChanged();
}

void SimulationView::zoomBy(double factor) {
    if (factor > 0.0)
        setCamera(userCamera.zoomedTo(userCamera.zoom() * factor));
}

void SimulationView::turnBy(double turn, double tilt) {
    setCamera({userCamera.zoom(), userCamera.turn() + turn, userCamera.tilt() + tilt});
}

void SimulationView::setKeepAllInView(bool on) {
    if (on == keepAll.has_value())
        return;
    keepAll.reset();
    if (on)
        keepAll.emplace();
    cameraChanged();
    update();  // the smallest disc may have changed
}

void SimulationView::cameraChanged() {
    if (!keepAll || !model_) {
        showWith(userCamera);
        return;
    }
    if (!shown)
        shown = model_->snapshot();
    follow(model_->isRunning());  // the frames glide; a still picture moves at once
}

bool SimulationView::follow(bool glide, bool repaintAll) {
    return showWith(keepAll->follow(*shown, userCamera, width() * 0.5, height() * 0.5, glide),
                    repaintAll);
}

bool SimulationView::showWith(const Camera& camera, bool repaintAll) {
    if (camera == seenWith)
        return false;
    seenWith = camera;
    if (trails)
        trails->setCamera(camera);
    if (repaintAll)
        update();
    return true;
}

double SimulationView::smallestDiameter() const {
    return seenWith.isFixedView() && !keepAll ? 0.0 : smallestDisc / devicePixelRatioF();
}

bool SimulationView::event(QEvent* event) {
    if (event->type() == QEvent::NativeGesture) {
        const auto* gesture = static_cast<QNativeGestureEvent*>(event);
        if (gesture->gestureType() == Qt::ZoomNativeGesture) {
            zoomBy(1.0 + gesture->value());  // a touchpad's pinch
            return true;
        }
    }
    return QWidget::event(event);
}

void SimulationView::wheelEvent(QWheelEvent* event) {
    // A touchpad's scroll comes in shares of a notch.
    zoomBy(std::pow(zoomPerNotch, event->angleDelta().y() / 120.0));
    event->accept();
}

void SimulationView::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::RightButton)
        draggedFrom = event->position();
    QWidget::mousePressEvent(event);
}

void SimulationView::mouseMoveEvent(QMouseEvent* event) {
    if (!(event->buttons() & Qt::RightButton))
        return QWidget::mouseMoveEvent(event);
    const QPointF by = event->position() - draggedFrom;
    draggedFrom = event->position();
    // The drawing follows the pointer: a drag to the right takes the eye to
    // the left, a drag down takes it up.
    turnBy(-by.x() * degreesPerPixel, by.y() * degreesPerPixel);
}

double SimulationView::simulatedTime() const {
    return double(model_->stepsTaken()) * model_->stepParameters().timeStep;
}

// Painted at once: told at most once per display frame, a posted update
// would only wake the event loop a second time.
void SimulationView::showLatest() {
    if (!model_)
        return;
    shown = model_->snapshot();
    // Without trails a moving camera changes no more than where the balls
    // were and are: those squares are repainted as in any other frame.
    const bool repaintedAll = keepAll && follow(true, trails != nullptr) && trails;
    QRegion changed;
    if (trails)
        trails->add(*shown, simulatedTime(), [&changed](const QRect& r) { changed += r; });
    if (repaintedAll)
        return;
    const Discs next = discsOf(*shown, size(), seenWith, smallestDiameter());
    for (const Discs* discs : {static_cast<const Discs*>(&drawn), &next}) {
        for (const Disc& disc : *discs) {
            if (disc.r > width() + height())
                return update();  // it covers the area
            changed += touched(disc.centre, disc.r);
        }
    }
    repaint(changed);
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
        drawn = discsOf(*shown, size(), seenWith, smallestDiameter());
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
    for (const QRect& band :
         QRegion(rect()) - rect().adjusted(thickness, thickness, -thickness, -thickness))
        painter.fillRect(band, palette().color(QPalette::Highlight));
}

}  // namespace pellomarin
