#pragma once

#include <QLineEdit>

#include "settings.h"

namespace pellomarin {

// One numeric field bound to a stored setting: shows the stored value in the
// user's locale and stores what the user commits (Return or leaving the
// field) when it is a well-formed number. No range check, no defaults. A field
// committed without an edit stores nothing, so showing a value with three
// fraction digits never rounds the stored one. Main thread.
class FloatField : public QLineEdit {
    Q_OBJECT

public:
    FloatField(SettingsStore& store, const Setting& setting, QWidget* parent = nullptr);

    // Shows the stored value (0 for an absent key).
    void refresh();

private:
    void commit();

    SettingsStore& store;
    Setting setting;
};

}  // namespace pellomarin
