// Renders the SVG icon at one size into an image file whose format follows
// its suffix (png, ico): the sources of the macOS and Windows icon files.
//   pellomarin-render-icon ICON.svg SIZE OUTPUT
#include <QCoreApplication>
#include <QImage>
#include <QImageReader>
#include <QImageWriter>
#include <cstdio>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    bool isNumber = false;
    const int size = args.size() == 4 ? args[2].toInt(&isNumber) : 0;
    if (!isNumber || size <= 0) {
        std::fputs("usage: pellomarin-render-icon ICON.svg SIZE OUTPUT\n", stderr);
        return 2;
    }
    QImageReader reader(args[1]);
    // Rendered at the size, not scaled from a default-sized picture.
    reader.setScaledSize(QSize(size, size));
    const QImage image = reader.read();
    if (image.isNull()) {
        std::fprintf(stderr, "%s: %s\n", qPrintable(args[1]), qPrintable(reader.errorString()));
        return 1;
    }
    QImageWriter writer(args[3]);
    if (!writer.write(image)) {
        std::fprintf(stderr, "%s: %s\n", qPrintable(args[3]), qPrintable(writer.errorString()));
        return 1;
    }
    return 0;
}
