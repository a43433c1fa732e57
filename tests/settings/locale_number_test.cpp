#include <QtTest>
#include <cmath>

#include "locale_number.h"

using namespace pellomarin;

class LocaleNumberTest : public QObject {
    Q_OBJECT

private slots:
    void shownWithAtMostThreeFractionDigits_data() {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<double>("value");
        QTest::addColumn<QString>("text");
        QTest::newRow("whole") << "en_US" << 30.0 << "30";
        QTest::newRow("rounded") << "en_US" << 0.333333 << "0.333";
        QTest::newRow("five digits") << "en_US" << 0.12345 << "0.123";
        QTest::newRow("grouped") << "en_US" << 1234.5 << "1,234.5";
        QTest::newRow("tie to even") << "en_US" << 0.0625 << "0.062";
        QTest::newRow("negative") << "en_US" << -3.0 << "-3";
        QTest::newRow("tiny") << "en_US" << 1e-9 << "0";
        QTest::newRow("millions") << "en_US" << 1234567.0 << "1,234,567";
        QTest::newRow("German") << "de_DE" << 1234.5 << "1.234,5";
        QTest::newRow("German fraction") << "de_DE" << 0.013 << "0,013";
        QTest::newRow("no exponent") << "en_US" << 1e20 << "100,000,000,000,000,000,000";
        QTest::newRow("Indian lakh") << "hi_IN" << 100000.0 << "1,00,000";
        QTest::newRow("Indian groups") << "hi_IN" << 1234567.5 << "12,34,567.5";
    }
    void shownWithAtMostThreeFractionDigits() {
        QFETCH(QString, locale);
        QFETCH(double, value);
        QFETCH(QString, text);
        QCOMPARE(fieldText(value, QLocale(locale)), text);
    }

    void wellFormedTextsParse_data() {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("value");
        QTest::newRow("plain") << "en_US"
                               << "30" << 30.0;
        QTest::newRow("fraction") << "en_US"
                                  << "0.013" << 0.013;
        QTest::newRow("grouped") << "en_US"
                                 << "1,234.5" << 1234.5;
        QTest::newRow("ungrouped") << "en_US"
                                   << "1234.5" << 1234.5;
        QTest::newRow("negative") << "en_US"
                                  << "-3" << -3.0;
        QTest::newRow("spaces around") << "en_US"
                                       << "  7 " << 7.0;
        QTest::newRow("leading point") << "en_US"
                                       << ".5" << 0.5;
        QTest::newRow("trailing point") << "en_US"
                                        << "5." << 5.0;
        QTest::newRow("German fraction") << "de_DE"
                                         << "0,013" << 0.013;
        QTest::newRow("German grouped") << "de_DE"
                                        << "1.234,5" << 1234.5;
        QTest::newRow("French groups") << "fr_FR"
                                       << "1 234,5" << 1234.5;
        QTest::newRow("Indian groups") << "hi_IN"
                                       << "12,34,567.5" << 1234567.5;
        QTest::newRow("Indian thousands") << "hi_IN"
                                          << "1,234" << 1234.0;
    }
    void wellFormedTextsParse() {
        QFETCH(QString, locale);
        QFETCH(QString, text);
        QFETCH(double, value);
        const auto parsed = parseFieldText(text, QLocale(locale));
        QVERIFY(parsed);
        QCOMPARE(*parsed, value);
    }

    void strayTextIsRefused_data() {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QString>("text");
        QTest::newRow("letters") << "en_US"
                                 << "abc";
        QTest::newRow("empty") << "en_US"
                               << "";
        QTest::newRow("only a sign") << "en_US"
                                     << "-";
        QTest::newRow("comma in English") << "en_US"
                                          << "0,013";
        QTest::newRow("short group") << "en_US"
                                     << "12,34";
        QTest::newRow("long first group") << "en_US"
                                          << "1234,567";
        QTest::newRow("two points") << "en_US"
                                    << "1.2.3";
        QTest::newRow("exponent") << "en_US"
                                  << "1e5";
        QTest::newRow("trailing unit") << "en_US"
                                       << "30 ms";
        QTest::newRow("point in German") << "de_DE"
                                         << "0.013";
        QTest::newRow("too large") << "en_US" << QString(400, u'9');
        QTest::newRow("thousands groups in India") << "hi_IN"
                                                   << "123,456";
        QTest::newRow("Indian groups in English") << "en_US"
                                                  << "1,00,000";
    }
    void strayTextIsRefused() {
        QFETCH(QString, locale);
        QFETCH(QString, text);
        QVERIFY(!parseFieldText(text, QLocale(locale)));
    }

    void whatIsShownReadsBackToItself() {
        for (const char* name : {"en_US", "de_DE", "fr_FR", "de_CH", "hi_IN"}) {
            const QLocale locale(name);
            for (double value : {0.0, 30.0, 0.013, 1234.5, -2.25, 98765432.125}) {
                const QString shown = fieldText(value, locale);
                const auto back = parseFieldText(shown, locale);
                QVERIFY2(back, qPrintable(shown));
                QCOMPARE(fieldText(*back, locale), shown);
            }
        }
    }
};

QTEST_MAIN(LocaleNumberTest)
#include "locale_number_test.moc"
