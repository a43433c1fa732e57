#include <QtTest>

#include <cmath>
#include <numbers>

#include "ball_colors.h"
#include "projection.h"
#include "simulation_view.h"
#include "status_bar.h"

using namespace pellomarin;

namespace {

constexpr Triple t(double x, double y, double z) {
    return {{x, y, z}};
}

// The device pixel ratio this run was started with (ctest sets QT_SCALE_FACTOR).
qreal expectedRatio() {
    return qEnvironmentVariable("QT_SCALE_FACTOR").toDouble();
}

// How far along the way from black to pure red a pixel is, 0 to 1.
double redCoverage(const QImage& image, int x, int y) {
    return image.pixelColor(x, y).redF();
}

}  // namespace

class HiDpiTest : public QObject {
    Q_OBJECT

    SimulationView view;

private slots:
    void initTestCase() {
        QVERIFY2(expectedRatio() > 1.0, "run with QT_SCALE_FACTOR above 1");
        // Only the red ball, radius 2, 100 right of and 50 above the centre.
        BallList balls;
        balls[0] = std::make_shared<Ball>(0, t(100, 0, -50), 8.0, Triple::zero);
        balls[1] = std::make_shared<Ball>(1, t(0, -300, 0), 8.0, Triple::zero);
        balls[2] = std::make_shared<Ball>(2, t(0, -300, 0), 8.0, Triple::zero);
        view.setModel(Model::make(balls));
        view.resize(400, 400);
        view.show();
        QVERIFY(QTest::qWaitForWindowExposed(&view));
    }

    void theDrawingHasAnImagePixelForEveryDevicePixel() {
        QCOMPARE(view.devicePixelRatioF(), expectedRatio());
        const QImage image = view.grab().toImage();
        QCOMPARE(image.devicePixelRatio(), expectedRatio());
        QCOMPARE(image.size(), QSize(400, 400) * expectedRatio());
    }

    void aBallSitsAtItsProjectionWithSmoothEdges() {
        const QImage image = view.grab().toImage();
        const qreal ratio = expectedRatio();
        const Ball red(0, t(100, 0, -50), 8.0, Triple::zero);
        const ScreenOffset offset = projectedOffset(red.position);
        const double radius = apparentDiameter(red) * 0.5 * ratio;  // in device pixels
        const QPointF centre = QPointF(200 + offset.x, 200 + offset.y) * ratio;
        QCOMPARE(image.pixelColor(centre.toPoint()), ballColors[0]);

        // Along the row through the centre the red fades out where the edge
        // is, to a fraction of a device pixel: half covered at the edge.
        const int row = int(std::floor(centre.y()));
        double half = 0;
        for (int x = int(centre.x()); x < image.width() - 1; ++x) {
            const double inner = redCoverage(image, x, row), outer = redCoverage(image, x + 1, row);
            if (inner >= 0.5 && outer < 0.5) {
                half = x + 0.5 + (inner - 0.5) / (inner - outer);
                break;
            }
        }
        const double edge =
            centre.x() + std::sqrt(radius * radius - std::pow(row + 0.5 - centre.y(), 2));
        QVERIFY2(std::abs(half - edge) < 0.6, qPrintable(QString("%1 vs %2").arg(half).arg(edge)));

        // The rim is antialiased at device resolution: partly covered pixels
        // all round, and (at a whole ratio) no rim made of ratio × ratio blocks.
        const QRect box = QRectF(centre - QPointF(radius + 2, radius + 2),
                                 centre + QPointF(radius + 2, radius + 2))
                              .toRect();
        int partial = 0;
        int unevenBlocks = 0;
        const int block = int(ratio);
        for (int y = box.top(); y <= box.bottom(); ++y)
            for (int x = box.left(); x <= box.right(); ++x) {
                const double c = redCoverage(image, x, y);
                partial += c > 0.05 && c < 0.95;
                if (block == ratio && x % block == 0 && y % block == 0)
                    unevenBlocks += image.pixelColor(x, y) != image.pixelColor(x + 1, y + 1) ||
                                    image.pixelColor(x, y) != image.pixelColor(x + 1, y);
            }
        QVERIFY2(partial > 2 * std::numbers::pi * radius * 0.5,
                 qPrintable(QString::number(partial)));
        if (block == ratio)
            QVERIFY2(unevenBlocks > 0, "the rim looks scaled up from a low-resolution picture");
    }

    void statusBarMarkersAreDrawnInDevicePixels() {
        StatusBar bar;
        bar.resize(1200, 30);
        bar.show();
        QVERIFY(QTest::qWaitForWindowExposed(&bar));
        const QImage image = bar.grab().toImage();
        QCOMPARE(image.size(), bar.size() * expectedRatio());
        int markers = 0;
        for (QWidget* child : bar.findChildren<QWidget*>()) {
            if (child->size() != QSize(11, 11))
                continue;
            const QColor centre =
                image.pixelColor((QPointF(child->geometry().center()) * expectedRatio()).toPoint());
            QVERIFY2(std::find(ballColors.begin(), ballColors.end(), centre) != ballColors.end(),
                     qPrintable(centre.name()));
            ++markers;
        }
        QCOMPARE(markers, 6);
    }
};

QTEST_MAIN(HiDpiTest)
#include "hidpi_test.moc"
