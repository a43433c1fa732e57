#pragma once

#include <QWidget>
#include <array>
#include <memory>
#include <optional>

#include "ball_drawing.h"
#include "model.h"
#include "trails.h"

namespace pellomarin {

// The black drawing area: the three balls in perspective, repainted after
// every version the model publishes (at most once per display frame, however
// short the calculation period), and only where a ball was or now is; with
// trails shown, the lines of where the balls have been under them. It takes
// keyboard focus, framed when Tab brought it. Main thread.
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

protected:
    void paintEvent(QPaintEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    // Takes the model's balls for the next paint and asks for the area where
    // balls were or will be.
    void showLatest();
    // Steps taken times the time step: where the trails' fade is measured from.
    double simulatedTime() const;
    // A frame in the highlight colour along the edges.
    void paintFocusFrame(QPainter& painter) const;

    std::shared_ptr<Model> model_;
    std::optional<std::array<Ball, 3>> shown;  // what the next paint draws
    Discs drawn;                               // what the last paint drew
    std::unique_ptr<Trails> trails;            // while shown
    // Focus came by Tab: only then is the focus frame shown.
    bool focusFromKeyboard = false;
};

}  // namespace pellomarin
