#pragma once

#include <QWidget>
#include <array>
#include <memory>
#include <optional>

#include "model.h"

namespace pellomarin {

// The black drawing area: the three balls in perspective, repainted after
// every version the model publishes (at most once per display frame, however
// short the calculation period), and only where a ball was or now is. It
// takes keyboard focus, framed when Tab brought it. Main thread.
class SimulationView : public QWidget {
    Q_OBJECT

public:
    explicit SimulationView(QWidget* parent = nullptr);

    void setModel(std::shared_ptr<Model> model);
    const std::shared_ptr<Model>& model() const { return model_; }

    QSize sizeHint() const override { return {600, 600}; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;

private:
    // A ball as drawn: its circle and colour, in this widget's coordinates.
    struct Disc {
        QPointF centre;
        double r;
        std::int64_t id;
    };
    struct Discs {
        std::array<Disc, 3> disc{};
        int count = 0;
    };

    // Takes the model's balls for the next paint and asks for the area where
    // balls were or will be.
    void showLatest();
    Discs discsOf(const std::array<Ball, 3>& balls) const;
    // A frame in the highlight colour along the edges.
    void paintFocusFrame(QPainter& painter) const;

    std::shared_ptr<Model> model_;
    std::optional<std::array<Ball, 3>> shown;  // what the next paint draws
    Discs drawn;                               // what the last paint drew
    Observers::Subscription versions;
    // Focus came by Tab: only then is the focus frame shown.
    bool focusFromKeyboard = false;
};

}  // namespace pellomarin
