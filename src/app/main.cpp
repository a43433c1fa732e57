#include <QApplication>
#include <QIcon>

#include "app_identity.h"
#include "application.h"
#include "main_window.h"
#include "qsettings_store.h"
#include "translations.h"

int main(int argc, char** argv) {
    QApplication qt(argc, argv);
    QApplication::setOrganizationName("Pellomarin");
    QApplication::setApplicationName("Pellomarin");
    // Lets Wayland compositors and docks match the window to its desktop entry.
    QGuiApplication::setDesktopFileName(pellomarin::applicationId());
    QApplication::setWindowIcon(pellomarin::applicationIcon());
    pellomarin::installTranslations(qt, QLocale());
    pellomarin::QSettingsStore settings;
    pellomarin::Application app(settings);
    app.mainWindow().show();
    return QApplication::exec();
}
