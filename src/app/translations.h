#pragma once

#include <QLocale>

class QCoreApplication;

namespace pellomarin {

struct InstalledTranslations {
    bool application = false;  // Pellomarin's own labels
    bool qt = false;           // Qt's (shortcut names, standard dialogs)
};

// Installs in `app` Pellomarin's translation for `locale`, compiled in, and
// Qt's own from the Qt installation, each where there is one. Call it before
// the first window is built: labels are translated when they are created.
InstalledTranslations installTranslations(QCoreApplication& app, const QLocale& locale);

}  // namespace pellomarin
