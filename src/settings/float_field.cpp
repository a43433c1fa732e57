#include "float_field.h"

#include "locale_number.h"

namespace pellomarin {

FloatField::FloatField(SettingsStore& store_, const Setting& setting_, QWidget* parent)
    : QLineEdit(parent), store(store_), setting(setting_) {
    setFixedWidth(100);
    setObjectName(
        QString::fromUtf8(setting.key.data(), static_cast<qsizetype>(setting.key.size())));
    connect(this, &QLineEdit::editingFinished, this, &FloatField::commit);
    refresh();
}

void FloatField::refresh() {
    setText(fieldText(store.read(setting.key), locale()));
    setModified(false);
}

void FloatField::commit() {
    if (!isModified())
        return;
    if (const auto value = parseFieldText(text(), locale()))
        store.write(setting.key, *value);
    refresh();  // the stored value, also after text that did not parse
}

}  // namespace pellomarin
