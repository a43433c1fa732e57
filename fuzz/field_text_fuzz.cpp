// Arbitrary UTF-8 as a settings field's text in one of a few locales: what
// parses is shown as a text that reads back to itself, and what is shown or
// what QLocale writes for any finite number parses.
#include <QLocale>
#include <QString>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstring>

#include "locale_number.h"
#include "property.h"

using pellomarin::fuzz::require;

namespace {

std::string utf8(const QString& text) {
    return text.toStdString();
}

// fieldText(value) reads back to a number that is shown the same way.
void checkShownReadsBack(double value, const QLocale& locale) {
    const QString shown = pellomarin::fieldText(value, locale);
    const auto back = pellomarin::parseFieldText(shown, locale);
    require(back.has_value(), "what is shown parses", utf8(shown));
    require(pellomarin::fieldText(*back, locale) == shown, "what is shown reads back to itself",
            utf8(shown));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const std::array<QLocale, 6> locales{
        QLocale(QStringLiteral("en_US")), QLocale(QStringLiteral("de_DE")),
        QLocale(QStringLiteral("fr_FR")), QLocale(QStringLiteral("de_CH")),
        QLocale(QStringLiteral("hi_IN")), QLocale::c()};
    if (size == 0)
        return 0;
    const QLocale& locale = locales[data[0] % locales.size()];
    const QString text = QString::fromUtf8(reinterpret_cast<const char*>(data + 1),
                                           static_cast<qsizetype>(size - 1));

    if (const auto value = pellomarin::parseFieldText(text, locale)) {
        require(std::isfinite(*value), "a parsed number is finite", utf8(text));
        checkShownReadsBack(*value, locale);
    }

    // The same bytes as a double: any finite number is shown in a form that parses.
    if (size >= 1 + sizeof(double)) {
        double x = 0.0;
        std::memcpy(&x, data + 1, sizeof x);
        if (std::isfinite(x)) {
            checkShownReadsBack(x, locale);
            // The locale's own way of writing the number is well formed.
            const QString written =
                locale.toString(x, 'f', static_cast<int>(data[0] / locales.size() % 4));
            bool ok = false;
            const double meant = locale.toDouble(written, &ok);
            const auto parsed = pellomarin::parseFieldText(written, locale);
            require(!ok || (parsed && *parsed == meant), "the locale's own text parses",
                    utf8(written));
            const double back =
                *pellomarin::parseFieldText(pellomarin::fieldText(x, locale), locale);
            // Half the third fraction digit, and the rounding of the text back to a double.
            require(std::fabs(back - x) <= 0.0005 + std::fabs(x) * 0x1p-52,
                    "shown within half a thousandth", utf8(pellomarin::fieldText(x, locale)));
        }
    }
    return 0;
}
