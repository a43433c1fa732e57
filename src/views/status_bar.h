#pragma once

#include <QTimer>
#include <QWidget>
#include <array>
#include <memory>

#include "group_rows.h"
#include "minimum_distance.h"
#include "model.h"

namespace pellomarin {

class Cell;

// The row under the drawing: per ball its speed, acceleration and distance
// from the origin, the three pair distances, the smallest pair distance
// sampled since the last New Simulation and, when shown, the energy with its
// change since the start and the change of the angular momentum's length
// (empty before the start). Samples the model every 0.5 s, whatever the run
// state. Where the window is narrower than the row, its groups go on as many
// rows as needed, in order, each cell as it is. The value cells take keyboard
// focus. Main thread.
class StatusBar : public GroupRows {
    Q_OBJECT

public:
    explicit StatusBar(MinimumDistance& minimum, QWidget* parent = nullptr);

    // The texts stay until the next tick samples the new model.
    void setModel(std::shared_ptr<Model> model) { model_ = std::move(model); }

    // Recomputes every text from the model; lowers the minimum by the three
    // pair distances before showing it.
    void refresh();

    // Shows or hides the energy and angular momentum group; hidden at first.
    void setConservationShown(bool shown);

    // The text of the label with this object name: "speed 0" … "distance 2",
    // "acceleration 1", "distance 0-1", "distance 0-2", "distance 1-2",
    // "minimum distance", "energy", "energy change", "angular momentum change".
    QString text(const QString& objectName) const;

private:
    void addHeading(QWidget* group, const char* text);
    void addBallGroup(std::array<Cell*, 3>& cells, const char* name, const char* heading,
                      const char* cellName, const char* description);
    void showConservation(const std::array<Ball, 3>& balls);

    MinimumDistance& minimum;
    std::shared_ptr<Model> model_;
    std::array<Cell*, 3> speed{};
    std::array<Cell*, 3> acc{};
    std::array<Cell*, 3> dist{};
    std::array<Cell*, 3> pairDist{};  // 0-1, 0-2, 1-2
    Cell* minDist = nullptr;
    QWidget* conservation = nullptr;
    Cell* energyNow = nullptr;
    Cell* energyChange = nullptr;
    Cell* momentumChange = nullptr;
    QTimer timer;
};

}  // namespace pellomarin
