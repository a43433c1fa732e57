#include <QtTest>

#include "ball_colors.h"
#include "projection.h"
#include "simulation_view.h"

using namespace pellomarin;

namespace {

constexpr Triple t(double x, double y, double z) {
    return {{x, y, z}};
}

std::shared_ptr<Model> modelAt(std::array<Triple, 3> positions,
                               std::array<double, 3> masses = {8, 8, 8}) {
    BallList balls;
    for (int i = 0; i < 3; ++i)
        balls[i] = std::make_shared<Ball>(i, positions[i], masses[i], Triple::zero);
    return Model::make(balls);
}

QColor pixelAt(const QImage& image, QPointF point) {
    return image.pixelColor((point * image.devicePixelRatio()).toPoint());
}

}  // namespace

class SimulationViewTest : public QObject {
    Q_OBJECT

    SimulationView view;

    QImage drawn(const std::shared_ptr<Model>& model, QSize size = {400, 400}) {
        view.setModel(model);
        view.resize(size);
        return view.grab().toImage();
    }

private slots:
    void ballsAreDrawnWhereTheyProjectOnBlack() {
        // Radius 2 at (100, 0, -50): diameter about 17.5, 100 right and 50 up.
        const QImage image = drawn(modelAt({t(100, 0, -50), t(-120, 100, 80), t(0, 0, 0)}));
        QCOMPARE(pixelAt(image, {300, 150}), ballColors[0]);
        const auto green = projectedOffset(t(-120, 100, 80));
        QCOMPARE(pixelAt(image, {200 + green.x, 200 + green.y}), ballColors[1]);
        QCOMPARE(pixelAt(image, {200, 200}), ballColors[2]);
        QCOMPARE(pixelAt(image, {300 + 10, 150}), QColor(Qt::black));  // just outside red
        QCOMPARE(pixelAt(image, {5, 5}), QColor(Qt::black));
        QCOMPARE(pixelAt(image, {395, 395}), QColor(Qt::black));
    }

    void nearerBallsCoverFartherOnesAndEqualDepthsKeepIndexOrder() {
        const QImage image = drawn(modelAt({t(0, 0, 0), t(0, -100, 0), t(0, 0, 0)}));
        QCOMPARE(pixelAt(image, {200, 200}), ballColors[1]);  // nearest, drawn last
        const QImage same = drawn(modelAt({t(0, 50, 0), t(0, 50, 0), t(0, 100, 0)}));
        QCOMPARE(pixelAt(same, {200, 200}), ballColors[1]);  // index 1 over index 0
    }

    void ballsBehindTheEyeOrNotANumberAreNotDrawn() {
        const QImage image = drawn(modelAt({t(0, -200, 0), t(0, -250, 0), t(NAN, 0, 0)}));
        QCOMPARE(image.pixelColor(image.width() / 2, image.height() / 2), QColor(Qt::black));
    }

    void aBallJustInFrontOfTheEyeFillsTheArea() {
        const QImage image = drawn(modelAt({t(0, -199.999999, 0), t(0, 500, 0), t(0, 600, 0)}));
        QCOMPARE(pixelAt(image, {1, 1}), ballColors[0]);
        QCOMPARE(pixelAt(image, {398, 398}), ballColors[0]);
        const QImage offCentre =
            drawn(modelAt({t(0.001, -199.9999, 0.001), t(0, 500, 0), t(0, 600, 0)}));
        QCOMPARE(pixelAt(offCentre, {200, 200}), ballColors[0]);
    }

    void aLargerAreaMovesTheCentreAndWidensTheTest() {
        // 250 to the right: outside a 400-wide area, inside a 700-wide one.
        const auto model = modelAt({t(250, 0, 0), t(0, 300, 0), t(0, 300, 40)});
        QCOMPARE(pixelAt(drawn(model, {400, 400}), {398, 200}), QColor(Qt::black));
        QCOMPARE(pixelAt(drawn(model, {700, 400}), {350 + 250, 200}), ballColors[0]);
    }
};

QTEST_MAIN(SimulationViewTest)
#include "simulation_view_test.moc"
