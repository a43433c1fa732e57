#pragma once

#include <QSettings>
#include <QString>

#include "settings.h"

namespace pellomarin {

// The user's settings file through QSettings ("Pellomarin"/"Pellomarin"; on
// Linux ~/.config/Pellomarin/Pellomarin.conf). Values are synced at once, so
// a crash right after a write loses nothing. Main thread only.
class QSettingsStore final : public SettingsStore {
public:
    QSettingsStore();
    explicit QSettingsStore(const QString& fileName);  // an INI file of its own, for tests

    std::string readText(std::string_view key) const override;
    void writeText(std::string_view key, std::string_view text) override;

    QString fileName() const { return settings.fileName(); }

private:
    mutable QSettings settings;
};

}  // namespace pellomarin
