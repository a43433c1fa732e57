#include "launch.h"

#include <QApplication>

#include "app_identity.h"
#include "application.h"
#include "main_window.h"
#include "qsettings_store.h"
#include "translations.h"

namespace pellomarin {

int launch(int argc, char** argv, const std::function<void(Application&)>& started) {
    QApplication qt(argc, argv);
    QApplication::setOrganizationName("Pellomarin");
    QApplication::setApplicationName("Pellomarin");
    // Lets Wayland compositors and docks match the window to its desktop entry.
    QGuiApplication::setDesktopFileName(applicationId());
    QApplication::setWindowIcon(applicationIcon());
    installTranslations(qt, QLocale());
    QSettingsStore settings;
    Application app(settings);
    app.mainWindow().show();
    if (started)
        started(app);
    return QApplication::exec();
}

}  // namespace pellomarin
