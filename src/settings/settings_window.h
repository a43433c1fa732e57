#pragma once

#include <QDialog>
#include <array>
#include <initializer_list>
#include <utility>

#include "settings.h"

class QComboBox;

namespace pellomarin {

class FloatField;

// Edits the seven stored settings. It applies nothing: masses take effect at
// the next New Simulation, the period, G, the method and the law at the next
// start. Shows the stored values, with the focus on mass 0, whenever it is
// opened; a method or law stored as any other text shows as the default. A dialog
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
    // A choice of names for a text setting, labelled; stores only a pick
    // other than the entry shown.
    QComboBox* addChoice(std::string_view key,
                         std::initializer_list<std::pair<QString, std::string_view>> entries);

    SettingsStore& store;
    std::array<FloatField*, 5> fields{};
    std::array<QComboBox*, 2> choices{};  // method, law
};

}  // namespace pellomarin
