#include <QIcon>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include "app_identity.h"

using namespace pellomarin;

namespace {

// Where the drawing (256 units square) puts each ball's centre.
constexpr QPointF redCentre{86, 158};
constexpr QPointF greenCentre{180, 114};
constexpr QPointF yellowCentre{118, 70};

QColor at(const QImage& image, QPointF unitPoint) {
    return image.pixelColor((unitPoint * image.width() / 256.0).toPoint());
}

// The three balls in their colours on a dark square with cut corners.
void checkDrawing(const QImage& image) {
    const QColor red = at(image, redCentre);
    QVERIFY2(red.red() > 180 && red.green() < 90 && red.blue() < 90, qPrintable(red.name()));
    const QColor green = at(image, greenCentre);
    QVERIFY2(green.green() > 180 && green.red() < 90 && green.blue() < 90,
             qPrintable(green.name()));
    const QColor yellow = at(image, yellowCentre);
    QVERIFY2(yellow.red() > 180 && yellow.green() > 180 && yellow.blue() < 90,
             qPrintable(yellow.name()));
    const QColor background = at(image, {200, 210});
    QVERIFY2(background.lightness() < 60 && background.alpha() == 255,
             qPrintable(background.name()));
    QCOMPARE(image.pixelColor(0, 0).alpha(), 0);
}

}  // namespace

class IconTest : public QObject {
    Q_OBJECT

private slots:
    void theWindowIconIsTheCompiledInDrawingWhenNoThemeHasOne() {
        const QIcon icon = applicationIcon();
        QVERIFY(!icon.isNull());
        for (int size : {16, 64, 256}) {
            const QImage image = icon.pixmap(QSize(size, size)).toImage();
            QCOMPARE(image.size(), QSize(size, size));
            if (size >= 64)
                checkDrawing(image);
        }
        QCOMPARE(applicationId(), QString("org.pellomarin.Pellomarin"));
    }

    void theRendererWritesTheDrawingAtTheAskedSizeAndFormat() {
        QTemporaryDir dir;
        const auto render = [](const QStringList& args) {
            QProcess renderer;
            renderer.start(PELLOMARIN_RENDER_ICON, args);
            return renderer.waitForFinished(30000) ? renderer.exitCode() : -1;
        };
        QCOMPARE(render({PELLOMARIN_ICON, "512", dir.filePath("icon.png")}), 0);
        const QImage png(dir.filePath("icon.png"));
        QCOMPARE(png.size(), QSize(512, 512));
        checkDrawing(png);
        QCOMPARE(render({PELLOMARIN_ICON, "256", dir.filePath("icon.ico")}), 0);
        QCOMPARE(QImage(dir.filePath("icon.ico")).size(), QSize(256, 256));

        QCOMPARE(render({PELLOMARIN_ICON, "0", dir.filePath("zero.png")}), 2);
        QCOMPARE(render({dir.filePath("missing.svg"), "32", dir.filePath("x.png")}), 1);
        QVERIFY(!QFile::exists(dir.filePath("x.png")));
    }
};

QTEST_MAIN(IconTest)
#include "icon_test.moc"
