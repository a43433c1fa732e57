#pragma once

#include <QWidget>
#include <array>

#include "settings.h"

namespace pellomarin {

class FloatField;

// Edits the five stored settings. It applies nothing: masses take effect at
// the next New Simulation, the period and G at the next start. Shows the
// stored values whenever it is opened. Main thread.
class SettingsWindow : public QWidget {
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
