#include "settings_window.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QStyle>
#include <QVBoxLayout>

#include "float_field.h"

namespace pellomarin {

namespace {

// What screen readers say for each field; the index order is settings::all's.
void describeFields(const std::array<FloatField*, 5>& fields) {
    static constexpr const char* colours[] = {
        QT_TRANSLATE_NOOP("pellomarin::SettingsWindow", "red"),
        QT_TRANSLATE_NOOP("pellomarin::SettingsWindow", "green"),
        QT_TRANSLATE_NOOP("pellomarin::SettingsWindow", "yellow")};
    const QString startAfterNext =
        SettingsWindow::tr("Takes effect at the start after the next New Simulation");
    fields[0]->setAccessibleName(SettingsWindow::tr("Calculation period in milliseconds"));
    fields[0]->setAccessibleDescription(
        SettingsWindow::tr("How often the balls are moved. %1").arg(startAfterNext));
    fields[1]->setAccessibleName(SettingsWindow::tr("Gravitational constant"));
    fields[1]->setAccessibleDescription(
        SettingsWindow::tr("How strongly the balls attract each other. %1").arg(startAfterNext));
    for (int ball = 0; ball < 3; ++ball) {
        FloatField* mass = fields[2 + ball];
        mass->setAccessibleName(SettingsWindow::tr("Mass of ball %1 (%2)")
                                    .arg(ball)
                                    .arg(SettingsWindow::tr(colours[ball])));
        mass->setAccessibleDescription(
            SettingsWindow::tr("Takes effect at the next New Simulation"));
    }
}

}  // namespace

SettingsWindow::SettingsWindow(SettingsStore& store, QWidget* parent) : QDialog(parent) {
    setWindowTitle(tr("Pellomarin Settings"));
    // Made in the order Tab visits them, as they are shown: the masses, then
    // the period and the constant. The first takes the focus.
    for (std::size_t k : {2, 3, 4, 0, 1})
        fields[k] = new FloatField(store, settings::all[k], this);
    describeFields(fields);
    // A buddy tells screen readers which field a heading names.
    const auto label = [this](const QString& text, QWidget* buddy) {
        auto* l = new QLabel(text, this);
        l->setAlignment(Qt::AlignCenter);
        l->setBuddy(buddy);
        return l;
    };

    auto* masses = new QHBoxLayout;
    for (FloatField* field : {fields[2], fields[3], fields[4]})
        masses->addWidget(field);
    masses->setContentsMargins(0, 0, 0, style()->pixelMetric(QStyle::PM_LayoutBottomMargin));

    auto* period = new QVBoxLayout;
    period->addWidget(label(tr("Calculation Period"), fields[0]));
    auto* periodField = new QHBoxLayout;
    periodField->addWidget(fields[0]);
    periodField->addWidget(new QLabel(tr("ms"), this));
    period->addLayout(periodField);

    auto* gravity = new QVBoxLayout;
    gravity->addWidget(label(tr("Gravitational Constant"), fields[1]));
    gravity->addWidget(fields[1], 0, Qt::AlignHCenter);

    auto* lower = new QHBoxLayout;
    lower->addLayout(period);
    lower->addStretch(1);
    lower->addLayout(gravity);

    auto* content = new QVBoxLayout;
    content->addWidget(label(tr("Masses"), fields[2]));
    content->addLayout(masses);
    content->addLayout(lower);

    auto* frame = new QWidget(this);
    frame->setMinimumSize(300, 130);
    frame->setLayout(content);
    content->setContentsMargins(0, 0, 0, 0);

    auto* outer = new QHBoxLayout(this);
    const int margin = style()->pixelMetric(QStyle::PM_LayoutLeftMargin);
    outer->setContentsMargins(margin, 0, margin, 0);
    outer->addWidget(frame);
    adjustSize();  // its size is known before the first show, to place it
}

void SettingsWindow::refresh() {
    for (FloatField* field : fields)
        field->refresh();
}

void SettingsWindow::showEvent(QShowEvent* event) {
    refresh();
    fields[2]->setFocus();  // mass 0, wherever the focus was when it closed
    QWidget::showEvent(event);
}

}  // namespace pellomarin
