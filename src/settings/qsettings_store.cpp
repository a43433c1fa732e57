#include "qsettings_store.h"

namespace pellomarin {

namespace {

QString qString(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

QSettingsStore::QSettingsStore() : settings("Pellomarin", "Pellomarin") {}

QSettingsStore::QSettingsStore(const QString& fileName)
    : settings(fileName, QSettings::IniFormat) {}

std::string QSettingsStore::readText(std::string_view key) const {
    return settings.value(qString(key)).toString().toStdString();
}

void QSettingsStore::writeText(std::string_view key, std::string_view text) {
    settings.setValue(qString(key), qString(text));
    settings.sync();
}

}  // namespace pellomarin
