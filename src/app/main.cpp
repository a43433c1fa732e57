#include <QApplication>
#include <QIcon>

#include "application.h"
#include "main_window.h"
#include "qsettings_store.h"

int main(int argc, char** argv) {
    QApplication qt(argc, argv);
    QApplication::setOrganizationName("Pellomarin");
    QApplication::setApplicationName("Pellomarin");
    pellomarin::QSettingsStore settings;
    pellomarin::Application app(settings);
    app.mainWindow().show();
    return QApplication::exec();
}
