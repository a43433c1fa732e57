#pragma once

#include <QSettings>
#include <QString>

#include "settings.h"

namespace pellomarin {

// The user's settings file through QSettings ("Pellomarin"/"Pellomarin"; on
// Linux ~/.config/Pellomarin/Pellomarin.conf). Values are written as the
// shortest text that reads back to the same double and synced at once, so a
// crash right after a write loses nothing. A value that is not a number reads
// as absent. Main thread only.
class QSettingsStore final : public SettingsStore {
public:
    QSettingsStore();
    explicit QSettingsStore(const QString& fileName);  // an INI file of its own, for tests

    double read(std::string_view key) const override;
    void write(std::string_view key, double value) override;

    QString fileName() const { return settings.fileName(); }

private:
    mutable QSettings settings;
};

}  // namespace pellomarin
