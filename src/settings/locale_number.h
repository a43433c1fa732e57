#pragma once

#include <QLocale>
#include <QString>
#include <optional>

namespace pellomarin {

// A settings field's text in the user's locale: grouped, at most three
// fraction digits (exact ties to even), no exponent: 1234.5 shows "1,234.5"
// in English and "1.234,5" in German, 0.12345 shows "0.123".
QString fieldText(double value, const QLocale& locale);

// The number in a field's text, or nothing when the text is not a well-formed
// number of the locale. Stricter than QLocale: a misplaced group separator is
// refused, so "0,013" is not 13 in English and "0.013" is not 13 in German.
std::optional<double> parseFieldText(const QString& text, const QLocale& locale);

}  // namespace pellomarin
