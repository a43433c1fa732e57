#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <limits>

#include "number_text.h"

namespace pellomarin {
namespace {

struct Row {
    double x;
    const char* text;
};

TEST(NumberText, ThreeSignificantDigitsWithADecimalComma) {
    const Row rows[] = {
        {0.5, "0,500"},
        {0.0123, "0,0123"},
        {0.001, "0,00100"},
        {1, "1,00"},
        {1.234, "1,23"},
        {2.5, "2,50"},
        {12.34, "12,3"},
        {99.94, "99,9"},
        {99.96, "100"},
        {9.996, "10,0"},
        {0.9996, "1,00"},
        {100, "100"},
        {999.5, "1000"},
        {12345.6, "12346"},
        {0, "0.0"},
        {1e19, "***"},
        {INFINITY, "***"},
        {0x1p63, "***"},
        {0x1p63 - 1024, "9223372036854774784"},
        // An ulp-high 10^3 would make this "0,501".
        {0.5005, "0,500"},
        {0.0995, "0,0995"},
        {0.09995, "0,100"},
        {1e-10, "0,000000000100"},
    };
    for (const Row& row : rows)
        EXPECT_EQ(numberText(row.x), row.text) << row.x;
}

TEST(NumberText, NotANumberAndNonPositiveValues) {
    EXPECT_EQ(numberText(std::numeric_limits<double>::quiet_NaN()), "nan");
    EXPECT_EQ(numberText(-std::numeric_limits<double>::quiet_NaN()), "nan");
    EXPECT_EQ(numberText(-0.0), "-0.0");
    EXPECT_EQ(numberText(-2.5), "-2.5");
}

TEST(NumberText, TinyValuesStillGiveThreeDigitsBehindZeros) {
    for (double x : {1e-306, 1e-307, 2.5e-320, 5e-324}) {
        const std::string text = numberText(x);
        ASSERT_EQ(text.rfind("0,", 0), 0u) << x;
        const auto digits = text.substr(text.find_first_not_of('0', 2));
        EXPECT_EQ(digits.size(), 3u) << text;
    }
    EXPECT_EQ(numberText(1e-306).size(), 2 + 305 + 3);
}

TEST(AccelerationText, PrintfGeneralFormInUpperCase) {
    const Row rows[] = {
        {0, "0"},           {1.234, "1.23"},         {12345.6, "1.23E+04"}, {999.9, "1E+03"},
        {0.0005, "0.0005"}, {5e-7, "5E-07"},         {INFINITY, "INF"},     {123, "123"},
        {1e300, "1E+300"},  {0.0001234, "0.000123"},
    };
    for (const Row& row : rows)
        EXPECT_EQ(accelerationText(row.x), row.text) << row.x;
    EXPECT_EQ(accelerationText(-std::numeric_limits<double>::quiet_NaN()), "NAN");
}

TEST(NumberTexts, StayTheSameUnderAGermanLocale) {
    if (!std::setlocale(LC_ALL, "de_DE.UTF-8"))
        GTEST_SKIP() << "no German locale here";
    EXPECT_EQ(numberText(1.234), "1,23");
    EXPECT_EQ(accelerationText(1.234), "1.23");
    EXPECT_EQ(numberText(0), "0.0");
    std::setlocale(LC_ALL, "C");
}

}  // namespace
}  // namespace pellomarin
