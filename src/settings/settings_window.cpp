#include "settings_window.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QStyle>
#include <QVBoxLayout>

#include "float_field.h"

namespace pellomarin {

SettingsWindow::SettingsWindow(SettingsStore& store, QWidget* parent)
    : QWidget(parent, Qt::Window) {
    setWindowTitle(tr("Pellomarin Settings"));
    for (std::size_t k = 0; k < fields.size(); ++k)
        fields[k] = new FloatField(store, settings::all[k], this);
    const auto label = [this](const QString& text) {
        auto* l = new QLabel(text, this);
        l->setAlignment(Qt::AlignCenter);
        return l;
    };

    auto* masses = new QHBoxLayout;
    for (FloatField* field : {fields[2], fields[3], fields[4]})
        masses->addWidget(field);
    masses->setContentsMargins(0, 0, 0, style()->pixelMetric(QStyle::PM_LayoutBottomMargin));

    auto* period = new QVBoxLayout;
    period->addWidget(label(tr("Calculation Period")));
    auto* periodField = new QHBoxLayout;
    periodField->addWidget(fields[0]);
    periodField->addWidget(new QLabel(tr("ms"), this));
    period->addLayout(periodField);

    auto* gravity = new QVBoxLayout;
    gravity->addWidget(label(tr("Gravitational Constant")));
    gravity->addWidget(fields[1], 0, Qt::AlignHCenter);

    auto* lower = new QHBoxLayout;
    lower->addLayout(period);
    lower->addStretch(1);
    lower->addLayout(gravity);

    auto* content = new QVBoxLayout;
    content->addWidget(label(tr("Masses")));
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
}

void SettingsWindow::refresh() {
    for (FloatField* field : fields)
        field->refresh();
}

void SettingsWindow::showEvent(QShowEvent* event) {
    refresh();
    QWidget::showEvent(event);
}

}  // namespace pellomarin
