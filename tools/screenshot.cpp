// Saves a picture of the X display (or of one window) as PNG, for the
// end-to-end tests and the README's screenshot.
//   pellomarin-screenshot FILE [WINDOW_ID]
#include <QGuiApplication>
#include <QPixmap>
#include <QScreen>
#include <cstdio>

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    if (argc < 2 || argc > 3) {
        std::fprintf(stderr, "usage: pellomarin-screenshot FILE [WINDOW_ID]\n");
        return 2;
    }
    const WId window = argc == 3 ? QByteArray(argv[2]).toULongLong(nullptr, 0) : 0;
    const QPixmap picture = QGuiApplication::primaryScreen()->grabWindow(window);
    if (picture.isNull() || !picture.save(QString::fromLocal8Bit(argv[1]), "PNG")) {
        std::fprintf(stderr, "pellomarin-screenshot: could not save %s\n", argv[1]);
        return 1;
    }
    return 0;
}
