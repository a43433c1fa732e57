#include "qsettings_store.h"

#include <charconv>

namespace pellomarin {

namespace {

QString qKey(std::string_view key) {
    return QString::fromUtf8(key.data(), static_cast<qsizetype>(key.size()));
}

}  // namespace

QSettingsStore::QSettingsStore() : settings("Pellomarin", "Pellomarin") {}

QSettingsStore::QSettingsStore(const QString& fileName)
    : settings(fileName, QSettings::IniFormat) {}

double QSettingsStore::read(std::string_view key) const {
    const QByteArray text = settings.value(qKey(key)).toString().trimmed().toLatin1();
    double value = 0.0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size())
        return 0.0;
    return value;
}

void QSettingsStore::write(std::string_view key, double value) {
    char text[32];
    const auto end = std::to_chars(text, text + sizeof text, value).ptr;  // shortest round trip
    settings.setValue(qKey(key), QString::fromLatin1(text, end - text));
    settings.sync();
}

}  // namespace pellomarin
