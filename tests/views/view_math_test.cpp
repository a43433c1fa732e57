#include <gtest/gtest.h>

#include <clocale>
#include <cmath>

#include "balls.h"
#include "number_text.h"
#include "projection.h"
#include "screen_path.h"

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
    ASSERT_TRUE(std::setlocale(LC_ALL, "de_DE.UTF-8"))
        << "scripts/install-deps.sh makes this locale";
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

TEST(ClipSegment, CutsToTheRectangleOrDropsWhatMissesIt) {
    const struct {
        const char* what;
        ScreenPoint a, b;
        std::vector<double> kept;  // a and b after the cut; empty: dropped
    } rows[] = {
        {"inside: untouched", {10, 10}, {90, 40}, {10, 10, 90, 40}},
        {"across the left edge", {-10, 20}, {10, 20}, {0, 20, 10, 20}},
        {"across the right edge", {90, 10}, {110, 30}, {90, 10, 100, 20}},
        {"across the top edge", {40, -10}, {60, 10}, {50, 0, 60, 10}},
        {"across the bottom edge, backwards", {40, 60}, {20, 40}, {30, 50, 20, 40}},
        {"in through a corner, out at the bottom", {-10, -10}, {70, 70}, {0, 0, 50, 50}},
        {"touching a corner from outside", {-10, 10}, {10, -10}, {0, 0, 0, 0}},
        {"along an edge", {0, -10}, {0, 60}, {0, 0, 0, 50}},
        {"parallel to an edge, outside it", {-10, 10}, {-10, 40}, {}},
        {"both ends beyond one edge", {110, 10}, {120, 40}, {}},
        {"ends beyond two edges, past the corner", {-20, 5}, {5, -20}, {}},
        {"ends too far apart to compute with", {-1e308, 20}, {1e308, 20}, {}},
    };
    for (auto row : rows) {
        const bool kept = clipSegment(row.a, row.b, {0, 0, 100, 50});
        const std::vector<double> after{row.a.x, row.a.y, row.b.x, row.b.y};
        EXPECT_EQ(kept ? after : std::vector<double>{}, row.kept) << row.what;
    }
}
