#include "settings_window.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QStyle>
#include <QVBoxLayout>

#include "float_field.h"

namespace pellomarin {

namespace {

// What screen readers say for each field, in settings::all's order, and each
// choice: the method's, then the law's.
void describe(const std::array<FloatField*, 5>& fields, const std::array<QComboBox*, 2>& choices) {
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
    choices[0]->setAccessibleName(SettingsWindow::tr("Integration method"));
    choices[0]->setAccessibleDescription(
        SettingsWindow::tr("How the balls are moved from one calculation to the next. %1")
            .arg(startAfterNext));
    choices[1]->setAccessibleName(SettingsWindow::tr("Force law"));
    choices[1]->setAccessibleDescription(
        SettingsWindow::tr("How the pull between two balls depends on their distance. %1")
            .arg(startAfterNext));
}

QString qString(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// The entry of the stored name; the first, the default, for any other text.
int storedIndex(const SettingsStore& store, const QComboBox& box) {
    return std::max(
        0, box.findData(QString::fromStdString(store.readText(box.objectName().toStdString()))));
}

}  // namespace

SettingsWindow::SettingsWindow(SettingsStore& store_, QWidget* parent)
    : QDialog(parent), store(store_) {
    setWindowTitle(tr("Pellomarin Settings"));
    // Made in the order Tab visits them, as they are shown: the masses, the
    // period and the constant, then the choices. The first takes the focus.
    for (std::size_t k : {2, 3, 4, 0, 1})
        fields[k] = new FloatField(store, settings::all[k], this);
    choices[0] = addChoice(settings::integrationMethod,
                           {{tr("Euler (the original)"), methodName(IntegrationMethod::euler)},
                            {tr("Leapfrog"), methodName(IntegrationMethod::leapfrog)},
                            {tr("Accurate"), methodName(IntegrationMethod::accurate)}});
    choices[1] =
        addChoice(settings::forceLaw,
                  {{tr("Inverse distance (the original)"), lawName(ForceLaw::inverseDistance)},
                   {tr("Newton"), lawName(ForceLaw::newton)}});
    describe(fields, choices);
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

    auto* chosen = new QHBoxLayout;
    const auto choice = [&](const QString& heading, QComboBox* box) {
        auto* column = new QVBoxLayout;
        column->addWidget(label(heading, box));
        column->addWidget(box);
        chosen->addLayout(column);
    };
    choice(tr("Integration Method"), choices[0]);
    chosen->addStretch(1);
    choice(tr("Force Law"), choices[1]);

    auto* content = new QVBoxLayout;
    content->addWidget(label(tr("Masses"), fields[2]));
    content->addLayout(masses);
    content->addLayout(lower);
    content->addLayout(chosen);

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

QComboBox* SettingsWindow::addChoice(
    std::string_view key, std::initializer_list<std::pair<QString, std::string_view>> entries) {
    auto* box = new QComboBox(this);
    box->setObjectName(qString(key));
    for (const auto& [label, name] : entries)
        box->addItem(label, qString(name));
    // Only the user's picks, not refresh(); a pick of the entry shown stores nothing.
    connect(box, &QComboBox::activated, this, [this, box](int index) {
        if (index != storedIndex(store, *box))
            store.writeText(box->objectName().toStdString(),
                            box->itemData(index).toString().toStdString());
    });
    return box;
}

void SettingsWindow::refresh() {
    for (FloatField* field : fields)
        field->refresh();
    for (QComboBox* box : choices)
        box->setCurrentIndex(storedIndex(store, *box));
}

void SettingsWindow::showEvent(QShowEvent* event) {
    refresh();
    fields[2]->setFocus();  // mass 0, wherever the focus was when it closed
    QWidget::showEvent(event);
}

}  // namespace pellomarin
