#pragma once

#include <functional>

namespace pellomarin {

class Application;

// The program: Qt's application object, the user's settings, translations,
// the main window and the event loop. `started` runs once the window has been
// asked to show, for programs that measure the application.
int launch(int argc, char** argv, const std::function<void(Application&)>& started = {});

}  // namespace pellomarin
