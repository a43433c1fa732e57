#include <gtest/gtest.h>

#include <clocale>
#include <cmath>

#include "balls.h"
#include "number_text.h"
#include "projection.h"

using namespace pellomarin;
using support::t;

TEST(NumberText, ThreeSignificantDigitsWithADecimalComma) {
    // clang-format off
    const struct { double x; const char* text; } rows[] = {
        {0.5, "0,500"}, {0.0123, "0,0123"}, {0.001, "0,00100"}, {1, "1,00"}, {12.34, "12,3"},
        {99.94, "99,9"}, {99.96, "100"}, {9.996, "10,0"}, {0.9996, "1,00"}, {999.5, "1000"},
        {12345.6, "12346"}, {0, "0.0"}, {NAN, "nan"}, {1e19, "***"}, {INFINITY, "***"},
        {0x1p63 - 1024, "9223372036854774784"}, {0.09995, "0,100"}, {1e-10, "0,000000000100"},
        {0.5005, "0,500"},  // an ulp-high 10^3 would give "0,501"
    };
    // clang-format on
    for (const auto& row : rows)
        EXPECT_EQ(numberText(row.x), row.text) << row.x;
    // Below 10^-306 the factor 10^(2-e) passes the largest double.
    EXPECT_EQ(numberText(1e-307), "0," + std::string(306, '0') + "100");
}

TEST(NumberText, AccelerationsInPrintfsGeneralFormWhateverTheLocale) {
    // clang-format off
    const struct { double x; const char* text; } rows[] = {
        {0, "0"}, {1.234, "1.23"}, {12345.6, "1.23E+04"}, {999.9, "1E+03"}, {0.0005, "0.0005"},
        {5e-7, "5E-07"}, {INFINITY, "INF"}, {-NAN, "NAN"}};
    // clang-format on
    if (!std::setlocale(LC_ALL, "de_DE.UTF-8"))
        GTEST_SKIP() << "no German locale here";
    for (const auto& row : rows)
        EXPECT_EQ(accelerationText(row.x), row.text) << row.x;
    EXPECT_EQ(numberText(1.234), "1,23");
    std::setlocale(LC_ALL, "C");
}

TEST(Projection, WorkedExamplesAndTheEye) {
    const Ball b(0, t(100, 0, -50), 8, Triple::zero);  // radius 2
    EXPECT_EQ(projectedOffset(b.position).x, 100);
    EXPECT_EQ(projectedOffset(b.position).y, -50);
    EXPECT_EQ(apparentDiameter(b), (2 * 2000.0) / std::sqrt((100.0 * 100 + 200 * 200) + 50 * 50));
    EXPECT_EQ(projectedOffset(t(100, 200, 30)).x, 50);
    EXPECT_EQ(projectedOffset(t(5, -200, 5)).y, greatestFiniteDouble);
    EXPECT_EQ(apparentDiameter(Ball(0, eyePoint, 1, Triple::zero)), greatestFiniteDouble);
}

TEST(Projection, DrawListFarthestFirstAndVisibilityByStrictTests) {
    const auto ball = [](int id, Triple p) { return Ball(id, p, 1, Triple::zero); };
    const DrawList list =
        drawList({ball(0, t(0, 10, 0)), ball(1, t(0, 50, 0)), ball(2, t(0, 10, 0))});
    EXPECT_EQ(std::vector<int>(list.begin(), list.end()), (std::vector<int>{1, 0, 2}));
    const DrawList kept =
        drawList({ball(0, t(0, -200, 0)), ball(1, t(0, -300, 0)), ball(2, t(0, NAN, 0))});
    EXPECT_EQ(std::vector<int>(kept.begin(), kept.end()), (std::vector<int>{2}));

    EXPECT_TRUE(isOnScreen(10, {204, 0}, 200, 200));
    EXPECT_FALSE(isOnScreen(10, {205, 0}, 200, 200));  // touches the edge from outside
    EXPECT_FALSE(isOnScreen(10, {0, -205}, 200, 200));
    EXPECT_TRUE(isOnScreen(10, {0, -205}, 200, 300));
    EXPECT_FALSE(isOnScreen(NAN, {0, 0}, 200, 200));
    const Triple offAxis = t(1, -199.999, 0);  // just in front of the eye
    EXPECT_FALSE(
        isOnScreen(apparentDiameter(ball(0, offAxis)), projectedOffset(offAxis), 200, 200));
}
