#pragma once

#include <QWidget>
#include <QTimer>
#include <array>
#include <memory>

#include "group_rows.h"
#include "minimum_distance.h"
#include "model.h"

namespace pellomarin {

class Cell;

// The row under the drawing: per ball its speed, acceleration and distance
// from the origin, the three pair distances and the smallest pair distance
// sampled since the last New Simulation. Samples the model every 0.5 s,
// whatever the run state. Where the window is narrower than the row, its five
// groups go on as many rows as needed, in order, each cell as it is. The value
// cells take keyboard focus. Main thread.
class StatusBar : public GroupRows {
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
    void addHeading(QWidget* group, const char* text);
    void addValueCells(QWidget* group, std::array<Cell*, 3>& cells, const QString& name);
    void addMarker(QWidget* group, int ball);

    MinimumDistance& minimum;
    std::shared_ptr<Model> model_;
    std::array<Cell*, 3> speed{};
    std::array<Cell*, 3> acc{};
    std::array<Cell*, 3> dist{};
    Cell* dist01 = nullptr;
    Cell* dist02 = nullptr;
    Cell* dist12 = nullptr;
    Cell* minDist = nullptr;
    QTimer timer;
};

}  // namespace pellomarin
