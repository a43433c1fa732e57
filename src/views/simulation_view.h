#pragma once

#include <QWidget>
#include <array>
#include <memory>
#include <optional>

#include "ball_drawing.h"
#include "keep_in_view.h"
#include "model.h"
#include "trails.h"

namespace pellomarin {

// The black drawing area: the three balls in perspective, repainted after
// every version the model publishes (at most once per display frame, however
// short the calculation period), and only where a ball was or now is; with
// trails shown, the lines of where the balls have been under them. It takes
// keyboard focus, framed when Tab brought it. The user's camera zooms with
// the wheel or a pinch and turns and tilts with a drag of the right button;
// with Keep All in View on it moves back as far as the balls need. Main thread.
class SimulationView : public QWidget {
    Q_OBJECT

public:
    explicit SimulationView(QWidget* parent = nullptr);
    ~SimulationView() override;

    void setModel(std::shared_ptr<Model> model);
    const std::shared_ptr<Model>& model() const { return model_; }

    QSize sizeHint() const override { return {600, 600}; }

    // Off by default; turning them on starts them afresh.
    void setTrailsShown(bool shown);
    bool trailsShown() const { return trails != nullptr; }
    // Forgets where the balls have been (Restart; a new model does it itself).
    void clearTrails();

    // The user's camera; its zoom is kept within the user's range.
    void setCamera(const Camera& camera);
    const Camera& camera() const { return userCamera; }
    // What the drawing is seen with: the user's camera, or where Keep All in View took it.
    const Camera& shownCamera() const { return seenWith; }
    void zoomBy(double factor);
    void turnBy(double turn, double tilt);  // degrees
    // Off by default.
    void setKeepAllInView(bool on);

protected:
    void paintEvent(QPaintEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    bool event(QEvent* event) override;  // a pinch
    void wheelEvent(QWheelEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    // Takes the model's balls for the next paint and asks for the area where
    // balls were or will be.
    void showLatest();
    // Steps taken times the time step: where the trails' fade is measured from.
    double simulatedTime() const;
    // A frame in the highlight colour along the edges.
    void paintFocusFrame(QPainter& painter) const;
    // Shows the user's camera, or where Keep All in View takes it.
    void cameraChanged();
    // Keep All in View's camera for the balls shown, gliding there or at
    // once; whether the camera moved.
    bool follow(bool glide, bool repaintAll = true);
    // Shows the drawing with `camera`; if that moved it, all of it is
    // repainted unless the caller repaints what changed.
    bool showWith(const Camera& camera, bool repaintAll = true);
    // Across, the least a ball is drawn: nothing in the fixed view.
    double smallestDiameter() const;

    std::shared_ptr<Model> model_;
    std::optional<std::array<Ball, 3>> shown;  // what the next paint draws
    Discs drawn;                               // what the last paint drew
    std::unique_ptr<Trails> trails;            // while shown
    Camera userCamera;
    Camera seenWith;
    std::optional<KeepInView> keepAll;  // while on
    QPointF draggedFrom;                // the right button's last place
    // Focus came by Tab: only then is the focus frame shown.
    bool focusFromKeyboard = false;
};

}  // namespace pellomarin
