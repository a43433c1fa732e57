// Any UTF-8 as a settings field's text in one of a few locales: a number that
// parses is finite and is shown as a text that reads back to itself.
#include <QLocale>
#include <array>
#include <cmath>

#include "fuzz_input.h"
#include "locale_number.h"

using pellomarin::fuzz::require;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const std::array<QLocale, 6> locales{
        QLocale(QStringLiteral("en_US")), QLocale(QStringLiteral("de_DE")),
        QLocale(QStringLiteral("fr_FR")), QLocale(QStringLiteral("de_CH")),
        QLocale(QStringLiteral("hi_IN")), QLocale::c()};
    if (size == 0)
        return 0;
    const QLocale& locale = locales[data[0] % locales.size()];
    const QString text =
        QString::fromUtf8(reinterpret_cast<const char*>(data + 1), qsizetype(size - 1));
    const auto value = pellomarin::parseFieldText(text, locale);
    if (!value)
        return 0;
    const QString shown = pellomarin::fieldText(*value, locale);
    const auto back = pellomarin::parseFieldText(shown, locale);
    require(std::isfinite(*value) && back && pellomarin::fieldText(*back, locale) == shown,
            "what parses is shown as a text that reads back to itself", shown.toStdString());
    return 0;
}
