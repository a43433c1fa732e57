#pragma once

#include <QLabel>
#include <QTimer>
#include <QWidget>
#include <array>
#include <memory>

#include "minimum_distance.h"
#include "model.h"

namespace pellomarin {

// One row under the drawing: per ball its speed, acceleration and distance
// from the origin, the three pair distances and the smallest pair distance
// sampled since the last New Simulation. Samples the model every 0.5 s,
// whatever the run state. Main thread.
class StatusBar : public QWidget {
    Q_OBJECT

public:
    explicit StatusBar(MinimumDistance& minimum, QWidget* parent = nullptr);

    // The texts stay until the next tick samples the new model.
    void setModel(std::shared_ptr<Model> model) { model_ = std::move(model); }

    // Recomputes every text from the model; lowers the minimum by the three
    // pair distances before showing it.
    void refresh();

    // The text of the label with this object name: "speed 0" … "distance 2",
    // "acceleration 1", "distance 0-1", "distance 0-2", "distance 1-2",
    // "minimum distance".
    QString text(const QString& objectName) const;

private:
    QLabel* addHeading(const char* text);
    void addValueCells(std::array<QLabel*, 3>& cells, const QString& name);
    void addMarker(int ball);
    QLabel* addPairText(const QString& name);

    MinimumDistance& minimum;
    std::shared_ptr<Model> model_;
    std::array<QLabel*, 3> speed{};
    std::array<QLabel*, 3> acc{};
    std::array<QLabel*, 3> dist{};
    QLabel* dist01 = nullptr;
    QLabel* dist02 = nullptr;
    QLabel* dist12 = nullptr;
    QLabel* minDist = nullptr;
    QTimer timer;
};

}  // namespace pellomarin
