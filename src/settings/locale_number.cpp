#include "locale_number.h"

#include <QStringList>
#include <charconv>
#include <cmath>
#include <string>

namespace pellomarin {

namespace {

bool isSpaceLike(QChar c) {
    return c == u' ' || c == u'\u00a0' || c == u'\u202f';
}

// Digits per group: the last group, and every group before it. Most locales
// use three and three; India writes 12,34,567.
struct Grouping {
    qsizetype last = 3;
    qsizetype other = 3;
};

Grouping grouping(const QLocale& locale) {
    if (locale.groupSeparator().isEmpty())
        return {};
    QLocale probe = locale;
    probe.setNumberOptions(QLocale::DefaultNumberOptions);  // C omits groups otherwise
    const QStringList groups =
        probe.toString(qlonglong{1'000'000'000}).split(locale.groupSeparator());
    if (groups.size() < 3)
        return {};
    return {groups.back().size(), groups[groups.size() - 2].size()};
}

QString grouped(const QString& digits, const QString& separator, Grouping sizes) {
    QString text;
    for (qsizetype i = 0; i < digits.size(); ++i) {
        const qsizetype behind = digits.size() - i;
        if (i > 0 && behind >= sizes.last && (behind - sizes.last) % sizes.other == 0)
            text += separator;
        text += digits[i];
    }
    return text;
}

}  // namespace

QString fieldText(double value, const QLocale& locale) {
    if (!std::isfinite(value))
        return locale.toString(value);
    std::string plain(400, '\0');
    plain.resize(
        std::to_chars(plain.data(), plain.data() + plain.size(), value, std::chars_format::fixed, 3)
            .ptr -
        plain.data());
    while (plain.back() == '0')
        plain.pop_back();
    if (plain.back() == '.')
        plain.pop_back();

    const bool negative = plain.front() == '-';
    if (negative)
        plain.erase(0, 1);
    const auto point = plain.find('.');
    QString text = grouped(QString::fromStdString(plain.substr(0, point)), locale.groupSeparator(),
                           grouping(locale));
    if (point != std::string::npos)
        text += locale.decimalPoint() + QString::fromStdString(plain.substr(point + 1));
    return negative ? locale.negativeSign() + text : text;
}

std::optional<double> parseFieldText(const QString& input, const QLocale& locale) {
    const QString text = input.trimmed();
    const QString group = locale.groupSeparator();
    const QString point = locale.decimalPoint();
    const bool spaceGroups = group.size() == 1 && isSpaceLike(group[0]);

    std::string plain;
    qsizetype at = 0;
    if (text.startsWith(locale.negativeSign()) || text.startsWith(u'-') ||
        text.startsWith(u'\u2212')) {
        plain += '-';
        at = text.startsWith(locale.negativeSign()) ? locale.negativeSign().size() : 1;
    } else if (text.startsWith(locale.positiveSign()) || text.startsWith(u'+')) {
        at = text.startsWith(locale.positiveSign()) ? locale.positiveSign().size() : 1;
    }

    // The whole part: plain digits, or the locale's groups (three digits in
    // most) behind a first group as long or shorter that does not start with
    // a zero.
    const Grouping sizes = grouping(locale);
    std::string whole;
    int groupLength = 0;
    bool hasGroups = false;
    while (at < text.size()) {
        const QChar c = text[at];
        if (c.isDigit() && c.unicode() < 128) {
            whole += static_cast<char>(c.unicode());
            ++groupLength;
            ++at;
        } else if (text.mid(at, group.size()) == group || (spaceGroups && isSpaceLike(c))) {
            if (groupLength == 0 || (hasGroups ? groupLength != sizes.other
                                               : groupLength > sizes.other || whole.front() == '0'))
                return {};
            hasGroups = true;
            groupLength = 0;
            at += spaceGroups ? 1 : group.size();
        } else {
            break;
        }
    }
    if (hasGroups && groupLength != sizes.last)
        return {};
    plain += whole.empty() ? "0" : whole;

    bool fraction = false;
    if (at < text.size() && text.mid(at, point.size()) == point) {
        at += point.size();
        plain += '.';
        for (; at < text.size() && text[at].isDigit() && text[at].unicode() < 128; ++at) {
            plain += static_cast<char>(text[at].unicode());
            fraction = true;
        }
    }
    if (at != text.size() || (whole.empty() && !fraction))
        return {};
    if (plain.back() == '.')
        plain.pop_back();  // "5." is 5

    double value = 0.0;
    const auto [end, error] = std::from_chars(plain.data(), plain.data() + plain.size(), value);
    if (error != std::errc() || end != plain.data() + plain.size())
        return {};
    return value;
}

}  // namespace pellomarin
