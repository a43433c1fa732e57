#include "translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

namespace pellomarin {

namespace {

bool install(QCoreApplication& app, const QLocale& locale, const QString& name,
             const QString& directory) {
    auto* translator = new QTranslator(&app);
    if (translator->load(locale, name, QStringLiteral("_"), directory) &&
        QCoreApplication::installTranslator(translator))
        return true;
    delete translator;
    return false;
}

}  // namespace

InstalledTranslations installTranslations(QCoreApplication& app, const QLocale& locale) {
    InstalledTranslations installed;
    installed.application =
        install(app, locale, QStringLiteral("pellomarin"), QStringLiteral(":/i18n"));
    installed.qt = install(app, locale, QStringLiteral("qtbase"),
                           QLibraryInfo::path(QLibraryInfo::TranslationsPath));
    return installed;
}

}  // namespace pellomarin
