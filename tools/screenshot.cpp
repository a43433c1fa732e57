// Saves a picture of the X display, of one window, or of a part of a window
// as PNG, for the end-to-end tests, the benchmarks and the README.
//   pellomarin-screenshot FILE [WINDOW_ID [X Y WIDTH HEIGHT]]
#include <QGuiApplication>
#include <QPixmap>
#include <QScreen>
#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    if (argc != 2 && argc != 3 && argc != 7) {
        std::fprintf(stderr, "usage: pellomarin-screenshot FILE [WINDOW_ID [X Y WIDTH HEIGHT]]\n");
        return 2;
    }
    const WId window = argc >= 3 ? QByteArray(argv[2]).toULongLong(nullptr, 0) : 0;
    int part[4] = {0, 0, -1, -1};
    if (argc == 7)
        for (int k = 0; k < 4; ++k)
            part[k] = std::atoi(argv[3 + k]);
    const QPixmap picture =
        QGuiApplication::primaryScreen()->grabWindow(window, part[0], part[1], part[2], part[3]);
    if (picture.isNull() || !picture.save(QString::fromLocal8Bit(argv[1]), "PNG")) {
        std::fprintf(stderr, "pellomarin-screenshot: could not save %s\n", argv[1]);
        return 1;
    }
    return 0;
}
