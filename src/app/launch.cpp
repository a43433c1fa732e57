#include "launch.h"

#include <QApplication>
#include <QIcon>

#include "application.h"
#include "main_window.h"
#include "qsettings_store.h"
#include "translations.h"

namespace pellomarin {

int launch(int argc, char** argv, const std::function<void(Application&)>& started) {
    // On X11 a frame repaints a few small squares. Sent through shared
    // memory, each waits for the server to release the last one: a second
    // wake-up per frame that costs more than copying the squares (README,
    // Performance). A user's own choice stands.
    if (!qEnvironmentVariableIsSet("QT_XCB_NO_MITSHM"))
        qputenv("QT_XCB_NO_MITSHM", "1");
    QApplication qt(argc, argv);
    QApplication::setOrganizationName("Pellomarin");
    QApplication::setApplicationName("Pellomarin");
    // The installed desktop entry's name, which is also the icon's: it lets
    // Wayland compositors and docks match the window to the entry, and a
    // theme restyle the icon; without one, the compiled-in drawing.
    const QString id = QStringLiteral(PELLOMARIN_APP_ID);
    QGuiApplication::setDesktopFileName(id);
    QApplication::setWindowIcon(
        QIcon::fromTheme(id, QIcon(QStringLiteral(":/icons/pellomarin.svg"))));
    installTranslations(qt, QLocale());
    QSettingsStore settings;
    Application app(settings);
    app.mainWindow().show();
    // A start file given on the command line, as a file manager opens one.
    if (const QStringList arguments = QApplication::arguments(); arguments.size() > 1)
        app.openStart(arguments[1]);
    if (started)
        started(app);
    return QApplication::exec();
}

}  // namespace pellomarin
