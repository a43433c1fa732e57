#pragma once

#include <QWidget>
#include <memory>

#include "minimum_distance.h"
#include "model.h"

namespace pellomarin {

class SimulationView;
class StatusBar;

// The main window's content: the drawing area above the status bar.
class ContentView : public QWidget {
    Q_OBJECT

public:
    explicit ContentView(MinimumDistance& minimum, QWidget* parent = nullptr);

    // Shows a new model: drawn at once, sampled at the status bar's next tick.
    void setModel(const std::shared_ptr<Model>& model);

    SimulationView* simulationView() const { return simulation; }
    StatusBar* statusBar() const { return status; }

private:
    SimulationView* simulation;
    StatusBar* status;
};

}  // namespace pellomarin
