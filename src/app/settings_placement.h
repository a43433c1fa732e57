#pragma once

#include <QPoint>

class QWidget;

namespace pellomarin {

class ContentView;

// Where the settings window opens so that the status bar stays in view:
// beside the main window, level with its status bar, to the right or else to
// the left; where the screen has room on neither side, over the top of the
// drawing area. Within the screen's available area. Main thread.
QPoint settingsPosition(const QWidget& settingsWindow, const ContentView& content);

}  // namespace pellomarin
