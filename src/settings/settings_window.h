#pragma once

#include <QDialog>
#include <array>

#include "settings.h"

namespace pellomarin {

class FloatField;

// Edits the five stored settings. It applies nothing: masses take effect at
// the next New Simulation, the period and G at the next start. Shows the
// stored values, with the focus on mass 0, whenever it is opened. A dialog
// that belongs to `parent` (it stays in front of it and closes with it);
// Escape closes it, Tab visits the fields in the order they are shown. Main
// thread.
class SettingsWindow : public QDialog {
    Q_OBJECT

public:
    explicit SettingsWindow(SettingsStore& store, QWidget* parent = nullptr);

    void refresh();

protected:
    void showEvent(QShowEvent* event) override;

private:
    std::array<FloatField*, 5> fields{};
};

}  // namespace pellomarin
