#include <QLabel>
#include <QtTest>

#include <cmath>

#include "ball_colors.h"
#include "number_text.h"
#include "status_bar.h"

using namespace pellomarin;

namespace {

constexpr Triple t(double x, double y, double z) {
    return {{x, y, z}};
}

std::shared_ptr<Model> modelWith(std::array<Triple, 3> positions, std::array<Triple, 3> movements) {
    BallList balls;
    for (int i = 0; i < 3; ++i)
        balls[i] = std::make_shared<Ball>(i, positions[i], 1.0, movements[i]);
    return Model::make(balls);
}

}  // namespace

class StatusBarTest : public QObject {
    Q_OBJECT

private slots:
    void init() { minDistanceSoFar = greatestFiniteDouble; }

    void beforeTheFirstTickOnlyHeadingsAndEmptyCells() {
        StatusBar bar;
        bar.setModel(modelWith({}, {}));
        for (const char* name : {"speed 0", "acceleration 1", "distance 2", "distance 0-2"})
            QCOMPARE(bar.text(name), QString());
        QCOMPARE(bar.text("minimum distance"), QString("Min. Dist.: "));
        const auto labels = bar.findChildren<QLabel*>();
        QStringList headings;
        for (const QLabel* label : labels)
            if (label->objectName().isEmpty())
                headings << label->text();
        QCOMPARE(headings, QStringList({"Speed:", " Acc:", " Dist:"}));
    }

    void aTickShowsSpeedsAccelerationsAndDistances() {
        StatusBar bar;
        // Ball 0 at distance 5 moving at 1.234; ball 2 at rest at the origin.
        bar.setModel(modelWith({t(3, 4, 0), t(0, 0, 12.34), t(0, 0, 0)},
                               {t(1.234, 0, 0), t(0, 0.5, 0), t(0, 0, 0)}));
        bar.refresh();
        QCOMPARE(bar.text("speed 0"), QString("1,23"));
        QCOMPARE(bar.text("speed 1"), QString("0,500"));
        QCOMPARE(bar.text("speed 2"), QString("0.0"));
        QCOMPARE(bar.text("distance 0"), QString("5,00"));
        QCOMPARE(bar.text("distance 1"), QString("12,3"));
        QCOMPARE(bar.text("acceleration 0"), QString("0"));  // no step yet
        QCOMPARE(bar.text("distance 0-1"), numberText(std::sqrt(9.0 + 16 + 12.34 * 12.34)).c_str());
        QCOMPARE(bar.text("distance 0-2"), QString("5,00"));
        QCOMPARE(bar.text("distance 1-2"), QString("12,3"));
        QCOMPARE(bar.text("minimum distance"), QString("Min. Dist.: 5,00"));
    }

    void minimumKeepsTheSmallestSampleAndIgnoresNaN() {
        StatusBar bar;
        bar.setModel(modelWith({t(0, 0, 0), t(0, 0, 60), t(0, 0, 200)}, {}));
        bar.refresh();
        QCOMPARE(bar.text("minimum distance"), QString("Min. Dist.: 60,0"));
        bar.setModel(modelWith({t(0, 0, 0), t(0, 0, 100), t(0, 0, 300)}, {}));
        bar.refresh();
        QCOMPARE(bar.text("minimum distance"), QString("Min. Dist.: 60,0"));
        minDistanceSoFar = greatestFiniteDouble;
        bar.setModel(modelWith({t(NAN, 0, 0), t(0, 0, 100), t(0, NAN, 300)}, {}));
        bar.refresh();
        QCOMPARE(bar.text("distance 0-1"), QString("nan"));
        QCOMPARE(bar.text("minimum distance"), QString("Min. Dist.: ***"));
    }

    void valueCellsAreInTheBallColoursOnGray() {
        StatusBar bar;
        for (int i = 0; i < 3; ++i) {
            for (const char* group : {"speed", "acceleration", "distance"}) {
                const auto* cell = bar.findChild<QLabel*>(QString("%1 %2").arg(group).arg(i));
                QVERIFY(cell);
                QCOMPARE(cell->palette().color(QPalette::WindowText), ballColors[i]);
                QCOMPARE(cell->palette().color(QPalette::Window), QColor(Qt::gray));
                QVERIFY(cell->autoFillBackground());
                QCOMPARE(cell->width(), 70);
            }
        }
    }

    void pairGroupReadsRedGreenRedYellowGreenYellow() {
        StatusBar bar;
        bar.resize(1200, 30);
        bar.show();
        QVERIFY(QTest::qWaitForWindowExposed(&bar));
        const QImage image = bar.grab().toImage();
        const qreal ratio = image.devicePixelRatio();
        // The six markers, left to right, sit between the last distance cell
        // and the pair texts.
        std::vector<std::pair<int, QColor>> markers;
        for (QWidget* child : bar.findChildren<QWidget*>()) {
            if (child->size() != QSize(11, 11))
                continue;
            const QPoint centre = child->geometry().center() * ratio;
            markers.emplace_back(child->x(), image.pixelColor(centre));
        }
        std::sort(markers.begin(), markers.end(),
                  [](const auto& a, const auto& b) { return a.first < b.first; });
        QCOMPARE(int(markers.size()), 6);
        const int expected[] = {0, 1, 0, 2, 1, 2};
        for (int k = 0; k < 6; ++k)
            QCOMPARE(markers[k].second, ballColors[expected[k]]);
        // Pair texts follow their markers.
        QVERIFY(bar.findChild<QLabel*>("distance 0-1")->x() > markers[1].first);
        QVERIFY(bar.findChild<QLabel*>("distance 0-1")->x() < markers[2].first);
    }

    void ticksEveryHalfSecondWithoutBeingAsked() {
        StatusBar bar;
        bar.setModel(modelWith({t(3, 4, 0), t(0, 0, 60), t(0, 0, 200)}, {}));
        QTRY_COMPARE_WITH_TIMEOUT(bar.text("distance 0"), QString("5,00"), 3000);
    }
};

QTEST_MAIN(StatusBarTest)
#include "status_bar_test.moc"
