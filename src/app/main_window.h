#pragma once

#include <QMainWindow>

namespace pellomarin {

class ContentView;
class MinimumDistance;

// The main window: no title bar, the "Pellomarin" and "View" menus, the
// drawing area and the status bar. It can be moved by dragging the drawing
// area and resized from its edges.
class MainWindow : public QMainWindow {
    Q_OBJECT

public:
    explicit MainWindow(MinimumDistance& minimum, QWidget* parent = nullptr);

    ContentView* content() const { return content_; }
    QAction* restartAction() const { return restart; }
    QAction* newSimulationAction() const { return newSimulation; }
    QAction* suspendResumeAction() const { return suspendResume; }
    QAction* copyStartAction() const { return copyStart; }
    QAction* openStartAction() const { return openStart; }
    QAction* pasteStartAction() const { return pasteStart; }
    QMenu* startsMenu() const { return starts; }
    QAction* settingsAction() const { return settings; }
    QAction* quitAction() const { return quit; }
    QAction* trailsAction() const { return trails; }
    QAction* conservationAction() const { return conservation; }
    QAction* keepAllInViewAction() const { return keepAllInView; }

private:
    ContentView* content_;
    QAction* restart;
    QAction* newSimulation;
    QAction* suspendResume;
    QAction* copyStart;
    QAction* openStart;
    QAction* pasteStart;
    QMenu* starts;
    QAction* settings;
    QAction* quit;
    QAction* trails;
    QAction* conservation;
    QAction* keepAllInView;
};

}  // namespace pellomarin
